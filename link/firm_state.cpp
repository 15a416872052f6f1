#include "link/firm_state.h"

#include "link/firm_codes.h"

std::atomic<DWORD> g_runMode{run_mode::kGo};
std::atomic<DWORD> g_startRunMode{run_mode::kGo};
SuspendState g_suspendState;
