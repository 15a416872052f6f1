#include "monitor/monitor_services.h"

#include <mutex>

std::array<DWORD, kRegisterImageWords> g_registerImage{};
std::atomic<DWORD> g_monitorStepWord{0};

namespace {

std::mutex g_servicesMutex;
MonitorServices g_services;

MonitorServices Current() {
    std::lock_guard lock(g_servicesMutex);
    return g_services;
}

}  // namespace

void SetMonitorServices(MonitorServices services) {
    std::lock_guard lock(g_servicesMutex);
    g_services = std::move(services);
}

WORD MonitorInitMonitor() {
    const MonitorServices services = Current();
    return services.initMonitor ? services.initMonitor() : 0;
}

WORD MonitorResetTarget() {
    const MonitorServices services = Current();
    return services.resetTarget ? services.resetTarget() : 0;
}

void MonitorNotifyStop(DWORD cause) {
    const MonitorServices services = Current();
    if (services.notifyStop) {
        services.notifyStop(cause);
    }
}
