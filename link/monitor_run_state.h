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
    // The two instruction words at the start address, high byte first (not
    // read for a plain go), and the start address itself.
    std::array<WORD, 2> instructionWords{};
    DWORD launchAddress = 0;
    std::array<BYTE, kTraceWorkAreaSize> traceWorkArea{};
};

// Written by the go path and the monitor, one operation at a time.
extern MonitorRunState g_monitorRunState;

// The step request: where a single step starts, what the stop rules of the
// run-state monitor follow for a step, and the range of a range step. Run
// control writes it on the go thread before a step; the stop handling reads
// and changes it on the same thread.
struct StepRequest {
    DWORD stepAddress = 0;     // where a single step starts
    DWORD remainingSteps = 0;  // steps still to run (a step in asks for 1)
    DWORD stepKind = 0;        // 1 and 2: steps that watch for calls
    DWORD pendingTarget = 0;   // a step-over target not reached yet (0: none)
    DWORD callFlag = 0;        // the stepped instruction was a call
    DWORD rangeStart = 0;      // a range step goes on while the PC lies in
    DWORD rangeEnd = 0;        // [rangeStart, rangeEnd]
};
extern StepRequest g_stepRequest;

// Whether the register image holds the registers of the last stop: the
// run-state monitor sets it when it reads them at a stop, run control
// clears it before each run and reads it after the stop.
extern std::atomic<bool> g_stopRegistersRead;

// The breakpoint entry at the go address that the last preparation put the
// replaced byte back for, so the go steps off it; -1 for none.
extern std::atomic<int> g_goBreakEntry;

// A step over an interrupt return (REIT) masks the interrupts the return
// would enable and keeps the stack address and the flags it changed; both
// are all ones while nothing is kept.
inline constexpr DWORD kNothingKept = 0xFFFFFFFF;
extern DWORD g_reitKeptStack;
extern DWORD g_reitKeptFlags;
// 1 once a go has been sent; the run-state monitor reads and clears it, and
// the flash refresh touches the special registers only while it is 0.
extern std::atomic<DWORD> g_launched;
// 1 while halt control found the target stopped by itself: no access
// restarts it until the next start of execution clears the flag.
extern std::atomic<WORD> g_haltHeld;
// Run control's step-interrupt option (0 off, 1 on), read by the monitor
// when it prepares a step.
extern std::atomic<DWORD> g_stepInterruptOption;
