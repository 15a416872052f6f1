#include "monitor/monitor_run_state.h"

MonitorRunState g_monitorRunState;
std::atomic<DWORD> g_launched{0};
