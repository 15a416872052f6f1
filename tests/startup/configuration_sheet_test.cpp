// The Configuration sheet and the target configuration's operation that runs
// it, over the real link and the simulated emulator: OK applies only what
// changed (a new speed code and adapter flag reach the emulator's adapter),
// the host hears only of a new break mode, Cancel changes nothing; and the
// list fillers.
#include "link/adapter_registers.h"
#include "link/driver_list.h"
#include "link/flash_mirror.h"
#include "link/ule_drv_interface.h"
#include "monitor/flash_mode.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_selection.h"
#include "startup/list_fillers.h"
#include "config/session_settings.h"
#include "config/setting_sheets.h"
#include "config/target_config.h"
#include "target/target_vk3.h"
#include "tests/link/link_fixture.h"
#include "tests/startup/setting_fixture.h"

#include "platform/common_controls.h"
#include "platform/files.h"
#include "platform/host/ids.h"

#include <functional>
#include <set>
#include <string>

namespace linktest {
namespace {

struct Values {
    DWORD mode = 0, value2 = 0, value3 = 0, value4 = 0, value5 = 0;
    bool operator==(const Values&) const = default;
};

Values StoreValues() {
    Values v;
    GetBreakModeSettings(&v.mode, &v.value2, &v.value3, &v.value4, &v.value5);
    return v;
}

class ConfigurationSheet : public LinkTest {
protected:
    void SetUp() override {
        LinkTest::SetUp();
        StartFirmware();
        // A family whose devices have every setting of the page (the demo
        // device's hides twelve of them).
        g_deviceValues.cpuType = "Vk34X";
        SetBreakModeSettings(0, 2, 2, 0, 0);
        SetStepInterruptMode(0);
        g_flashMode = 0;
        g_registerListSelector = 0;
        GetTarget()->SetModified(0);
        log_.Clear();
    }
    void TearDown() override {
        SetSettingSheets(saved_);
        g_flashMode = 0;
        g_registerListSelector = 0;
        LinkTest::TearDown();
    }
    // The sheet replaced by one that changes the copies as change says.
    void ReplaceSheet(std::function<ConfigurationSheetOutcome(CBreakModeStore&, CStepOptionStore&)> sheet) {
        SettingSheets sheets = saved_;
        sheets.configurationSheet = std::move(sheet);
        SetSettingSheets(sheets);
    }
    std::vector<std::string> Posted() const {
        std::vector<std::string> events;
        for (const auto& call : log_.Find("PostEvent")) {
            events.push_back(call.detail);
        }
        return events;
    }
    bool AdapterFlag() const { return (ReadRegister(adapter_register::kStatus)[1] & adapter_register::kControlFlag) != 0; }

    const SettingSheets saved_ = GetSettingSheets();
};

TEST_F(ConfigurationSheet, TheStartUpObjectInstalledTheSheets) {
    EXPECT_TRUE(saved_.configurationSheet);
    EXPECT_TRUE(saved_.emulatorSettingSheet);
    EXPECT_EQ(saved_.owner, g_deviceSelection);
}

TEST_F(ConfigurationSheet, OkWithoutChangesAppliesNothing) {
    ui_.OnDialog(res_id::kGeneralPage)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.Caption(), "Configuration");
            EXPECT_EQ(sheet.Control(ID_APPLY_NOW), nullptr) << "no Apply button";
            EXPECT_EQ(sheet.Control(IDHELP), nullptr) << "no Help button";
            EXPECT_EQ(sheet.Text(res_id::kEmulationMode), "Normal");
            EXPECT_EQ(sheet.Text(res_id::kInterfaceClock), " 38400 bps") << "speed code 2 with protocol type 1";
            EXPECT_EQ(sheet.Text(res_id::kDeviceList), g_deviceSection) << "the device the session uses";
            EXPECT_EQ(sheet.Text(res_id::kStepOption), "Disables interrupts during single step execution");
            EXPECT_EQ(sheet.Text(res_id::kFlashSync), "Disable");
            EXPECT_EQ(sheet.CheckState(res_id::kNmiEmulator), BST_CHECKED);
            EXPECT_EQ(sheet.CheckState(res_id::kBreakConditionEmulator), BST_CHECKED);
        })
        .PressOk();
    const std::vector<BYTE> divider = ReadRegister(adapter_register::kDivider);
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_TRUE(FramesIn().empty()) << "nothing went to the emulator";
    EXPECT_EQ(ReadRegister(adapter_register::kDivider), divider);
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(StoreValues(), (Values{0, 2, 2, 0, 0}));
    EXPECT_EQ(GetTarget()->IsModified(), 1u);
}

TEST_F(ConfigurationSheet, OkAppliesWhatChangedAndTellsTheHostOfANewBreakMode) {
    ui_.OnDialog(res_id::kGeneralPage)
        .Select(res_id::kEmulationMode, "No break")
        .Pick(res_id::kNmiUser)
        .Pick(res_id::kBreakConditionUser)
        .Select(res_id::kStepOption, "Enables interrupts during single step execution")
        .Select(res_id::kFlashSync, "Flash memory to PC")
        .PressOk();
    ASSERT_FALSE(AdapterFlag());
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_EQ(StoreValues(), (Values{1, 2, 2, 1, 1})) << "the speed code and the third value as they were";
    EXPECT_TRUE(AdapterFlag()) << "the NMI mode reached the adapter";
    EXPECT_TRUE(FramesIn().empty()) << "no speed change";
    DWORD step = 0;
    GetStepInterruptMode(&step);
    EXPECT_EQ(step, 1u);
    EXPECT_EQ(g_flashMode.load(), 2u);
    EXPECT_EQ(Posted(), std::vector<std::string>{simhost::IdName(EVENT_BreakConditionChanged)});

    // The same break mode again: no event.
    ui_.OnDialog(res_id::kGeneralPage).Pick(res_id::kNmiEmulator).PressOk();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_FALSE(AdapterFlag());
    EXPECT_EQ(Posted().size(), 1u);
}

TEST_F(ConfigurationSheet, CancelChangesNothing) {
    ui_.OnDialog(res_id::kGeneralPage)
        .Select(res_id::kEmulationMode, "No break")
        .Pick(res_id::kNmiUser)
        .Select(res_id::kFlashSync, "Flash memory to PC")
        .PressCancel();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_EQ(StoreValues(), (Values{0, 2, 2, 0, 0}));
    EXPECT_EQ(g_flashMode.load(), 0u);
    EXPECT_FALSE(AdapterFlag());
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(GetTarget()->IsModified(), 0u);
}

TEST_F(ConfigurationSheet, TheRewriteModeLeavesTheFlashAlone) {
    g_emuSel = connect_mode::kCpuRewriteMode;
    g_flashMode = 3;
    ui_.OnDialog(res_id::kGeneralPage)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_FALSE(sheet.IsEnabled(res_id::kFlashSync));
            EXPECT_EQ(g_flashMode.load(), 0u);
        })
        .PressOk();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_EQ(g_flashMode.load(), 0u);
}

TEST_F(ConfigurationSheet, ANewSpeedCodeAndRegisterListReachTheEmulator) {
    ReplaceSheet([](CBreakModeStore& breakMode, CStepOptionStore&) {
        DWORD mode = 0, value2 = 0, value3 = 0, value4 = 0, value5 = 0;
        breakMode.Get(&mode, &value2, &value3, &value4, &value5);
        breakMode.Set(mode, 4, value3, value4, value5);
        g_registerListSelector = 1;
        return ConfigurationSheetOutcome{IDOK, false};
    });
    // The demo device's register list lies in its flash: the writes go to the
    // flash mirror.
    std::fill_n(g_flashMirror.begin() + 0xFFC8, 6, BYTE{0x5A});
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_EQ(StoreValues().value2, 4u);
    const std::vector<std::string> frames = FramesIn();
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames[0], "00 06 00 01 00 01 B4 81") << "speed code 4 with protocol type 1";
    EXPECT_EQ(ReadRegister(adapter_register::kDivider), (Bytes{0, 7, 0, 0}));
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xFFC8, g_flashMirror.begin() + 0xFFCE), Bytes(6, 0))
        << "the register list zeroed";
    EXPECT_TRUE(Posted().empty()) << "the break mode did not change";

    // The same selector again zeroes nothing.
    std::fill_n(g_flashMirror.begin() + 0xFFC8, 6, BYTE{0x5A});
    ClearFrames();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_EQ(Bytes(g_flashMirror.begin() + 0xFFC8, g_flashMirror.begin() + 0xFFCE), Bytes(6, 0x5A));
}

TEST_F(ConfigurationSheet, AChangedDriverOnlySavesTheDriverSelection) {
    // The driver list's selection in place of the fixture's interface.
    driver_.reset();
    g_driverFactory = new CUleDrvFactory;
    g_driverList = new CDriverList;
    g_driverList->AddDriver(testing_support::ProgramFolder().c_str(), "Q3vSimEmu.dll");
    ASSERT_EQ(g_driverList->SelectDriver(0), 0u);
    const std::string driverName = g_driverList->GetAt(0);
    SessionIniWriteString("Target", GetTargetSystemName(), "none");
    ClearFrames();
    ReplaceSheet([](CBreakModeStore& breakMode, CStepOptionStore& stepOption) {
        breakMode.Set(1, 5, 2, 1, 1);
        stepOption.Set(1);
        return ConfigurationSheetOutcome{IDOK, true};
    });
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    char saved[128] = "";
    SessionIniGetString("Target", GetTargetSystemName(), "", saved, sizeof(saved));
    EXPECT_EQ(std::string(saved), driverName) << "the selection saved";
    delete g_driverList;
    g_driverList = nullptr;
    delete g_driverFactory;
    g_driverFactory = nullptr;
    EXPECT_EQ(StoreValues(), (Values{0, 2, 2, 0, 0}));
    DWORD step = 7;
    GetStepInterruptMode(&step);
    EXPECT_EQ(step, 0u);
    EXPECT_TRUE(FramesIn().empty());
    EXPECT_TRUE(Posted().empty());
    EXPECT_EQ(GetTarget()->IsModified(), 0u);
}

TEST_F(ConfigurationSheet, TheFamiliesWithoutTheSettingsHideTwelveControls) {
    const int hidden[] = {res_id::kStepOptionLabel,       res_id::kNmiGroup,
                          res_id::kNmiEmulator,           res_id::kNmiUser,
                          res_id::kStepOption,            res_id::kBreakConditionGroup,
                          res_id::kBreakConditionEmulator, res_id::kBreakConditionUser,
                          res_id::kInterfaceClockGroup,   res_id::kStepOptionGroup,
                          res_id::kInterfaceClockLabel,   res_id::kInterfaceClock};
    // The lists show their choice; the other controls say "No Use".
    const std::set<int> lists = {res_id::kStepOption, res_id::kInterfaceClock};
    for (const char* family : {"Vk31X", "Vk32X", "Tn24", "Tn48", "Tn07 Family", "Vk34X"}) {
        SCOPED_TRACE(family);
        g_deviceValues.cpuType = family;
        const bool hides = std::string(family) != "Vk34X";
        ui_.OnDialog(res_id::kGeneralPage)
            .Do([&](platform::UiDialog& sheet) {
                for (const int id : hidden) {
                    EXPECT_EQ(sheet.IsVisible(id), !hides) << id;
                    if (hides && lists.count(id) == 0) {
                        EXPECT_EQ(sheet.Text(id), "No Use") << id;
                    }
                }
                EXPECT_TRUE(sheet.IsVisible(res_id::kDeviceList));
                EXPECT_TRUE(sheet.IsVisible(res_id::kFlashSync));
            })
            .PressCancel();
        EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    }
}

TEST_F(ConfigurationSheet, ChangingTheDriverLeavesOnlyClose) {
    const auto change = [](platform::UiDialog& sheet) {
        const HWND button = sheet.Control(res_id::kChangeDriver);
        EXPECT_FALSE(::IsWindowVisible(button)) << "hidden in the template";
        ::SendMessageA(::GetParent(button), WM_COMMAND, MAKEWPARAM(res_id::kChangeDriver, BN_CLICKED),
                       reinterpret_cast<LPARAM>(button));
    };
    ui_.OnDialog(res_id::kGeneralPage)
        .Do([this](platform::UiDialog&) { ui_.AnswerNextMessageBox(IDNO); })
        .Do(change)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_TRUE(sheet.IsEnabled(IDCANCEL)) << "No changes nothing";
            EXPECT_EQ(sheet.Text(IDOK), "OK");
        })
        .Do([this](platform::UiDialog&) {
            ui_.AnswerNextMessageBox(IDYES);
            ui_.OnDialog(res_id::kDriverSelectDialog).PressCancel();
        })
        .Do(change)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_FALSE(sheet.IsEnabled(IDCANCEL));
            EXPECT_EQ(sheet.Text(IDOK), "Close");
        })
        .PressOk();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    const std::string question =
        "Are you sure you want to modify your driver settings?\nThis will cause your emulator to be reinitialised, "
        "and you\nwill not be able to cancel any changes you make.";
    EXPECT_EQ(Messages(), (std::vector<std::string>{question, question}));
    EXPECT_EQ(ui_.MessageBoxes()[0].Buttons(), static_cast<UINT>(MB_YESNO));
    EXPECT_EQ(ui_.Dialogs().size(), 2u) << "the sheet and the driver dialog";
    EXPECT_TRUE(Posted().empty()) << "a changed driver applies none of the page's values";
    delete g_driverList;
    g_driverList = nullptr;
    delete g_driverFactory;
    g_driverFactory = nullptr;
}

TEST_F(ConfigurationSheet, TheUsersNmiSignalIsConfirmed) {
    ui_.OnDialog(res_id::kGeneralPage)
        .Do([this](platform::UiDialog&) { ui_.AnswerNextMessageBox(IDNO); })
        .Pick(res_id::kNmiUser)
        .Do([](platform::UiDialog& sheet) {
            EXPECT_EQ(sheet.CheckState(res_id::kNmiEmulator), BST_CHECKED) << "back to Emulator";
            EXPECT_EQ(sheet.CheckState(res_id::kNmiUser), BST_UNCHECKED);
        })
        .Do([this](platform::UiDialog&) { ui_.AnswerNextMessageBox(IDYES); })
        .Pick(res_id::kNmiUser)
        .PressOk();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_EQ(Messages(), (std::vector<std::string>{"Can not use STOP button and HALT command",
                                                    "Can not use STOP button and HALT command"}));
    EXPECT_EQ(StoreValues().value4, 1u) << "the NMI signal is the user's";
}

TEST_F(ConfigurationSheet, F1ShowsTheControlsPopUpFromTheModulesHelpFile) {
    const std::string helpFile = testing_support::ProgramFolder() + "startup_tests.hlp";
    ui_.OnDialog(res_id::kGeneralPage).Help(res_id::kFlashSync).PressCancel();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    EXPECT_TRUE(ui_.HelpCalls().empty()) << "no help file";
    CloseHandle(CreateFileA(helpFile.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                            nullptr));
    ui_.OnDialog(res_id::kGeneralPage).Help(res_id::kFlashSync).PressCancel();
    EXPECT_EQ(g_targetConfig->RunConfigurationSheet(), 0u);
    DeleteFileA(helpFile.c_str());
    const auto calls = ui_.HelpCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, helpFile);
    EXPECT_EQ(calls[0].command, static_cast<UINT>(HELP_CONTEXTPOPUP));
    EXPECT_EQ(calls[0].data, 0x80000000u + (217u << 16) + 1027u);
}

TEST(ListFillers, TheirEntries) {
    const auto texts = [](CComboBox& combo) {
        std::vector<std::string> items;
        for (int i = 0; i < combo.GetCount(); ++i) {
            CString text;
            combo.GetLBText(i, text);
            items.push_back(text.Str());
        }
        return items;
    };
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    CComboBox combo;
    ASSERT_TRUE(combo.Create(CBS_DROPDOWNLIST | WS_CHILD, CRect(0, 0, 100, 100), &parent, 1));
    combo.AddString("stale");
    FillBreakModeList(combo);
    EXPECT_EQ(texts(combo), (std::vector<std::string>{"Normal", "No break"}));
    FillFlashSyncList(combo);
    EXPECT_EQ(texts(combo), (std::vector<std::string>{"Disable", "PC to flash memory", "Flash memory to PC",
                                                      "PC to flash memory, Flash memory to PC"}));
    // The speed list shows the speed code in force, by protocol type.
    g_targetConfig = std::make_unique<CTargetConfig>();
    struct Case {
        DWORD protocol;
        DWORD code;
        std::vector<std::string> expected;
    };
    for (const Case& c : {Case{1, 0, {"  9600 bps"}}, Case{1, 6, {"500000 bps"}}, Case{2, 0, {"62.5 kHz"}},
                          Case{3, 4, {"  1 MHz"}}, Case{1, 7, {}}}) {
        g_protocolType = c.protocol;
        SetBreakModeSettings(0, c.code, 2, 0, 0);
        FillSpeedList(combo);
        EXPECT_EQ(texts(combo), c.expected) << c.protocol << " " << c.code;
    }
    g_targetConfig.reset();
    g_protocolType = 0;
}

}  // namespace
}  // namespace linktest
