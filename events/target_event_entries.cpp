// The event handler's entry points for the view columns, the console and the
// break manager, and its snapshot of the PC breaks.
#include "events/target_event_vk3.h"

#include "breaks/break_manager.h"
#include "breaks/pc_break_notices.h"
#include "events/break_condition_set.h"
#include "frame/host_event.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

#include <string>

void CTargetEventVk3::NotifyChannelsChanged() const {
    if (m_host != nullptr) {
        const CHostEvent event(EVENT_BreakConditionChanged);
        static_cast<void>(m_host->PostEvent(event.GetNotice()));  // nothing is awaited
    }
}

bool CTargetEventVk3::IsListRegistered(LONG list) const {
    return (list == kPcList || list == kChannelList) && m_listIds[static_cast<std::size_t>(list)] != -1;
}

int CTargetEventVk3::FindChannelByAddress(DWORD address, DWORD address2, int n) const {
    const CBreakConditionSet* set = Set();
    return set != nullptr ? set->FindChannelByAddress(address, address2, n) : -1;
}

HRESULT CTargetEventVk3::SetChannelCondition(DWORD channel, DWORD address, DWORD address2) {
    if (CBreakConditionSet* set = Set(); set != nullptr && channel < kChannels && GetBreakConditionMode() == 0) {
        static_cast<void>(set->SetAtAddress(channel, address, address2));  // a refusal was reported there
        ApplyEventState();
    }
    NotifyChannelsChanged();
    return S_OK;
}

HRESULT CTargetEventVk3::RefreshChannel(DWORD channel) {
    if (CBreakConditionSet* set = Set(); set != nullptr && channel < kChannels && GetBreakConditionMode() == 0) {
        set->listEditActive = 1;
        set->EditChannel(channel, 1);
        set->listEditActive = 0;
        ApplyEventState();
    }
    NotifyChannelsChanged();
    return S_OK;
}

HRESULT CTargetEventVk3::ActivateChannel(DWORD channel) {
    if (Set() != nullptr && channel < kChannels && GetBreakConditionMode() == 0) {
        static_cast<void>(RemoveItem(kChannelList, static_cast<LONG>(channel)));  // a channel the device lacks stays
        ApplyEventState();
    }
    NotifyChannelsChanged();
    return S_OK;
}

HRESULT CTargetEventVk3::ToggleConditionAtAddress(int channel, DWORD address, DWORD address2) {
    CBreakConditionSet* set = Set();
    if (set != nullptr && GetBreakConditionMode() == 0) {
        if (channel >= 0 && channel < kChannels) {
            static_cast<void>(RemoveItem(kChannelList, channel));  // a channel the device lacks stays
            MarkSessionModified();
        } else if (channel == -1) {
            if (set->ToggleAtAddress(-1, address, address2) == -1 && m_host != nullptr) {
                const platform::Bstr text(std::string("Too many event points."));
                static_cast<void>(m_host->ReportErrorText(text.Get()));  // the host's answer is not read
            }
            ApplyEventState();
            MarkSessionModified();
        }
    }
    NotifyChannelsChanged();
    return S_OK;
}

HRESULT CTargetEventVk3::ResetChannelsOnModeChange(DWORD flag) {
    CBreakConditionSet* set = Set();
    if (flag != 1 || set == nullptr) {
        return S_OK;
    }
    const LONG count = GetConditionCount(kChannelList);
    for (LONG n = 0; n < count; ++n) {
        set->ClearChannel(static_cast<DWORD>(n), 1);
    }
    ApplyEventState();
    if (CTargetVk3* target = GetTarget()) {
        target->RaiseHostEvent(CHostEvent(EVENT_BreakConditionChanged));
    }
    return S_OK;
}

bool CTargetEventVk3::SetPcBreakEnable(DWORD index, WORD flag) {
    if (index >= static_cast<DWORD>(kSnapshotEntries)) {
        return false;
    }
    m_snapshot[index].enable = flag;
    return true;
}

void CTargetEventVk3::SetAllPcBreaksEnable(WORD flag) {
    for (PcBreakEntry& entry : m_snapshot) {
        if (entry.count == 1) {
            entry.enable = flag;
        }
    }
}

void NotifyAllPcBreaksEnable(WORD enable) {
    if (CTargetEventVk3* events = GetTarget()->GetEventHandler(); events != nullptr) {
        events->SetAllPcBreaksEnable(enable);
    }
}

void NotifyPcBreakEnable(DWORD position, WORD enable) {
    if (CTargetEventVk3* events = GetTarget()->GetEventHandler(); events != nullptr) {
        events->SetPcBreakEnable(position, enable);
    }
}

void CTargetEventVk3::RefreshPcBreakTable() {
    const CTBreakManager* manager = Manager();
    LONG live = 0;
    const DWORD count = manager != nullptr ? manager->GetPcCount() : 0;
    for (DWORD n = 0; n < count && live < kSnapshotEntries; ++n) {
        if (const CTBreakPcContents* record = manager->GetPcBreakAt(n)) {
            m_snapshot[static_cast<std::size_t>(live++)] = {record->GetAddress(), record->IsEnabled() ? 1 : 0, 1};
        }
    }
    for (auto n = static_cast<std::size_t>(live); n < m_snapshot.size(); ++n) {
        m_snapshot[n] = {};
    }
    m_snapshotCount = live;
}
