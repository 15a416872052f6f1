// The start-up device selection with the real plug-in module and its shipped
// files: a new session takes the host's description and runs the Emulator
// Setting wizard; a Finish with "Do not show this dialog box again." makes
// the next start choose the same device without the sheet, until Ctrl is
// held; a cancelled sheet chooses nothing.
#include "tests/road/road_session.h"

#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/common_controls.h"
#include "platform/profile.h"
#include "platform/ui_script.h"
#include "res/resource_ids.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr char kDescription[] = "[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|Q3][FIRMWARE|F000,1][WORK_RAM|0A00]";

class DeviceSelectionRoad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(roadtest::AttachPlugin(host));
        host.Services().OpenSession(folder.Windows(), "sess");
        host.Services().DeviceDescription().SetDescription(kDescription);
    }
    void TearDown() override { host.Unload(); }

    // The host opens the target under the plug-in's library name; the answer
    // stays the handler issues' to settle, the selection is what is looked at.
    // A device chosen, the initialisation goes on to connect (to the
    // simulated emulator the driver scan finds) and the session is ended
    // again; without one it ends before connecting.
    void Initialise(bool chosen) {
        IHTarget* target = nullptr;
        ASSERT_EQ(host.QueryPluginInterface(IID_IHTarget, reinterpret_cast<void**>(&target)), S_OK);
        if (chosen) {
            ui.OnDialog(res_id::kConnectingDialog).WaitForClose();
        }
        platform::Bstr name("Vk3 Q3v SYSTEM");
        if (SUCCEEDED(target->Initialise(name.Get()))) {
            EXPECT_EQ(target->Uninitialise(), S_OK);
        }
    }
    // The Emulator Setting sheets shown so far.
    std::size_t Sheets() const {
        const auto dialogs = ui.Dialogs();
        return static_cast<std::size_t>(std::count_if(dialogs.begin(), dialogs.end(), [](const auto& dialog) {
            return dialog.caption == "Emulator Setting";
        }));
    }
    std::string Saved(const char* section, const char* key) const {
        char text[256] = "";
        GetPrivateProfileStringA(section, key, "<none>", text, sizeof(text), folder.Windows("sess.ini").c_str());
        return text;
    }
    static std::vector<std::string> Groups(platform::UiDialog& sheet) {
        std::vector<std::string> groups;
        const HWND list = sheet.Control(res_id::kMcuGroup);
        const int count = static_cast<int>(::SendMessageA(list, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[64] = "";
            ::SendMessageA(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            groups.push_back(text);
        }
        return groups;
    }
    static void Buttons(platform::UiDialog& sheet, bool back, bool next, bool finish) {
        EXPECT_EQ(sheet.IsVisible(ID_WIZBACK) && sheet.IsEnabled(ID_WIZBACK), back);
        EXPECT_EQ(sheet.IsVisible(ID_WIZNEXT) && sheet.IsEnabled(ID_WIZNEXT), next);
        EXPECT_EQ(sheet.IsVisible(ID_WIZFINISH) && sheet.IsEnabled(ID_WIZFINISH), finish);
    }

    testsupport::TestUi ui;
    testing_support::TempFolder folder;
    simhost::SimHost host;
};

TEST_F(DeviceSelectionRoad, TheWizardOfANewSessionThenTheSavedChoiceThenCtrl) {
    ui.OnDialog("Emulator Setting")
        .Do([this](platform::UiDialog& sheet) {
            // The host's description was saved before the sheet opened.
            EXPECT_EQ(Saved("CPU_SELECT", "MCU_GROUP"), "VK31X");
            EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31D16");
            EXPECT_EQ(Saved("FW_LOCATE", "ENABLE_ADVANCED_SETTING"), "1");
            EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE"), "1");
            EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE_ADDRESS"), "F000");
            EXPECT_EQ(Groups(sheet), std::vector<std::string>{"VK31X"}) << "the plug-in's own file is no group";
            EXPECT_EQ(sheet.Text(res_id::kMcuGroup), "VK31X");
            EXPECT_EQ(sheet.Text(res_id::kDevice), "VK31D16");
            EXPECT_EQ(sheet.Text(res_id::kHideSheetCheck), "Do not show this dialog box again.");
            Buttons(sheet, false, true, false);
        })
        .Pick(res_id::kModeKeepFlash)
        .Next()
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.ActivePage(), 1);
            Buttons(sheet, true, true, false);
        })
        .Back()
        .Do([](platform::UiDialog& sheet) { Buttons(sheet, false, true, false); })
        .Next()
        .Next()
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.ActivePage(), 2);
            Buttons(sheet, true, false, true);
            EXPECT_EQ(sheet.Text(res_id::kSpeedList), "500000 bps");
        })
        .Select(res_id::kSpeedList, "250000 bps")
        .Check(res_id::kHideSheetCheck)
        .Back()
        .Next()
        .Finish();
    Initialise(true);
    EXPECT_EQ(Sheets(), 1u);
    EXPECT_EQ(Saved("CPU_SELECT", "EMUSEL"), "1");
    EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31D16");
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "1");
    EXPECT_EQ(Saved("RESET_RELEASE", "ENABLE"), "0");
    EXPECT_EQ(Saved("COMMUNI", "COMSPEED"), "5") << "the communication page saved after Finish";
    EXPECT_EQ(Saved("POWER_SUPPLY", "VOLTAGE_3_3"), "0");

    // The next start: no sheet, the same device.
    const std::filesystem::path ini = folder.Native() / "sess.ini";
    const auto written = std::filesystem::last_write_time(ini);
    Initialise(true);
    EXPECT_EQ(Sheets(), 1u) << "no sheet";
    EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31D16");
    EXPECT_EQ(Saved("CPU_SELECT", "EMUSEL"), "1");
    EXPECT_EQ(std::filesystem::last_write_time(ini), written) << "nothing written";

    // Ctrl held: the sheet again, no wizard now, and asked for next time.
    ui.HoldKey(VK_CONTROL);
    ui.OnDialog("Emulator Setting")
        .Do([this](platform::UiDialog& sheet) {
            EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");
            EXPECT_TRUE(sheet.IsVisible(IDOK));
            EXPECT_EQ(sheet.CheckState(res_id::kHideSheetCheck), BST_UNCHECKED);
            EXPECT_EQ(sheet.CheckState(res_id::kModeKeepFlash), BST_CHECKED) << "the saved connect mode";
            EXPECT_EQ(sheet.Text(res_id::kMcuGroup), "VK31X");
            EXPECT_EQ(sheet.Text(res_id::kDevice), "VK31D16") << "the device the hidden start chose";
        })
        .PressCancel();
    Initialise(false);
    ui.HoldKey(VK_CONTROL, false);
    EXPECT_EQ(Sheets(), 2u);
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "0");

    // And without Ctrl the sheet stays until it is told otherwise; Cancel
    // chooses nothing and saves nothing.
    ui.OnDialog("Emulator Setting").Pick(res_id::kModeProgramFlash).PressCancel();
    Initialise(false);
    EXPECT_EQ(Saved("CPU_SELECT", "EMUSEL"), "1");
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

}  // namespace
