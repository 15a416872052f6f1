#include "config/break_channels.h"

BreakChannelTable g_breakChannels{};
BreakChannelTable g_appliedBreakChannels{};

void SetTemporaryBreak(DWORD address) {
    g_appliedBreakChannels = {};
    BreakChannelRecord& channel = g_appliedBreakChannels[0];
    channel.enable = 1;
    channel.kind = kBreakKindAddress;
    channel.address = address;
    channel.pcBefore = 1;
}
