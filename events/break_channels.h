// The on-chip break-condition channels: eight records of 336 bytes. The
// working table (g_breakChannels) holds what the break-condition commands
// set; the monitor copies it into the applied table (g_appliedBreakChannels)
// when it prepares a run, and the firmware command layer programs the chip's
// break registers from the applied table before a go. The go path rewrites
// the applied table for a temporary break.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>

// Condition kinds of a channel record ("A=", "PC=", "XA=", "YA=").
inline constexpr DWORD kBreakKindDataAccess = 1;
inline constexpr DWORD kBreakKindAddress = 2;
inline constexpr DWORD kBreakKindXAddress = 3;
inline constexpr DWORD kBreakKindYAddress = 4;

// The text a break-condition command stored with its record.
inline constexpr std::size_t kBreakChannelTextSize = 260;

struct BreakChannelRecord {
    DWORD enable;        // 0: nonzero when the channel is in use
    DWORD kind;          // 1: kBreakKind..., 0 for none
    DWORD address;       // 2
    DWORD accessCycle;   // 3: 1 to 3 (";M1" to ";M3"), 4 for a step channel
    DWORD dataCompare;   // 4: the data kind: 6 "WD=", 8 "LBD=", 9 "HBD=", 0 none
    DWORD dataValue;     // 5: the value for the break data register
    DWORD dataMask;      // 6: the bits of dataValue not compared
    DWORD temporary;     // 7: the timing word: 1 for a break before the instruction (";P" gives 0)
    BYTE reserved32[8];
    DWORD busKind;       // 10: the direction: 10 read (or a PC condition), 11 write
    DWORD busMaster;     // 11: 13 "DAT", 12 "DMA"
    BYTE reserved48[8];
    DWORD passCount;     // 14: "COUNT="
    BYTE reserved60[4];
    DWORD breakMode;     // 16: applied channel 1 of a run in a break-condition mode: that mode
    DWORD stepOption;    // 17: a step channel: 0 with the step-interrupt option, else 2
    DWORD matched;       // 18: 1 when the last match found the channel at its address
    char text[kBreakChannelTextSize];  // 19 to 83: the command text, zero-terminated

    // An enabled address break, the kind of channel the break registers hold.
    bool IsAddressBreak() const { return enable != 0 && kind == kBreakKindAddress; }
};
static_assert(sizeof(BreakChannelRecord) == 336, "a channel record is 336 bytes");
static_assert(offsetof(BreakChannelRecord, kind) == 4);
static_assert(offsetof(BreakChannelRecord, address) == 8);
static_assert(offsetof(BreakChannelRecord, accessCycle) == 12);
static_assert(offsetof(BreakChannelRecord, dataCompare) == 16);
static_assert(offsetof(BreakChannelRecord, dataValue) == 20);
static_assert(offsetof(BreakChannelRecord, dataMask) == 24);
static_assert(offsetof(BreakChannelRecord, temporary) == 28);
static_assert(offsetof(BreakChannelRecord, busKind) == 40);
static_assert(offsetof(BreakChannelRecord, busMaster) == 44);
static_assert(offsetof(BreakChannelRecord, passCount) == 56);
static_assert(offsetof(BreakChannelRecord, breakMode) == 64);
static_assert(offsetof(BreakChannelRecord, stepOption) == 68);
static_assert(offsetof(BreakChannelRecord, matched) == 72);
static_assert(offsetof(BreakChannelRecord, text) == 76);

// The part of a record that a run applies: words 0 to 18, without the text.
inline constexpr std::size_t kAppliedRecordBytes = offsetof(BreakChannelRecord, text);

inline constexpr std::size_t kBreakChannelCount = 8;
using BreakChannelTable = std::array<BreakChannelRecord, kBreakChannelCount>;
extern BreakChannelTable g_breakChannels;
extern BreakChannelTable g_appliedBreakChannels;

// Clears every channel and makes channel 0 an enabled temporary address
// break at address.
void SetTemporaryBreak(DWORD address);
