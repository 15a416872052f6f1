// The status pages and the two status servers: the rows of each page from
// the live state, their answers to another page's id, the update events they
// post, the console's status text, the status period and its range, and the
// running-memory server's refusals.
#include "events/status_pages.h"
#include "target/status_servers.h"
#include "tests/target/target_test_support.h"

#include "config/break_channels.h"

#include "frame/target_memory.h"
#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "sim/host/status_window.h"

#include <gtest/gtest.h>

namespace {

using targettest::Journal;
using targettest::ReportingExec;

class StatusPages : public ::testing::Test {
protected:
    void SetUp() override {
        g_protocolType = 1;
        g_deviceValues = DeviceValues{};
        g_deviceAreas = {};
        g_deviceAreas[kAreaAse1] = {1, 0xFF000, 0xFFEFF};
        g_deviceAreas[kAreaFirm] = {1, 0x13C00, 0x13FFF};
        context.host = &host;
        context.execHandler = &exec;
        context.cfgHandler = &cfg;
    }
    void TearDown() override {
        g_protocolType = 0;
        g_deviceValues = DeviceValues{};
        g_deviceAreas = {};
    }
    std::vector<std::string> Posted() const {
        std::vector<std::string> posted;
        for (const auto& call : log.Find("PostEvent")) {
            posted.push_back(call.detail);
        }
        return posted;
    }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    Journal journal;
    ReportingExec exec{journal, &host};
    CTargetCfgVk3 cfg{"Vk3 Q3v SYSTEM", "VK31D16", &host, 200, 0};
    StatusPageContext context;
};

TEST_F(StatusPages, TheHostsStatusWindowShowsTheThreePages) {
    CStatusBreakPage events(context);
    CStatusDevicePage memory(context);
    CStatusConnectionPage platform(context);
    const auto pages = simhost::StatusWindow(host).Pages();
    ASSERT_EQ(pages.size(), 3u);
    EXPECT_EQ(pages[0].name, "Events");
    EXPECT_EQ(pages[0].rows, (std::vector<std::string>{"\tBreak point : 0 of 255 PC breakpoints in use",
                                                        "\tBreak condition : Not used"}));
    EXPECT_EQ(pages[0].secondWidth, 250u);
    EXPECT_EQ(pages[1].name, "Memory");
    EXPECT_EQ(pages[1].rows, (std::vector<std::string>{"Target Device Configuration\tSingle-Chip Mode",
                                                        "System Memory Resources\tNot Support"}));
    EXPECT_EQ(pages[2].name, "Platform");
    EXPECT_EQ(pages[2].firstTitle, "Item");
    EXPECT_EQ(pages[2].secondTitle, "Status");
    EXPECT_EQ(pages[2].firstWidth, 250u);
    EXPECT_EQ(pages[2].secondWidth, 300u);
    ASSERT_EQ(pages[2].rows.size(), 8u);
    EXPECT_EQ(pages[2].rows[0], "Connected to:\tVk3 Q3v SYSTEM ()") << "no driver";
    EXPECT_EQ(pages[2].rows[2], "Run status\tReady");
    EXPECT_EQ(pages[2].rows[3], "Cause of last break\tBREAK KEY");
    EXPECT_EQ(pages[2].rows[6], "Endian\tLittle");
    EXPECT_EQ(pages[2].rows[7], "");
}

TEST_F(StatusPages, AnotherPagesIdGivesNothing) {
    CStatusDevicePage memory(context);
    DWORD count = 7;
    EXPECT_EQ(memory.GetItemCount(GUID_Q3vStatusPlatformPage, &count), E_FAIL);
    EXPECT_EQ(count, 0u);
    platform::Bstr text;
    EXPECT_EQ(memory.GetItemText(GUID_Q3vStatusPlatformPage, 0, text.Out()), E_FAIL);
    EXPECT_EQ(text.Ansi(), "");
    EXPECT_EQ(memory.GetItemCount(GUID_Q3vStatusMemoryPage, &count), S_OK);
    EXPECT_EQ(count, 2u);
    WORD rows = 0;
    WORD widest = 0;
    memory.GetRowInfo(&rows, &widest);
    EXPECT_EQ(widest, std::string("Target Device Configuration\tSingle-Chip Mode").size());
    void* object = nullptr;
    EXPECT_EQ(memory.QueryInterface(IID_IHErrorReporter, &object), S_OK);
    EXPECT_NE(object, static_cast<void*>(static_cast<IHStatusClient*>(&memory))) << "its own reporter";
    EXPECT_EQ(memory.QueryInterface(IID_IHStatusClient, &object), S_OK);
    EXPECT_EQ(memory.QueryInterface(IID_IHEventReceiver, &object), E_NOINTERFACE);
}

TEST_F(StatusPages, TheMemoryPageShowsTheAreasFromProtocolType2On) {
    CStatusDevicePage memory(context);
    g_protocolType = 3;
    EXPECT_EQ(memory.GetRowText(1), "System Memory Resources\t0FF000-0FFEFF Program Area");
    EXPECT_EQ(memory.GetRowText(2), "\t013C00-013FFF Work RAM Area");
    DWORD count = 0;
    EXPECT_EQ(memory.GetItemCount(GUID_Q3vStatusMemoryPage, &count), S_OK);
    EXPECT_EQ(count, 2u) << "the third row is not counted";
    g_protocolType = 1;
    EXPECT_EQ(memory.GetRowText(2), "");
    EXPECT_EQ(memory.GetRowText(3), "");
}

// With the event function the channels in use are the channel table's
// program-fetch channels; a data condition or a channel past the device's
// count is not one.
TEST_F(StatusPages, WithTheEventFunctionTheEventsPageCountsTheChannelTablesSetChannels) {
    const BreakChannelTable saved = g_breakChannels;
    g_swtiSupported = 1;
    g_deviceValues.addressBreakCount = 4;
    CStatusBreakPage events(context);
    EXPECT_EQ(events.GetRowText(1), "\tBreak condition : Not used");
    const std::pair<std::size_t, DWORD> kinds[] = {
        {0, kBreakKindAddress}, {1, kBreakKindDataAccess}, {2, kBreakKindAddress}, {5, kBreakKindAddress}};
    for (const auto& [channel, kind] : kinds) {
        g_breakChannels[channel].kind = kind;
        g_breakChannels[channel].address = 0xC010;
    }
    g_breakChannels[2].enable = 0;  // a disabled channel is still in use
    EXPECT_EQ(events.GetRowText(1), "\tBreak condition : Used BC 1 3");
    g_swtiSupported = 0;
    g_breakChannels = saved;
}

TEST_F(StatusPages, EachPageAsksForItsUpdateOnItsOwnEvents) {
    CStatusBreakPage events(context);
    CStatusDevicePage memory(context);
    CStatusConnectionPage platform(context);
    EXPECT_EQ(events.OnEvent(&EVENT_BreakConditionChanged), S_OK);
    EXPECT_EQ(events.OnEvent(&EVENT_ViewsRefresh), S_OK);
    EXPECT_EQ(memory.OnEvent(&EVENT_ViewsRefresh), S_OK);
    EXPECT_EQ(memory.OnEvent(&EVENT_MemoryLayoutChanged), S_OK);
    EXPECT_EQ(memory.OnEvent(&EVENT_BreakConditionChanged), S_OK);
    EXPECT_EQ(platform.OnEvent(&EVENT_ViewsRefresh), S_OK);
    EXPECT_EQ(Posted(), (std::vector<std::string>{"status-page update|Events page", "status-page update|Memory page",
                                                   "status-page update|Memory page"}));
}

TEST_F(StatusPages, ThePlatformPageAndTheConsoleTextFollowTheRunState) {
    CStatusConnectionPage platform(context);
    g_deviceValues.endian = 'B';
    EXPECT_EQ(platform.GetText(),
              "Connected to:          Vk3 Q3v SYSTEM ()\n"
              "CPU                    " + std::string(g_familyName) + "\n"
              "Run status             Ready\n"
              "Cause of last break    BREAK KEY\n"
              "Run time count         \n"
              "Emulation mode         " + GetBreakModeName() + "\n"
              "Endian                 Big");
    ASSERT_EQ(exec.StartExecution(0), S_OK);  // the running word
    EXPECT_EQ(platform.GetRowText(2), "Run status\tRun");
    EXPECT_EQ(platform.GetRowText(3), "Cause of last break\tRun");
    EXPECT_NE(platform.GetText().find("Run status             Run\nCause of last break    Run\n"),
              std::string::npos);
}

TEST_F(StatusPages, PagesAreStatusClientsForTheirLifetime) {
    const auto clients = [this] {
        int count = 0;
        for (const auto& entry : host.Registrations()) {
            count += !entry.server && entry.iid == IID_IHStatusClient;
        }
        return count;
    };
    {
        CStatusBreakPage events(context);
        EXPECT_EQ(clients(), 1);
    }
    EXPECT_EQ(clients(), 0);
}

TEST(StatusServers, TheStatusPeriodAndItsRange) {
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CStatusTiming timing(&host);
    const simhost::StatusWindow window(host);
    EXPECT_EQ(window.StatusTime(), 0u) << "no target configuration";
    EXPECT_EQ(window.StatusTimeRange(), std::make_pair(DWORD{10}, DWORD{10000}));
    WORD flag = 7;
    EXPECT_EQ(timing.GetTimingFlag(&flag), S_OK);
    EXPECT_EQ(flag, 0);
    void* object = nullptr;
    EXPECT_EQ(timing.QueryInterface(IID_IHErrorReporter, &object), S_OK);
    EXPECT_NE(object, nullptr);
    EXPECT_EQ(timing.QueryInterface(IID_IHTRunningMemory, &object), E_NOINTERFACE);
}

TEST(StatusServers, RunningMemoryReadsRefuseWrappingRangesAndLeaveAStoppedTargetAlone) {
    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    CRunningMemoryServer server(&host);
    DWORD ok = 7;
    EXPECT_EQ(server.CheckRange(0xFFFFFFF0, 0x20, &ok), TE_INVALID_ADDRESS);
    EXPECT_EQ(ok, 0u);
    EXPECT_EQ(server.CheckRange(0xFFFFFFFF, 1, &ok), S_OK);
    EXPECT_EQ(ok, 1u);
    EXPECT_EQ(server.CheckRange(0xFFFFFFF0, 0x10, &ok), S_OK);
    EXPECT_EQ(server.CheckRange(0, 0, &ok), S_OK) << "no last address below the start";
    BYTE buffer[4] = {1, 2, 3, 4};
    EXPECT_EQ(server.ReadWhileRunning(0xFFFFFFF0, 0x20, buffer), TE_INVALID_ADDRESS);
    EXPECT_EQ(server.ReadWhileRunning(0, 0, buffer), S_OK);
    EXPECT_EQ(server.ReadWhileRunning(0xC000, 4, buffer), S_OK) << "no memory handler";
    EXPECT_EQ(buffer[0], 1);
    EXPECT_EQ(buffer[3], 4);
}

}  // namespace
