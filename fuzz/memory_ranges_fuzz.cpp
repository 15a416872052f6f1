// The memory handler's range checks and the extended search over random
// device layouts, ranges and patterns: a check never reads outside the
// device tables and its refusal names an address of the range; the parts
// outside the reserved areas lie in the range, in order, apart from every
// area; the extended search, reading its blocks from a memory of the
// input's making, finds exactly the first place a plain scan finds, and a
// block that cannot be read ends it as not found.
#include "monitor/reserved_areas.h"
#include "config/device_data.h"
#include "target/memory_ranges.h"
#include "target/memory_search.h"
#include "fuzz/fuzz_lists.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// Addresses near a small space, so that ranges meet the areas often.
DWORD Address(fuzz_lists::Input& input) {
    return (input.Byte() & 0x80) != 0 ? input.Word() : (input.Word() & 0xFFFF);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_lists::Input input(data, size);
    g_deviceAreas = {};
    for (DeviceArea& area : g_deviceAreas) {
        area = {static_cast<DWORD>(input.Byte() % 3), Address(input), Address(input)};
    }
    g_deviceValues.maxAddr = Address(input);
    g_deviceValues.flashBlockCount = input.Byte() % 30;
    for (std::size_t i = 0; i < kFlashTableSize; ++i) {
        g_deviceValues.flashBlockTop[i] = Address(input);
        g_deviceValues.flashBlockEnd[i] = Address(input);
    }
    g_emuSel = input.Byte() % 3;  // the rewrite mode's refusal shows a box
    const DWORD start = Address(input);
    const DWORD end = Address(input);

    DWORD bad = 0xDEADBEEF;
    if (!CheckAccessRange(start, end, &bad)) {
        Check(bad == start || bad == end);
    }
    bad = 0xDEADBEEF;
    HRESULT result = S_OK;
    if (!CheckRewriteRange(start, end, &bad, &result)) {
        Check(result == kRangeRefused);
    }
    static_cast<void>(CheckCopyRanges(start, end, Address(input), &bad));

    const std::vector<AddressRange> parts = RangeOutsideReservedAreas(start, end);
    const std::vector<ReservedArea> areas = EnabledReservedAreas();
    std::uint64_t after = start;
    for (const AddressRange& part : parts) {
        Check(part.start >= after && part.start <= part.end && part.end <= end);
        after = std::uint64_t{part.end} + 1;
        for (const ReservedArea& area : areas) {
            Check(part.end < area.top || part.start > area.end);
        }
    }

    // The extended search over a memory of a few blocks: bytes of a small
    // alphabet, the pattern laid in somewhere, one block read failing when
    // the input says so.
    const std::size_t length = 1 + input.Byte() % 8;
    std::vector<BYTE> pattern(length);
    for (BYTE& byte : pattern) {
        byte = input.Byte() % 4;
    }
    std::vector<BYTE> memory(1 + ((std::size_t{input.Byte()} << 8 | input.Byte()) % (3 * kSearchBlockSize + 64)));
    std::uint32_t seed = input.Word();
    const std::uint8_t alphabet = 2 + input.Byte() % 3;
    for (BYTE& byte : memory) {
        seed = seed * 1103515245u + 12345u;
        byte = static_cast<BYTE>((seed >> 16) % alphabet);
    }
    const std::size_t laid = (std::size_t{input.Byte()} << 8 | input.Byte()) % memory.size();
    if (laid + length <= memory.size() && (input.Byte() & 1) != 0) {
        std::copy(pattern.begin(), pattern.end(), memory.begin() + static_cast<std::ptrdiff_t>(laid));
    }
    if ((input.Byte() & 3) != 0) {  // mostly a layout that lets the range be searched
        g_deviceAreas = {};
        g_deviceValues.maxAddr = 0xFFFFFFFF;
        g_deviceValues.flashBlockCount = 0;
    }
    // The memory may run into the top of the address space, where it is cut.
    const DWORD base = Address(input);
    const auto last = static_cast<DWORD>(std::min<std::uint64_t>(std::uint64_t{base} + memory.size() - 1, 0xFFFFFFFF));
    memory.resize(std::size_t{last - base} + 1);
    const int failingRead = input.Byte() % 8 - 4;  // below 0: no read fails
    int reads = 0;
    bool failed = false;
    DWORD found = 0xDEADBEEF;
    const HRESULT searched = SearchMemoryInBlocks(
        base, last, pattern.data(), static_cast<DWORD>(length),
        [&](DWORD first, DWORD count, BYTE* bytes) {
            Check(first >= base && count >= 1 && count <= kSearchBlockSize && count - 1 <= last - first);
            if (reads++ == failingRead) {
                failed = true;
                return false;
            }
            std::copy_n(memory.begin() + (first - base), count, bytes);
            return true;
        },
        &found);
    const auto plain = std::search(memory.begin(), memory.end(), pattern.begin(), pattern.end());
    if (CheckRange(base, last) != S_OK || memory.size() < length) {
        Check(searched == kRangeRefused && reads == 0);
    } else if (plain != memory.end() && !failed) {
        Check(searched == S_OK && found == base + static_cast<DWORD>(plain - memory.begin()));
    } else if (searched == S_OK) {
        // Found before the failing read: still the first place.
        Check(plain != memory.end() && found == base + static_cast<DWORD>(plain - memory.begin()));
    } else {
        // A search a failed read ended found nothing out: it is no miss.
        Check(searched == (failed ? kSearchUnread : kSearchNotFound) && found == 0xDEADBEEF);
    }
    return 0;
}
