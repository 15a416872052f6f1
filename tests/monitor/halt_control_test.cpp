// Halt control on the simulated target: a running program stopped with the
// break pulse for one access and started again with a plain go; a real
// break during the suspend kept for the run-state monitor; a target found
// stopped held until the next start of execution.
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/firm_state.h"
#include "link/link_state.h"
#include "monitor/halt_control.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <array>

namespace monitortest {
namespace {

using namespace link_result;

const std::string kRunStateRequest = "00 06 5A 22 00 06 A5 81";
const std::string kPlainGo = "00 0E 5A 21 00 0E 00 FF FF FF FF FF FF FF FF 81";
const std::string kReadLoop = "00 0E 5A 11 00 0E 00 05 00 00 05 00 20 42 A5 81";

class HaltControl : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        // A loop of three no-operations and a jump back.
        LoadProgram(0x500, {kNop, kNop, kNop, 0xFE, 0xFC});
    }
    void StartProgram() {
        g_registerImage[kPc] = 0x500;
        g_registerImage[kIsp] = 0x900;
        ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kGo), kOk);
        ASSERT_EQ(Status().running, 1u);
        ClearFrames();
    }
    // One access as the memory routines make it: suspend, read unless a
    // break came in, resume. Answers whether the read was made.
    bool Access() {
        g_targetSuspendRequest = 1;
        g_haltControl->SuspendTargetForAccess();
        EXPECT_EQ(g_linkStopByte, 0) << "cleared for the access";
        EXPECT_EQ(g_linkBreakFlag, 0);
        const bool read = g_linkStopByte == 0;
        if (read) {
            std::array<BYTE, 5> bytes{};
            EXPECT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x500, 5, bytes.data()), kOk);
        }
        g_haltControl->ResumeTargetAfterAccess();
        g_targetSuspendRequest = 0;
        return read;
    }
};

TEST_F(HaltControl, ARunningProgramIsStoppedForTheAccessAndGoesOn) {
    StartProgram();
    g_linkBreakFlag = 1;
    EXPECT_TRUE(Access());
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{kRunStateRequest, kReadLoop, kPlainGo}))
        << "the pulse's answer, the access, the go with run mode 72";
    EXPECT_EQ(Status().running, 1u);
    EXPECT_EQ(g_linkBreakFlag, 1) << "the link's bytes are put back";
    EXPECT_EQ(g_linkStopByte, 0);
    EXPECT_EQ(g_haltHeld, 0);
    EXPECT_EQ(g_savedStatusBlock.valid, 0);
    EXPECT_EQ(g_runMode, run_mode::kGo);
}

TEST_F(HaltControl, WithoutARequestNothingHappens) {
    StartProgram();
    g_linkBreakFlag = 1;
    g_haltControl->SuspendTargetForAccess();
    g_haltControl->ResumeTargetAfterAccess();
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(Status().running, 1u);
    EXPECT_EQ(g_linkBreakFlag, 1);
}

TEST_F(HaltControl, ARealBreakDuringTheSuspendIsKeptAndTheProgramStaysStopped) {
    StartProgram();
    Inject(Q3V_SIM_FAULT_BREAK_STOP, kStopBreakInstruction, 1);
    g_targetSuspendRequest = 1;
    g_haltControl->SuspendTargetForAccess();
    EXPECT_EQ(g_breakStatusFlag, 1);
    EXPECT_EQ(g_haltControl->StoppedForAccess(), 1u);
    EXPECT_EQ(g_targetSuspendRequest, 0) << "not armed again: nothing to restart";
    EXPECT_EQ(g_savedStatusBlock.valid, 1);
    EXPECT_EQ(g_savedStatusBlock.bytes[6], 'I');
    EXPECT_EQ(g_savedStatusBlock.bytes[7], 'B');
    EXPECT_EQ(g_savedStatusBlock.bytes[12], 0x01) << "stopped by itself";
    g_haltControl->ResumeTargetAfterAccess();
    EXPECT_EQ(g_haltControl->StoppedForAccess(), 0u) << "the record is cleared";
    EXPECT_TRUE(GoFrames().empty());
    EXPECT_EQ(Status().running, 0u);
    EXPECT_EQ(Status().stopWord, kStopBreakInstruction);
    // The next access finds it stopped and keeps the block it has.
    EXPECT_TRUE(Access());
    EXPECT_EQ(g_haltHeld, 1);
    EXPECT_EQ(g_savedStatusBlock.bytes[6], 'I');
    EXPECT_TRUE(GoFrames().empty());
}

TEST_F(HaltControl, AStoppedTargetIsHeldUntilExecutionStarts) {
    EXPECT_TRUE(Access());
    EXPECT_EQ(g_haltHeld, 1);
    EXPECT_EQ(g_savedStatusBlock.valid, 1) << "the run state asked once";
    EXPECT_EQ(FramesIn().front(), kRunStateRequest);
    ClearFrames();
    EXPECT_TRUE(Access());
    EXPECT_TRUE(Access());
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{kReadLoop, kReadLoop})) << "nothing breaks or restarts it";
    EXPECT_EQ(Status().running, 0u);
    StartProgram();
    EXPECT_EQ(g_haltHeld, 0) << "cleared by the start of execution";
    EXPECT_TRUE(Access());
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{kRunStateRequest, kReadLoop, kPlainGo}));
    EXPECT_EQ(Status().running, 1u);
}

}  // namespace
}  // namespace monitortest
