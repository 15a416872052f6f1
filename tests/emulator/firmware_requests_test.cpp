// The emulator firmware's requests and replies: version, memory read and
// write with each access code and verify, register file, reset, the frame
// packet, resynchronisation, and the refusals of malformed requests.
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

class FirmwareRequestsTest : public EmulatorTest {
protected:
    void SetUp() override {
        EmulatorTest::SetUp();
        StartFirmware();
    }
    // The status word of a status reply (low byte first at offset 6).
    static std::uint16_t StatusOf(const Bytes& reply) { return LittleEndian16(reply, 6); }
};

TEST_F(FirmwareRequestsTest, VersionReplyCarriesTheTextAndValueOfTheProgrammedFirmware) {
    const Bytes reply = Transact(Hex("00 06 5A 01 00 06 A5 81"));
    EXPECT_EQ(HexText(reply),
              "00 16 5A 01 00 16 00 00 51 33 76 4B 51 31 34 56 31 2E 30 30 92 00 A5 81");
}

TEST_F(FirmwareRequestsTest, TheGoldenReadOf128BytesAt12345) {
    Configure("device=VK32D64");
    StartFirmware();
    Bytes data(128);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(0x80 + i);
    }
    WriteTarget(0x12345, data);
    const Bytes request = Hex("00 0E 5A 11 00 0E 45 23 01 00 80 00 20 42 A5 81");
    EXPECT_EQ(ReadMemoryRequest(0x12345, 128, 0x4220), request);
    const Bytes reply = Transact(request);
    ASSERT_EQ(reply.size(), 12u + 128 + 2);
    EXPECT_EQ(HexText(Bytes(reply.begin(), reply.begin() + 12)), "00 8C 5A 11 00 8C 00 00 00 00 00 00");
    EXPECT_EQ(Bytes(reply.begin() + 12, reply.begin() + 140), data);
    EXPECT_EQ(HexText(Bytes(reply.end() - 2, reply.end())), "A5 81");
}

TEST_F(FirmwareRequestsTest, AReadBeyondTheTopAddressReportsTheFirstAddressOutside) {
    // The demo device ends at FFFF.
    EXPECT_EQ(HexText(Transact(Hex("00 0E 5A 11 00 0E 45 23 01 00 80 00 20 42 A5 81"))),
              "00 0C 5A 11 00 0C 45 50 45 23 01 00 A5 81");
    EXPECT_EQ(HexText(Transact(ReadMemoryRequest(0xFFF0, 32, 0x4220))), "00 0C 5A 11 00 0C 45 50 00 00 01 00 A5 81");
}

TEST_F(FirmwareRequestsTest, MultiByteUnitsTravelMostSignificantByteFirst) {
    struct Case {
        std::uint16_t access;
        Bytes wire;
        Bytes memory;
    };
    const Case cases[] = {
        {0x4220, Hex("11 22 33 44 55 66 77 88"), Hex("11 22 33 44 55 66 77 88")},
        {0x5720, Hex("11 22 33 44 55 66 77 88"), Hex("22 11 44 33 66 55 88 77")},
        {0x4120, Hex("11 22 33 44 55 66"), Hex("33 22 11 66 55 44")},
        {0x4C20, Hex("11 22 33 44 55 66 77 88"), Hex("44 33 22 11 88 77 66 55")},
        {0x4420, Hex("11 22 33 44 55 66 77 88"), Hex("88 77 66 55 44 33 22 11")},
        {0x3320, Hex("11 22 33 44 55 66"), Hex("11 22 33 44 55 66")},
    };
    for (const Case& c : cases) {
        const Bytes written = Transact(WriteMemoryRequest(0x0500, c.access, c.wire, true));
        ASSERT_EQ(HexText(written), "00 0C 5A 12 00 0C 00 00 00 00 00 00 A5 81") << std::hex << c.access;
        EXPECT_EQ(ReadTarget(0x0500, c.memory.size()), c.memory) << std::hex << c.access;
        const Bytes read = Transact(ReadMemoryRequest(0x0500, static_cast<std::uint16_t>(c.wire.size()), c.access));
        ASSERT_EQ(read.size(), 14 + c.wire.size());
        EXPECT_EQ(Bytes(read.begin() + 12, read.end() - 2), c.wire) << std::hex << c.access;
    }
}

TEST_F(FirmwareRequestsTest, AnOddCountIsPaddedToAnEvenLengthAndWritesOnlyItsBytes) {
    WriteTarget(0x0600, Hex("AA AA AA AA"));
    const Bytes request = WriteMemoryRequest(0x0600, 0x4220, Hex("01 02 03"), false);
    EXPECT_EQ(HexText(request), "00 14 5A 12 00 14 00 06 00 00 20 42 03 00 00 00 01 02 03 00 A5 81");
    ASSERT_EQ(StatusOf(Transact(request)), 0);
    EXPECT_EQ(ReadTarget(0x0600, 4), Hex("01 02 03 AA"));
}

TEST_F(FirmwareRequestsTest, VerifiedWritesReportTheFirstAddressThatDidNotTake) {
    // RAM takes the bytes; flash and unmapped memory ignore plain stores.
    struct Case {
        std::uint32_t address;
        const char* reply;
    };
    const Case cases[] = {
        {0x0700, "00 0C 5A 12 00 0C 00 00 00 00 00 00 A5 81"},
        {0xC000, "00 0C 5A 12 00 0C 54 42 00 C0 00 00 A5 81"},
        {0x0300, "00 0C 5A 12 00 0C 54 42 00 03 00 00 A5 81"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexText(Transact(WriteMemoryRequest(c.address, 0x4220, Hex("5A 5B"), true))), c.reply)
            << std::hex << c.address;
    }
    EXPECT_EQ(ReadTarget(0xC000, 2), Hex("FF FF")) << "flash changes only through flash commands";
    // Without verify the same write reports success.
    EXPECT_EQ(StatusOf(Transact(WriteMemoryRequest(0xC000, 0x4220, Hex("5A 5B"), false))), 0);
}

TEST_F(FirmwareRequestsTest, TheRegisterFileRoundTripsWithEachRegistersWidth) {
    std::vector<std::uint32_t> values(20);
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 0x10101 * static_cast<std::uint32_t>(i + 1);
    }
    values[14] = 0x123456;  // PC keeps 20 bits on this device
    values[15] = 0xABCDEF;  // INTB keeps 24
    const Bytes write = WriteRegistersRequest(values);
    ASSERT_EQ(write.size(), 50u);
    EXPECT_EQ(HexText(Bytes(write.begin(), write.begin() + 6)), "00 30 5A 32 00 30");
    ASSERT_EQ(StatusOf(Transact(write)), 0);
    const Bytes read = Transact(Hex("00 06 5A 31 00 06 A5 81"));
    ASSERT_EQ(read.size(), 52u);
    EXPECT_EQ(HexText(Bytes(read.begin(), read.begin() + 8)), "00 32 5A 31 00 32 00 00");
    for (std::size_t i = 0; i < 14; ++i) {
        EXPECT_EQ(LittleEndian16(read, 8 + 2 * i), values[i] & 0xFFFF) << i;
    }
    EXPECT_EQ(LittleEndian24(read, 36), 0x23456u);
    EXPECT_EQ(LittleEndian24(read, 39), 0xABCDEFu);
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(LittleEndian16(read, 42 + 2 * i), values[16 + i] & 0xFFFF) << i;
    }
    EXPECT_EQ(Registers()[14], 0x23456u);
}

TEST_F(FirmwareRequestsTest, ResetClearsTheRegistersAndTheIoRegisters) {
    ASSERT_EQ(StatusOf(Transact(WriteRegistersRequest(std::vector<std::uint32_t>(20, 0x1234)))), 0);
    ASSERT_EQ(StatusOf(Transact(WriteMemoryRequest(0x0009, 0x4220, Hex("03"), true))), 0);
    WriteTarget(0x0800, Hex("77"));
    EXPECT_EQ(HexText(Transact(Hex("00 06 5A 41 00 06 A5 81"))), "00 0C 5A 41 00 0C 00 00 00 00 00 00 A5 81");
    EXPECT_EQ(Registers(), std::vector<std::uint32_t>(20, 0));
    EXPECT_EQ(ReadTarget(0x0009, 1), Hex("00"));
    EXPECT_EQ(ReadTarget(0x0800, 1), Hex("77")) << "RAM keeps its contents";
}

TEST_F(FirmwareRequestsTest, MalformedOrUnknownRequestsAreAnsweredNoSuchRequest) {
    struct Case {
        const char* what;
        Bytes frame;
    };
    const Case cases[] = {
        {"unknown command", Hex("00 06 5A 7E 00 06 A5 81")},
        {"version with a payload", Hex("00 08 5A 01 00 08 00 00 A5 81")},
        {"read of 0 bytes", ReadMemoryRequest(0x0400, 0, 0x4220)},
        {"read of 129 bytes", ReadMemoryRequest(0x0400, 129, 0x4220)},
        {"read with an unknown access code", ReadMemoryRequest(0x0400, 2, 0x5820)},
        {"write whose count disagrees with its length", Hex("00 12 5A 12 00 12 00 04 00 00 20 42 03 00 00 00 01 02 A5 81")},
        {"write with verify 2", Hex("00 12 5A 12 00 12 00 04 00 00 20 42 02 00 02 00 01 02 A5 81")},
        {"register write one byte short", Hex("00 08 5A 32 00 08 00 00 A5 81")},
        {"reset without its pad", Hex("00 06 5A 41 00 06 00 81")},
    };
    for (const Case& c : cases) {
        const Bytes reply = Transact(c.frame);
        ASSERT_GE(reply.size(), 8u) << c.what;
        EXPECT_EQ(reply[3], c.frame[3]) << c.what;
        EXPECT_EQ(StatusOf(reply), 0x5052) << c.what;
    }
}

TEST_F(FirmwareRequestsTest, FramesThatAreNoFirmwareRequestGetANegativeAcknowledge) {
    EXPECT_EQ(Transact(Hex("00 06 00 01 00 02 70 81")), Hex("00 02 15 81"));
    EXPECT_EQ(Transact(Hex("00 07 5A 01 00 06 A5 81")), Hex("00 02 15 81")) << "count not the transfer's";
}

TEST_F(FirmwareRequestsTest, TheFramePacketSetsAndClearsRegisterBits) {
    WriteTarget(0x0040, Hex("F0"));
    WriteTarget(0x0041, Hex("0F"));
    // Two items: address, blank, 'B', bits to set, bits to clear.
    const Bytes packet = Hex("00 1A 5A 23 00 1A 01"
                             " 40 00 00 00 20 42 08 00 10 00"
                             " 41 00 00 00 20 42 80 00 01 00"
                             " 81");
    ASSERT_EQ(packet.size(), 28u);
    EXPECT_EQ(HexText(Transact(packet)), "00 08 5A 23 00 08 00 00 A5 81");
    EXPECT_EQ(ReadTarget(0x0040, 2), Hex("E8 8E"));
    // An unknown sub-command or item kind: status "PR", high byte first.
    EXPECT_EQ(HexText(Transact(Hex("00 10 5A 23 00 10 02 40 00 00 00 20 42 08 00 10 00 81"))),
              "00 08 5A 23 00 08 50 52 A5 81");
    EXPECT_EQ(HexText(Transact(Hex("00 10 5A 23 00 10 01 40 00 00 00 20 57 08 00 10 00 81"))),
              "00 08 5A 23 00 08 50 52 A5 81");
}

TEST_F(FirmwareRequestsTest, TheResynchronisationRequestIsAnsweredByTheRunningFirmware) {
    const Bytes resync = Hex("A5 F0 5A 0F 00 00 00 10 01 00 00 00 A5 F0 5A 0F");
    EXPECT_EQ(HexText(Transact(resync)), "00 08 5A 0F 00 08 00 00 A5 81");
}

TEST_F(FirmwareRequestsTest, TheFlashWriteBackStepHandsTheTargetToTheFlashWriterUntilF) {
    EXPECT_EQ(HexText(Transact(Hex("00 06 5A 13 00 06 A5 81"))), "00 0C 5A 13 00 0C 01 00 00 00 00 00 A5 81");
    // The firmware does not listen meanwhile; the writer answers its state
    // to a raw block and refuses what it does not know.
    EXPECT_EQ(Transact(Hex("00 06 5A 01 00 06 A5 81")), Hex("00 02 15 81"));
    EXPECT_EQ(HexText(Transact(Hex("00 06 01 02 03 04 A5 81"))), "00 06 57 53 00 00 02 81");
    EXPECT_EQ(Transact(Hex("00 05 01 02 03 04 81")), Hex("00 02 15 81")) << "an odd count is no raw block";
    EXPECT_EQ(Transact(Hex("00 04 45 00 C0 81")), Hex("00 02 15 81")) << "an erase with too few address bytes";
    EXPECT_EQ(Transact(Hex("00 04 52 C0 00 81")), Hex("00 02 15 81")) << "a page read of another protocol type";
    // Erase, write and give the target back: the firmware is still there.
    EXPECT_EQ(Transact(Hex("00 06 45 FF DF 00 00 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(Hex("00 02 57 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(ProgramRecord(0xC000, Bytes(128, 0x04))), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(Hex("00 02 11 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(Hex("00 06 46 24 F0 00 00 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(Hex("00 06 5A 01 00 06 A5 81")).size(), 24u);
    EXPECT_EQ(ReadTarget(0xC000, 2), Hex("04 04"));
}

TEST_F(FirmwareRequestsTest, TheFlashWriterTakesRamWhileItHoldsTheTarget) {
    WriteTarget(0x03FF, Bytes(0x402, 0x11));
    WriteTarget(0x0A00, Bytes(0x200, 0x22));
    ASSERT_EQ(LittleEndian16(Transact(Hex("00 06 5A 13 00 06 A5 81")), 6), 1);
    // Its code and buffers from the bottom of RAM, its stack at the bottom of
    // the firmware's RAM: each byte its address's low byte XOR A5.
    EXPECT_EQ(ReadTarget(0x0400, 2), Hex("A5 A4"));
    EXPECT_EQ(ReadTarget(0x07FE, 2), Hex("5B 5A"));
    EXPECT_EQ(ReadTarget(0x0800, 1), Hex("11")) << "the rest of the user's RAM stays";
    EXPECT_EQ(ReadTarget(0x0A00, 1), Hex("A5"));
    EXPECT_EQ(ReadTarget(0x0AFF, 2), Hex("5A 22"));
}

TEST_F(FirmwareRequestsTest, AWriteBackThatErasesTheFirmwareLosesTheTarget) {
    ASSERT_EQ(LittleEndian16(Transact(Hex("00 06 5A 13 00 06 A5 81")), 6), 1);
    EXPECT_EQ(Transact(Hex("00 06 45 00 F0 00 00 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Transact(Hex("00 02 46 81")), Hex("00 02 06 81"));
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_USER_CODE);
}

}  // namespace
}  // namespace emutest
