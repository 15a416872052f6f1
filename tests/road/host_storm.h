// The host storm: random operations of the simulated host on the real
// plug-in module over the simulated emulator (memory, download, go, step,
// halt, reset, registers, breakpoints, status, disconnect and reconnect),
// each under a random emulator fault armed at a random driver call inside
// the operation. Every operation must end within a bound; one that claims
// success (no refusal, no message, no error text, a stop with its cause)
// must have done what it says, judged against the emulator's own view; once
// the fault is cleared the session must come back, by itself or through a
// reconnect. Deterministic for a seed on the virtual clock (docs/storm.md).
#pragma once

#include "tests/road/road_session.h"

#include "sim/host/console_ui.h"
#include "sim/host/debug_session.h"
#include "sim/host/program_image.h"
#include "tests/support/storm_settings.h"

#include <array>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <ostream>
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
    std::vector<std::string> Boxes() const;

private:
    std::ostream sink_{nullptr};  // what the console would print goes nowhere
    mutable std::mutex boxesMutex_;
    std::vector<std::string> boxes_;
};

class HostStorm : public EmulatorRoad {
protected:
    enum class Op { Read, Write, Download, GoToBreak, GoAndHalt, Step, Registers, Reset, Status, Reconnect };
    struct Fault {
        DWORD kind = 0;
        DWORD value = 0;
        DWORD count = 1;
        DWORD call = 0;  // the driver call of the operation that it strikes
    };
    // What a judgement checks, named in a failure.
    enum class Check {
        Bounded,          // every wait ends
        MemoryRead,       // bytes read are the emulator's
        MemoryWritten,    // bytes written are in the emulator
        ProgramInFlash,   // a download left the program in the chip's flash
        StopReported,     // a run that ended says why, and the target stands still
        StopRegisters,    // the host's registers are the stopped target's
        BreakReached,     // a go to a breakpoint stopped there
        BreakBytesGone,   // no break byte stays in the flash after the run
        ResetDone,        // a reset left a powered, stopped target out of reset
        Recovered,        // after the fault the session works again
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

    // The operations; each answers whether it claims success.
    bool Read(StormRng& rng);
    bool Write(StormRng& rng);
    bool Download();
    bool GoToBreak();
    bool GoAndHalt();
    bool Step(StormRng& rng);
    bool Registers(StormRng& rng);
    bool Reset();
    bool Reconnect();
    bool Run(Op op, StormRng& rng);

    // What the operation told the person beyond its answer: a message box,
    // or an error text to the host.
    bool Told() const;
    // The same for a run or step, whose stop may also name its failure.
    bool StopTold() const;
    // The target ran nothing under a fault that answers a request unread.
    bool GoUnread() const;
    std::array<DWORD, 20> ModelRegisters() const;
    void JudgeStop(const std::string& what);
    void JudgeProgram(const std::string& what);
    void JudgeRunEnded();

    // Bringing the session back once the fault is cleared.
    [[nodiscard]] bool Connect();
    [[nodiscard]] bool Probe();
    void Recover();
    void Prepare(Op op);
    void Print(const std::string& line);

    testing_support::StormSettings settings_;
    std::unique_ptr<StormUi> ui_;
    std::unique_ptr<simhost::SimHost> host_;
    std::unique_ptr<simhost::DebugSession> session_;
    simhost::ProgramImage program_;
    bool programInFlash_ = false;
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
    std::string detail_;
    std::string recovery_;
    std::string failure_;
    std::uint32_t reported_ = 0;
    std::uint32_t reconnects_ = 0;
};

}  // namespace roadtest
