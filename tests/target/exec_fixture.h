// The run-control handler over the real link and monitor engine, with the
// simulated emulator's firmware running a loop in flash (C000 NOP, NOP, NOP,
// JMP.B C000) and the simulated host's register array at its start.
#pragma once

#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_run_state.h"
#include "monitor/run_state_monitor.h"
#include "config/device_data.h"
#include "target/target_exec_vk3.h"
#include "tests/link/link_fixture.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace linktest {

constexpr std::size_t kPcIndex = 14;
constexpr std::size_t kIspIndex = 17;

class ExecFixture : public LinkTest {
protected:
    explicit ExecFixture(DWORD protocolType) : protocolType_(protocolType) {}

    void SetUp() override {
        LinkTest::SetUp();
        UseDevice(Device::Vk31D16, protocolType_);
        g_deviceValues.reginiStack = 0x0900;
        StartFirmware();
        const Bytes loop = {0x04, 0x04, 0x04, 0xFE, 0xFC};
        ASSERT_EQ(Control().writeTarget(0xC000, loop.data(), static_cast<DWORD>(loop.size())), Q3V_SIM_OK);
        g_monitorControl = std::make_unique<CMonitorControl>();
        g_monitorEngine = std::make_unique<CMonitorEngine>();
        g_runStateMonitor = std::make_unique<CRunStateMonitor>();
        ASSERT_EQ(g_runStateMonitor->Reset(), 0u);
        g_haltControl = std::make_unique<CHaltControl>();
        ASSERT_EQ(CFirmCommand().RefreshFlashMirror(), 0);
        handler_ = std::make_unique<CTargetExecVk3>(&host_);
    }
    // Opens the handler with the host's register array, the program at its
    // start.
    void OpenHandler() {
        ASSERT_EQ(handler_->OnTargetOpen(), S_OK);
        ASSERT_EQ(handler_->SetOption(reinterpret_cast<DWORD_PTR>(host_.Registers().Array())), S_OK);
        host_.Registers().SetValue(kPcIndex, 0xC000);
        host_.Registers().SetValue(kIspIndex, 0x0900);
    }
    void TearDown() override {
        CloseHandler();
        handler_.reset();
        g_haltControl.reset();
        g_runStateMonitor.reset();
        g_monitorEngine.reset();
        g_monitorControl.reset();
        g_monitorBreakTable = {};
        g_monitorBreakCount = 0;
        g_linkStopByte = 0;
        g_linkBreakFlag = 0;
        g_linkHold = 0;
        LinkTest::TearDown();
    }
    virtual void CloseHandler() { handler_->OnTargetClose(); }
    // Waits until the go thread waits for the program to stop.
    void AwaitRunning() {
        testing_support::YieldWhile([&] { return handler_->IsWaiting() == 0; });
        ASSERT_EQ(handler_->IsWaiting(), 1u);
    }
    std::string StopCause() { return handler_->GetStopCauseText().Str(); }

    std::unique_ptr<CTargetExecVk3> handler_;

private:
    DWORD protocolType_;
};

}  // namespace linktest
