#include "tests/startup/setting_fixture.h"

#include "link/flash_blocks.h"
#include "monitor/flash_mode.h"
#include "config/device_data.h"
#include "startup/device_names.h"
#include "startup/device_selection.h"
#include "startup/protected_registers.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "target/target_vk3.h"

#include "platform/profile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace settingtest {

namespace {

void ResetDeviceData() {
    GetTarget()->GetSettingsCache().Clear();
    g_deviceValues = DeviceValues{};
    g_deviceAreas = {};
    g_protocolType = 0;
    g_swtiSupported = 0;
    g_emuSel = connect_mode::kEraseAndConnect;
    g_deviceIndex = -1;
    g_deviceSection[0] = '\0';
    g_registerListSelector = 0;
    g_powerSupplySettings = PowerSupplySettings{};
    g_flashBlocks = FlashBlockState{};
    g_flashMode = 0;
    g_protectedRegisters = CProtectedRegisterList{};
    SetDeviceNames("");
}

}  // namespace

void SettingTest::SetUp() {
    ResetDeviceData();
    UseOwnDeviceFile();
    host_.OpenSession(folder_.Windows(), "session");
    ASSERT_EQ(GetTarget()->Attach(&host_, 1), S_OK);
}

void SettingTest::TearDown() {
    GetTarget()->Detach(1);
    ResetDeviceData();
    BuildCnfPath();
}

void SettingTest::Restart() {
    TearDown();
    std::filesystem::remove(folder_.Native() / "session.ini");
    SetUp();
}

void SettingTest::UseOwnDeviceFile() {
    std::snprintf(g_cnfPath, sizeof(g_cnfPath), "%sQ3VVK3.CNF", GetModuleDirectory().c_str());
}

void SettingTest::Session(const char* section, const char* key, const char* value) const {
    ASSERT_TRUE(SessionIniWriteString(section, key, value));
}

std::string SettingTest::Saved(const char* section, const char* key) const {
    char text[256] = "";
    GetPrivateProfileStringA(section, key, "<none>", text, sizeof(text), folder_.Windows("session.ini").c_str());
    return text;
}

bool SettingTest::SessionFileExists() const {
    return std::filesystem::exists(folder_.Native() / "session.ini");
}

std::string SettingTest::SessionFile() const {
    // Its own bytes: the Windows run time would turn CR LF into LF.
    std::ifstream file(folder_.Native() / "session.ini", std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

std::vector<std::string> SettingTest::Messages() const {
    std::vector<std::string> texts;
    for (const auto& box : ui_.MessageBoxes()) {
        texts.push_back(box.text);
    }
    return texts;
}

void SettingTest::ChooseDevice(const std::string& group, int index) const {
    ASSERT_TRUE(FindDeviceConfigFile(group));
    g_deviceIndex = index;
    ASSERT_TRUE(LoadDeviceConfig(index));
}

}  // namespace settingtest
