// The data files that ship beside the plug-in agree with the model: the
// adapter program and firmware image hold the model's bytes, the device
// description names the model's flash blocks, top address and registers,
// and the group files lead from the CPU type to the demo device.
#include "tests/emulator/sim_emulator.h"

#include "platform/profile.h"
#include "tests/support/temp_folder.h"

#include <fstream>
#include <iterator>

namespace emutest {
namespace {

std::string Profile(const std::string& file, const char* section, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof(value),
                             (testing_support::ProgramFolder() + file).c_str());
    return value;
}

std::uint32_t HexField(const std::string& text, std::size_t field) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < field; ++i) {
        start = text.find(' ', start) + 1;
    }
    return static_cast<std::uint32_t>(std::stoul(text.substr(start), nullptr, 16));
}

std::uint32_t Device(const char* key, std::size_t field = 0) {
    return HexField(Profile("Q3VVK3.CNF", "VK31D16", key), field);
}

using DataFilesTest = EmulatorTest;

TEST_F(DataFilesTest, ThePlugInsOwnDeviceFileKeepsItsRegistrationValues) {
    EXPECT_EQ(Profile("Q3VVK3.CNF", "Q3v KTR4 TARGET", "LIBRARY NAME"), "Vk3 Q3v SYSTEM");
    EXPECT_EQ(Profile("Q3VVK3.CNF", "Q3v KTR4 TARGET", "FAMILY NAME"), "Vk31X");
    EXPECT_EQ(Profile("Q3VVK3.CNF", "Q3v KTR4 TARGET", "FILE VERSION"), "3.00");
}

TEST_F(DataFilesTest, TextFilesUseWindowsLineEnds) {
    for (const char* file : {"Q3VVK3.CNF", "VK31X.cnf", "PgDef.ini", "frm_kq14.fif", "frm_kq14.sys", "WTR_KQ14.mot",
                             "Vk3Demo.mot", "ADPFiles\\Q3vdp.mot", "ADPFiles\\MonpMain.mot"}) {
        std::ifstream in(DataFilePath(file), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        ASSERT_FALSE(text.empty()) << file;
        std::size_t bareLineFeeds = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            bareLineFeeds += text[i] == '\n' && (i == 0 || text[i - 1] != '\r') ? 1 : 0;
        }
        EXPECT_EQ(bareLineFeeds, 0u) << file;
        EXPECT_EQ(text.substr(text.size() - 2), "\r\n") << file;
    }
}

TEST_F(DataFilesTest, TheGroupFilesLeadFromTheCpuTypeToTheDemoDevice) {
    const std::string group = Profile("PgDef.ini", "MCU_GROUP_TABLE", "VK31D16");
    ASSERT_EQ(group, "VK31X");
    EXPECT_EQ(Profile(group + ".cnf", "PG", "ROM_16K"), "VK31D16");
    EXPECT_EQ(Profile(group + ".cnf", "Q3v KTR4 TARGET", "CPU NAME"), "VK31D16");
    // The data-flash blocks of the group file are the device's data-flash blocks.
    EXPECT_EQ(std::stoul(Profile(group + ".cnf", "PG", "DATAFLASH_BLOCK0"), nullptr, 16), Device("TOP TABLE3"));
    EXPECT_EQ(std::stoul(Profile(group + ".cnf", "PG", "DATAFLASH_BLOCK1"), nullptr, 16), Device("TOP TABLE4"));
    // Both device files describe the device alike.
    for (const char* key : {"PROTOCOL TYPE", "ASE1 INF", "FLAS INF", "TOP TABLE2", "END TABLE2", "ERASE TABLE4",
                            "FIRM NAME", "MAX ADDR", "AIER0", "RMAD1"}) {
        EXPECT_EQ(Profile(group + ".cnf", "VK31D16", key), Profile("Q3VVK3.CNF", "VK31D16", key)) << key;
    }
}

TEST_F(DataFilesTest, TheAdapterProgramFileHoldsTheEmulatorsAdapterProgram) {
    const auto file = LoadSRecords("ADPFiles\\Q3vdp.mot");
    ASSERT_FALSE(file.empty());
    for (const auto& [address, byte] : file) {
        BYTE held = 0;
        ASSERT_EQ(Control().readEmulator(address, &held, 1), Q3V_SIM_OK);
        ASSERT_EQ(held, byte) << std::hex << address;
    }
    // The device file's adapter-program values point at the same places.
    EXPECT_EQ(Device("ADPV INF", 1), 0x11010u);
    EXPECT_EQ(Device("ADPTSUM"), 0x3FFFCu);
    EXPECT_EQ(Device("ADP1 INF", 1), 0x10000u);
    EXPECT_EQ(Device("ADP1 INF", 2), 0x3FFFFu);
}

TEST_F(DataFilesTest, TheFirmwareImageIsTheModelsFirmware) {
    StartFirmware();
    const auto file = LoadSRecords("frm_kq14.sys");
    const std::uint32_t linked = static_cast<std::uint32_t>(
        std::stoul(Profile("frm_kq14.fif", "FirmInf", "FIRM DEFAULT TOP ADDR"), nullptr, 16));
    EXPECT_EQ(ReadTarget(Device("ASE1 INF", 1), 0x400), Slice(file, linked, 0x400));
    EXPECT_EQ(Profile("frm_kq14.fif", "FirmInf", "FIRM ID"), Profile("Q3VVK3.CNF", "VK31D16", "FIRM ID"));
    EXPECT_EQ(Profile("frm_kq14.fif", "FirmInf", "SWTI"), "0");
}

TEST_F(DataFilesTest, EachFlashBlockOfTheDeviceFileErasesAsOneBlock) {
    ASSERT_EQ(Transact(Hex("00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81")), Hex("00 02 06 81"));
    ASSERT_EQ(Transact(BulkData(Bytes(8, 0x04))), Hex("00 02 06 81"));
    const std::uint32_t blocks = Device("FLASHBLOCK");
    ASSERT_EQ(blocks, 5u);
    for (std::uint32_t i = 0; i < blocks; ++i) {
        const std::uint32_t top = Device(("TOP TABLE" + std::to_string(i)).c_str());
        const std::uint32_t end = Device(("END TABLE" + std::to_string(i)).c_str());
        WriteTarget(top, Hex("11"));
        WriteTarget(end, Hex("33 44"));
        const Bytes next = ReadTarget(end + 1, 1);
        const std::uint32_t erase = Device(("ERASE TABLE" + std::to_string(i)).c_str());
        ASSERT_EQ(Transact(AdapterCommand(0x45, {static_cast<std::uint8_t>(erase), static_cast<std::uint8_t>(erase >> 8),
                                                 0x00, 0x00})),
                  Hex("00 02 06 81"))
            << i;
        EXPECT_EQ(ReadTarget(top, 1), Hex("FF")) << i;
        EXPECT_EQ(ReadTarget(end, 1), Hex("FF")) << i;
        EXPECT_EQ(ReadTarget(end + 1, 1), next) << "block " << i << " ends at its end address";
    }
}

TEST_F(DataFilesTest, TheTopAddressIsTheLastTheFirmwareServes) {
    StartFirmware();
    const std::uint32_t top = Device("MAX ADDR");
    EXPECT_EQ(LittleEndian16(Transact(ReadMemoryRequest(top, 1, 0x4220)), 6), 0);
    EXPECT_EQ(LittleEndian16(Transact(ReadMemoryRequest(top + 1, 1, 0x4220)), 6), 0x5045);
}

}  // namespace
}  // namespace emutest
