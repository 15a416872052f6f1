#include "target/monitor_objects.h"

#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "util/service_slot.h"

#include <utility>

WORD MonitorSetAdapterBaudRate(DWORD speedIndex) {
    return g_monitorControl != nullptr ? g_monitorControl->SetAdapterBaudRate(speedIndex) : 0;
}

void DestroyMonitorObjects() {
    g_monitorEngine.reset();
    g_runStateMonitor.reset();
    g_haltControl.reset();
    // The break bytes stand in the chip only while a program runs, so the
    // table holds nothing the chip still needs.
    ClearBreakTable();
}

void DeleteMonitorControl() {
    g_monitorControl.reset();
}

namespace {

ServiceSlot<MonitorMemoryWrite> g_memoryWrite;

}  // namespace

void SetMonitorMemoryWrite(MonitorMemoryWrite write) {
    g_memoryWrite.Set(std::move(write));
}

WORD MonitorWriteMemory(DWORD start, const BYTE* source, DWORD unitSize, WORD count, DWORD verify) {
    if (const MonitorMemoryWrite write = g_memoryWrite.Get()) {
        return write(start, source, unitSize, count, verify);
    }
    return g_monitorEngine != nullptr ? g_monitorEngine->WriteMemoryThroughMonitor(start, source, unitSize, count, verify)
                                      : 0xFFFF;
}
