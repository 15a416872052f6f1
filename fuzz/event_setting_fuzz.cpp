// The Event Setting dialog's range text and OK with any typed address, data
// and mask texts and any mask bits and access sizes, over the simulated
// host's expression evaluator: nothing crashes, a range text is empty or
// covers the typed address, and every set of entries OK takes keeps the
// events within what the chip can hold (masked addresses inside the range,
// data that fits the access, a byte-aligned word).
#include "events/event_editor_rules.h"
#include "sim/host/call_log.h"
#include "sim/host/expression_evaluator.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

constexpr EventSettingFields kFields{1256, 1257, 1254, 1255, 1259};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static simhost::CallLog log;
    static simhost::ExpressionEvaluator evaluator(log);
    if (size < 4) {
        return 0;
    }
    log.Clear();
    const auto bitsA = static_cast<LONG>(static_cast<std::int8_t>(data[0]));
    const auto bitsB = static_cast<LONG>(static_cast<std::int8_t>(data[1]));
    const LONG sizeA = data[2] % 3;
    EditorAddressRange range;
    range.high = (data[3] & 1) != 0 ? 0xFFFFF : 0xFFFFFFFF;
    range.digits = (data[3] & 1) != 0 ? 6 : 8;
    std::string texts[4];
    std::size_t field = 0;
    for (std::size_t i = 4; i < size && field < 4; ++i) {
        if (data[i] == '\n') {
            ++field;
        } else {
            texts[field] += static_cast<char>(data[i]);
        }
    }

    const std::string shown = FormatRangeText(texts[0], bitsA, &evaluator, range);
    Require(shown.empty() ||
            (shown.front() == '(' && shown.back() == ')' && shown.find(" <= (addr) <= ") != std::string::npos));

    EventSettingEntries entries;
    entries.addressA = texts[0];
    entries.addressB = texts[1];
    entries.dataA = texts[2];
    entries.maskA = texts[3];
    entries.maskBitsA = bitsA;
    entries.maskBitsB = bitsB;
    entries.accessSizeA = sizeA;
    CEventDescriptor a;
    CEventDescriptor b;
    b.id = 1;
    const CEventDescriptor oldA = a;
    const int refused = ReadEventSettingEntries(entries, &evaluator, range, kFields, a, b);
    if (refused != 0) {
        Require(refused == kFields.addressA || refused == kFields.addressB || refused == kFields.dataA ||
                refused == kFields.maskA || refused == kFields.accessSizeA);
        Require(a.address == oldA.address && a.maskBits == oldA.maskBits && a.data == oldA.data);
        return 0;
    }
    Require(a.maskBits >= 0 && a.maskBits <= 15 && b.maskBits >= 0 && b.maskBits <= 15);
    Require(range.Contains(a.address) && range.Contains(b.address));
    Require((a.address & ((1u << a.maskBits) - 1)) == 0 && (b.address & ((1u << b.maskBits) - 1)) == 0);
    Require(a.kind == 0 && b.kind == 1);
    Require(sizeA != 1 || a.data <= 0xFF);
    Require(sizeA != 2 || texts[2].empty() || (a.address & 1) == 0);
    Require(a.dataMask != 0 || a.data == 0);
    Require(a.name[a.name.size() - 1] == '\0');
    return 0;
}
