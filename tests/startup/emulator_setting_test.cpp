// The Emulator Setting sheet and its Emulator mode page through the UI
// driver: what leaving the page refuses, the power controls, what OK saves
// at start-up and while a device is chosen, and the check box.
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_names.h"
#include "startup/device_selection.h"
#include "startup/emulator_setting_dlg.h"
#include "tests/startup/setting_fixture.h"

#include "platform/common_controls.h"

#include <functional>
#include <vector>

namespace {

using settingtest::SettingTest;

class EmulatorSetting : public SettingTest {
public:
    // Runs the sheet in the mode, answering with the script.
    INT_PTR Run(int mode) {
        CEmulatorSettingDialog sheet;
        sheet.SetMode(mode);
        return sheet.DoModalAndSave();
    }
    // A session whose settings file exists, so the sheet is no wizard.
    void ExistingSession() const {
        Session("CPU_SELECT", "MCU_GROUP", "VK31X");
        Session("CPU_SELECT", "DEVICE", "VK31D16");
    }
};

TEST_F(EmulatorSetting, LeavingThePageRefusesWhatCannotBeUsed) {
    struct Case {
        const char* name;
        const char* group;   // the saved group (its file exists)
        int deviceIndex;     // the chosen device of that file
        std::function<void(platform::ScriptedUiDriver::DialogScript&)> steps;
        std::vector<std::string> messages;
        const char* caption;  // of the first message
    };
    const Case cases[] = {
        {"no device: the group is not in the list", "", -1, [](auto&) {},
         {"Please select MCU group and device."}, "ERROR"},
        {"a group file of another version", "LinkTestFiles\\OLDVER", 0, [](auto&) {},
         {"Doesn't correspond to the selected configuration file."}, nullptr},
        {"power without a voltage", "VK31X", 0, [](auto& script) { script.Click(res_id::kPowerFromEmulator); },
         {"Select voltage."}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        ExistingSession();
        Session("CPU_SELECT", "MCU_GROUP", c.group);
        if (c.deviceIndex >= 0) {
            ChooseDevice(c.group, c.deviceIndex);
        }
        const std::size_t shown = ui_.MessageBoxes().size();
        auto& script = ui_.OnDialog(res_id::kEmulatorModePage);
        c.steps(script);
        script.PressOk()
            .Do([](platform::UiDialog& sheet) {
                EXPECT_TRUE(sheet.IsOpen()) << "the sheet stays";
                EXPECT_EQ(sheet.ActivePage(), 0);
                EXPECT_EQ(::SendMessageA(sheet.Window(), PSM_SETCURSEL, 1, 0), FALSE) << "nor turns the page";
            })
            .PressCancel();
        EXPECT_EQ(Run(CEmulatorSettingDialog::kStartUp), 2);
        std::vector<std::string> expected = c.messages;
        expected.insert(expected.end(), c.messages.begin(), c.messages.end());
        const std::vector<std::string> all = Messages();
        EXPECT_EQ(std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(shown), all.end()), expected);
        if (c.caption != nullptr) {
            EXPECT_EQ(ui_.MessageBoxes()[shown].caption, c.caption);
        }
        EXPECT_EQ(Saved("CPU_SELECT", "EMUSEL"), "<none>") << "a cancelled sheet saves nothing";
    }
}

TEST_F(EmulatorSetting, OkAtStartUpSavesTheChoiceAndTheCheckBoxLeavesTheSupplyOffThisTime) {
    ExistingSession();
    ChooseDevice("VK31X", 0);
    ui_.OnDialog(res_id::kEmulatorModePage)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.Text(res_id::kMcuGroup), "VK31X");
            EXPECT_EQ(sheet.Text(res_id::kDevice), "VK31D16");
            EXPECT_FALSE(sheet.IsVisible(ID_WIZNEXT)) << "no wizard for an existing session";
            EXPECT_EQ(sheet.CheckState(res_id::kHideSheetCheck), BST_UNCHECKED);
        })
        .Pick(res_id::kModeProgramFlash)
        .Click(res_id::kPowerFromEmulator)
        .Pick(res_id::kVoltage33)
        .Check(res_id::kHideSheetCheck)
        .PressOk();
    EXPECT_EQ(Run(CEmulatorSettingDialog::kStartUp), 1);
    EXPECT_EQ(Saved("CPU_SELECT", "MCU_GROUP"), "VK31X");
    EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31D16");
    EXPECT_EQ(Saved("CPU_SELECT", "EMUSEL"), "2");
    EXPECT_EQ(Saved("POWER_SUPPLY", "VOLTAGE_3_3"), "1");
    EXPECT_EQ(Saved("POWER_SUPPLY", "VOLTAGE_5_0"), "0");
    EXPECT_EQ(Saved("POWER_SUPPLY", "ENABLE_POWER_SUPPLY"), "<none>") << "the power is not kept in the session";
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "1");
    EXPECT_EQ(Saved("RESET_RELEASE", "ENABLE"), "0");
    EXPECT_EQ(Saved("COMMUNI", "COMSPEED"), "6") << "the communication page's OK";
    EXPECT_EQ(g_emuSel, 2u);
    EXPECT_EQ(g_deviceIndex, 0);
    EXPECT_EQ(g_powerSupplySettings.voltage33, 1u);
    EXPECT_EQ(g_powerSupplySettings.powerFromEmulator, 0u) << "the sheet will not show again: no supply this time";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EmulatorSetting, WhileADeviceIsChosenOnlyTheCheckBoxAndTheRunAfterDebuggingAreSaved) {
    ExistingSession();
    Session("CPU_SELECT", "EMUSEL", "2");
    Session("COMMUNI", "COMSPEED", "3");
    ChooseDevice("VK31X", 0);
    g_emuSel = 2;
    const std::string before = SessionFile();
    ui_.OnDialog(res_id::kEmulatorModePage)
        .Do([](platform::UiDialog& sheet) {
            for (const int id : {res_id::kMcuGroup, res_id::kDevice, res_id::kModeErase, res_id::kModeKeepFlash,
                                 res_id::kModeProgramFlash, res_id::kModeRewrite, res_id::kPowerFromEmulator,
                                 res_id::kVoltage33, res_id::kVoltage50}) {
                EXPECT_FALSE(sheet.IsEnabled(id)) << id;
            }
            EXPECT_TRUE(sheet.IsEnabled(res_id::kRunAfterDebugging)) << "in program-flash mode";
        })
        .Check(res_id::kRunAfterDebugging)
        .Check(res_id::kHideSheetCheck)
        .SelectPage(2)
        .Do([](platform::UiDialog& sheet) { EXPECT_FALSE(sheet.IsEnabled(res_id::kSpeedList)); })
        .PressOk();
    EXPECT_EQ(Run(CEmulatorSettingDialog::kConfigured), 1);
    EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), "1");
    EXPECT_EQ(Saved("RESET_RELEASE", "ENABLE"), "1");
    // Nothing else changed.
    std::string after = SessionFile();
    for (const char* line : {"[EMULATOR_SETTING]\r\nHIDE_DIALOG=1\r\n", "[RESET_RELEASE]\r\nENABLE=1\r\n"}) {
        const std::size_t at = after.find(line);
        ASSERT_NE(at, std::string::npos) << line;
        after.erase(at, std::string(line).size());
    }
    EXPECT_EQ(after, before);
}

TEST_F(EmulatorSetting, ThePowerControlsFollowTheDeviceAndTheMode) {
    struct Case {
        const char* name;
        const char* group;
        int device;
        DWORD emuSel;
        std::function<void(platform::ScriptedUiDriver::DialogScript&)> steps;
        bool power, volt33, volt50, runAfter;  // enabled
        int volt50Check;  // -1: either
    };
    const Case cases[] = {
        {"power off: no voltage, running on only when programming", "VK31X", 0, 0, [](auto&) {}, true, false, false,
         false, -1},
        {"program flash lets the program run on", "VK31X", 0, 0,
         [](auto& s) { s.Pick(res_id::kModeProgramFlash); }, true, false, false, true, -1},
        {"any other mode does not", "VK31X", 0, 2, [](auto& s) { s.Pick(res_id::kModeKeepFlash); }, true, false,
         false, false, -1},
        {"power on: both voltages, no running on", "VK31X", 0, 2, [](auto& s) { s.Click(res_id::kPowerFromEmulator); },
         true, true, true, false, BST_CHECKED},
        {"a device that forbids 5 V clears and disables it", "LinkTestFiles\\FIRMSEL", 0, 0,
         [](auto& s) { s.Click(res_id::kPowerFromEmulator); }, true, true, false, false, BST_UNCHECKED},
        {"a device the emulator cannot power", "LinkTestFiles\\FIRMSEL", 1, 0, [](auto&) {}, false, false, false,
         false, BST_UNCHECKED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        ExistingSession();
        Session("CPU_SELECT", "MCU_GROUP", c.group);
        ChooseDevice(c.group, c.device);
        g_emuSel = c.emuSel;
        g_powerSupplySettings.voltage50 = 1;
        auto& script = ui_.OnDialog(res_id::kEmulatorModePage);
        c.steps(script);
        script
            .Do([&c](platform::UiDialog& sheet) {
                EXPECT_EQ(sheet.IsEnabled(res_id::kPowerFromEmulator), c.power);
                EXPECT_EQ(sheet.IsEnabled(res_id::kVoltage33), c.volt33);
                EXPECT_EQ(sheet.IsEnabled(res_id::kVoltage50), c.volt50);
                EXPECT_EQ(sheet.IsEnabled(res_id::kRunAfterDebugging), c.runAfter);
                if (c.volt50Check >= 0) {
                    EXPECT_EQ(sheet.CheckState(res_id::kVoltage50), c.volt50Check);
                }
            })
            .PressCancel();
        EXPECT_EQ(Run(CEmulatorSettingDialog::kStartUp), 2);
    }
}

TEST_F(EmulatorSetting, OkNeitherAppliesNorSavesASavedFirmwareAddressNoBlockHolds) {
    // The Firmware Location page, made unseen when the sheet opened, is never
    // left: its OK meets the saved address as it stands.
    ExistingSession();
    Session("CPU_SELECT", "MCU_GROUP", "LinkTestFiles\\FIRMSEL");
    Session("CPU_SELECT", "DEVICE", "VK31S32");
    Session("FW_LOCATE", "FWLOCATE", "1");
    Session("FW_LOCATE", "ENABLE_ADVANCED_SETTING", "1");
    Session("FW_LOCATE", "FWLOCATE_ADDRESS", "009000");  // in range, between the user-flash blocks
    ChooseDevice("LinkTestFiles\\FIRMSEL", 0);
    ui_.OnDialog(res_id::kEmulatorModePage).PressOk();
    EXPECT_EQ(Run(CEmulatorSettingDialog::kStartUp), 1);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0xF000u) << "nothing moved";
    EXPECT_EQ(g_deviceValues.vectors[0], (std::array<BYTE, 4>{0x40, 0xF0, 0, 0}));
    EXPECT_EQ(g_deviceValues.firmBlockNo, 3u);
    EXPECT_EQ(Saved("FW_LOCATE", "ASE1TOP"), "<none>") << "so the next start does not refuse it";
    EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE_ADDRESS"), "009000");
    EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31S32") << "the rest of the sheet is saved";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EmulatorSetting, ChoosingAGroupFillsItsDevicesAndReadsTheChosenOne) {
    ExistingSession();
    Session("CPU_SELECT", "MCU_GROUP", "");
    g_deviceValues.maxAddr = 0;
    ui_.OnDialog(res_id::kEmulatorModePage)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.Text(res_id::kMcuGroup), "") << "the saved group is in no list";
            EXPECT_EQ(sheet.Text(res_id::kDevice), "");
        })
        .Select(res_id::kMcuGroup, "VK31X")
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.Text(res_id::kDevice), "VK31D16");
            EXPECT_EQ(g_deviceValues.maxAddr, 0xFFFFu) << "the device's data is read at once";
        })
        .PressCancel();
    EXPECT_EQ(Run(CEmulatorSettingDialog::kStartUp), 2);
    EXPECT_EQ(g_deviceValues.maxAddr, 0xFFFFu) << "a cancelled sheet leaves the chosen device's data";
}

}  // namespace
