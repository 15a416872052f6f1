// ScanValues with a fuzzed format and text against a fixed set of typed
// destinations: it must never write past a destination or read past the text.
#include "platform/codepage.h"
#include "util/scan_values.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    // The first byte picks the code page; the format runs to the first NUL,
    // the text is what follows it.
    platform::SetAnsiCodePage((data[0] & 1) != 0 ? 932 : 1252);
    const std::string input(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = input.find('\0');
    const std::string format = input.substr(0, split);
    const std::string text = split == std::string::npos ? std::string() : input.substr(split + 1);

    std::int32_t first = 0;
    std::uint32_t second = 0;
    char small[4] = {};
    char one = 0;
    char large[64] = {};
    char tiny[1] = {};
    char heap[8] = {};
    ScanValues(text.c_str(), format.c_str(), &first, small, &second, &one, large, tiny, ScanText{heap, sizeof(heap)},
               &first, small, &one);
    platform::SetAnsiCodePage(1252);
    return 0;
}
