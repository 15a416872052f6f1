// The option stores, the target configuration object and its accessors, the
// configuration handler's session options, and the session settings store.
#include "frame/error_codes.h"
#include "frame/host_conversions.h"
#include "frame/host_profile_accessor.h"
#include "monitor/flash_mode.h"
#include "monitor/monitor_control.h"
#include "config/device_data.h"
#include "startup/device_selection.h"
#include "target/monitor_objects.h"
#include "config/option_stores.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "target/target_cfg_vk3.h"
#include "monitor/monitor_control.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

#include "platform/bstr.h"
#include "platform/profile.h"
#include "sim/host/sim_host.h"
#include "sim/host/workspace_storage.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace {

struct ModeSettings {
    DWORD mode, value2, value3, value4, value5;
    bool operator==(const ModeSettings&) const = default;
};

ModeSettings Settings(const CBreakModeStore& store) {
    ModeSettings settings{};
    store.Get(&settings.mode, &settings.value2, &settings.value3, &settings.value4, &settings.value5);
    return settings;
}

TEST(BreakModeStore, StartsNormalAndItsTextKeepsModeValue2Value4AndValue5) {
    CBreakModeStore store;
    EXPECT_EQ(Settings(store), (ModeSettings{0, 1, 2, 0, 0}));
    EXPECT_EQ(store.Format(), "0 1 0 0");
    store.Set(3, 7, 9, 1, 5);
    EXPECT_EQ(store.Format(), "3 7 1 5");
    CBreakModeStore readBack;
    readBack.Set(0, 0, 4, 0, 0);
    EXPECT_TRUE(readBack.Parse(store.Format().c_str()));
    EXPECT_EQ(Settings(readBack), (ModeSettings{3, 7, 4, 1, 5}));  // value 3 keeps its value
    EXPECT_EQ(readBack.Differs(store), 1);
    store.Copy(readBack);
    EXPECT_EQ(readBack.Differs(store), 0);
}

TEST(BreakModeStore, ATextNamingNoModeIsRefusedAndShortTextsSetWhatTheyGive) {
    struct Case {
        const char* text;
        bool accepted;
        ModeSettings after;
    };
    const Case cases[] = {
        {"4 2 1 1", true, {4, 2, 2, 1, 1}},   {"5 2 1 1", false, {1, 6, 2, 1, 0}},
        {"-1 2 1 1", false, {1, 6, 2, 1, 0}}, {"99999999999 0 0 0", false, {1, 6, 2, 1, 0}},
        {"2", true, {2, 6, 2, 1, 0}},         {" 3 4", true, {3, 4, 2, 1, 0}},
        {"", true, {1, 6, 2, 1, 0}},          {"x 1 1 1", true, {1, 6, 2, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        CBreakModeStore store;
        store.Set(1, 6, 2, 1, 0);
        EXPECT_EQ(store.Parse(c.text), c.accepted);
        EXPECT_EQ(Settings(store), c.after);
        EXPECT_FALSE(store.GetName().empty() && store.Mode() != 0);
    }
}

TEST(BreakModeStore, ModeNamesLongAndShort) {
    const char* const names[] = {"Normal", "No Break", "Sequential break Condition 2-1",
                                 "Sequential break Condition 3-2-1", "Sequential break Condition 4-3-2-1"};
    const char* const shortNames[] = {"", "N", "S1", "S2", "S3"};
    for (DWORD mode = 0; mode < 5; ++mode) {
        CBreakModeStore store;
        store.Set(mode, 1, 2, 0, 0);
        EXPECT_EQ(store.GetName(), names[mode]);
        store.SetAlternativeNames(1);
        EXPECT_EQ(store.GetName(), shortNames[mode]);
    }
    CBreakModeStore beyond;
    beyond.Set(5, 1, 2, 0, 0);  // set directly, never read from a text
    EXPECT_EQ(beyond.GetName(), "");
}

TEST(StepOptionStore, TextRoundTripAndRefusal) {
    CStepOptionStore store;
    EXPECT_EQ(store.Format(), "0");
    EXPECT_TRUE(store.Parse("7"));
    EXPECT_EQ(store.Value(), 7u);
    EXPECT_FALSE(store.Parse("ERROR"));
    EXPECT_EQ(store.Value(), 7u);
    CStepOptionStore other;
    EXPECT_EQ(other.Differs(store), 1);
    store.Copy(other);
    EXPECT_EQ(other.Differs(store), 0);
}

// A device file in a temporary folder, current for the readers.
class DeviceFile : public ::testing::Test {
protected:
    void SetUp() override { std::snprintf(g_deviceSection, sizeof(g_deviceSection), "VKTEST"); }
    void TearDown() override {
        g_targetConfig.reset();
        g_deviceSection[0] = '\0';
        BuildCnfPath();
        g_monitorControl.reset();
    }
    void UseFile(const std::string& name, const std::string& content) {
        folder_.Write(name, content);
        std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%s", folder_.Windows(name).c_str());
    }
    testing_support::TempFolder folder_;
};

TEST_F(DeviceFile, TheConfigurationReadsItsValuesWithTheirDefaults) {
    struct Case {
        const char* file;
        DWORD statusTime;
        const char* device;
        const char* family;
        DWORD programSend;
        DWORD flashTop;
    };
    const Case cases[] = {
        {"[Q3v KTR4 TARGET]\r\nFAMILY NAME=Vk31X\r\nSTATUS TIME=250\r\n[VKTEST]\r\nDEVICE NAME=VK31D16\r\n"
         "PRG SEND=0\r\nFLASH TOP=0000C000\r\n",
         250, "VK31D16", "Vk31X", 0, 0xC000},
        {"[Q3v KTR4 TARGET]\r\nSTATUS TIME=0\r\n", 0, "", "", 1, 0xE000},
        {"[Q3v KTR4 TARGET]\r\nSTATUS TIME=\r\n[VKTEST]\r\nPRG SEND=zz\r\n", 500, "", "", 1, 0xE000},
        {"[OTHER]\r\n", 500, "", "", 1, 0xE000},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        UseFile("device" + std::to_string(n++) + ".cnf", c.file);
        g_clockIndex = 9;
        g_targetConfig = std::make_unique<CTargetConfig>();
        EXPECT_EQ(g_clockIndex, 3u);
        EXPECT_EQ(g_targetConfig->Create(), 0u);
        EXPECT_EQ(GetStatusTime(), c.statusTime);
        EXPECT_EQ(g_targetConfig->GetDeviceName(), c.device);
        EXPECT_EQ(g_targetConfig->GetFamilyName(), c.family);
        EXPECT_EQ(g_targetConfig->ProgramSend(), c.programSend);
        EXPECT_EQ(g_targetConfig->FlashTop(), c.flashTop);
        EXPECT_EQ(g_targetConfig->GetVersionTexts(), "00");
        EXPECT_EQ(g_targetConfig->GetEmulatorName(), "Q71N");
        std::string familyText;
        DWORD familyValue = 7;
        EXPECT_EQ(g_targetConfig->GetFamilyInfo(&familyText, &familyValue), 0u);
        EXPECT_EQ(familyText, "Vk314");
        EXPECT_EQ(familyValue, 0u);
        WORD major = 0;
        WORD minor = 0;
        g_targetConfig->GetVersionCode(&major, &minor);
        EXPECT_EQ(major, 9);
        EXPECT_EQ(minor, 80);
    }
}

TEST_F(DeviceFile, TheAccessorsServeTheStoresAndTellTheMonitorOfANewSpeed) {
    DWORD mode = 9;
    DWORD values[4] = {9, 9, 9, 9};
    GetBreakModeSettings(&mode, &values[0], &values[1], &values[2], &values[3]);  // no configuration: zeros
    EXPECT_EQ(mode, 0u);
    EXPECT_EQ(GetStatusTime(), 0u);
    EXPECT_EQ(SetBreakModeAndNotify(1, 2, 3, 4), 0);  // nothing kept, no monitor to tell

    UseFile("accessors.cnf", "[Q3v KTR4 TARGET]\r\n");
    g_targetConfig = std::make_unique<CTargetConfig>();
    // The monitor control is told of the speed; with no link it answers
    // the link's failure.
    g_monitorControl = std::make_unique<CMonitorControl>();
    EXPECT_EQ(SetBreakModeAndNotify(2, 5, 3, 1), 0x5346);
    GetBreakModeSettings(&mode, &values[0], &values[1], &values[2], &values[3]);
    EXPECT_EQ(mode, 2u);
    EXPECT_EQ(values[0], 5u);
    EXPECT_EQ(values[1], 3u);
    EXPECT_EQ(values[2], 1u);
    EXPECT_EQ(values[3], 0u);
    EXPECT_EQ(g_clockIndex, 3u);  // the option word plus one
    EXPECT_EQ(GetBreakModeName(), "Sequential break Condition 2-1");

    DWORD value = 9;
    SetStepInterruptMode(1);
    GetStepInterruptMode(&value);
    EXPECT_EQ(value, 1u);
    SetHaltOption(4);
    GetHaltOption(&value);
    EXPECT_EQ(value, 4u);
}

// The configuration handler's session options through the host's workspace.
class SessionOptions : public ::testing::Test {
protected:
    void SetUp() override {
        g_targetConfig = std::make_unique<CTargetConfig>();
        g_flashMode = 0;
        g_emuSel = 0;
        host_.OfferService(IID_IHWorkspaceStorage, &storage_);
    }
    void TearDown() override {
        g_targetConfig.reset();
        g_flashMode = 0;
        g_emuSel = 0;
    }
    std::string Stored(const std::string& name) const {
        return storage_.Stored("session|ws|proj|sess", std::string(ClsidToText(&CLSID_Q3vVk3Target)) + name);
    }
    void Store(const std::string& name, const std::string& value) {
        CHostProfileAccessorEx accessor(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        ASSERT_EQ(accessor.WriteString(name.c_str(), value.c_str()), S_OK);
    }

    testing_support::TempFolder folder_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    simhost::WorkspaceStorage storage_{log_, folder_.Windows("workspace.ini")};
    CTargetCfgVk3 handler_{"Vk3 Q3v SYSTEM", "VK31D16", &host_, 200, 0};
};

TEST_F(SessionOptions, TheHandlerDescribesTheTargetAndItsRoundingIsTheDenormalFlag) {
    platform::Bstr description;
    ASSERT_EQ(handler_.GetDescription(description.Out()), S_OK);
    EXPECT_EQ(description.Ansi(), "Vk3 Q3v SYSTEM\nEmulator\n1.03.00.002");
    EXPECT_EQ(handler_.GetSecondName(), "VK31D16");
    EXPECT_EQ(handler_.GetTypeCode(), 200u);
    EXPECT_EQ(handler_.GetDenormalFlag(), 0);
    handler_.SetRoundingMode(1);
    EXPECT_EQ(handler_.GetDenormalFlag(), 1);
}

TEST_F(SessionOptions, SavedOptionsReadBackAndTheRoundingReachesTheHost) {
    handler_.SetRoundingMode(1);
    g_targetConfig->BreakModeStore().Set(3, 4, 2, 1, 0);
    g_targetConfig->StepOptionStore().Set(1);
    g_flashMode = 2;
    {
        CHostProfileAccessorEx accessor(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        ASSERT_EQ(handler_.SaveTargetConfig(accessor), S_OK);
    }
    EXPECT_EQ(Stored("T_CONFIG_ROUND"), "RM_ZERO");
    EXPECT_EQ(Stored("T_CONFIG_GOOPTION"), "3 4 1 0");
    EXPECT_EQ(Stored("T_CONFIG_STEPOPTION"), "1");
    EXPECT_EQ(Stored("T_CONFIG_FLASH_MODE"), "2");

    handler_.SetRoundingMode(0);
    g_targetConfig->BreakModeStore().Set(0, 1, 2, 0, 0);
    g_targetConfig->StepOptionStore().Set(0);
    g_flashMode = 0;
    {
        CHostProfileAccessorEx accessor(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        ASSERT_EQ(handler_.LoadTargetConfig(accessor), S_OK);
    }
    EXPECT_EQ(handler_.GetRoundingMode(), 1);
    EXPECT_EQ(Settings(g_targetConfig->BreakModeStore()), (ModeSettings{3, 4, 2, 1, 0}));
    EXPECT_EQ(g_targetConfig->StepOptionStore().Value(), 1u);
    EXPECT_EQ(g_flashMode, 2u);
    EXPECT_EQ(host_.Rounding().Pairs(), (std::vector<std::pair<DWORD, DWORD>>{{0x300, 0x1000000}}));

    Store("T_CONFIG_ROUND", "RM_NEAR");
    CHostProfileAccessorEx accessor(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
    ASSERT_EQ(handler_.LoadTargetConfig(accessor), S_OK);
    EXPECT_EQ(host_.Rounding().Pairs().back(), (std::pair<DWORD, DWORD>{0, 0}));
}

TEST_F(SessionOptions, LoadEdgeCases) {
    struct Case {
        const char* name;
        std::vector<std::pair<std::string, std::string>> keys;
        DWORD connectMode;
        HRESULT result;
        WORD rounding;
        ModeSettings mode;
        DWORD step;
        DWORD flash;
    };
    const ModeSettings kept{2, 3, 2, 1, 0};
    const Case cases[] = {
        {"no keys keep everything", {}, 0, S_OK, 1, kept, 5, 1},
        {"flash mode 2 while debugging the rewrite mode", {{"T_CONFIG_FLASH_MODE", "2"}}, 3, S_OK, 1, kept, 5, 0},
        {"a bad rounding text", {{"T_CONFIG_ROUND", "RM_UP"}, {"T_CONFIG_STEPOPTION", "0"}}, 0, TE_NOT_AVAILABLE, 1,
         kept, 5, 1},
        {"a bad flash mode after the options",
         {{"T_CONFIG_ROUND", "RM_NEAR"}, {"T_CONFIG_GOOPTION", "4 1 0 0"}, {"T_CONFIG_FLASH_MODE", "often"}},
         0, TE_NOT_AVAILABLE, 0, {4, 1, 2, 0, 0}, 5, 1},
        {"a break mode beyond the names", {{"T_CONFIG_GOOPTION", "7 1 0 0"}}, 0, S_OK, 1, kept, 5, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        simhost::WorkspaceStorage storage(log_, folder_.Windows(std::string(c.name) + ".ini"));
        for (const auto& [key, value] : c.keys) {
            CHostProfileAccessorEx writer(&storage, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
            ASSERT_EQ(writer.WriteString(key.c_str(), value.c_str()), S_OK);
        }
        handler_.SetRoundingMode(1);
        g_targetConfig->BreakModeStore().Set(kept.mode, kept.value2, kept.value3, kept.value4, kept.value5);
        g_targetConfig->StepOptionStore().Set(5);
        g_flashMode = 1;
        g_emuSel = c.connectMode;
        CHostProfileAccessorEx accessor(&storage, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        EXPECT_EQ(handler_.LoadTargetConfig(accessor), c.result);
        EXPECT_EQ(handler_.GetRoundingMode(), c.rounding);
        EXPECT_EQ(Settings(g_targetConfig->BreakModeStore()), c.mode);
        EXPECT_EQ(g_targetConfig->StepOptionStore().Value(), c.step);
        EXPECT_EQ(g_flashMode, c.flash);
    }
}

TEST_F(SessionOptions, WithoutTheTargetConfigurationTheOptionTextsAreLeftOut) {
    g_targetConfig.reset();
    g_flashMode = 3;
    {
        CHostProfileAccessorEx accessor(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
        ASSERT_EQ(handler_.SaveTargetConfig(accessor), S_OK);
    }
    EXPECT_EQ(Stored("T_CONFIG_ROUND"), "RM_NEAR");
    EXPECT_EQ(Stored("T_CONFIG_FLASH_MODE"), "3");
    EXPECT_NE(Stored("T_CONFIG_GOOPTION").find("<missing>"), std::string::npos);
    EXPECT_NE(Stored("T_CONFIG_STEPOPTION").find("<missing>"), std::string::npos);
    Store("T_CONFIG_GOOPTION", "2 1 0 0");
    CHostProfileAccessorEx accessor(&storage_, "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
    EXPECT_EQ(handler_.LoadTargetConfig(accessor), S_OK);
}

// The session settings file lies where the host's data manager says.
class SessionStore : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(GetTarget()->Attach(&host_, 1), S_OK); }
    void TearDown() override { GetTarget()->Detach(1); }
    testing_support::TempFolder folder_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
};

TEST_F(SessionStore, WithoutASessionReadsGiveDefaultsAndNothingIsWritten) {
    EXPECT_FALSE(GetSessionIniPath().has_value());
    EXPECT_EQ(SessionIniWriteString("CPU_SELECT", "DEVICE", "VK31D16"), FALSE);
    char text[8] = "xxxxxxx";
    EXPECT_EQ(SessionIniGetString("CPU_SELECT", "DEVICE", "default-long", text, sizeof(text)), 0u);
    EXPECT_STREQ(text, "default");
    EXPECT_EQ(SessionIniGetInt("EMULATOR_SETTING", "HIDE_DIALOG", 7), 7u);
    // A data manager without a session gives no path either.
    simhost::WorkspaceStorage storage(log_, folder_.Windows("workspace.ini"));
    host_.UseDataStore(&storage);
    EXPECT_FALSE(GetSessionIniPath().has_value());
    EXPECT_TRUE(std::filesystem::is_empty(folder_.Native()));
}

TEST_F(SessionStore, TheFileIsTheSessionFolderTheNameAndIni) {
    host_.ChangeWorkspace([](simhost::WorkspaceState& state) {
        state.workspaceName = "ws";
        state.projectName = "proj";
    });
    host_.OpenSession(folder_.Windows(), "Debug Session");
    ASSERT_EQ(GetSessionIniPath(), folder_.Windows("Debug Session.ini"));
    EXPECT_EQ(SessionIniWriteHex("USER_DATA", "RESET", 255), TRUE);
    EXPECT_EQ(SessionIniWriteInt("CPU_SELECT", "EMUSEL", -2), TRUE);
    EXPECT_EQ(SessionIniWriteString("CPU_SELECT", "DEVICE", "VK31D16"), TRUE);
    char text[32] = "";
    EXPECT_EQ(SessionIniGetString("USER_DATA", "RESET", "", text, sizeof(text)), 2u);
    EXPECT_STREQ(text, "FF");
    EXPECT_EQ(SessionIniGetInt("CPU_SELECT", "EMUSEL", 0), static_cast<UINT>(-2));
    EXPECT_NE(folder_.Read("Debug Session.ini").find("DEVICE=VK31D16"), std::string::npos);
    const auto asked = log_.Find("SessionFolder");
    ASSERT_FALSE(asked.empty());
    EXPECT_EQ(asked.back().detail, "ws|proj");
}

}  // namespace
