// The "Set Break" sheet's run: its pages preset for a new break or for the
// break being edited, and on OK the break made from what the break-type page
// holds, with the action the action page keeps (the page is not shown).
#include "breaks/break_manager.h"

#include "breaks/break_services.h"
#include "breaks/set_break_action_page.h"
#include "breaks/set_break_preset.h"
#include "breaks/set_break_sheet.h"
#include "breaks/set_break_type_page.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

constexpr std::size_t kKeptFileNames = 4;

// The values of one break as the add operations take them. The address
// kinds keep their address (or first address) in first, a range's end in
// second.
struct BreakValues {
    BreakKind kind = BreakKind::Pc;
    std::vector<DWORD> pcAddresses;
    DWORD passCount = 0;
    DWORD first = 0;
    DWORD second = 0;
    WORD accessType = 0;
    WORD registerNumber = 0;
    DWORD valueLow = 0;
    DWORD valueHigh = 0;
    WORD size = 0;
    WORD compareMode = 0;
    WORD stepCount = 0;
    CTBreakSequenceContents::Addresses steps{};
    DWORD period = 0;
    DWORD count = 0;
};

// The break being edited: its record (until it is removed), its values and
// its action.
struct EditedBreak {
    const CTBreakContents* record;
    BreakValues values;
    BreakActionDesc action;
};

void TakeValues(BreakValues& values, const CTBreakValueContents& record) {
    values.valueLow = record.GetValueLow();
    values.valueHigh = record.GetValueHigh();
    values.size = record.GetSize();
    values.compareMode = record.GetCompareMode();
}

BreakValues ValuesOfRecord(BreakKind kind, const CTBreakContents& record) {
    BreakValues values;
    values.kind = kind;
    switch (kind) {
        case BreakKind::Pc: {
            const auto& pc = static_cast<const CTBreakPcContents&>(record);
            values.pcAddresses = {pc.GetAddress()};
            values.passCount = pc.GetPassCount();
            break;
        }
        case BreakKind::Access:
        case BreakKind::CfgAccess: {
            const auto& range = static_cast<const CTBreakRangeContents&>(record);
            values.first = range.GetLow();
            values.second = range.GetHigh();
            values.accessType = range.GetAccessType();
            break;
        }
        case BreakKind::Data:
        case BreakKind::CfgData:
            // The register and cycle records have no address to ask for.
            values.first = record.GetAddress();
            TakeValues(values, static_cast<const CTBreakValueContents&>(record));
            break;
        case BreakKind::Register: {
            const auto& registerBreak = static_cast<const CTBreakRegisterContents&>(record);
            values.registerNumber = registerBreak.GetRegisterNumber();
            TakeValues(values, registerBreak);
            break;
        }
        case BreakKind::Sequence: {
            const auto& sequence = static_cast<const CTBreakSequenceContents&>(record);
            values.stepCount = sequence.GetStepCount();
            values.steps = sequence.GetAddresses();
            break;
        }
        case BreakKind::Cycle: {
            const auto& cycle = static_cast<const CTBreakCycleContents&>(record);
            values.period = cycle.GetPeriod();
            values.count = cycle.GetCount();
            break;
        }
    }
    return values;
}

BreakValues ValuesOfPage(const CSetBrk1& page) {
    BreakValues values;
    values.kind = static_cast<BreakKind>(page.breakKind);
    for (const NameValueNode* node = page.pcAddresses.get(); node != nullptr; node = node->next) {
        values.pcAddresses.push_back(node->value);
    }
    values.passCount = page.passCount;
    values.accessType = page.accessType;
    values.registerNumber = page.registerNumber;
    values.valueLow = page.valueLow;
    values.valueHigh = page.valueHigh;
    values.size = page.dataSize;
    values.compareMode = page.compareMode;
    values.stepCount = page.sequenceCount;
    values.steps = page.sequenceAddresses;
    values.period = page.cycle;
    values.count = page.cycleCount;
    switch (values.kind) {
        case BreakKind::Access:
            values.first = page.accessStart;
            values.second = page.accessEnd;
            break;
        case BreakKind::CfgAccess:
            values.first = page.cfgStart;
            values.second = page.cfgEnd;
            break;
        case BreakKind::Data:
            values.first = page.dataAddress;
            break;
        case BreakKind::CfgData:
            values.first = page.cfgNumber;
            break;
        default:
            break;
    }
    return values;
}

// Whether the page asks for the break the record is (its action apart).
bool IsSameBreak(const BreakValues& record, const BreakValues& page) {
    if (record.kind != page.kind) {
        return false;
    }
    switch (page.kind) {
        case BreakKind::Pc:
            // Counts 0 and 1 both stop at the first hit.
            return page.pcAddresses == record.pcAddresses &&
                   std::max<DWORD>(page.passCount, 1) == std::max<DWORD>(record.passCount, 1);
        case BreakKind::Access:
        case BreakKind::CfgAccess:
            return page.first == record.first && page.second == record.second && page.accessType == record.accessType;
        case BreakKind::Data:
        case BreakKind::Register:
        case BreakKind::CfgData:
            return page.first == record.first && page.registerNumber == record.registerNumber &&
                   page.valueLow == record.valueLow && page.valueHigh == record.valueHigh &&
                   page.size == record.size && page.compareMode == record.compareMode;
        case BreakKind::Sequence:
            return page.stepCount == record.stepCount &&
                   std::equal(record.steps.begin(), record.steps.begin() + std::min<WORD>(page.stepCount, 8),
                              page.steps.begin());
        case BreakKind::Cycle:
            return page.period == record.period && page.count == record.count;
    }
    return false;
}

// Makes the break of the values; true when an add took (one of) them.
bool MakeBreak(CTBreakManager& manager, const BreakValues& values, const BreakActionDesc& desc) {
    bool made = false;
    switch (values.kind) {
        case BreakKind::Pc:
            for (const DWORD address : values.pcAddresses) {
                made = manager.AddPcBreak(address, values.passCount, desc) != 0 || made;
            }
            return made;
        case BreakKind::Access:
            return manager.AddAccessBreak(values.first, values.second, values.accessType, &desc) != 0;
        case BreakKind::Data:
            return manager.AddDataBreak(values.first, values.valueLow, values.size, values.compareMode,
                                        values.valueHigh, &desc) != 0;
        case BreakKind::Register:
            return manager.AddRegisterBreak(values.registerNumber, values.valueLow, values.size, values.compareMode,
                                            values.valueHigh, &desc) != 0;
        case BreakKind::Sequence:
            return manager.AddSequenceBreak(values.stepCount, values.steps, &desc) != 0;
        case BreakKind::Cycle:
            return manager.AddCycleBreak(values.period, values.count, &desc) != 0;
        case BreakKind::CfgAccess:
            return manager.AddCfgAccessBreak(values.first, values.second, values.accessType, &desc) != 0;
        case BreakKind::CfgData:
            return manager.AddCfgDataBreak(values.first, values.valueLow, values.size, values.compareMode,
                                           values.valueHigh, &desc) != 0;
    }
    return false;
}

// Whether a kind may take a new break: room in its list, and the CFG kinds
// only on the CPU types that have them.
bool IsOffered(const CTBreakManager& manager, std::size_t kind, DWORD capacity, DWORD cpuTypeCode) {
    const bool cfg = kind == static_cast<std::size_t>(BreakKind::CfgAccess) ||
                     kind == static_cast<std::size_t>(BreakKind::CfgData);
    return (!cfg || IsQuadWordCpu(cpuTypeCode)) && manager.GetKindBreakCount(static_cast<int>(kind)) != capacity;
}

void CopyFirst(std::vector<std::string>& to, const std::vector<std::string>& from, std::size_t most) {
    to.assign(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(std::min(most, from.size())));
}

}  // namespace

void CTBreakManager::RunSetBreakDialog(LONG index) {
    DoSetBreakDialog(index);
}

void CTBreakManager::DoSetBreakDialog(LONG index) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CSetBrk sheet("Set Break", nullptr, 0);
    CSetBrk1 typePage;
    CSetBrk2 actionPage(m_host);
    sheet.m_psh.dwFlags &= ~PSH_HASHELP;
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&typePage);
    typePage.pcRoom = m_pc.GetCapacity() - std::min(m_pc.GetCapacity(), GetPcCount());
    actionPage.inputFiles = m_inputFileNames;
    actionPage.outputFiles = m_outputFileNames;

    const DWORD cpuType = BreakServices().GetCpuTypeCode();
    std::optional<EditedBreak> edited;
    if (index == -1) {
        for (std::size_t kind = 0; kind < kBreakKindCount; ++kind) {
            typePage.kindOffered[kind] = IsOffered(*this, kind, m_lists[kind]->GetCapacity(), cpuType) ? 1 : 0;
        }
        PresetNewBreak(typePage, cpuType);
    } else {
        ++typePage.pcRoom;
        BreakKind kind{};
        DWORD position = 0;
        const CTBreakContents* record = Resolve(index, kind, position) ? GetBreakAt(kind, position) : nullptr;
        if (record != nullptr) {
            typePage.kindOffered[static_cast<std::size_t>(kind)] = 1;
            PresetEditedBreak(typePage, kind, *record, cpuType);
            PresetActionPage(actionPage, *record->GetAction());
            edited = EditedBreak{record, ValuesOfRecord(kind, *record),
                                 DescribeBreakAction(*record->GetAction())};
        }
    }
    if (sheet.DoModal() != IDOK) {
        return;
    }

    const BreakActionDesc desc = actionPage.ReadBack();
    const BreakValues values = ValuesOfPage(typePage);
    if (edited) {
        if (IsSameBreak(edited->values, values) && IsSameAction(*edited->record->GetAction(), desc)) {
            return;
        }
        RemoveByGlobalIndex(index, 1);
    }
    // The break that was edited comes back when nothing could be made in
    // its place.
    if (!MakeBreak(*this, values, desc) && edited) {
        static_cast<void>(MakeBreak(*this, edited->values, edited->action));  // as it was: nothing else to try
    }
    CopyFirst(m_inputFileNames, actionPage.inputFiles, kKeptFileNames);
    CopyFirst(m_outputFileNames, actionPage.outputFiles, kKeptFileNames);
}
