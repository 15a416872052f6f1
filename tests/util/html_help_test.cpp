// HTML Help through the control that the registry names: the test stand-in
// for the control (its entry at ordinal 14 records the call with the UI
// driver) registered under the control's class id for a test's length.
#include "util/html_help.h"

#include "platform/afx.h"
#include "platform/module.h"
#include "platform/registry.h"
#include "tests/support/html_help_control.h"
#include "tests/support/registry_lock.h"
#include "tests/support/sides.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using testing_support::ProgramFolder;
using testsupport::TestUi;

using HtmlHelpControlRegistration = testing_support::HtmlHelpControlRegistration;

std::string TestControl() {
    return testing_support::HtmlHelpTestControl();
}

// A window to pass as the caller, as the help menu's owner would be.
class CallerWindow {
public:
    CallerWindow() { window_.CreateEx(0, nullptr, "caller", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0); }
    ~CallerWindow() { window_.DestroyWindow(); }
    CallerWindow(const CallerWindow&) = delete;
    CallerWindow& operator=(const CallerWindow&) = delete;
    HWND Handle() const { return window_.m_hWnd; }

private:
    CWnd window_;
};

// Every test writes the control's class id, which is one key for all.
class HtmlHelp : public ::testing::Test {
    testing_support::RegistryLock lock_;
};

TEST_F(HtmlHelp, LoadHtmlHelpPassesItsFourArgumentsToTheRegisteredControl) {
    TestUi ui;
    CallerWindow caller;
    {
        HtmlHelpControlRegistration registration(TestControl());
        EXPECT_EQ(LoadHtmlHelp(caller.Handle(), "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    }
    // The control stays loaded and bound: the registry is not asked again.
    EXPECT_EQ(LoadHtmlHelp(nullptr, "Z:\\help\\Other.chm", HH_HELP_CONTEXT, 42), nullptr);
    const auto calls = ui.HelpCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, platform::HelpKind::HtmlHelp);
    EXPECT_EQ(calls[0].window, caller.Handle());
    EXPECT_EQ(calls[0].file, "Z:\\help\\Emulator.chm");
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HH_DISPLAY_TOPIC));
    EXPECT_EQ(calls[0].data, 0u);
    EXPECT_EQ(calls[1].window, nullptr);
    EXPECT_EQ(calls[1].file, "Z:\\help\\Other.chm");
    EXPECT_EQ(calls[1].command, static_cast<UINT>(HH_HELP_CONTEXT));
    EXPECT_EQ(calls[1].data, 42u);
    EXPECT_NE(GetModuleHandleA("HtmlHelpTestControl.dll"), nullptr);
}

TEST_F(HtmlHelp, AControlWithoutTheEntryFailsNowAndOnEveryLaterCall) {
    TestUi ui;
    CHtmlHelpLoader loader;
    {
        HtmlHelpControlRegistration registration(ProgramFolder() + "PlatformTestModule.dll");
        EXPECT_EQ(loader.Call(nullptr, "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    }
    HtmlHelpControlRegistration registration(TestControl());
    EXPECT_EQ(loader.Call(nullptr, "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_TRUE(ui.HelpCalls().empty());
}

TEST_F(HtmlHelp, WithoutAControlTheAnswerIsZeroNowAndOnEveryLaterCall) {
    Q3V_SKIP_ON_WINDOWS("Wine's own HTML Help control is registered and found by name, and would open a real window");
    TestUi ui;
    char path[MAX_PATH] = {};
    EXPECT_FALSE(GetHtmlHelpPath(path));  // nothing registered
    CHtmlHelpLoader loader;
    EXPECT_EQ(loader.Call(nullptr, "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    {
        HtmlHelpControlRegistration registration(ProgramFolder() + "NoSuchControl.ocx");
        EXPECT_EQ(loader.Call(nullptr, "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    }
    HtmlHelpControlRegistration registration(TestControl());
    EXPECT_EQ(loader.Call(nullptr, "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_TRUE(ui.HelpCalls().empty());

    // A registered file that does not load, with no control by name either.
    CHtmlHelpLoader another;
    HtmlHelpControlRegistration missing(ProgramFolder() + "NoSuchControl.ocx");
    EXPECT_EQ(another.Call(nullptr, "Z:\\help\\Emulator.chm", HH_DISPLAY_TOPIC, 0), nullptr);
    EXPECT_TRUE(ui.HelpCalls().empty());
}

TEST_F(HtmlHelp, ThePathIsTheRegisteredValueWhenItFits) {
    char path[MAX_PATH] = {};
    {
        HtmlHelpControlRegistration registration(TestControl());
        ASSERT_TRUE(GetHtmlHelpPath(path));
        EXPECT_EQ(std::string(path), TestControl());
    }
    {
        HtmlHelpControlRegistration registration(std::string(MAX_PATH - 1, 'a'));
        ASSERT_TRUE(GetHtmlHelpPath(path));
        EXPECT_EQ(std::string(path), std::string(MAX_PATH - 1, 'a'));
    }
    {
        HtmlHelpControlRegistration registration(std::string(MAX_PATH, 'b'));
        EXPECT_FALSE(GetHtmlHelpPath(path));
    }
    {
        // A value that fills the buffer without a terminator.
        HtmlHelpControlRegistration registration(REG_BINARY, std::vector<BYTE>(MAX_PATH, 'c'));
        EXPECT_FALSE(GetHtmlHelpPath(path));
    }
    {
        HtmlHelpControlRegistration registration(REG_BINARY, std::vector<BYTE>(3, 'd'));
        ASSERT_TRUE(GetHtmlHelpPath(path));
        EXPECT_EQ(std::string(path), "ddd");
    }
}

}  // namespace
