#include "platform/linux/code_page.h"
#include "platform/linux/code_page_best_fit.h"

#include <array>

namespace platform::detail {
namespace {

// The characters of bytes 0x80 to 0x9F; every other byte is the Latin-1
// character of the same value. The five bytes the code page leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 controls of the same value,
// so every byte converts and converts back.
constexpr std::array<char16_t, 32> kHighControls = {
    u'\u20AC', u'\u0081', u'\u201A', u'\u0192', u'\u201E', u'\u2026', u'\u2020', u'\u2021',
    u'\u02C6', u'\u2030', u'\u0160', u'\u2039', u'\u0152', u'\u008D', u'\u017D', u'\u008F',
    u'\u0090', u'\u2018', u'\u2019', u'\u201C', u'\u201D', u'\u2022', u'\u2013', u'\u2014',
    u'\u02DC', u'\u2122', u'\u0161', u'\u203A', u'\u0153', u'\u009D', u'\u017E', u'\u0178',
};

constexpr char16_t ByteToChar(std::uint8_t byte) {
    return byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80] : static_cast<char16_t>(byte);
}

// Answers whether the character has a byte, and which.
bool CharToByte(char16_t character, std::uint8_t& byte) {
    if (character < 0x80 || (character >= 0xA0 && character <= 0xFF)) {
        byte = static_cast<std::uint8_t>(character);
        return true;
    }
    for (std::size_t index = 0; index < kHighControls.size(); ++index) {
        if (kHighControls[index] == character) {
            byte = static_cast<std::uint8_t>(0x80 + index);
            return true;
        }
    }
    return false;
}

class Western final : public CodePage {
public:
    bool IsLeadByte(std::uint8_t) const override { return false; }

    bool Decode(std::string_view bytes, bool, std::u16string& out) const override {
        for (const char byte : bytes) {
            out.push_back(ByteToChar(static_cast<std::uint8_t>(byte)));
        }
        return true;
    }

    bool Encode(std::u16string_view text, const EncodeOptions& options, bool& usedDefault,
                std::string& out) const override {
        for (const char16_t character : text) {
            std::uint8_t byte = 0;
            if (CharToByte(character, byte)) {
                out.push_back(static_cast<char>(byte));
            } else if (const auto fit = options.bestFit ? FindBestFit(WesternBestFits(), character) : std::nullopt) {
                out.push_back(static_cast<char>(*fit));
            } else {
                out.append(options.defaultChar);
                usedDefault = true;
            }
        }
        return true;
    }
};

}  // namespace

const CodePage& WesternCodePage() {
    static const Western codePage;
    return codePage;
}

}  // namespace platform::detail
