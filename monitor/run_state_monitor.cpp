#include "monitor/run_state_monitor.h"

#include "monitor/monitor_services.h"

std::unique_ptr<CRunStateMonitor> g_runStateMonitor;

CRunStateMonitor::CRunStateMonitor() {
    UpdateMonitorServices([this](MonitorServices& services) {
        services.isRunning = [this] { return IsRunning() != 0; };
        services.setRunning = [this](DWORD value) { SetRunning(value); };
    });
}

CRunStateMonitor::~CRunStateMonitor() {
    UpdateMonitorServices([](MonitorServices& services) {
        services.isRunning = nullptr;
        services.setRunning = nullptr;
    });
}

DWORD CRunStateMonitor::Reset() {
    m_running = 0;
    m_stopCauses.fill(0);
    return 0;
}
