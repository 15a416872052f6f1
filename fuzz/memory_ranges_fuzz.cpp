// The memory handler's range checks and the extended search over random
// device layouts, ranges and patterns: a check never reads outside the
// device tables and its refusal names an address of the range; the parts
// outside the reserved areas lie in the range, in order, apart from every
// area; the search finds exactly the first place a plain scan finds.
#include "monitor/reserved_areas.h"
#include "startup/device_data.h"
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

    // The search over a small memory of fuzzed bytes.
    const std::size_t length = 1 + input.Byte() % 6;
    std::vector<BYTE> pattern(length);
    for (BYTE& byte : pattern) {
        byte = input.Byte() % 4;
    }
    std::vector<BYTE> memory(input.Byte() + 1u);
    for (BYTE& byte : memory) {
        byte = input.Byte() % 4;
    }
    const DWORD base = Address(input);
    const std::uint64_t last = std::min<std::uint64_t>(std::uint64_t{base} + memory.size() - 1, 0xFFFFFFFF);
    const SearchOutcome outcome =
        HorspoolSearch(base, static_cast<DWORD>(last), pattern.data(), static_cast<DWORD>(length),
                       [&](std::uint64_t address, BYTE* value) {
                           Check(address >= base && address <= last);
                           *value = memory[address - base];
                           return true;
                       });
    const std::size_t span = static_cast<std::size_t>(last - base + 1);
    const auto plain = span >= length ? std::search(memory.begin(), memory.begin() + static_cast<std::ptrdiff_t>(span),
                                                    pattern.begin(), pattern.end())
                                      : memory.begin() + static_cast<std::ptrdiff_t>(span);
    const bool plainFound = plain != memory.begin() + static_cast<std::ptrdiff_t>(span);
    Check(outcome.found == plainFound);
    if (plainFound) {
        Check(outcome.address == base + static_cast<DWORD>(plain - memory.begin()));
    }
    return 0;
}
