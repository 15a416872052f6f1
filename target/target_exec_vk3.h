// CTargetExecVk3: the run-control handler. The host's IHTExec and IHTExec2
// operations check whether they may run, write a request code and call
// Execute, which starts one go thread per request and returns at once (a
// stop is handed straight to Halt). The go thread runs the request's
// variant through the monitor engine and waits, polling the reply decoder,
// until the target stops; it holds the memory lock (CHostAccessGuard) only
// around each emulator access, so the host's memory operations interleave
// with the polling.
//
// Files: target_exec_vk3.cpp (the host operations, Execute, the go thread,
// the go variants and the wait loops), exec_steps.cpp (the step variants,
// Halt and Reset), exec_replies.cpp (the replies of a run and the stop-cause
// text), exec_registers.cpp (the register cache between the host's array
// and the register image, the register table, the guarded-area check and
// the version report).
//
// Words the UI thread and the go thread share are atomics; the register
// image and the host's register array change hands through the running
// words (the go thread uses them from BeginRun to EndRun).
#pragma once

#include "frame/target_exec.h"
#include "link/emu_response.h"
#include "target/host_access_guard.h"
#include "target/target_objects.h"

#include "platform/afx.h"
#include "platform/afx_thread.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

// The request codes of the request block.
namespace exec_request {
inline constexpr DWORD kGo = 0;
inline constexpr DWORD kResetAndGo = 1;
inline constexpr DWORD kGoToAddresses = 2;
inline constexpr DWORD kStepIn = 3;
inline constexpr DWORD kStepOver = 4;
inline constexpr DWORD kStepOut = 5;
inline constexpr DWORD kStepInRange = 6;
inline constexpr DWORD kStepOverRange = 7;
inline constexpr DWORD kStepOutAgain = 8;
inline constexpr DWORD kStop = 9;  // also the idle value
}  // namespace exec_request

// A row of the register table: name, width in bytes, index.
struct RegisterDescriptor {
    char name[16];
    DWORD width;
    DWORD index;
};
static_assert(sizeof(RegisterDescriptor) == 24, "a register table row is 24 bytes");

// The handler's reply scanners, over a reply text and its length.
namespace exec_reply {
// The characters after the first "+++:" up to the next CR (at most 79);
// nothing below 4 bytes or without the marker.
bool FindStopCause(std::string_view text, std::string& cause);
// "BREAK !" anywhere in the text.
bool IsBreakText(std::string_view text);
// What ends a step out: the first of "REIT", "EXITD", "RTS" (a return was
// stepped) or "+++" (a stop line only) in the text.
enum class StepOutMark { None, Return, StopLine };
StepOutMark FindStepOutMark(std::string_view text);
// The text from the first "** " up to the first BS, CR or LF; nothing for a
// text of 2 bytes or less, or without the marker.
bool FindStatusLine(std::string_view text, std::string& line);
}  // namespace exec_reply

class CTargetExecVk3 : public CTargetExec2, public CRunControlReports {
public:
    // How long a stop command has to stop the program (ms).
    static constexpr DWORD kStopDeadline = 3000;

    explicit CTargetExecVk3(IHostServiceProvider* host);
    ~CTargetExecVk3() override;

    HRESULT OnTargetOpen() override;
    HRESULT OnTargetClose() override;
    // The host's register array; a new one is filled from the monitor.
    HRESULT SetOption(DWORD_PTR value) override;
    DWORD GetNotifyValue() override { return 0; }

    // IHTExec and IHTExec2.
    HRESULT STDMETHODCALLTYPE Reset() override;
    HRESULT STDMETHODCALLTYPE Go() override;
    HRESULT STDMETHODCALLTYPE StepInEx(DWORD first, DWORD last) override;
    HRESULT STDMETHODCALLTYPE StepOverEx(DWORD first, DWORD last) override;
    HRESULT STDMETHODCALLTYPE StepOutEx(DWORD first, DWORD last) override;
    HRESULT STDMETHODCALLTYPE StepIn() override;
    HRESULT STDMETHODCALLTYPE StepOver() override;
    HRESULT STDMETHODCALLTYPE StepOut() override;
    HRESULT STDMETHODCALLTYPE Halt() override;
    HRESULT STDMETHODCALLTYPE QueryIdleEx() override;
    HRESULT STDMETHODCALLTYPE ResetGo() override;
    HRESULT STDMETHODCALLTYPE GoEx(VARIANT addresses) override;

    // Starts the request in the request block: 0x80042001 while a download
    // is in progress or when it does not fit the run state; S_OK once its
    // go thread is started (a stop is handed to HaltRun).
    HRESULT Execute();
    // Waits for the go thread of the last request to end.
    void AwaitRunThread();
    // At the session's end: a go thread that waits for a stop stops waiting
    // (the program runs on, untouched) and ends; waits for it.
    void EndRunThread();

    // CRunControlReports
    CString GetStopCauseText() override;
    void RefreshRegisterList() override { static_cast<void>(StoreRegistersToHost()); }

    // ---- registers (exec_registers.cpp) ----
    DWORD GetPC() const;
    DWORD GetFlags() const;
    DWORD GetStackPointer() const;
    void SetPC(DWORD value);
    void SetFlags(DWORD value);
    void SetStackPointer(DWORD value);
    // Writes the first register whose host value differs from the image.
    void WriteChangedRegister();
    BOOL LoadRegistersFromHost();
    BOOL StoreRegistersToHost();
    static DWORD GetRegisterCount();
    static const RegisterDescriptor* GetRegisterDescriptor(DWORD row);
    static const RegisterDescriptor* FindRegisterByIndex(DWORD index);
    static int FindRegisterIndexByName(const char* name);
    // 0, or 0x80042001 after the message for a PC or stack pointer above the
    // memory map.
    DWORD CheckGuardedArea();

    // ---- replies (exec_replies.cpp) ----
    void ProcessReply(const CEmuReply& record);
    void ProcessStepOutReply(const CEmuReply& record);
    // Whether the last stop was a target reset.
    static bool StoppedByReset();
    void SetStopCauseText(std::string_view text);
    std::string GetRunTimeText();
    // Whether address is a temporary stop address (its index, -1 if not);
    // nonEmpty tells whether the list has any.
    int FindBreakAddress(DWORD address, bool* nonEmpty) const;

    DWORD RequestCode() const { return m_request[0]; }
    DWORD IsWaiting() const { return m_waiting; }

protected:
    // ---- the go thread (target_exec_vk3.cpp) ----
    static UINT RunThreadProc(LPVOID handler);
    HRESULT RunRequest();
    HRESULT BeginRun(DWORD kind);
    void EndRun(HRESULT result);
    // The monitor access closed under the guard, then the run begun; a
    // failed beginning ends the run at once.
    HRESULT StartGuardedRun(CHostAccessGuard& guard, DWORD kind);
    // With the guard held: the monitor access opened again, the guard let
    // go, the run ended and the host's command buttons refreshed.
    void FinishGuardedRun(CHostAccessGuard& guard);
    HRESULT RunGo();
    HRESULT RunResetAndGo();
    HRESULT RunGoToAddresses();
    HRESULT RunVariant(DWORD code);
    // Installs (or removes) the address list as break conditions.
    DWORD SetTemporaryBreaks(bool install);
    // 1 once the target runs; 0 when a reply, a break-in or a lost link
    // ends the wait, or after 5,000 ms.
    int WaitForRunStart();
    // 1 once the target stopped (or the link is lost); 0 on a failed poll,
    // and once a wait has lapsed (WaitHasLapsed).
    int WaitForStop();
    // After a poll that began past a bound: the stop command's deadline
    // (the time-out message, then a CPU reset), or the stop's deadline for
    // a target that stands still with no stop to report (a start it
    // refused). The run is given up: nothing runs that a poll could report.
    bool WaitHasLapsed(bool pastStopDeadline, bool pastUnreportedDeadline);
    bool PastStopDeadline() const;
    bool PastUnreportedDeadline() const;
    void AbandonRun();
    // The pending reply processed and released after a failed command.
    HRESULT FailRun();
    // A request of the run met a target reset: the reset is the run's stop,
    // with its cause and the reset's registers. The run ends as its own.
    HRESULT EndRunAtReset(CHostAccessGuard& guard, DWORD runMode);
    // A command of the run failed with result: the run ends as the reset's
    // stop, or as a failure.
    HRESULT EndFailedRun(CHostAccessGuard& guard, WORD result, DWORD runMode);

    // ---- steps, stop and reset (exec_steps.cpp) ----
    HRESULT RunStepIn();
    HRESULT RunStepOver();
    HRESULT RunStepOut();
    HRESULT RunStepInRange();
    HRESULT RunStepOverRange();
    HRESULT RunStep(bool over);
    HRESULT RunRange(bool over);
    // A stop while a run is in progress: 0, or 1 after the time-out message.
    DWORD HaltRun();
    HRESULT ResetTarget();
    void ReportStopTimeout();
    HRESULT PostStepRequest(DWORD code, DWORD first, DWORD last, const char* refusal);

    // ---- registers ----
    void InitRegisters();
    void ReportVersions();

private:
    // The host's go checks: 0, else E_FAIL after the refusal.
    HRESULT CheckGo();
    bool RunInProgress() const;
    void RefreshCommandUi();
    void AskRunStoppedEvent();
    void ReportToHost(const char* text);
    void BeginWaiting();
    // After a launch: waits until the program runs, then (the guard given
    // back) until it stops. False when either wait fails; the run is ended.
    bool AwaitLaunchedRun(CHostAccessGuard& guard);
    DWORD HaltWaitingRun();
    std::uint64_t* HostArray() const { return m_hostArray.load(); }

    // The request block: code, argument 1, argument 2.
    std::array<std::atomic<DWORD>, 3> m_request{};
    std::atomic<DWORD> m_stopArmed{1};
    std::atomic<DWORD> m_stopStart{0};  // tick count of the stop command
    std::atomic<bool> m_stopSent{false};  // the stop command went out for this request
    std::atomic<bool> m_closing{false};   // the session ends: no wait goes on
    std::atomic<bool> m_timeoutShown{false};  // the stop's time-out message was shown for this request
    std::atomic<DWORD> m_stepEnd{0};
    std::atomic<DWORD> m_waiting{0};
    // A halt that came before the go thread waited for the stop: whichever
    // of the two threads takes it sends the stop.
    std::atomic<bool> m_haltPending{false};
    std::atomic<DWORD> m_temporaryBreaks{0};
    // A step out's next step runs a return instruction (known by its
    // opcode, for a host without a disassembler).
    std::atomic<bool> m_steppingReturn{false};
    std::atomic<std::uint64_t*> m_hostArray{nullptr};
    mutable std::mutex m_textMutex;  // the two texts
    std::string m_runTimeText;
    std::string m_stopCauseText;
    std::vector<DWORD> m_addresses;  // changed only while no run is in progress
    std::unique_ptr<CWinThread> m_runThread;
    // From a request's start until its thread has let go of the target's
    // run state (which a breakpoint listing may hold as well).
    std::atomic<bool> m_runThreadActive{false};
};

// The run-control handler's factory, installed at the module's start.
CTargetExec* CreateTargetExecVk3(IHostServiceProvider* host);
