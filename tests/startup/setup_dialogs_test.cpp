// The dialogs the emulator link opens: Power Supply, ID Code verification and
// the "Downloading..." window, driven through the UI driver.
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/download_progress.h"
#include "link/setup_dialogs.h"
#include "sim/host/sim_host.h"
#include "config/session_settings.h"
#include "target/target_vk3.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/common_controls.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

using testsupport::TestUi;

std::vector<std::string> Texts(const TestUi& ui) {
    std::vector<std::string> texts;
    for (const auto& box : ui.MessageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

class SetupDialogs : public ::testing::Test {
protected:
    void SetUp() override {
        g_deviceValues = DeviceValues{};
        host_.OpenSession(folder_.Windows(), "session");
        ASSERT_EQ(GetTarget()->Attach(&host_, 1), S_OK);
    }
    void TearDown() override { GetTarget()->Detach(1); }

    testing_support::TempFolder folder_;
    TestUi ui_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
};

TEST_F(SetupDialogs, ThePowerSupplyDialogEnablesTheVoltagesWithPowerAndWantsExactlyOne) {
    ui_.OnDialog(res_id::kPowerSupplyDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_FALSE(dialog.IsEnabled(res_id::kVoltage33));
            EXPECT_FALSE(dialog.IsEnabled(res_id::kVoltage50));
            EXPECT_FALSE(dialog.IsEnabled(res_id::kVoltageGroup));
        })
        .Click(res_id::kPowerFromEmulator)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_TRUE(dialog.IsEnabled(res_id::kVoltage33));
            EXPECT_TRUE(dialog.IsEnabled(res_id::kVoltage50));
        })
        .PressOk()
        .Click(res_id::kVoltage50)
        .PressOk();
    PowerSupplySettings settings;
    EXPECT_TRUE(PromptPowerSupplyDialog(settings));
    EXPECT_EQ(Texts(ui_), std::vector<std::string>{"Select voltage."});
    EXPECT_EQ(settings.powerFromEmulator, 1u);
    EXPECT_EQ(settings.voltage50, 1u);
    EXPECT_EQ(settings.VoltageSelection(), 1u);
}

TEST_F(SetupDialogs, ADeviceThatForbidsFiveVoltsClearsAndDisablesIt) {
    g_deviceValues.powerSupplyDisable5V = 1;
    ui_.OnDialog(res_id::kPowerSupplyDialog)
        .Click(res_id::kPowerFromEmulator)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_FALSE(dialog.IsEnabled(res_id::kVoltage50));
            EXPECT_EQ(dialog.CheckState(res_id::kVoltage50), BST_UNCHECKED);
        })
        .PressCancel();
    PowerSupplySettings settings{0, 0, 1};
    EXPECT_FALSE(PromptPowerSupplyDialog(settings));
    EXPECT_EQ(settings.voltage50, 1u) << "Cancel hands nothing back";
}

TEST_F(SetupDialogs, TheIdCodeIsTypedAsFourteenDigitsOrSevenCharacters) {
    ui_.OnDialog(res_id::kIdCodeDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.CheckState(res_id::kIdCodeHex), BST_CHECKED) << "hexadecimal until the session says";
        })
        .SetText(res_id::kIdCodeText, "12345")
        .PressOk()
        .SetText(res_id::kIdCodeText, "0a0b0c0d0e0f10")
        .PressOk();
    std::array<DWORD, 2> code{};
    ASSERT_TRUE(PromptIdCodeDialog(code));
    EXPECT_EQ(code, (std::array<DWORD, 2>{0x0A0B0C, 0x0D0E0F10}));
    EXPECT_EQ(Texts(ui_), std::vector<std::string>{"Invalid value or symbol: 12345"});

    ui_.OnDialog(res_id::kIdCodeDialog)
        .Click(res_id::kIdCodeAscii)
        .SetText(res_id::kIdCodeText, "abcdefgh")
        .PressOk()
        .SetText(res_id::kIdCodeText, "a\\bc")
        .PressOk();
    ASSERT_TRUE(PromptIdCodeDialog(code));
    EXPECT_EQ(code, (std::array<DWORD, 2>{0x616263, 0}));
    EXPECT_EQ(Texts(ui_).back(), "Please enter no more than 7 characters.");
    EXPECT_EQ(SessionIniGetInt("IDCODE", "INPUTMODE", -1), 1u) << "the input mode is kept for the session";

    ui_.OnDialog(res_id::kIdCodeDialog)
        .Do([](platform::UiDialog& dialog) {
            EXPECT_EQ(dialog.CheckState(res_id::kIdCodeAscii), BST_CHECKED);
            EXPECT_EQ(dialog.Text(res_id::kIdCodeText), "a\\bc");
        })
        .PressCancel();
    EXPECT_FALSE(PromptIdCodeDialog(code));
}

TEST_F(SetupDialogs, TheDownloadWindowShowsItsProgressWhileItLives) {
    {
        CDownloadProgress progress;
        const HWND window = ::FindWindowA(nullptr, "Downloading...");
        ASSERT_NE(window, nullptr);
        const HWND bar = ::GetDlgItem(window, res_id::kDownloadProgress);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
        progress.SetPercent(40);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 40);
    }
    EXPECT_EQ(::FindWindowA(nullptr, "Downloading..."), nullptr);
}

}  // namespace
