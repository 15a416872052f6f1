// The monitor's execution commands against the simulated target: the
// instructions carried out on the host (FLG and INTB), the interrupt mask
// around a step of an interrupt return, the single step, the step over,
// the stop request and one register from the host.
#include "link/emu_response.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_data.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <array>

namespace monitortest {
namespace {

using namespace link_result;

constexpr std::size_t kR3 = 3;
constexpr std::size_t kBank1R0 = 7;
constexpr std::size_t kFb = 6;
constexpr std::size_t kIntb = 15;
constexpr std::size_t kUsp = 16;
constexpr BYTE kReit = 0xFB;

class ExecutionCommands : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        g_registerImage.fill(0);
        g_registerImage[kIsp] = 0x900;
    }
    std::array<DWORD, 20> TargetRegisters() const {
        std::array<DWORD, 20> registers{};
        EXPECT_EQ(Control().getRegisters(registers.data()), Q3V_SIM_OK);
        return registers;
    }
};

TEST_F(ExecutionCommands, TheFlgAndIntbInstructionsAreCarriedOutOnTheHost) {
    struct Case {
        const char* what;
        Bytes code;
        std::size_t changed;  // the register the instruction sets
        DWORD expected;
        DWORD length;
    };
    const Case cases[] = {
        {"FLG from R3 of bank 0, masked", {0x7A, 0xB3}, kFlg, 0x70FF & 0xF3FF, 2},
        {"FLG from bank 1's R0 (FLG bit 4 selects it)", {0x7A, 0xB0}, kFlg, 0x1210 & 0x70FF, 2},
        {"FLG from memory at FB - 2", {0x7A, 0xBB, 0xFE}, kFlg, 0x3412 & 0x70FF, 3},
        {"FLG from an absolute address", {0x7A, 0xBF, 0x10, 0x06}, kFlg, 0x3412 & 0x70FF, 4},
        {"INTB from the pair", {0xEB, 0x20, 0x05, 0x00, 0xEB, 0x10, 0x00, 0x40}, kIntb, 0x54000, 8},
    };
    for (const Case& c : cases) {
        LoadProgram(0x500, c.code);
        LoadProgram(0x600, {0x12, 0x34});
        LoadProgram(0x610, {0x12, 0x34});
        g_registerImage.fill(0);
        g_registerImage[kPc] = 0x500;
        g_registerImage[kR3] = 0xF3FF;
        g_registerImage[kFb] = 0x602;
        if (c.code[1] == 0xB0) {
            g_registerImage[kFlg] = 0x10;
            g_registerImage[kBank1R0] = 0x1210;
        }
        ClearFrames();
        EXPECT_EQ(Engine().StepOrGoEngine(0x500), 1) << c.what;
        EXPECT_EQ(g_registerImage[c.changed], c.expected) << c.what;
        EXPECT_EQ(g_registerImage[kPc], 0x500 + c.length) << c.what;
        EXPECT_EQ(TargetRegisters()[c.changed], c.expected) << c.what << ": the register file went to the target";
        EXPECT_EQ(TargetRegisters()[kPc], 0x500 + c.length) << c.what;
        EXPECT_TRUE(GoFrames().empty()) << c.what << ": nothing ran on the target";
        EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending) << c.what;
    }
}

TEST_F(ExecutionCommands, StoringFlgWritesItsTwoBytesLowFirst) {
    LoadProgram(0x500, {0x7B, 0xBF, 0x34, 0x06});
    g_registerImage[kPc] = 0x500;
    g_registerImage[kFlg] = 0x0142;
    EXPECT_EQ(Engine().StepOrGoEngine(0x500), 1);
    EXPECT_EQ(ReadTarget(0x634, 2), Bytes({0x42, 0x01}));
    EXPECT_EQ(g_registerImage[kPc], 0x504u);
    LoadProgram(0x500, {0x7B, 0xB2});
    EXPECT_EQ(Engine().StepOrGoEngine(0x500), 1);
    EXPECT_EQ(g_registerImage[2], 0x0142u) << "into R2 of bank 0";
}

TEST_F(ExecutionCommands, OtherInstructionsAndAStopRequestCarryOutNothing) {
    LoadProgram(0x500, {kNop, kNop});
    g_registerImage[kPc] = 0x500;
    EXPECT_EQ(Engine().StepOrGoEngine(0x500), 0);
    EXPECT_EQ(g_registerImage[kPc], 0x500u);
    LoadProgram(0x500, {0x7A, 0xB3});
    g_linkStopByte = kLinkStopRequested;
    ClearFrames();
    EXPECT_EQ(Engine().StepOrGoEngine(0x500), 0);
    EXPECT_EQ(Engine().MonitorSingleStep(), 0);
    EXPECT_EQ(Engine().MonitorStepOver(0x500), 0xFFFF);
    EXPECT_EQ(Engine().MaskInterruptForReitStep(1, 0x500), 1);
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(ExecutionCommands, AStepOverAnInterruptReturnMasksTheInterruptsItWouldEnable) {
    LoadProgram(0x500, {kReit});
    LoadProgram(0x8F0, {0x34, 0x12, 0x45, 0x01});  // at ISP: PC, flags with I set
    LoadProgram(0x7F0, {0x34, 0x12, 0x45, 0x01});  // at USP
    g_registerImage[kPc] = 0x500;
    g_registerImage[kIsp] = 0x8F0;
    g_registerImage[kUsp] = 0x7F0;
    EXPECT_EQ(Engine().MaskInterruptForReitStep(1, 0x500), 0);
    EXPECT_EQ(ReadTarget(0x8F0, 4), Bytes({0x34, 0x12, 0x05, 0x01})) << "U clear: the interrupt stack, I cleared";
    EXPECT_EQ(ReadTarget(0x7F0, 4), Bytes({0x34, 0x12, 0x45, 0x01}));
    EXPECT_EQ(g_reitKeptStack, 0x8F0u);
    EXPECT_EQ(g_reitKeptFlags, 0x0145u);
    EXPECT_EQ(Engine().MaskInterruptForReitStep(1, 0x500), 1) << "a second mask before the restore";
    EXPECT_EQ(ReadTarget(0x8F0, 4), Bytes({0x34, 0x12, 0x05, 0x01}));
    // The restore: FLG from the kept flags, and their bytes at stack + 2.
    EXPECT_EQ(Engine().MaskInterruptForReitStep(0, 0x500), 0);
    EXPECT_EQ(g_registerImage[kFlg], 0x0145u & 0x70FF);
    EXPECT_EQ(TargetRegisters()[kFlg], 0x0145u & 0x70FF);
    EXPECT_EQ(ReadTarget(0x8F2, 2), Bytes({0x45, 0x01}));
    EXPECT_EQ(g_reitKeptStack, kNothingKept);
    EXPECT_EQ(Engine().MaskInterruptForReitStep(0, 0x500), 1) << "nothing kept to restore";
    LoadProgram(0x500, {kNop});
    EXPECT_EQ(Engine().MaskInterruptForReitStep(1, 0x500), 0) << "no interrupt return: nothing to do";
    EXPECT_EQ(g_reitKeptStack, kNothingKept);
}

TEST_F(ExecutionCommands, ASingleStepRunsOneInstructionFromTheStepAddress) {
    LoadProgram(0x500, {kNop, kNop, kNop});
    g_registerImage[kPc] = 0x500;
    g_stepRequest.stepAddress = 0x500;
    ASSERT_EQ(CFirmCommand().WriteRegisterFile(std::span<const DWORD, 20>(g_registerImage.data(), 20)), kOk);
    EXPECT_EQ(Engine().MonitorSingleStep(), 0);
    EXPECT_EQ(g_emuResponse->RunStatus(), CEmuResponse::kRunning);
    EXPECT_EQ(GoFrames(), std::vector<std::string>{"00 0E 5A 21 00 0E 04 FF FF FF FF FF FF FF FF 81"});
    EXPECT_EQ(Status().pc, 0x501u);
    EXPECT_EQ(Status().stopWord, 0x4253u);
}

// A condition timed after its fetch (";P") whose address holds the PC makes
// the preparation answer 2, which is no failure: the step starts, and the
// engine's look at a go's first instruction lets the go on.
TEST_F(ExecutionCommands, AConditionAfterTheFetchAtThePcRefusesNeitherAStepNorAGo) {
    LoadProgram(0x500, {kNop, kNop, kNop});
    Engine().ExecuteBreakConditionCommand("BC1 PC=H'0500;P");
    g_registerImage[kPc] = 0x500;
    g_stepRequest.stepAddress = 0x500;
    ASSERT_EQ(CFirmCommand().WriteRegisterFile(std::span<const DWORD, 20>(g_registerImage.data(), 20)), kOk);
    EXPECT_EQ(Engine().StepOrGoEngine(0x500), 0) << "nothing carried out here, nothing refused";
    EXPECT_EQ(Engine().MonitorSingleStep(), 0);
    EXPECT_EQ(g_emuResponse->RunStatus(), CEmuResponse::kRunning);
    EXPECT_EQ(GoFrames().size(), 1u);
    EXPECT_EQ(Status().pc, 0x501u);
}

TEST_F(ExecutionCommands, AStepOverACallRunsTheSubroutineAndStopsAfterTheCall) {
    // 500: JSR.S 510; 502: NOP; 510: NOP, RTS.
    LoadProgram(0x500, {0xEF, 0x0F, kNop});
    LoadProgram(0x510, {kNop, 0xF3});
    g_registerImage[kPc] = 0x500;
    ASSERT_EQ(CFirmCommand().WriteRegisterFile(std::span<const DWORD, 20>(g_registerImage.data(), 20)), kOk);
    EXPECT_EQ(Engine().MonitorStepOver(0x500), 0);
    EXPECT_EQ(GoFrames(), std::vector<std::string>{"00 0E 5A 21 00 0E 00 FF FF FF FF FF FF FF FF 81"})
        << "a go, stopped by a channel";
    RunABit();
    EXPECT_EQ(Status().stopWord, 0x4248u);
    EXPECT_EQ(Status().pc, 0x502u);
    EXPECT_EQ(g_startRunMode, run_mode::kStepOver) << "the stop rules follow the step over";
}

TEST_F(ExecutionCommands, AStepOverThatCannotReadItsInstructionSaysWhy) {
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_EQ(Engine().MonitorStepOver(0x500), kTimeout);
    std::string message(" *** 05:Communication timeout error");
    message.resize(60, '\0');
    EXPECT_EQ(Output(), message);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 0, 0);
}

TEST_F(ExecutionCommands, TheStopRequestActsOnlyOnARunningTarget) {
    g_targetSuspendRequest = 1;
    g_monitorOutputUsed = 5;
    g_linkHold = 0x80;
    g_emuResponse->SetRunStatus(CEmuResponse::kStopped);
    Engine().MonitorRequestStop();
    EXPECT_EQ(g_linkStopByte, 0);
    EXPECT_EQ(g_linkBreakFlag, 0);
    EXPECT_EQ(g_linkHold, 0x80);
    EXPECT_EQ(g_targetSuspendRequest, 0);
    EXPECT_EQ(g_monitorOutputUsed, 0u);
    g_emuResponse->SetRunStatus(CEmuResponse::kRunning);
    Engine().MonitorRequestStop();
    EXPECT_EQ(g_linkStopByte, kLinkStopRequested);
    EXPECT_EQ(g_linkBreakFlag, 1);
    EXPECT_EQ(g_linkHold, 0);
    EXPECT_TRUE(FramesIn().empty()) << "nothing is sent";
}

TEST_F(ExecutionCommands, ARegisterFromTheHostGoesIntoTheImage) {
    const BYTE pc[4] = {0x12, 0x34, 0x56, 0x78};
    EXPECT_EQ(Engine().MonitorSetRegister(28, pc), 0);
    EXPECT_EQ(g_registerImage[kPc], 0x5678u) << "masked with the device's top address";
    const BYTE flg[4] = {0x00, 0x00, 0x12, 0x34};
    EXPECT_EQ(Engine().MonitorSetRegister(40, flg), 0);
    EXPECT_EQ(g_registerImage[kFlg], 0x34u) << "FLG keeps its low byte";
    EXPECT_EQ(Engine().MonitorSetRegister(99, flg), 0xFFFF) << "an unknown register has no message";
    EXPECT_TRUE(FramesIn().empty());
}

}  // namespace
}  // namespace monitortest
