#include "config/target_config.h"

#include "config/device_data.h"
#include "config/settings_files.h"
#include "util/scan_values.h"

std::unique_ptr<CTargetConfig> g_targetConfig;
DWORD g_clockIndex = 3;

namespace {

constexpr char kTargetSection[] = "Q3v KTR4 TARGET";
constexpr int kNameSize = 20;

std::string ReadName(const char* section, const char* key) {
    char text[kNameSize] = "";
    ReadProfileString(section, key, "", text, sizeof(text), g_cnfPath);
    return text;
}

// A key's value scanned with format, or the default when it does not scan.
DWORD ReadScanned(const char* section, const char* key, const char* format, int size, DWORD defaultValue) {
    std::string text(static_cast<std::size_t>(size), '\0');
    ReadProfileString(section, key, "", text.data(), size, g_cnfPath);
    DWORD value = defaultValue;
    if (ScanValues(text.c_str(), format, &value) != 1) {
        return defaultValue;
    }
    return value;
}

}  // namespace

CTargetConfig::CTargetConfig() {
    g_clockIndex = 3;
    m_deviceName = ReadName(g_deviceSection, "DEVICE NAME");
    m_programSend = ReadScanned(g_deviceSection, "PRG SEND", " %x", 128, 1);
    m_flashTop = ReadScanned(g_deviceSection, "FLASH TOP", " %8x", 128, 0xE000);
    m_familyName = ReadName(kTargetSection, "FAMILY NAME");
}

DWORD CTargetConfig::Create() {
    m_statusTime = ReadScanned(kTargetSection, "STATUS TIME", " %d", 512, kDefaultStatusTime);
    return 0;
}

DWORD CTargetConfig::Destroy() {
    // The stores are members: they go with the object.
    return 0;
}

DWORD CTargetConfig::GetFamilyInfo(std::string* text, DWORD* value) const {
    *text = "Vk314";
    *value = 0;
    return 0;
}

void CTargetConfig::GetVersionCode(WORD* major, WORD* minor) const {
    *major = 9;
    *minor = 80;
}

void SetBreakModeSettings(DWORD mode, DWORD value2, DWORD value3, DWORD value4, DWORD value5) {
    if (g_targetConfig == nullptr) {
        return;
    }
    g_targetConfig->BreakModeStore().Set(mode, value2, value3, value4, value5);
    g_clockIndex = g_targetConfig->OptionWord() + 1;
}

void GetBreakModeSettings(DWORD* mode, DWORD* value2, DWORD* value3, DWORD* value4, DWORD* value5) {
    if (g_targetConfig == nullptr) {
        *mode = *value2 = *value3 = *value4 = *value5 = 0;
        return;
    }
    g_targetConfig->BreakModeStore().Get(mode, value2, value3, value4, value5);
}

BreakModeValues GetBreakModeValues() {
    return g_targetConfig != nullptr ? g_targetConfig->BreakModeStore().Values() : BreakModeValues{};
}

DWORD GetBreakConditionMode() {
    return GetBreakModeValues().value5;
}

std::string GetBreakModeName() {
    return g_targetConfig != nullptr ? g_targetConfig->BreakModeStore().GetName() : std::string();
}

void SetStepInterruptMode(DWORD value) {
    if (g_targetConfig != nullptr) {
        g_targetConfig->StepOptionStore().Set(value);
    }
}

void GetStepInterruptMode(DWORD* value) {
    *value = g_targetConfig != nullptr ? g_targetConfig->StepOptionStore().Value() : 0;
}

void SetHaltOption(DWORD value) {
    if (g_targetConfig != nullptr) {
        g_targetConfig->SetHaltOption(value);
    }
}

void GetHaltOption(DWORD* value) {
    *value = g_targetConfig != nullptr ? g_targetConfig->HaltOption() : 0;
}

DWORD GetStatusTime() {
    return g_targetConfig != nullptr ? g_targetConfig->StatusTime() : 0;
}

void ClearTargetConfigFlag() {
    if (g_targetConfig != nullptr) {
        g_targetConfig->ClearConnectFlag();
    }
}

DWORD GetEmulationMode() {
    return g_targetConfig != nullptr ? g_targetConfig->EmulationMode() : 0;
}

