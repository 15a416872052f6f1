#include "link/monitor_services.h"

#include "util/service_slot.h"

#include <utility>

std::array<DWORD, kRegisterImageWords> g_registerImage{};
std::atomic<DWORD> g_monitorStepWord{0};
std::atomic<DWORD> g_linkParameterKept{0};

namespace {

ServiceSlot<MonitorServices> g_services;

MonitorServices Current() {
    return g_services.Get();
}

}  // namespace

void SetMonitorServices(MonitorServices services) {
    g_services.Set(std::move(services));
}

void UpdateMonitorServices(const std::function<void(MonitorServices&)>& change) {
    g_services.Update(change);
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

WORD MonitorCheckStopped(DWORD argument) {
    const MonitorServices services = Current();
    return services.checkStopped ? services.checkStopped(argument) : 0;
}

bool MonitorIsRunning() {
    const MonitorServices services = Current();
    return services.isRunning ? services.isRunning() : false;
}

void MonitorSetRunning(DWORD value) {
    const MonitorServices services = Current();
    if (services.setRunning) {
        services.setRunning(value);
    }
}

void MonitorPrintStopCause(DWORD cause) {
    const MonitorServices services = Current();
    if (services.printStopCause) {
        services.printStopCause(cause);
    }
}

WORD MonitorMaskInterruptForStep(bool on, DWORD address) {
    const MonitorServices services = Current();
    return services.maskInterruptForStep ? services.maskInterruptForStep(on, address) : 0;
}

void MonitorSetPendingMessage(const char* text) {
    const MonitorServices services = Current();
    if (services.setPendingMessage) {
        services.setPendingMessage(text);
    }
}
