#include "target/memory_search.h"

SearchOutcome HorspoolSearch(DWORD start, DWORD end, const BYTE* pattern, DWORD length,
                             const SearchByteReader& readByte) {
    SearchOutcome outcome;
    if (pattern == nullptr || length == 0 || start > end || std::uint64_t{end} - start + 1 < length) {
        return outcome;
    }
    const std::uint64_t lastStart = std::uint64_t{end} - length + 1;
    for (std::uint64_t p = start; p <= lastStart;) {
        BYTE underLast = 0;
        bool matched = true;
        for (DWORD j = length; j-- > 0;) {
            BYTE value = 0;
            if (!readByte(p + j, &value)) {
                outcome.stopped = true;
                return outcome;
            }
            if (j == length - 1) {
                underLast = value;
            }
            if (value != pattern[j]) {
                matched = false;
                break;
            }
        }
        if (matched) {
            outcome.found = true;
            outcome.address = static_cast<DWORD>(p);
            return outcome;
        }
        // The distance from the last place of the byte under the pattern's
        // end among its first length - 1 bytes to the pattern's end.
        DWORD shift = length;
        for (DWORD k = 0; k + 1 < length; ++k) {
            if (pattern[k] == underLast) {
                shift = length - 1 - k;
            }
        }
        p += shift;
    }
    return outcome;
}
