#include "platform/format.h"

#include "platform/codepage.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

namespace platform {
namespace {

enum class Size { Default, Short, Char, Long, LongLong, SizeT };

// Prints one conversion (directive holds "%", flags, width, precision and the
// conversion letter, with the size prefix removed) with its argument.
template <typename Value>
void Append(std::string& out, const std::string& directive, Value value) {
    char small[128];
    const int needed = std::snprintf(small, sizeof(small), directive.c_str(), value);
    if (needed < 0) {
        return;
    }
    if (static_cast<std::size_t>(needed) < sizeof(small)) {
        out.append(small, static_cast<std::size_t>(needed));
        return;
    }
    std::string large(static_cast<std::size_t>(needed) + 1, '\0');
    std::snprintf(large.data(), large.size(), directive.c_str(), value);
    out.append(large.data(), static_cast<std::size_t>(needed));
}

std::u16string WideArgument(const void* text) {
    if (text == nullptr) {
        return u"(null)";
    }
    const auto* wide = static_cast<const char16_t*>(text);
    return std::u16string(wide);
}

}  // namespace

std::string FormatV(const char* format, va_list arguments) {
    std::string out;
    if (format == nullptr) {
        return out;
    }
    va_list args;
    va_copy(args, arguments);
    for (const char* p = format; *p != '\0';) {
        if (*p != '%') {
            out += *p++;
            continue;
        }
        if (p[1] == '%') {
            out += '%';
            p += 2;
            continue;
        }
        std::string directive = "%";
        ++p;
        while (*p != '\0' && std::strchr("-+ #0", *p) != nullptr) {
            directive += *p++;
        }
        // Width and precision, either of which may come from an argument.
        for (int part = 0; part < 2; ++part) {
            if (part == 1) {
                if (*p != '.') {
                    break;
                }
                directive += *p++;
            }
            if (*p == '*') {
                directive += std::to_string(va_arg(args, int));
                ++p;
            } else {
                while (*p >= '0' && *p <= '9') {
                    directive += *p++;
                }
            }
        }
        Size size = Size::Default;
        if (std::strncmp(p, "I64", 3) == 0) {
            size = Size::LongLong;
            p += 3;
        } else if (std::strncmp(p, "I32", 3) == 0) {
            p += 3;
        } else if (p[0] == 'l' && p[1] == 'l') {
            size = Size::LongLong;
            p += 2;
        } else if (*p == 'l' || *p == 'w') {
            size = Size::Long;  // 32 bits, or a wide text
            ++p;
        } else if (p[0] == 'h' && p[1] == 'h') {
            size = Size::Char;
            p += 2;
        } else if (*p == 'h') {
            size = Size::Short;
            ++p;
        } else if (*p == 'I' || *p == 'z') {
            size = Size::SizeT;
            ++p;
        }
        const char conversion = *p;
        if (conversion == '\0') {
            out += directive;  // a format that ends inside a conversion is printed as it stands
            break;
        }
        ++p;
        switch (conversion) {
            case 'd':
            case 'i': {
                directive += size == Size::LongLong ? "lld" : "d";
                if (size == Size::LongLong) {
                    Append(out, directive, va_arg(args, long long));
                } else if (size == Size::SizeT) {
                    Append(out, directive, static_cast<int>(va_arg(args, std::ptrdiff_t)));
                } else {
                    int value = va_arg(args, int);
                    if (size == Size::Short) {
                        value = static_cast<short>(value);
                    } else if (size == Size::Char) {
                        value = static_cast<signed char>(value);
                    }
                    Append(out, directive, value);
                }
                break;
            }
            case 'u':
            case 'x':
            case 'X':
            case 'o': {
                directive += size == Size::LongLong ? "ll" : (size == Size::SizeT ? "z" : "");
                directive += conversion;
                if (size == Size::LongLong) {
                    Append(out, directive, va_arg(args, unsigned long long));
                } else if (size == Size::SizeT) {
                    Append(out, directive, va_arg(args, std::size_t));
                } else {
                    unsigned value = va_arg(args, unsigned);
                    if (size == Size::Short) {
                        value = static_cast<unsigned short>(value);
                    } else if (size == Size::Char) {
                        value = static_cast<unsigned char>(value);
                    }
                    Append(out, directive, value);
                }
                break;
            }
            case 'e':
            case 'E':
            case 'f':
            case 'F':
            case 'g':
            case 'G':
            case 'a':
            case 'A':
                directive += conversion;
                Append(out, directive, va_arg(args, double));
                break;
            case 'c':
            case 'C':
                directive += 'c';
                if (size == Size::Long || conversion == 'C') {
                    const char16_t wide[2] = {static_cast<char16_t>(va_arg(args, int)), 0};
                    const std::string ansi = WideToAnsi(wide);
                    directive.back() = 's';
                    Append(out, directive, ansi.c_str());
                } else {
                    Append(out, directive, va_arg(args, int));
                }
                break;
            case 's':
            case 'S': {
                directive += 's';
                if (size == Size::Long || conversion == 'S') {
                    const std::string ansi = WideToAnsi(WideArgument(va_arg(args, const void*)));
                    Append(out, directive, ansi.c_str());
                } else {
                    const char* text = va_arg(args, const char*);
                    Append(out, directive, text != nullptr ? text : "(null)");
                }
                break;
            }
            case 'p':
                directive += 'p';
                Append(out, directive, va_arg(args, void*));
                break;
            default:
                // An unknown conversion (including %n, which writes through a
                // pointer) prints nothing and takes no argument.
                break;
        }
    }
    va_end(args);
    return out;
}

std::string Format(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    std::string text = FormatV(format, arguments);
    va_end(arguments);
    return text;
}

}  // namespace platform
