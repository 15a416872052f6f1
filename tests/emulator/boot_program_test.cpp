// The target's boot program through the adapter's relayed commands: the
// byte-exact frames and replies, the ID-code check with its lock-out, and
// flash that behaves as flash (erase to 0xFF, no programming over data).
#include "tests/emulator/sim_emulator.h"

namespace emutest {
namespace {

const Bytes kAcknowledge = Hex("00 02 06 81");
const Bytes kNegativeAcknowledge = Hex("00 02 15 81");
const Bytes kStatusRead = Hex("00 06 00 01 00 02 70 81");
const Bytes kBlankIdCheck = Hex("00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81");

Bytes IdCheck(const Bytes& code, std::uint32_t address = 0xFFDF) {
    Bytes command{0xF5, static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
                  static_cast<std::uint8_t>(address >> 16), 0x07};
    command.insert(command.end(), code.begin(), code.end());
    return Relayed(command, 0);
}

Bytes ProgramPage(std::uint32_t address, const Bytes& data) {
    Bytes command{0x41, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address >> 16)};
    command.insert(command.end(), data.begin(), data.end());
    return Relayed(command, 0);
}

Bytes ReadPage(std::uint32_t address) {
    return Relayed({0xFF, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address >> 16)}, 256);
}

Bytes EraseBlock(std::uint32_t address) {
    return Relayed({0x20, static_cast<std::uint8_t>(address >> 8), static_cast<std::uint8_t>(address >> 16), 0xD0}, 0);
}

Bytes Page(std::uint8_t seed) {
    Bytes page(256);
    for (std::size_t i = 0; i < page.size(); ++i) {
        page[i] = static_cast<std::uint8_t>(seed + i);
    }
    return page;
}

class BootProgramTest : public EmulatorTest {
protected:
    void Unlock() {
        ASSERT_EQ(Transact(kBlankIdCheck), kAcknowledge);
        ASSERT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
    }
};

TEST_F(BootProgramTest, RelayedFramesGetTheirByteExactReplies) {
    struct Case {
        const char* what;
        Bytes frame;
        Bytes reply;
    };
    const Case cases[] = {
        {"status read, ID not yet verified", kStatusRead, Hex("00 04 80 00 A5 81")},
        {"version", Hex("00 06 00 01 00 08 FB 81"), Hex("00 0A 56 4B 33 42 31 2E 30 30 A5 81")},
        {"baud rate B0", Hex("00 06 00 01 00 01 B0 81"), Hex("00 02 B0 81")},
        {"baud rate B4", Hex("00 06 00 01 00 01 B4 81"), Hex("00 02 B4 81")},
        {"baud rate, two-byte form", Hex("00 08 00 02 00 01 B7 08 A5 81"), Hex("00 02 B7 81")},
        {"baud rate, two-byte form B5", Hex("00 08 00 02 00 01 B5 01 A5 81"), Hex("00 02 B5 81")},
        {"address", Hex("00 0A 00 04 00 00 29 00 04 00 A5 81"), kAcknowledge},
        {"firmware check", Hex("00 08 00 02 00 01 72 92 A5 81"), Hex("00 02 92 81")},
        {"clear status", Hex("00 06 00 01 00 00 50 81"), kAcknowledge},
        {"ID check", kBlankIdCheck, kAcknowledge},
        {"status read, ID verified", kStatusRead, Hex("00 04 80 0C A5 81")},
        {"lock bit of the first block", Hex("00 08 00 03 00 01 71 C0 00 81"), Hex("00 02 40 81")},
        {"lock bits disabled", Hex("00 06 00 01 00 00 7A 81"), kAcknowledge},
        {"lock bits enabled", Hex("00 06 00 01 00 00 75 81"), kAcknowledge},
        {"erase all", Hex("00 08 00 02 00 00 A7 D0 A5 81"), kAcknowledge},
        {"block erase at a block's end", Hex("00 0A 00 04 00 00 20 DF 00 D0 A5 81"), kAcknowledge},
        {"unknown opcode", Relayed({0x99}, 0), kNegativeAcknowledge},
        {"version with the wrong response length", Hex("00 06 00 01 00 02 FB 81"), kNegativeAcknowledge},
        {"pad missing before the closing byte", Hex("00 09 00 04 00 00 29 00 04 00 81"), kNegativeAcknowledge},
        {"count that disagrees with the transfer", Hex("00 08 00 01 00 02 70 81"), kNegativeAcknowledge},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HexText(Transact(c.frame)), HexText(c.reply)) << c.what;
    }
}

TEST_F(BootProgramTest, FlashCommandsWaitForTheIdCode) {
    EXPECT_EQ(Transact(ReadPage(0xC000)), kNegativeAcknowledge);
    EXPECT_EQ(Transact(EraseBlock(0xDFFF)), kNegativeAcknowledge);
    EXPECT_EQ(Transact(BulkData({1, 2, 3})), kNegativeAcknowledge);
    Unlock();
    const Bytes page = Transact(ReadPage(0xC000));
    ASSERT_EQ(page.size(), 260u);
    EXPECT_EQ(HexText(Bytes(page.begin(), page.begin() + 2)), "01 02");
    EXPECT_EQ(page[2], 0xFF);
    EXPECT_EQ(HexText(Bytes(page.end() - 2, page.end())), "A5 81");
}

TEST_F(BootProgramTest, TheIdCheckComparesTheSevenFlashBytesAtTheIdCodeAddress) {
    const Bytes code = Hex("11 22 33 44 55 66 77");
    ASSERT_EQ(Control().setIdCode(code.data()), Q3V_SIM_OK);
    // The bytes lie spread over the vector table's high bytes.
    const std::uint32_t addresses[] = {0xFFDF, 0xFFE3, 0xFFEB, 0xFFEF, 0xFFF3, 0xFFF7, 0xFFFB};
    for (std::size_t i = 0; i < 7; ++i) {
        EXPECT_EQ(ReadTarget(addresses[i], 1)[0], code[i]) << i;
    }
    ASSERT_EQ(Transact(kBlankIdCheck), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81"));
    ASSERT_EQ(Transact(IdCheck(code, 0xFFDE)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81")) << "the address is part of the check";
    ASSERT_EQ(Transact(IdCheck(code)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
    EXPECT_EQ(Status().idVerified, 1u);
}

TEST_F(BootProgramTest, TooManyWrongIdCodesLockTheBootProgramOutUntilAReset) {
    const Bytes code = Hex("11 22 33 44 55 66 77");
    Control().setIdCode(code.data());
    for (int attempt = 0; attempt < 3; ++attempt) {
        ASSERT_EQ(Transact(kBlankIdCheck), kAcknowledge);
    }
    EXPECT_EQ(Status().lockedOut, 1u);
    ASSERT_EQ(Transact(IdCheck(code)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 00 A5 81")) << "the right code no longer passes";
    // A reset into boot mode (adapter register 0x400020 = 1) ends the lock-out.
    ASSERT_EQ(WriteRegister(0x400020, {0x00, 0x01, 0x00, 0x00}), Q3V_SIM_OK);
    EXPECT_EQ(Status().lockedOut, 0u);
    ASSERT_EQ(Transact(IdCheck(code)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
}

TEST_F(BootProgramTest, ALockOutOfZeroNeverLocksOut) {
    Configure("lockout=0");
    const Bytes code = Hex("01 02 03 04 05 06 07");
    Control().setIdCode(code.data());
    for (int attempt = 0; attempt < 10; ++attempt) {
        Transact(kBlankIdCheck);
    }
    ASSERT_EQ(Transact(IdCheck(code)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
}

TEST_F(BootProgramTest, ProgrammingWithoutEraseIsRefusedAsRealFlashWould) {
    Unlock();
    ASSERT_EQ(Transact(ProgramPage(0xC100, Page(1))), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
    EXPECT_EQ(ReadTarget(0xC100, 4), Hex("01 02 03 04"));

    ASSERT_EQ(Transact(ProgramPage(0xC100, Page(9))), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 90 0C A5 81")) << "program error bit";
    EXPECT_EQ(ReadTarget(0xC100, 4), Hex("01 02 03 04")) << "the flash keeps its data";

    ASSERT_EQ(Transact(Hex("00 06 00 01 00 00 50 81")), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81")) << "clear status";
    ASSERT_EQ(Transact(EraseBlock(0xDFFF)), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xC100, 4), Hex("FF FF FF FF"));
    ASSERT_EQ(Transact(ProgramPage(0xC100, Page(9))), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
    const Bytes page = Transact(ReadPage(0xC100));
    EXPECT_EQ(Bytes(page.begin() + 2, page.begin() + 6), Hex("09 0A 0B 0C"));
}

TEST_F(BootProgramTest, EraseAndProgramStayBusyForTheConfiguredStatusReads) {
    Configure("flashbusy=3");
    Unlock();
    ASSERT_EQ(Transact(EraseBlock(0xE000)), kAcknowledge);
    // Busy: no ready bit, and every other command is refused meanwhile.
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81"));
    EXPECT_EQ(Transact(ProgramPage(0xE000, Page(1))), kNegativeAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
    // A failing program shows its error bit only once it has finished.
    ASSERT_EQ(Control().injectFault(Q3V_SIM_FAULT_PROGRAM, 0, 1), Q3V_SIM_OK);
    ASSERT_EQ(Transact(ProgramPage(0xE000, Page(1))), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 00 0C A5 81"));
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 90 0C A5 81")) << "ready, with the error bit";
    Configure("flashbusy=0");
}

TEST_F(BootProgramTest, EraseSetsTheEraseErrorBitWhereNoBlockIs) {
    Unlock();
    ASSERT_EQ(Transact(EraseBlock(0x8000)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 A0 0C A5 81"));
}

TEST_F(BootProgramTest, ALockedBlockRefusesEraseUntilLockProtectionIsOff) {
    Unlock();
    ASSERT_EQ(Transact(ProgramPage(0xE000, Page(0x40))), kAcknowledge);
    ASSERT_EQ(Transact(Hex("00 0A 00 04 00 00 77 E0 00 D0 A5 81")), kAcknowledge);
    EXPECT_EQ(Transact(Hex("00 08 00 03 00 01 71 E0 00 81")), Hex("00 02 00 81")) << "locked";
    ASSERT_EQ(Transact(EraseBlock(0xEFFF)), kAcknowledge);
    EXPECT_EQ(Transact(kStatusRead), Hex("00 04 A0 0C A5 81"));
    EXPECT_EQ(ReadTarget(0xE000, 1), Hex("40"));

    ASSERT_EQ(Transact(Hex("00 06 00 01 00 00 7A 81")), kAcknowledge);
    ASSERT_EQ(Transact(EraseBlock(0xEFFF)), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xE000, 1), Hex("FF"));
    EXPECT_EQ(Transact(Hex("00 08 00 03 00 01 71 E0 00 81")), Hex("00 02 40 81")) << "erase unlocks";
}

TEST_F(BootProgramTest, TheBulkDataFrameLoadsTheFlashWriterWhenItsSumMatches) {
    Unlock();
    // Three data bytes: count 12, no pad; four: count 14 with a pad.
    const Bytes odd = BulkData({1, 2, 3});
    EXPECT_EQ(HexText(odd), "00 0C 00 07 00 00 FA 03 00 06 01 02 03 81");
    const Bytes even = BulkData({1, 2, 3, 4});
    EXPECT_EQ(HexText(even), "00 0E 00 08 00 00 FA 04 00 0A 01 02 03 04 A5 81");
    Bytes wrongSum = even;
    wrongSum[9] ^= 1;
    EXPECT_EQ(Transact(wrongSum), Hex("00 02 91 81"));
    EXPECT_EQ(Status().writerLoaded, 0u);
    EXPECT_EQ(Transact(even), kAcknowledge);
    EXPECT_EQ(Status().writerLoaded, 1u);
}

TEST_F(BootProgramTest, TheBootProgramKnowsNoFirmwareRequests) {
    EXPECT_EQ(Send(Hex("00 06 5A 01 00 06 A5 81")), Q3V_SIM_OK);
    EXPECT_EQ(Receive().result, Q3V_SIM_RECEIVE_TIMEOUT);
}

TEST_F(BootProgramTest, ProtocolType2AddressesBlocksOfTheOneMegabyteDevice) {
    Configure("device=VK32D64");
    ASSERT_EQ(Transact(Hex("00 12 00 0C 00 00 F5 DF FF 0F 07 FF FF FF FF FF FF FF A5 81")), kAcknowledge);
    ASSERT_EQ(Transact(kStatusRead), Hex("00 04 80 0C A5 81"));
    ASSERT_EQ(Transact(ProgramPage(0xFF000, Page(5))), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xFF000, 2), Hex("05 06"));
    ASSERT_EQ(Transact(EraseBlock(0xFFFFF)), kAcknowledge);
    EXPECT_EQ(ReadTarget(0xFF000, 2), Hex("FF FF"));
}

}  // namespace
}  // namespace emutest
