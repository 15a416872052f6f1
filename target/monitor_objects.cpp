#include "target/monitor_objects.h"

#include "config/settings_files.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/host_reports.h"
#include "link/link_state.h"
#include "link/link_results.h"
#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "target/memory_lock.h"
#include "target/target_exec_vk3.h"
#include "util/service_slot.h"

#include "platform/windows_ui.h"

#include <algorithm>
#include <utility>

WORD MonitorSetAdapterBaudRate(DWORD speedIndex) {
    return g_monitorControl != nullptr ? g_monitorControl->SetAdapterBaudRate(speedIndex) : 0;
}

namespace {

constexpr char kBreakBytesStayText[] = "Break point removal NG.\nThe program may still hold break instructions.";

// A break byte stands in target memory.
bool BreakBytesIn() {
    return std::any_of(g_monitorBreakTable.begin(), g_monitorBreakTable.end(),
                       [](const MonitorBreakEntry& entry) { return entry.InUse() && entry.Written(); });
}

// A link lost to a time-out may be back: the monitor restart reopens it.
// True when the link can be used.
bool LinkUsable(CEmulatorLink& link) {
    return !link.IsLinkLost() || link.ResetAndInitMonitor() == link_result::kOk;
}

// A running program is suspended for the restore, as for a memory access
// made while it runs, and runs on afterwards. One the break line does not
// stop (the pulse's time-out takes the link for lost) is stopped with a CPU
// reset and stays stopped: true then.
bool SuspendRunningProgram(CEmulatorLink& link) {
    g_targetSuspendRequest = 1;
    g_haltControl->SuspendTargetForAccess();
    if (!link.IsLinkLost()) {
        return false;
    }
    g_targetSuspendRequest = 0;  // nothing to resume
    return LinkUsable(link) && g_monitorControl != nullptr && g_monitorControl->ResetTarget() == link_result::kOk;
}

void ResumeSuspendedProgram() {
    g_haltControl->ResumeTargetAfterAccess();
    g_targetSuspendRequest = 0;
}

}  // namespace

void RestoreProgramBytes() {
    CRunStateMonitor* monitor = g_runStateMonitor.get();
    CEmulatorLink* link = g_emulatorLink;
    if (monitor == nullptr || link == nullptr) {
        return;
    }
    const bool running = monitor->IsRunning() != 0 && g_haltControl != nullptr;
    if (!running && !BreakBytesIn() && !MirrorAheadOfChip()) {
        return;
    }
    LockMemoryAccess(TRUE);
    bool reset = false;
    if (LinkUsable(*link) && running) {
        reset = SuspendRunningProgram(*link);
    }
    // A byte that cannot go back stays; the session ends all the same, and
    // the person is told.
    const bool breakBytesStay = monitor->RemoveBreakInstructions(-1) != 0;
    // What only the mirror holds goes to the chip: bytes put back there,
    // and blocks a failed write-back left dirty (perhaps erased). The
    // session ends all the same; the person is told that the chip may not
    // hold the program.
    const bool failed = MirrorAheadOfChip() && CFirmCommand().WriteBackFlash() != link_result::kOk;
    if (running) {
        ResumeSuspendedProgram();
    }
    LockMemoryAccess(FALSE);
    if (reset) {
        static_cast<void>(ShowTargetError(kStopTimeoutText, MB_OK));  // answers the box's button
    }
    if (breakBytesStay) {
        static_cast<void>(ShowTargetError(kBreakBytesStayText, MB_ICONEXCLAMATION));  // answers the box's button
    }
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
