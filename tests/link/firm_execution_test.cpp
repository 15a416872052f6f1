// Registers, go, break registers, reset and the PC after a break, through the
// firmware and the simulated emulator.
#include "config/break_channels.h"
#include "link/event_engine_hooks.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "link/flash_services.h"
#include "config/target_config.h"
#include "tests/link/link_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace linktest {
namespace {

using namespace link_result;

constexpr std::size_t kPc = 14;
constexpr BYTE kNop = 0x04;
constexpr BYTE kBreak = 0x00;
constexpr DWORD kStopBreakInstruction = 0x4249;
constexpr DWORD kStopChannel = 0x4248;

class FirmExecution : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
        // The mirror as the chip holds it, so a go finds nothing to write back.
        CFirmCommand command;
        command.ResetFlashBlocks();
        ASSERT_EQ(command.RefreshFlashMirror(), kOk);
        ClearFrames();
    }
    void LoadProgram(DWORD address, const Bytes& code) {
        ASSERT_EQ(Control().writeTarget(address, code.data(), static_cast<DWORD>(code.size())), Q3V_SIM_OK);
    }
    void SetAddressBreak(std::size_t channel, DWORD address) {
        g_appliedBreakChannels[channel].enable = 1;
        g_appliedBreakChannels[channel].kind = kBreakKindAddress;
        g_appliedBreakChannels[channel].address = address;
    }
    // Lets the program run its instruction budget, as the next driver call
    // would.
    void RunABit() { Status(); }
};

TEST_F(FirmExecution, TheRegisterFileIsReadAndWritten) {
    std::array<DWORD, 20> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = 0x100 + static_cast<DWORD>(i);
    }
    values[kPc] = 0xC123;
    values[15] = 0x0ABCDE;
    ASSERT_EQ(CFirmCommand().WriteRegisterFile(values), kOk);
    std::array<DWORD, 20> model{};
    Control().getRegisters(model.data());
    EXPECT_EQ(model, values);
    std::array<DWORD, 20> read{};
    read.fill(0xFFFF0000);
    ASSERT_EQ(CFirmCommand().ReadRegisterFile(read), kOk);
    for (std::size_t i = 0; i < read.size(); ++i) {
        const DWORD high = i == kPc || i == 15 ? 0 : 0xFFFF0000;
        EXPECT_EQ(read[i], values[i] | high) << i << ": 16-bit values go into the low halves";
    }
}

TEST_F(FirmExecution, TheRegisterCacheByNumber) {
    g_registerImage.fill(0xFFFFFFFF);
    CFirmCommand command;
    DWORD value = 0;
    ASSERT_EQ(command.GetRegister(28, &value), kOk);
    EXPECT_EQ(value, 0xFFFFu) << "\"PC\" masked with the top address";
    ASSERT_EQ(command.GetRegister(31, &value), kOk);
    EXPECT_EQ(value, 0xFFFFFFu);
    ASSERT_EQ(command.GetRegister(4, &value), kOk);
    EXPECT_EQ(value, 0xFFFFu);
    std::array<DWORD, 20> all{};
    ASSERT_EQ(command.GetRegister(4096, all.data()), kOk);
    EXPECT_EQ(all[16], 0xFFFFu);
    const DWORD usp = 0x12345;
    ASSERT_EQ(command.SetRegister(34, &usp), kOk);
    EXPECT_EQ(g_registerImage[16], 0x2345u);
    EXPECT_EQ(command.GetRegister(200, &value), kAborted) << "no such register";
    EXPECT_EQ(command.SetRegister(200, &usp), kAborted);
}

TEST_F(FirmExecution, AProgramRunsToItsBreakInstruction) {
    LoadProgram(0x400, {kNop, kNop, kBreak});
    DWORD running = 0;
    MonitorServices services;
    services.setRunning = [&](DWORD value) { running = value; };
    SetMonitorServices(services);
    g_registerImage[kPc] = 0x400;
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kGo), kOk);
    EXPECT_EQ(running, 2u);
    EXPECT_EQ(g_launched, 1u);
    EXPECT_EQ(FramesIn().back(), "00 0E 5A 21 00 0E 00 FF FF FF FF FF FF FF FF 81");
    RunABit();
    EXPECT_EQ(Status().running, 0u);
    EXPECT_EQ(Status().stopWord, kStopBreakInstruction);
    EXPECT_EQ(Status().pc, 0x402u);
}

TEST_F(FirmExecution, TypeOneBreakRegistersStopTheProgramAtTheChannel) {
    LoadProgram(0x400, {kNop, kNop, kNop, kNop, kBreak});
    SetAddressBreak(0, 0x402);
    SetAddressBreak(1, 0x8888);
    g_registerImage[kPc] = 0x400;
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kGo), kOk);
    const std::vector<std::string> frames = FramesIn();
    EXPECT_NE(std::find(frames.begin(), frames.end(), "00 12 5A 12 00 12 09 00 00 00 20 42 01 00 00 00 03 00 A5 81"),
              frames.end())
        << "both channels enabled (the stop clears the enable register again)";
    EXPECT_EQ(ReadTarget(0x0010, 3), Bytes({0x02, 0x04, 0x00}));
    EXPECT_EQ(ReadTarget(0x0014, 3), Bytes({0x88, 0x88, 0x00}));
    EXPECT_EQ(FramesIn().back(), "00 0E 5A 21 00 0E 00 FF FF FF FF FF FF FF FF 81")
        << "the go request is put back after the register writes";
    RunABit();
    EXPECT_EQ(Status().stopWord, kStopChannel);
    EXPECT_EQ(Status().pc, 0x402u);
}

TEST_F(FirmExecution, TypeOneDataConditionGoesToTheBreakControlRegisters) {
    g_deviceValues.hwBreak = 1;
    g_deviceValues.regAbrc = 0x1AC;
    g_deviceValues.regBar = 0x1A8;
    g_deviceValues.regBdr = 0x1AA;
    BreakChannelRecord& data = g_appliedBreakChannels[2];
    data.enable = 1;
    data.kind = kBreakKindDataAccess;
    data.address = 0x0456;
    data.maskCode = 2;
    data.dataKind = 1;
    data.dataValue = 0xBEEF;
    data.direction = 10;
    ASSERT_EQ(CFirmCommand().ProgramBreakRegisters(), kOk);
    EXPECT_EQ(ReadTarget(0x1AC, 1), Bytes{0x65});
    EXPECT_EQ(ReadTarget(0x1A8, 2), Bytes({0x56, 0x04})) << "two address bytes for this device";
    EXPECT_EQ(ReadTarget(0x1AA, 2), Bytes({0xEF, 0xBE}));
}

TEST_F(FirmExecution, ProtocolTypeZeroAndTheEmulationModeCarryTheBreaksInTheGoRequest) {
    SetAddressBreak(0, 0x1234);
    g_appliedBreakChannels[1] = g_appliedBreakChannels[0];
    g_appliedBreakChannels[1].enable = 0;  // disabled: not carried
    g_targetConfig->SetEmulationMode(1);
    CFirmCommand command;
    ASSERT_EQ(command.Go(), kOk);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 0E 5A 21 00 0E 01 34 12 00 00 FF FF FF FF 81"})
        << "no register is touched";
}

TEST_F(FirmExecution, TheGuardedDeviceGroupTouchesNothingWithoutChannels) {
    UseDevice(Device::Vk32D64, 2);
    ASSERT_EQ(Control().installFirmware(), Q3V_SIM_OK);
    g_deviceValues.deviceName = "VK34D64";
    ClearFrames();
    EXPECT_EQ(CFirmCommand().ProgramBreakRegisters(), kOk);
    EXPECT_TRUE(FramesIn().empty());
    SetAddressBreak(3, 0x12345);
    EXPECT_EQ(CFirmCommand().ProgramBreakRegisters(), kOk);
    EXPECT_EQ(ReadTarget(0x0009, 1), Bytes{0x88}) << "channel 3's bit with the extra enable bit";
    EXPECT_EQ(ReadTarget(0x001C, 3), Bytes({0x45, 0x23, 0x01}));
    EXPECT_EQ(ReadTarget(0x1BF, 1), Bytes{0x00}) << "the guard register is set and cleared again";
}

TEST_F(FirmExecution, WithTheEventFunctionTheChannelsGoToTheEventEngine) {
    struct Engine : IEventEngineHooks {
        bool SetAddressInterrupt(DWORD channel, DWORD address, LONG enable) override {
            calls.push_back({channel, address, static_cast<DWORD>(enable)});
            return true;
        }
        void StartEvents(LONG flag) override { starts.push_back(flag); }
        void StopEvents() override {}
        std::vector<std::array<DWORD, 3>> calls;
        std::vector<LONG> starts;
    } provider;
    g_swtiSupported = 1;
    SetEventEngineHooks(&provider);
    SetAddressBreak(1, 0x777);
    g_suspendState.state = 1;
    EXPECT_EQ(CFirmCommand().ProgramBreakRegisters(), kOk);
    EXPECT_EQ(provider.starts, std::vector<LONG>{0});
    EXPECT_EQ(provider.calls, (std::vector<std::array<DWORD, 3>>{{0, 0, 0}, {1, 0x777, 1}}));
    SetEventEngineHooks(nullptr);
    g_suspendState = SuspendState{};
    g_swtiSupported = 0;
}

TEST_F(FirmExecution, WithTheEventFunctionButNoEventEngineTheBreakStepIsSkipped) {
    g_swtiSupported = 1;
    SetAddressBreak(0, 0x402);
    EXPECT_EQ(CFirmCommand().ProgramBreakRegisters(), kOk) << "nothing to apply the channels to";
    LoadProgram(0x400, {kNop, kNop, kNop, kBreak});
    g_registerImage[kPc] = 0x400;
    EXPECT_EQ(CFirmCommand().StartExecution(run_mode::kGo), kOk);
    RunABit();
    EXPECT_EQ(Status().stopWord, kStopBreakInstruction) << "the go went out and the program ran";
    g_swtiSupported = 0;
}

TEST_F(FirmExecution, ThePcMovesBackOnlyToAnArmedAddressBreak) {
    g_registerImage[kPc] = 0x502;
    g_appliedBreakChannels[0] = {};
    g_appliedBreakChannels[0].kind = kBreakKindAddress;
    g_appliedBreakChannels[0].address = 0x501;  // disabled
    SetAddressBreak(3, 0x500);
    CFirmCommand().AdjustPcAfterBreak();
    EXPECT_EQ(g_registerImage[kPc], 0x500u);
    g_registerImage[kPc] = 0x600;
    CFirmCommand().AdjustPcAfterBreak();
    EXPECT_EQ(g_registerImage[kPc], 0x600u) << "nothing matches";
}

TEST_F(FirmExecution, ASuspendedTargetResumesWithATemporaryBreakAtItsAddress) {
    LoadProgram(0x400, {kNop, kNop, kNop, kBreak});
    CFirmCommand command;
    ASSERT_EQ(command.SaveByteForSuspend(0x402), kOk);
    EXPECT_EQ(g_suspendState.byte, kNop);
    g_registerImage[kPc] = 0x400;
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kStepOver), kOk);
    EXPECT_EQ(g_runMode, run_mode::kGo) << "the step over becomes a go";
    EXPECT_TRUE(g_appliedBreakChannels[0].IsAddressBreak());
    EXPECT_EQ(g_appliedBreakChannels[0].address, 0x402u);
    EXPECT_EQ(g_appliedBreakChannels[0].pcBefore, 1u);
    RunABit();
    EXPECT_EQ(Status().pc, 0x402u);
    command.ClearSuspendState();
    EXPECT_EQ(g_suspendState.state, 0u);
}

TEST_F(FirmExecution, AProtocolTypeFourStepStopsAtTheNextInstructionOrIsRefused) {
    UseDevice(Device::Vk31D16, 4);
    ASSERT_EQ(Control().installFirmware(), Q3V_SIM_OK);
    CFirmCommand().ResetFlashBlocks();
    ASSERT_EQ(CFirmCommand().RefreshFlashMirror(), kOk);
    LoadProgram(0x400, {0xEF, 0x10, kNop, kBreak});  // a call of two bytes
    g_registerImage[kPc] = 0x400;
    ClearFrames();
    ASSERT_EQ(CFirmCommand().StartExecution(run_mode::kStep), kOk);
    EXPECT_EQ(g_appliedBreakChannels[0].address, 0x402u) << "after the two-byte call, never address 0";
    EXPECT_EQ(FramesIn().back().substr(18, 2), "04") << "one instruction";

    g_appliedBreakChannels = {};
    LoadProgram(0x500, {0xFE, 0x00});  // a jump: where it goes is not known here
    g_registerImage[kPc] = 0x500;
    ClearFrames();
    EXPECT_EQ(CFirmCommand().StartExecution(run_mode::kStep), kAborted);
    EXPECT_FALSE(g_appliedBreakChannels[0].IsAddressBreak());
    for (const std::string& frame : FramesIn()) {
        EXPECT_NE(frame.substr(6, 5), "5A 21") << "no go is sent";
    }
}

TEST_F(FirmExecution, ResetByProtocolType) {
    g_registerImage[kPc] = 0x400;
    LoadProgram(0x400, {kNop, kNop, kNop, kNop});
    EXPECT_EQ(CFirmCommand().ResetTarget(), kOk) << "type 1: through the adapter's reset register";
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);

    // Types 2 to 4: the adapter's CPU reset really resets the CPU.
    UseDevice(Device::Vk32D64, 2);
    StartFirmware();
    ASSERT_EQ(Control().setRegisters(std::vector<DWORD>(20, 0x55).data()), Q3V_SIM_OK);
    EXPECT_EQ(CFirmCommand().ResetTarget(), kOk);
    std::vector<DWORD> registers(20, 1);
    ASSERT_EQ(Control().getRegisters(registers.data()), Q3V_SIM_OK);
    EXPECT_EQ(registers, std::vector<DWORD>(20, 0)) << "the registers came out of reset";
    EXPECT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
    ClearFrames();

    // Type 0: the firmware's reset request, and the monitor access opened
    // (it always opens, so the reset's answer stays the request's).
    g_protocolType = 0;
    EXPECT_EQ(CFirmCommand().ResetTarget(), kOk);
    EXPECT_EQ(FramesIn(), std::vector<std::string>{"00 06 5A 41 00 06 A5 81"});
    EXPECT_TRUE(g_monitorAccess.IsOpen());
}

}  // namespace
}  // namespace linktest
