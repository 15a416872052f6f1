#include "monitor/run_state_monitor.h"

#include "monitor/monitor_services.h"

std::unique_ptr<CRunStateMonitor> g_runStateMonitor;

CRunStateMonitor::CRunStateMonitor() {
    UpdateMonitorServices([this](MonitorServices& services) {
        InstallOwned(services.isRunning, this, {[this] { return IsRunning() != 0; }});
        InstallOwned(services.setRunning, this, {[this](DWORD value) { SetRunning(value); }});
    });
}

CRunStateMonitor::~CRunStateMonitor() {
    UpdateMonitorServices([this](MonitorServices& services) {
        RemoveOwned(services.isRunning, this);
        RemoveOwned(services.setRunning, this);
    });
}

DWORD CRunStateMonitor::Reset() {
    m_running = 0;
    m_stopCauses.fill(0);
    return 0;
}
