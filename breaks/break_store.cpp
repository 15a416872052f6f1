// The save and restore of the software breaks as keyed texts: per kind a
// count key and one key per record, "T_BREAK_" + the kind's id + its index.
// The PC Stop breaks are the host's own breakpoints and are not written.
#include "breaks/break_action_text.h"
#include "breaks/break_manager.h"

#include "frame/error_codes.h"
#include "frame/host_profile_accessor.h"
#include "util/scan_values.h"

#include <cstdio>
#include <cstring>

namespace {

// What a store answers for a key it does not hold.
constexpr char kAbsent[] = "ERROR";
// The action suffix of a record value is read into this many characters.
constexpr std::size_t kSuffixLimit = 299;

struct KindKeys {
    const char* countName;
    const char* recordId;
};

constexpr std::array<KindKeys, kBreakKindCount> kKeys = {{
    {"PC_BREAK_COUNT", "BP"},
    {"BREAK_ACCESS_COUNT", "BA"},
    {"BREAK_DATA_COUNT", "BD"},
    {"BREAK_REGISTER_COUNT", "BR"},
    {"BREAK_SEQUENCE_COUNT", "BS"},
    {"BREAK_CYCLE_COUNT", "BCY"},
    {"BREAK_CFG_ACCESS_COUNT", "BCA"},
    {"BREAK_CFG_DATA_COUNT", "BCD"},
}};

std::string CountKey(std::size_t kind) {
    return std::string("T_BREAK_") + kKeys[kind].countName;
}

std::string RecordKey(std::size_t kind, DWORD index) {
    return std::string("T_BREAK_") + kKeys[kind].recordId + std::to_string(index);
}

template <typename... Values>
std::string Format(const char* format, Values... values) {
    char text[160] = {};
    std::snprintf(text, sizeof(text), format, values...);
    return text;
}

unsigned U(DWORD value) {
    return static_cast<unsigned>(value);
}

int I(DWORD value) {
    return static_cast<int>(value);
}

// The record's own fields as the save writes them.
std::string RecordFields(BreakKind kind, const CTBreakContents& record) {
    const int enable = record.GetEnable();
    switch (kind) {
        case BreakKind::Pc: {
            const auto& pc = static_cast<const CTBreakPcContents&>(record);
            return Format("%08X,%d,%d", U(pc.GetAddress()), I(pc.GetPassCount()), enable);
        }
        case BreakKind::Access:
        case BreakKind::CfgAccess: {
            const auto& range = static_cast<const CTBreakRangeContents&>(record);
            return Format("%08X,%08X,%d,%d", U(range.GetLow()), U(range.GetHigh()), int{range.GetAccessType()},
                          enable);
        }
        case BreakKind::Data:
        case BreakKind::CfgData: {
            const auto& value = static_cast<const CTBreakValueContents&>(record);
            return Format("%08X,%08X,%08X,%02X,%d,%d", U(record.GetAddress()), U(value.GetValueLow()),
                          U(value.GetValueHigh()), unsigned{value.GetSize()}, int{value.GetCompareMode()}, enable);
        }
        case BreakKind::Register: {
            const auto& reg = static_cast<const CTBreakRegisterContents&>(record);
            return Format("%d,%08X,%08X,%02X,%d,%d", int{reg.GetRegisterNumber()}, U(reg.GetValueLow()),
                          U(reg.GetValueHigh()), unsigned{reg.GetSize()}, int{reg.GetCompareMode()}, enable);
        }
        case BreakKind::Sequence: {
            const auto& sequence = static_cast<const CTBreakSequenceContents&>(record);
            const auto& a = sequence.GetAddresses();
            return Format("%d,%08X,%08X,%08X,%08X,%08X,%08X,%08X,%08X,%d", int{sequence.GetStepCount()}, U(a[0]),
                          U(a[1]), U(a[2]), U(a[3]), U(a[4]), U(a[5]), U(a[6]), U(a[7]), enable);
        }
        case BreakKind::Cycle: {
            const auto& cycle = static_cast<const CTBreakCycleContents&>(record);
            return Format("%08X,%d,%d", U(cycle.GetPeriod()), I(cycle.GetCount()), enable);
        }
    }
    return {};
}

// Writes keys until one fails; then the rest are skipped.
class CStoreWriter {
public:
    explicit CStoreWriter(CHostProfileAccessor& store) : m_store(store) {}
    void Write(const std::string& key, const std::string& value) {
        if (FAILED(m_result)) {
            return;
        }
        m_result = m_store.WriteString(key.c_str(), value.c_str());
    }
    HRESULT Result() const { return m_result; }

private:
    CHostProfileAccessor& m_store;
    HRESULT m_result = S_OK;
};

// The fields of one record value, as its kind's reading takes them.
struct RecordReading {
    DWORD numbers[10] = {};
    char suffix[kSuffixLimit + 2] = {};

    // The value read with the format, which must give fields conversions,
    // the last the suffix; false when it does not or the suffix is too long.
    template <typename... Numbers>
    bool Read(const std::string& value, const char* format, int fields, Numbers... indexes) {
        const int read = ScanValues(value.c_str(), format, &numbers[indexes]..., suffix);
        return read == fields && std::strlen(suffix) <= kSuffixLimit;
    }
};

}  // namespace

HRESULT CTBreakManager::SaveBreaks(CHostProfileAccessor& store) {
    CStoreWriter writer(store);
    for (std::size_t n = 0; n < kBreakKindCount; ++n) {
        const BreakKind kind = static_cast<BreakKind>(n);
        const CTBreakList& list = *m_lists[n];
        const bool skipStop = kind == BreakKind::Pc;
        const DWORD count = skipStop ? list.GetCount() - list.GetStopCount() : list.GetCount();
        writer.Write(CountKey(n), Format("%d", I(count)));
        DWORD index = 0;
        for (DWORD position = 0; position < list.GetCount(); ++position) {
            const CTBreakContents& record = *list.GetAt(position);
            if (skipStop && record.GetActionType() == break_action::kStop) {
                continue;
            }
            writer.Write(RecordKey(n, index++), RecordFields(kind, record) + FormatBreakActionText(*record.GetAction()));
        }
    }
    return writer.Result();
}

HRESULT CTBreakManager::SetEnableOfAdded(BreakKind kind, WORD enable) {
    CTBreakContents* added = List(kind).GetLastAdded();
    if (added == nullptr) {
        return TE_NOT_AVAILABLE;
    }
    added->SetEnable(enable);
    return S_OK;
}

HRESULT CTBreakManager::LoadBreaks(CHostProfileAccessor& store) {
    RemoveByGlobalIndex(CTBreakList::kAll, 0);
    for (std::size_t n = 0; n < kBreakKindCount; ++n) {
        const BreakKind kind = static_cast<BreakKind>(n);
        CString countText;
        store.ReadString(CountKey(n).c_str(), kAbsent, countText);
        if (countText == kAbsent) {
            continue;
        }
        LONG count = 0;
        if (ScanValues(countText.Str().c_str(), "%d", &count) != 1) {
            return TE_NOT_AVAILABLE;
        }
        for (LONG index = 0; index < count; ++index) {
            CString value;
            store.ReadString(RecordKey(n, static_cast<DWORD>(index)).c_str(), kAbsent, value);
            if (value == kAbsent) {
                return TE_NOT_AVAILABLE;
            }
            const std::string text = value.Str();
            RecordReading r;
            bool read = false;
            WORD enable = 0;
            switch (kind) {
                case BreakKind::Pc:
                case BreakKind::Cycle:
                    read = r.Read(text, "%x,%d,%d,%s", 4, 0, 1, 2);
                    enable = static_cast<WORD>(r.numbers[2]);
                    break;
                case BreakKind::Access:
                case BreakKind::CfgAccess:
                    read = r.Read(text, "%x,%x,%d,%d,%s", 5, 0, 1, 2, 3);
                    enable = static_cast<WORD>(r.numbers[3]);
                    break;
                case BreakKind::Data:
                case BreakKind::CfgData:
                    read = r.Read(text, "%x,%x,%x,%x,%d,%d,%s", 7, 0, 1, 2, 3, 4, 5);
                    enable = static_cast<WORD>(r.numbers[5]);
                    break;
                case BreakKind::Register:
                    read = r.Read(text, "%d,%x,%x,%x,%d,%d,%s", 7, 0, 1, 2, 3, 4, 5);
                    enable = static_cast<WORD>(r.numbers[5]);
                    break;
                case BreakKind::Sequence:
                    read = r.Read(text, "%d,%x,%x,%x,%x,%x,%x,%x,%x,%d,%s", 11, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9);
                    enable = static_cast<WORD>(r.numbers[9]);
                    break;
            }
            BreakActionDesc desc;
            if (!read || FAILED(ParseBreakActionText(desc, r.suffix, text.c_str()))) {
                return TE_NOT_AVAILABLE;
            }
            const DWORD* f = r.numbers;
            WORD made = 0;
            switch (kind) {
                case BreakKind::Pc:
                    // A Stop break is the host's: a store never holds one.
                    made = desc.type != break_action::kStop ? AddPcBreak(f[0], f[1], desc) : 0;
                    break;
                case BreakKind::Access:
                    made = AddAccessBreak(f[0], f[1], static_cast<WORD>(f[2]), &desc);
                    break;
                case BreakKind::Data:
                    made = AddDataBreak(f[0], f[1], static_cast<WORD>(f[3]), static_cast<WORD>(f[4]), f[2], &desc);
                    break;
                case BreakKind::Register:
                    made = AddRegisterBreak(static_cast<WORD>(f[0]), f[1], static_cast<WORD>(f[3]),
                                            static_cast<WORD>(f[4]), f[2], &desc);
                    break;
                case BreakKind::Sequence: {
                    const CTBreakSequenceContents::Addresses addresses{f[1], f[2], f[3], f[4], f[5], f[6], f[7], f[8]};
                    made = AddSequenceBreak(static_cast<WORD>(f[0]), addresses, &desc);
                    break;
                }
                case BreakKind::Cycle:
                    made = AddCycleBreak(f[0], f[1], &desc);
                    break;
                case BreakKind::CfgAccess:
                    made = AddCfgAccessBreak(f[0], f[1], static_cast<WORD>(f[2]), &desc);
                    break;
                case BreakKind::CfgData:
                    made = AddCfgDataBreak(f[0], f[1], static_cast<WORD>(f[3]), static_cast<WORD>(f[4]), f[2], &desc);
                    break;
            }
            if (made == 0 || FAILED(SetEnableOfAdded(kind, enable))) {
                return TE_NOT_AVAILABLE;
            }
        }
    }
    return S_OK;
}
