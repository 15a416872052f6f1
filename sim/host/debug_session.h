// The simulated host as a debugger: one debug session on the target through
// the interfaces the plug-in registered with the host, found there by their
// ids. It keeps the host's register array, reads programs with its own
// S-record reader, and prints what happens through a printer, one line per
// call. The console interprets commands over it; road tests drive it.
#pragma once

#include "platform/host/status_interfaces.h"
#include "platform/host/target_interfaces.h"
#include "sim/host/breakpoint_service.h"
#include "sim/host/program_image.h"
#include "sim/host/scratch_session.h"
#include "sim/host/wait_cut.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace simhost {

// The most bytes one memory command reads or writes.
inline constexpr DWORD kMostMemoryBytes = 4096;
// The largest piece of a download handed to one write.
inline constexpr DWORD kDownloadPiece = 1024;
// How long the host waits for a run to end before it halts it.
inline constexpr DWORD kRunWaitMilliseconds = 10000;

enum class StepKind { In, Over, Out };

class DebugSession {
public:
    using Printer = std::function<void(const std::string&)>;

    // print: where every line goes.
    DebugSession(SimHost& host, Printer print);
    // Ends what is still open: halts, saves, disconnects; removes the scratch
    // session.
    ~DebugSession();
    DebugSession(const DebugSession&) = delete;
    DebugSession& operator=(const DebugSession&) = delete;

    // Opens the host's session: a scratch folder with a copy of the seed
    // session file (a Windows path) and the host's workspace storage beside
    // it. False (and a line) when it cannot.
    bool OpenSession(const std::string& seedFile);
    // The host's session folder and name (empty before OpenSession).
    std::string SessionFolder() const;

    bool Connected() const { return exec_ != nullptr; }
    // A run or step was started and its end has not been seen yet.
    bool Running() const { return running_; }

    // Each answers whether it did what was asked; each prints its outcome
    // or its error as lines.
    bool Connect();
    bool Disconnect();
    bool Load(const std::string& path);
    bool Download(const ProgramImage& image);
    bool Reset();
    // Starts the program. With a PC breakpoint set it waits for the stop;
    // without one it waits until the target reports the program running,
    // which then runs on until halt or wait.
    bool Go();
    // Runs until one of the addresses (or a breakpoint) is reached.
    bool GoUntil(const std::vector<DWORD>& addresses);
    bool Halt();
    bool Step(StepKind kind);
    // Waits for a running program to stop, at most that long; halts it then.
    bool Wait(DWORD milliseconds);
    // From any thread: ends the wait of a go, go until, step or wait for the
    // program's stop (the person pressed Ctrl-C); the program is halted and
    // the command fails. False when no such wait is under way.
    bool CutRunWaitShort();
    // Looks whether a run has ended since the last look and reports its
    // stop; the console calls it before each command.
    void CheckRunEnded();

    // The registers of the host's array, at their widths; false (and a
    // line) without a connection: the array then belongs to no session.
    bool ShowRegisters();
    bool SetRegister(const std::string& name, DWORD value);
    DWORD Register(std::size_t index) const;

    // Reads count bytes (1 to kMostMemoryBytes); while the program runs,
    // through the running-memory server.
    std::optional<std::vector<BYTE>> ReadMemory(DWORD start, DWORD count);
    bool ShowMemory(DWORD start, DWORD count);
    bool WriteMemory(DWORD start, const std::vector<BYTE>& bytes);

    bool AddBreak(DWORD address);
    void ShowBreaks();
    // Removes the breakpoint at that place of the list (from 1).
    bool RemoveBreak(std::size_t number);
    std::vector<HostBreakpointService::Breakpoint> Breaks() const;

    void ShowStatus();
    void ShowTrace();
    // The status page's row of that item ("Cause of last break"): its
    // status column, empty when there is none.
    std::string StatusItem(const std::string& page, const std::string& item) const;

    // The milliseconds the host itself slept polling for the end of runs.
    std::uint64_t HostSleptMilliseconds() const { return hostSlept_; }

    // What the last stop report named as its cause.
    const std::string& LastStopCause() const { return lastStopCause_; }

private:
    // A line of the session, and a command's error line.
    void Print(const std::string& line) const;
    bool Fail(const std::string& command, const std::string& message) const;
    // A refusal of the target: its result and the target's text for it.
    bool Refused(const std::string& command, HRESULT result) const;
    bool NeedConnection(const std::string& command) const;
    bool NeedStopped(const std::string& command);
    void FindTargetInterfaces();
    // The run has ended: idle, and the go thread's tail has run.
    bool RunEnded() const;
    // One poll of a wait that may last milliseconds; false once they have
    // passed (polls counts them).
    bool Poll(DWORD& polls, DWORD milliseconds);
    enum class RunWait { Ended, TimedOut, Cut };
    // Polls for the end of the run each millisecond, at most the limit; on
    // the end reports the stop. A cuttable wait ends when CutRunWaitShort
    // asks.
    RunWait AwaitRunEnd(DWORD milliseconds, bool cuttable);
    // Waits until the target reports the status of the running program (its
    // first periodic status since queriesBefore); false when the run ended
    // first (reported) or nothing came within the limit.
    bool AwaitRunStatus(std::size_t queriesBefore);
    // The line that tells the person a command waits for the stop, and how
    // to end the wait.
    void AnnounceWait(const std::string& command, DWORD milliseconds) const;
    // A run or step was accepted: waits for its end at most that long, and
    // halts the program when the wait ran out or was cut short.
    bool FinishRun(const std::string& command, DWORD milliseconds);
    void ReportStop();
    IHComponent* TargetComponent() const;
    // How many texts the target has reported to the host so far.
    std::size_t ReportedTexts() const;
    void NameHostEvents();

    SimHost& host_;
    Printer print_;
    std::unique_ptr<ScratchSession> scratch_;
    std::unique_ptr<WorkspaceStorage> storage_;
    IHTExec2* exec_ = nullptr;
    IHTMemoryServer2* memory_ = nullptr;
    IHTPCBreakClient* breaks_ = nullptr;
    IHTRunningMemory* runningMemory_ = nullptr;
    IHWorkSpaceClient2* workspaceClient_ = nullptr;
    std::optional<std::uint32_t> resetVector_;
    bool running_ = false;
    std::uint64_t hostSlept_ = 0;
    std::string lastStopCause_;
    WaitCut runWaitCut_;
};

// The text of a result: its name when it has one, else 0x%08X.
std::string ResultText(HRESULT result);

}  // namespace simhost
