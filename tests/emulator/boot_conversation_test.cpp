// A whole connect of the demo device, written from the boot sequences: open
// (adapter-program check, open word, power-up, speed, version and firmware
// check), ID-code unlock, flash erase, flash-writer download, firmware
// download, start and version check; then a program loaded through the
// flash write-back runs to its break instruction. Every device value comes
// from the data files beside the plug-in, so they are checked too.
#include "tests/emulator/sim_emulator.h"

#include "platform/profile.h"
#include "tests/support/temp_folder.h"

#include <cstring>

namespace emutest {
namespace {

const Bytes kAcknowledge = Hex("00 02 06 81");

std::string ProfileText(const std::string& file, const char* section, const char* key) {
    char value[512] = {};
    GetPrivateProfileStringA(section, key, "", value, sizeof(value),
                             (testing_support::ProgramFolder() + file).c_str());
    return value;
}

std::uint32_t DeviceHex(const char* key, std::size_t field = 0) {
    const std::string text = ProfileText("Q3VVK3.CNF", "VK31D16", key);
    std::size_t start = 0;
    for (std::size_t i = 0; i < field; ++i) {
        start = text.find(' ', start) + 1;
    }
    return static_cast<std::uint32_t>(std::stoul(text.substr(start), nullptr, 16));
}

std::uint32_t FirmwareInfoHex(const char* key) {
    return static_cast<std::uint32_t>(std::stoul(ProfileText("frm_kq14.fif", "FirmInf", key), nullptr, 16));
}

class BootConversationTest : public EmulatorTest {
protected:
    Bytes EmulatorRead(DWORD address, BYTE count) {
        Bytes bytes(count);
        EXPECT_EQ(Driver().readQ5t(1, bytes.data(), address, count), Q3V_SIM_OK);
        return bytes;
    }

    void Open() {
        // The adapter program: identity, checksum, firmware identity and
        // the version compared with the adapter-program file's.
        EXPECT_EQ(std::memcmp(EmulatorRead(0x1000, 16).data(), "Q3vEMULATOR", 11), 0);
        ASSERT_EQ(Driver().sumCheck(0), Q3V_SIM_OK);
        EXPECT_EQ(EmulatorRead(0x5FFF0, 2), Hex("00 00"));
        EXPECT_EQ(std::memcmp(EmulatorRead(0x11000, 16).data(), "Q3vEMULATOR", 11), 0);
        const auto adapterFile = LoadSRecords("ADPFiles\\Q3vdp.mot");
        EXPECT_EQ(EmulatorRead(DeviceHex("ADPV INF", 1), 16), Slice(adapterFile, DeviceHex("ADPV INF", 1), 16));
        ASSERT_EQ(WriteRegister(0x40001C, Hex("00 01 00 00")), Q3V_SIM_OK);
        // Power-up: connector, banner bit, target power, boot mode.
        EXPECT_EQ(ReadRegister(0x400008)[1] & 0x10, 0);
        Bytes status = ReadRegister(0x400008);
        status[0] |= 0x08;
        ASSERT_EQ(WriteRegister(0x400008, status), Q3V_SIM_OK);
        Sleep(300);
        EXPECT_EQ(ReadRegister(0x400008)[1] & 0x01, 0x01);
        ASSERT_EQ(WriteRegister(0x400020, Hex("00 01 00 00")), Q3V_SIM_OK);
        // Speed 6 on protocol type 1: baud code B6 (two-byte form B5 00), divider 9.
        ASSERT_EQ(Transact(Hex("00 08 00 02 00 01 B5 00 A5 81")), Hex("00 02 B5 81"));
        ASSERT_EQ(WriteRegister(0x400024, Hex("00 09 00 00")), Q3V_SIM_OK);
        const Bytes version = Transact(Hex("00 06 00 01 00 08 FB 81"));
        ASSERT_EQ(version.size(), 12u);
        const Bytes check = Transact(Hex("00 08 00 02 00 01 72 92 A5 81"));
        ASSERT_EQ(check.size(), 4u);
        EXPECT_EQ(check[2], 0x92);
    }

    void Unlock() {
        ASSERT_EQ(DeviceHex("SET ADDR6"), 0xFFDFu);
        ASSERT_EQ(Transact(Hex("00 12 00 0C 00 00 F5 DF FF 00 07 FF FF FF FF FF FF FF A5 81")), kAcknowledge);
        Sleep(50);
        const Bytes status = Transact(Hex("00 06 00 01 00 02 70 81"));
        ASSERT_EQ(status.size(), 6u);
        ASSERT_EQ(status[3] & 0x0C, 0x0C) << "ready: both ID-check bits";
    }

    void DownloadFlashWriter() {
        const auto writer = LoadSRecords("WTR_KQ14.mot");
        const std::uint32_t start = writer.begin()->first;
        const Bytes block = Slice(writer, start, writer.rbegin()->first - start + 1);
        ASSERT_LT(block.size(), 2048u) << "the writer fits one data block";
        ASSERT_EQ(Transact(BulkData(block)), kAcknowledge);
    }

    // The firmware image as the download places it in the flash image.
    std::map<std::uint32_t, std::uint8_t> FlashImage() {
        const std::uint32_t firmwareTop = DeviceHex("ASE1 INF", 1);
        const std::uint32_t relocation = firmwareTop - FirmwareInfoHex("FIRM DEFAULT TOP ADDR");
        std::map<std::uint32_t, std::uint8_t> image;
        for (const auto& [address, byte] : LoadSRecords("frm_kq14.sys")) {
            const bool vectorArea = address >= 0xFFDC && address <= 0xFFFF;
            image[vectorArea ? address : address + relocation] = byte;
        }
        const std::uint32_t reset = firmwareTop + FirmwareInfoHex("FIRM RESET ADDR");
        const std::uint32_t resetVector = DeviceHex("SET ADDR7");
        for (std::uint32_t i = 0; i < 3; ++i) {
            image[resetVector + i] = static_cast<std::uint8_t>(reset >> (8 * i));
        }
        return image;
    }

    void DownloadFirmware() {
        // Type 1 reads the firmware's RAM page first.
        const std::uint32_t firmwareRam = DeviceHex("FIRM INF", 1);
        const Bytes page = Transact(AdapterCommand(0x52, {static_cast<std::uint8_t>(firmwareRam >> 8),
                                                          static_cast<std::uint8_t>(firmwareRam >> 16), 0x00}));
        ASSERT_EQ(page.size(), 260u);
        // Erase over the erase table, four address bytes each.
        const std::uint32_t eraseBlocks = DeviceHex("ERASEBLOCK");
        for (std::uint32_t i = 0; i < eraseBlocks; ++i) {
            const std::uint32_t address = DeviceHex(("ERASE TABLE" + std::to_string(i)).c_str());
            ASSERT_EQ(Transact(AdapterCommand(0x45, {static_cast<std::uint8_t>(address),
                                                     static_cast<std::uint8_t>(address >> 8),
                                                     static_cast<std::uint8_t>(address >> 16),
                                                     static_cast<std::uint8_t>(address >> 24)})),
                      kAcknowledge)
                << std::hex << address;
        }
        ASSERT_EQ(Transact(Hex("00 02 57 81")), kAcknowledge);
        // Records over the firmware area, then the fixed-vector page, then 0x11.
        const auto image = FlashImage();
        for (std::uint32_t address = DeviceHex("ASE1 INF", 1); address <= DeviceHex("ASE1 INF", 2); address += 128) {
            ASSERT_EQ(Transact(ProgramRecord(address, Slice(image, address, 128))), kAcknowledge) << std::hex << address;
        }
        ASSERT_EQ(Transact(ProgramRecord(0xFF80, Slice(image, 0xFF80, 128))), kAcknowledge);
        ASSERT_EQ(Transact(Hex("00 02 11 81")), kAcknowledge);
        const std::uint32_t jump = DeviceHex("ASE1 INF", 1) + FirmwareInfoHex("FIRM JUMP ADDR");
        ASSERT_EQ(Transact(AdapterCommand(0x46, {static_cast<std::uint8_t>(jump), static_cast<std::uint8_t>(jump >> 8),
                                                 static_cast<std::uint8_t>(jump >> 16), 0x00})),
                  kAcknowledge);
        ASSERT_EQ(WriteRegister(0x400020, Hex("00 03 00 00")), Q3V_SIM_OK);
    }

    void CheckVersion() {
        const Bytes reply = Transact(Hex("00 06 5A 01 00 06 A5 81"));
        ASSERT_EQ(reply.size(), 24u);
        EXPECT_EQ(std::string(reply.begin() + 8, reply.begin() + 20), ProfileText("frm_kq14.fif", "FirmInf", "FIRM ID"));
        EXPECT_EQ(reply[20], DeviceHex("CHIP ID") & 0xFF);
    }

    void Connect() {
        Open();
        Unlock();
        DownloadFlashWriter();
        DownloadFirmware();
        CheckVersion();
    }
};

TEST_F(BootConversationTest, AFullConnectBringsTheModelToFirmwareRunning) {
    ASSERT_NO_FATAL_FAILURE(Connect());
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    // Memory written through firmware requests reads back.
    ASSERT_EQ(LittleEndian16(Transact(WriteMemoryRequest(0x0480, 0x5720, Hex("12 34 56 78"), true)), 6), 0);
    const Bytes read = Transact(ReadMemoryRequest(0x0480, 4, 0x5720));
    ASSERT_EQ(read.size(), 18u);
    EXPECT_EQ(Bytes(read.begin() + 12, read.begin() + 16), Hex("12 34 56 78"));
}

TEST_F(BootConversationTest, AProgramLoadedThroughTheWriteBackStopsAtItsBreakByte) {
    ASSERT_NO_FATAL_FAILURE(Connect());
    // The demo program, with the break instruction byte on the subroutine.
    Bytes record = Slice(LoadSRecords("Vk3Demo.mot"), 0xC000, 128);
    record[0x10] = 0x00;
    ASSERT_EQ(LittleEndian16(Transact(Hex("00 06 5A 13 00 06 A5 81")), 6), 1);
    ASSERT_EQ(Transact(Hex("00 06 45 00 C0 00 00 81")), kAcknowledge);
    ASSERT_EQ(Transact(Hex("00 02 57 81")), kAcknowledge);
    ASSERT_EQ(Transact(ProgramRecord(0xC000, record)), kAcknowledge);
    ASSERT_EQ(Transact(Hex("00 02 11 81")), kAcknowledge);
    ASSERT_EQ(Transact(Hex("00 06 46 24 F0 00 00 81")), kAcknowledge);

    std::vector<std::uint32_t> registers(20, 0);
    registers[14] = 0xC000;
    registers[17] = DeviceHex("REGINI STACK");
    ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    ASSERT_EQ(Send(GoRequest(0)), Q3V_SIM_OK);
    const Bytes block = Transact(Hex("00 06 5A 22 00 06 A5 81"));
    ASSERT_EQ(block.size(), 20u);
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 11)), "49 42 10 C0 00") << "BI at C010";
}

TEST_F(BootConversationTest, ProgrammingFlashWithoutErasingIsRefused) {
    ASSERT_NO_FATAL_FAILURE(Connect());
    ASSERT_EQ(LittleEndian16(Transact(Hex("00 06 5A 13 00 06 A5 81")), 6), 1);
    ASSERT_EQ(Transact(Hex("00 02 57 81")), kAcknowledge);
    // The firmware's own first record is programmed already.
    EXPECT_EQ(Transact(ProgramRecord(0xF000, Bytes(128, 0x00))), Hex("00 02 A3 81"));
}

TEST_F(BootConversationTest, TheArmedChannelRegistersOfTheDeviceFileStopTheProgram) {
    ASSERT_NO_FATAL_FAILURE(Connect());
    WriteTarget(0xC000, Slice(LoadSRecords("Vk3Demo.mot"), 0xC000, 0x20));
    const std::uint32_t enable = DeviceHex("AIER0");
    const std::uint32_t bit = DeviceHex("AIER0", 1);
    const std::uint32_t address = DeviceHex("RMAD0");
    ASSERT_EQ(LittleEndian16(Transact(WriteMemoryRequest(address, 0x4220, Hex("12 C0 00"), true)), 6), 0);
    ASSERT_EQ(LittleEndian16(Transact(WriteMemoryRequest(enable, 0x4220, {static_cast<std::uint8_t>(bit)}, true)), 6),
              0);
    std::vector<std::uint32_t> registers(20, 0);
    registers[14] = 0xC000;
    registers[17] = DeviceHex("REGINI STACK");
    ASSERT_EQ(LittleEndian16(Transact(WriteRegistersRequest(registers)), 6), 0);
    ASSERT_EQ(Send(GoRequest(0)), Q3V_SIM_OK);
    const Bytes block = Transact(Hex("00 06 5A 22 00 06 A5 81"));
    EXPECT_EQ(HexText(Bytes(block.begin() + 6, block.begin() + 11)), "48 42 12 C0 00");
}

}  // namespace
}  // namespace emutest
