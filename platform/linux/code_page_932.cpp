#include "platform/linux/code_page.h"
#include "platform/linux/code_page_best_fit.h"

#include <iconv.h>

#include <array>
#include <vector>

namespace platform::detail {
namespace {

// What an unassigned or broken double-byte character becomes.
constexpr char16_t kReplacement = u'\u30FB';

constexpr bool IsLead(std::uint8_t byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

constexpr bool IsTrail(std::uint8_t byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// Single bytes outside ASCII and the half-width katakana. The system's
// converter leaves them out; Windows gives them these characters, so every
// byte that is not a lead byte is a character of its own. All but 0x80 are
// not valid characters though: MB_ERR_INVALID_CHARS refuses them.
struct PrivateByte {
    std::uint8_t byte;
    char16_t character;
    bool valid;
};
constexpr std::array<PrivateByte, 5> kPrivateBytes = {{
    {0x80, u'\u0080', true},
    {0xA0, u'\uF8F0', false},
    {0xFD, u'\uF8F1', false},
    {0xFE, u'\uF8F2', false},
    {0xFF, u'\uF8F3', false},
}};

// The character of a byte that is not a lead byte.
char16_t SingleByteCharacter(std::uint8_t byte) {
    if (byte < 0x80) {
        return byte;
    }
    if (byte >= 0xA1 && byte <= 0xDF) {
        return static_cast<char16_t>(u'\uFF61' + (byte - 0xA1));
    }
    for (const PrivateByte& entry : kPrivateBytes) {
        if (entry.byte == byte) {
            return entry.character;
        }
    }
    return kReplacement;  // not reached for a byte that is not a lead byte
}

bool IsValidSingleByte(std::uint8_t byte) {
    for (const PrivateByte& entry : kPrivateBytes) {
        if (entry.byte == byte) {
            return entry.valid;
        }
    }
    return true;
}

// One iconv conversion, used character by character to fill the tables.
class Converter {
public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    ~Converter() {
        if (Valid()) {
            iconv_close(handle_);
        }
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // The converted form of one whole character; empty when it has none.
    std::string Convert(std::array<char, 2> input) {
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        char* in = input.data();
        std::size_t inLeft = input.size();
        std::array<char, 8> output{};
        char* out = output.data();
        std::size_t outLeft = output.size();
        if (iconv(handle_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0) {
            return {};
        }
        return std::string(output.data(), out);
    }

private:
    iconv_t handle_;
};

std::uint8_t Byte(char value) {
    return static_cast<std::uint8_t>(value);
}

// The tables come from the system's converter once, at first use: a lookup
// per character afterwards, and the same answers on every call.
class Japanese final : public CodePage {
public:
    Japanese() {
        Converter decoder("UTF-16BE", "CP932");
        Converter encoder("CP932", "UTF-16BE");
        available_ = decoder.Valid() && encoder.Valid();
        if (available_) {
            BuildDoubleBytes(decoder);
            BuildEncodings(encoder);
        }
    }

    bool Available() const { return available_; }

    bool IsLeadByte(std::uint8_t byte) const override { return IsLead(byte); }

    bool Decode(std::string_view bytes, bool strict, std::u16string& out) const override {
        for (std::size_t index = 0; index < bytes.size();) {
            const std::uint8_t byte = Byte(bytes[index]);
            if (!IsLead(byte)) {
                if (strict && !IsValidSingleByte(byte)) {
                    return false;
                }
                out.push_back(SingleByteCharacter(byte));
                ++index;
                continue;
            }
            // A lead byte takes the byte after it whatever that is, so an
            // invalid pair becomes one replacement; only a NUL (or the end)
            // leaves the lead byte standing alone.
            if (index + 1 == bytes.size() || bytes[index + 1] == '\0') {
                if (strict) {
                    return false;
                }
                out.push_back(kReplacement);
                ++index;
                continue;
            }
            const std::uint8_t trail = Byte(bytes[index + 1]);
            const char16_t character = IsTrail(trail) ? doubleBytes_[byte << 8 | trail] : char16_t{0};
            if (character == 0) {
                if (strict) {
                    return false;
                }
                out.push_back(kReplacement);
            } else {
                out.push_back(character);
            }
            index += 2;
        }
        return true;
    }

    bool Encode(std::u16string_view text, const EncodeOptions& options, bool& usedDefault,
                std::string& out) const override {
        for (const char16_t character : text) {
            if (character < 0x80) {
                out.push_back(static_cast<char>(character));
                continue;
            }
            std::uint16_t encoding = encodings_[character];
            if (encoding == 0 && options.bestFit) {
                encoding = FindBestFit(JapaneseBestFits(), character).value_or(0);
            }
            if (encoding == 0) {
                out.append(options.defaultChar);
                usedDefault = true;
            } else if (encoding < 0x100) {
                out.push_back(static_cast<char>(encoding));
            } else {
                out.push_back(static_cast<char>(encoding >> 8));
                out.push_back(static_cast<char>(encoding & 0xFF));
            }
        }
        return true;
    }

private:
    void BuildDoubleBytes(Converter& decoder) {
        doubleBytes_.assign(0x10000, 0);
        for (unsigned lead = 0x81; lead <= 0xFC; ++lead) {
            if (!IsLead(static_cast<std::uint8_t>(lead))) {
                continue;
            }
            for (unsigned trail = 0x40; trail <= 0xFC; ++trail) {
                if (!IsTrail(static_cast<std::uint8_t>(trail))) {
                    continue;
                }
                const std::string wide = decoder.Convert({static_cast<char>(lead), static_cast<char>(trail)});
                if (wide.size() == 2) {
                    doubleBytes_[lead << 8 | trail] = static_cast<char16_t>(Byte(wide[0]) << 8 | Byte(wide[1]));
                }
            }
        }
    }

    // The single bytes are this code page's own; every other character takes
    // what the system's converter writes for it, which also settles which of
    // two byte sequences for one character (the code page has such pairs)
    // wins. Only sequences that convert back to the character count: the
    // system's converter also maps some characters one way (U+2014 to the
    // bytes of U+2015, U+00A5 to the backslash), which Windows either maps by
    // best fit or not at all.
    void BuildEncodings(Converter& encoder) {
        encodings_.assign(0x10000, 0);
        for (unsigned byte = 0x80; byte <= 0xFF; ++byte) {
            if (!IsLead(static_cast<std::uint8_t>(byte))) {
                encodings_[SingleByteCharacter(static_cast<std::uint8_t>(byte))] = static_cast<std::uint16_t>(byte);
            }
        }
        for (unsigned character = 0x80; character <= 0xFFFF; ++character) {
            const bool surrogate = character >= 0xD800 && character <= 0xDFFF;
            if (surrogate || encodings_[character] != 0) {
                continue;
            }
            const std::string bytes =
                encoder.Convert({static_cast<char>(character >> 8), static_cast<char>(character & 0xFF)});
            if (bytes.size() == 2 && doubleBytes_[Byte(bytes[0]) << 8 | Byte(bytes[1])] == character) {
                encodings_[character] = static_cast<std::uint16_t>(Byte(bytes[0]) << 8 | Byte(bytes[1]));
            }
        }
    }

    bool available_ = false;
    std::vector<char16_t> doubleBytes_;   // by lead << 8 | trail; 0 when unassigned
    std::vector<std::uint16_t> encodings_;  // by character: a byte, or lead << 8 | trail; 0 when none
};

}  // namespace

const CodePage* JapaneseCodePage() {
    static const Japanese codePage;
    return codePage.Available() ? &codePage : nullptr;
}

}  // namespace platform::detail
