// The code pages behind MultiByteToWideChar and WideCharToMultiByte: each one
// converts whole texts, so that the public functions only check parameters,
// measure and copy.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform::detail {

struct EncodeOptions {
    std::string_view defaultChar;  // the bytes that stand for a character the code page cannot hold
    bool bestFit = true;           // a character the code page cannot hold may become a look-alike
    bool strict = false;           // UTF-8: a lone surrogate fails the conversion
};

class CodePage {
public:
    virtual ~CodePage() = default;

    // True for a byte that starts a two-byte character.
    virtual bool IsLeadByte(std::uint8_t byte) const = 0;

    // Appends the UTF-16 form of bytes to out. An invalid sequence becomes the
    // code page's replacement character; when strict, it ends the conversion
    // with false instead.
    virtual bool Decode(std::string_view bytes, bool strict, std::u16string& out) const = 0;

    // Appends the bytes of text to out. A character the code page cannot
    // represent becomes its best fit (when allowed and there is one) or the
    // default character, which sets usedDefault. False when strict and the
    // text cannot be converted.
    virtual bool Encode(std::u16string_view text, const EncodeOptions& options, bool& usedDefault,
                        std::string& out) const = 0;

protected:
    CodePage() = default;
    CodePage(const CodePage&) = default;
    CodePage& operator=(const CodePage&) = default;
};

const CodePage& WesternCodePage();  // 1252
// 932; null when the system's converter for it is missing.
const CodePage* JapaneseCodePage();
const CodePage& Utf8CodePage();

}  // namespace platform::detail
