// The firmware download for every protocol type, through the simulated
// emulator to "firmware running", with the firmware image in the model's
// flash at its relocated addresses; and its failures.
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/mot_file.h"
#include "config/target_config.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <cstring>

namespace linktest {
namespace {

using namespace link_result;

constexpr DWORD kImageSize = 0x400;

class Download : public LinkTest {
protected:
    // Opens the link and unlocks the target, as the boot sequence does, and
    // loads the flash writer where the protocol type needs it.
    void BringUp(Device device, DWORD protocolType, const char* settings = nullptr) {
        UseDevice(device, protocolType);
        if (settings != nullptr) {
            Configure(settings);
            Control().reset();  // the settings take effect at power-on
        }
        ASSERT_EQ(Link().Open(), kOk);
        ASSERT_EQ(Channel().UnlockWithIdCode(), kOk);
        if (protocolType <= 1) {
            const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
            const Bytes writer = emutest::Slice(image, image.begin()->first, image.size());
            ASSERT_EQ(Channel().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), kOk);
            ASSERT_EQ(protocolType == 0 ? Channel().SendRawBlock() : Channel().SendDataBlock(), kOk);
        }
        ClearFrames();
    }
    void UseFirmware(const char* name) { g_deviceValues.firmName = name; }
    // The demo firmware image as linked (at 0xC000).
    Bytes Image(DWORD offset = 0, DWORD count = kImageSize) {
        return emutest::Slice(emutest::LoadSRecords("frm_kq14.sys"), 0xC000 + offset, count);
    }
    void ExpectFirmwareRunning() {
        EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
        EXPECT_TRUE(Messages().empty()) << (Messages().empty() ? "" : Messages()[0]);
    }
};

TEST_F(Download, ProtocolTypeOneRelocatesTheImageAndStartsTheFirmwareWithF) {
    BringUp(Device::Vk31D16, 1, "canary=1");
    g_deviceValues.interruptPatches[0] = {0x30, 0};
    g_deviceValues.interruptPatchCount = 1;
    EXPECT_EQ(Channel().DownloadFirmware(0), kOk);
    ExpectFirmwareRunning();
    const Bytes flash = ReadTarget(0xF000, kImageSize);
    EXPECT_EQ(flash[0x30], 0x01) << "the byte read back from 0xA00 (RAM canary: its address plus one)";
    Bytes expected = Image();
    expected[0x30] = flash[0x30];
    EXPECT_EQ(flash, expected);
    EXPECT_EQ(ReadTarget(0xFFE4, 4), Bytes({0x40, 0xF0, 0x00, 0xFF})) << "vectors follow the firmware";
    EXPECT_EQ(ReadTarget(0xFFFC, 3), Bytes({0x20, 0xF0, 0x00})) << "the reset vector too";
    const std::vector<std::string> frames = FramesIn();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0], "00 06 52 0A 00 00 A5 81") << "the record at the firmware's RAM first";
    EXPECT_EQ(frames.back(), "00 02 46 81");
}

TEST_F(Download, VariantOneErasesAndProgramsWholeBlocks) {
    BringUp(Device::Vk31D16, 1);
    EXPECT_EQ(Channel().DownloadFirmware(1), kOk);
    ExpectFirmwareRunning();
    EXPECT_EQ(ReadTarget(0xF000, kImageSize), Image());
    const std::vector<std::string> frames = FramesIn();
    EXPECT_EQ(std::count(frames.begin(), frames.end(), "00 06 45 FF FF 00 00 81"), 1)
        << "the block holding the vectors and the firmware, erased once";
}

TEST_F(Download, ProtocolTypeZeroProgramsWithBootAndStartsAtTheEndOfTheWrite) {
    BringUp(Device::Vk31D16, 0);
    g_deviceAreas[kAreaAse1] = {1, 0xC000, 0xC3FF};  // the image at the address it is linked for
    EXPECT_EQ(Channel().DownloadFirmware(0), kOk);
    ExpectFirmwareRunning();
    EXPECT_EQ(ReadTarget(0xC000, kImageSize), Image());
    EXPECT_EQ(FramesIn()[0], "00 02 42 81");
}

TEST_F(Download, ProtocolTypeTwoProgramsPagesAndPatchesTheFirmwaresValues) {
    BringUp(Device::Vk32D64, 2);
    UseFirmware("LinkTestFiles\\frm_vk32.sys");
    EXPECT_EQ(Channel().DownloadFirmwareType2(0), kOk);
    EXPECT_EQ(Channel().WriteAdapterRegister20(3), 0);  // the boot sequence's reset into run mode
    ExpectFirmwareRunning();
    EXPECT_EQ(ReadTarget(0xFF000, 0x100), Image(0, 0x100));
    EXPECT_EQ(ReadTarget(0xFF100, 4), Bytes({0x00, 0x3C, 0x00, 0x04})) << "the RAM tops written into the image";
    EXPECT_EQ(ReadTarget(0xFF104, 0x2FC), Image(0x104, 0x2FC));
    EXPECT_EQ(ReadTarget(0xFFFFC, 3), Bytes({0x20, 0xF0, 0x0F}));
}

TEST_F(Download, ProtocolTypeThreePlacesItsTwentyFourBitVectorsAtTheMirrorsVectorTable) {
    BringUp(Device::Vk32D64, 3);
    UseFirmware("LinkTestFiles\\frm_vk33.sys");
    g_watchdogSettings = {1, 0x5A};
    EXPECT_EQ(Channel().DownloadFirmwareType3(0), kOk);
    EXPECT_EQ(g_flashMirror[0xFFFFC], 0x20) << "the record at 0xFFFFFC lies at the mirror's 0xFFFFC";
    EXPECT_EQ(Channel().WriteAdapterRegister20(3), 0);
    ExpectFirmwareRunning();
    EXPECT_EQ(ReadTarget(0xFFFFC, 3), Bytes({0x20, 0xF0, 0x0F}));
    EXPECT_EQ(ReadTarget(0xFFFE4, 3), Bytes({0x40, 0xF0, 0x0F}));
    EXPECT_EQ(ReadTarget(0xFF104, 1), Bytes({0x5A})) << "the watchdog byte";
}

TEST_F(Download, ProtocolTypeFourTakesTheImageAsItIsLinked) {
    BringUp(Device::Vk31D16, 4);
    g_deviceAreas[kAreaAse1] = {1, 0xF000, 0xFEFF};
    UseFirmware("LinkTestFiles\\frm_vk31_type4.sys");
    EXPECT_EQ(Channel().DownloadFirmwareType4(0), kOk);
    EXPECT_EQ(Channel().WriteAdapterRegister20(3), 0);
    ExpectFirmwareRunning();
    EXPECT_EQ(ReadTarget(0xF000, kImageSize), Image());
    EXPECT_EQ(ReadTarget(0xFFFC, 3), Bytes({0x20, 0xF0, 0x00}));
}

TEST_F(Download, EachSlotRefusesTheProtocolTypesItDoesNotServe) {
    UseDevice(Device::Vk31D16, 1);
    EXPECT_EQ(Channel().DownloadFirmwareType2(0), kAborted);
    EXPECT_EQ(Channel().DownloadFirmwareType3(0), kAborted);
    EXPECT_EQ(Channel().DownloadFirmwareType4(0), kAborted);
    UseDevice(Device::Vk32D64, 2);
    EXPECT_EQ(Channel().DownloadFirmware(0), kAborted);
    EXPECT_EQ(Channel().DownloadFirmwareType4(0), kAborted);
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(Download, ARecordOutsideTheMirrorIsRefusedBeforeAnythingIsErased) {
    BringUp(Device::Vk33D64, 3);
    UseFirmware("LinkTestFiles\\frm_vk33.sys");
    EXPECT_EQ(Channel().DownloadFirmwareType3(0), kMotFileError);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Error reading firmware file"});
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(Download, AMissingImageIsReported) {
    BringUp(Device::Vk31D16, 1);
    UseFirmware("LinkTestFiles\\no_such_image.sys");
    EXPECT_EQ(Channel().DownloadFirmware(0), kMotFileError);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Can't find firmware file"});
    EXPECT_EQ(FramesIn().size(), 1u) << "only the record read before it";
}

TEST_F(Download, AWriteErrorErasesAgainOnceAndASecondOneEndsTheDownload) {
    BringUp(Device::Vk31D16, 1);
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(Channel().DownloadFirmware(0), kOk);
    ExpectFirmwareRunning();
    EXPECT_EQ(ReadTarget(0xF000, kImageSize), Image());

    Control().reset();
    ClearFrames();
    BringUp(Device::Vk31D16, 1);
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 2);
    EXPECT_EQ(Channel().DownloadFirmware(0), kWriteError);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Flash memory write error", "Error sending firmware"}));
}

TEST_F(Download, AnEraseErrorEndsTheDownloadWithItsMessages) {
    BringUp(Device::Vk31D16, 1);
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(Channel().DownloadFirmware(0), kEraseError);
    EXPECT_EQ(Messages(),
              (std::vector<std::string>{"Flash memory erase error !\nChange device", "Error sending firmware"}));

    Control().reset();
    BringUp(Device::Vk32D64, 2);
    UseFirmware("LinkTestFiles\\frm_vk32.sys");
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(Channel().DownloadFirmwareType2(0), kWriteError);
    EXPECT_EQ(Messages().back(), "Error sending firmware");
}

TEST_F(Download, TheDownloadCanReadTheFlashWriterIntoTheImageItself) {
    BringUp(Device::Vk31D16, 1);
    g_targetConfig->SetProgramSend(0);
    g_targetConfig->SetFlashTop(0);
    EXPECT_EQ(Channel().DownloadFirmware(0), kOk);
    EXPECT_EQ(ReadTarget(0xF000, kImageSize), Image());
    const auto writer = emutest::LoadSRecords("WTR_KQ14.mot");
    EXPECT_EQ(g_flashMirror[0x400], writer.at(0x400)) << "the writer's records at their address less the offset";
    EXPECT_NE(FramesIn().back(), "00 02 46 81") << "no 'F' follows";

    g_targetConfig->SetFlashTop(0x1000);  // would place the writer below address 0
    UseFirmware("frm_kq14.sys");
    EXPECT_EQ(Channel().DownloadFirmware(0), kMotFileError);
    EXPECT_EQ(Messages().back(), "Error reading write file");
}

}  // namespace
}  // namespace linktest
