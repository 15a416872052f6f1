#include "monitor/monitor_run_state.h"

MonitorRunState g_monitorRunState;
std::atomic<DWORD> g_launched{0};
std::atomic<WORD> g_haltHeld{0};
std::atomic<DWORD> g_stepInterruptOption{0};
