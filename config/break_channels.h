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
    DWORD enable;        // 0: 1 while the condition is active; a disabled channel keeps the rest
    DWORD kind;          // 1: kBreakKind..., 0 for a free channel
    DWORD address;       // 2: the address compared
    DWORD maskCode;      // 3: the address mask: 1 to 3 (";M1" to ";M3"), 4 for a step channel
    DWORD dataKind;      // 4: 6 "WD=", 8 "LBD=", 9 "HBD=", 0 no data comparison
    DWORD dataValue;     // 5: the data compared
    DWORD dataMask;      // 6: the data mask the value's text gave
    DWORD pcBefore;      // 7: 1 to stop before the instruction at the address (";P" gives 0)
    DWORD reserved8[2];  // 8, 9: always 0
    DWORD direction;     // 10: 10 read (and every program-fetch condition), 11 write, 0 either
    DWORD bus;           // 11: 13 "DAT", 12 "DMA", 0 any
    DWORD reserved12[2]; // 12, 13: always 0
    DWORD passCount;     // 14: "COUNT="
    DWORD reserved15;    // 15: always 0
    DWORD runCode;       // 16: applied record 0 of a run in a break-condition mode: that mode
    DWORD stepFlag;      // 17: applied record 0 of a step channel: 0 with the step-interrupt option, else 2
    DWORD hit;           // 18: working table: 1 when the last stop found this condition met
    char commandText[kBreakChannelTextSize];  // 19 to 83: the condition text, zero-terminated

    // An enabled address break, the kind of channel the break registers hold.
    bool IsAddressBreak() const { return enable != 0 && kind == kBreakKindAddress; }
};
static_assert(sizeof(BreakChannelRecord) == 336, "a channel record is 336 bytes");
static_assert(offsetof(BreakChannelRecord, kind) == 4);
static_assert(offsetof(BreakChannelRecord, address) == 8);
static_assert(offsetof(BreakChannelRecord, maskCode) == 12);
static_assert(offsetof(BreakChannelRecord, dataKind) == 16);
static_assert(offsetof(BreakChannelRecord, dataValue) == 20);
static_assert(offsetof(BreakChannelRecord, dataMask) == 24);
static_assert(offsetof(BreakChannelRecord, pcBefore) == 28);
static_assert(offsetof(BreakChannelRecord, direction) == 40);
static_assert(offsetof(BreakChannelRecord, bus) == 44);
static_assert(offsetof(BreakChannelRecord, passCount) == 56);
static_assert(offsetof(BreakChannelRecord, runCode) == 64);
static_assert(offsetof(BreakChannelRecord, stepFlag) == 68);
static_assert(offsetof(BreakChannelRecord, hit) == 72);
static_assert(offsetof(BreakChannelRecord, commandText) == 76);

// The part of a record that a run applies: words 0 to 18, without the text.
inline constexpr std::size_t kAppliedRecordBytes = offsetof(BreakChannelRecord, commandText);

inline constexpr std::size_t kBreakChannelCount = 8;
using BreakChannelTable = std::array<BreakChannelRecord, kBreakChannelCount>;
extern BreakChannelTable g_breakChannels;
extern BreakChannelTable g_appliedBreakChannels;

// Copies the first bytes (at most a record's) of records 0..count-1 of the
// working table into the applied table (count clamped to the table's eight
// records).
void CopyWorkingChannels(std::size_t count, std::size_t bytes);

// The device's channel count ("ADDRBREAK"), at most the table's eight.
std::size_t DeviceChannelCount();

// Clears every channel and makes channel 0 an enabled temporary address
// break at address.
void SetTemporaryBreak(DWORD address);
