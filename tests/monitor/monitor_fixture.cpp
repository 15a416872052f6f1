#include "tests/monitor/monitor_fixture.h"

#include "config/break_channels.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "monitor/flash_mode.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "link/monitor_data.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"

namespace monitortest {

void ResetMonitorState() {
    g_breakChannels = {};
    g_appliedBreakChannels = {};
    g_monitorBreakTable = {};
    g_monitorBreakCount = 0;
    g_currentBreakKind = BreakKindSetting{};
    g_haltHeld = 0;
    g_savedStatusBlock = SavedStatusBlock{};
    g_monitorOutputUsed = 0;
    g_monitorReplyState = 0;
    g_monitorData = CMonitorDataBuffer{};
    g_linkParameterKept = 0;
    g_stepInterruptOption = 0;
    g_userResetBytes = UserResetBytes{};
    g_breakStatusFlag = 0;
    g_linkStopByte = 0;
    g_linkBreakFlag = 0;
    g_linkHold = 0;
    g_targetSuspendRequest = 0;
    g_monitorRunState = MonitorRunState{};
    g_stepRequest = StepRequest{};
    g_goBreakEntry = -1;
    g_reitKeptStack = kNothingKept;
    g_reitKeptFlags = kNothingKept;
    g_startRunMode = run_mode::kGo;
    g_runMode = run_mode::kGo;
    g_launched = 0;
    g_flashMode = 0;
    g_suspendState = SuspendState{};
}

void MonitorTest::SetUp() {
    LinkTest::SetUp();
    UseDevice(Device::Vk31D16, 1);
}

void MonitorTest::UseDevice(Device device, DWORD protocolType) {
    g_haltControl.reset();
    g_runStateMonitor.reset();
    g_monitorEngine.reset();
    g_monitorControl.reset();
    linktest::UseDevice(device, protocolType);
    g_deviceValues.chipId = kChipId;
    g_deviceValues.firmId = kFirmId;
    g_deviceValues.reginiStack = kInitialStack;
    g_deviceValues.reginiCcr = kInitialFlags;
    ResetMonitorState();
    StartFirmware();
    g_monitorControl = std::make_unique<CMonitorControl>();
    g_monitorEngine = std::make_unique<CMonitorEngine>();
    g_runStateMonitor = std::make_unique<CRunStateMonitor>();
    ASSERT_EQ(g_runStateMonitor->Reset(), 0u);
    g_haltControl = std::make_unique<CHaltControl>();
    ASSERT_EQ(g_haltControl->Clear(), 0u);
    ASSERT_EQ(CFirmCommand().RefreshFlashMirror(), 0);
    ClearFrames();
}

void MonitorTest::TearDown() {
    g_haltControl.reset();
    g_runStateMonitor.reset();
    g_monitorEngine.reset();
    g_monitorControl.reset();
    ResetMonitorState();
    LinkTest::TearDown();
}

std::string MonitorTest::Output() {
    const auto payload = g_monitorData.Payload();
    return std::string(reinterpret_cast<const char*>(payload.data()), g_monitorOutputUsed);
}

void MonitorTest::LoadProgram(DWORD address, const Bytes& code) {
    ASSERT_EQ(Control().writeTarget(address, code.data(), static_cast<DWORD>(code.size())), Q3V_SIM_OK);
}

std::vector<std::string> MonitorTest::GoFrames() const {
    std::vector<std::string> frames;
    for (const std::string& frame : FramesIn()) {
        if (frame.starts_with("00 0E 5A 21")) {
            frames.push_back(frame);
        }
    }
    return frames;
}

}  // namespace monitortest
