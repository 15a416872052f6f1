// The plain go through the engine: the program started with its running
// line for the reply decoder, and each way it does not start, with the
// message and the run status a user sees.
#include "link/emu_response.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_data.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "tests/monitor/monitor_fixture.h"

#include "platform/ui.h"

#include <gtest/gtest.h>

namespace monitortest {
namespace {

using namespace link_result;

class RunTarget : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        LoadProgram(0x500, {kNop, kNop, kNop, 0xFE, 0xFC});
        GoRequestBlock& request = g_monitorRunState.goRequest;
        request = GoRequestBlock{};
        request.goStart = {1, 0x500};
        g_registerImage[kIsp] = 0x900;
    }
    // What the reply decoder makes of the output.
    WORD Decode() {
        EmuReplyPtr record;
        static_cast<void>(g_emuResponse->CheckError(record));  // the run status is what is looked at
        return g_emuResponse->RunStatus();
    }
    static std::string Message(const char* text) {
        std::string field(text);
        field.resize(60, '\0');
        return field;
    }
};

TEST_F(RunTarget, TheProgramRunsAndTheDecoderSeesIt) {
    g_emuResponse->SetRunStatus(CEmuResponse::kStopped);
    EXPECT_EQ(Engine().RunTarget(), kOk);
    EXPECT_EQ(Output(), " ** RUNNING \n");
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
    EXPECT_EQ(g_linkHold, 0x80) << "the go is pending";
    EXPECT_EQ(GoFrames(), std::vector<std::string>{"00 0E 5A 21 00 0E 00 FF FF FF FF FF FF FF FF 81"});
    EXPECT_EQ(Status().running, 1u);
    EXPECT_EQ(Status().pc >= 0x500 && Status().pc <= 0x504, true);
    EXPECT_EQ(Decode(), CEmuResponse::kRunning) << "from the running line, not from the engine";
    EXPECT_TRUE(g_runStateMonitor->IsRunning());
}

TEST_F(RunTarget, ACancelledConnectorQuestionGivesMessageSix) {
    g_emuResponse->SetRunStatus(CEmuResponse::kRunning);
    clock_.Advance(1000);  // the connector is looked at again
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Engine().RunTarget(), kNotConnected);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Connector disconnected"});
    EXPECT_EQ(Output(), Message(" *** 06:Connector disconnected"));
    EXPECT_EQ(g_emuResponse->RunStatus(), CEmuResponse::kStopped);
    EXPECT_TRUE(GoFrames().empty());
    Inject(Q3V_SIM_FAULT_CONNECTOR, 0, 0);
}

TEST_F(RunTarget, ALostLinkGivesMessageFive) {
    g_emuResponse->SetRunStatus(CEmuResponse::kRunning);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_EQ(Engine().RunTarget(), kTimeout);
    EXPECT_EQ(Output(), Message(" *** 05:Communication timeout error"));
    EXPECT_EQ(g_emuResponse->RunStatus(), CEmuResponse::kStopped);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 0, 0);
    EXPECT_EQ(Engine().RunTarget(), kTimeout) << "the link stays lost until it is brought back";
    EXPECT_TRUE(GoFrames().empty());
}

TEST_F(RunTarget, ABreakInStartsNothing) {
    g_linkStopByte = kLinkStopRequested;
    EXPECT_EQ(Engine().RunTarget(), kOk);
    EXPECT_EQ(Output(), "");
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(Status().running, 0u);
}

TEST_F(RunTarget, ABreakConditionModeWithoutItsChannelsStartsNothing) {
    g_monitorRunState.goRequest.runKind = 4;
    g_emuResponse->SetRunStatus(CEmuResponse::kRunning);
    EXPECT_EQ(Engine().RunTarget(), 0x2A00);
    EXPECT_EQ(Output(), Message(" *** 42:Can not use this mode"));
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(g_emuResponse->RunStatus(), CEmuResponse::kStopped);
}

}  // namespace
}  // namespace monitortest
