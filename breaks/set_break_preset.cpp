#include "breaks/set_break_preset.h"

#include "breaks/set_break_type_page.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace {

constexpr int kReadWrite = 2;

CString Decimal(DWORD value) {
    CString digits;
    digits.Format("D'%u", static_cast<unsigned>(value));
    return digits;
}

// A 64-bit value high:low without leading zeros.
CString Hex64(DWORD high, DWORD low) {
    if (high == 0) {
        return HexText(low);
    }
    CString lowDigits;
    FormatNumberText(low, lowDigits, 16, 8);
    return HexText(high) + lowDigits;
}

int AccessTypeChoice(WORD accessType) {
    return accessType == 1 ? 0 : accessType == 2 ? 1 : kReadWrite;
}

// Equal is the first option; anything else leaves it for "Not equal".
int CompareChoice(WORD compareMode) {
    return compareMode == 0 ? 0 : -1;
}

int IndexOf(WORD size, std::initializer_list<WORD> sizes, int otherwise) {
    int index = 0;
    for (const WORD one : sizes) {
        if (one == size) {
            return index;
        }
        ++index;
    }
    return otherwise;
}

CString FloatText(DWORD bits) {
    CString text;
    FormatFloatText(text, std::bit_cast<float>(bits));
    return text;
}

// A double keeps its upper half in the low value word.
CString DoubleText(DWORD upper, DWORD lower) {
    CString text;
    FormatDoubleText(text, std::bit_cast<double>((static_cast<std::uint64_t>(upper) << 32) | lower));
    return text;
}

void PresetData(CSetBrk1& page, const CTBreakValueContents& record, DWORD cpuTypeCode) {
    page.addressText = HexText(record.GetAddress(), 8);
    const WORD size = record.GetSize();
    page.sizeChoice = IndexOf(size, {1, 2, 4, 8, 20, 24}, -1);
    if (!IsQuadWordCpu(cpuTypeCode) && page.sizeChoice > 3) {
        --page.sizeChoice;  // that list has no "Quad word"
    }
    page.compareChoice = CompareChoice(record.GetCompareMode());
    switch (size) {
        case 8:
            page.dataText = Hex64(record.GetValueHigh(), record.GetValueLow());
            break;
        case 20:
            page.dataText = FloatText(record.GetValueLow());
            break;
        case 24:
            page.dataText = DoubleText(record.GetValueLow(), record.GetValueHigh());
            break;
        default:
            page.dataText = HexText(record.GetValueLow());
            break;
    }
}

void PresetRegister(CSetBrk1& page, const CTBreakRegisterContents& record) {
    page.sizeChoice = IndexOf(record.GetSize(), {1, 2, 4, 20, 24}, 2);
    page.compareChoice = record.GetCompareMode() == 1 ? -1 : 0;
    if (record.GetCompareMode() == 2) {
        page.dataText.Empty();
    } else if (page.sizeChoice == 3) {
        page.dataText = FloatText(record.GetValueLow());
    } else if (page.sizeChoice == 4) {
        page.dataText = DoubleText(record.GetValueLow(), record.GetValueHigh());
    } else {
        page.dataText = HexText(record.GetValueLow());
    }
}

void PresetCfgData(CSetBrk1& page, const CTBreakCfgDataContents& record) {
    page.cfgNumberText = HexText(record.GetAddress(), 8);
    page.sizeChoice = IndexOf(record.GetSize(), {1, 2, 4, 8}, -1);
    page.compareChoice = CompareChoice(record.GetCompareMode());
    page.dataText = record.GetSize() == 8 ? Hex64(record.GetValueHigh(), record.GetValueLow())
                                          : HexText(record.GetValueLow());
}

}  // namespace

CString HexText(DWORD value, int width) {
    CString digits;
    FormatNumberText(value, digits, 16, width);
    return "H'" + digits;
}

void PresetNewBreak(CSetBrk1& page, DWORD cpuTypeCode) {
    page.addressText = "H'00000000";
    page.accessTypeChoice = kReadWrite;
    page.countText = "D'1";
    page.compareChoice = 0;
    page.cycleText.Empty();
    page.timesText.Empty();
    page.countChoice = 0;
    page.sizeChoice = IsByteFirstCpu(cpuTypeCode) ? 0 : 2;
    page.registerName.Empty();
}

void PresetEditedBreak(CSetBrk1& page, BreakKind kind, const CTBreakContents& record, DWORD cpuTypeCode) {
    switch (kind) {
        case BreakKind::Pc: {
            const auto& pc = static_cast<const CTBreakPcContents&>(record);
            page.addressText = HexText(pc.GetAddress(), 8);
            // A pass count of 0 stops at the first hit, as 1 does, and the
            // page takes only counts from 1.
            page.countText = Decimal(std::max<DWORD>(pc.GetPassCount(), 1));
            break;
        }
        case BreakKind::Access:
        case BreakKind::CfgAccess: {
            const auto& range = static_cast<const CTBreakRangeContents&>(record);
            CString& start = kind == BreakKind::Access ? page.startText : page.cfgStartText;
            CString& end = kind == BreakKind::Access ? page.endText : page.cfgEndText;
            start = HexText(range.GetLow(), 8);
            end = HexText(range.GetHigh(), 8);
            page.accessTypeChoice = AccessTypeChoice(range.GetAccessType());
            break;
        }
        case BreakKind::Data:
            PresetData(page, static_cast<const CTBreakDataContents&>(record), cpuTypeCode);
            break;
        case BreakKind::Register:
            PresetRegister(page, static_cast<const CTBreakRegisterContents&>(record));
            break;
        case BreakKind::Sequence: {
            const auto& sequence = static_cast<const CTBreakSequenceContents&>(record);
            if (CTBreakSequenceContents::IsValidStepCount(sequence.GetStepCount())) {
                for (WORD step = 0; step < sequence.GetStepCount(); ++step) {
                    page.sequenceTexts[step] = HexText(sequence.GetAddresses()[step], 8);
                }
            }
            break;
        }
        case BreakKind::Cycle: {
            const auto& cycle = static_cast<const CTBreakCycleContents&>(record);
            page.cycleText = HexText(cycle.GetPeriod());
            page.countChoice = cycle.GetCount() == 0 ? 0 : -1;
            page.timesText = cycle.GetCount() == 0 ? CString() : Decimal(cycle.GetCount());
            break;
        }
        case BreakKind::CfgData:
            PresetCfgData(page, static_cast<const CTBreakCfgDataContents&>(record));
            break;
    }
}
