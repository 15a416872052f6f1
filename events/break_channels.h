// The on-chip break-condition channels as they were last applied to the
// emulator: eight records of 336 bytes, read by the firmware command layer
// when it programs the chip's break registers before a go, and rewritten by
// the go path for a temporary break.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>

// Condition kinds of a channel record.
inline constexpr DWORD kBreakKindDataAccess = 1;
inline constexpr DWORD kBreakKindAddress = 2;

struct BreakChannelRecord {
    DWORD enable;        // 0: nonzero when the channel is in use
    DWORD kind;          // 4: kBreakKindAddress or kBreakKindDataAccess
    DWORD address;       // 8
    DWORD accessCycle;   // 12: data condition: 1, 2 or 3 choose the cycle bits of the break control
    DWORD dataCompare;   // 16: data condition: nonzero when the data value is compared
    DWORD dataValue;     // 20: data condition: the value for the break data register
    BYTE reserved24[4];
    DWORD temporary;     // 28: 1 for the temporary break of a step or a resumed suspend
    BYTE reserved32[8];
    DWORD busKind;       // 40: data condition: 0, 10 or 11 choose the bus bits of the break control
    BYTE reserved44[292];

    // An enabled address break, the kind of channel the break registers hold.
    bool IsAddressBreak() const { return enable != 0 && kind == kBreakKindAddress; }
};
static_assert(sizeof(BreakChannelRecord) == 336, "a channel record is 336 bytes");
static_assert(offsetof(BreakChannelRecord, kind) == 4);
static_assert(offsetof(BreakChannelRecord, address) == 8);
static_assert(offsetof(BreakChannelRecord, accessCycle) == 12);
static_assert(offsetof(BreakChannelRecord, dataCompare) == 16);
static_assert(offsetof(BreakChannelRecord, dataValue) == 20);
static_assert(offsetof(BreakChannelRecord, temporary) == 28);
static_assert(offsetof(BreakChannelRecord, busKind) == 40);

inline constexpr std::size_t kBreakChannelCount = 8;
extern std::array<BreakChannelRecord, kBreakChannelCount> g_appliedBreakChannels;

// Clears every channel and makes channel 0 an enabled temporary address
// break at address.
void SetTemporaryBreak(DWORD address);
