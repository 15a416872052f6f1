#include "events/break_channel_apply.h"

#include "config/break_channels.h"
#include "link/link_state.h"
#include "monitor/halt_control.h"
#include "config/device_data.h"
#include "target/memory_lock.h"

#include <algorithm>
#include <cstring>

void WithTargetSuspended(const std::function<void()>& work) {
    LockMemoryAccess(TRUE);
    if (g_haltControl == nullptr) {
        work();
    } else {
        g_targetSuspendRequest = 1;
        g_haltControl->SuspendTargetForAccess();
        work();
        g_haltControl->ResumeTargetAfterAccess();
        g_targetSuspendRequest = 0;
    }
    LockMemoryAccess(FALSE);
}

void CopyWorkingChannels(std::size_t count, std::size_t bytes) {
    const std::size_t channels = std::min(count, kBreakChannelCount);
    for (std::size_t n = 0; n < channels; ++n) {
        std::memcpy(&g_appliedBreakChannels[n], &g_breakChannels[n], std::min(bytes, sizeof(BreakChannelRecord)));
    }
}

std::size_t DeviceChannelCount() {
    return std::min<std::size_t>(g_deviceValues.addressBreakCount, kBreakChannelCount);
}
