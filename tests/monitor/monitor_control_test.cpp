// Monitor control through the link and the simulated emulator: the version
// check, the register image set up from the reset vector, the restart, the
// firmware download, the target reset and the link parameter; the link's
// reset operations re-initialising the monitor through it.
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_data.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <array>

namespace monitortest {
namespace {

using namespace link_result;

constexpr DWORD kEFail = 0x80004005;

class MonitorControl : public MonitorTest {
protected:
    CMonitorControl& Control_() { return *g_monitorControl; }
    std::array<DWORD, 20> Registers() const {
        std::array<DWORD, 20> values{};
        Control().getRegisters(values.data());
        return values;
    }
    void ScrambleRegisters() {
        std::array<DWORD, 20> values{};
        values.fill(0x1111);
        Control().setRegisters(values.data());
        g_registerImage.fill(0x2222);
    }
    void SetResetVector(std::array<BYTE, 4> bytes) {
        g_userResetBytes.bytes = bytes;
        g_userResetBytes.count = 3;
    }
};

TEST_F(MonitorControl, TheVersionCheckComparesTextAndValue) {
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0u);
    g_deviceValues.firmId = std::string(kFirmId) + " and more";
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0u) << "the first 12 characters are compared";
    g_deviceValues.firmId = kFirmId;
    g_deviceValues.chipId = 0x0193;
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFFu) << "the value's low byte differs";
    g_deviceValues.chipId = 0x1192;
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0u) << "only the low byte is compared";
    g_deviceValues.firmId = "Q3vKQ14V1.01";
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFEu) << "another text, whatever the value";
    g_deviceValues.chipId = 0x0093;
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFEu);
    g_deviceValues.firmId = "Q3vKQ14";
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFEu) << "a shorter text differs";
}

TEST_F(MonitorControl, AFailedSlowOrInterruptedVersionRequest) {
    Inject(Q3V_SIM_FAULT_NAK, 0, 1);
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFEu) << "the request failed";
    Link().SetLost(0);
    Inject(Q3V_SIM_FAULT_DELAY, 2500, 1);
    EXPECT_EQ(Control_().CheckMonitorVersion(), kEFail) << "a right answer after 2,500 ms";
    Inject(Q3V_SIM_FAULT_DELAY, 1900, 1);
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0u);
    g_linkBreakFlag = 1;
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0u) << "a break flag without the break-in byte";
    g_linkStopByte = kLinkStopRequested;
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFDu);
    g_deviceValues.firmId = "another";
    EXPECT_EQ(Control_().CheckMonitorVersion(), 0xFFFDu) << "the break-in decides first";
}

TEST_F(MonitorControl, InitMonitorSetsTheRegistersFromTheDeviceAndTheResetVector) {
    ScrambleRegisters();
    SetResetVector({0x34, 0x12, 0x00, 0xFF});
    EXPECT_EQ(Control_().InitMonitor(), kOk);
    std::array<DWORD, 20> expected{};
    expected[kPc] = 0x1234;
    expected[kIsp] = kInitialStack;
    expected[kFlg] = kInitialFlags;
    EXPECT_EQ(Registers(), expected);
    for (std::size_t i = 0; i < 20; ++i) {
        EXPECT_EQ(g_registerImage[i], expected[i]) << "read back into the image: " << i;
    }
    EXPECT_EQ(g_registerImage[30], 0u) << "the rest of the image is cleared";
}

TEST_F(MonitorControl, TheStartAddressKeepsTwentyFourBitsForProtocolTypeThree) {
    struct Case {
        Device device;
        DWORD type;
        std::array<BYTE, 4> vector;
        DWORD pc;
    };
    const Case cases[] = {
        {Device::Vk33D64, 3, {0x34, 0x12, 0x1F, 0xFF}, 0x1F1234}, {Device::Vk33D64, 3, {0x34, 0x12, 0x0F, 0xFF}, 0xF1234},
        {Device::Vk32D64, 2, {0x34, 0x12, 0x1F, 0xFF}, 0xF1234},  {Device::Vk31D16, 1, {0x34, 0x12, 0x1F, 0xFF}, 0xF1234},
        {Device::Vk31D16, 1, {0xFF, 0xFF, 0xFF, 0xFF}, 0xFFFFF},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        UseDevice(c.device, c.type);
        SetResetVector(c.vector);
        EXPECT_EQ(Control_().InitMonitor(), kOk);
        EXPECT_EQ(g_registerImage[kPc], c.pc);
    }
}

TEST_F(MonitorControl, ProtocolTypeZeroReadsTheResetVectorFromTheTarget) {
    UseDevice(Device::Vk31D16, 0);
    g_deviceValues.setAddr[6] = 0x0600;
    LoadProgram(0x0600, {0x78, 0x56, 0x04, 0x99});
    ScrambleRegisters();
    EXPECT_EQ(Control_().InitMonitor(), kOk);
    EXPECT_EQ(g_userResetBytes.bytes, (std::array<BYTE, 4>{0x78, 0x56, 0x04, 0x99}));
    EXPECT_EQ(Registers()[kPc], 0x45678u);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_EQ(frames.size(), 3u);
    EXPECT_TRUE(frames[0].starts_with("00 0E 5A 11 00 0E 00 06 00 00 04")) << frames[0];
    EXPECT_TRUE(frames[1].starts_with("00 30 5A 32")) << "the register file written";
    EXPECT_EQ(frames[2], "00 06 5A 31 00 06 A5 81") << "and read back";

    Inject(Q3V_SIM_FAULT_NAK, 0, 1);
    EXPECT_EQ(Control_().InitMonitor(), 0xFFFF) << "the vector cannot be read";
}

TEST_F(MonitorControl, ProgrammingTheFlashOnlyTouchesNoRegisterOfTheTarget) {
    g_emuSel = connect_mode::kProgramFlash;
    g_registerImage.fill(0x2222);
    EXPECT_EQ(Control_().InitMonitor(), kOk);
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(g_registerImage[kPc], 0x2222u) << "the start address stays";
    EXPECT_EQ(g_registerImage[kIsp], kInitialStack);
    EXPECT_EQ(g_registerImage[kFlg], kInitialFlags);
    EXPECT_EQ(g_registerImage[0], 0u);
}

TEST_F(MonitorControl, AFailedRegisterWriteFailsTheInitialisation) {
    Inject(Q3V_SIM_FAULT_NAK, 0, 1);
    EXPECT_EQ(Control_().InitMonitor(), 0xFFFF);
}

TEST_F(MonitorControl, TheRestartInitialisesAndLooksForABreakIn) {
    SetResetVector({0x00, 0x05, 0x00, 0xFF});
    const std::uint64_t slept = clock_.SleptMilliseconds();
    EXPECT_EQ(Control_().RestartMonitor(), kOk);
    EXPECT_GE(clock_.SleptMilliseconds() - slept, 10u);
    EXPECT_EQ(Registers()[kPc], 0x500u);
    g_linkBreakFlag = 1;
    g_linkStopByte = kLinkStopRequested;
    EXPECT_EQ(Control_().RestartMonitor(), 0xFFFF);
    g_linkBreakFlag = 0;
    g_linkStopByte = 0;
    Inject(Q3V_SIM_FAULT_NAK, 0, 1);
    EXPECT_EQ(Control_().RestartMonitor(), 0xFFFF);
}

TEST_F(MonitorControl, ALinkResetReinitialisesTheMonitorAndForgetsTheLinkParameter) {
    SetResetVector({0x00, 0x05, 0x00, 0xFF});
    ScrambleRegisters();
    g_linkParameterKept = 7;
    EXPECT_EQ(Link().ResetMonitor(), kOk);
    EXPECT_EQ(Registers()[kPc], 0x500u);
    EXPECT_EQ(Registers()[kIsp], kInitialStack);
    EXPECT_EQ(g_linkParameterKept, 0u);
    g_linkParameterKept = 7;
    ScrambleRegisters();
    EXPECT_EQ(Link().ResetAndInitMonitor(), kOk);
    EXPECT_EQ(Registers()[kIsp], kInitialStack);
    EXPECT_EQ(g_linkParameterKept, 0u);
}

TEST_F(MonitorControl, ACpuResetThatAReplyReportsReinitialisesTheMonitor) {
    SetResetVector({0x00, 0x05, 0x00, 0xFF});
    Inject(Q3V_SIM_FAULT_TARGET_RESET, 0, 1);
    BYTE byte = 0;
    EXPECT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x500, 1, &byte), kTargetReset);
    std::array<DWORD, 20> expected{};
    expected[kPc] = 0x500;
    expected[kIsp] = kInitialStack;
    expected[kFlg] = kInitialFlags;
    EXPECT_EQ(Registers(), expected);
    // While the program runs the reset is the run-state monitor's to report.
    g_runStateMonitor->SetRunning(1);
    ScrambleRegisters();
    Inject(Q3V_SIM_FAULT_TARGET_RESET, 0, 1);
    EXPECT_EQ(CFirmCommand().ReadMemory(access_code::kByte, 0x500, 1, &byte), kTargetReset);
    EXPECT_EQ(g_registerImage[kIsp], 0x2222u);
}

TEST_F(MonitorControl, TheResetCommandResetsTheTargetAndReportsAFailure) {
    SetResetVector({0x00, 0x05, 0x00, 0xFF});
    ScrambleRegisters();
    EXPECT_EQ(Engine().ResetMonitorCommand(), kOk);
    EXPECT_EQ(Output(), "");
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
    EXPECT_EQ(Registers()[kPc], 0x500u);
    Link().SetLost(1);
    EXPECT_EQ(Engine().ResetMonitorCommand(), kTimeout);
    EXPECT_EQ(Output(), std::string(" ** ERROR\r\n\0", 12));
}

TEST_F(MonitorControl, TheTargetResetGoesThroughTheFirmwareCommand) {
    LoadProgram(0x500, {kNop, kNop, 0xFE, 0xFD});
    g_registerImage[kPc] = 0x500;
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kGo), kOk);
    ASSERT_EQ(Status().running, 1u);
    EXPECT_EQ(Control_().ResetTarget(), 0u);
    EXPECT_EQ(Status().running, 0u) << "the CPU reset stops the program";
    EXPECT_EQ(ReadRegister(0x400020), Bytes({0x00, 0x03, 0x00, 0x00}));
}

TEST_F(MonitorControl, TheFirmwareDownloadClearsTheDirtyFlagsOnlyWhenItSucceeds) {
    Control().reset();
    ASSERT_EQ(Link().Open(), kOk);
    ASSERT_EQ(Channel().UnlockWithIdCode(), kOk);
    const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
    const Bytes writer = emutest::Slice(image, image.begin()->first, image.size());
    ASSERT_EQ(Channel().SetDataBlock(0, static_cast<WORD>(writer.size()), writer.data()), kOk);
    ASSERT_EQ(Channel().SendDataBlock(), kOk);
    g_flashBlocks.dirty[1] = 1;
    EXPECT_EQ(Control_().DownloadFirmware(0), kOk);
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    EXPECT_EQ(g_flashBlocks.dirty[1], 0);
    g_flashBlocks.dirty[1] = 1;
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_NE(Control_().DownloadFirmware(0), kOk);
    EXPECT_EQ(g_flashBlocks.dirty[1], 1);
}

TEST_F(MonitorControl, TheLinkParameterAndTheBaudRate) {
    EXPECT_EQ(SetLinkParameter(5), 1) << "the link takes no parameter and answers 1";
    EXPECT_EQ(g_linkParameterKept, 0u) << "so nothing is kept";
    EXPECT_EQ(SetLinkParameter(5), 1);
    EXPECT_EQ(SetLinkParameter(0), kOk) << "the value kept: no call";
    EXPECT_TRUE(FramesIn().empty());

    EXPECT_EQ(Control_().SetAdapterBaudRate(2), kOk);
    Link().SetLost(1);
    EXPECT_EQ(Control_().SetAdapterBaudRate(2), kTimeout);
    EXPECT_FALSE(Control_().SelectDefaultDeviceName());
}

TEST_F(MonitorControl, ZeroInitialisationWritesTheSixRegisters) {
    UseDevice(Device::Vk32D64, 2);
    LoadProgram(0xFFC6, {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA});
    EXPECT_EQ(ZeroInitRegisterList(), kOk);
    EXPECT_EQ(ReadTarget(0xFFC6, 10), Bytes({0x11, 0x22, 0, 0, 0, 0, 0, 0, 0x99, 0xAA}));
    EXPECT_EQ(FramesIn().size(), 6u) << "one byte write each";
    ClearFrames();
    Inject(Q3V_SIM_FAULT_NAK, 0, 1);
    EXPECT_NE(ZeroInitRegisterList(), kOk);
    EXPECT_EQ(FramesIn().size(), 1u) << "the first failure ends the list";
}

}  // namespace
}  // namespace monitortest
