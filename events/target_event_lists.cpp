// The event handler's host lists: list 0 the PC breaks of the break manager
// by PC list position, list 1 the break-condition channels; the channel's
// sheet from the list, and the compaction of a data-break device's channels
// after one was removed.
#include "events/target_event_vk3.h"

#include "breaks/break_manager.h"
#include "events/break_channel_commands.h"
#include "config/break_channels.h"
#include "events/break_condition_rules.h"
#include "events/break_condition_set.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/target_config.h"

#include <string>

namespace {

constexpr char kListKinds[] = "Breakpoint\tBreakcondition";
constexpr DWORD kStateEnabled = 1;
constexpr DWORD kStateDisabled = 2;
constexpr DWORD kKindCodePcBreak = 6;
constexpr DWORD kKindCodeChannel = 0;
constexpr DWORD kNoAddress = 0xFFFFFFFF;

bool InRange(LONG index, LONG count) {
    return index >= 0 && index < count;
}

}  // namespace

HRESULT CTargetEventVk3::GetListKinds(BSTR* header) {
    m_listIds = {kPcList, kChannelList};
    if (header != nullptr) {
        *header = platform::Bstr(std::string(kListKinds)).Detach();
    }
    return S_OK;
}

HRESULT CTargetEventVk3::GetItemText(LONG list, LONG index, CEventItemInfo** row) {
    if (row == nullptr || (list != kPcList && list != kChannelList)) {
        return S_OK;
    }
    *row = nullptr;
    if (!InRange(index, GetConditionCount(list))) {
        return S_OK;
    }
    const auto number = static_cast<DWORD>(index + 1);
    if (list == kPcList) {
        const CTBreakPcContents* record = Manager()->GetPcBreakAt(static_cast<DWORD>(index));
        if (record == nullptr) {
            return S_OK;
        }
        *row = m_row.Fill({number, "Breakpoint", record->IsEnabled() ? kStateEnabled : kStateDisabled,
                           kKindCodePcBreak, record->GetAddress(), -1, "", "Break"});
        return S_OK;
    }
    CBreakConditionSet* set = Set();
    if (set == nullptr) {
        return S_OK;
    }
    const BreakChannelRecord& third = g_breakChannels[2];
    const bool impossible = index == 3 && third.enable == 1 && third.kind == 1;
    const CBreakConditionSet::EventRow* eventRow = nullptr;
    set->BuildEventRows(static_cast<DWORD>(index), &eventRow);
    *row = m_row.Fill({number, impossible ? "Impossible setup" : "Break condition",
                       Record(index).channelWord == 1 ? kStateEnabled : kStateDisabled, kKindCodeChannel,
                       eventRow->address, -1, static_cast<LPCSTR>(eventRow->conditionText),
                       static_cast<LPCSTR>(eventRow->kindText)});
    return S_OK;
}

HRESULT CTargetEventVk3::GetItemState(LONG list, LONG index, DWORD* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    DWORD bits = kStateAlways;
    const LONG count = GetConditionCount(list);
    if (list == kPcList && !IsTargetRunning()) {
        if (index == kAll) {
            bits |= (count < kSnapshotEntries ? kStateCanAdd : 0) | (count > 0 ? kStateAnyItem : 0);
        } else if (InRange(index, count)) {
            const CTBreakPcContents* record = Manager()->GetPcBreakAt(static_cast<DWORD>(index));
            if (record != nullptr) {
                bits |= kStateCanEdit | kStateCanRemove | (record->IsEnabled() ? kStateCanDisable : kStateCanEnable);
            }
        }
    } else if (list == kChannelList && Set() != nullptr) {
        if (index == kAll) {
            bits |= Set()->GetChannelFlag(-1) != 0 ? kStateAnyItem : 0;
        } else if (InRange(index, count)) {
            const CEventConditionRecord& record = Record(index);
            bits |= kStateCanEdit;
            if (record.conditionFlag != 0) {
                bits |= (record.channelWord == 1 ? kStateCanDisable : kStateCanEnable) | kStateCanRemove;
            }
        }
    }
    *state = bits;
    return S_OK;
}

HRESULT CTargetEventVk3::EnableItem(LONG list, LONG index, WORD flag) {
    const LONG count = GetConditionCount(list);
    if (index == kAll) {
        HRESULT result = S_OK;
        for (LONG n = 0; n < count; ++n) {
            result = EnableListItem(list, n, flag);
        }
        return count < 0 ? TE_INVALID_INDEX : result;
    }
    if (!InRange(index, count)) {
        return TE_INVALID_INDEX;
    }
    return EnableListItem(list, index, flag);
}

HRESULT CTargetEventVk3::EnableListItem(LONG list, LONG index, WORD flag) {
    if (list == kPcList) {
        Manager()->SetPcBreakEnable(static_cast<DWORD>(index), flag);
        return S_OK;
    }
    if (list == kChannelList && Set() != nullptr) {
        static_cast<void>(Set()->EnableChannel(static_cast<DWORD>(index), flag));  // answers 1
        return S_OK;
    }
    return TE_INVALID_INDEX;
}

HRESULT CTargetEventVk3::RemoveItem(LONG list, LONG index) {
    const LONG count = GetConditionCount(list);
    if (list == kPcList) {
        CTBreakManager* manager = Manager();
        if (manager != nullptr && (index == kAll || InRange(index, count))) {
            // -1 reaches the manager as every PC break.
            manager->RemovePcBreak(static_cast<DWORD>(index));
        }
        RefreshPcBreakTable();
        return S_OK;
    }
    CBreakConditionSet* set = Set();
    if (list != kChannelList || set == nullptr) {
        return S_OK;
    }
    if (index == kAll) {
        for (LONG n = 0; n < count; ++n) {
            set->ClearChannel(static_cast<DWORD>(n), 1);
        }
        return S_OK;
    }
    // A channel the device lacks: nothing to remove, and nothing failed.
    if (!InRange(index, count)) {
        return S_OK;
    }
    set->ClearChannel(static_cast<DWORD>(index), 1);
    if (break_rules::HwBreak1()) {
        CompactChannels();
    }
    return S_OK;
}

HRESULT CTargetEventVk3::ListOperation8(LONG list, DWORD /*value*/) {
    return list == kPcList ? TE_INVALID_INDEX : S_OK;
}

HRESULT CTargetEventVk3::ListOperation10(LONG list, DWORD /*first*/, DWORD /*second*/, WORD* out) {
    if (list == kChannelList && out != nullptr) {
        *out = 0;
    }
    return list == kPcList ? TE_INVALID_INDEX : S_OK;
}

HRESULT CTargetEventVk3::EditItem(LONG list, LONG index) {
    if (list == kPcList) {
        if (IsTargetRunning()) {
            AFX_MANAGE_STATE(AfxGetStaticModuleState());
            AfxMessageBox(res_id::kNotCurrentlyAvailable);
            return E_FAIL;
        }
        // A position past the PC breaks would edit a break of another kind.
        CTBreakManager* manager = Manager();
        if (manager == nullptr || (index != kAll && !InRange(index, GetConditionCount(list)))) {
            return TE_INVALID_INDEX;
        }
        manager->RunSetBreakDialog(index);
        return S_OK;
    }
    if (list == kChannelList) {
        return EditBreakCondition(index);
    }
    return S_OK;
}

HRESULT CTargetEventVk3::EditBreakCondition(LONG index) {
    CBreakConditionSet* set = Set();
    // A channel the device lacks has no sheet to show.
    if (set == nullptr || !InRange(index, GetConditionCount(kChannelList))) {
        return S_OK;
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (GetBreakConditionMode() == 1) {
        AfxMessageBox("Cannot use this mode", MB_ICONEXCLAMATION);
        return S_OK;
    }
    const CEventConditionRecord& third = Record(2);
    if (break_rules::HwBreak1() && index == 3 && third.addressDontCare == 0 && third.addressKind == 0) {
        AfxMessageBox("Too many event points.\nThe data break point is already set up.", MB_ICONEXCLAMATION);
        return S_OK;
    }
    CopyEventState();
    set->listEditActive = 1;
    set->EditChannel(static_cast<DWORD>(index), 1);
    set->listEditActive = 0;
    ApplyEventState();
    return S_OK;
}

void CTargetEventVk3::CompactChannels() {
    CBreakConditionSet& set = *Set();
    const bool repack = GetBreakConditionMode() == 0;
    const int count = static_cast<int>(GetConditionCount(kChannelList));
    std::array<DWORD, 4> addresses{kNoAddress, kNoAddress, kNoAddress, kNoAddress};
    std::array<DWORD, 4> enabled{};
    bool thirdKept = false;
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<DWORD>(i);
        DWORD address = 0;
        const bool held = set.Sheet(n).GetAddress(&address);
        if (held) {
            addresses[n] = address;
        }
        // A data break in the third channel keeps it and those after it.
        if (i == 2 && held && set.Sheet(n).page2.addressKind == 0) {
            thirdKept = true;
            break;
        }
        enabled[n] = set.GetChannelWord(n);
    }
    for (std::size_t n = 0; n < static_cast<std::size_t>(count); ++n) {
        set.SetMark(static_cast<DWORD>(n), addresses[n], enabled[n]);
    }
    set.echoOffWhileRemoving = 1;
    if (set.listEditActive != 1) {
        const int end = thirdKept ? 2 : count;  // the channels that move
        int empty = end;
        for (int i = 0; i < end; ++i) {
            if (addresses[static_cast<std::size_t>(i)] == kNoAddress) {
                empty = i;
                break;
            }
        }
        for (int i = empty; i + 1 < end; ++i) {
            const auto n = static_cast<DWORD>(i);
            set.SetMark(n, set.MarkAddress(n + 1), set.MarkEnabled(n + 1));
            set.SetMark(n + 1, kNoAddress, 0);
        }
        for (int i = empty; i < end; ++i) {
            if (addresses[static_cast<std::size_t>(i)] != kNoAddress) {
                set.ClearChannel(static_cast<DWORD>(i), 1);
            }
        }
        for (int i = empty; i < end && repack; ++i) {
            const DWORD address = addresses[static_cast<std::size_t>(i)];
            if (address == kNoAddress || set.ToggleAtAddress(-1, address, address) != 0) {
                continue;
            }
            // Only a condition placed again is disabled and marked so, in
            // the channel it went to.
            const int placed = set.FindChannelByAddress(address, address, -1);
            if (placed >= 0 && enabled[static_cast<std::size_t>(i)] == 0) {
                set.ClearChannel(static_cast<DWORD>(placed), 0);
                set.SetMark(static_cast<DWORD>(placed), address, 0);
            }
        }
        ApplyEventState();
    }
    set.echoOffWhileRemoving = 0;
}
