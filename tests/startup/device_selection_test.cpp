// The start-up device selection: what the session's settings file chooses,
// when the Emulator Setting sheet opens, and what a new session takes from
// the host's own description.
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_names.h"
#include "startup/device_selection.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "tests/startup/setting_fixture.h"

#include "platform/common_controls.h"

#include <filesystem>
#include <functional>

namespace {

using settingtest::SettingTest;

class DeviceSelection : public SettingTest {
public:
    int Select() { return g_deviceSelection->LoadStartupDeviceSelection(0); }
    // A session that names the demo device and hides the sheet.
    void CompleteSession(const char* emuSel = "1") const {
        Session("CPU_SELECT", "MCU_GROUP", "VK31X");
        Session("CPU_SELECT", "DEVICE", "VK31D16");
        Session("CPU_SELECT", "EMUSEL", emuSel);
        Session("EMULATOR_SETTING", "HIDE_DIALOG", "1");
    }
};

TEST_F(DeviceSelection, ACompleteSessionChoosesItsDeviceWithoutTheSheet) {
    CompleteSession();
    Session("POWER_SUPPLY", "VOLTAGE_3_3", "1");
    Session("POWER_SUPPLY", "ENABLE_POWER_SUPPLY", "1");
    EXPECT_EQ(Select(), 0);
    EXPECT_TRUE(ui_.Dialogs().empty());
    EXPECT_EQ(g_deviceIndex, 0);
    EXPECT_EQ(g_emuSel, 1u);
    EXPECT_EQ(std::string(g_cnfPath), GetModuleDirectory() + "VK31X.cnf");
    EXPECT_STREQ(g_deviceSection, "VK31D16");
    EXPECT_EQ(g_deviceValues.maxAddr, 0xFFFFu) << "the device's data is read";
    EXPECT_EQ(g_powerSupplySettings.voltage33, 1u);
    EXPECT_EQ(g_powerSupplySettings.powerFromEmulator, 0u) << "not kept in the session, so off";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceSelection, WhatMakesTheSheetOpenAndWhatItLeaves) {
    struct Case {
        const char* name;
        std::function<void(DeviceSelection&)> session;
        bool holdCtrl;
        bool sheet;     // the sheet opens (and is cancelled)
        int result;
        DWORD emuSel;
        const char* hideDialog;  // saved afterwards
    };
    const Case cases[] = {
        {"EMUSEL 7 is connect mode 0", [](DeviceSelection& t) { t.CompleteSession("7"); }, false, false, 0, 0, "1"},
        {"EMUSEL 258 is 2 (its low byte)", [](DeviceSelection& t) { t.CompleteSession("258"); }, false, false, 0, 2,
         "1"},
        {"Ctrl shows the sheet and asks for it next time", [](DeviceSelection& t) { t.CompleteSession(); }, true, true,
         -1, 0, "0"},
        {"a device missing from the list shows the sheet",
         [](DeviceSelection& t) {
             t.CompleteSession();
             t.Session("CPU_SELECT", "DEVICE", "VK99Z99");
         },
         false, true, -1, 0, "0"},
        {"no group shows the sheet",
         [](DeviceSelection& t) {
             t.CompleteSession();
             t.Session("CPU_SELECT", "MCU_GROUP", "");
         },
         false, true, -1, 0, "0"},
        {"a group without its file shows the sheet",
         [](DeviceSelection& t) {
             t.CompleteSession();
             t.Session("CPU_SELECT", "MCU_GROUP", "NOGROUP");
         },
         false, true, -1, 0, "0"},
        {"HIDE_DIALOG 0 shows the sheet", [](DeviceSelection& t) {
             t.CompleteSession("2");
             t.Session("EMULATOR_SETTING", "HIDE_DIALOG", "0");
         },
         false, true, -1, 0, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Restart();
        c.session(*this);
        ui_.HoldKey(VK_CONTROL, c.holdCtrl);
        if (c.sheet) {
            ui_.OnDialog("Emulator Setting").PressCancel();
        }
        EXPECT_EQ(Select(), c.result);
        EXPECT_EQ(g_emuSel, c.emuSel);
        EXPECT_EQ(Saved("EMULATOR_SETTING", "HIDE_DIALOG"), c.hideDialog);
        EXPECT_EQ(g_deviceIndex, c.result == 0 ? 0 : -1);
        ui_.HoldKey(VK_CONTROL, false);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DeviceSelection, ProgrammingTheFlashOrTheRewriteModeTurnsTheStartAndStopFunctionsOff) {
    struct Case {
        const char* emuSel;
        DWORD support;
    };
    for (const Case c : {Case{"0", 1}, Case{"1", 1}, Case{"2", 0}, Case{"3", 0}}) {
        SCOPED_TRACE(c.emuSel);
        Session("CPU_SELECT", "MCU_GROUP", "LinkTestFiles\\FIRMSEL");
        Session("CPU_SELECT", "DEVICE", "VK31S48");
        Session("CPU_SELECT", "EMUSEL", c.emuSel);
        Session("EMULATOR_SETTING", "HIDE_DIALOG", "1");
        EXPECT_EQ(Select(), 0);
        EXPECT_EQ(g_deviceValues.supportStartStopFunc, c.support);
    }
}

TEST_F(DeviceSelection, ASavedFirmwareLocationIsAppliedOrRefusedWithoutMovingAnything) {
    Session("CPU_SELECT", "MCU_GROUP", "LinkTestFiles\\FIRMSEL");
    Session("CPU_SELECT", "DEVICE", "VK31S32");
    Session("EMULATOR_SETTING", "HIDE_DIALOG", "1");
    // Between the user-flash blocks: no block holds it.
    Session("FW_LOCATE", "ASE1TOP", "009000");
    EXPECT_EQ(Select(), -1);
    EXPECT_EQ(g_deviceIndex, -1);
    EXPECT_EQ(g_emuSel, 0u);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0xF000u) << "nothing moved";
    EXPECT_EQ(g_deviceValues.vectors[0], (std::array<BYTE, 4>{0x40, 0xF0, 0, 0}));
    EXPECT_EQ(g_deviceValues.firmBlockNo, 3u);

    Session("FW_LOCATE", "ASE1TOP", "004000");
    EXPECT_EQ(Select(), 0);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].top, 0x4000u);
    EXPECT_EQ(g_deviceAreas[kAreaAse1].end, 0x47FFu);
    EXPECT_EQ(g_deviceValues.vectors[0], (std::array<BYTE, 4>{0x40, 0x40, 0, 0}));
    EXPECT_EQ(g_deviceValues.firmResetAddr, (std::array<BYTE, 4>{0x20, 0x40, 0, 0}));
    EXPECT_EQ(g_deviceValues.firmBlockNo, 2u);
    EXPECT_TRUE(ui_.Dialogs().empty());
}

TEST_F(DeviceSelection, ANewSessionTakesTheHostsDescriptionBeforeTheWizardOpens) {
    struct Case {
        const char* description;
        const char* placement;
        const char* address;
        const char* block;
    };
    const Case cases[] = {
        {"[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|q3][FIRMWARE|F000,1]", "1", "F000", "<none>"},
        {"[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|Q3][FIRMWARE|2800]", "0", "<none>", "1"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description);
        Restart();
        host_.DeviceDescription().SetDescription(c.description);
        ui_.OnDialog("Emulator Setting")
            .Do([&](platform::UiDialog& sheet) {
                EXPECT_EQ(Saved("CPU_SELECT", "MCU_GROUP"), "VK31X");
                EXPECT_EQ(Saved("CPU_SELECT", "DEVICE"), "VK31D16");
                EXPECT_EQ(Saved("FW_LOCATE", "ENABLE_ADVANCED_SETTING"), "1");
                EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE"), c.placement);
                EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE_ADDRESS"), c.address);
                EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE_DATABLOCK"), c.block);
                EXPECT_TRUE(sheet.IsVisible(ID_WIZNEXT)) << "a wizard";
                EXPECT_FALSE(sheet.IsVisible(IDOK));
                EXPECT_EQ(sheet.Text(res_id::kDevice), "VK31D16") << "the host's device is chosen";
            })
            .PressCancel();
        EXPECT_EQ(Select(), -1);
    }
    host_.DeviceDescription().SetDescription(std::nullopt);
}

TEST_F(DeviceSelection, AnIncompleteHostDescriptionWritesNothing) {
    std::filesystem::remove(folder_.Native() / "session.ini");
    host_.DeviceDescription().SetDescription("[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|Z9][FIRMWARE|F000]");
    ui_.OnDialog("Emulator Setting")
        .Do([this](platform::UiDialog&) {
            EXPECT_EQ(Saved("CPU_SELECT", "MCU_GROUP"), "<none>");
            EXPECT_EQ(Saved("FW_LOCATE", "FWLOCATE"), "<none>");
        })
        .PressCancel();
    EXPECT_EQ(Select(), -1);
    host_.DeviceDescription().SetDescription(std::nullopt);
}

}  // namespace
