#include "util/scan_values.h"

#include "util/mbcs.h"
#include "util/string_numbers.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstring>

namespace scan_detail {
namespace {

constexpr std::size_t kDefaultWidth = 1000;
// A width in the format never needs to be larger than any text.
constexpr std::size_t kLargestWidth = 1u << 24;

bool IsSpace(char c) {
    return std::isspace(static_cast<unsigned char>(c)) != 0;
}

// One conversion of the format: '%', its flags, width and letter.
struct Field {
    bool suppress = false;
    std::size_t width = kDefaultWidth;
    char conversion = '\0';
};

// The scan's state: the input cursor and the destinations not yet used.
class Scanner {
public:
    Scanner(const char* text, std::span<const Destination> destinations)
        : cursor_(text), destinations_(destinations) {}

    void SkipSpace() {
        while (IsSpace(*cursor_)) {
            ++cursor_;
        }
    }

    // A character of the format that must stand in the text.
    bool Match(char c) {
        if (*cursor_ != c) {
            return false;
        }
        ++cursor_;
        return true;
    }

    // The next destination when it is of the kind wanted (a text destination
    // also takes a character); null when it is missing or of another kind.
    const Destination* Take(Destination::Kind kind) {
        if (next_ >= destinations_.size()) {
            return nullptr;
        }
        const Destination& destination = destinations_[next_];
        const bool fits = destination.kind == kind ||
                          (kind == Destination::Kind::Char && destination.kind == Destination::Kind::Text &&
                           destination.size >= 1);
        if (!fits || destination.where == nullptr) {
            return nullptr;
        }
        ++next_;
        return &destination;
    }

    // Digits in the given radix while the width lasts; false when there is
    // not one. The value wraps in 32 bits.
    bool ReadDigits(int radix, std::size_t width, std::uint32_t& value) {
        value = 0;
        std::size_t taken = 0;
        while (taken < width) {
            const int digit = HexDigitValue(*cursor_);
            if (digit < 0 || digit >= radix) {
                break;
            }
            value = value * static_cast<std::uint32_t>(radix) + static_cast<std::uint32_t>(digit);
            ++cursor_;
            ++taken;
        }
        return taken > 0;
    }

    bool Integer(const Field& field) {
        std::size_t width = field.width;
        bool negative = false;
        if (field.conversion == 'd' && *cursor_ == '-' && width > 0) {
            negative = true;
            ++cursor_;
            --width;
        }
        std::uint32_t value = 0;
        if (!ReadDigits(field.conversion == 'x' ? 16 : 10, width, value)) {
            return false;
        }
        if (negative) {
            value = 0u - value;
        }
        return Store(field, Destination::Kind::Integer, [&](const Destination& destination) {
            std::memcpy(destination.where, &value, sizeof(value));
        });
    }

    bool Character(const Field& field) {
        if (*cursor_ == '\0') {
            return false;  // nothing left to take: never read past the text
        }
        const char c = *cursor_++;
        return Store(field, Destination::Kind::Char,
                     [&](const Destination& destination) { *static_cast<char*>(destination.where) = c; });
    }

    // Copies characters while accept says yes, at most width bytes and never
    // more than the destination holds with its NUL; a double-byte character
    // is copied whole or not at all.
    template <typename Accept>
    bool Text(const Field& field, Accept accept) {
        const Destination* destination = nullptr;
        std::size_t width = field.width;
        if (!field.suppress) {
            destination = Take(Destination::Kind::Text);
            if (destination == nullptr || destination->size == 0) {
                return false;
            }
            width = std::min(width, destination->size - 1);
        }
        const char* start = cursor_;
        while (*cursor_ != '\0' && accept(cursor_)) {
            const std::size_t bytes = mbcs::CharBytes(cursor_);
            if (static_cast<std::size_t>(cursor_ - start) + bytes > width) {
                break;
            }
            cursor_ += bytes;
        }
        if (destination != nullptr) {
            char* out = static_cast<char*>(destination->where);
            std::memcpy(out, start, static_cast<std::size_t>(cursor_ - start));
            out[cursor_ - start] = '\0';
        }
        return true;
    }

    bool String(const Field& field) {
        return Text(field, [](const char* c) { return !IsSpace(*c); });
    }

    // "%[" with its set already read: the first character must be one the
    // set takes (for a "not" set the end of the text counts as one).
    bool Set(const Field& field, const std::array<bool, 256>& members, bool negated) {
        // A double-byte character is no member of a set of single bytes.
        const auto takes = [&](const char* c) {
            if (mbcs::CharBytes(c) == 2) {
                return negated;
            }
            return members[static_cast<unsigned char>(*c)] != negated;
        };
        if (*cursor_ == '\0' ? !negated : !takes(cursor_)) {
            return false;
        }
        return Text(field, takes);
    }

private:
    template <typename Write>
    bool Store(const Field& field, Destination::Kind kind, Write write) {
        if (field.suppress) {
            return true;
        }
        const Destination* destination = Take(kind);
        if (destination == nullptr) {
            return false;
        }
        write(*destination);
        return true;
    }

    const char* cursor_;
    std::span<const Destination> destinations_;
    std::size_t next_ = 0;
};

// Reads the set of "%[" from the format (after the '['): true with the format
// moved past its ']', false when the format ends before the set does.
bool ReadSet(const char*& format, std::array<bool, 256>& members, bool& negated) {
    members.fill(false);
    negated = false;
    if (*format == '^') {
        negated = true;
        ++format;
    }
    if (*format == '\0') {
        return false;
    }
    // The first character always belongs to the set, even a ']'.
    members[static_cast<unsigned char>(*format++)] = true;
    while (*format != ']') {
        if (*format == '\0') {
            return false;
        }
        members[static_cast<unsigned char>(*format++)] = true;
    }
    ++format;
    return true;
}

}  // namespace

int Scan(const char* text, const char* format, std::span<const Destination> destinations) {
    if (text == nullptr || format == nullptr) {
        return 0;
    }
    Scanner scanner(text, destinations);
    int count = 0;
    while (*format != '\0') {
        if (IsSpace(*format)) {
            scanner.SkipSpace();
            ++format;
            continue;
        }
        if (*format != '%') {
            if (!scanner.Match(*format++)) {
                return count;
            }
            continue;
        }
        ++format;
        Field field;
        if (*format == '*') {
            field.suppress = true;
            ++format;
        }
        if (*format == 'l' || *format == 'L') {
            ++format;
        }
        if (std::isdigit(static_cast<unsigned char>(*format))) {
            field.width = 0;
            while (std::isdigit(static_cast<unsigned char>(*format))) {
                field.width = std::min(field.width * 10 + static_cast<std::size_t>(*format - '0'), kLargestWidth);
                ++format;
            }
        }
        field.conversion = *format;
        if (field.conversion == '\0') {
            return count;
        }
        ++format;
        bool done = false;
        switch (field.conversion) {
            case 'd':
            case 'u':
            case 'x':
                done = scanner.Integer(field);
                break;
            case 's':
                done = scanner.String(field);
                break;
            case 'c':
                done = scanner.Character(field);
                break;
            case '[': {
                std::array<bool, 256> members{};
                bool negated = false;
                done = ReadSet(format, members, negated) && scanner.Set(field, members, negated);
                break;
            }
            default:
                // Any other character, '%' among them, must stand in the text.
                if (!scanner.Match(field.conversion)) {
                    return count;
                }
                continue;
        }
        if (!done) {
            return count;
        }
        ++count;
    }
    return count;
}

}  // namespace scan_detail
