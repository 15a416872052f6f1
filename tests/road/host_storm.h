// The host storm: random operations of the simulated host on the real
// plug-in module over the simulated emulator (memory, copy, compare and both
// searches, download, go, go to addresses, reset and go, the steps, halt,
// reset, registers, breakpoints and break conditions through the host, its
// break list and the console, status, the session's end and a new one), each
// under a random emulator fault armed at a random driver call inside the
// operation. Every operation must end within a bound; one that claims
// success (no refusal, no message, no error text, a stop with its cause)
// must have done what it says, judged against the emulator's own view; once
// the fault is cleared the session must come back, by itself or through a
// reconnect. Deterministic for a seed on the virtual clock (docs/storm.md).
#pragma once

#include "tests/road/road_session.h"

#include "sim/host/command_window.h"
#include "sim/host/console_ui.h"
#include "sim/host/debug_session.h"
#include "sim/host/program_image.h"
#include "tests/road/host_storm_demo.h"
#include "tests/support/storm_settings.h"

#include "platform/host/target_interfaces.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace roadtest {

using testing_support::StormRng;

// Nobody at the screen: every box and dialog takes its default, as the
// host's console does unattended; the boxes shown are kept.
class StormUi : public simhost::ConsoleUiDriver {
public:
    StormUi();
    int OnMessageBox(const platform::MessageBoxRequest& request) override;
    void OnDialog(platform::UiDialog& dialog) override;
    std::vector<std::string> Boxes() const;

private:
    std::ostream sink_{nullptr};  // what the console would print goes nowhere
    mutable std::mutex boxesMutex_;
    std::vector<std::string> boxes_;
};

class HostStorm : public EmulatorRoad {
protected:
    enum class Op {
        Read, Write, Download, Copy, Compare, Search, Go, GoUntil, ResetAndGo, Step, StepOver, StepOut,
        Registers, Reset, Breakpoints, Conditions, CommandAndGo, Status, Reconnect,
    };
    struct Fault {
        DWORD kind = 0;
        DWORD value = 0;
        DWORD count = 1;
        DWORD call = 0;  // the driver call of the operation that it strikes
    };
    // What a judgement checks, named in a failure.
    enum class Check {
        Bounded,         // every wait ends
        MemoryRead,      // bytes read, compared, copied or searched are the memory's
        MemoryWritten,   // bytes written are in the emulator
        ProgramInFlash,  // the program and the flash written are in the chip after a launch
        StopReported,    // a run that ended says why, and the target stands still
        StopRegisters,   // the host's registers are the stopped target's
        StopPlace,       // a run stopped where the host's lists and the demo say
        BreakBytesHidden,  // a stopped program reads as its own bytes
        ListChanged,     // a change of breakpoints or conditions is in the host's lists
        ResetDone,       // a reset left a powered, stopped target out of reset
        ChipAtEnd,       // after the session's end the chip holds the program, or the user was told
        Recovered,       // after the fault the session works again
    };
    // A row of the host's break-condition list: a channel, set or free.
    struct Condition {
        bool set = false;
        bool enabled = false;
        DWORD address = 0;
    };
    // What the host lists: the PC breakpoints and the break conditions.
    struct Lists {
        std::set<DWORD> breakpoints;  // every one, enabled or not
        std::set<DWORD> enabledBreakpoints;
        std::vector<Condition> conditions;  // by channel
        std::set<DWORD> enabledConditions;
    };

    void SetUp() override;
    void TearDown() override;

    // One iteration: an operation under a fault, judged, then recovered.
    // False once something failed (Failure() says what).
    bool Iterate(std::uint32_t iteration);
    const std::string& Failure() const { return failure_; }
    std::string Describe() const;
    const testing_support::StormSettings& Settings() const { return settings_; }
    std::uint32_t FailuresReported() const { return reported_; }
    std::uint32_t Reconnects() const { return reconnects_; }

private:
    void Expect(bool holds, Check check, const std::string& what);
    bool Failed() const { return !failure_.empty(); }
    static Op DrawOp(StormRng& rng);
    static Fault DrawFault(StormRng& rng, Op op);
    bool Run(Op op, StormRng& rng);

    // Memory (host_storm_memory.cpp); each answers whether it claims success.
    bool Read(StormRng& rng);
    bool Write(StormRng& rng);
    bool Download();
    bool Copy(StormRng& rng);
    bool Compare(StormRng& rng);
    bool Search(StormRng& rng);
    // The bytes the host should read: the model's in the flash, the RAM
    // code's, else the target's.
    emutest::Bytes Expected(DWORD first, std::size_t count) const;
    IHTMemoryServer4* MemoryServer() const;

    // Runs (host_storm_runs.cpp).
    bool Go(StormRng& rng);
    bool GoUntil(StormRng& rng);
    bool ResetAndGo();
    bool Step(StormRng& rng, simhost::StepKind kind);
    bool Registers(StormRng& rng);
    bool Reset();
    bool Reconnect();
    // The host's go from the PC it holds, judged by where the lists say it
    // stops; a go that no stop ends is halted.
    bool GoFrom(DWORD start, const std::string& what);
    // Waits for a reset and go the storm started, halts it when expected
    // is none, and reports its stop as the host does.
    bool AwaitResetAndGo(bool stops);
    // The program placed at pc: the host's PC, and the stack a call there
    // would have left.
    void Start(DWORD pc);
    // What the chip may hold after a launch with these lists: break bytes
    // where breakpoints stand, and the addresses its channels may hold.
    void Launch(const Lists& lists, const std::vector<DWORD>& untilAddresses = {});
    const std::string& Cause() const;

    // Breakpoints and break conditions (host_storm_breaks.cpp); each
    // answers whether it claims success.
    Lists HostLists() const;
    bool Breakpoints(StormRng& rng);
    bool HostBreakpoint(StormRng& rng, const Lists& lists);
    bool BreakpointCommand(StormRng& rng, const Lists& lists);
    bool BreakpointListWindow(StormRng& rng);
    bool Conditions(StormRng& rng);
    bool ConditionCommand(StormRng& rng, const Lists& lists);
    bool CommandAndGo(StormRng& rng);
    // A console command of the plug-in in the host's command window: true
    // when it answered S_OK and told nothing.
    bool Command(const std::string& line);
    // A console command that changes the lists: one that answered success
    // must show as holds says.
    bool CommandChanges(const std::string& line, const std::function<bool(const Lists&)>& holds);
    // A change that answered success shows in the host's lists.
    void ExpectLists(const std::string& what, const std::function<bool(const Lists&)>& holds);
    // The first interface of that id the plug-in registered with the host.
    template <typename Interface>
    Interface* Served(const IID& iid, bool server = true) const {
        for (const simhost::InterfaceRegistration& registration : host_->Services().Registrations()) {
            if (registration.server == server && registration.iid == iid) {
                return static_cast<Interface*>(registration.object);
            }
        }
        return nullptr;
    }

    // Judging (host_storm_judge.cpp).
    // What the operation told the person beyond its answer: a message box,
    // or an error text to the host.
    bool Told() const;
    // The same for a run or step, whose stop may also name its failure.
    bool StopTold() const;
    // The target ran nothing under a fault that answers a request unread.
    bool GoUnread() const;
    std::array<DWORD, 20> ModelRegisters() const;
    void JudgeStop(const std::string& what);
    // Where a run stopped: at expected, or, with none, where the storm
    // halted it (a run ended by itself at a stop the host does not list as
    // enabled is the fault). Judged by the PC JudgeStop found, before its
    // reads, which the fault may still strike (a reset moves the PC).
    void JudgeStopPlace(const std::string& what, std::optional<DWORD> expected);
    void JudgeProgram(const std::string& what, const std::set<DWORD>& breakBytes,
                      Check check = Check::ProgramInFlash);
    // The host reads the program's bytes where the breakpoints stood.
    void JudgeBreakBytesHidden(const std::string& what);
    void JudgeRunEnded();

    // Bringing the session back once the fault is cleared.
    [[nodiscard]] bool Connect();
    // The session has ended: the next one starts from the chip.
    void ForgetSession();
    [[nodiscard]] bool Probe();
    void Recover();
    void Prepare(Op op);
    void Print(const std::string& line);

    testing_support::StormSettings settings_;
    std::unique_ptr<StormUi> ui_;
    std::unique_ptr<simhost::SimHost> host_;
    std::unique_ptr<simhost::DebugSession> session_;
    std::unique_ptr<simhost::CommandWindow> commands_;
    simhost::ProgramImage program_;
    // The user's flash as the host should read it (kFlashFirst on), and
    // whether the program is in it; a range a failed write may have left
    // half written, to be written again.
    std::vector<BYTE> flash_;
    bool programInFlash_ = false;
    std::optional<std::pair<DWORD, DWORD>> flashUnsure_;
    // Where the chip may hold a break byte after the last launch: the
    // breakpoints listed at its start and the addresses of a go to them.
    std::set<DWORD> launchBreaks_;
    // The addresses the break channels may hold at the last launch: every
    // condition listed, enabled or not, and the addresses of a go to them.
    std::set<DWORD> launchChannels_;
    mutable std::mutex linesMutex_;
    std::deque<std::string> lines_;  // the session's last lines, for a failure
    // The iteration being run.
    std::uint32_t iteration_ = 0;
    Op op_ = Op::Read;
    Fault fault_;
    bool claimed_ = false;
    std::size_t boxesBefore_ = 0;
    std::size_t textsBefore_ = 0;
    DWORD instructionsBefore_ = 0;
    // The target's PC when the last run's stop was judged.
    DWORD stopPc_ = 0;
    // The stop a reset and go reported: the host's session has no such
    // command, so the storm waits for it itself.
    std::optional<std::string> resetGoCause_;
    // The host's wait for a run's stop ran out, and it halted the program.
    std::atomic<bool> runWaitRanOut_{false};
    std::string detail_;
    std::string recovery_;
    std::string failure_;
    std::uint32_t reported_ = 0;
    std::uint32_t reconnects_ = 0;
};

}  // namespace roadtest
