#include "target/monitor_objects.h"

#include "config/settings_files.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "target/memory_lock.h"
#include "util/service_slot.h"

#include "platform/windows_ui.h"

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
    // What only the mirror holds goes to the chip: bytes put back there,
    // and blocks a failed write-back left dirty (perhaps erased). The
    // session ends all the same; the person is told that the chip may not
    // hold the program.
    const bool failed = MirrorAheadOfChip() && CFirmCommand().WriteBackFlash() != link_result::kOk;
    LockMemoryAccess(FALSE);
    if (failed) {
        static_cast<void>(ShowTargetError(kFlashWriteFailedText, MB_ICONEXCLAMATION));  // answers the box's button
    }
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
