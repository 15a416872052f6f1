// The event-function firmware's download sequences against the flash writer
// in the simulated target: the write range's blocks and retries, the
// firmware image's placement, the erase lists, the protected vector byte,
// the register bits of protocol type 2, and the checks that refuse an image
// that would leave the flash image before anything is erased.
#include "startup/swti_boot.h"

#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "startup/boot_packet.h"
#include "startup/protected_registers.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace linktest {
namespace {

// A program record's address and data, from its frame.
struct BlockFrame {
    DWORD address = 0;
    Bytes data;
};

std::vector<BlockFrame> BlockFrames(const std::vector<std::string>& frames) {
    std::vector<BlockFrame> blocks;
    for (const std::string& text : frames) {
        const Bytes frame = Hex(text);
        if (frame.size() == 136 && frame[0] == 0x00 && frame[1] == 0x86) {
            blocks.push_back({static_cast<DWORD>(frame[2] | frame[3] << 8 | frame[4] << 16 | frame[5] << 24),
                              Bytes(frame.begin() + 6, frame.begin() + 134)});
        }
    }
    return blocks;
}

class SwtiBoot : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        // The erase walk of the boot packets takes even addresses: each
        // block's end - 1.
        g_deviceValues.eraseBlockCount = 0;
        g_protectedRegisters = CProtectedRegisterList{};
        LoadWriter();
    }
    void TearDown() override {
        g_protectedRegisters = CProtectedRegisterList{};
        LinkTest::TearDown();
    }
    // The flash writer running in the boot program, as the boot sequence
    // leaves it.
    void LoadWriter() {
        ASSERT_EQ(Channel().UnlockWithIdCode(), link_result::kOk);
        const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
        const Bytes writer = emutest::Slice(image, image.begin()->first, image.size());
        ASSERT_EQ(Channel().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), link_result::kOk);
        ASSERT_EQ(Channel().SendDataBlock(), link_result::kOk);
        Link().SetOpen(1);
        ClearFrames();
    }
    void WriteTarget(DWORD address, const Bytes& bytes) {
        Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size()));
    }
    void Protect(const std::string& entry) {
        folder_.Write("protect.cnf", "[VKTEST]\r\nMEMORY PROTECT0=" + entry + "\r\n");
        g_protectedRegisters.Load("VKTEST", folder_.Windows("protect.cnf").c_str());
    }
};

TEST_F(SwtiBoot, AWriteRangeFillsItsFirstAndLastBlocksWithFFOutsideTheRange) {
    std::iota(g_flashMirror.begin() + 0xC000, g_flashMirror.begin() + 0xC200, BYTE{0});
    ASSERT_EQ(OpenImageWrite(), 1);
    ASSERT_EQ(WriteFlashRange(0xC010, 0xC0A0), 1);
    const auto blocks = BlockFrames(FramesIn());
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(blocks[0].address, 0xC000u);
    EXPECT_EQ(blocks[1].address, 0xC080u);
    Bytes first(128, 0xFF);
    std::copy(g_flashMirror.begin() + 0xC010, g_flashMirror.begin() + 0xC080, first.begin() + 0x10);
    Bytes second(128, 0xFF);
    std::copy(g_flashMirror.begin() + 0xC080, g_flashMirror.begin() + 0xC0A1, second.begin());
    EXPECT_EQ(blocks[0].data, first);
    EXPECT_EQ(blocks[1].data, second);
    EXPECT_EQ(ReadTarget(0xC000, 0x10), Bytes(0x10, 0xFF)) << "nothing before the start";
    EXPECT_EQ(ReadTarget(0xC0A1, 1), Bytes{0xFF}) << "nothing after the end";
}

TEST_F(SwtiBoot, ABlockRefusedForItsSumIsSentUpToFourTimes) {
    g_flashMirror[0xC000] = 0x12;
    ASSERT_EQ(OpenImageWrite(), 1);
    ClearFrames();
    Inject(Q3V_SIM_FAULT_STATUS, 0x91, 3);
    EXPECT_EQ(WriteFlashRange(0xC000, 0xC07F), 1);
    EXPECT_EQ(BlockFrames(FramesIn()).size(), 4u);
    EXPECT_EQ(ReadTarget(0xC000, 1), Bytes{0x12});

    ClearFrames();
    Inject(Q3V_SIM_FAULT_STATUS, 0x91, 4);
    EXPECT_EQ(WriteFlashRange(0xC080, 0xC0FF), 0);
    EXPECT_EQ(BlockFrames(FramesIn()).size(), 4u) << "a fourth refusal ends the range";
    EXPECT_EQ(GetLastBootStatus(), 0x91);

    ClearFrames();
    Inject(Q3V_SIM_FAULT_PROGRAM, 0, 1);
    EXPECT_EQ(WriteFlashRange(0xC100, 0xC17F), 0);
    EXPECT_EQ(BlockFrames(FramesIn()).size(), 1u) << "only a sum error is retried";
}

TEST_F(SwtiBoot, FirmwareRecordsMoveWithTheFirmwareAreaButTheVectorAreaStays) {
    const Bytes code = Hex("04 5A 52 20");
    ASSERT_TRUE(PlaceFirmwareRecord(0xC020, code));
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xF020, g_flashMirror.begin() + 0xF024), code)
        << "ASE1 top 0xF000 - FIRM DEFAULT TOP ADDR 0xC000";
    const Bytes vectors(36, 0x77);
    for (const DWORD type : {0u, 1u, 2u}) {
        g_protocolType = type;
        g_flashMirror.fill(0xFF);
        ASSERT_TRUE(PlaceFirmwareRecord(0xFFDC, vectors));
        EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xFFE4, g_flashMirror.begin() + 0xFFE8), Hex("40 F0 00 00"));
        EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xFFF4, g_flashMirror.begin() + 0xFFF8), Hex("4C F0 00 00"));
        EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xFFF8, g_flashMirror.begin() + 0xFFFC),
                  type <= 1 ? Hex("50 F0 00 00") : Bytes(4, 0x77))
            << "VECT5 only for protocol types 0 and 1";
        EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xFFFC, g_flashMirror.begin() + 0x10000), Hex("20 F0 00 77"))
            << "three bytes of the firmware's reset address";
        EXPECT_EQ(g_flashMirror[0xFFDC], 0x77);
    }
    g_flashMirror.fill(0xFF);
    g_deviceValues.firmDefaultTopAddr = 0x0;
    g_deviceAreas[kAreaAse1].top = 0x0FFFFE;
    EXPECT_FALSE(PlaceFirmwareRecord(0x0, code)) << "a record that would run past the image";
    EXPECT_TRUE(std::all_of(g_flashMirror.begin(), g_flashMirror.end(), [](BYTE b) { return b == 0xFF; }));
}

TEST_F(SwtiBoot, TheEraseWalksTakeTheBlockEndsOrTheEraseTable) {
    ASSERT_EQ(EraseFlashBlocks(), 1);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 06 45 FE DF 00 00 81", "00 06 45 FE EF 00 00 81",
                                                     "00 06 45 FE FF 00 00 81", "00 06 45 FE 27 00 00 81",
                                                     "00 06 45 FE 2B 00 00 81"}));
    ClearFrames();
    ASSERT_EQ(EraseVectorBlock(), 1);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 06 45 FE FF 00 00 81"}) << "the block above 0xFFDB";
    ClearFrames();
    ASSERT_EQ(EraseFirmwareBlocks(), 1);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 06 45 FE FF 00 00 81"})
        << "the reset vector's block holds the whole firmware area: erased once";

    // An erase table of its own, a firmware area over two blocks and the
    // reset vector in a third.
    g_deviceValues.eraseBlockCount = 3;
    g_deviceValues.eraseTable = {0xCFFE, 0xDFFE, 0xFFFE};
    g_deviceAreas[kAreaAse1] = {1, 0xC800, 0xD7FF};
    ClearFrames();
    ASSERT_EQ(EraseFirmwareBlocks(), 1);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 06 45 FE FF 00 00 81", "00 06 45 FE CF 00 00 81",
                                                     "00 06 45 FE DF 00 00 81"}));
    ClearFrames();
    Inject(Q3V_SIM_FAULT_ERASE, 0, 1);
    EXPECT_EQ(EraseFlashBlocks(), 0);
    EXPECT_EQ(FramesIn().size(), 1u) << "the first failure ends the walk";
}

TEST_F(SwtiBoot, TheProtectedVectorByteIsReadFromItsPage) {
    DWORD flag = 7;
    ASSERT_EQ(CheckProtectedVectorByte(flag), 1);
    EXPECT_EQ(flag, 1u) << "no entry";
    EXPECT_TRUE(FramesIn().empty());

    Protect("0000FFDB 80 C0");
    WriteTarget(0xFFDB, Bytes{0x8F});
    ASSERT_EQ(CheckProtectedVectorByte(flag), 1);
    EXPECT_EQ(flag, 1u) << "the masked bits hold the value";
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 06 52 FF 00 00 A5 81"});
    ClearFrames();
    WriteTarget(0xFFDB, Bytes{0xCF});
    ASSERT_EQ(CheckProtectedVectorByte(flag), 1);
    EXPECT_EQ(flag, 0u);
}

TEST_F(SwtiBoot, ProtocolTypeTwoSetsItsRegisterBitsInOnePacket) {
    g_protocolType = 1;
    EXPECT_EQ(InitDebuggerRegisterBits(), 1);
    g_protocolType = 2;
    g_deviceValues.dmaControl = {};
    EXPECT_EQ(InitDebuggerRegisterBits(), 1) << "no register";
    EXPECT_TRUE(FramesIn().empty());
    g_deviceValues.dmaControl = {0x0180, 0x0190, 0, 0x01A0, 0};
    g_deviceValues.dmaSetBit = {0x08, 0x04, 0, 0, 0};
    g_deviceValues.dmaDisable = {0x01, 0x02, 0, 0, 0};
    StartFirmware();
    EXPECT_EQ(InitDebuggerRegisterBits(), 1);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(Hex(frames[0])[3], '#') << frames[0];
    EXPECT_NE(frames[0].find("80 01 00 00 20 42 08 00 01 00"), std::string::npos) << frames[0];
    EXPECT_NE(frames[0].find("90 01 00 00 20 42 04 00 02 00"), std::string::npos) << frames[0];
    EXPECT_EQ(frames[0].find("A0 01"), std::string::npos) << "the list ends at the first register 0";
}

TEST_F(SwtiBoot, TheFirmwareDownloadRefusesAnImageThatLeavesTheImageBeforeAnythingGoes) {
    EXPECT_TRUE(CheckFirmwarePlacement()) << "the demo device and its firmware";
    struct Case {
        const char* name;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"a firmware area beyond the image", [] { g_deviceAreas[kAreaAse1] = {1, 0xFFF000, 0xFFFEFF}; }},
        {"records beyond the image", [] { g_deviceValues.firmDefaultTopAddr = 0xF0000000; }},
        {"a flash block beyond the image", [] { g_deviceValues.flashBlockEnd[1] = 0x100000; }},
        {"a firmware block past the block count", [] { g_deviceValues.firmBlockNo = 5; }},
        {"more blocks than the tables hold", [] { g_deviceValues.flashBlockCount = 23; }},
        {"a vector outside the vector area", [] { g_deviceValues.setAddr[2] = 0xFFFDC; }},
        {"a reset vector across the area's end", [] { g_deviceValues.setAddr[6] = 0xFFFE; }},
        {"a work-RAM byte beyond the page",
         [] {
             g_deviceValues.interruptPatchCount = 1;
             g_deviceValues.interruptPatches[0] = {0x100, 0x10};
         }},
        {"a work-RAM byte beyond the image",
         [] {
             g_deviceValues.interruptPatchCount = 1;
             g_deviceValues.interruptPatches[0] = {0x10, 0xFFFFF000};
         }},
    };
    const DeviceValues device = g_deviceValues;
    const auto areas = g_deviceAreas;
    for (const Case& c : cases) {
        c.change();
        EXPECT_FALSE(CheckFirmwarePlacement()) << c.name;
        EXPECT_EQ(DownloadFirmwareEraseWrite(), 0) << c.name;
        EXPECT_EQ(DownloadFirmwareReadEraseWrite(), 0) << c.name;
        g_deviceValues = device;
        g_deviceAreas = areas;
    }
    EXPECT_TRUE(FramesIn().empty()) << "nothing read, erased or written";
    EXPECT_TRUE(Messages().empty()) << "the calling step shows the message";
    g_protocolType = 2;
    g_deviceValues.interruptPatchCount = 1;
    g_deviceValues.interruptPatches[0] = {0x100, 0x10};
    EXPECT_TRUE(CheckFirmwarePlacement()) << "the work-RAM settings are protocol type 1's";
}

TEST_F(SwtiBoot, TheWorkRamSettingsCopyPageBytesIntoTheFirmwareArea) {
    // The pair names the page offset first, then the offset in the firmware
    // area.
    g_deviceValues.interruptPatchCount = 2;
    g_deviceValues.interruptPatches[0] = {0x04, 0x30};
    g_deviceValues.interruptPatches[1] = {0xFF, 0x31};
    WriteTarget(0x0A04, Bytes{0x5C});
    WriteTarget(0x0AFF, Bytes{0xC5});
    ASSERT_EQ(ApplyWorkRamSettings(), 1);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 06 52 0A 00 00 A5 81"}) << "the FIRM area's page";
    EXPECT_EQ(g_flashMirror[0xF030], 0x5C);
    EXPECT_EQ(g_flashMirror[0xF031], 0xC5);
    ClearFrames();
    g_protocolType = 3;
    EXPECT_EQ(ApplyWorkRamSettings(), 1);
    EXPECT_TRUE(FramesIn().empty()) << "only for protocol type 1";
}

TEST_F(SwtiBoot, WithoutTheConnectingDialogTheSequencesFailAtOnce) {
    EXPECT_EQ(BootAndDownloadFirmware(1), 0);
    EXPECT_EQ(BootAndEraseFlash(), 0);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Failed !", "Failed !"}));
    EXPECT_TRUE(FramesIn().empty());
}

}  // namespace
}  // namespace linktest
