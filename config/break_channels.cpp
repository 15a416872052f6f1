#include "config/break_channels.h"

#include "config/device_data.h"

#include <algorithm>
#include <cstring>

BreakChannelTable g_breakChannels{};
BreakChannelTable g_appliedBreakChannels{};

void CopyWorkingChannels(std::size_t count, std::size_t bytes) {
    const std::size_t channels = std::min(count, kBreakChannelCount);
    for (std::size_t n = 0; n < channels; ++n) {
        std::memcpy(&g_appliedBreakChannels[n], &g_breakChannels[n], std::min(bytes, sizeof(BreakChannelRecord)));
    }
}

std::size_t DeviceChannelCount() {
    return std::min<std::size_t>(g_deviceValues.addressBreakCount, kBreakChannelCount);
}

void SetTemporaryBreak(DWORD address) {
    g_appliedBreakChannels = {};
    BreakChannelRecord& channel = g_appliedBreakChannels[0];
    channel.enable = 1;
    channel.kind = kBreakKindAddress;
    channel.address = address;
    channel.pcBefore = 1;
}
