#include "events/break_condition_table.h"

#include "events/break_channel_apply.h"
#include "config/break_channels.h"
#include "events/break_condition_echo.h"
#include "frame/host_event.h"
#include "config/device_data.h"
#include "target/memory_lock.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

#include "platform/host/break_condition_interfaces.h"
#include "platform/host/ids.h"
#include "platform/host/status_interfaces.h"

#include <cstdio>
#include <string>

namespace {

std::string Formatted(const char* format, auto... values) {
    char line[96];
    std::snprintf(line, sizeof(line), format, values...);
    return line;
}

// A record write under the memory lock: the go thread copies the working
// table at each resume.
template <typename Write>
void Locked(Write write) {
    LockMemoryAccess(TRUE);
    write();
    LockMemoryAccess(FALSE);
}

}  // namespace

int CBreakConditionTable::GetChannelCount() const {
    return static_cast<int>(DeviceChannelCount());
}

bool CBreakConditionTable::IsSet(int n) {
    return g_breakChannels[static_cast<std::size_t>(n)].kind == kBreakKindAddress;
}

bool CBreakConditionTable::GetChannel(int n, DWORD* address, bool* enabled) const {
    if (!Valid(n) || !IsSet(n)) {
        return false;
    }
    const BreakChannelRecord& record = g_breakChannels[static_cast<std::size_t>(n)];
    *address = record.address;
    *enabled = record.enable == 1;
    return true;
}

DWORD CBreakConditionTable::SetChannel(int n, DWORD address) {
    if (!Valid(n) || !IsAddressInRange(address)) {
        return 0;
    }
    BreakChannelRecord record{};
    record.enable = 1;
    record.kind = kBreakKindAddress;
    record.address = address;
    record.pcBefore = 1;
    record.direction = 10;
    Locked([&] { g_breakChannels[static_cast<std::size_t>(n)] = record; });
    Changed(Formatted("breakcondition_set channel %i address 0x%x pcbefore", n + 1, static_cast<unsigned>(address)));
    return 1;
}

DWORD CBreakConditionTable::ClearChannel(int n) {
    if (!Valid(n)) {
        return 0;
    }
    if (!IsSet(n)) {
        return 1;
    }
    Locked([&] { g_breakChannels[static_cast<std::size_t>(n)] = BreakChannelRecord{}; });
    Changed(Formatted("breakcondition_clear channel %i", n + 1));
    return 1;
}

DWORD CBreakConditionTable::EnableChannel(int n, DWORD flag) {
    if (!Valid(n) || !IsSet(n)) {
        return 0;
    }
    Locked([&] { g_breakChannels[static_cast<std::size_t>(n)].enable = flag == 1 ? 1 : 0; });
    Changed(Formatted("breakcondition_enable %s channel %i", flag == 1 ? "enable" : "disable", n + 1));
    return 1;
}

bool CBreakConditionTable::FindFreeChannel(int* n) const {
    for (int channel = 0; channel < GetChannelCount(); ++channel) {
        if (!IsSet(channel)) {
            *n = channel;
            return true;
        }
    }
    return false;
}

int CBreakConditionTable::CountSetChannels() const {
    int count = 0;
    for (int channel = 0; channel < GetChannelCount(); ++channel) {
        count += IsSet(channel) ? 1 : 0;
    }
    return count;
}

bool CBreakConditionTable::FindChannelByAddress(DWORD address, bool* enabled, int* n) const {
    for (int channel = 0; channel < GetChannelCount(); ++channel) {
        const BreakChannelRecord& record = g_breakChannels[static_cast<std::size_t>(channel)];
        if (IsSet(channel) && record.address == address) {
            *enabled = record.enable == 1;
            *n = channel;
            return true;
        }
    }
    return false;
}

void CBreakConditionTable::GetAddressRange(DWORD* low, DWORD* high) const {
    *low = 0;
    *high = g_deviceValues.maxAddr;
    IHAddressRange* range = nullptr;
    if (m_owner != nullptr) {
        static_cast<void>(m_owner->QueryService(IID_IHAddressRange, reinterpret_cast<void**>(&range)));
    }
    if (range != nullptr) {
        *low = *high = 0;
        static_cast<void>(range->GetRange(low, high));  // the result is not read
    }
}

bool CBreakConditionTable::IsAddressInRange(DWORD address) const {
    DWORD low = 0;
    DWORD high = 0;
    GetAddressRange(&low, &high);
    return low <= address && address <= high;
}

HRESULT CBreakConditionTable::Apply() {
    if (GetBreakModeValues().mode != 0) {
        return S_FALSE;
    }
    IHExecutionService* state = nullptr;
    if (m_owner != nullptr) {
        static_cast<void>(m_owner->QueryService(IID_IHExecutionService, reinterpret_cast<void**>(&state)));
    }
    if (state != nullptr) {
        const HRESULT running = state->QueryExecuting();
        if (FAILED(running)) {
            return running;
        }
    }
    WithTargetSuspended([this] { CopyWorkingChannels(static_cast<std::size_t>(GetChannelCount()),
                                                     sizeof(BreakChannelRecord)); });
    return S_OK;
}

void CBreakConditionTable::Changed(const std::string& line) {
    MarkSessionModified();
    EchoBreakConditionLine(line);
    NotifyChanged();
}

void CBreakConditionTable::NotifyChanged() {
    if (m_owner != nullptr) {
        const CHostEvent event(EVENT_BreakConditionChanged);
        static_cast<void>(m_owner->PostEvent(event.GetNotice()));  // nothing is awaited
    }
}
