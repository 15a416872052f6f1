#include "target/target_exec_vk3.h"

#include "config/break_channels.h"
#include "frame/com_utils.h"
#include "frame/host_event.h"
#include "link/emulator_link.h"
#include "link/firm_codes.h"
#include "link/event_engine_hooks.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_run_state.h"
#include "monitor/run_state_monitor.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "config/settings_files.h"
#include "link/flash_services.h"
#include "target/host_access_guard.h"
#include "target/start_stop_hook.h"
#include "config/target_config.h"
#include "target/target_memory_vk3.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"
#include "platform/clock.h"
#include "platform/windows_ui.h"

#include <algorithm>

namespace {

constexpr HRESULT kNotAvailable = 0x80042001;
constexpr UINT kStatusTexts[] = {res_id::kRunControlReady};
constexpr DWORD kRunKindGo = 1;
constexpr DWORD kRunStartLimit = 5000;
constexpr WORD kStopped = CEmuResponse::kStopped;
constexpr DWORD kProgramFlash = 2;  // g_emuSel: the program-flash mode
constexpr char kRunTimeZero[] = "0000h000min000s000ms";
// The stop cause of a run that failed before its target reported a stop.
constexpr char kFailedRunCause[] = "ERROR";

// The process-wide save areas of a go to addresses: the address-break
// channels, and the breakpoint table when addresses overflow the channels.
BreakChannelTable g_savedChannels{};
std::array<MonitorBreakEntry, kMonitorBreakEntries> g_savedBreakTable{};
WORD g_savedBreakCount = 0;

// The break kind of the go request from the break mode index.
DWORD BreakKind(DWORD mode) {
    switch (mode) {
    case 1:
        return 1;
    case 2:
        return 3;
    case 3:
        return 4;
    case 4:
        return 5;
    default:
        return 2;
    }
}

WORD RunStatus() {
    return g_emuResponse != nullptr ? g_emuResponse->RunStatus() : kStopped;
}

bool LinkLost() {
    return g_emulatorLink == nullptr || g_emulatorLink->IsLinkLost();
}

// The reply decoder's poll: its answer, with the record it hands out.
int CheckError(EmuReplyPtr& record) {
    record.reset();
    return g_emuResponse != nullptr ? g_emuResponse->CheckError(record) : 1;
}

}  // namespace

CTargetExec* CreateTargetExecVk3(IHostServiceProvider* host) {
    return new CTargetExecVk3(host);
}

CTargetExecVk3::CTargetExecVk3(IHostServiceProvider* host)
    : CTargetExec2(kStatusTexts, static_cast<DWORD>(std::size(kStatusTexts)), host),
      m_runTimeText(kRunTimeZero) {
    m_request[0] = exec_request::kStop;
    SetStopAddressLookup([this](DWORD address) { return FindBreakAddress(address, nullptr); });
}

CTargetExecVk3::~CTargetExecVk3() {
    AwaitRunThread();
    SetStopAddressLookup(nullptr);
}

HRESULT CTargetExecVk3::OnTargetOpen() {
    const HRESULT result = CTargetExec2::OnTargetOpen();
    if (FAILED(result)) {
        return result;
    }
    m_stopArmed = 1;
    m_stopStart = 0;
    m_stepEnd = 0;
    m_closing = false;
    {
        std::lock_guard lock(m_textMutex);
        m_runTimeText = kRunTimeZero;
    }
    m_request[0] = exec_request::kStop;
    m_request[1] = 0;
    m_request[2] = 0;
    ReportVersions();
    return result;
}

HRESULT CTargetExecVk3::OnTargetClose() {
    AwaitRunThread();
    m_addresses.clear();
    return CTargetExec2::OnTargetClose();
}

void CTargetExecVk3::EndRunThread() {
    m_closing = true;
    AwaitRunThread();
}

void CTargetExecVk3::AwaitRunThread() {
    if (m_runThread != nullptr) {
        ::WaitForSingleObject(m_runThread->m_hThread, INFINITE);
        m_runThread.reset();
    }
}

void CTargetExecVk3::ReportToHost(const char* text) {
    if (m_host != nullptr) {
        const platform::Bstr wide(text);
        m_host->ReportErrorText(wide.Get());
    }
}

HRESULT CTargetExecVk3::CheckGo() {
    // The host's register array belongs to the go thread while a run is in
    // progress: refused before the guarded-area check reads it.
    if (RunInProgress()) {
        return kNotAvailable;
    }
    if (CheckGuardedArea() != 0) {
        return E_FAIL;
    }
    if (g_emuSel == kProgramFlash) {
        ReportToHost(LoadTargetString(res_id::kProgramFlashMode).c_str());
        return E_FAIL;
    }
    return S_OK;
}

HRESULT CTargetExecVk3::Reset() {
    if (LinkLost()) {
        ShowCommunicationTimeoutRestart();
        return S_OK;
    }
    return ResetTarget();
}

HRESULT CTargetExecVk3::Go() {
    if (const HRESULT refused = CheckGo(); FAILED(refused)) {
        return refused;
    }
    m_stopArmed = 1;
    m_request[0] = exec_request::kGo;
    return Execute();
}

HRESULT CTargetExecVk3::ResetGo() {
    if (const HRESULT refused = CheckGo(); FAILED(refused)) {
        return refused;
    }
    m_stopArmed = 1;
    m_request[0] = exec_request::kResetAndGo;
    return Execute();
}

HRESULT CTargetExecVk3::GoEx(VARIANT addresses) {
    if (const HRESULT refused = CheckGo(); FAILED(refused)) {
        return refused;
    }
    if (RunInProgress()) {
        // The list belongs to the run in progress, until its thread ends.
        return kNotAvailable;
    }
    CDWordArray list;
    CComUtils::VariantToDWordArray(addresses, list);
    m_addresses.clear();
    for (INT_PTR i = 0; i < list.GetSize(); ++i) {
        m_addresses.push_back(list.GetAt(i));
    }
    m_stopArmed = 1;
    m_request[0] = exec_request::kGoToAddresses;
    return Execute();
}

HRESULT CTargetExecVk3::StepIn() {
    return PostStepRequest(exec_request::kStepIn, 0, 0, "Can not use STEP IN function.");
}

HRESULT CTargetExecVk3::StepInEx(DWORD first, DWORD last) {
    return PostStepRequest(exec_request::kStepInRange, first, last, "Can not use STEP IN function.");
}

HRESULT CTargetExecVk3::StepOver() {
    return PostStepRequest(exec_request::kStepOver, 0, 0, "Can not use STEP OVER function.");
}

HRESULT CTargetExecVk3::StepOverEx(DWORD first, DWORD last) {
    return PostStepRequest(exec_request::kStepOverRange, first, last, "Can not use STEP OVER function.");
}

HRESULT CTargetExecVk3::StepOut() {
    return PostStepRequest(exec_request::kStepOut, 0, 0, "Can not use STEP OUT function.");
}

HRESULT CTargetExecVk3::StepOutEx(DWORD, DWORD) {
    m_stopArmed = 1;
    return StepOut();
}

HRESULT CTargetExecVk3::Halt() {
    m_request[0] = exec_request::kStop;
    return Execute();
}

HRESULT CTargetExecVk3::QueryIdleEx() {
    return m_running2 == 1 ? E_FAIL : S_OK;
}

HRESULT CTargetExecVk3::Execute() {
    if (IsTargetBusy()) {
        return kNotAvailable;
    }
    const DWORD code = m_request[0];
    CTargetVk3* target = GetTarget();
    if (RunInProgress()) {
        if (code != exec_request::kStop) {
            return kNotAvailable;
        }
        static_cast<void>(HaltRun());  // Execute answers S_OK whatever the stop answers
        return S_OK;
    }
    if (code == exec_request::kStop) {
        return kNotAvailable;
    }
    AwaitRunThread();  // the last request's thread has ended its work
    m_haltPending = false;
    m_stopSent = false;
    m_timeoutShown = false;
    m_runThreadActive = true;
    if (target != nullptr) {
        target->HoldRunState();
    }
    CWinThread* thread = AfxBeginThread(&CTargetExecVk3::RunThreadProc, this, THREAD_PRIORITY_NORMAL, 0,
                                        CREATE_SUSPENDED);
    if (thread == nullptr) {
        if (target != nullptr) {
            target->ReleaseRunState();
        }
        m_runThreadActive = false;
        return kNotAvailable;
    }
    thread->m_bAutoDelete = FALSE;
    m_runThread.reset(thread);
    thread->ResumeThread();
    return S_OK;
}

bool CTargetExecVk3::RunInProgress() const {
    return m_running2 == 1 || m_runThreadActive;
}

UINT CTargetExecVk3::RunThreadProc(LPVOID parameter) {
    auto* handler = static_cast<CTargetExecVk3*>(parameter);
    static_cast<void>(handler->RunRequest());  // the host learns the end from the running words
    // The next request is taken before the host hears that nothing runs: a
    // go sent the moment the target stops being busy is not refused.
    handler->m_runThreadActive = false;
    if (CTargetVk3* target = GetTarget()) {
        target->ReleaseRunState();
    }
    return 0;
}

void CTargetExecVk3::RefreshCommandUi() {
    CWinThread* thread = AfxGetThread();
    CWnd* main = thread != nullptr ? thread->m_pMainWnd : nullptr;
    if (main != nullptr) {
        main->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, FALSE);
    }
}

void CTargetExecVk3::AskRunStoppedEvent() {
    if (m_host == nullptr) {
        return;
    }
    const CHostEvent event(EVENT_RunStopped);
    platform::Bstr name;
    static_cast<void>(m_host->GetEventName(event.GetNotice(), name.Out()));  // the name is not used
}

namespace {

// The event start's flag of a go: the break combination and the break at a
// full trace take part except in break mode 1 and in a go to given
// addresses.
LONG EventStartFlag(DWORD code) {
    if (code == exec_request::kGoToAddresses) {
        return 0;
    }
    return GetBreakModeValues().mode == 1 ? 0 : 1;
}

}  // namespace

HRESULT CTargetExecVk3::RunRequest() {
    CHostAccessGuard guard;
    if (LinkLost()) {
        ShowCommunicationTimeoutRestart();
        m_waiting = 0;
        AskRunStoppedEvent();
        RefreshCommandUi();
        return kNotAvailable;
    }
    const DWORD code = m_request[0];
    if (code <= exec_request::kStepOutAgain) {
        RunStartStopFunctions();
    }
    // The event engine's settings go to the emulator before each go; steps
    // leave the events as they are.
    IEventEngineHooks* engine = code <= exec_request::kGoToAddresses ? GetEventEngineHooks() : nullptr;
    if (engine != nullptr) {
        guard.SetHeld(1);
        engine->StartEvents(EventStartFlag(code));
        guard.SetHeld(0);
    }
    const HRESULT result = RunVariant(code);
    if (code <= exec_request::kStepOutAgain && FAILED(result)) {
        // A run that failed says so: the host never takes an earlier stop's
        // cause, a status line or none for this one's. A stop that left the
        // registers unread is named in EndRun, which every begun run ends
        // through.
        std::lock_guard lock(m_textMutex);
        m_stopCauseText = kFailedRunCause;
    }
    if (engine != nullptr) {
        guard.SetHeld(1);
        engine->StopEvents();
        guard.SetHeld(0);
    }
    // The dirty flags stay as the run left them: the launch's write-back
    // cleared those of the blocks it programmed, and a block it could not
    // program (its erase may have gone through) stays dirty, so the next
    // write-back tries again. Break bytes taken out at the stop went into
    // the mirror alone, with the chip's byte noted.
    if (m_temporaryBreaks != 0) {
        static_cast<void>(SetTemporaryBreaks(false));  // answers 0
        m_temporaryBreaks = 0;
    }
    if (m_host != nullptr) {
        IHStopPosition* position = nullptr;
        if (SUCCEEDED(m_host->QueryService(IID_IHStopPosition, reinterpret_cast<void**>(&position))) &&
            position != nullptr) {
            position->SetStopPosition(GetPC());
        }
    }
    AskRunStoppedEvent();
    RefreshCommandUi();
    if (LinkLost()) {
        ShowCommunicationTimeoutRestart();
        m_waiting = 0;
        // Nothing runs any more that the link could report.
        if (g_emuResponse != nullptr) {
            g_emuResponse->SetRunStatus(kStopped);
        }
        if (g_runStateMonitor != nullptr) {
            g_runStateMonitor->SetRunning(0);
        }
        m_request[0] = exec_request::kStop;
    }
    return result;
}

HRESULT CTargetExecVk3::RunVariant(DWORD code) {
    switch (code) {
    case exec_request::kGo:
        return RunGo();
    case exec_request::kResetAndGo:
        return RunResetAndGo();
    case exec_request::kGoToAddresses:
        return RunGoToAddresses();
    case exec_request::kStepIn:
        return RunStepIn();
    case exec_request::kStepOver:
        return RunStepOver();
    case exec_request::kStepOut:
    case exec_request::kStepOutAgain:
        return RunStepOut();
    case exec_request::kStepInRange:
        return RunStepInRange();
    case exec_request::kStepOverRange:
        return RunStepOverRange();
    default:
        return S_OK;
    }
}

HRESULT CTargetExecVk3::BeginRun(DWORD kind) {
    {
        // The last stop's cause is no longer the target's once it runs.
        std::lock_guard lock(m_textMutex);
        m_stopCauseText.clear();
    }
    g_stopRegistersRead = false;
    m_running2 = 1;
    m_requestCode2 = kind;
    LoadRegistersFromHost();
    AnnounceRunStart();
    m_running = m_running2.load();
    m_requestCode = m_requestCode2.load();
    return S_OK;
}

void CTargetExecVk3::EndRun(HRESULT result) {
    if (!g_stopRegistersRead) {
        // The host takes the stop's cause and registers once the running
        // words say the run has ended: a stop whose registers were not read
        // is named a failure before then, never shown as the reply's stop
        // over the registers of before the run.
        std::lock_guard lock(m_textMutex);
        m_stopCauseText = kFailedRunCause;
    }
    CTargetExec2::OnExecutionResult(result);
    m_running2 = 0;
    m_requestCode2 = 0;
    m_running = 0;
    m_requestCode = 0;
}

HRESULT CTargetExecVk3::StartGuardedRun(CHostAccessGuard& guard, DWORD kind) {
    guard.SetHeld(1);
    static_cast<void>(g_monitorAccess.CloseMonitorAccess());  // answers 0
    guard.SetHeld(0);
    const HRESULT begun = BeginRun(kind);
    if (FAILED(begun)) {
        EndRun(begun);
    }
    return begun;
}

void CTargetExecVk3::FinishGuardedRun(CHostAccessGuard& guard) {
    static_cast<void>(g_monitorAccess.OpenMonitorAccess());  // answers 0
    guard.SetHeld(0);
    EndRun(kNotAvailable);
    RefreshCommandUi();
}

HRESULT CTargetExecVk3::FailRun() {
    EmuReplyPtr record;
    static_cast<void>(CheckError(record));  // the record, if any, carries what went wrong
    if (record != nullptr) {
        ProcessReply(*record);
    }
    m_waiting = 0;
    EndRun(kNotAvailable);
    return kNotAvailable;
}

HRESULT CTargetExecVk3::EndRunAtReset(CHostAccessGuard& guard, DWORD runMode) {
    guard.SetHeld(1);
    if (g_runStateMonitor != nullptr) {
        g_runStateMonitor->ReportResetAtLaunch(runMode);
    }
    EmuReplyPtr record;
    static_cast<void>(CheckError(record));  // the record carries the reset's stop report
    if (record != nullptr) {
        ProcessReply(*record);
    }
    m_waiting = 0;
    FinishGuardedRun(guard);
    return S_OK;
}

HRESULT CTargetExecVk3::EndFailedRun(CHostAccessGuard& guard, WORD result, DWORD runMode) {
    return result == link_result::kTargetReset ? EndRunAtReset(guard, runMode) : FailRun();
}

HRESULT CTargetExecVk3::RunGo() {
    CHostAccessGuard guard;
    const HRESULT begun = StartGuardedRun(guard, kRunKindGo);
    if (FAILED(begun)) {
        return begun;
    }
    if (m_request[0] == exec_request::kGoToAddresses) {
        static_cast<void>(SetTemporaryBreaks(true));  // answers 0
        m_temporaryBreaks = 1;
    }
    guard.SetHeld(1);
    const DWORD mode = GetBreakModeValues().mode;
    GoRequestBlock& request = g_monitorRunState.goRequest;
    request = GoRequestBlock{};
    request.goStart = {1, GetPC()};
    request.runKind = BreakKind(mode);
    const WORD started = g_monitorEngine != nullptr ? g_monitorEngine->RunTarget() : WORD{0xFFFF};
    if (started != 0) {
        return EndFailedRun(guard, started, run_mode::kGo);
    }
    if (!AwaitLaunchedRun(guard)) {
        return kNotAvailable;
    }
    m_waiting = 0;
    guard.SetHeld(1);
    FinishGuardedRun(guard);
    return begun;
}

HRESULT CTargetExecVk3::RunResetAndGo() {
    const HRESULT reset = ResetTarget();
    return FAILED(reset) ? reset : RunGo();
}

HRESULT CTargetExecVk3::RunGoToAddresses() {
    return RunGo();
}

DWORD CTargetExecVk3::SetTemporaryBreaks(bool install) {
    const std::size_t channels = DeviceChannelCount();
    const std::size_t count = m_addresses.size();
    CHostAccessGuard guard;
    guard.SetHeld(1);
    if (install && m_temporaryBreaks == 0) {
        std::copy_n(g_breakChannels.begin(), channels, g_savedChannels.begin());
        std::fill_n(g_breakChannels.begin(), channels, BreakChannelRecord{});
        if (count > channels) {
            g_savedBreakTable = g_monitorBreakTable;
            g_savedBreakCount = g_monitorBreakCount;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD address = m_addresses[i];
        if (install && i < channels) {
            BreakChannelRecord& channel = g_breakChannels[i];
            channel.enable = 1;
            channel.kind = kBreakKindAddress;
            channel.address = address;
            channel.pcBefore = 1;
        } else if (i >= channels && g_monitorEngine != nullptr) {
            g_monitorEngine->BreakpointCommand(install ? 0 : 1, address, 'P', 0);
        }
    }
    if (!install) {
        m_addresses.clear();
        if (m_temporaryBreaks == 1) {
            std::copy_n(g_savedChannels.begin(), channels, g_breakChannels.begin());
            if (count > channels) {
                g_monitorBreakTable = g_savedBreakTable;
                g_monitorBreakCount = g_savedBreakCount;
            }
        }
    }
    return 0;
}

int CTargetExecVk3::FindBreakAddress(DWORD address, bool* nonEmpty) const {
    if (nonEmpty != nullptr) {
        *nonEmpty = !m_addresses.empty();
    }
    if (m_temporaryBreaks == 0) {
        return -1;
    }
    const auto found = std::find(m_addresses.begin(), m_addresses.end(), address);
    return found != m_addresses.end() ? static_cast<int>(found - m_addresses.begin()) : -1;
}

bool CTargetExecVk3::AwaitLaunchedRun(CHostAccessGuard& guard) {
    if (WaitForRunStart() != 1) {
        m_waiting = 0;
        guard.SetHeld(0);
        EndRun(kNotAvailable);
        return false;
    }
    BeginWaiting();
    guard.SetHeld(0);
    RefreshCommandUi();
    if (WaitForStop() != 1) {
        m_waiting = 0;
        EndRun(kNotAvailable);
        return false;
    }
    return true;
}

int CTargetExecVk3::WaitForRunStart() {
    const DWORD start = GetTickCount();
    while (RunStatus() == kStopped && !m_closing) {
        EmuReplyPtr record;
        if (CheckError(record) != 0) {
            return 0;
        }
        if (record != nullptr) {
            ProcessReply(*record);
        }
        if (g_linkStopByte != 0 || LinkLost()) {
            return 0;
        }
        if (RunStatus() == kStopped && GetTickCount() - start > kRunStartLimit) {
            return 0;
        }
    }
    return m_closing ? 0 : 1;
}

int CTargetExecVk3::WaitForStop() {
    CHostAccessGuard guard;
    const DWORD period = GetStatusTime();
    DWORD last = GetTickCount();
    while (true) {
        if (RunStatus() == kStopped) {
            return 1;
        }
        if (m_closing) {
            return 0;
        }
        // A bound counts once a whole poll has run past it: a poll held up
        // meanwhile (a host access, a slow driver) may still bring the stop.
        const bool pastStop = PastStopDeadline();
        const bool pastUnreported = PastUnreportedDeadline();
        guard.SetHeld(1);
        EmuReplyPtr record;
        if (CheckError(record) != 0) {
            guard.SetHeld(0);
            return 0;
        }
        if (record != nullptr) {
            ProcessReply(*record);
        }
        record.reset();
        if (RunStatus() != kStopped && WaitHasLapsed(pastStop, pastUnreported)) {
            guard.SetHeld(0);
            return 0;
        }
        guard.SetHeld(0);
        // No status while a host memory operation is under way: the host's
        // status request would wait on the memory lock it holds.
        const DWORD now = GetTickCount();
        if (period != 0 && now - last > period && !IsMemoryAccessInProgress()) {
            if (CTargetVk3* target = GetTarget()) {
                target->RaiseHostEvent(CHostEvent(EVENT_PeriodicStatus));
            }
            last = now;
        }
        Sleep(0);
        if (LinkLost()) {
            return 1;
        }
    }
}

bool CTargetExecVk3::PastStopDeadline() const {
    return m_stopSent && GetTickCount() - m_stopStart > kStopDeadline;
}

bool CTargetExecVk3::PastUnreportedDeadline() const {
    return g_runStateMonitor != nullptr && g_runStateMonitor->UnreportedStopFor(GetTickCount()) > kStopDeadline;
}

bool CTargetExecVk3::WaitHasLapsed(bool pastStopDeadline, bool pastUnreportedDeadline) {
    if (pastStopDeadline && PastStopDeadline()) {
        if (!m_timeoutShown) {
            ReportStopTimeout();  // unless a halt past the deadline has shown it
        }
        AbandonRun();
        // As the message says: the CPU is reset, so the program no longer
        // runs unwatched; its registers are the reset's.
        if (g_monitorEngine != nullptr) {
            static_cast<void>(g_monitorEngine->ResetMonitorCommand());  // a failed reset shows at the next command
        }
        return true;
    }
    if (pastUnreportedDeadline && PastUnreportedDeadline()) {
        AbandonRun();
        return true;
    }
    return false;
}

void CTargetExecVk3::AbandonRun() {
    if (g_emuResponse != nullptr) {
        g_emuResponse->SetRunStatus(kStopped);
    }
    if (g_runStateMonitor != nullptr) {
        g_runStateMonitor->SetRunning(0);
    }
    // No stop is pending any more: the next run's commands go out.
    g_linkStopByte = 0;
    g_linkBreakFlag = 0;
    m_stopSent = false;
    m_request[0] = exec_request::kStop;
}

CString CTargetExecVk3::GetStopCauseText() {
    std::lock_guard lock(m_textMutex);
    return CString(m_stopCauseText.c_str());
}
