// The event commands 'P' to 'V': their frames byte for byte, the trace
// control word, and their exchanges over the real link with the simulated
// emulator, whose replies can carry a status or come short.
#include "events/event_commands.h"

#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

namespace eventtest {
namespace {

using linktest::Bytes;
using linktest::HexText;

std::string Frame(const CFramePacket& command) {
    return HexText(Bytes(command.Request().begin(), command.Request().end()));
}

TEST(EventCommandFrames, EachCommandLaysOutItsFrame) {
    CEventDescriptor eventB;
    eventB.id = 1;
    eventB.address = 0x123456;
    eventB.maskBits = 4;
    eventB.data = 0xBEEF;
    eventB.dataMask = 0xFFFF;
    EventTraceSettings trace;  // the defaults: branch trace from the go to the break, pick-up 1, bit 7
    const EventTraceRegisters traceRegisters{0x20, 0x22, 0x23, 0xF396};
    struct Case {
        const char* what;
        std::string frame;
        std::string expected;
    };
    const Case cases[] = {
        {"U", Frame(CEventCommandU(nullptr, 0x21)), "00 06 5A 55 00 06 21 81"},
        {"P of the default map", Frame(CEventCommandP(nullptr, 0xD078, 0xD07A)),
         "00 0E 5A 50 00 0E 78 D0 00 00 7A D0 00 00 A5 81"},
        {"S", Frame(CEventCommandS(nullptr, 0x0F, 5)), "00 08 5A 53 00 08 0F 05 00 81"},
        {"Q", Frame(CEventCommandQ(nullptr, 0, 0xD060, 0xD062, 0xD063, 0x12345678, true)),
         "00 18 5A 51 00 18 00 60 D0 00 00 78 56 62 D0 00 00 34 12 63 D0 00 00 01 A5 81"},
        {"R of event B: register 0 for its data writes",
         Frame(CEventCommandR(nullptr, EventRegisterRow{0x18, 0x1A, 0x1B, 0x1C, 0, 0}, eventB)),
         "00 18 5A 52 00 18 01 18 80 01 1A 56 34 1B 12 00 1C 04 00 00 EF BE 00 FF FF 81"},
        {"T with the defaults", Frame(CEventCommandT(nullptr, traceRegisters, trace, 64)),
         "00 10 5A 54 00 10 20 91 00 40 96 F3 00 00 22 23 A5 81"},
        {"V", Frame(CEventCommandV(nullptr, 0x22, 0x23, 64)), "00 08 5A 56 00 08 22 23 A5 81"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.frame, c.expected) << c.what;
    }
}

TEST(EventCommandFrames, TheTraceControlWord) {
    struct Case {
        EventTraceSettings settings;
        WORD word;
    };
    const Case cases[] = {
        {{}, 0x0091},
        {{.breakAtFull = 1}, 0x0090},
        {{.type = 2, .start = 4, .stop = 7, .pickUp = 0, .breakAtFull = 0, .controlBit7 = 0}, 0x4741},
        {{.type = 0, .start = 0, .stop = 2, .pickUp = 1, .breakAtFull = 1, .controlBit7 = 5}, 0x0290},
        // Each input from its low byte, the whole cut to 16 bits.
        {{.type = 0x101, .start = 0x1F, .stop = 0, .pickUp = 0, .breakAtFull = 1, .controlBit7 = 0}, 0xF020},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CEventCommandT::ControlWord(c.settings), c.word) << std::hex << c.word;
    }
}

class EventCommands : public linktest::LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
    }
};

TEST_F(EventCommands, AWholeReplyWithStatusZeroSucceedsAndIsDecoded) {
    CEventCommandP attach(&Link(), 0xD078, 0xD07A);
    EXPECT_EQ(attach.Execute(), 1u);
    CEventCommandU pointer(&Link(), 0x21);
    EXPECT_EQ(pointer.Execute(), 1u);
    EXPECT_EQ(pointer.m_pointer, 0u);
    EXPECT_EQ(pointer.m_wrapped, 0u);
    // 'V' for 64 entries expects 266 bytes and reads 64 entries from byte 8.
    CEventCommandV entries(&Link(), 0x22, 0x23, 64);
    EXPECT_EQ(entries.Execute(), 1u);
    EXPECT_EQ(entries.m_entries.size(), 64u);
}

TEST_F(EventCommands, AStatusOrAShortReplyOrALostLinkFails) {
    // Status 1 fails even with complete data.
    Inject(Q3V_SIM_FAULT_EVENT_STATUS, 0x0001, 1);
    EXPECT_EQ(CEventCommandP(&Link(), 0xD078, 0xD07A).Execute(), 0u);
    Inject(Q3V_SIM_FAULT_EVENT_STATUS, 0x0100, 1);
    EXPECT_EQ(CEventCommandS(&Link(), 0x0F, 4).Execute(), 0u);
    // A well-framed reply with fewer data bytes than the command's: the
    // zeros of the buffer are no pointer.
    Inject(Q3V_SIM_FAULT_EVENT_SHORT, 1, 1);
    CEventCommandU pointer(&Link(), 0x21);
    EXPECT_EQ(pointer.Execute(), 0u);
    Inject(Q3V_SIM_FAULT_EVENT_SHORT, 255, 1);
    EXPECT_EQ(CEventCommandV(&Link(), 0x22, 0x23, 64).Execute(), 0u);
    EXPECT_EQ(CEventCommandS(&Link(), 0x0F, 4).Execute(), 1u) << "the faults were used up";
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_EQ(CEventCommandS(&Link(), 0x0F, 4).Execute(), 0u);
    EXPECT_EQ(CEventCommandS(nullptr, 0x0F, 4).Execute(), 0u) << "no link";
}

}  // namespace
}  // namespace eventtest
