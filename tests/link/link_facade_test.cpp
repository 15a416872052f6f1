// The link facade's state: open, lost and connector-failure flags, and the
// gate in front of the channel's adapter commands.
#include "link/firm_command.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include <array>

#include <gtest/gtest.h>

namespace linktest {
namespace {

using namespace link_result;

class LinkFacade : public LinkTest {};

TEST_F(LinkFacade, TheLinkCountsAsLostUntilABootStepOpensIt) {
    EXPECT_TRUE(Link().IsLinkLost());
    std::vector<BYTE> reply(1024);
    EXPECT_EQ(Link().ReadAdapterRecord(0xA00, reply), kTimeout);
    EXPECT_TRUE(FramesIn().empty()) << "refused without touching the emulator";
    EXPECT_EQ(Link().Open(), kOk);
    EXPECT_FALSE(Link().IsLinkLost());
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_NE(Link().Open(), kOk);
    EXPECT_TRUE(Link().IsLinkLost()) << "a failed boot step leaves the link closed";
}

TEST_F(LinkFacade, RecordedResultsSetAndClearTheFlags) {
    Link().SetOpen(1);
    Link().RecordResult(kTimeout);
    EXPECT_TRUE(Link().IsLinkLost());
    Link().RecordResult(kNak);
    EXPECT_TRUE(Link().IsLinkLost()) << "other words change nothing";
    Link().RecordResult(kNotConnected);
    EXPECT_EQ(Link().IsConnectorFailed(), 1u);
    Link().RecordResult(kOk);
    EXPECT_FALSE(Link().IsLinkLost());
    EXPECT_EQ(Link().IsConnectorFailed(), 0u);
    Link().RecordResult(kTimeout);
    Link().SetOpen(1);
    EXPECT_FALSE(Link().IsLinkLost()) << "a boot step clears the lost flag";
}

TEST_F(LinkFacade, AGatedCommandRecordsItsResultAndAFailedConnectorIsRemembered) {
    Link().SetOpen(1);
    std::vector<BYTE> reply(1024);
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(Link().ReadAdapterRecord(0xA00, reply), kTimeout);
    EXPECT_TRUE(Link().IsLinkLost());

    Link().SetOpen(1);
    clock_.Advance(1000);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Link().ReadAdapterRecord(0xA00, reply), kNotConnected);
    EXPECT_EQ(Link().IsConnectorFailed(), 1u);
    EXPECT_EQ(Link().ReadAdapterRecord(0xA00, reply), kNotConnected)
        << "once failed, the plain connector bit is tested, without a question";
    EXPECT_EQ(Messages().size(), 1u);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 0, 0);
    EXPECT_EQ(Link().CheckConnector(), kOk);
    EXPECT_EQ(Link().IsConnectorFailed(), 0u);

    clock_.Advance(1000);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_EQ(Link().CheckConnector(), kNotConnected) << "an adapter that does not answer refuses the check";
    EXPECT_EQ(Messages().size(), 1u) << "without asking the user to plug anything in";
}

TEST_F(LinkFacade, ALinkLostInTheMiddleOfAReadRefusesEverythingAtOnceUntilItIsReopened) {
    StartFirmware();
    g_flashMirror.fill(0x3C);
    // From the mirror below the data flash, then the data flash from the target.
    Bytes read(192);
    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(CFirmCommand().ReadMemory(0x4220, 0x23C0, 192, read.data()), kTimeout);
    EXPECT_EQ(read[0], 0x3C) << "the mirror's part was served";
    EXPECT_TRUE(Link().IsLinkLost());

    ClearFrames();
    const DWORD before = clock_.Now();
    std::array<BYTE, 1024> reply{};
    std::array<BYTE, 16> request{0x00, 0x06, 0x5A, 0x01, 0x00, 0x06, 0xA5, 0x81};
    EXPECT_EQ(Link().MonitorTransact(request, reply), kTimeout);
    EXPECT_EQ(Link().MonitorSend(request), kTimeout);
    EXPECT_EQ(Link().ReadAdapterRecord(0xA00, reply), kTimeout);
    EXPECT_EQ(Link().BreakTarget(), kTimeout);
    EXPECT_EQ(Link().QueryRunState(0), kTimeout);
    EXPECT_EQ(Link().TestAdapterStatusFlag(), kTimeout);
    EXPECT_EQ(Link().ResetMonitor(), kTimeout);
    EXPECT_EQ(CFirmCommand().ReadMemory(0x4220, 0x400, 16, read.data()), kTimeout);
    EXPECT_EQ(CFirmCommand().StartExecution(72), kTimeout);
    EXPECT_TRUE(FramesIn().empty()) << "nothing reaches the emulator";
    EXPECT_LT(clock_.Now() - before, 100u) << "and nothing waits";

    EXPECT_EQ(Link().ResetAndInitMonitor(), kOk) << "the monitor restart runs on a lost link";
    EXPECT_FALSE(Link().IsLinkLost());
    EXPECT_EQ(CFirmCommand().ReadMemory(0x4220, 0x400, 16, read.data()), kOk);

    Inject(Q3V_SIM_FAULT_RECEIVE_TIMEOUT, 0, 1);
    EXPECT_EQ(CFirmCommand().ReadMemory(0x4220, 0x400, 16, read.data()), kTimeout);
    EXPECT_EQ(Link().WriteAdapterRegister20(3), kTimeout);
    EXPECT_EQ(Link().Open(), kOk) << "a boot step reopens the link";
    EXPECT_FALSE(Link().IsLinkLost());
}

TEST_F(LinkFacade, OnALostLinkTheFirmwareAreaEraseReportsTheTimeOutToTheHost) {
    EXPECT_EQ(Link().EraseFirmwareArea(), kTimeout);
    EXPECT_EQ(HostReports(), std::vector<std::string>{"Communication timeout error"});
    EXPECT_TRUE(FramesIn().empty());
    ui_.AnswerNextMessageBox(IDOK);
    ShowCommunicationTimeoutRestart();
    EXPECT_EQ(HostReports().size(), 2u);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Communication timeout error.\nPlease restart Q3v SYSTEM"});
}

TEST_F(LinkFacade, TheResetOperationsCheckTheConnectorFirst) {
    StartFirmware();
    clock_.Advance(1000);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    ui_.AnswerNextMessageBox(IDCANCEL);
    EXPECT_EQ(Link().ResetMonitor(), kNotConnected);
    EXPECT_EQ(Link().ResetAndInitMonitor(), kNotConnected);
    EXPECT_EQ(Link().IsConnectorFailed(), 1u);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 0, 0);
    EXPECT_EQ(Link().ResetAndInitMonitor(), kOk);
    EXPECT_EQ(Link().IsConnectorFailed(), 0u);
}

}  // namespace
}  // namespace linktest
