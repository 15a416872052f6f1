// The monitor's software breakpoints: addresses where a break instruction
// byte goes into target memory while the program runs, with the byte it
// replaced. The table and the current break kind are process-wide; the run
// base (monitor_run_base.h) keeps them.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>

namespace break_entry {
inline constexpr WORD kInUse = 0x0001;
inline constexpr WORD kClassMask = 0x01F0;
inline constexpr WORD kClassSoftware = 0x0010;  // the breakpoints of this table
inline constexpr WORD kWritten = 0x8000;        // the break byte stands in target memory
}  // namespace break_entry

// Break kinds: two letters, the second a blank.
namespace break_kind {
inline constexpr WORD kNone = 0x2020;
inline constexpr WORD kP = 0x5020;
inline constexpr WORD kV = 0x5620;
}  // namespace break_kind

struct MonitorBreakEntry {
    DWORD address = 0;
    WORD flags = 0;
    WORD breakByte = 0;   // 0x00, or 0x08 for protocol type 3
    WORD kind = 0;
    BYTE kindFlag = 0;
    BYTE kindValue = 0;
    DWORD requestedAddress = 0;  // as the caller gave it; the listing shows it
    WORD reserved = 0;
    WORD translated = 0;  // 1 when the address went through the address translation
    WORD savedByte = 0;   // the target byte the break byte replaces

    bool InUse() const { return (flags & break_entry::kInUse) != 0; }
    bool Written() const { return (flags & break_entry::kWritten) != 0; }
    WORD Class() const { return flags & break_entry::kClassMask; }
};

inline constexpr std::size_t kMonitorBreakEntries = 255;
extern std::array<MonitorBreakEntry, kMonitorBreakEntries> g_monitorBreakTable;
// Entries of the software class in use.
extern WORD g_monitorBreakCount;

// The kind that the next breakpoint takes.
struct BreakKindSetting {
    WORD kind = break_kind::kNone;
    BYTE flag = 0;
    BYTE value = 0;
};
extern BreakKindSetting g_currentBreakKind;

// Empties the table and forgets the break kind: the session that set the
// breakpoints has ended, and a later one must not stop at them.
void ClearBreakTable();

// The break instruction byte of the device's protocol type.
WORD BreakInstructionByte();
// The chip's break state: a request of the sibling family that the firmware
// command layer answers without sending anything, so the state is the 0 it
// starts from.
DWORD QueryChipBreakState();
