// The link facade's state: open, lost and connector-failure flags, and the
// gate in front of the channel's adapter commands.
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

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

}  // namespace
}  // namespace linktest
