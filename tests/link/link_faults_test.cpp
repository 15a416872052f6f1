// The link under faults, through the simulated emulator's module: a stop, a
// break pulse, a CPU reset and the adapter-register writes that meet a lost
// link or a target without power, and blocks of the mirror that fail to
// load. Each must end in an error and leave nothing behind that a later
// operation would take for success.
#include "link/adapter_registers.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "tests/link/link_fixture.h"

#include "platform/ui_script.h"

#include <gtest/gtest.h>

#include <array>

namespace linktest {
namespace {

using namespace link_result;
namespace reg = adapter_register;

constexpr std::size_t kPc = 14;
// A jump to itself: the program runs until something stops it.
const Bytes kLoop = {0xFE, 0xFF};

class LinkFaults : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
    }
    // A program running under the firmware.
    void RunLoop() {
        ASSERT_EQ(Control().writeTarget(0x400, kLoop.data(), static_cast<DWORD>(kLoop.size())), Q3V_SIM_OK);
        g_registerImage[kPc] = 0x400;
        ASSERT_EQ(Control().setRegisters(std::vector<DWORD>{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x400, 0, 0,
                                                            0x800, 0, 0}
                                             .data()),
                  Q3V_SIM_OK);
        ASSERT_EQ(CFirmCommand().Go(), kOk);
        ASSERT_EQ(Status().running, 1u);
    }
    // The connector has just been checked, so the next check within half a
    // second reads nothing: the operation's own register accesses come first.
    void ConnectorJustChecked() {
        clock_.Advance(1000);
        ASSERT_EQ(Link().CheckConnector(), kOk);
    }
    bool BreakLineHigh() const { return (ReadRegister(reg::kStatus)[0] & reg::kBreakPulse) != 0; }
};

TEST_F(LinkFaults, AStopOnALostLinkFailsAndTheLinkStaysLost) {
    RunLoop();
    ConnectorJustChecked();
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_EQ(Link().BreakTarget(), kTimeout) << "a status that cannot be read is no stopped target";
    EXPECT_TRUE(Link().IsLinkLost());
    Inject(Q3V_SIM_FAULT_LINK_LOST, 0, 0);
    EXPECT_EQ(Status().running, 1u) << "nothing stopped the program";
}

TEST_F(LinkFaults, ARunStateAnsweredWithAnythingButARunStateReplyFails) {
    // The program stopped by the break line: the stop word is "BK".
    RunLoop();
    ConnectorJustChecked();
    ASSERT_EQ(Link().BreakTarget(), kOk);
    const struct {
        const char* what;
        DWORD fault;
        DWORD value;
    } cases[] = {
        {"a bare acknowledge", Q3V_SIM_FAULT_BARE_ACK, 0x5A},
        {"a negative acknowledge", Q3V_SIM_FAULT_NAK, 0},
        {"another command's reply", Q3V_SIM_FAULT_CORRUPT_REPLY, 3},
        {"no pad", Q3V_SIM_FAULT_CORRUPT_REPLY, 18},
    };
    for (const auto& c : cases) {
        Link().SetOpen(1);
        g_firmReplyBuffer.fill(0);
        Inject(c.fault, c.value, 1);
        EXPECT_NE(Link().QueryRunState(0), kOk) << c.what << ": the stop word would be read from nothing";
        EXPECT_TRUE(Link().IsLinkLost()) << c.what;
    }
    Link().SetOpen(1);
    EXPECT_EQ(Link().QueryRunState(0), kOk);
    EXPECT_EQ(Bytes(g_firmReplyBuffer.begin() + 6, g_firmReplyBuffer.begin() + 8), Bytes({'K', 'B'}));
}

TEST_F(LinkFaults, TheAdapterRegisterWritesAnswerTheLinksWords) {
    Inject(Q3V_SIM_FAULT_LINK_LOST, 1, 0);
    EXPECT_EQ(Link().WriteAdapterRegister20(3), kTimeout);
    EXPECT_TRUE(Link().IsLinkLost()) << "the driver's failure marks the link lost";
    g_emuSel = connect_mode::kProgramFlash;
    EXPECT_EQ(Channel().SetAdapterRegister28(), kTimeout);
    Inject(Q3V_SIM_FAULT_LINK_LOST, 0, 0);
    EXPECT_EQ(Channel().SetAdapterRegister28(), kOk);
    EXPECT_EQ(ReadRegister(reg::kResetRelease), Bytes({0x00, 0x01, 0x00, 0x00}));
    // The model refuses the CPU reset code of types 2 to 4 on a type 1 target.
    Link().SetOpen(1);
    EXPECT_EQ(Link().WriteAdapterRegister20(4), kTimeout);
}

TEST_F(LinkFaults, AnInterruptedBreakPulseLeavesTheLineLowForTheNextStop) {
    // The stop's driver calls: the status read (1), the pulse's rising read
    // and write (2, 3), its falling read and write (4, 5).
    for (const DWORD failing : {DWORD{4}, DWORD{5}}) {
        SCOPED_TRACE(failing);
        ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
        StartFirmware();
        RunLoop();
        ConnectorJustChecked();
        // The link is gone for that one call and back for the next.
        ASSERT_EQ(Control().injectFaultAfterDriverCalls(failing, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
        ASSERT_EQ(Control().injectFaultAfterDriverCalls(failing + 1, Q3V_SIM_FAULT_LINK_LOST, 0, 0), Q3V_SIM_OK);
        EXPECT_EQ(Link().BreakTarget(), kTimeout);
        EXPECT_FALSE(BreakLineHigh()) << "the failed pulse is followed by the line lowered";
    }
    // The link stays away for the rest of the stop: nothing lowers the line
    // then, so the next stop lowers it before it raises it.
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    StartFirmware();
    RunLoop();
    ConnectorJustChecked();
    ASSERT_EQ(Control().injectFaultAfterDriverCalls(4, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    EXPECT_EQ(Link().BreakTarget(), kTimeout);
    Control().clearFaults();
    EXPECT_TRUE(BreakLineHigh());
    ASSERT_EQ(Link().ResetAndInitMonitor(), kOk) << "the monitor restart";
    // The rising edge did stop the program; it runs again, and the next stop
    // needs an edge of its own.
    ASSERT_EQ(CFirmCommand().Go(), kOk);
    ASSERT_EQ(Status().running, 1u);
    EXPECT_EQ(Link().BreakTarget(), kOk);
    EXPECT_EQ(Status().running, 0u);
    EXPECT_EQ(Status().stopWord, 0x424Bu) << "stopped by the break line";
    EXPECT_FALSE(BreakLineHigh());
}

TEST_F(LinkFaults, ACpuResetWithoutTargetPowerAnswersThePowerError) {
    const struct {
        Device device;
        DWORD protocolType;
    } cases[] = {{Device::Vk31D16, 1}, {Device::Vk32D64, 2}, {Device::Vk33D64, 3}, {Device::Vk31D16, 4}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.protocolType);
        UseDevice(c.device, c.protocolType);
        StartFirmware();
        EXPECT_EQ(CFirmCommand().ResetTarget(), kOk);
        Inject(Q3V_SIM_FAULT_TARGET_POWER, 0, 0);
        EXPECT_EQ(CFirmCommand().ResetTarget(), kNoTargetPower);
        Inject(Q3V_SIM_FAULT_TARGET_POWER, 1, 0);
        // A power bit that cannot be read is a lost link.
        StartFirmware();
        ASSERT_EQ(Control().injectFaultAfterDriverCalls(2, Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
        EXPECT_EQ(CFirmCommand().ResetTarget(), kTimeout);
        EXPECT_TRUE(Link().IsLinkLost());
        Control().clearFaults();
    }
}

TEST_F(LinkFaults, AnUnattendedConnectorCheckPausesBetweenTriesAndEndsWhenTheBoxComesBackUnchanged) {
    // Nobody answers: each box gets its default button, Retry (or OK).
    platform::ScriptedUiDriver unattended;
    Inject(Q3V_SIM_FAULT_CONNECTOR, 1, 0);
    clock_.Advance(1000);
    DWORD start = clock_.Now();
    EXPECT_EQ(Link().CheckConnector(), kNotConnected);
    EXPECT_EQ(unattended.MessageBoxes().size(), std::size_t{platform::kUnchangedBoxLimit});
    EXPECT_GE(clock_.Now() - start, DWORD{platform::kUnchangedBoxLimit - 1} * 500)
        << "each try waits on the platform clock";
    EXPECT_EQ(unattended.Failures().size(), 1u) << "the driver says it answered Cancel";

    // The connector question at the start of the power-up loops the same way.
    start = clock_.Now();
    EXPECT_EQ(Channel().Open(), kAborted);
    EXPECT_EQ(g_linkStopByte, kLinkStopRequested);
    EXPECT_EQ(unattended.MessageBoxes().size(), std::size_t{2 * platform::kUnchangedBoxLimit});
    EXPECT_GE(clock_.Now() - start, DWORD{platform::kUnchangedBoxLimit - 1} * 500);
    Inject(Q3V_SIM_FAULT_CONNECTOR, 0, 0);
}

TEST_F(LinkFaults, ABlockThatFailsToLoadStaysUnloadedAndItsFailureIsAnswered) {
    CFirmCommand().ResetFlashBlocks();
    g_emuSel = connect_mode::kCpuRewriteMode;
    const Bytes code = {1, 2, 3, 4};
    ASSERT_EQ(Control().writeTarget(0xC000, code.data(), 4), Q3V_SIM_OK);
    ASSERT_EQ(Control().writeTarget(0xE000, code.data(), 4), Q3V_SIM_OK);
    // The first block's first read is answered "RS"; the second block loads.
    Inject(Q3V_SIM_FAULT_TARGET_RESET, 0, 1);
    CFirmCommand command;
    EXPECT_EQ(command.LoadFlashBlocks(0xC000, 0xEFFF), kTargetReset) << "the first failure, not the last result";
    EXPECT_EQ(g_flashBlocks.loaded[0], 0) << "read again next time";
    EXPECT_EQ(g_flashBlocks.loaded[1], 1);
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xE000, g_flashMirror.begin() + 0xE004), code);
    ClearFrames();
    EXPECT_EQ(command.LoadFlashBlocks(0xC000, 0xEFFF), kOk);
    EXPECT_EQ(FramesIn().size(), 64u) << "only the failed 8 KiB block, in 128-byte pieces";
    EXPECT_EQ(g_flashBlocks.loaded[0], 1);
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xC000, g_flashMirror.begin() + 0xC004), code);
}

}  // namespace
}  // namespace linktest
