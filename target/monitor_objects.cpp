#include "target/monitor_objects.h"

#include "util/service_slot.h"

#include <utility>

namespace {

ServiceSlot<MonitorObjectServices> g_services;

}  // namespace

void SetMonitorObjectServices(MonitorObjectServices services) {
    g_services.Set(std::move(services));
}

WORD MonitorSetAdapterBaudRate(DWORD speedIndex) {
    const MonitorObjectServices services = g_services.Get();
    return services.setAdapterBaudRate ? services.setAdapterBaudRate(speedIndex) : 0;
}

void DestroyMonitorObjects() {
    if (const MonitorObjectServices services = g_services.Get(); services.destroyMonitorObjects) {
        services.destroyMonitorObjects();
    }
}

void DeleteMonitorControl() {
    if (const MonitorObjectServices services = g_services.Get(); services.deleteMonitorControl) {
        services.deleteMonitorControl();
    }
}

namespace {

ServiceSlot<MonitorMemoryWrite> g_memoryWrite;

}  // namespace

void SetMonitorMemoryWrite(MonitorMemoryWrite write) {
    g_memoryWrite.Set(std::move(write));
}

WORD MonitorWriteMemory(DWORD start, const BYTE* source, DWORD unitSize, WORD count, DWORD verify) {
    const MonitorMemoryWrite write = g_memoryWrite.Get();
    return write ? write(start, source, unitSize, count, verify) : 0xFFFF;
}
