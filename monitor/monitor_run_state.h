// The monitor's words that the firmware command layer's go path reads and
// writes: the go request block (with where a go starts), where a step
// starts, the step-over-interrupt flag, the status words a go clears, the
// two instruction words kept at the start address, the trace work area, the
// launched flag that the run-state monitor reads and clears, and halt
// control's held flag that every start of execution clears.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>

// A start address the monitor asks for: when the flag is set, the address
// becomes "PC" before the go.
struct MonitorStartPair {
    DWORD flag = 0;
    DWORD address = 0;
};

// The go request block: eight words that run control fills before a go and
// the monitor reads when it prepares one.
struct GoRequestBlock {
    DWORD runKind = 0;         // 0: the break-condition mode (1: no breaks, 3 to 9: channels required)
    MonitorStartPair goStart;  // 1, 2: the go-start flag and the go address
    DWORD stepFirst = 0;       // 3: bit 0 a breakpoint, bit 1 a break condition at the go address
    DWORD stopMode = 0;        // 4
    DWORD stopAddress = 0;     // 5
    DWORD optionFlag = 0;      // 6
    DWORD compareValue = 0;    // 7
};
static_assert(sizeof(GoRequestBlock) == 32, "the go request block is eight words");

inline constexpr std::size_t kMonitorStatusWords = 10;
inline constexpr std::size_t kTraceWorkAreaSize = 80;

struct MonitorRunState {
    GoRequestBlock goRequest;
    MonitorStartPair stepStart;
    DWORD stepOverInterrupt = 0;  // the step goes over an interrupt return
    std::array<DWORD, kMonitorStatusWords> statusWords{};
    DWORD goFlag = 0;             // set by every go, cleared again by a plain go
    DWORD secondGoFlag = 0;       // cleared by a plain go
    // The two instruction words at the start address, high byte first.
    std::array<WORD, 2> instructionWords{};
    std::array<BYTE, kTraceWorkAreaSize> traceWorkArea{};
};

// Written by the go path and the monitor, one operation at a time.
extern MonitorRunState g_monitorRunState;
// 1 once a go has been sent; the run-state monitor reads and clears it, and
// the flash refresh touches the special registers only while it is 0.
extern std::atomic<DWORD> g_launched;
// 1 while halt control found the target stopped by itself: no access
// restarts it until the next start of execution clears the flag.
extern std::atomic<WORD> g_haltHeld;
// Run control's step-interrupt option (0 off, 1 on), read by the monitor
// when it prepares a step.
extern std::atomic<DWORD> g_stepInterruptOption;
