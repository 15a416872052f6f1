// The dialog library's text helpers over fuzzed texts: word replacement,
// splitting by separator flags, placeholder tokens and unique names. Each
// must end, and answer texts made only of what it was given.
#include "platform/codepage.h"
#include "util/ui_string_collections.h"
#include "util/ui_text_helpers.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// The input's parts: the texts between 0x1F bytes.
void SplitParts(const std::string& input, CStringList& parts) {
    std::size_t start = 0;
    for (std::size_t end; (end = input.find('\x1F', start)) != std::string::npos; start = end + 1) {
        parts.AddTail(CString(input.substr(start, end - start)));
    }
    parts.AddTail(CString(input.substr(start)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    platform::SetAnsiCodePage((data[0] & 1) != 0 ? 932 : 1252);
    const DWORD flags = data[1] & 0x0E;
    const std::string input(reinterpret_cast<const char*>(data + 2), size - 2);

    CStringList split;
    SplitTextByFlags(input.data(), static_cast<int>(input.size()), &split, flags, TRUE);
    for (POSITION at = split.GetHeadPosition(); at != nullptr;) {
        if (split.GetNext(at).GetLength() > static_cast<int>(input.size())) {
            std::abort();
        }
    }

    // The first part is the text, the second the replacement, the rest words.
    CStringList parts;
    SplitParts(input, parts);
    CString text = parts.RemoveHead();
    const CString replacement = parts.IsEmpty() ? CString("X") : parts.RemoveHead();
    ReplaceWords(text, parts, replacement);

    CStringList tokens;
    CollectPlaceholderTokens(text, tokens);
    for (POSITION at = tokens.GetHeadPosition(); at != nullptr;) {
        const CString& token = tokens.GetNext(at);
        if (token.GetLength() < 3 || token.Left(2) != "$(") {
            std::abort();
        }
    }

    const CString base = parts.IsEmpty() ? CString("Break") : parts.GetHead();
    const CString name = MakeUniqueName(base, parts);
    if (FindListStringPosition(name, parts, FALSE) != nullptr) {
        std::abort();  // the name must be free
    }
    return 0;
}
