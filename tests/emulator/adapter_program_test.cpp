// The emulator's own memory and its adapter-program entries: identity and
// version blocks, the checksum, and a rewrite of the adapter program from
// the files in "ADPFiles" in the order the write monitor takes it.
#include "tests/emulator/sim_emulator.h"

#include <algorithm>
#include <cstring>

namespace emutest {
namespace {

constexpr DWORD kStaging = 0x58000;
constexpr DWORD kMailbox = 0x5FFF0;

class AdapterProgramTest : public EmulatorTest {
protected:
    Bytes EmulatorRead(DWORD address, std::size_t count) {
        Bytes bytes(count);
        for (std::size_t done = 0; done < count;) {
            const std::size_t piece = std::min<std::size_t>(255, count - done);
            EXPECT_EQ(Driver().readQ5t(1, bytes.data() + done, address + static_cast<DWORD>(done),
                                       static_cast<BYTE>(piece)),
                      Q3V_SIM_OK);
            done += piece;
        }
        return bytes;
    }
    void Stage(const Bytes& bytes) {
        for (std::size_t done = 0; done < bytes.size();) {
            const std::size_t piece = std::min<std::size_t>(255, bytes.size() - done);
            Bytes copy(bytes.begin() + static_cast<std::ptrdiff_t>(done),
                       bytes.begin() + static_cast<std::ptrdiff_t>(done + piece));
            ASSERT_EQ(Driver().writeQ5t(1, copy.data(), kStaging + static_cast<DWORD>(done),
                                        static_cast<BYTE>(piece), 0),
                      Q3V_SIM_OK);
            done += piece;
        }
    }
    std::string Mailbox() {
        const Bytes status = EmulatorRead(kMailbox, 2);
        return status == Bytes{0, 0} ? std::string("ok") : std::string{char(status[0]), char(status[1])};
    }
    static WORD TwosComplementSum(const Bytes& bytes) {
        std::uint8_t sum = 0;
        for (std::uint8_t byte : bytes) {
            sum = static_cast<std::uint8_t>(sum + byte);
        }
        return static_cast<WORD>(static_cast<std::uint8_t>(-sum));
    }
    // A write-monitor program: staged, then downloaded to its own address.
    std::string Download(const std::string& file) {
        const auto image = LoadSRecords(file);
        const std::uint32_t start = image.begin()->first;
        const Bytes bytes = Slice(image, start, image.rbegin()->first - start + 1);
        Stage(bytes);
        EXPECT_EQ(Driver().progDownload(static_cast<WORD>(bytes.size()), start, TwosComplementSum(bytes)), Q3V_SIM_OK);
        return Mailbox();
    }
};

TEST_F(AdapterProgramTest, IdentityAndVersionBlocksLieWhereTheCheckReadsThem) {
    EXPECT_EQ(std::memcmp(EmulatorRead(0x1000, 16).data(), "Q3vEMULATOR", 11), 0);
    EXPECT_EQ(std::memcmp(EmulatorRead(0x11000, 16).data(), "Q3vEMULATOR", 11), 0);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(EmulatorRead(0x1010, 16).data())), "Q3vBOOT V1.00");
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(EmulatorRead(0x11010, 16).data())), "Q3vADP V1.00");
}

TEST_F(AdapterProgramTest, TheFlashAreasChangeOnlyThroughTheAdapterProgramEntries) {
    BYTE byte = 0;
    EXPECT_EQ(Driver().writeQ5t(1, &byte, 0x11000, 1, 0), Q3V_SIM_WRITE_PROTECTED);
    EXPECT_EQ(Driver().writeQ5t(1, &byte, 0x1000, 1, 0), Q3V_SIM_WRITE_PROTECTED);
    EXPECT_EQ(Driver().writeQ5t(1, &byte, 0x40000, 1, 0), Q3V_SIM_OK);
    EXPECT_EQ(Driver().writeQ5t(1, &byte, 0x60000, 1, 0), Q3V_SIM_ADDRESS_OUT_OF_RANGE);
}

TEST_F(AdapterProgramTest, TheChecksumNoticesADamagedAdapterProgram) {
    ASSERT_EQ(Driver().sumCheck(0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
    const BYTE damaged = 0x00;
    ASSERT_EQ(Control().writeEmulator(0x10005, &damaged, 1), Q3V_SIM_OK);
    ASSERT_EQ(Driver().sumCheck(0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "SM");
}

TEST_F(AdapterProgramTest, ARewriteFromTheShippedFilesRestoresTheAdapterProgram) {
    const Bytes before = EmulatorRead(0x11000, 32);
    ASSERT_EQ(Driver().monpOpen(0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
    EXPECT_EQ(Download("ADPFiles\\MonpMain.mot"), "ok");
    ASSERT_EQ(Driver().preEraseWrite(1, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
    EXPECT_EQ(Download("ADPFiles\\AdpErase.mot"), "ok");
    ASSERT_EQ(Driver().preEraseWrite(0, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
    EXPECT_EQ(EmulatorRead(0x11000, 2), Hex("FF FF")) << "erased";
    ASSERT_EQ(Driver().preEraseWrite(1, 0), Q3V_SIM_OK);
    EXPECT_EQ(Download("ADPFiles\\AdpWrite.mot"), "ok");

    const auto program = LoadSRecords("ADPFiles\\Q3vdp.mot");
    int blocks = 0;
    for (std::uint32_t address = 0x10000; address < 0x40000; address += 1024) {
        const Bytes block = Slice(program, address, 1024);
        if (std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0xFF; })) {
            continue;
        }
        Stage(block);
        ASSERT_EQ(Driver().adapterProgramDownload(address, kStaging, TwosComplementSum(block)), Q3V_SIM_OK);
        ASSERT_EQ(Mailbox(), "ok") << std::hex << address;
        ++blocks;
    }
    EXPECT_EQ(blocks, 3);
    ASSERT_EQ(Driver().adapterProgramDownload(0xFFFFFFFF, 0, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
    EXPECT_EQ(EmulatorRead(0x11000, 32), before);
    ASSERT_EQ(Driver().sumCheck(0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
}

TEST_F(AdapterProgramTest, StepsOutOfOrderAreProtocolErrors) {
    ASSERT_EQ(Driver().progDownload(4, 0x40000, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "PE");
    ASSERT_EQ(Driver().preEraseWrite(0, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "PE");
    ASSERT_EQ(Driver().adapterProgramDownload(0x10000, kStaging, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "PE");
    ASSERT_EQ(Driver().monpOpen(0), Q3V_SIM_OK);
    EXPECT_EQ(Driver().preEraseWrite(0, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "PE") << "erase before the erase program is loaded";
}

TEST_F(AdapterProgramTest, AWrongSumOrALoadAddressOutsideRamIsRefused) {
    ASSERT_EQ(Driver().monpOpen(0), Q3V_SIM_OK);
    Stage({1, 2, 3, 4});
    ASSERT_EQ(Driver().progDownload(4, 0x40000, 0x00), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "SM");
    ASSERT_EQ(Driver().progDownload(4, 0x10000, 0xF6), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "PE");
    ASSERT_EQ(Driver().progDownload(4, 0x40000, 0xF6), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
}

TEST_F(AdapterProgramTest, ABlockOverProgrammedFlashFailsWithWT) {
    ASSERT_EQ(Driver().monpOpen(0), Q3V_SIM_OK);
    ASSERT_EQ(Download("ADPFiles\\MonpMain.mot"), "ok");
    ASSERT_EQ(Driver().preEraseWrite(1, 0), Q3V_SIM_OK);
    ASSERT_EQ(Download("ADPFiles\\AdpErase.mot"), "ok");
    ASSERT_EQ(Driver().preEraseWrite(0, 0), Q3V_SIM_OK);
    ASSERT_EQ(Driver().preEraseWrite(1, 0), Q3V_SIM_OK);
    ASSERT_EQ(Download("ADPFiles\\AdpWrite.mot"), "ok");
    const Bytes block(1024, 0x11);
    Stage(block);
    ASSERT_EQ(Driver().adapterProgramDownload(0x20000, kStaging, TwosComplementSum(block)), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "ok");
    ASSERT_EQ(Driver().adapterProgramDownload(0x20000, kStaging, TwosComplementSum(block)), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "WT");
    ASSERT_EQ(Driver().adapterProgramDownload(0x20100, kStaging, TwosComplementSum(block)), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "PE") << "blocks start on a 1,024-byte boundary";
    // Ending with a program whose checksum word does not match.
    ASSERT_EQ(Driver().adapterProgramDownload(0xFFFFFFFF, 0, 0), Q3V_SIM_OK);
    EXPECT_EQ(Mailbox(), "SM");
}

}  // namespace
}  // namespace emutest
