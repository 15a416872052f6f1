#include "target/monitor_objects.h"

#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "target/memory_lock.h"
#include "util/service_slot.h"

#include <utility>

WORD MonitorSetAdapterBaudRate(DWORD speedIndex) {
    return g_monitorControl != nullptr ? g_monitorControl->SetAdapterBaudRate(speedIndex) : 0;
}

void RestoreProgramBytes() {
    CRunStateMonitor* monitor = g_runStateMonitor.get();
    if (monitor == nullptr || monitor->IsRunning() != 0 || g_emulatorLink == nullptr ||
        g_emulatorLink->IsLinkLost()) {
        return;
    }
    LockMemoryAccess(TRUE);
    // A byte that cannot go back stays; the session ends all the same.
    static_cast<void>(monitor->RemoveBreakInstructions(-1));
    if (!g_flashBlocks.chipBytes.empty()) {
        static_cast<void>(CFirmCommand().WriteBackFlash());
    }
    LockMemoryAccess(FALSE);
}

void DestroyMonitorObjects() {
    g_monitorEngine.reset();
    g_runStateMonitor.reset();
    g_haltControl.reset();
    // The disconnect took the break bytes out of the chip (or could not):
    // the table holds nothing a later session may act on.
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
