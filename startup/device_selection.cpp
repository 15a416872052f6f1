#include "startup/device_selection.h"

#include "startup/configuration_sheet.h"
#include "startup/device_config.h"
#include "config/device_data.h"
#include "startup/device_file.h"
#include "startup/device_names.h"
#include "startup/emulator_setting_dlg.h"
#include "startup/firmware_location_page.h"
#include "startup/start_stop_dialog.h"
#include "config/session_settings.h"
#include "config/setting_sheets.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "util/scan_values.h"

#include "platform/afx.h"
#include "platform/crt_strings.h"
#include "platform/profile.h"
#include "platform/windows_ui.h"

#include <cstring>

int g_deviceIndex = -1;
CDeviceSelection* g_deviceSelection = nullptr;
char g_deviceSection[20] = "";

static_assert(kDeviceNameLength < sizeof(g_deviceSection), "a device name fits the section field");

namespace {

constexpr char kCpuSelect[] = "CPU_SELECT";
constexpr char kEmulatorSetting[] = "EMULATOR_SETTING";
constexpr char kPowerSupply[] = "POWER_SUPPLY";
constexpr char kFirmwareLocation[] = "FW_LOCATE";
constexpr char kGroupSection[] = "Q3v KTR4 TARGET";
constexpr DWORD kSessionTextSize = 256;
constexpr int kDeviceListSize = 2048;

std::string SessionText(const char* section, const char* key) {
    char text[kSessionTextSize] = "";
    SessionIniGetString(section, key, "", text, sizeof(text));
    return text;
}

bool SessionIniExists() {
    const std::optional<std::string> path = GetSessionIniPath();
    return path && FileExists(*path);
}

void SetDeviceFilePath(const std::string& path) {
    if (path.size() < sizeof(g_cnfPath)) {
        std::memcpy(g_cnfPath, path.c_str(), path.size() + 1);
    }
}

// "EMUSEL": the low 8 bits of the number; 0 when empty or above 3.
DWORD ReadConnectMode() {
    const std::string text = SessionText(kCpuSelect, "EMUSEL");
    DWORD value = 0;
    if (text.empty() || ScanValues(text.c_str(), "%d", &value) != 1) {
        return connect_mode::kEraseAndConnect;
    }
    value &= 0xFF;
    return value > connect_mode::kCpuRewriteMode ? connect_mode::kEraseAndConnect : value;
}

// "HIDE_DIALOG" as the start-up takes it: 0 while Ctrl is held, which also
// asks for the sheet next time.
void ForceSheet(int& hideDialog) {
    hideDialog = 0;
    if (SessionIniExists()) {
        SessionIniWriteString(kEmulatorSetting, "HIDE_DIALOG", "0");
    }
}

void ReadPowerSupply() {
    PowerSupplySettings& power = g_powerSupplySettings;
    if (IsPowerSettingSaved()) {
        power.powerFromEmulator =
            SessionIniGetInt(kPowerSupply, "ENABLE_POWER_SUPPLY", static_cast<INT>(power.powerFromEmulator));
    }
    power.voltage50 = SessionIniGetInt(kPowerSupply, "VOLTAGE_5_0", static_cast<INT>(power.voltage50));
    power.voltage33 = SessionIniGetInt(kPowerSupply, "VOLTAGE_3_3", static_cast<INT>(power.voltage33));
}

// The saved firmware location ("ASE1TOP", at most six hexadecimal digits;
// the ASE1 area's top without it), applied when the sheet is not shown.
bool ApplySavedFirmwareLocation() {
    if (g_deviceValues.firmSelect != 1) {
        return true;
    }
    DWORD address = g_deviceAreas[kAreaAse1].top;
    const std::string text = SessionText(kFirmwareLocation, "ASE1TOP");
    if (!text.empty()) {
        static_cast<void>(ScanValues(text.c_str(), "%6x", &address));  // the area's top when it does not scan
    }
    return CFirmwareLocationPageVk3::ApplyForDevice(address) != 0;
}

int Refuse() {
    g_deviceIndex = -1;
    g_emuSel = connect_mode::kEraseAndConnect;
    return -1;
}

int SelectDevice(int listSelector) {
    bool hostComplete = false;
    if (!SessionIniExists()) {
        CDeviceConfig config;
        DeviceSelectionRecord record;
        if (config.Read(record)) {
            SaveEmulatorSelection(record);
            hostComplete = true;
        }
    }
    const std::string& folder = GetModuleDirectory();
    if (const std::string group = SessionText(kCpuSelect, "MCU_GROUP");
        !group.empty() && FileExists(folder + group + ".cnf")) {
        SetDeviceFilePath(folder + group + ".cnf");
    }
    char list[kDeviceListSize] = "";
    ReadProfileString(kGroupSection, listSelector == 1 ? "CPU NAME_L" : "CPU NAME", "", list, sizeof(list), g_cnfPath);
    SetDeviceNames(list);
    DWORD connectMode = ReadConnectMode();

    const std::string savedGroup = SessionText(kCpuSelect, "MCU_GROUP");
    const std::string group = savedGroup.empty() ? GetPluginModuleName() : savedGroup;
    if (!FindDeviceConfigFile(group)) {
        static_cast<void>(FindDeviceConfigFile(GetPluginModuleName()));  // the plug-in's own file stays when absent
        connectMode = connect_mode::kEraseAndConnect;
        SessionIniWriteString(kEmulatorSetting, "HIDE_DIALOG", "0");
    }
    g_deviceIndex = FindDeviceName(SessionText(kCpuSelect, "DEVICE"));
    static_cast<void>(LoadDeviceConfig(g_deviceIndex));  // without a device nothing is read
    ReadPowerSupply();

    int hideDialog = static_cast<int>(SessionIniGetInt(kEmulatorSetting, "HIDE_DIALOG", 0));
    if (GetKeyState(VK_CONTROL) < 0) {
        ForceSheet(hideDialog);
    }
    g_emuSel = connectMode;
    if (g_deviceIndex < 0 || savedGroup.empty()) {
        ForceSheet(hideDialog);
    }
    if (hideDialog == 1) {
        if (!IsPowerSettingSaved()) {
            g_powerSupplySettings.powerFromEmulator = 0;
        }
        return ApplySavedFirmwareLocation() ? 0 : Refuse();
    }
    CEmulatorSettingDialog sheet;
    sheet.SetHostDescriptionComplete(hostComplete);
    sheet.SetMode(CEmulatorSettingDialog::kStartUp);
    return sheet.DoModalAndSave() == 1 ? 0 : Refuse();
}

}  // namespace

CDeviceSelection::CDeviceSelection() {
    if (GetSettingSheets().owner == nullptr) {
        SetSettingSheets(SettingSheets{this, RunConfigurationSheetOn, RunEmulatorSettingSheetConfigured,
                                       [] { CStartStopFunctionDialog().DoModal(); }});
    }
}

CDeviceSelection::~CDeviceSelection() {
    RemoveSettingSheets(this);
}

int CDeviceSelection::LoadStartupDeviceSelection(int listSelector) {
    // The sheet's templates and texts are the plug-in's.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const int result = SelectDevice(listSelector);
    // The start and stop functions are off while the flash is programmed or
    // the CPU rewrite mode is debugged.
    if (g_emuSel == connect_mode::kProgramFlash || g_emuSel == connect_mode::kCpuRewriteMode) {
        g_deviceValues.supportStartStopFunc = 0;
    }
    return result;
}

std::string CDeviceSelection::GetDeviceName(int index) const {
    const std::vector<std::string>& names = GetDeviceNames();
    return index >= 0 && static_cast<std::size_t>(index) < names.size() ? names[static_cast<std::size_t>(index)]
                                                                         : std::string();
}

void CDeviceSelection::ReadDeviceConfigFile() {
    ReadDeviceDescription(g_cnfPath, g_deviceSection);
}

void SaveEmulatorSelection(const DeviceSelectionRecord& record) {
    SessionIniWriteString(kCpuSelect, "MCU_GROUP", record.mcuGroup.c_str());
    SessionIniWriteString(kCpuSelect, "DEVICE", record.device.c_str());
    SessionIniWriteString(kFirmwareLocation, "ENABLE_ADVANCED_SETTING", "1");
    if (record.placementByAddress != 0) {
        SessionIniWriteString(kFirmwareLocation, "FWLOCATE", "1");
        SessionIniWriteHex(kFirmwareLocation, "FWLOCATE_ADDRESS", record.firmwareAddress);
    } else {
        SessionIniWriteString(kFirmwareLocation, "FWLOCATE", "0");
        SessionIniWriteInt(kFirmwareLocation, "FWLOCATE_DATABLOCK", static_cast<int>(record.dataFlashBlock));
    }
}

bool IsPowerSettingSaved() {
    char text[16] = "";
    GetPrivateProfileStringA(kPowerSupply, "SAVE_POWER_SETTING", "", text, sizeof(text),
                             GetPluginSettingsFilePath().c_str());
    return _stricmp(text, "ENABLE") == 0;
}
