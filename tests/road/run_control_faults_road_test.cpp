// Run control under emulator faults, on the real road (the simulated host,
// the plug-in module, the simulated emulator with the demo program): every
// run or step ends within a bound, a halt ends a run within the stop's
// deadline, and a run that ends says how: a stop with its cause and the
// stopped target's registers, or a failure the host is told of.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/road_session.h"

#include "frame/target_memory.h"
#include "link/host_reports.h"
#include "res/resource_ids.h"

#include "platform/clock.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <ostream>
#include <string>
#include <tuple>

namespace {

constexpr std::size_t kPc = 14;
constexpr char kFailedRun[] = "ERROR";

using emutest::Bytes;
using roadtest::Lines;

class RunControlFaults : public roadtest::RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseDemoEmulator());
        ASSERT_NO_FATAL_FAILURE(LoadHost());
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        ASSERT_NO_FATAL_FAILURE(FindTarget());
        ExpectSheet(res_id::kModeKeepFlash);
        ASSERT_NO_FATAL_FAILURE(Session("USER_DATA", "RESET", "c000"));
        ASSERT_NO_FATAL_FAILURE(StartAgain());
    }

    // The session started, the run control open, the registers at the
    // demo's entry.
    void StartAgain() {
        ASSERT_EQ(StartTarget(), S_OK);
        ASSERT_NO_FATAL_FAILURE(OpenExec());
        AtEntry(0xC000, 0x0900);
    }
    // A lost link's session ended and started again.
    void Reconnect() {
        EndSession();
        ASSERT_NO_FATAL_FAILURE(StartAgain());
    }
    // The boxes shown after the first count of them.
    Lines MessagesAfter(std::size_t count) const {
        const Lines all = Messages();
        return Lines(all.begin() + static_cast<std::ptrdiff_t>(std::min(count, all.size())), all.end());
    }

    // The host's registers are the target's (at their widths).
    bool RegistersCurrent() const {
        std::array<DWORD, 20> model{};
        control_->getRegisters(model.data());
        for (std::size_t i = 0; i < model.size(); ++i) {
            const DWORD mask = i == kPc ? 0xFFFFF : i == 15 ? 0xFFFFFF : 0xFFFF;
            if ((host_->Services().Registers().Value(i) & mask) != (model[i] & mask)) {
                return false;
            }
        }
        return true;
    }
    // A stop the host may take as the stop: a cause, the target standing
    // still and its registers in the host's array; else a failure told.
    void ExpectStopOrFailure(const std::string& what, std::size_t boxesBefore) {
        const std::string cause = StopCause();
        if (cause == kFailedRun || Messages().size() != boxesBefore) {
            return;
        }
        EXPECT_FALSE(cause.empty()) << what << ": a stop without a cause and without a report";
        EXPECT_EQ(Status().running, 0u) << what;
        EXPECT_TRUE(RegistersCurrent()) << what << ": the stop \"" << cause << "\" came with the registers of before ("
                                        << std::hex << Registers().Value(kPc) << ", the target's " << Status().pc
                                        << ")";
    }
};

// A fault struck at each driver call of a step from C010: the step ends,
// and either stops with a cause and the target's registers or says that it
// failed. (Once the registers of the stop could not be read it ended with
// "STEP NORMAL END" and the PC of before the step; a target reset at that
// read ended it as a normal step at the reset's PC. A step refused as busy
// the moment the last one had let the target's run state go ran nothing, yet
// the last step's cause was judged against the PC set for this one.)
struct StepFault {
    const char* name;
    DWORD kind;
    DWORD value;
};

// A test's name shows the fault's name, not its bytes.
void PrintTo(const StepFault& fault, std::ostream* out) {
    *out << fault.name;
}

class StepUnderFaults : public RunControlFaults, public ::testing::WithParamInterface<StepFault> {};

TEST_P(StepUnderFaults, EndsWithItsStopOrItsFailure) {
    const StepFault& fault = GetParam();
    for (DWORD call = 1; call <= 80; ++call) {
        Registers().SetValue(kPc, 0xC010);
        const std::size_t boxes = Messages().size();
        ASSERT_EQ(control_->injectFaultAfterDriverCalls(call, fault.kind, fault.value, 1), Q3V_SIM_OK);
        SCOPED_TRACE(std::string(fault.name) + " at driver call " + std::to_string(call));
        // The last run has ended (its run state let go), so the step is
        // taken: a refused step ran nothing, and the last step's cause and
        // the target's registers would be judged against the PC set here.
        ASSERT_EQ(exec_->StepIn(), S_OK) << fault.name << " at call " << call << ": refused once the last run had ended";
        ASSERT_NO_FATAL_FAILURE(AwaitEnd()) << fault.name << " at call " << call;
        control_->clearFaults();
        ExpectStopOrFailure(std::string(fault.name) + " at call " + std::to_string(call), boxes);
        if (StopCause() == "STEP NORMAL END") {
            EXPECT_EQ(Registers().Value(kPc), 0xC011u) << "a step that ended normally stopped after its instruction";
        }
        if (HasFailure()) {
            return;
        }
        if (Messages().size() != boxes || StopCause() == kFailedRun) {
            ASSERT_NO_FATAL_FAILURE(Reconnect());  // the link, or the target, was given up
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RunControlFaults, StepUnderFaults,
                         ::testing::Values(StepFault{"nak", Q3V_SIM_FAULT_NAK, 0},
                                           StepFault{"status 0x83", Q3V_SIM_FAULT_STATUS, 0x83},
                                           StepFault{"status 0x85", Q3V_SIM_FAULT_STATUS, 0x85},
                                           StepFault{"power lost", Q3V_SIM_FAULT_TARGET_POWER, 0},
                                           StepFault{"target reset", Q3V_SIM_FAULT_TARGET_RESET, 0}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::replace(name.begin(), name.end(), ' ', '_');
                             return name;
                         });

// A refusal struck at each driver call of a step from C004 (a no-operation)
// after a stop of each kind: the step ends normally after its instruction,
// in the emulator as for the host, or its failure is told. (A refused go
// request, which has no reply, left the emulator's run state naming the stop
// before it: the step ended as that stop, "BREAK KEY" or "STEP NORMAL END",
// with the PC still at C004.)
enum class StopBefore { GoAndHalt, Reset, Step };

std::string StopName(StopBefore stop) {
    switch (stop) {
    case StopBefore::GoAndHalt:
        return "after_a_go_and_its_halt";
    case StopBefore::Reset:
        return "after_a_reset";
    case StopBefore::Step:
        break;
    }
    return "after_a_step";
}

void PrintTo(StopBefore stop, std::ostream* out) {
    *out << StopName(stop);
}

class StepAfterAStop : public RunControlFaults,
                       public ::testing::WithParamInterface<std::tuple<StopBefore, StepFault>> {
protected:
    // The stop the step follows: a go halted by the break key, a reset, or a
    // step from C010 that stopped normally.
    void StopThere(StopBefore stop) {
        switch (stop) {
        case StopBefore::GoAndHalt:
            GoAndHalt();
            break;
        case StopBefore::Reset:
            EXPECT_EQ(exec_->Reset(), S_OK);
            break;
        case StopBefore::Step:
            Registers().SetValue(kPc, 0xC010);
            ASSERT_EQ(exec_->StepIn(), S_OK);
            ASSERT_NO_FATAL_FAILURE(AwaitEnd());
            EXPECT_EQ(StopCause(), "STEP NORMAL END");
            break;
        }
    }
};

TEST_P(StepAfterAStop, EndsAfterItsInstructionOrSaysItFailed) {
    const auto& [before, fault] = GetParam();
    for (DWORD call = 1; call <= 30; ++call) {
        SCOPED_TRACE(std::string(fault.name) + " at driver call " + std::to_string(call));
        ASSERT_NO_FATAL_FAILURE(StopThere(before));
        Registers().SetValue(kPc, 0xC004);
        const std::size_t boxes = Messages().size();
        ASSERT_EQ(control_->injectFaultAfterDriverCalls(call, fault.kind, fault.value, 1), Q3V_SIM_OK);
        ASSERT_EQ(exec_->StepIn(), S_OK);
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        control_->clearFaults();
        const bool failed = StopCause() == kFailedRun || Messages().size() != boxes;
        if (!failed) {
            EXPECT_EQ(StopCause(), "STEP NORMAL END");
            EXPECT_EQ(Status().pc, 0xC005u) << "the emulator's PC";
            EXPECT_EQ(Registers().Value(kPc), 0xC005u) << "the host's PC";
            EXPECT_EQ(Status().running, 0u);
        }
        if (HasFailure()) {
            return;
        }
        if (failed) {
            ASSERT_NO_FATAL_FAILURE(Reconnect());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    RunControlFaults, StepAfterAStop,
    ::testing::Combine(::testing::Values(StopBefore::GoAndHalt, StopBefore::Reset, StopBefore::Step),
                       ::testing::Values(StepFault{"nak", Q3V_SIM_FAULT_NAK, 0},
                                         StepFault{"status_0x83", Q3V_SIM_FAULT_STATUS, 0x83},
                                         StepFault{"status_0x85", Q3V_SIM_FAULT_STATUS, 0x85})),
    [](const auto& info) { return StopName(std::get<0>(info.param)) + "_" + std::get<1>(info.param).name; });

// A step out from the demo's subroutine under a fault at each of its driver
// calls ends by itself: back at the caller (C004) in the emulator as for the
// host, or as the target's reset with the reset's registers, or with its
// failure told. (A target reset met there left a step out stepping the
// program from its reset vector with no return to find; a refused step of
// the return ended the step out at the return, as done.)
class StepOutUnderFaults : public RunControlFaults, public ::testing::WithParamInterface<StepFault> {};

TEST_P(StepOutUnderFaults, EndsAtTheCallerAtTheResetOrSaysItFailed) {
    const StepFault& fault = GetParam();
    for (DWORD call = 1; call <= 40; ++call) {
        SCOPED_TRACE(std::string(fault.name) + " at driver call " + std::to_string(call));
        Registers().SetValue(kPc, 0xC000);
        ASSERT_EQ(exec_->StepIn(), S_OK);
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        ASSERT_EQ(Registers().Value(kPc), 0xC010u) << "in the subroutine";
        const std::size_t boxes = Messages().size();
        const DWORD executed = Status().instructions;
        ASSERT_EQ(control_->injectFaultAfterDriverCalls(call, fault.kind, fault.value, 1), Q3V_SIM_OK);
        ASSERT_EQ(exec_->StepOut(), S_OK);
        // The subroutine's three instructions, and many more for a step out
        // that went on from the reset vector.
        testing_support::YieldWhile([&] { return Busy() && Status().instructions - executed < 200; });
        const bool ended = !Busy();
        if (!ended) {
            EXPECT_EQ(exec_->Halt(), S_OK);
        }
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        control_->clearFaults();
        EXPECT_TRUE(ended) << "the step out went on by itself";
        const bool failed = StopCause() == kFailedRun || Messages().size() != boxes;
        if (StopCause() == "TARGET RESET") {
            EXPECT_TRUE(RegistersCurrent()) << "the reset's registers";
        } else if (!failed) {
            EXPECT_EQ(Status().pc, 0xC004u) << "the emulator's PC, \"" << StopCause() << "\"";
            EXPECT_EQ(Registers().Value(kPc), 0xC004u) << "the host's PC";
        }
        if (HasFailure()) {
            return;
        }
        if (failed || StopCause() == "TARGET RESET") {
            ASSERT_NO_FATAL_FAILURE(Reconnect());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RunControlFaults, StepOutUnderFaults,
                         ::testing::Values(StepFault{"nak", Q3V_SIM_FAULT_NAK, 0},
                                           StepFault{"status_0x85", Q3V_SIM_FAULT_STATUS, 0x85},
                                           StepFault{"target_reset", Q3V_SIM_FAULT_TARGET_RESET, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A go from a breakpoint steps off it, then puts its break byte back
// (into the flash, through a write-back) and goes on; a fault struck at each
// exchange of that going on: the go stops at the breakpoint one loop later,
// in the emulator as for the host, or as the target's reset, or its failure
// is told. (A go whose going on was refused stopped at the next instruction
// with the cause "** RUNNING", and nobody was told.)
class GoFromABreakpointUnderFaults : public RunControlFaults, public ::testing::WithParamInterface<StepFault> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(RunControlFaults::SetUp());
        DWORD id = 0;
        ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC005, &id), S_OK);
    }
    // The go from the breakpoint, which a flash write beside it makes write
    // its block back: the step off's launch writes the program's byte, the
    // going on the break byte.
    void GoFromTheBreakpoint() {
        BYTE byte = 0x5A;
        ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
        AtEntry(0xC005, 0x0900);
        ASSERT_EQ(exec_->Go(), S_OK);
    }
    // The frames sent to the emulator that the going on sends: after the
    // step off's stop and its registers, up to its go request.
    std::pair<DWORD, DWORD> GoingOn() {
        control_->clearFrames();
        GoFromTheBreakpoint();
        AwaitEnd();
        EXPECT_EQ(StopCause(), "BREAK POINT");
        const Lines frames = FramesIn();
        const auto isGo = [](const std::string& frame) { return frame.starts_with("00 0E 5A 21"); };
        const auto firstGo = std::find_if(frames.begin(), frames.end(), isGo);
        const auto registers = std::find_if(firstGo, frames.end(), [](const std::string& frame) {
            return frame.starts_with("00 06 5A 31");
        });
        const auto secondGo = std::find_if(registers, frames.end(), isGo);
        EXPECT_NE(secondGo, frames.end()) << "the go went on after its step off";
        return {static_cast<DWORD>(registers - frames.begin()) + 1, static_cast<DWORD>(secondGo - frames.begin())};
    }
};

TEST_P(GoFromABreakpointUnderFaults, StopsThereAgainAtTheResetOrSaysItFailed) {
    const StepFault& fault = GetParam();
    const auto [first, last] = GoingOn();
    ASSERT_LT(first, last);
    for (DWORD frame = first; frame <= last; ++frame) {
        SCOPED_TRACE(std::string(fault.name) + " at frame " + std::to_string(frame));
        const std::size_t boxes = Messages().size();
        const DWORD executed = Status().instructions;
        // Each exchange before the frame is a frame sent and its reply.
        ASSERT_EQ(control_->injectFaultAfter(2 * frame + 1, fault.kind, fault.value, 1), Q3V_SIM_OK);
        ASSERT_NO_FATAL_FAILURE(GoFromTheBreakpoint());
        // The loop's seven instructions, and many more for a go that ran on.
        testing_support::YieldWhile([&] { return Busy() && Status().instructions - executed < 1000; });
        if (Busy()) {
            EXPECT_EQ(exec_->Halt(), S_OK);
        }
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        control_->clearFaults();
        const bool failed = StopCause() == kFailedRun || Messages().size() != boxes;
        if (StopCause() == "TARGET RESET") {
            EXPECT_TRUE(RegistersCurrent()) << "the reset's registers";
        } else if (!failed) {
            EXPECT_EQ(StopCause(), "BREAK POINT");
            EXPECT_EQ(Status().pc, 0xC005u) << "the emulator's PC";
            EXPECT_EQ(Registers().Value(kPc), 0xC005u) << "the host's PC";
        }
        if (HasFailure()) {
            return;
        }
        if (failed || StopCause() == "TARGET RESET") {
            ASSERT_NO_FATAL_FAILURE(Reconnect());
        }
    }
}

INSTANTIATE_TEST_SUITE_P(RunControlFaults, GoFromABreakpointUnderFaults,
                         ::testing::Values(StepFault{"nak", Q3V_SIM_FAULT_NAK, 0},
                                           StepFault{"status_0xA1", Q3V_SIM_FAULT_STATUS, 0xA1},
                                           StepFault{"target_reset", Q3V_SIM_FAULT_TARGET_RESET, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// A target reset met by a step inside a range ends the range step as the
// reset's stop, though the reset vector lies inside the range. (It stepped
// on from the reset vector and ended as a normal step at the range's end.)
TEST_F(RunControlFaults, ATargetResetEndsARangeStep) {
    Registers().SetValue(kPc, 0xC004);
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_TARGET_RESET, 0, 1), Q3V_SIM_OK);
    ASSERT_EQ(exec_->StepInEx(0xC012, 0xC000), S_OK);
    ASSERT_NO_FATAL_FAILURE(AwaitEnd());
    control_->clearFaults();
    EXPECT_EQ(StopCause(), "TARGET RESET");
    EXPECT_EQ(Status().pc, 0xC000u) << "at the reset vector";
    EXPECT_TRUE(RegistersCurrent());
}

// A host may take a run's end from the running words (the idle answer) as
// well as from the target's run state; by then the stop's cause is final. A
// stop whose register reads are both refused ends as a failure, and a stop
// named by its cause comes with the target's registers. (The words said the
// step had ended while it was still named "STEP NORMAL END" over the
// registers of before the step; the go thread named it a failure later.)
TEST_F(RunControlFaults, TheStopIsFinalOnceTheRunningWordsSayTheRunEnded) {
    for (DWORD call = 1; call <= 80; ++call) {
        SCOPED_TRACE("two refusals from driver call " + std::to_string(call));
        Registers().SetValue(kPc, 0xC010);
        const std::size_t boxes = Messages().size();
        ASSERT_EQ(control_->injectFaultAfterDriverCalls(call, Q3V_SIM_FAULT_NAK, 0, 2), Q3V_SIM_OK);
        ASSERT_EQ(exec_->StepIn(), S_OK);
        testing_support::YieldWhile([&] { return exec_->QueryIdleEx() == S_OK && Busy(); });  // not yet begun
        testing_support::YieldWhile([&] { return exec_->QueryIdleEx() != S_OK; });
        const std::string cause = StopCause();
        const bool current = RegistersCurrent();
        const DWORD pc = Registers().Value(kPc);
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        control_->clearFaults();
        if (Messages().size() == boxes && cause != kFailedRun) {
            EXPECT_FALSE(cause.empty()) << "the run ended without a cause at call " << call;
            EXPECT_TRUE(current) << "the stop \"" << cause << "\" came with the registers of before (" << std::hex << pc
                                 << ", the target's " << Status().pc << ")";
        }
        if (HasFailure()) {
            return;
        }
        if (Messages().size() != boxes || StopCause() == kFailedRun) {
            ASSERT_NO_FATAL_FAILURE(Reconnect());
        }
    }
}

// A go the target refuses at its first driver call never runs, and no stop
// comes: the run ends by itself once the target has stood still for the
// stop's deadline, and a halt meanwhile ends it within that deadline, the
// failure told.
class GoRefused : public RunControlFaults, public ::testing::WithParamInterface<StepFault> {};

TEST_P(GoRefused, AHaltEndsTheRunWithinTheStopsDeadline) {
    const StepFault& fault = GetParam();
    ASSERT_EQ(control_->injectFaultAfterDriverCalls(1, fault.kind, fault.value, 1), Q3V_SIM_OK);
    const std::size_t boxes = Messages().size();
    ASSERT_EQ(exec_->Go(), S_OK);
    testing_support::YieldWhile([&] { return Handler().IsWaiting() == 0 && Busy(); });
    const DWORD halted = GetTickCount();
    const HRESULT halt = exec_->Halt();
    EXPECT_TRUE(halt == S_OK || !Busy()) << "a halt refused while the run goes on";
    ASSERT_NO_FATAL_FAILURE(AwaitEnd());
    EXPECT_LE(GetTickCount() - halted, 3500u) << "the stop's deadline is 3,000 ms";
    EXPECT_TRUE(StopCause() == kFailedRun || Messages().size() != boxes) << "the failed run was not told";
}

INSTANTIATE_TEST_SUITE_P(RunControlFaults, GoRefused,
                         ::testing::Values(StepFault{"nak", Q3V_SIM_FAULT_NAK, 0},
                                           StepFault{"status_0x85", Q3V_SIM_FAULT_STATUS, 0x85},
                                           StepFault{"power_lost", Q3V_SIM_FAULT_TARGET_POWER, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

// The host's CPU reset while the target's power goes at one of the reset's
// driver calls, after a run: a failure, as no powered target came out of
// reset; the power going after the reset leaves its S_OK for a powered
// target under its firmware. (Power lost at the register file's write or
// read back that end the reset answered S_OK for an unpowered target.)
TEST_F(RunControlFaults, AResetThatLosesTheTargetsPowerIsNoSuccess) {
    // The reset's driver calls: the reset register's read and write, the
    // power check, the register file's write and read back (two each), the
    // closing power check. A fault armed past the last strikes after it.
    constexpr DWORD kResetCalls = 7;
    for (DWORD call = 1; call <= kResetCalls + 1; ++call) {
        SCOPED_TRACE("power lost at driver call " + std::to_string(call));
        GoAndHalt();
        ASSERT_EQ(control_->injectFaultAfterDriverCalls(call, Q3V_SIM_FAULT_TARGET_POWER, 0, 1), Q3V_SIM_OK);
        const HRESULT reset = exec_->Reset();
        const Q3vSimStatus status = Status();
        control_->clearFaults();
        if (call <= kResetCalls) {
            EXPECT_NE(reset, S_OK) << "the power went during the reset";
            EXPECT_EQ(status.targetPowered, 0u);
        } else {
            EXPECT_EQ(reset, S_OK) << "the power went after the reset";
            EXPECT_EQ(status.targetPowered, 1u);
            EXPECT_EQ(status.mcuState, static_cast<DWORD>(Q3V_SIM_MCU_FIRMWARE));
        }
        if (HasFailure()) {
            return;
        }
        ASSERT_NO_FATAL_FAILURE(Reconnect());
    }
}

// A launch whose flash programming is refused after its erase: the run fails
// and is told, and the block it erased stays to be written, so the next
// launch puts the program and the byte the host wrote back into the chip.
// (The run's end dropped the block's dirty flag: later runs went on over
// erased flash, which the mirror hid from the host's reads.)
TEST_F(RunControlFaults, AFlashBlockWhoseProgrammingFailedAtALaunchIsWrittenAtTheNext) {
    const struct {
        const char* name;
        bool step;
    } cases[] = {{"go", false}, {"step", true}};
    const Bytes program = ReadTarget(0xC000, 8);
    BYTE byte = 0x5A;
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
        const std::size_t boxes = Messages().size();
        ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_PROGRAM, 0, 1), Q3V_SIM_OK);
        Registers().SetValue(kPc, 0xC000);
        ASSERT_EQ(one.step ? exec_->StepIn() : exec_->Go(), S_OK);
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        control_->clearFaults();
        EXPECT_TRUE(StopCause() == kFailedRun || Messages().size() != boxes) << "the failed launch was not told";
        EXPECT_EQ(ReadTarget(0xC000, 1), Bytes{0xFF}) << "the block was erased, not programmed";

        Registers().SetValue(kPc, 0xC000);
        GoAndHalt();
        EXPECT_EQ(StopCause(), "BREAK KEY");
        EXPECT_EQ(ReadTarget(0xC000, 8), program) << "the program is back in the chip";
        EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{byte});
        ++byte;
    }
}

// A launch's flash write-back puts the flash writer's work RAM back after
// the programming; a target reset there, at a piece that then went through
// at its second attempt, reset the CPU under the run: the step ends as the
// reset's or as a failure, never as a step from where the reset left the
// PC. (It ended "STEP NORMAL END" after the reset vector's instruction.)
TEST_F(RunControlFaults, ATargetResetAtALaunchsWorkRamRestoreIsNoNormalStep) {
    // Where the first write of the restore falls among the frames of a step
    // whose launch writes a flash block back; each exchange is a transmit
    // and a receive, and the fault is armed for the transmit.
    const auto stepAfterAFlashWrite = [this](BYTE byte) {
        EXPECT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
        Registers().SetValue(kPc, 0xC011);
        control_->clearFrames();
        EXPECT_EQ(exec_->StepIn(), S_OK);
    };
    stepAfterAFlashWrite(0x5A);
    ASSERT_NO_FATAL_FAILURE(AwaitEnd());
    ASSERT_EQ(StopCause(), "STEP NORMAL END");
    const Lines frames = FramesIn();
    const auto restore =
        std::find_if(frames.begin(), frames.end(), [](const std::string& frame) { return frame.starts_with("00 50 5A 12"); });
    ASSERT_NE(restore, frames.end());
    const DWORD call = 2 * static_cast<DWORD>(restore - frames.begin()) + 1;

    ASSERT_EQ(control_->injectFaultAfter(call, Q3V_SIM_FAULT_TARGET_RESET, 0, 1), Q3V_SIM_OK);
    stepAfterAFlashWrite(0x5B);
    ASSERT_NO_FATAL_FAILURE(AwaitEnd());
    control_->clearFaults();
    EXPECT_TRUE(StopCause() == "TARGET RESET" || StopCause() == kFailedRun)
        << "\"" << StopCause() << "\" at " << std::hex << Registers().Value(kPc);
    EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{0x5B}) << "the block itself was written";
}

// The session's end writes what only the mirror holds, here a block a
// launch erased and could not program, so the chip holds the program once
// the session has ended; a write that fails there too is told. (The block
// stayed erased, and the session ended without a word.)
TEST_F(RunControlFaults, TheSessionsEndWritesTheBlocksAFailedLaunchLeftOrSaysItCouldNot) {
    const Bytes program = ReadTarget(0xC000, 8);
    for (const bool refusedAgain : {false, true}) {
        SCOPED_TRACE(refusedAgain ? "refused again at the session's end" : "written at the session's end");
        const BYTE byte = 0x5A;
        ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
        ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_PROGRAM, 0, 1), Q3V_SIM_OK);
        ASSERT_EQ(exec_->Go(), S_OK);
        ASSERT_NO_FATAL_FAILURE(AwaitEnd());
        ASSERT_EQ(StopCause(), kFailedRun);
        ASSERT_EQ(ReadTarget(0xC000, 1), Bytes{0xFF}) << "the block was erased, not programmed";
        const Lines boxes = Messages();
        if (refusedAgain) {
            ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_PROGRAM, 0, 1), Q3V_SIM_OK);
        }
        EndSession();
        control_->clearFaults();
        if (refusedAgain) {
            const Lines told = MessagesAfter(boxes.size());
            // The link's message of the refused programming, then the flash write's.
            EXPECT_EQ(told, (Lines{"Flash memory write error", "Flash memory writing NG."}));
            EXPECT_EQ(ReadTarget(0xC000, 1), Bytes{0xFF});
        } else {
            EXPECT_EQ(Messages(), boxes);
            EXPECT_EQ(ReadTarget(0xC000, 8), program);
            EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{byte});
            ASSERT_NO_FATAL_FAILURE(StartAgain());
        }
    }
}

// After a lost link, the session's end reopens the link and writes what
// only the mirror holds: a block a launch erased and could not program, or
// the break byte a stop left in the chip. When that cannot be done (the
// link stays lost, or went in the middle of a launch's programming, with the
// target still in the flash writer's hands) it says that the chip may not
// hold the program. (The end saw the lost link and wrote nothing, without a
// word: the next session read erased flash or the break byte as the
// program.)
TEST_F(RunControlFaults, AfterALostLinkTheSessionsEndWritesWhatOnlyTheMirrorHoldsOrSaysItCouldNot) {
    enum class Left { RefusedLaunch, BreakByte, LaunchThatLostTheLink };
    const struct {
        const char* name;
        Left left;
        bool linkBack;
    } cases[] = {
        {"a block a launch erased, the link back", Left::RefusedLaunch, true},
        {"the break byte of a stop, the link back", Left::BreakByte, true},
        {"the break byte of a stop, the link gone", Left::BreakByte, false},
        {"a launch that lost the link in its programming", Left::LaunchThatLostTheLink, true},
    };
    const Bytes program = ReadTarget(0xC000, 8);
    const Bytes subroutine = ReadTarget(0xC010, 3);
    const auto loseTheLink = [this] {
        BYTE byte = 0;
        ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1), Q3V_SIM_OK);
        static_cast<void>(target_->GetMemoryHandler()->ReadMemory(0x0400, 0x0400, 1, &byte));
    };
    BYTE byte = 0x5A;
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        DWORD id = 0;
        if (one.left == Left::BreakByte) {
            ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC010, &id), S_OK);
            ASSERT_EQ(exec_->Go(), S_OK);
            ASSERT_NO_FATAL_FAILURE(AwaitEnd());
            ASSERT_EQ(StopCause(), "BREAK POINT");
            ASSERT_EQ(ReadTarget(0xC010, 1), Bytes{0x00}) << "the chip keeps the break byte for now";
            loseTheLink();
        } else if (one.left == Left::RefusedLaunch) {
            ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
            ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_PROGRAM, 0, 1), Q3V_SIM_OK);
            ASSERT_EQ(exec_->Go(), S_OK);
            ASSERT_NO_FATAL_FAILURE(AwaitEnd());
            ASSERT_EQ(ReadTarget(0xC000, 1), Bytes{0xFF}) << "the block was erased, not programmed";
            loseTheLink();
        } else {
            // Where the first program record falls among the frames of a
            // launch that writes the block back; each exchange is a transmit
            // and a receive, and the reply of that record is lost.
            ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
            control_->clearFrames();
            GoAndHalt();
            const Lines frames = FramesIn();
            const auto record = std::find_if(frames.begin(), frames.end(),
                                             [](const std::string& frame) { return frame.starts_with("00 86 00 C0"); });
            ASSERT_NE(record, frames.end());
            ++byte;
            ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
            Registers().SetValue(kPc, 0xC000);
            control_->clearFrames();
            const DWORD call = 2 * static_cast<DWORD>(record - frames.begin()) + 1;
            ASSERT_EQ(control_->injectFaultAfter(call, Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1), Q3V_SIM_OK);
            ASSERT_EQ(exec_->Go(), S_OK);
            ASSERT_NO_FATAL_FAILURE(AwaitEnd());
            // The record at C000 went through, its reply was lost.
            ASSERT_EQ(ReadTarget(0xD000, 1), Bytes{0xFF}) << "the block was erased, not programmed";
        }
        control_->clearFaults();
        if (!one.linkBack) {
            ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
        }
        const std::size_t boxes = Messages().size();
        EndSession();
        control_->clearFaults();
        const Lines told = MessagesAfter(boxes);
        switch (one.left) {
        case Left::RefusedLaunch:
            EXPECT_TRUE(told.empty()) << told.front();
            EXPECT_EQ(ReadTarget(0xC000, 8), program);
            EXPECT_EQ(ReadTarget(0xC010, 3), subroutine);
            EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{byte});
            break;
        case Left::BreakByte:
            if (one.linkBack) {
                EXPECT_TRUE(told.empty()) << told.front();
                EXPECT_EQ(ReadTarget(0xC010, 3), subroutine);
            } else {
                EXPECT_EQ(told, Lines{kFlashWriteFailedText});
                EXPECT_EQ(ReadTarget(0xC010, 1), Bytes{0x00});
                PutTarget(0xC010, subroutine);
            }
            static_cast<void>(host_->Services().Breakpoints().RemoveUserBreakpoint(id));  // the host's list forgets it
            break;
        case Left::LaunchThatLostTheLink:
            EXPECT_EQ(told, Lines{kFlashWriteFailedText});
            EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{0xFF});
            PutTarget(0xC000, program);
            break;
        }
        ++byte;
        ASSERT_NO_FATAL_FAILURE(StartAgain());
    }
}

// Ending the session while the program runs with a breakpoint it has not
// reached, in erased flash or in RAM code: the break byte is taken out with
// the program suspended, and the program runs on with its own bytes. A
// program the break line does not stop is reset for it, and a byte the
// emulator refuses to put back stays; the box says so each time. (The chip
// kept the break byte, and the program ran on with it.)
TEST_F(RunControlFaults, EndingTheSessionWhileAProgramRunsTakesItsBreakBytesOut) {
    enum class Fault { None, BreakLineStopsNothing, RestoreRefused };
    const struct {
        const char* name;
        DWORD address;
        Bytes program;
        Fault fault;
    } cases[] = {
        {"erased flash", 0xC020, {0xFF, 0xFF}, Fault::None},
        {"RAM code", 0x0800, {0x5A, 0xA5}, Fault::None},
        {"erased flash, the break line stops nothing", 0xC020, {0xFF, 0xFF}, Fault::BreakLineStopsNothing},
        {"RAM code, its byte's write refused", 0x0800, {0x5A, 0xA5}, Fault::RestoreRefused},
    };
    // The first frame that writes the RAM code's byte back: "5A 12" with the
    // address 0x0800 low byte first.
    const auto writesTheByteBack = [](const std::string& frame) {
        return frame.size() > 30 && frame.substr(6, 5) == "5A 12" && frame.substr(18, 11) == "00 08 00 00";
    };
    DWORD byteWriteCall = 0;
    for (const auto& one : cases) {
        SCOPED_TRACE(one.name);
        PutTarget(one.address, one.program);
        DWORD id = 0;
        ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(one.address, &id), S_OK);
        ASSERT_EQ(exec_->Go(), S_OK);
        AwaitRunning();
        ASSERT_EQ(ReadTarget(one.address, 1), Bytes{0x00}) << "the break byte is in";
        control_->clearFrames();
        if (one.fault == Fault::BreakLineStopsNothing) {
            ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_NO_BREAK, 0, 1), Q3V_SIM_OK);
        } else if (one.fault == Fault::RestoreRefused) {
            // Each exchange is a transmit and a receive; the fault is armed
            // for the transmit.
            ASSERT_NE(byteWriteCall, 0u) << "the RAM code's session end came first";
            ASSERT_EQ(control_->injectFaultAfter(byteWriteCall, Q3V_SIM_FAULT_NAK, 0, 1), Q3V_SIM_OK);
        }
        const std::size_t boxes = Messages().size();
        EndSession();
        control_->clearFaults();
        const Lines told = MessagesAfter(boxes);
        switch (one.fault) {
        case Fault::None: {
            EXPECT_TRUE(told.empty()) << told.front();
            EXPECT_EQ(ReadTarget(one.address, one.program.size()), one.program) << "the chip after the session";
            EXPECT_EQ(Status().running, 1u) << "the program runs on";
            const Lines frames = FramesIn();
            const auto write = std::find_if(frames.begin(), frames.end(), writesTheByteBack);
            if (write != frames.end()) {
                byteWriteCall = 2 * static_cast<DWORD>(write - frames.begin()) + 1;
            }
            break;
        }
        case Fault::BreakLineStopsNothing:
            EXPECT_EQ(told, Lines{kStopTimeoutText});
            EXPECT_EQ(ReadTarget(one.address, one.program.size()), one.program) << "the chip after the session";
            EXPECT_EQ(Status().running, 0u) << "stopped by the reset";
            break;
        case Fault::RestoreRefused:
            EXPECT_EQ(told, Lines{"Break point removal NG.\nThe program may still hold break instructions."});
            EXPECT_EQ(ReadTarget(one.address, 1), Bytes{0x00}) << "the byte stays, as told";
            EXPECT_EQ(Status().running, 1u) << "the program runs on";
            PutTarget(one.address, one.program);
            break;
        }
        EXPECT_EQ(Status().mcuState, static_cast<DWORD>(Q3V_SIM_MCU_FIRMWARE));
        static_cast<void>(host_->Services().Breakpoints().RemoveUserBreakpoint(id));
        ASSERT_NO_FATAL_FAILURE(StartAgain());
        GoAndHalt();  // the program left running stops
        Registers().SetValue(kPc, 0xC000);
    }
}

// Ending the session while the go thread waits for the program's stop: the
// thread ends before the link, the event engine and the other objects it
// uses go; no box tells of a lost link; the program runs on, as the end of a
// session leaves it. (The link went first, the thread polled it freed and
// the box came.)
TEST_F(RunControlFaults, EndingTheSessionWhileAProgramRunsEndsTheGoThreadFirst) {
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    EndSession();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Status().running, 1u) << "the program runs on";
}

}  // namespace
