// Target memory through the firmware and the simulated emulator: reads and
// writes in pieces with every access code, the flash mirror's share of the
// address space, area errors and the monitor's fill.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/monitor_services.h"
#include "config/session_settings.h"
#include "target/target_memory_vk3.h"
#include "tests/link/link_fixture.h"

#include "platform/profile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <numeric>

namespace linktest {
namespace {

using namespace link_result;

constexpr char kAreaError[] = " Memory area error. It is outside the effective address range. ";

class FirmMemory : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
        CFirmCommand().ResetFlashBlocks();
    }
    void WriteTarget(DWORD address, const Bytes& bytes) {
        ASSERT_EQ(Control().writeTarget(address, bytes.data(), static_cast<DWORD>(bytes.size())), Q3V_SIM_OK);
    }
    static Bytes Counting(std::size_t count, BYTE first = 1) {
        Bytes bytes(count);
        std::iota(bytes.begin(), bytes.end(), first);
        return bytes;
    }
    // The count fields of the write requests on the wire.
    std::vector<std::size_t> WriteCounts() const {
        std::vector<std::size_t> counts;
        for (const std::string& frame : FramesIn()) {
            if (frame.substr(6, 5) == "5A 12") {
                counts.push_back(std::stoul(frame.substr(36, 2), nullptr, 16) |
                                 (std::stoul(frame.substr(39, 2), nullptr, 16) << 8));
            }
        }
        return counts;
    }
};

TEST_F(FirmMemory, AReadGoesInPiecesOfAtMost128Bytes) {
    const Bytes data = Counting(300);
    WriteTarget(0x400, data);
    Bytes read(300);
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x400, 300, read.data()), kOk);
    EXPECT_EQ(read, data);
    EXPECT_EQ(FramesIn(), (std::vector<std::string>{"00 0E 5A 11 00 0E 00 04 00 00 80 00 20 42 A5 81",
                                                    "00 0E 5A 11 00 0E 80 04 00 00 80 00 20 42 A5 81",
                                                    "00 0E 5A 11 00 0E 00 05 00 00 2C 00 20 42 A5 81"}));
}

TEST_F(FirmMemory, EveryAccessCodeKeepsMemoryOrder) {
    for (const DWORD access : {access_code::kByte, access_code::kWord, access_code::kAddress, access_code::kLong,
                               access_code::kDouble}) {
        const Bytes data = Counting(96, static_cast<BYTE>(access));
        std::copy(data.begin(), data.end(), g_firmWriteData.begin());
        ASSERT_EQ(CFirmCommand().WriteMemory(access, 0x500, 96, 1), kOk) << std::hex << access;
        EXPECT_EQ(ReadTarget(0x500, 96), data) << std::hex << access;
        Bytes read(96);
        ASSERT_EQ(CFirmCommand().ReadMemory(access, 0x500, 96, read.data()), kOk);
        EXPECT_EQ(read, data) << std::hex << access;
    }
    g_firmWriteData[0] = 0x34;
    g_firmWriteData[1] = 0x12;
    ClearFrames();
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kWord, 0x600, 2, 0), kOk);
    EXPECT_EQ(FramesIn().at(0), "00 12 5A 12 00 12 00 06 00 00 20 57 02 00 00 00 12 34 A5 81")
        << "a word travels most significant byte first";
    EXPECT_EQ(g_firmWriteData[0], 0x34) << "the caller's bytes are not reversed where they lie";
    ClearFrames();
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kWord, 0x600, 2, 0), kOk);
    EXPECT_EQ(FramesIn().at(0), "00 12 5A 12 00 12 00 06 00 00 20 57 02 00 00 00 12 34 A5 81")
        << "sent again, the same order";
}

TEST_F(FirmMemory, WritesGoInPiecesOfAtMost64Bytes) {
    const Bytes data = Counting(150);
    std::copy(data.begin(), data.end(), g_firmWriteData.begin());
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x400, 150, 0), kOk);
    EXPECT_EQ(WriteCounts(), (std::vector<std::size_t>{64, 64, 22}));
    EXPECT_EQ(ReadTarget(0x400, 150), data);
}

TEST_F(FirmMemory, AboveTheTopAndInProgramFlashModeNothingIsAsked) {
    Bytes read(32, 0x11);
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x10000, 32, read.data()), kOk);
    EXPECT_EQ(read, Bytes(32, 0xFF));
    g_flashMirror[0xFFF8] = 0x5A;
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0xFFF8, 16, read.data()), kOk);
    EXPECT_EQ(read[0], 0x5A) << "the flash comes from the mirror";
    EXPECT_EQ(Bytes(read.begin() + 8, read.begin() + 16), Bytes(8, 0xFF)) << "above the top address";
    EXPECT_TRUE(FramesIn().empty());

    g_emuSel = connect_mode::kProgramFlash;
    read.assign(16, 0x11);
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x400, 16, read.data()), kOk);
    EXPECT_EQ(read, Bytes(16, 0x11)) << "the target is not asked while flash is programmed";
    EXPECT_TRUE(FramesIn().empty());
}

TEST_F(FirmMemory, FlashWritesChangeTheMirrorAndMarkTheirBlocks) {
    const Bytes data = {0xA1, 0xB2, 0xC3, 0xD4};
    std::copy(data.begin(), data.end(), g_firmWriteData.begin());
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kWord, 0xDFFE, 4, 0), kOk);
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xDFFE, g_flashMirror.begin() + 0xE002), data);
    EXPECT_EQ(g_flashBlocks.dirty[0], 1) << "the write ends block 0";
    EXPECT_EQ(g_flashBlocks.dirty[1], 1) << "and begins block 1";
    EXPECT_EQ(g_flashBlocks.dirty[2], 0);
    Bytes read(4);
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kWord, 0xDFFE, 4, read.data()), kOk);
    EXPECT_EQ(read, data) << "the mirror holds memory order for every access code";

    CFirmCommand().ClearFlashDirtyFlags();
    g_firmWriteData[0] = 0;
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0xEFFF, 1, 0), kOk);
    EXPECT_EQ(std::count(g_flashBlocks.dirty.begin(), g_flashBlocks.dirty.end(), 1), 1);
    EXPECT_EQ(g_flashBlocks.dirty[1], 1) << "the last byte of a block marks that block only";
}

TEST_F(FirmMemory, ANewResetVectorInTheMirrorIsKeptInTheSessionSettings) {
    g_firmWriteData[0] = 0x00;
    g_firmWriteData[1] = 0xC0;
    g_firmWriteData[2] = 0x00;
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0xFFFC, 3, 0), kOk);
    char text[16] = {};
    SessionIniGetString("USER_DATA", "RESET", "", text, sizeof(text));
    EXPECT_STREQ(text, "c000");
}

TEST_F(FirmMemory, AreaErrorsAreReportedOnceAndWriteNothing) {
    std::vector<std::string> pending;
    MonitorServices services;
    services.setPendingMessage = [&](const char* text) { pending.push_back(text); };
    SetMonitorServices(services);
    std::fill_n(g_firmWriteData.begin(), 16, BYTE{0x77});
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x2F8, 16, 0), kOutsideArea)
        << "from the I/O area beyond its end";
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x300, 1, 0), kOutsideArea) << "between I/O and RAM";
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0xBF8, 16, 0), kOutsideArea) << "past the RAM";
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(HostReports(), std::vector<std::string>(3, kAreaError));
    EXPECT_TRUE(pending.empty());

    g_deviceAreas[kAreaFlas].end = 0xEFFF;
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0xF000, 1, 0), kOutsideArea);
    EXPECT_EQ(pending, std::vector<std::string>{kAreaError}) << "above the flash it is also the monitor's message";
}

TEST_F(FirmMemory, WhileDownloadingOnlyTheDevicesOwnRegistersTakeWrites) {
    g_deviceValues.initialRegisters[0] = 0x0A;
    g_deviceValues.initialRegisterCount = 1;
    g_deviceValues.specialRegisters[0] = {0x0B, 0x01};
    CTargetMemoryVk3 memory(&host_);
    ASSERT_EQ(memory.OnDownload(0xFFFF), S_OK);
    ASSERT_TRUE(IsTargetBusy());
    g_firmWriteData[0] = 0x42;
    g_firmWriteData[1] = 0x43;
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x0A, 1, 0), kOk);
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x0B, 1, 0), kOk);
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x0A, 2, 0), kOutsideArea);
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x0C, 1, 0), kOutsideArea);
    EXPECT_EQ(ReadTarget(0x0A, 2), Bytes({0x42, 0x42}));
}

TEST_F(FirmMemory, TheMirrorHoldsTheLowMegabyteOnly) {
    UseDevice(Device::Vk33D64, 3);
    ASSERT_EQ(Control().installFirmware(), Q3V_SIM_OK);
    CFirmCommand().ResetFlashBlocks();
    ClearFrames();
    g_flashMirror[0xFFFFF] = 0x11;
    Bytes read(32);
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0xFFFF0, 32, read.data()), kOk);
    EXPECT_EQ(read[15], 0x11) << "below 1 MiB from the mirror";
    EXPECT_EQ(Bytes(read.begin() + 16, read.end()), Bytes(16, 0xFF)) << "above it from the chip";
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 0E 5A 11 00 0E 00 00 10 00 10 00 20 42 A5 81"});
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0xFFF000, 8, read.data()), kOk);
    EXPECT_EQ(std::string(read.begin(), read.begin() + 7), "Q3vFIRM") << "flash above it is the chip's";
    g_firmWriteData[0] = 0;
    EXPECT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0xFF0000, 1, 0), kOutsideArea)
        << "flash the mirror cannot hold is refused";
    EXPECT_EQ(CFirmCommand().RefreshFlashMirror(), kOk) << "blocks beyond the mirror are not refreshed";
    EXPECT_EQ(std::count(g_flashMirror.begin(), g_flashMirror.end(), BYTE{0xFF}),
              static_cast<std::ptrdiff_t>(kFlashMirrorSize - 1));
}

TEST_F(FirmMemory, AFillGoesIn128BytePiecesAndKeepsThePatternsPhase) {
    DWORD range[3] = {0x100, 0x100 + 299, 0};
    ASSERT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kWord, 0, 0x1234, 0, range), kOk);
    EXPECT_EQ(WriteCounts(), (std::vector<std::size_t>{128, 128, 44}));
    Bytes expected(300);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = i % 2 == 0 ? 0x34 : 0x12;
    }
    EXPECT_EQ(ReadTarget(0x100, 300), expected) << "each unit lies low byte first";

    ClearFrames();
    range[0] = 0x400;
    range[1] = 0x400 + 299;
    ASSERT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kFill3, 0, 0xAB123456, 0, range), kOk);
    for (std::size_t i = 0; i < expected.size(); ++i) {
        expected[i] = static_cast<BYTE>(0x123456 >> (8 * (i % 3)));
    }
    EXPECT_EQ(ReadTarget(0x400, 300), expected) << "the 3-byte pattern runs on across the pieces";

    ClearFrames();
    range[0] = 0x700;
    range[1] = 0x703;
    ASSERT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kAddress, 0, 0x99, 0, range), kOk);
    EXPECT_EQ(FramesIn().at(0).substr(30, 5), "20 42") << "other codes fill bytes";
    EXPECT_EQ(ReadTarget(0x700, 4), Bytes(4, 0x99));
}

TEST_F(FirmMemory, FillAreaErrorsAndEmptyRanges) {
    DWORD range[3] = {0x2F0, 0x310, 0};
    EXPECT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kByte, 0, 0x55, 0, range), kOutsideArea);
    EXPECT_EQ(HostReports(), std::vector<std::string>{kAreaError});
    EXPECT_TRUE(FramesIn().empty());

    g_emuSel = connect_mode::kProgramFlash;
    range[0] = 0xFFF0;
    range[1] = 0x1000F;
    EXPECT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kByte, 0, 0x55, 0, range), kOutsideArea);
    EXPECT_EQ(HostReports().size(), 1u) << "in program-flash mode without the message";
    g_emuSel = connect_mode::kEraseAndConnect;

    range[0] = 0x500;
    range[1] = 0x4FF;
    EXPECT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kByte, 0, 0x55, 0, range), kOk);
    EXPECT_TRUE(FramesIn().empty()) << "a range that runs backwards writes nothing";

    range[0] = 0xC000;
    range[1] = 0xC0FF;
    EXPECT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kLong, 0, 0x11223344, 0, range), kOk);
    EXPECT_EQ(g_flashMirror[0xC0FC], 0x44);
    EXPECT_EQ(g_flashBlocks.dirty[0], 1) << "flash is filled in the mirror";
}

TEST_F(FirmMemory, AFailedFillReportsWhereAndWhatItReadBack) {
    DWORD range[3] = {0x400, 0x4FF, 0};
    WriteTarget(0x480, {0x21, 0x43});
    Inject(Q3V_SIM_FAULT_VERIFY, 0, 1);
    EXPECT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kWord, 1, 0x1234, 0, range), 0x4254);
    EXPECT_EQ(range[0], 0x400u) << "the failing address the firmware reported";
    EXPECT_EQ(range[1], 0x1234u) << "the pattern";
    EXPECT_EQ(range[2], 0x1234u) << "the unit read back at the failing piece";
    EXPECT_EQ(ReadTarget(0x480, 2), Bytes({0x21, 0x43})) << "the fill stopped at the failing piece";
}

TEST_F(FirmMemory, AFillFailingInsideAPieceReportsTheFailingUnit) {
    // Byte 101 of the first piece (0x465, the middle of the unit from 0x464
    // in the fill's phase) does not take its value.
    DWORD range[3] = {0x401, 0x401 + 299, 0};
    Inject(Q3V_SIM_FAULT_VERIFY, 101, 1);
    EXPECT_EQ(CFirmCommand().WriteMemoryMonitor(access_code::kFill3, 1, 0x563412, 0, range), 0x4254);
    EXPECT_EQ(range[0], 0x464u) << "the failing unit";
    EXPECT_EQ(range[1], 0x563412u) << "the unit written";
    EXPECT_EQ(range[2], 0x56CB12u) << "the unit read back there";
}

TEST_F(FirmMemory, AWriteToTheDataFlashIsWrittenBackAtOnce) {
    g_firmWriteData[0] = 0x5C;
    ASSERT_EQ(CFirmCommand().WriteMemory(access_code::kByte, 0x2410, 1, 0), kOk);
    EXPECT_EQ(ReadTarget(0x2410, 1), Bytes{0x5C}) << "programmed into the chip's data flash";
    EXPECT_EQ(g_flashBlocks.dirty[3], 0);
    EXPECT_EQ(HostReports(), (std::vector<std::string>{" Flash memory writing ... ", " Flash memory write end "}));
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE) << "the firmware has the target again";
    Bytes read(1);
    ASSERT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x2410, 1, read.data()), kOk);
    EXPECT_EQ(read[0], 0x5C);
}

}  // namespace
}  // namespace linktest
