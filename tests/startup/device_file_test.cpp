// The device description and firmware information readers over the shipped
// files, the fixtures beside the tests and files written here: which keys
// keep, overwrite or take their rule when absent, the byte orders, the
// counts cut to their tables, and a missing file.
#include "config/device_data.h"
#include "startup/device_file.h"
#include "startup/firmware_info_file.h"
#include "startup/protected_registers.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "target/target_vk3.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/crt.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Bytes4 = std::array<BYTE, 4>;

class DeviceFile : public ::testing::Test {
protected:
    void SetUp() override {
        g_deviceValues = DeviceValues{};
        g_deviceAreas = {};
        g_protocolType = 0;
        g_swtiSupported = 0;
    }
    void TearDown() override {
        GetTarget()->GetSettingsCache().Clear();
        g_deviceValues = DeviceValues{};
        g_deviceAreas = {};
        g_protocolType = 0;
        g_swtiSupported = 0;
        g_protectedRegisters = CProtectedRegisterList{};
    }
    // Reads section DEV of a device file with this text (one file name per
    // read, as the reader keeps one file loaded).
    void Read(const std::string& text) {
        const std::string name = "DEV" + std::to_string(files_++) + ".cnf";
        folder_.Write(name, text);
        ReadDeviceDescription(folder_.Windows(name), "DEV");
    }
    std::vector<std::string> Messages() const {
        std::vector<std::string> texts;
        for (const auto& box : ui_.MessageBoxes()) {
            texts.push_back(box.text);
        }
        return texts;
    }

    testsupport::TestUi ui_;
    testing_support::TempFolder folder_;
    int files_ = 0;
};

// A device section that gives a value to every key the absent-key rules
// below look at.
const char kFull[] =
    "[DEV]\n"
    "CPU TYPE=Vk31X\n"
    "MAX ADDR=0001FFFF\n"
    "DEVICE NAME=FULL\n"
    "FIRM NAME=other.sys\n"
    "IO NAME=OtherIo\n"
    "TOP TABLE5=00005000\n"
    "END TABLE5=00005FFF\n"
    "BSC1 INF=1 00001000 00001FFF\n"
    "FIR3 INF=1 00003000 00003FFF\n"
    "FLASHBLOCK=00000006\n"
    "ERASEBLOCK=00000006\n"
    "ERASE TABLE5=00005FFF\n"
    "SUPPORT START STOP FUNC=1\n"
    "START FUNC VECT=1234\n"
    "STOP FUNC VECT=5678\n"
    "USE XIN WHILE DOWNLOAD=1\n"
    "PRG2 INF=1 00010000 00010FFF\n"
    "PRG2 BIT=80\n"
    "FIRM LINKED BLOCK INF=1 3\n"
    "POWERSUPPLY DISABLE 5V=1\n"
    "WDT START BIT=1 0000FFE0 3\n"
    "WORK RAM SET 0=10 20\n"
    "WORK RAM SET 1=30 40\n"
    "MCU ID=7\n"
    "FIRM RAM SELECT=1\n";

TEST_F(DeviceFile, AbsentKeysKeepTheirValueOrTakeTheirRule) {
    struct Case {
        const char* name;
        std::function<void()> check;
    };
    const DeviceValues& device = g_deviceValues;
    Read(kFull);
    ASSERT_EQ(device.maxAddr, 0x1FFFFu);
    ASSERT_EQ(device.supportStartStopFunc, 1u);
    // The second device gives none of those keys.
    Read("[DEV]\nCPU TYPE=Tn24\n");
    const Case cases[] = {
        {"a plain value is kept", [&] { EXPECT_EQ(device.maxAddr, 0x1FFFFu); }},
        {"a device name is kept", [&] { EXPECT_EQ(device.deviceName, "FULL"); }},
        {"the flash block count is kept", [&] { EXPECT_EQ(device.flashBlockCount, 6u); }},
        {"a text default overwrites",
         [&] {
             EXPECT_EQ(device.firmName, "frm_kq14.sys");
             EXPECT_EQ(device.ioName, "Vk314");
         }},
        {"a block table entry becomes unused",
         [&] {
             EXPECT_EQ(device.flashBlockTop[5], 0xFFFFFFFFu);
             EXPECT_EQ(device.flashBlockEnd[5], 0xFFFFFFFFu);
         }},
        {"BSC1 keeps its record, FIR3 is cleared",
         [&] {
             EXPECT_EQ(g_deviceAreas[kAreaBsc1].top, 0x1000u);
             EXPECT_EQ(g_deviceAreas[kAreaBsc1].enable, 1u);
             EXPECT_EQ(g_deviceAreas[kAreaFir3].enable, 0u);
             EXPECT_EQ(g_deviceAreas[kAreaFir3].top, 0u);
             EXPECT_EQ(g_deviceAreas[kAreaFir3].end, 0u);
         }},
        {"the erase count and entries become 0",
         [&] {
             EXPECT_EQ(device.eraseBlockCount, 0u);
             EXPECT_EQ(device.eraseTable[5], 0u);
         }},
        {"start and stop functions are off without their vectors",
         [&] {
             EXPECT_EQ(device.supportStartStopFunc, 0u);
             EXPECT_EQ(device.startFuncVect, 0x1234u);
         }},
        {"the XIN flag, the second program area, the linked block and the 5 V ban take their texts",
         [&] {
             EXPECT_EQ(device.useXinWhileDownload, 0u);
             EXPECT_EQ(device.prg2.enable, 0u);
             EXPECT_EQ(device.prg2.top, 0u);
             EXPECT_EQ(device.prg2Bit, 1u);
             EXPECT_EQ(device.prg2ProtectReg, 0xAu);
             EXPECT_EQ(device.firmLinkedFlag, 0u);
             EXPECT_EQ(device.firmLinkedBlock, 0u);
             EXPECT_EQ(device.powerSupplyDisable5V, 0u);
         }},
        {"the watchdog start bit is 0 FFFFF 0",
         [&] {
             EXPECT_EQ(device.wdtStartBit.enable, 0u);
             EXPECT_EQ(device.wdtStartBit.address, 0xFFFFFu);
             EXPECT_EQ(device.wdtStartBit.bit, 0u);
         }},
        {"the work-RAM table is empty", [&] { EXPECT_EQ(device.interruptPatchCount, 0u); }},
        {"the MCU ID follows the protocol type (0)", [&] { EXPECT_EQ(device.mcuId, 1u); }},
        {"RAM placement is offered outside the family", [&] { EXPECT_EQ(device.firmRamSelect, 1u); }},
        {"the CPU type is the file's", [&] { EXPECT_EQ(device.cpuType, "Tn24"); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.check();
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceFile, ValuesAndTheirByteOrders) {
    struct Case {
        const char* name;
        std::string text;  // the device section's keys
        std::function<void()> check;
    };
    const DeviceValues& device = g_deviceValues;
    const Case cases[] = {
        {"twenty ID-code digits with protocol type 1 are ten bytes in their order",
         "PROTOCOL TYPE=1\nID CODE=0102030405060708090A\n",
         [&] {
             EXPECT_EQ(device.idCodeLength, 10u);
             EXPECT_EQ(device.idCode, (std::array<BYTE, 10>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}));
         }},
        {"eight ID-code digits with protocol type 0 are four bytes in their order",
         "PROTOCOL TYPE=0\nID CODE=A1B2C3D4\n",
         [&] {
             EXPECT_EQ(device.idCodeLength, 4u);
             EXPECT_EQ((Bytes4{device.idCode[0], device.idCode[1], device.idCode[2], device.idCode[3]}),
                       (Bytes4{0xA1, 0xB2, 0xC3, 0xD4}));
         }},
        {"a vector's digit pairs are its bytes from the lowest address", "VECT1=12345678\n",
         [&] { EXPECT_EQ(device.vectors[0], (Bytes4{0x12, 0x34, 0x56, 0x78})); }},
        {"the reset and jump addresses are kept least significant byte first",
         "FIRM RESET ADDR=ABCDEF\nFIRM JUMP ADDR=F024\n",
         [&] {
             EXPECT_EQ(device.firmResetAddr, (Bytes4{0xEF, 0xCD, 0xAB, 0}));
             EXPECT_EQ(device.firmJumpAddr, (Bytes4{0x24, 0xF0, 0, 0}));
         }},
        {"the chip id keeps 16 bits", "CHIP ID=12345\n", [&] { EXPECT_EQ(device.chipId, 0x2345u); }},
        {"byte fields keep the low byte and leave their neighbours",
         "REGINI CCR=1FF\nDMA0 SETBIT DATA=1234\nAIER3=00000009 1F0\n",
         [&] {
             EXPECT_EQ(device.reginiCcr, 0x1Fu) << "two digits at most";
             EXPECT_EQ(device.dmaSetBit[0], 0x34u);
             EXPECT_EQ(device.dmaSetBit[1], 0x08u) << "the neighbour keeps its start value";
             EXPECT_EQ(device.aier[3].address, 9u);
             EXPECT_EQ(device.aier[3].mask, 0xF0u);
             EXPECT_EQ(device.aier[4].mask, 0x10u);
         }},
        {"the DMA control registers up to the first 0 are the connect-time registers",
         "DMA0 CON=000003A0\nDMA1 CON=000003A8\nDMA2 CON=0\nDMA3 CON=000003B8\n",
         [&] {
             EXPECT_EQ(device.initialRegisterCount, 2u);
             EXPECT_EQ(device.initialRegisters[1], 0x3A8u);
         }},
        {"the protect and clock-mode registers are the special registers, the interrupt range start the "
         "connect block",
         "PRCR ADDR=0000000A\nPRCR SET DATA=3\nCM0 ADDR=00000006\nCM0 SET DATA=8\nINTR REG START ADDR=00000040\n",
         [&] {
             EXPECT_EQ(device.specialRegisters[0].address, 0xAu);
             EXPECT_EQ(device.specialRegisters[0].setValue, 3u);
             EXPECT_EQ(device.specialRegisters[1].address, 6u);
             EXPECT_EQ(device.specialRegisters[1].setValue, 8u);
             EXPECT_EQ(device.connectBlockAddress, 0x40u);
         }},
        {"the work-RAM list ends at the first absent key", "WORK RAM SET 0=10 20\nWORK RAM SET 2=50 60\n",
         [&] {
             EXPECT_EQ(device.interruptPatchCount, 1u);
             EXPECT_EQ(device.interruptPatches[0].imageOffset, 0x10u);
             EXPECT_EQ(device.interruptPatches[0].sourceOffset, 0x20u);
         }},
        {"XIN entries keep their count's low bytes, least significant first",
         "USE XIN WHILE DOWNLOAD=1\nSET XIN INFO0=0000000A 11223344 2\nSET XIN INFO1=0006 AB 1\n",
         [&] {
             EXPECT_EQ(device.useXinWhileDownload, 1u);
             EXPECT_EQ(device.xinCount, 2u);
             EXPECT_EQ(device.xin[0].address, 0xAu);
             EXPECT_EQ(device.xin[0].byteCount, 2u);
             EXPECT_EQ(device.xin[0].data, (Bytes4{0x44, 0x33, 0, 0}));
             EXPECT_EQ(device.xin[1].data, (Bytes4{0xAB, 0, 0, 0}));
         }},
        {"a long text is cut to its field", "CPU TYPE=Vk31XLONGNAME\nDEVICE NAME=ABCDEFGHIJKLMNOPQRST\n",
         [&] {
             EXPECT_EQ(device.cpuType, "Vk31XLONG");
             EXPECT_EQ(device.deviceName, "ABCDEFGHIJKLMNOP");
         }},
        {"a value that does not scan keeps what it held", "MAX ADDR=zz\nFLPRO TOP=\n",
         [&] {
             EXPECT_EQ(device.maxAddr, 0u);
             EXPECT_EQ(device.flproTop, 0x400u);
         }},
        {"without MCU ID protocol type 3 gives 4", "PROTOCOL TYPE=3\n",
         [&] { EXPECT_EQ(device.mcuId, 4u); }},
        {"an MCU ID given is kept", "PROTOCOL TYPE=3\nMCU ID=0C\n", [&] { EXPECT_EQ(device.mcuId, 12u); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        // No firmware information file replaces what the device gives.
        Read("[DEV]\nFIRM NAME=none.sys\n" + c.text);
        c.check();
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceFile, CountsAndIndexesStayInsideTheirTables) {
    const DeviceValues& device = g_deviceValues;
    g_deviceValues.firmBlockNo = 2;
    Read("[DEV]\nFLASHBLOCK=00000040\nERASEBLOCK=00000099\nADDRBREAK=0000000C\nFIRMBLOCKNO=00000016\n"
         "SET XIN INFO0=10 1 1\nSET XIN INFO1=11 2 5\nSET XIN INFO2=12 3 1\n");
    EXPECT_EQ(device.flashBlockCount, kFlashTableSize);
    EXPECT_EQ(device.eraseBlockCount, kFlashTableSize);
    EXPECT_EQ(device.addressBreakCount, kBreakChannelRegisters);
    EXPECT_EQ(device.firmBlockNo, 2u) << "a block the table does not hold keeps the one in force";
    EXPECT_EQ(device.xinCount, 1u) << "a byte count of 5 ends the list";
    EXPECT_EQ(device.xin[1].byteCount, 0u) << "and the entry is not written";

    Read("[DEV]\nFIRMBLOCKNO=00000015\nSET XIN INFO0=10 1 0\n");
    EXPECT_EQ(device.firmBlockNo, 21u);
    EXPECT_EQ(device.xinCount, 0u) << "a byte count of 0 ends the list";
}

TEST_F(DeviceFile, AMissingFileIsAFileWithoutKeysAndShowsNothing) {
    const DeviceValues& device = g_deviceValues;
    Read(kFull);
    Read("[DEV]\nMEMORY PROTECT0=0000000A 03 03\n");
    ASSERT_EQ(g_protectedRegisters.GetCount(), 1u);
    ReadDeviceDescription(folder_.Windows("missing.cnf"), "DEV");
    ReadDeviceDescription(folder_.Windows("missing.cnf"), "DEV");
    EXPECT_TRUE(Messages().empty()) << "no box, not one per lookup";
    EXPECT_EQ(device.maxAddr, 0x1FFFFu) << "plain values kept";
    EXPECT_EQ(device.flashBlockTop[5], 0xFFFFFFFFu);
    EXPECT_EQ(device.eraseBlockCount, 0u);
    EXPECT_EQ(device.wdtStartBit.address, 0xFFFFFu);
    EXPECT_EQ(g_protectedRegisters.GetCount(), 0u) << "the list is the missing file's: empty";
}

TEST_F(DeviceFile, AFileThatCannotBeOpenedIsReadAsMissingWithoutABoxPerKey) {
    const DeviceValues& device = g_deviceValues;
    Read(kFull);
    // Another program holds both files without sharing them.
    folder_.Write("HELD.cnf", "[DEV]\nMAX ADDR=00000100\nFIRM NAME=held.sys\n");
    folder_.Write("held.fif", "[FirmInf]\nSWTI=1\n");
    FILE* heldDevice = _fsopen(folder_.Windows("HELD.cnf").c_str(), "r", _SH_DENYRW);
    ASSERT_NE(heldDevice, nullptr);
    FILE* heldFirmware = _fsopen(folder_.Windows("held.fif").c_str(), "r", _SH_DENYRW);
    ASSERT_NE(heldFirmware, nullptr);
    ReadDeviceDescription(folder_.Windows("HELD.cnf"), "DEV");
    ReadFirmwareInfoFileAt(folder_.Windows("held.fif"));
    std::fclose(heldFirmware);
    std::fclose(heldDevice);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(device.maxAddr, 0x1FFFFu) << "read as a file without keys";
    EXPECT_EQ(device.firmName, "frm_kq14.sys");
    EXPECT_EQ(g_swtiSupported, 0u);
}

TEST_F(DeviceFile, TheDemoFirmwareCountsFromTheDevicesOwnFirmwareArea) {
    // The first read of the shipped device, with nothing read before: the
    // firmware information's offsets go on top of this device's ASE1 top.
    ReadDeviceDescription(GetModuleDirectory() + "VK31X.cnf", "VK31D16");
    const DeviceValues& device = g_deviceValues;
    EXPECT_EQ(device.firmwareBase, 0xF000u);
    EXPECT_EQ(device.vectors[0], (Bytes4{0x40, 0xF0, 0x00, 0x00}));
    EXPECT_EQ(device.vectors[4], (Bytes4{0x50, 0xF0, 0x00, 0x00}));
    EXPECT_EQ(device.firmResetAddr, (Bytes4{0x20, 0xF0, 0x00, 0x00}));
    EXPECT_EQ(device.vectorOffsets[0], 0x40u);
    EXPECT_EQ(device.firmResetOffset, 0x20u);
    EXPECT_EQ(device.firmDefaultTopAddr, 0xC000u);
    EXPECT_EQ(device.wdtCheckBoxShown, 0u) << "WdtCheckBoxHide=1";
    EXPECT_EQ(g_swtiSupported, 0u);
    EXPECT_EQ(g_protocolType, 1u);
    EXPECT_EQ(device.mcuId, 2u);
    EXPECT_EQ(device.flashBlockCount, 5u);
    EXPECT_EQ(device.firmBlockNo, 2u);
    EXPECT_EQ(device.maxAddr, 0xFFFFu);
    EXPECT_EQ(device.deviceName, "VK31D16");
    EXPECT_EQ(g_deviceAreas[kAreaAse1].end, 0xFF7Fu);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceFile, FirmwareInformationRules) {
    struct Case {
        const char* name;
        std::string device;  // the device section's keys
        DWORD swtiBefore;
        std::function<void()> check;
    };
    const DeviceValues& device = g_deviceValues;
    const std::string offsets = "FIRM NAME=LinkTestFiles\\fif_offsets.sys\nASE1 INF=1 0000F000 0000F7FF\n";
    const Case cases[] = {
        {"an offset goes on top of the firmware base", offsets, 0,
         [&] {
             EXPECT_EQ(device.vectors[0], (Bytes4{0x00, 0xF1, 0x00, 0x00}));
             EXPECT_EQ(device.vectorOffsets[0], 0x100u);
             EXPECT_EQ(device.firmId, "Q3vOFFSETS");
         }},
        {"vectors the file lacks keep the device's, and their offsets are taken from them",
         offsets + "VECT2=44F00000\n", 0,
         [&] {
             EXPECT_EQ(device.vectors[1], (Bytes4{0x44, 0xF0, 0x00, 0x00}));
             EXPECT_EQ(device.vectorOffsets[1], 0x44u);
         }},
        {"without a first work-RAM key the table is empty", offsets + "WORK RAM SET 0=1 2\n", 0,
         [&] { EXPECT_EQ(device.interruptPatchCount, 0u); }},
        {"SWTI=2 turns the event function on and makes the MCU ID 11", offsets + "PROTOCOL TYPE=3\n", 0,
         [&] {
             EXPECT_EQ(g_swtiSupported, 1u);
             EXPECT_EQ(device.mcuId, 11u);
         }},
        {"no default top with protocol type 4 is 0x8000", offsets + "PROTOCOL TYPE=4\n", 0,
         [&] { EXPECT_EQ(device.firmDefaultTopAddr, 0x8000u); }},
        {"no default top with protocol type 7 stays", offsets + "PROTOCOL TYPE=7\n", 0,
         [&] { EXPECT_EQ(device.firmDefaultTopAddr, 0x1234u); }},
        {"no WDT key with protocol type 2 shows the box", offsets + "PROTOCOL TYPE=2\n", 0,
         [&] { EXPECT_EQ(device.wdtCheckBoxShown, 1u); }},
        {"no WDT key with protocol type 1 hides it", offsets + "PROTOCOL TYPE=1\n", 0,
         [&] { EXPECT_EQ(device.wdtCheckBoxShown, 0u); }},
        {"without a file the event function and the device's vectors stay",
         "FIRM NAME=nothing_here.sys\nVECT1=40F00000\nWORK RAM SET 0=1 2\n", 1,
         [&] {
             EXPECT_EQ(g_swtiSupported, 1u);
             EXPECT_EQ(device.vectors[0], (Bytes4{0x40, 0xF0, 0x00, 0x00}));
             EXPECT_EQ(device.interruptPatchCount, 1u);
             EXPECT_EQ(device.mcuId, 11u);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        g_deviceValues.firmDefaultTopAddr = 0x1234;
        g_swtiSupported = c.swtiBefore;
        Read("[DEV]\n" + c.device);
        c.check();
    }
    EXPECT_TRUE(Messages().empty());
}

TEST(FirmwareInfoFile, OnlyTheFileNamesSysBecomesFif) {
    EXPECT_EQ(FirmwareInfoFilePath("Z:\\a.sys\\", "frm_kq14.sys"), "Z:\\a.sys\\frm_kq14.fif");
    EXPECT_EQ(FirmwareInfoFilePath("Z:\\b\\", "x.sys\\frm.sys"), "Z:\\b\\x.sys\\frm.fif");
    EXPECT_EQ(FirmwareInfoFilePath("Z:\\b\\", "frm.sys.sys"), "Z:\\b\\frm.fif.fif");
    EXPECT_EQ(FirmwareInfoFilePath("Z:\\b\\", "frm"), "Z:\\b\\frm");
}

}  // namespace
