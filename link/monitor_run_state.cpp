#include "link/monitor_run_state.h"

MonitorRunState g_monitorRunState;
std::atomic<bool> g_stopRegistersRead{false};
StepRequest g_stepRequest;
std::atomic<int> g_goBreakEntry{-1};
DWORD g_reitKeptStack = kNothingKept;
DWORD g_reitKeptFlags = kNothingKept;
std::atomic<DWORD> g_launched{0};
std::atomic<WORD> g_haltHeld{0};
std::atomic<DWORD> g_stepInterruptOption{0};
