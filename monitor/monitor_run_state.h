// The monitor's words that the firmware command layer's go path reads and
// writes: where a go or a step starts, the step-over-interrupt flag, the
// status words a go clears, the two instruction words kept at the start
// address, the trace work area, and the launched flag that the run-state
// monitor reads and clears.
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

inline constexpr std::size_t kMonitorStatusWords = 10;
inline constexpr std::size_t kTraceWorkAreaSize = 80;

struct MonitorRunState {
    MonitorStartPair goStart;
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
