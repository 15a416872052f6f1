// The event commands 'P' to 'V': their byte-exact frames and replies, and
// what they arm: address interrupts, events A and B with their break
// combination, and the execution trace.
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

class EventPacketsTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        StartFirmware();
        WriteTarget(0xC000, Slice(LoadSRecords("Vk3Demo.mot"), 0xC000, 0x20));
        std::vector<std::uint32_t> registers(20, 0);
        registers[14] = 0xC000;
        registers[17] = 0x0A00;
        ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    }

    Bytes RunState() { return Transact(Hex("00 06 5A 22 00 06 A5 81")); }
    void Go() { ASSERT_EQ(Send(GoRequest(0)), Q3V_SIM_OK); }

    // 'Q': register space 0, the low, high and enable registers of the
    // default map at D060, the address and the enable.
    static Bytes AddressInterrupt(std::uint32_t address, bool enable) {
        Bytes payload = Hex("00 60 D0 00 00");
        payload.push_back(static_cast<std::uint8_t>(address));
        payload.push_back(static_cast<std::uint8_t>(address >> 8));
        payload.insert(payload.end(), {0x62, 0xD0, 0x00, 0x00});
        payload.push_back(static_cast<std::uint8_t>(address >> 16));
        payload.push_back(static_cast<std::uint8_t>(address >> 24));
        payload.insert(payload.end(), {0x63, 0xD0, 0x00, 0x00, static_cast<std::uint8_t>(enable ? 1 : 0)});
        return FirmwareRequest(0x51, payload);
    }
};

const Bytes kOk = Hex("00 08 5A 50 00 08 00 00 A5 81");

TEST_F(EventPacketsTest, GoldenFramesOfUPAndS) {
    EXPECT_EQ(HexText(Transact(Hex("00 06 5A 55 00 06 21 81"))), "00 0A 5A 55 00 0A 00 00 00 00 A5 81");
    EXPECT_EQ(HexText(Transact(Hex("00 0E 5A 50 00 0E 78 D0 00 00 7A D0 00 00 A5 81"))), HexText(kOk));
    EXPECT_EQ(HexText(Transact(Hex("00 08 5A 53 00 08 0F 05 00 81"))), "00 08 5A 53 00 08 00 00 A5 81");
}

TEST_F(EventPacketsTest, FramesOfTheWrongShapeAreRefusedWithStatusPR) {
    struct Case {
        const char* what;
        Bytes frame;
    };
    const Case cases[] = {
        {"S with a pad", Hex("00 09 5A 53 00 09 0F 05 00 A5 81")},
        {"S with a non-zero last byte", Hex("00 08 5A 53 00 08 0F 05 01 81")},
        {"P without its pad", Hex("00 0E 5A 50 00 0E 78 D0 00 00 7A D0 00 00 00 81")},
        {"U one byte long", Hex("00 07 5A 55 00 07 21 00 81")},
        {"Q with enable 2", Hex("00 18 5A 51 00 18 00 60 D0 00 00 10 C0 62 D0 00 00 00 00 63 D0 00 00 02 A5 81")},
        {"R for a register that is no event's",
         Hex("00 18 5A 52 00 18 01 11 80 01 12 FD 09 13 00 00 14 02 00 16 00 00 17 00 00 81")},
    };
    for (const Case& c : cases) {
        const Bytes reply = Transact(c.frame);
        ASSERT_EQ(reply.size(), 10u) << c.what;
        EXPECT_EQ(HexText(Bytes(reply.begin() + 6, reply.begin() + 8)), "50 52") << c.what;
    }
}

TEST_F(EventPacketsTest, AnAddressInterruptStopsTheProgramAtItsAddress) {
    const Bytes arm = AddressInterrupt(0xC010, true);
    ASSERT_EQ(arm.size(), 26u);
    EXPECT_EQ(HexText(Transact(arm)), "00 08 5A 51 00 08 00 00 A5 81");
    Go();
    Bytes block = RunState();
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 11)), "48 42 10 C0 00");
    // Disabled, the program runs on.
    ASSERT_EQ(Transact(AddressInterrupt(0xC010, false)).size(), 10u);
    Go();
    EXPECT_EQ(Status().running, 1u);
}

TEST_F(EventPacketsTest, EventAOnTheStackWriteBreaksWithEV) {
    // Event A: address only, write, 09FD with two mask bits.
    const Bytes event = Hex("00 18 5A 52 00 18 01 10 80 01 12 FD 09 13 00 00 14 02 00 16 00 00 17 00 00 81");
    ASSERT_EQ(event.size(), 26u);
    EXPECT_EQ(HexText(Transact(event)), "00 08 5A 52 00 08 00 00 A5 81");
    ASSERT_EQ(Transact(Hex("00 08 5A 53 00 08 0F 04 00 81")).size(), 10u);
    Go();
    const Bytes block = RunState();
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 13)), "56 45 10 C0 00 00 01");
}

TEST_F(EventPacketsTest, ABreakCombinationOfNoneNeverStops) {
    const Bytes event = Hex("00 18 5A 52 00 18 01 10 80 01 12 FD 09 13 00 00 14 02 00 16 00 00 17 00 00 81");
    ASSERT_EQ(Transact(event).size(), 10u);
    Go();
    EXPECT_EQ(Status().running, 1u);
}

TEST_F(EventPacketsTest, TheBranchTraceFillsAndBreaksWhenFull) {
    // Trace count register 20, branch trace, eight records, break at full.
    const Bytes trace = Hex("00 10 5A 54 00 10 20 80 00 08 96 F3 00 00 22 23 A5 81");
    ASSERT_EQ(trace.size(), 18u);
    EXPECT_EQ(HexText(Transact(trace)), "00 08 5A 54 00 08 00 00 A5 81");
    Go();
    const Bytes block = RunState();
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 11)), "46 54 10 C0 00");
    EXPECT_EQ(HexText(Transact(Hex("00 06 5A 55 00 06 21 81"))), "00 0A 5A 55 00 0A 00 00 80 00 A5 81");
    const Bytes records = Transact(Hex("00 08 5A 56 00 08 22 23 A5 81"));
    ASSERT_EQ(records.size(), 4u * 8 + 10);
    EXPECT_EQ(HexText(Bytes(records.begin() + 8, records.end() - 2)),
              "00 00 C0 00 01 00 C0 10 00 00 C0 12 01 00 C0 04 00 00 C0 06 01 00 C0 00 00 00 C0 00 01 00 C0 10");
}

TEST_F(EventPacketsTest, WithoutBreakAtFullTheTraceWrapsAndTheProgramRunsOn) {
    ASSERT_EQ(Transact(Hex("00 10 5A 54 00 10 20 81 00 08 96 F3 00 00 22 23 A5 81")).size(), 10u);
    Go();
    EXPECT_EQ(Status().running, 1u);
    const Bytes pointer = Transact(Hex("00 06 5A 55 00 06 21 81"));
    EXPECT_EQ(pointer[8], 0x80) << "wrapped";
}

TEST_F(EventPacketsTest, TheTraceReadReturnsAsManyRecordsAsTheTraceHolds) {
    ASSERT_EQ(Transact(Hex("00 10 5A 54 00 10 20 81 00 40 96 F3 00 00 22 23 A5 81")).size(), 10u);
    const Bytes records = Transact(Hex("00 08 5A 56 00 08 22 23 A5 81"));
    EXPECT_EQ(records.size(), 266u) << "64 records";
    EXPECT_EQ(HexText(Bytes(records.begin(), records.begin() + 8)), "01 08 5A 56 01 08 00 00");
}

TEST_F(EventPacketsTest, TheRecordedTraceSurvivesATraceSettingAndAGoStartsANewOne) {
    ASSERT_EQ(Transact(Hex("00 10 5A 54 00 10 20 80 00 08 96 F3 00 00 22 23 A5 81")).size(), 10u);
    Go();
    ASSERT_EQ(HexText(Transact(Hex("00 06 5A 55 00 06 21 81"))), "00 0A 5A 55 00 0A 00 00 80 00 A5 81");
    const Bytes recorded = Transact(Hex("00 08 5A 56 00 08 22 23 A5 81"));
    // The settings again, with another size and no break at full: the
    // trace stays as recorded.
    ASSERT_EQ(Transact(Hex("00 10 5A 54 00 10 20 81 00 04 96 F3 00 00 22 23 A5 81")).size(), 10u);
    EXPECT_EQ(HexText(Transact(Hex("00 06 5A 55 00 06 21 81"))), "00 0A 5A 55 00 0A 00 00 80 00 A5 81");
    EXPECT_EQ(Transact(Hex("00 08 5A 56 00 08 22 23 A5 81")), recorded);
    // The next go records afresh, with the new size.
    std::vector<std::uint32_t> registers(20, 0);
    registers[14] = 0xC000;
    registers[17] = 0x0A00;
    ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    Go();
    const Bytes fresh = Transact(Hex("00 08 5A 56 00 08 22 23 A5 81"));
    EXPECT_EQ(fresh.size(), 4u * 4 + 10);
}

TEST_F(EventPacketsTest, EventWritesToRegisterZeroChangeNothing) {
    // Event B as the plug-in sends it: address only, write, 09FD, two mask
    // bits, and register 0 for the data writes.
    const Bytes eventB = Hex("00 18 5A 52 00 18 01 18 80 01 1A FD 09 1B 00 00 1C 02 00 00 34 12 00 FF FF 81");
    EXPECT_EQ(HexText(Transact(eventB)), "00 08 5A 52 00 08 00 00 A5 81");
    // As address and data event it would need data 0x1234 under mask FFFF;
    // the data writes reached nothing, so with no data condition it fires on
    // the stack writes.
    const Bytes kindZero = Hex("00 18 5A 52 00 18 00 18 80 01 1A FD 09 1B 00 00 1C 02 00 00 34 12 00 FF FF 81");
    ASSERT_EQ(Transact(kindZero).size(), 10u);
    ASSERT_EQ(Transact(Hex("00 08 5A 53 00 08 0F 05 00 81")).size(), 10u);  // A or B
    Go();
    const Bytes block = RunState();
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 8)), "56 45") << "EV";
}

TEST_F(EventPacketsTest, InjectedEventFaultsAnswerAStatusOrCutTheData) {
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_EVENT_STATUS, 0x0001, 1), Q3V_SIM_OK);
    EXPECT_EQ(HexText(Transact(Hex("00 0E 5A 50 00 0E 78 D0 00 00 7A D0 00 00 A5 81"))),
              "00 08 5A 50 00 08 00 01 A5 81");
    EXPECT_EQ(HexText(Transact(Hex("00 0E 5A 50 00 0E 78 D0 00 00 7A D0 00 00 A5 81"))), HexText(kOk))
        << "once";
    // 'U' keeps one of its two data bytes, in a frame whose count fits.
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_EVENT_SHORT, 1, 1), Q3V_SIM_OK);
    EXPECT_EQ(HexText(Transact(Hex("00 06 5A 55 00 06 21 81"))), "00 09 5A 55 00 09 00 00 00 A5 81");
    // 'V' keeps none of its 256.
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_EVENT_SHORT, 0, 1), Q3V_SIM_OK);
    EXPECT_EQ(HexText(Transact(Hex("00 08 5A 56 00 08 22 23 A5 81"))), "00 08 5A 56 00 08 00 00 A5 81");
    EXPECT_EQ(Transact(Hex("00 08 5A 56 00 08 22 23 A5 81")).size(), 266u);
    EXPECT_EQ(Control().injectFault(Q3V_SIM_FAULT_EVENT_STATUS, 0x10000, 1), Q3V_SIM_INVALID_PARAMETER);
}

}  // namespace
}  // namespace emutest
