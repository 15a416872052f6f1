// The break-type page's checks when it is left: every text of the chosen
// kind is read, evaluated and range-checked into the page's result fields.
#include "breaks/set_break_type_page.h"

#include "breaks/break_services.h"
#include "res/resource_ids.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

using namespace res_id;

// The host's name lookup found no name: the text may be a number.
constexpr HRESULT kNameNotFound = static_cast<HRESULT>(0x80043040u);
constexpr DWORD kMaxPassCount = 0x3FFF;
constexpr DWORD kMaxTimes = 0xFFFF;

// Size codes of the size list's entries, by the list's form.
constexpr WORD kSizesWithQuad[] = {1, 2, 4, 8, 20, 24};
constexpr WORD kSizesWithoutQuad[] = {1, 2, 4, 20, 24};
constexpr WORD kCfgSizes[] = {1, 2, 4, 8};
constexpr WORD kSingleFloat = 20;

bool Evaluate(const CString& text, DWORD& value, WORD radix = 16) {
    return EvaluateAddressExpression(text, &value, radix) != FALSE;
}

// The size code of a list entry; 0 for no entry.
template <std::size_t N>
WORD SizeOf(const WORD (&sizes)[N], int entry) {
    return entry >= 0 && static_cast<std::size_t>(entry) < N ? sizes[entry] : 0;
}

WORD AccessTypeOf(int entry) {
    return entry == 0 ? 1 : entry == 1 ? 2 : 0;
}

// Whether [address, address + span] stays within limit (no wrap).
bool FitsBelow(DWORD address, DWORD span, DWORD limit) {
    return static_cast<std::uint64_t>(address) + span <= limit;
}

// A list of one node for an address the text evaluated to.
ValueList SingleAddress(const CString& text, DWORD address) {
    auto* name = new char[static_cast<std::size_t>(text.GetLength()) + 1];
    std::memcpy(name, static_cast<const char*>(text), static_cast<std::size_t>(text.GetLength()) + 1);
    return ValueList(new NameValueNode{nullptr, name, address});
}

// Keeps the first most nodes and frees the others.
void KeepFirst(ValueList& list, DWORD most) {
    if (most == 0) {
        list.reset();
        return;
    }
    NameValueNode* node = list.get();
    for (DWORD kept = 1; node != nullptr && kept < most; ++kept) {
        node = node->next;
    }
    if (node != nullptr) {
        FreeValueList(node->next);
        node->next = nullptr;
    }
}

}  // namespace

BOOL CSetBrk1::OnKillActive() {
    GetSelectedKind();
    BOOL passed = FALSE;
    switch (static_cast<BreakKind>(breakKind)) {
        case BreakKind::Pc:
            passed = CheckPcBreak();
            break;
        case BreakKind::Access:
            passed = CheckAccessBreak();
            break;
        case BreakKind::Data:
            passed = CheckDataBreak();
            break;
        case BreakKind::Register:
            passed = CheckRegisterBreak();
            break;
        case BreakKind::Sequence:
            passed = CheckSequenceBreak();
            break;
        case BreakKind::Cycle:
            passed = CheckCycleBreak();
            break;
        case BreakKind::CfgAccess:
            passed = CheckCfgAccessBreak();
            break;
        case BreakKind::CfgData:
            passed = CheckCfgDataBreak();
            break;
    }
    return passed ? CPropertyPage::OnKillActive() : FALSE;
}

BOOL CSetBrk1::CheckPcBreak() {
    if (kindOffered[0] == 0) {
        MessageBeep(0);
        return FALSE;
    }
    const auto refuseSymbol = [this] {
        CString text;
        text.LoadString(kInvalidSymbol);
        AfxMessageBox(text, MB_ICONEXCLAMATION);
        return Refuse(kBrkAddress);
    };
    pcAddresses.reset();
    const CString text = FieldText(kBrkAddress);
    NameValueNode* found = nullptr;
    int count = 0;
    const HRESULT result = HostLookupNameValues(text, &found, pcRoom, &count);
    ValueList addresses(found);
    if (result == kNameNotFound) {
        DWORD address = 0;
        if (!Evaluate(text, address) || address > BreakServices().GetTopAddress()) {
            return refuseSymbol();
        }
        addresses = SingleAddress(text, address);
    } else if (result != S_OK || count < 1) {
        return refuseSymbol();
    }
    KeepFirst(addresses, pcRoom);
    pcAddresses = std::move(addresses);

    CString countField = FieldText(kBrkCount);
    if (countField.IsEmpty()) {
        countField = "1";
    }
    DWORD passes = 0;
    if (!Evaluate(countField, passes, 10) || passes == 0 || passes > kMaxPassCount) {
        return Refuse(kBrkCount);
    }
    passCount = static_cast<WORD>(passes);
    return TRUE;
}

BOOL CSetBrk1::CheckAccessBreak() {
    const DWORD limit = BreakServices().GetDataLimit();
    const CString startField = FieldText(kBrkStart);
    DWORD start = 0;
    if (!Evaluate(startField, start) || start > limit) {
        return Refuse(kBrkStart);
    }
    CString endField = FieldText(kBrkEnd);
    if (endField.IsEmpty()) {
        endField = startField;
    }
    DWORD end = 0;
    if (!Evaluate(endField, end) || end > limit || start > end) {
        return Refuse(kBrkEnd);
    }
    accessStart = start;
    accessEnd = end;
    accessType = AccessTypeOf(Selection(kBrkAccessType));
    return TRUE;
}

bool CSetBrk1::ReadDataValue(const CString& text, int entry, int floatEntry) {
    valueHigh = 0;
    if (floatEntry >= 0 && entry == floatEntry) {
        float value = 0;
        if (!HostEvaluateFloat(text, &value)) {
            return false;
        }
        valueLow = std::bit_cast<DWORD>(value);
        return true;
    }
    if (floatEntry >= 0 && entry == floatEntry + 1) {
        double value = 0;
        if (!HostEvaluateDouble(text, &value)) {
            return false;
        }
        const auto bits = std::bit_cast<std::uint64_t>(value);
        valueLow = static_cast<DWORD>(bits >> 32);
        valueHigh = static_cast<DWORD>(bits);
        return true;
    }
    DWORD value = 0;
    if (!Evaluate(text, value)) {
        return false;
    }
    valueLow = value;
    return true;
}

BOOL CSetBrk1::CheckDataBreak() {
    const DWORD cpuType = BreakServices().GetCpuTypeCode();
    const DWORD limit = BreakServices().GetDataLimit();
    DWORD address = 0;
    if (!Evaluate(FieldText(kBrkAddress), address) || address > limit) {
        return Refuse(kBrkAddress);
    }
    const bool quad = IsQuadWordCpu(cpuType);
    const int entry = Selection(kBrkSize);
    if (!ReadDataValue(FieldText(kBrkData), entry, quad ? 4 : 3)) {
        return Refuse(kBrkData);
    }
    const WORD size = quad ? SizeOf(kSizesWithQuad, entry) : SizeOf(kSizesWithoutQuad, entry);
    const bool even = (address & 1u) == 0;
    const bool byteFirst = IsByteFirstCpu(cpuType);
    bool addressFits = true;
    DWORD valueLimit = 0xFFFFFFFFu;
    switch (size) {
        case 0:
            return Refuse(kBrkSize);
        case 1:
            valueLimit = 0xFF;
            break;
        case 2:
            addressFits = even;
            valueLimit = 0xFFFF;
            break;
        case 4:
        case kSingleFloat:
            addressFits = byteFirst ? even && FitsBelow(address, 3, limit) : address % 4 == 0;
            break;
        case 8:
            addressFits = address % 8 == 0;
            break;
        default:  // double float
            addressFits = byteFirst ? even && FitsBelow(address, 7, limit)
                                    : address % 4 == 0 && address != 0xFFFFFFFCu;
            break;
    }
    if (!addressFits) {
        return Refuse(kBrkAddress);
    }
    if (valueLow > valueLimit) {
        return Refuse(kBrkData);
    }
    dataAddress = address;
    dataSize = size;
    compareMode = IsChecked(kBrkEqual) ? 0 : 1;
    return TRUE;
}

BOOL CSetBrk1::CheckRegisterBreak() {
    if (FieldText(kBrkRegister).IsEmpty()) {
        return Refuse(kBrkRegister);
    }
    // The register list is empty, so no typed name resolves.
    registerNumber = 0xFFFF;
    const CString text = FieldText(kBrkData);
    const int entry = Selection(kBrkSize);
    if (text.IsEmpty()) {
        valueLow = 0;
        valueHigh = 0;
    } else if (!ReadDataValue(text, entry, 3)) {
        return Refuse(kBrkData);
    }
    const WORD size = SizeOf(kSizesWithoutQuad, entry);
    if (size == 0) {
        return Refuse(kBrkSize);
    }
    if ((size == 1 && valueLow > 0xFF) || (size == 2 && valueLow > 0xFFFF)) {
        return Refuse(kBrkData);
    }
    dataSize = size;
    compareMode = text.IsEmpty() ? 2 : IsChecked(kBrkEqual) ? 0 : 1;
    return TRUE;
}

BOOL CSetBrk1::CheckSequenceBreak() {
    sequenceCount = 0;
    if (FieldText(kBrkSequence[0]).IsEmpty()) {
        return Refuse(kBrkSequence[0]);
    }
    const DWORD limit = BreakServices().GetTopAddress();
    for (std::size_t step = 0; step < sequenceAddresses.size(); ++step) {
        const CString text = FieldText(kBrkSequence[step]);
        if (text.IsEmpty()) {
            break;
        }
        DWORD address = 0;
        if (!Evaluate(text, address) || address > limit || (address & 1u) != 0) {
            return Refuse(kBrkSequence[step]);
        }
        sequenceAddresses[step] = address;
        ++sequenceCount;
    }
    return TRUE;
}

BOOL CSetBrk1::CheckCycleBreak() {
    DWORD period = 0;
    if (!Evaluate(FieldText(kBrkCycle), period) || period == 0) {
        return Refuse(kBrkCycle);
    }
    cycle = period;
    if (IsChecked(kBrkAll)) {
        cycleCount = 0;
        return TRUE;
    }
    DWORD times = 0;
    if (!Evaluate(FieldText(kBrkTimesText), times, 10) || times == 0 || times > kMaxTimes) {
        return Refuse(kBrkTimesText);
    }
    cycleCount = static_cast<WORD>(times);
    return TRUE;
}

BOOL CSetBrk1::CheckCfgAccessBreak() {
    DWORD start = 0;
    if (!Evaluate(FieldText(kBrkCfgStart), start)) {
        return Refuse(kBrkCfgStart);
    }
    DWORD end = 0;
    if (!Evaluate(FieldText(kBrkCfgEnd), end) || start > end) {
        return Refuse(kBrkCfgEnd);
    }
    cfgStart = start;
    cfgEnd = end;
    accessType = AccessTypeOf(Selection(kBrkAccessType));
    return TRUE;
}

BOOL CSetBrk1::CheckCfgDataBreak() {
    DWORD number = 0;
    if (!Evaluate(FieldText(kBrkCfgNumber), number)) {
        return Refuse(kBrkCfgNumber);
    }
    cfgNumber = number;
    const int entry = Selection(kBrkSize);
    if (!ReadDataValue(FieldText(kBrkData), entry, -1)) {
        return Refuse(kBrkData);
    }
    const WORD size = SizeOf(kCfgSizes, entry);
    if (size == 0) {
        return Refuse(kBrkSize);
    }
    if ((size == 1 && valueLow > 0xFF) || (size == 2 && valueLow > 0xFFFF)) {
        return Refuse(kBrkData);
    }
    dataSize = size;
    compareMode = IsChecked(kBrkEqual) ? 0 : 1;
    return TRUE;
}
