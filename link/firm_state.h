// The process-wide state the firmware command objects share between
// operations: the run mode of the last go and the suspend state (a target
// stopped for an access, to be resumed at the address whose byte was kept).
#pragma once

#include "platform/wintypes.h"

#include <atomic>

struct SuspendState {
    DWORD state = 0;  // 1 while a suspend is pending
    DWORD copy = 0;   // a second copy of state
    DWORD address = 0;
    BYTE byte = 0;    // the byte kept from address
};

// The run mode on the wire: run_mode::kGo, kStep or kStepOver, set by
// CFirmCommand::StartExecution; the launch sends a step over that a pending
// suspend carries as a plain go.
extern std::atomic<DWORD> g_runMode;
// The run mode StartExecution was given, which the run-state monitor's stop
// rules follow whatever went on the wire.
extern std::atomic<DWORD> g_startRunMode;
extern SuspendState g_suspendState;
