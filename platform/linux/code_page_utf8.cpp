#include "platform/linux/code_page.h"

namespace platform::detail {
namespace {

constexpr char16_t kReplacement = u'\uFFFD';

bool IsContinuation(std::uint8_t byte) {
    return (byte & 0xC0) == 0x80;
}

// How a well-formed sequence that starts with this byte goes on: its length
// and the range its second byte must lie in (the tighter ranges exclude
// overlong forms, surrogates and code points above U+10FFFF).
struct SequenceRule {
    std::size_t length = 0;  // 0: the byte cannot start a sequence
    std::uint8_t secondLow = 0x80;
    std::uint8_t secondHigh = 0xBF;
};

SequenceRule RuleFor(std::uint8_t lead) {
    if (lead >= 0xC2 && lead <= 0xDF) {
        return {2};
    }
    if (lead == 0xE0) {
        return {3, 0xA0, 0xBF};
    }
    if (lead == 0xED) {
        return {3, 0x80, 0x9F};
    }
    if (lead >= 0xE1 && lead <= 0xEF) {
        return {3};
    }
    if (lead == 0xF0) {
        return {4, 0x90, 0xBF};
    }
    if (lead == 0xF4) {
        return {4, 0x80, 0x8F};
    }
    if (lead >= 0xF1 && lead <= 0xF3) {
        return {4};
    }
    return {};
}

void AppendCodePoint(char32_t codePoint, std::u16string& out) {
    if (codePoint < 0x10000) {
        out.push_back(static_cast<char16_t>(codePoint));
        return;
    }
    codePoint -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (codePoint >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF)));
}

void AppendUtf8(char32_t codePoint, std::string& out) {
    if (codePoint < 0x80) {
        out.push_back(static_cast<char>(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(static_cast<char>(0xC0 | codePoint >> 6));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | codePoint >> 12));
        out.push_back(static_cast<char>(0x80 | (codePoint >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | codePoint >> 18));
        out.push_back(static_cast<char>(0x80 | (codePoint >> 12 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint >> 6 & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (codePoint & 0x3F)));
    }
}

bool IsHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Ill-formed input becomes one U+FFFD for each broken part, as Windows
// reads it: a byte that cannot start a sequence is a part of its own; a
// sequence cut short is one part; and a continuation byte right after a lead
// byte belongs to the lead's part even when it is out of the lead's range
// (E0 80 is one part, the overlong start of a three-byte form). A broken
// sequence never swallows the bytes after that.
class Utf8 final : public CodePage {
public:
    bool IsLeadByte(std::uint8_t) const override { return false; }

    bool Decode(std::string_view bytes, bool strict, std::u16string& out) const override {
        for (std::size_t index = 0; index < bytes.size();) {
            const auto lead = static_cast<std::uint8_t>(bytes[index]);
            if (lead < 0x80) {
                out.push_back(lead);
                ++index;
                continue;
            }
            const SequenceRule rule = RuleFor(lead);
            std::size_t taken = 1;
            char32_t codePoint = lead & (0x7F >> rule.length);
            bool broken = rule.length == 0;
            while (!broken && taken < rule.length && index + taken < bytes.size()) {
                const auto next = static_cast<std::uint8_t>(bytes[index + taken]);
                if (!IsContinuation(next)) {
                    break;
                }
                if (taken == 1 && (next < rule.secondLow || next > rule.secondHigh)) {
                    broken = true;
                }
                codePoint = codePoint << 6 | (next & 0x3F);
                ++taken;
            }
            if (broken || taken < rule.length) {
                if (strict) {
                    return false;
                }
                out.push_back(kReplacement);
            } else {
                AppendCodePoint(codePoint, out);
            }
            index += taken;
        }
        return true;
    }

    // A surrogate without its partner has no UTF-8 form: it becomes U+FFFD,
    // or fails a strict conversion.
    bool Encode(std::u16string_view text, const EncodeOptions& options, bool&, std::string& out) const override {
        for (std::size_t index = 0; index < text.size(); ++index) {
            const char16_t unit = text[index];
            if (IsHighSurrogate(unit) && index + 1 < text.size() && IsLowSurrogate(text[index + 1])) {
                AppendUtf8(0x10000 + ((unit - 0xD800) << 10 | (text[index + 1] - 0xDC00)), out);
                ++index;
            } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
                if (options.strict) {
                    return false;
                }
                AppendUtf8(kReplacement, out);
            } else {
                AppendUtf8(unit, out);
            }
        }
        return true;
    }
};

}  // namespace

const CodePage& Utf8CodePage() {
    static const Utf8 codePage;
    return codePage;
}

}  // namespace platform::detail
