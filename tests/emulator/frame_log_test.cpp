// The frame log: every frame in, every reply out and every receive that
// timed out, in order, and its text form for a failing test.
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

using FrameLogTest = EmulatorTest;

TEST_F(FrameLogTest, KeepsFramesInRepliesOutAndTimeOutsInOrder) {
    const Bytes status = Hex("00 06 00 01 00 02 70 81");
    ASSERT_EQ(Transact(status).size(), 6u);
    ASSERT_EQ(Send(Hex("00 06 5A 01 00 06 A5 81")), Q3V_SIM_OK);
    ASSERT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
    ASSERT_EQ(Control().getFrameCount(), 4u);

    struct Expected {
        DWORD direction;
        const char* bytes;
    };
    const Expected expected[] = {
        {Q3V_SIM_FRAME_IN, "00 06 00 01 00 02 70 81"},
        {Q3V_SIM_FRAME_OUT, "00 04 80 00 A5 81"},
        {Q3V_SIM_FRAME_IN, "00 06 5A 01 00 06 A5 81"},
        {Q3V_SIM_FRAME_TIMEOUT, ""},
    };
    DWORD lastSequence = 0;
    for (DWORD i = 0; i < 4; ++i) {
        Q3vSimFrameInfo info{};
        Bytes bytes(64);
        ASSERT_EQ(Control().getFrame(i, &info, bytes.data(), static_cast<DWORD>(bytes.size())), Q3V_SIM_OK);
        bytes.resize(info.length);
        EXPECT_EQ(info.direction, expected[i].direction) << i;
        EXPECT_EQ(HexText(bytes), expected[i].bytes) << i;
        if (i > 0) {
            EXPECT_EQ(info.sequence, lastSequence + 1);
        }
        lastSequence = info.sequence;
    }
    EXPECT_EQ(Control().getFrame(4, nullptr, nullptr, 0), Q3V_SIM_INVALID_PARAMETER);
}

TEST_F(FrameLogTest, FormatsTheLastFramesOneLineEach) {
    Transact(Hex("00 06 00 01 00 02 70 81"));
    char text[256];
    const DWORD length = Control().formatFrames(2, text, sizeof(text));
    EXPECT_STREQ(text, "-> 00 06 00 01 00 02 70 81\n<- 00 04 80 00 A5 81\n");
    EXPECT_EQ(length, 48u);
    // A short buffer gets the beginning; the answer is the whole length.
    char small[8];
    EXPECT_EQ(Control().formatFrames(2, small, sizeof(small)), 48u);
    EXPECT_STREQ(small, "-> 00 0");
    Control().clearFrames();
    EXPECT_EQ(Control().getFrameCount(), 0u);
}

}  // namespace
}  // namespace emutest
