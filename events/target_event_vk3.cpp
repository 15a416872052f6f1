// The event handler's records: their reset, their transfer to and from the
// channel sheets, the session save, and the counts of the host's lists.
#include "events/target_event_vk3.h"

#include "breaks/break_manager.h"
#include "events/break_condition_rules.h"
#include "events/break_condition_set.h"
#include "frame/host_profile_accessor.h"
#include "target/target_vk3.h"

#include <cstdio>

namespace {

// The list-1 count never passes the set's eight channels, whatever the
// device's channel count says.
constexpr LONG kMaxChannels = CTargetEventVk3::kChannels;

// The address page's fields copied between a channel sheet's page and a
// record, either way (both name them alike); the data fields only where the
// channel has them.
template <class From, class To>
void CopyAddressFields(const From& from, To& to, bool withData) {
    to.addressDontCare = from.addressDontCare;
    to.addressKind = from.addressKind;
    to.address = from.address;
    to.maskIndex = from.maskIndex;
    to.addressText = from.addressText;
    if (withData) {
        to.dataDontCare = from.dataDontCare;
        to.dataValue = from.dataValue;
        to.direction = from.direction;
        to.dataSize = static_cast<decltype(to.dataSize)>(from.dataSize);
    }
}

}  // namespace

CTargetEventVk3::CTargetEventVk3(IHostServiceProvider* host) : CServedHandler(host, IID_IHTBreakListServer) {
    ResetConditions();
}

void CTargetEventVk3::ResetConditions() {
    m_records.fill(CEventConditionRecord{});
}

bool CTargetEventVk3::Visited(int channel) {
    return break_rules::ChannelExists(channel);
}

CBreakConditionSet* CTargetEventVk3::Set() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetBreakConditionSet() : nullptr;
}

CTBreakManager* CTargetEventVk3::Manager() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? dynamic_cast<CTBreakManager*>(target->GetBreakHandler()) : nullptr;
}

void CTargetEventVk3::ApplyEventState() {
    CBreakConditionSet* set = Set();
    if (set == nullptr) {
        return;
    }
    for (int n = 0; n < kChannels; ++n) {
        if (!Visited(n)) {
            continue;
        }
        const auto channel = static_cast<DWORD>(n);
        CEventConditionRecord& record = Record(n);
        CSetBc& sheet = set->Sheet(channel);
        record.conditionFlag = static_cast<int>(set->GetChannelFlag(n));
        record.channelWord = static_cast<int>(set->GetChannelWord(channel));
        // Channel 2 has no data break: its data fields keep their defaults.
        CopyAddressFields(sheet.AddressPage(), record, n != 1);
        if (n == 0) {
            record.secondAddressDontCare = sheet.page2.addressDontCare;
            record.secondValueA = static_cast<int>(sheet.page2.extraValue1);
            record.secondMaskIndex = sheet.page2.maskIndex;
            record.secondValueB = static_cast<int>(sheet.page2.extraValue2);
            record.secondText1 = sheet.page2.extraText1;
            record.secondText2 = sheet.page2.extraText2;
            record.countDontCare = sheet.page4.dontCare;
            record.count = static_cast<int>(sheet.page4.value);
        }
        if (n < 2) {
            record.busState = sheet.page3.bus;
            record.busDirection = sheet.page3.direction;
            record.asidDontCare = sheet.page6.dontCare;
            record.asid = static_cast<int>(sheet.page6.value);
        }
    }
}

void CTargetEventVk3::CopyEventState() {
    CBreakConditionSet* set = Set();
    if (set == nullptr) {
        return;
    }
    for (int n = 0; n < kChannels; ++n) {
        if (Visited(n)) {
            set->Sheet(static_cast<DWORD>(n)).ResetPages();
        }
    }
    for (int n = 0; n < kChannels; ++n) {
        if (!Visited(n)) {
            continue;
        }
        const CEventConditionRecord& record = Record(n);
        CSetBc& sheet = set->Sheet(static_cast<DWORD>(n));
        CopyAddressFields(record, sheet.AddressPage(), n != 1);
        // The second address and the bus go with an access condition only.
        const bool access = record.addressKind == 0;
        if (n == 0 && access) {
            sheet.page2.addressDontCare = record.secondAddressDontCare;
            sheet.page2.extraValue1 = static_cast<DWORD>(record.secondValueA);
            sheet.page2.maskIndex = record.secondMaskIndex;
            sheet.page2.extraValue2 = static_cast<DWORD>(record.secondValueB);
            sheet.page2.extraText1 = record.secondText1;
            sheet.page2.extraText2 = record.secondText2;
        }
        if (n < 2 && access) {
            sheet.page3.bus = record.busState;
            sheet.page3.direction = record.busDirection;
        }
        if (n == 0) {
            sheet.page4.dontCare = record.countDontCare;
            sheet.page4.value = static_cast<DWORD>(record.count);
        }
        if (n < 2) {
            sheet.page6.dontCare = record.asidDontCare;
            sheet.page6.value = static_cast<DWORD>(record.asid);
        }
    }
}

HRESULT CTargetEventVk3::SaveEventConditions(CHostProfileAccessor& accessor) {
    HRESULT result = S_OK;
    for (int n = 0; n < 4 && !FAILED(result); ++n) {
        const CEventConditionRecord& record = Record(n);
        char value[128];
        if (n == 1) {
            std::snprintf(value, sizeof(value), "%d,%d,%d,%x,%d,%d", record.conditionFlag, record.channelWord,
                          record.addressDontCare, static_cast<unsigned>(record.address), record.addressKind,
                          record.maskIndex);
        } else {
            std::snprintf(value, sizeof(value), "%d,%d,%d,%x,%d,%d,%d,%d,%x,%d", record.conditionFlag,
                          record.channelWord, record.addressDontCare, static_cast<unsigned>(record.address),
                          record.addressKind, record.maskIndex, record.dataDontCare,
                          static_cast<int>(record.dataSize), static_cast<unsigned>(record.dataValue),
                          record.direction);
        }
        char key[24];
        std::snprintf(key, sizeof(key), "T_EVENT_BC%d", n + 1);
        result = accessor.WriteString(key, value);
    }
    return result;
}

LONG CTargetEventVk3::GetConditionCount(LONG list) const {
    if (list == kPcList) {
        // The rows of list 0 are the PC breaks; the other kinds have none.
        const CTBreakManager* manager = Manager();
        return manager != nullptr ? static_cast<LONG>(manager->GetPcCount()) : 0;
    }
    if (list != kChannelList) {
        return -1;
    }
    if (break_rules::HwBreak1()) {
        return 4;
    }
    if (!break_rules::Protocol234()) {
        return 2;
    }
    const DWORD count = g_deviceValues.addressBreakCount;
    return count < static_cast<DWORD>(kMaxChannels) ? static_cast<LONG>(count) : kMaxChannels;
}
