// Frame packets: the '#' packet's layout, its exchange with the simulated
// firmware and the reply check.
#include "link/frame_packet.h"
#include "link/link_results.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

namespace linktest {
namespace {

// A packet whose reply a test sets, to try the reply check.
class ProbePacket : public CFramePacket {
public:
    ProbePacket() : CFramePacket(nullptr) {
        m_command = '#';
        m_requestLength = 19;
        m_replyLength = 10;
        m_replyTrailerMode = kTrailerPadded;
    }
    void Decode() override {}
    bool Check(const Bytes& reply) {
        m_reply = reply;
        return CheckReply();
    }
};

TEST(FramePacket, ValuesAreAppendedInEitherOrder) {
    ProbePacket packet;
    packet.AppendValue(0x12345678, 1);
    packet.AppendValue(0x12345678, 0);
    packet.AppendWord16(0xABCD, 1);
    packet.AppendWord16(0xABCD, 0);
    packet.Serialize();
    EXPECT_EQ(HexText(packet.Request()), "00 11 5A 23 00 11 78 56 34 12 12 34 56 78 CD AB AB CD 81");
}

TEST(FramePacket, TheReplyCheckWantsTheFrameTheTrailerAndAZeroStatus) {
    ProbePacket packet;
    struct Case {
        Bytes reply;
        bool good;
    };
    const Case cases[] = {
        {{0x00, 0x08, 0x5A, 0x23, 0x00, 0x08, 0x00, 0x00, 0xA5, 0x81}, true},
        {{0x00, 0x08, 0x5A, 0x24, 0x00, 0x08, 0x00, 0x00, 0xA5, 0x81}, false},  // another command
        {{0x00, 0x08, 0x5A, 0x23, 0x00, 0x08, 0x00, 0x01, 0xA5, 0x81}, false},  // a failing status
        {{0x00, 0x08, 0x5A, 0x23, 0x00, 0x08, 0x00, 0x00, 0x00, 0x81}, false},  // no 0xA5
        {{0x00, 0x08, 0x5A, 0x23, 0x00, 0x07, 0x00, 0x00, 0xA5, 0x81}, false},  // the lengths disagree
        {{0x00, 0x08, 0x5A, 0x23}, false},                                      // cut short
    };
    for (const Case& c : cases) {
        EXPECT_EQ(packet.Check(c.reply), c.good) << HexText(c.reply);
    }
}

class EventPacket : public LinkTest {};

TEST_F(EventPacket, TheBootSequencesPacketSetsTheInitialRegisters) {
    StartFirmware();
    const Bytes initial = {0xF0, 0x0F};
    ASSERT_EQ(Control().writeTarget(0x0020, initial.data(), 2), Q3V_SIM_OK);
    const EventPacketItem items[] = {{0x0020, 'B', 0, 0x01, 0x10}, {0x0021, 'B', 0, 0x80, 0x00}};
    CEventFramePacket packet(&Link(), 1, 2, items);
    EXPECT_EQ(HexText(packet.Request()),
              "00 1A 5A 23 00 1A 01 20 00 00 00 20 42 01 00 10 00 21 00 00 00 20 42 80 00 00 00 81");
    EXPECT_EQ(packet.Send(), 1u);
    EXPECT_EQ(ReadTarget(0x0020, 2), Bytes({0xE1, 0x8F}));

    Link().SetLost(1);
    EXPECT_EQ(packet.Send(), 0u) << "a lost link";
    Link().SetOpen(1);
    const EventPacketItem wrong[] = {{0x0020, 'W', 0, 0, 0}};
    CEventFramePacket refused(&Link(), 1, 1, wrong);
    EXPECT_EQ(refused.Send(), 0u) << "the firmware refuses the item: a nonzero status";
    CEventFramePacket empty(&Link(), 1, 2, nullptr);
    ClearFrames();
    EXPECT_EQ(empty.Send(), 0u) << "items missing: the frame is not what its length says";
    EXPECT_TRUE(FramesIn().empty());
}

}  // namespace
}  // namespace linktest
