// Number texts of any content, in every default radix and both signednesses:
// reading must never crash, and a text read as valid must lie in its range.
#include "frame/number_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) {
        return 0;
    }
    static constexpr WORD kRadixes[] = {0, 2, 8, 10, 16};
    const WORD radix = kRadixes[data[0] % 5];
    const DWORD signedFlag = (data[0] >> 3) & 1u;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    const CString input(text.c_str());
    const DWORD minimum = signedFlag != 0 ? static_cast<DWORD>(-1000) : 0;
    const DWORD maximum = signedFlag != 0 ? 1000 : 0xFFFFFFFF;
    const NumberTextReading reading = ReadNumberText(input, minimum, maximum, signedFlag, radix);
    if (reading.valid && signedFlag != 0 &&
        (static_cast<LONG>(reading.value) < -1000 || static_cast<LONG>(reading.value) > 1000)) {
        std::abort();
    }
    ReadIdCodeText(input);
    CString formatted;
    FormatNumberText(reading.value, formatted, radix == 0 ? 16 : radix, static_cast<int>(size % 40));
    return 0;
}
