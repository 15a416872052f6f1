// The break-condition address page with any settings and any typed address
// and value texts: the texts are read as the page reads them (leading zeros
// dropped, the radix prefix kept or supplied, the page's ranges), and every
// condition the page accepts must parse, in the monitor engine's
// break-condition command, into the record the page describes.
#include "config/break_channels.h"
#include "events/set_bc_pages.h"
#include "monitor/monitor_engine.h"
#include "frame/number_text.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

constexpr DWORD kTopAddress = 0xFFFFF;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The text the page would accept, or none.
bool Read(const std::string& typed, DWORD maximum, DWORD& value) {
    const NumberTextReading reading = ReadNumberText(NormaliseNumberText(typed.c_str()), 0, maximum, 0, 16);
    value = reading.value;
    return reading.valid;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static CMonitorEngine engine;
    if (size < 2) {
        return 0;
    }
    const std::uint8_t flags = data[0];
    const std::string rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::size_t split = rest.find('\n');
    const std::string addressText = rest.substr(0, split);
    const std::string valueText = split == std::string::npos ? std::string() : rest.substr(split + 1);

    CSetBc1 page;
    page.addressDontCare = 0;
    page.addressKind = flags & 1;
    page.dataDontCare = (flags >> 1) & 1;
    page.maskIndex = (flags >> 2) & 3;
    page.dataSize = ((flags >> 4) & 3) % 3;
    page.direction = ((flags >> 6) & 3) % 3;
    if (!Read(addressText, kTopAddress, page.address)) {
        return 0;
    }
    const bool access = page.addressKind == 0;
    const bool compared = access && page.dataDontCare == 0;
    if (compared && !Read(valueText, page.dataSize == 2 ? 0xFFFF : 0xFF, page.dataValue)) {
        return 0;
    }
    const std::string condition = static_cast<const char*>(page.GetConditionText());
    engine.ExecuteBreakConditionCommand("BC1 " + condition + " ");

    const BreakChannelRecord& record = g_breakChannels[0];
    Require(record.enable == 1);
    Require(record.kind == (access ? kBreakKindDataAccess : kBreakKindAddress));
    Require(record.address == page.address);
    Require(record.maskCode == static_cast<DWORD>(page.maskIndex));
    Require(record.pcBefore == 1);
    if (!access) {
        Require(record.direction == 10 && record.dataKind == 0 && record.bus == 0);
        return 0;
    }
    const DWORD kinds[] = {8, 9, 6};
    Require(record.dataKind == (compared ? kinds[page.dataSize] : 0));
    Require(record.dataValue == (compared ? page.dataValue & (page.dataSize == 2 ? 0xFFFFu : 0xFFu) : 0));
    Require(record.direction == (page.direction == 1 ? 10u : page.direction == 2 ? 11u : 0u));
    Require(record.bus == 0);
    return 0;
}
