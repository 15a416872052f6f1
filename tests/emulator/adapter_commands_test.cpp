// The adapter's own commands: the flash writer's write sequence, erase and
// record read in their protocol-type forms, and the protocol-type-0
// commands with the ID echo and the raw block of the flash writer.
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

const Bytes kAcknowledge = Hex("00 02 06 81");
const Bytes kNegativeAcknowledge = Hex("00 02 15 81");
const Bytes kBlankIdCheck = Hex("00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81");

Bytes Record(std::uint8_t seed) {
    Bytes data(128);
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(seed + 3 * i);
    }
    return data;
}

class AdapterCommandsTest : public EmulatorTest {
protected:
    // Protocol types 1 to 4: ID check, then the flash writer as bulk data.
    void LoadWriter() {
        ASSERT_EQ(Transact(kBlankIdCheck), kAcknowledge);
        ASSERT_EQ(Transact(BulkData(Bytes(64, 0x04))), kAcknowledge);
    }
    // Protocol type 0: erase-and-unlock, then the writer as a raw block.
    void LoadWriterType0() {
        Configure("protocol=0");
        ASSERT_EQ(Transact(Hex("00 02 EF 81")), kAcknowledge);
        const Bytes raw = Hex("00 06 04 04 04 04 A5 81");
        // The sum of every byte after the count: 4 x 04 + A5 + 81 = 0x136.
        ASSERT_EQ(Transact(raw), Hex("00 04 36 01 A5 81"));
        ASSERT_EQ(Transact(Hex("00 02 06 81")), kAcknowledge);
        ASSERT_EQ(Status().writerLoaded, 1u);
    }
};

TEST_F(AdapterCommandsTest, WriterCommandsWaitForTheFlashWriter) {
    ASSERT_EQ(Transact(kBlankIdCheck), kAcknowledge);
    for (const Bytes& frame : {Hex("00 02 57 81"), Hex("00 02 11 81"), Hex("00 02 46 81"),
                               Hex("00 06 45 00 C0 00 00 81"), Hex("00 06 52 C0 00 00 A5 81"),
                               ProgramRecord(0xC000, Record(1))}) {
        EXPECT_EQ(Transact(frame), kNegativeAcknowledge) << HexText(frame);
    }
}

TEST_F(AdapterCommandsTest, TheWriteSequenceProgramsRecordsAndRefusesProgrammedFlash) {
    LoadWriter();
    ASSERT_EQ(Transact(Hex("00 02 57 81")), kAcknowledge);
    const Bytes record = ProgramRecord(0xC080, Record(7));
    ASSERT_EQ(record.size(), 136u);
    EXPECT_EQ(HexText(Bytes(record.begin(), record.begin() + 6)), "00 86 80 C0 00 00");
    ASSERT_EQ(Transact(record), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xC080, 3), Hex("07 0A 0D"));

    Bytes badSum = ProgramRecord(0xC100, Record(1));
    badSum[134] ^= 0x55;
    EXPECT_EQ(Transact(badSum), Hex("00 02 91 81")) << "sum check error";
    EXPECT_EQ(Transact(ProgramRecord(0xC080, Record(9))), Hex("00 02 A3 81")) << "flash write error";
    EXPECT_EQ(ReadTarget(0xC080, 1), Hex("07"));
    EXPECT_EQ(Transact(ProgramRecord(0x8000, Record(9))), Hex("00 02 A3 81")) << "no flash there";
    ASSERT_EQ(Transact(Hex("00 02 11 81")), kAcknowledge);
    // Without an open write a record is no command at all.
    EXPECT_EQ(Transact(ProgramRecord(0xC100, Record(1))), kNegativeAcknowledge);
}

TEST_F(AdapterCommandsTest, EraseAndReadTakeFourAddressBytesBeyondProtocolType0) {
    LoadWriter();
    ASSERT_EQ(Transact(Hex("00 02 57 81")), kAcknowledge);
    ASSERT_EQ(Transact(ProgramRecord(0xE000, Record(2))), kAcknowledge);
    const Bytes page = Transact(Hex("00 06 52 E0 00 00 A5 81"));
    ASSERT_EQ(page.size(), 260u);
    EXPECT_EQ(HexText(Bytes(page.begin(), page.begin() + 5)), "01 02 02 05 08");
    EXPECT_EQ(HexText(Bytes(page.end() - 3, page.end())), "FF A5 81");
    EXPECT_EQ(Transact(Hex("00 06 45 00 E0 00 00 81")), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xE000, 1), Hex("FF"));
    EXPECT_EQ(Transact(Hex("00 06 45 00 80 00 00 81")), Hex("00 02 A1 81")) << "no block to erase";
}

TEST_F(AdapterCommandsTest, ProtocolTypes2To4ReadAPageWithTwoAddressBytes) {
    Configure("device=VK32D64");
    ASSERT_EQ(Transact(Hex("00 12 00 0C 00 00 F5 DF FF 0F 07 FF FF FF FF FF FF FF A5 81")), kAcknowledge);
    ASSERT_EQ(Transact(BulkData(Bytes(16, 0x04))), kAcknowledge);
    WriteTarget(0xFF100, {0x12, 0x34});
    const Bytes page = Transact(Hex("00 04 52 F1 0F 81"));
    ASSERT_EQ(page.size(), 260u);
    EXPECT_EQ(HexText(Bytes(page.begin(), page.begin() + 4)), "01 02 12 34");
}

TEST_F(AdapterCommandsTest, StartingAnAddressWithoutTheFirmwareLeavesNothingAnswering) {
    LoadWriter();
    ASSERT_EQ(Transact(Hex("00 06 46 24 F0 00 00 81")), kAcknowledge);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_USER_CODE);
    EXPECT_EQ(Send(Hex("00 06 5A 01 00 06 A5 81")), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
}

TEST_F(AdapterCommandsTest, ProtocolType0UnlocksByErasingEverything) {
    Configure("protocol=0");
    const Bytes code = Hex("01 02 03 04 05 06 07");
    Control().setIdCode(code.data());
    WriteTarget(0xC000, {0x12});
    ASSERT_EQ(Transact(Hex("00 02 EF 81")), kAcknowledge);
    EXPECT_EQ(Status().idVerified, 1u);
    EXPECT_EQ(ReadTarget(0xC000, 1), Hex("FF"));
    EXPECT_EQ(ReadTarget(0xFFDF, 1), Hex("FF"));
    // The check command for programming does the same.
    WriteTarget(0xC000, {0x12});
    ASSERT_EQ(Transact(Hex("00 02 AA 81")), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xC000, 1), Hex("FF"));
}

TEST_F(AdapterCommandsTest, ProtocolType0ResetUnlockWantsTheIdEchoed) {
    Configure("protocol=0");
    const Bytes code = Hex("01 02 03 04 05 06 07");
    Control().setIdCode(code.data());
    ASSERT_EQ(Transact(Hex("00 02 DE 81")), kAcknowledge);
    EXPECT_EQ(Transact(Hex("00 08 01 02 03 04 05 06 00 81")), kNegativeAcknowledge);
    ASSERT_EQ(Transact(Hex("00 02 DE 81")), kAcknowledge);
    EXPECT_EQ(Transact(Hex("00 08 01 02 03 04 05 06 07 81")), Hex("00 08 01 02 03 04 05 06 07 81"));
    EXPECT_EQ(Status().idVerified, 1u);
    EXPECT_EQ(ReadTarget(0xFFDF, 1), Hex("01")) << "the flash keeps its contents";
}

TEST_F(AdapterCommandsTest, ProtocolType0EchoesTheFirmwareCheck) {
    Configure("protocol=0");
    const Bytes check = Hex("00 08 00 02 00 01 72 92 A5 81");
    EXPECT_EQ(Transact(check), check);
}

TEST_F(AdapterCommandsTest, ProtocolType0RawBlockNeedsTheHostsAcknowledge) {
    Configure("protocol=0");
    ASSERT_EQ(Transact(Hex("00 02 EF 81")), kAcknowledge);
    // An odd number of data bytes: no pad.
    ASSERT_EQ(Transact(Hex("00 04 01 02 03 81")), Hex("00 04 87 00 A5 81"));
    EXPECT_EQ(Transact(Hex("00 02 15 81")), kNegativeAcknowledge) << "refused, as the host asked";
    EXPECT_EQ(Status().writerLoaded, 0u);
    EXPECT_EQ(Transact(Hex("00 02 06 81")), kNegativeAcknowledge) << "no raw block waits";
}

TEST_F(AdapterCommandsTest, ProtocolType0FormsOfEraseAndHalfPageRead) {
    LoadWriterType0();
    ASSERT_EQ(Transact(Hex("00 02 57 81")), kAcknowledge);
    ASSERT_EQ(Transact(ProgramRecord(0xE080, Record(4))), kAcknowledge);
    const Bytes half = Transact(Hex("00 06 52 80 E0 00 A5 81"));
    ASSERT_EQ(half.size(), 132u);
    EXPECT_EQ(HexText(Bytes(half.begin(), half.begin() + 4)), "00 82 04 07");
    EXPECT_EQ(Transact(Hex("00 04 45 00 E0 81")), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xE080, 1), Hex("FF"));
}

TEST_F(AdapterCommandsTest, ProtocolType0BootsTheFirmwareWhenTheBootWriteEnds) {
    LoadWriterType0();
    const auto file = LoadSRecords("frm_kq14.sys");
    // The image linked at C000 goes to the firmware area at F000; the
    // vector page carries a reset vector at its reset entry.
    Bytes image = Slice(file, 0xC000, 0x400);
    Bytes vectors = Slice(file, 0xFF80, 128);
    vectors[0x7C] = 0x20;
    vectors[0x7D] = 0xF0;
    vectors[0x7E] = 0x00;
    ASSERT_EQ(Transact(Hex("00 02 42 81")), kAcknowledge);
    for (std::uint32_t offset = 0; offset < image.size(); offset += 128) {
        ASSERT_EQ(Transact(ProgramRecord(0xF000 + offset, Bytes(image.begin() + offset, image.begin() + offset + 128))),
                  kAcknowledge);
    }
    ASSERT_EQ(Transact(ProgramRecord(0xFF80, vectors)), kAcknowledge);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_BOOT);
    ASSERT_EQ(Transact(Hex("00 02 11 81")), kAcknowledge);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(Transact(Hex("00 06 5A 01 00 06 A5 81")).size(), 24u);
}

}  // namespace
}  // namespace emutest
