// The plug-in's menu, toolbar, window and resource instance in the host:
// attaching the UI component registers them under the first owner id the
// host hands out, detaching withdraws them and gives both ids back.
#include "sim/host/console.h"
#include "tests/road/road_session.h"

#include "sim/host/sim_host.h"

#include "platform/afx.h"
#include "tests/support/html_help_control.h"
#include "tests/support/registry_lock.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

using simhost::UiCall;

constexpr char kDebugToolbar[] = "\"{5A3C0030-7E21-4B9A-9C10-000000000001}\"";
// The plug-in's resource instance once the target has attached: its resource
// module, which holds the plug-in's resources.
const std::string kInstance = "Q3vVk3ExtRes.dll";

std::vector<std::vector<std::string>> ArgumentsOf(const std::vector<UiCall>& calls) {
    std::vector<std::vector<std::string>> arguments;
    for (const UiCall& call : calls) {
        arguments.push_back(call.args);
    }
    return arguments;
}

class UiRegistrationRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(roadtest::AttachPlugin(host));
    }
    simhost::HostUiRegistry& Registry() { return host.Services().UiRegistry(); }
    std::string Ui() {
        std::ostringstream out;
        Registry().Describe(out);
        return out.str();
    }
    HWND ContainerWindow() {
        const auto owners = Registry().Owners();
        const auto owner = owners.find(1);
        return owner != owners.end() && !owner->second.windows.empty() ? owner->second.windows.front() : nullptr;
    }

    simhost::SimHost host;
};

TEST_F(UiRegistrationRoad, AttachRegistersTheMenuTheWindowTheInstanceAndTheDebugToolbarUnderOwnerOne) {
    const HWND window = ContainerWindow();
    ASSERT_NE(window, nullptr);
    const std::string& instance = kInstance;
    EXPECT_EQ(Ui(), "host UI registrations:\n"
                    "  owner 1:\n"
                    "    menu 3088 from " + instance + ", flags 1\n"
                    "      \"&Setup\"\n"
                    "        \"&Emulator\"\n"
                    "          \"&System...\" 32773\n"
                    "          \"&Emulator Setting...\" 32869\n"
                    "          \"Start/Stop &Function Setting...\" 32870\n"
                    "      \"&Help\"\n"
                    "        \"&Emulator Help\" 32778\n"
                    "    toolbar \"Debug\" {5A3C0030-7E21-4B9A-9C10-000000000001}, resource 205/0 from " +
                        instance + "\n"
                    "      32772 \"Emulator Memory Resource\"\n"
                    "      32773 \"Emulator System\"\n"
                    "    " + simhost::DescribeWindow(window) + "\n"
                    "    instance " + instance + "\n"
                    "  owner ids given out: 1 2\n");

    EXPECT_EQ(Registry().Ops(), (std::vector<int>{44, 44, 29, 34, 35, 69}));
    const std::vector<std::vector<std::string>> registrations = {
        {instance, "3088", "1", "UI component", "VT_ARRAY|VT_UINT {32773, 32869, 32870, 32778}", "VT_EMPTY",
         "VT_EMPTY", "\"\"", "\"\"", "1"},
        {"1", "UI component", simhost::DescribeWindow(window)},
        {instance, "1", "UI component"},
        {kDebugToolbar, "\"Debug\"", instance, "205", "0", "1", "UI component", "VT_ARRAY|VT_UINT {32772, 32773}",
         "VT_EMPTY", "VT_EMPTY", "VT_EMPTY", "VT_EMPTY", "VT_EMPTY", "VT_EMPTY"},
    };
    const auto calls = Registry().Calls();
    EXPECT_EQ(ArgumentsOf({calls.begin() + 2, calls.end()}), registrations);
    EXPECT_TRUE(Registry().HostErrors().empty());
}

TEST_F(UiRegistrationRoad, TheContainerIsAnInvisibleChildOfTheHostsMainWindow) {
    const HWND window = ContainerWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetParent(window), AfxGetMainWnd()->GetSafeHwnd());
    EXPECT_EQ(GetWindowLongA(window, GWL_STYLE) & (WS_CHILD | WS_VISIBLE), static_cast<LONG>(WS_CHILD));
    EXPECT_EQ(GetDlgCtrlID(window), 1);
}

TEST_F(UiRegistrationRoad, TheHelpCommandOpensTheEmulatorHelpBesideThePlugin) {
    testing_support::RegistryLock lock;
    testing_support::HtmlHelpControlRegistration control(testing_support::HtmlHelpTestControl());
    std::istringstream in;
    std::ostringstream out;
    simhost::Console console(host, in, out, false);
    console.Execute("menu 32778");
    EXPECT_EQ(out.str(), "menu 32778: chosen\n"
                         "[HTML help: \"" + testing_support::ProgramFolder() + "Emulator.chm\", command 0]\n");
}

TEST_F(UiRegistrationRoad, TheSetupItemsOpenNothingBeforeTheTargetHasItsHandlers) {
    std::istringstream in;
    std::ostringstream out;
    simhost::Console console(host, in, out, false);
    for (const char* line : {"menu 32773", "menu 32869", "menu 32870"}) {
        console.Execute(line);
    }
    // No device with start/stop functions has been read.
    EXPECT_EQ(out.str(), "menu 32773: chosen\n"
                         "menu 32869: chosen\n"
                         "menu 32870: disabled\n");
}

TEST_F(UiRegistrationRoad, TheMenuCommandRefusesWhatNoMenuHolds) {
    std::istringstream in;
    std::ostringstream out;
    simhost::Console console(host, in, out, false);
    for (const char* line : {"menu 32772", "menu", "menu 0", "menu 70000", "menu 12x"}) {
        console.Execute(line);
    }
    EXPECT_EQ(out.str(), "menu 32772: no registered menu holds it\n"
                         "menu: give the command id of a menu item (1 to 65535)\n"
                         "menu: give the command id of a menu item (1 to 65535)\n"
                         "menu: give the command id of a menu item (1 to 65535)\n"
                         "menu: give the command id of a menu item (1 to 65535)\n");
}

TEST_F(UiRegistrationRoad, DetachWithdrawsEverythingOfOwnerOneAndGivesBothIdsBack) {
    Registry().ClearCalls();
    ASSERT_EQ(host.DetachComponents(), S_OK);
    EXPECT_EQ(Registry().Ops(), (std::vector<int>{33, 28, 36, 37, 45, 45}));
    const std::vector<std::vector<std::string>> withdrawals = {
        {"3088", "1"}, {"205", "0", "1"}, {"1"}, {"1"}, {"1"}, {"2"},
    };
    EXPECT_EQ(ArgumentsOf(Registry().Calls()), withdrawals);
    EXPECT_EQ(Ui(), "host UI registrations: none\n  owner ids given out: none\n");
    EXPECT_TRUE(Registry().HostErrors().empty());
}

TEST_F(UiRegistrationRoad, AttachingAgainRegistersUnderNewIdsWithTheSameManager) {
    ASSERT_EQ(host.DetachComponents(), S_OK);
    host.Log().Clear();
    Registry().ClearCalls();
    ASSERT_EQ(host.AttachComponents(), S_OK);
    EXPECT_EQ(Registry().Ops(), (std::vector<int>{44, 44, 29, 34, 35, 69}));
    EXPECT_EQ(Registry().OwnerIdsOut(), (std::set<DWORD>{3, 4}));
    const auto owners = Registry().Owners();
    ASSERT_EQ(owners.count(3), 1u);
    EXPECT_EQ(owners.at(3).menus.count(3088), 1u);
    // The manager asks the host for its interfaces once, when it is made.
    for (const simhost::CallRecord& call : host.Log().Find("QueryService")) {
        EXPECT_EQ(call.detail.rfind("IHUiRegistration", 0), std::string::npos) << call.detail;
    }
    EXPECT_TRUE(Registry().HostErrors().empty());
}

TEST_F(UiRegistrationRoad, WhatTheHostRefusesIsNeitherRecordedNorWithdrawn) {
    ASSERT_EQ(host.DetachComponents(), S_OK);
    Registry().ScriptResult(29, S_FALSE);
    Registry().ScriptResult(69, E_FAIL);
    ASSERT_EQ(host.AttachComponents(), S_OK);
    Registry().ClearCalls();
    ASSERT_EQ(host.DetachComponents(), S_OK);
    EXPECT_EQ(Registry().Ops(), (std::vector<int>{36, 37, 45, 45}));
    EXPECT_TRUE(Registry().HostErrors().empty());
}

}  // namespace
