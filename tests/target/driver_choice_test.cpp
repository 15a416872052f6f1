// The driver choice at connect and the "Driver Details" dialog, with the
// simulated emulator's module as the one driver beside the test program: the
// saved choice, a driver that is gone, several channels or interfaces, the
// refused "<no driver selected>", the driver errors with Retry and Cancel,
// and a failed choice that leaves the target's handlers to the teardown.
#include "tests/target/connect_fixture.h"

#include "link/ule_drv_interface.h"
#include "tests/target/target_test_support.h"

#include "platform/bstr.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace linktest {
namespace {

constexpr char kPleaseChoose[] = "Please choose driver.";

using DriverChoice = ConnectRoad;

std::vector<std::string> Items(platform::UiDialog& dialog, int id) {
    std::vector<std::string> items;
    const HWND combo = dialog.Control(id);
    const int count = static_cast<int>(::SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[128] = "";
        ::SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.emplace_back(text);
    }
    return items;
}

TEST_F(DriverChoice, ASavedDriverThatIsGoneAsksForTheChoice) {
    SessionIniWriteString("Target", "Vk3 Q3v SYSTEM", "Retired driver");
    QueueConnecting();
    ui_.OnDialog(res_id::kDriverSelectDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Caption(), "Driver Details");
            EXPECT_EQ(Items(dialog, res_id::kDriverCombo),
                      (std::vector<std::string>{"<no driver selected>", kSimulatedDriver}));
            EXPECT_EQ(dialog.Text(res_id::kDriverCombo), "<no driver selected>");
            EXPECT_TRUE(Items(dialog, res_id::kInterfaceCombo).empty());
            EXPECT_FALSE(dialog.IsVisible(IDHELP));
            EXPECT_EQ(dialog.Text(IDOK), "Close");
        })
        .Select(res_id::kDriverCombo, kSimulatedDriver)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kInterfaceCombo), "SIMUSB");
            EXPECT_EQ(Items(dialog, res_id::kChannelCombo), std::vector<std::string>{"SIM0"});
            EXPECT_EQ(dialog.Text(res_id::kChannelCombo), "SIM0");
            // The simulated driver has a configuration: its text is shown.
            EXPECT_TRUE(dialog.IsEnabled(res_id::kDriverConfigure));
            EXPECT_EQ(dialog.Text(res_id::kDriverConfigurationText).rfind("device=VK31D16;", 0), 0u);
        })
        .PressOk();
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(ConnectMessages(), std::vector<std::string>{kPleaseChoose});
    EXPECT_EQ(Saved("Target", "Vk3 Q3v SYSTEM"), kSimulatedDriver);
}

TEST_F(DriverChoice, TwoChannelsAskForTheChoiceAndTheChoiceIsSaved) {
    Configure("channels=2");
    QueueConnecting();
    ui_.OnDialog(res_id::kDriverSelectDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kDriverCombo), kSimulatedDriver) << "the driver is chosen already";
            EXPECT_EQ(Items(dialog, res_id::kChannelCombo), (std::vector<std::string>{"SIM0", "SIM1"}));
            EXPECT_EQ(dialog.Text(res_id::kChannelCombo), "SIM0");
        })
        .Select(res_id::kChannelCombo, "SIM1")
        .PressOk();
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(ConnectMessages(), std::vector<std::string>{kPleaseChoose});
    EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver).rfind("SIMUSB,1,", 0), 0u);
    EXPECT_EQ(g_currentDriver->SelectedIndex(), 1);
}

TEST_F(DriverChoice, TwoInterfacesAskForTheChoiceAndTheChoiceIsSaved) {
    Configure("interfaces=2");
    QueueConnecting();
    ui_.OnDialog(res_id::kDriverSelectDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(Items(dialog, res_id::kInterfaceCombo), (std::vector<std::string>{"SIMUSB", "SIMLAN"}))
                << "the blank after the comma is dropped";
            EXPECT_EQ(dialog.Text(res_id::kInterfaceCombo), "SIMUSB");
        })
        .Select(res_id::kInterfaceCombo, "SIMLAN")
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(Items(dialog, res_id::kChannelCombo), std::vector<std::string>{"SIM0"});
        })
        .PressOk();
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(Saved("Driver Configuration", kSimulatedDriver).rfind("SIMLAN,0,", 0), 0u);
}

TEST_F(DriverChoice, NoDriverSelectedKeepsTheDialogOpen) {
    Configure("channels=2");
    QueueConnecting();
    ui_.OnDialog(res_id::kDriverSelectDialog)
        .SelectIndex(res_id::kDriverCombo, 0)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_TRUE(Items(dialog, res_id::kInterfaceCombo).empty());
            EXPECT_TRUE(Items(dialog, res_id::kChannelCombo).empty());
            EXPECT_FALSE(dialog.IsEnabled(res_id::kDriverConfigure));
        })
        .PressOk()
        .Do([](platform::UiDialog& dialog) {
            EXPECT_TRUE(dialog.IsOpen());
            EXPECT_EQ(::GetFocus(), dialog.Control(res_id::kDriverCombo));
        })
        .Select(res_id::kDriverCombo, kSimulatedDriver)
        .PressOk();
    EXPECT_EQ(RunConnect(), 1u);
    EXPECT_EQ(ConnectMessages(), (std::vector<std::string>{kPleaseChoose, "Must select a valid driver"}));
}

TEST_F(DriverChoice, ADriverErrorOffersRetryAndCancelClearsTheDetails) {
    Configure("channels=2");
    QueueConnecting();
    ui_.OnDialog(res_id::kDriverSelectDialog)
        .Do([this](platform::UiDialog&) {
            Inject(Q3V_SIM_FAULT_INITIALISE, 0, 1);
            ui_.AnswerNextMessageBox(IDRETRY);
        })
        .Select(res_id::kInterfaceCombo, "SIMUSB")
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kInterfaceCombo), "SIMUSB") << "Retry recovers";
            EXPECT_EQ(Items(dialog, res_id::kChannelCombo), (std::vector<std::string>{"SIM0", "SIM1"}));
        })
        .Do([this](platform::UiDialog&) {
            Inject(Q3V_SIM_FAULT_INITIALISE, 0, 1);
            ui_.AnswerNextMessageBox(IDCANCEL);
        })
        .Select(res_id::kInterfaceCombo, "SIMUSB")
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kInterfaceCombo), "");
            EXPECT_EQ(dialog.Text(res_id::kChannelCombo), "");
        })
        .Select(res_id::kInterfaceCombo, "SIMUSB")
        .PressOk();
    EXPECT_EQ(RunConnect(), 1u);
    const std::vector<std::string> messages = ConnectMessages();
    ASSERT_EQ(messages.size(), 3u);
    const std::string driverError =
        "Driver Error: The USB link to the emulator is lost.\n\nRetry  to attempt initialisation again\n"
        "Cancel to choose another driver or interface";
    EXPECT_EQ(messages[1], driverError);
    EXPECT_EQ(messages[2], driverError);
    EXPECT_EQ(ui_.MessageBoxes().back().Buttons(), static_cast<UINT>(MB_RETRYCANCEL));
}

TEST_F(DriverChoice, AFailedDriverChoiceLeavesTheHandlersToTheTeardown) {
    // The saved configuration arms the initialise fault as the saved choice
    // is loaded: the only interface then cannot be taken.
    SessionIniWriteString("Driver Configuration", kSimulatedDriver, "SIMUSB,0,fault=initialise:0:1");
    targettest::TestTarget target;
    target.realConnect = true;
    ASSERT_EQ(target.Attach(&host_, 1), S_OK);
    const std::size_t attached = host_.Registrations().size();
    ASSERT_EQ(target.CreateHandlers(), S_OK);
    const std::size_t registrations = host_.Registrations().size();
    QueueConnecting();
    EXPECT_EQ(target.Connect(), 0u);
    EXPECT_NE(target.GetCfgHandler(), nullptr) << "the host may still call the handlers";
    EXPECT_NE(target.GetMemoryHandler(), nullptr);
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "delete cfg"), 0);
    EXPECT_EQ(host_.Registrations().size(), registrations);
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
    static_cast<void>(target.DestroyHandlers());

    // Through the host's initialisation the failed connect's teardown runs
    // once and takes every object with it.
    target.journal.clear();
    const platform::Bstr name("Vk3 Q3v SYSTEM");
    QueueConnecting();
    EXPECT_EQ(target.Initialise(name.Get()), E_FAIL);
    EXPECT_EQ(std::count(target.journal.begin(), target.journal.end(), "delete cfg"), 1);
    EXPECT_EQ(g_driverList, nullptr);
    EXPECT_EQ(g_currentDriver, nullptr);
    EXPECT_EQ(g_targetConfig, nullptr);
    EXPECT_EQ(host_.Registrations().size(), attached) << "the handlers' registrations withdrawn";
    target.Detach(1);
}

}  // namespace
}  // namespace linktest
