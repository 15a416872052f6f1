// The step variants the go thread runs, the stop with its deadline, and the
// reset.
#include "target/target_exec_vk3.h"

#include "frame/host_event.h"
#include "link/emulator_link.h"
#include "link/firm_codes.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/instruction_length.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "monitor/run_state_monitor.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "link/flash_services.h"
#include "target/host_access_guard.h"
#include "config/settings_files.h"
#include "config/target_config.h"

#include "platform/bstr.h"
#include "platform/clock.h"

#include <algorithm>
#include <array>

namespace {

constexpr HRESULT kNotAvailable = 0x80042001;
constexpr DWORD kRunKindStep = 3;
constexpr std::size_t kPcIndex = 14;
constexpr DWORD kProgramFlash = 2;
constexpr WORD kCarriedOut = 1;
constexpr WORD kLengthReturn = 7;
constexpr WORD kLengthInterruptReturn = 8;
constexpr WORD kExitFrame = 0x7DF2;

bool LinkLost() {
    return g_emulatorLink == nullptr || g_emulatorLink->IsLinkLost();
}

DWORD StepInterruptOption() {
    DWORD value = 0;
    GetStepInterruptMode(&value);
    return value;
}

// Whether the instruction at address returns (by its opcode: a host
// without a disassembler names no return in the stop report).
bool IsReturnAt(DWORD address) {
    std::array<BYTE, 2> opcode{};
    if (CFirmCommand().ReadMemory(access_code::kByte, address, 2, opcode.data()) != 0) {
        return false;
    }
    const WORD word = static_cast<WORD>((opcode[0] << 8) | opcode[1]);
    const WORD length = GetInstructionLength(word);
    return length == kLengthReturn || length == kLengthInterruptReturn || (g_protocolType != 3 && word == kExitFrame);
}

}  // namespace

HRESULT CTargetExecVk3::PostStepRequest(DWORD code, DWORD first, DWORD last, const char* refusal) {
    if (RunInProgress()) {
        return kNotAvailable;  // before the guarded-area check reads the go thread's registers
    }
    if (CheckGuardedArea() != 0) {
        return E_FAIL;
    }
    if (GetBreakModeValues().value5 == 1) {
        ReportToHost(refusal);
        return E_FAIL;
    }
    if (g_emuSel == kProgramFlash) {
        ReportToHost(LoadTargetString(res_id::kProgramFlashMode).c_str());
        return E_FAIL;
    }
    m_stopArmed = 1;
    if (code == exec_request::kStepOut) {
        m_stepEnd = 0;
    }
    if (!RunInProgress()) {
        // The range belongs to the request; a run in progress keeps its own.
        m_request[1] = first;
        m_request[2] = last;
    }
    m_request[0] = code;
    return Execute();
}

HRESULT CTargetExecVk3::RunStepIn() {
    return RunStep(false);
}

HRESULT CTargetExecVk3::RunStepOver() {
    return RunStep(true);
}

HRESULT CTargetExecVk3::RunStep(bool over) {
    CHostAccessGuard guard;
    const HRESULT begun = StartGuardedRun(guard, kRunKindStep);
    if (FAILED(begun)) {
        return begun;
    }
    guard.SetHeld(1);
    m_stepEnd = 0;
    if (!over) {
        StepRequest& step = g_stepRequest;
        step.stepAddress = GetPC();
        step.remainingSteps = 1;
        step.stepKind = 0;
        step.pendingTarget = 0;
        step.callFlag = 0;
    }
    g_stepInterruptOption = StepInterruptOption();
    g_monitorRunState.goRequest.runKind = 0;
    const DWORD start = g_registerImage[kPcIndex];
    CMonitorEngine* engine = g_monitorEngine.get();
    const WORD carried = engine != nullptr ? engine->StepOrGoEngine(start) : WORD{0xFFFF};
    if (carried == kCarriedOut) {
        g_stopRegistersRead = true;  // the engine's own registers, written to the target
        if (g_runStateMonitor != nullptr) {
            g_runStateMonitor->PrintStopCause(stop_cause::kOneStepEnd);
        }
        m_waiting = 0;
        EmuReplyPtr record;
        static_cast<void>(g_emuResponse != nullptr ? g_emuResponse->CheckError(record) : 0);
        if (record != nullptr) {
            ProcessReply(*record);
        }
        guard.SetHeld(0);
        EndRun(kNotAvailable);
        RefreshCommandUi();
        return begun;
    }
    const DWORD mode = over ? run_mode::kStepOver : run_mode::kStep;
    if (carried == link_result::kTargetReset) {
        return EndRunAtReset(guard, mode);
    }
    if (carried != 0) {
        guard.SetHeld(0);
        EndRun(kNotAvailable);
        return kNotAvailable;
    }
    if (const WORD masked = engine->MaskInterruptForReitStep(1, start); masked != 0) {
        return EndFailedRun(guard, masked, mode);
    }
    if (const WORD launched = over ? engine->MonitorStepOver(start) : engine->MonitorSingleStep(); launched != 0) {
        return EndFailedRun(guard, launched, mode);
    }
    if (!AwaitLaunchedRun(guard)) {
        return kNotAvailable;
    }
    guard.SetHeld(1);
    if (const WORD unmasked = engine->MaskInterruptForReitStep(0, start); unmasked != 0) {
        return EndFailedRun(guard, unmasked, mode);
    }
    m_waiting = 0;
    StoreRegistersToHost();
    FinishGuardedRun(guard);
    return begun;
}

HRESULT CTargetExecVk3::RunStepOut() {
    CHostAccessGuard guard;
    const HRESULT begun = StartGuardedRun(guard, kRunKindStep);
    if (FAILED(begun)) {
        return begun;
    }
    m_stepEnd = 0;
    CMonitorEngine* engine = g_monitorEngine.get();
    while (m_stepEnd == 0) {
        guard.SetHeld(1);
        g_stepInterruptOption = StepInterruptOption();
        const DWORD start = g_registerImage[kPcIndex];
        const WORD carried = engine != nullptr ? engine->StepOrGoEngine(start) : WORD{0xFFFF};
        if (carried == kCarriedOut) {
            g_stopRegistersRead = true;  // the engine's own registers, written to the target
            if (g_runStateMonitor != nullptr) {
                g_runStateMonitor->PrintStopCause(stop_cause::kSubroutineEnd);
            }
            m_waiting = 0;
            continue;
        }
        if (carried == link_result::kTargetReset) {
            return EndRunAtReset(guard, run_mode::kStepOver);
        }
        if (carried != 0) {
            guard.SetHeld(0);
            EndRun(kNotAvailable);
            return kNotAvailable;
        }
        m_steppingReturn = IsReturnAt(start);
        if (const WORD masked = engine->MaskInterruptForReitStep(1, start); masked != 0) {
            return EndFailedRun(guard, masked, run_mode::kStepOver);
        }
        if (const WORD launched = engine->MonitorStepOver(start); launched != 0) {
            return EndFailedRun(guard, launched, run_mode::kStepOver);
        }
        BeginWaiting();
        if (WaitForRunStart() != 1) {
            m_waiting = 0;
            guard.SetHeld(0);
            EndRun(kNotAvailable);
            return kNotAvailable;
        }
        guard.SetHeld(0);
        if (WaitForStop() != 1) {
            m_waiting = 0;
            EndRun(kNotAvailable);
            return kNotAvailable;
        }
        guard.SetHeld(1);
        if (const WORD unmasked = engine->MaskInterruptForReitStep(0, start); unmasked != 0) {
            return EndFailedRun(guard, unmasked, run_mode::kStepOver);
        }
        if (LinkLost()) {
            guard.SetHeld(0);
            break;
        }
        if (!g_stopRegistersRead) {
            // A step whose stop could not be read went nowhere known: the
            // step out goes no further.
            return FailRun();
        }
        guard.SetHeld(0);
    }
    m_steppingReturn = false;
    m_waiting = 0;
    guard.SetHeld(1);
    StoreRegistersToHost();
    FinishGuardedRun(guard);
    return begun;
}

HRESULT CTargetExecVk3::RunStepInRange() {
    return RunRange(false);
}

HRESULT CTargetExecVk3::RunStepOverRange() {
    return RunRange(true);
}

HRESULT CTargetExecVk3::RunRange(bool over) {
    const DWORD start = m_request[1];
    const DWORD end = m_request[2];
    g_stepRequest.rangeStart = start;
    g_stepRequest.rangeEnd = end;
    const auto [low, high] = std::minmax(start, end);
    if (over) {
        m_stepEnd = 0;
    }
    while (true) {
        const HRESULT result = over ? RunStepOver() : RunStepIn();
        if (result != S_OK) {
            return result;
        }
        const DWORD pc = GetPC();
        if (m_stepEnd == 1) {
            m_stepEnd = 0;
            return S_OK;
        }
        // A reset leaves no range to step through.
        if (pc == start || pc < low || pc > high || LinkLost() || StoppedByReset()) {
            return S_OK;
        }
    }
}

DWORD CTargetExecVk3::HaltRun() {
    // Kept until the go thread waits for the stop: a halt asked while the
    // thread is still starting the run is not lost, and Execute's S_OK holds.
    m_haltPending = true;
    if (m_running2 == 0) {
        return 0;
    }
    if (GetBreakModeValues().value4 == 1) {
        m_haltPending = false;
        ReportToHost("Can not use BREAK function.");
        return 0;
    }
    const DWORD kind = m_requestCode2;
    if (kind >= 3 && kind <= 7) {
        m_stepEnd = 1;
    }
    if (m_waiting != 1) {
        return 0;
    }
    return HaltWaitingRun();
}

DWORD CTargetExecVk3::HaltWaitingRun() {
    if (!m_haltPending.exchange(false)) {
        return 0;  // the go thread has taken it
    }
    if (m_stopArmed == 1) {
        if (g_monitorEngine != nullptr) {
            g_monitorEngine->MonitorRequestStop();
        }
        if (g_flashJobActive == 0) {
            m_stopArmed = 0;
        }
        m_stopStart = GetTickCount();
        m_stopSent = true;
        return 0;
    }
    // Elapsed time, so the deadline holds across the tick count's wrap.
    if (GetTickCount() - m_stopStart > kStopDeadline) {
        ReportStopTimeout();
        return 1;
    }
    return 0;
}

// The go thread now waits for the stop: a halt asked before it gets its stop.
void CTargetExecVk3::BeginWaiting() {
    m_waiting = 1;
    if (m_haltPending) {
        static_cast<void>(HaltRun());
    }
}

void CTargetExecVk3::ReportStopTimeout() {
    m_timeoutShown = true;
    ShowTargetError(kStopTimeoutText, MB_OK);
}

HRESULT CTargetExecVk3::ResetTarget() {
    CHostAccessGuard guard;
    guard.SetHeld(1);
    LoadRegistersFromHost();
    if (g_emuSel == kProgramFlash) {
        ReportToHost(LoadTargetString(res_id::kProgramFlashMode).c_str());
        return E_FAIL;
    }
    if (g_monitorControl == nullptr || g_monitorEngine == nullptr) {
        return S_OK;
    }
    const WORD result = g_monitorEngine->ResetMonitorCommand();
    StoreRegistersToHost();
    guard.SetHeld(0);
    if (result != 0) {
        return E_FAIL;
    }
    ReportToHost("RESET CPU");
    if (m_host != nullptr) {
        const CHostEvent event(EVENT_TargetReset);
        if (m_request[0] == exec_request::kResetAndGo) {
            platform::Bstr name;
            static_cast<void>(m_host->GetEventName(event.GetNotice(), name.Out()));  // the name is not used
        } else {
            m_host->PostEvent(event.GetNotice());
        }
    }
    return S_OK;
}
