// What the break-condition tests stand on: the simulated host attached to the
// plug-in's target object (the echo lines, the error texts and the events go
// there), a monitor engine of the test's own without a link (the channel
// commands write the working table through it), and the device values and
// channel tables put back as they were.
#pragma once

#include "config/break_channels.h"
#include "monitor/monitor_engine.h"
#include "sim/host/sim_host.h"
#include "config/device_data.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace eventstest {

class EventsTest : public ::testing::Test {
protected:
    EventsTest()
        : values_(g_deviceValues), protocolType_(g_protocolType), working_(g_breakChannels),
          applied_(g_appliedBreakChannels) {
        g_breakChannels = {};
        g_appliedBreakChannels = {};
        UseDevice(0, 1, 2);
        g_deviceValues.maxAddr = 0xFFFF;
        GetTarget()->Attach(&host_, 1);
        g_monitorEngine = std::make_unique<CMonitorEngine>();
    }
    ~EventsTest() override {
        g_targetConfig.reset();
        g_monitorEngine.reset();
        GetTarget()->Detach(1);
        g_deviceValues = values_;
        g_protocolType = protocolType_;
        g_breakChannels = working_;
        g_appliedBreakChannels = applied_;
    }

    static void UseDevice(DWORD hwBreak, DWORD protocolType, DWORD channels) {
        g_deviceValues.hwBreak = hwBreak;
        g_protocolType = protocolType;
        g_deviceValues.addressBreakCount = channels;
    }
    // The break mode's index and fifth value.
    static void BreakMode(DWORD mode, DWORD value5) {
        if (g_targetConfig == nullptr) {
            g_targetConfig = std::make_unique<CTargetConfig>();
        }
        g_targetConfig->BreakModeStore().Set(mode, 0, 0, 0, value5);
    }
    std::vector<std::string> Echoes() { return host_.Output().Lines(); }
    void ClearEchoes() { host_.Output().ClearLines(); }
    std::size_t ChangeEvents() const {
        std::size_t count = 0;
        for (const simhost::CallRecord& call : log_.Find("PostEvent")) {
            count += call.detail == "break-condition changed" ? 1 : 0;
        }
        return count;
    }
    std::vector<std::string> Errors() const { return host_.ReportedErrors(); }
    static BreakChannelRecord& Working(int n) { return g_breakChannels[static_cast<std::size_t>(n)]; }
    static BreakChannelRecord& Applied(int n) { return g_appliedBreakChannels[static_cast<std::size_t>(n)]; }

    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};

private:
    DeviceValues values_;
    DWORD protocolType_;
    BreakChannelTable working_;
    BreakChannelTable applied_;
};

}  // namespace eventstest
