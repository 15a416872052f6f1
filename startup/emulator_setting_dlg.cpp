#include "startup/emulator_setting_dlg.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_file.h"
#include "startup/device_names.h"
#include "startup/device_selection.h"
#include "config/session_settings.h"
#include "config/settings_files.h"
#include "config/module_folder.h"

#include <algorithm>

namespace {

constexpr char kCpuSelect[] = "CPU_SELECT";
constexpr char kPowerSupply[] = "POWER_SUPPLY";
constexpr char kEmulatorSetting[] = "EMULATOR_SETTING";
constexpr char kResetRelease[] = "RESET_RELEASE";
// The check box: its gap from the sheet's right edge and bottom, and the
// narrowest check mark.
constexpr int kBoxRightGap = 7;
constexpr int kBoxBottomGap = 3;
constexpr int kNarrowestMark = 18;

bool SessionIniExists() {
    const std::optional<std::string> path = GetSessionIniPath();
    return path && FileExists(*path);
}

}  // namespace

BEGIN_MESSAGE_MAP(CEmulatorSettingDialog, CPropertySheet)
    ON_WM_DESTROY()
    ON_BN_CLICKED(res_id::kHideSheetCheck, OnHideClicked)
END_MESSAGE_MAP()

CEmulatorSettingDialog::CEmulatorSettingDialog() : CPropertySheet(res_id::kEmulatorSettingCaption, nullptr, 0) {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    AddPage(&m_modePage);
    AddPage(&m_firmwarePage);
    AddPage(&m_communicationPage);
    ReadSessionSettings();
}

void CEmulatorSettingDialog::SetMode(int mode) {
    m_mode = mode;
    m_modePage.SetMode(mode);
    m_firmwarePage.SetMode(mode);
    m_communicationPage.SetReadOnly(mode == kConfigured ? TRUE : FALSE);
}

void CEmulatorSettingDialog::ReadSessionSettings() {
    char text[256] = "";
    SessionIniGetString(kCpuSelect, "MCU_GROUP", "", text, sizeof(text));
    const std::string group = text;
    m_modePage.m_groupName =
        !group.empty() && FileExists(GetModuleDirectory() + group + ".cnf") ? group : GetPluginModuleName();
    m_modePage.m_deviceIndex = g_deviceIndex;
    const std::vector<std::string>& names = GetDeviceNames();
    if (g_deviceIndex >= 0 && static_cast<std::size_t>(g_deviceIndex) < names.size()) {
        m_modePage.m_deviceName = names[static_cast<std::size_t>(g_deviceIndex)];
    }
    m_modePage.m_connectMode = static_cast<int>(std::min<DWORD>(g_emuSel, connect_mode::kCpuRewriteMode));
    const PowerSupplySettings& power = g_powerSupplySettings;
    m_modePage.m_power = static_cast<int>(power.powerFromEmulator);
    if (IsPowerSettingSaved()) {
        m_modePage.m_power = static_cast<int>(SessionIniGetInt(kPowerSupply, "ENABLE_POWER_SUPPLY", m_modePage.m_power));
    }
    m_modePage.m_voltage50 = static_cast<int>(SessionIniGetInt(kPowerSupply, "VOLTAGE_5_0", static_cast<INT>(power.voltage50)));
    m_modePage.m_voltage33 = static_cast<int>(SessionIniGetInt(kPowerSupply, "VOLTAGE_3_3", static_cast<INT>(power.voltage33)));
    m_modePage.m_runAfterDebugging = static_cast<int>(SessionIniGetInt(kResetRelease, "ENABLE", 0));
    m_hideDialog = static_cast<int>(SessionIniGetInt(kEmulatorSetting, "HIDE_DIALOG", 0));
}

BOOL CEmulatorSettingDialog::OnInitDialog() {
    CPropertySheet::OnInitDialog();
    // Every page is made once, so that each follows the device chosen on the
    // first.
    for (int page = 1; page < GetPageCount(); ++page) {
        SetActivePage(page);
    }
    SetActivePage(0);
    AddHideCheckBox();
    return TRUE;
}

void CEmulatorSettingDialog::AddHideCheckBox() {
    CString text;
    text.LoadString(res_id::kHideSheetText);
    CDC* dc = GetDC();
    CFont* font = GetFont();
    CFont* previous = font != nullptr ? dc->SelectObject(font) : nullptr;
    const CSize textSize = dc->GetTextExtent(text);
    if (previous != nullptr) {
        dc->SelectObject(previous);
    }
    ReleaseDC(dc);
    const int markWidth = std::max(kNarrowestMark, GetSystemMetrics(SM_CXMENUCHECK) + 2);
    const int width = textSize.cx + markWidth;
    const int height = std::max<int>(textSize.cy, GetSystemMetrics(SM_CYMENUCHECK));

    RECT window{};
    GetWindowRect(&window);
    SetWindowPos(nullptr, 0, 0, window.right - window.left, window.bottom - window.top + height + kBoxBottomGap,
                 SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    GetClientRect(&client);
    const HWND box = ::CreateWindowExA(0, "Button", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX,
                                       client.right - kBoxRightGap - width, client.bottom - kBoxBottomGap - height,
                                       width, height, m_hWnd, reinterpret_cast<HMENU>(res_id::kHideSheetCheck),
                                       AfxGetInstanceHandle(), nullptr);
    if (box == nullptr) {
        return;
    }
    if (font != nullptr) {
        ::SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(font->GetSafeHandle()), FALSE);
    }
    ::SendMessageA(box, BM_SETCHECK, m_hideDialog == 1 ? BST_CHECKED : BST_UNCHECKED, 0);
}

void CEmulatorSettingDialog::OnHideClicked() {
    m_hideDialog = IsDlgButtonChecked(res_id::kHideSheetCheck) == BST_CHECKED ? 1 : 0;
}

void CEmulatorSettingDialog::OnDestroy() {
    if (GetDlgItem(res_id::kHideSheetCheck) != nullptr) {
        OnHideClicked();
    }
    CPropertySheet::OnDestroy();
}

INT_PTR CEmulatorSettingDialog::DoModalAndSave() {
    if (!SessionIniExists() || m_hostDescriptionComplete) {
        SetWizardMode();
    }
    const INT_PTR result = DoModal();
    if (result != IDOK && result != ID_WIZFINISH) {
        return 2;
    }
    SessionIniWriteInt(kEmulatorSetting, "HIDE_DIALOG", m_hideDialog);
    SessionIniWriteInt(kResetRelease, "ENABLE", m_modePage.m_runAfterDebugging);
    if (m_mode == kConfigured) {
        return 1;
    }
    SaveChoice(result == ID_WIZFINISH);
    return 1;
}

void CEmulatorSettingDialog::SaveChoice(bool wizardFinished) {
    if (!m_fixedSelection) {
        g_deviceIndex = m_modePage.m_deviceIndex;
        g_emuSel = static_cast<DWORD>(std::clamp(m_modePage.m_connectMode, 0, 3));
        SessionIniWriteString(kCpuSelect, "DEVICE", m_modePage.m_deviceName.c_str());
        SessionIniWriteInt(kCpuSelect, "EMUSEL", static_cast<int>(g_emuSel));
        SessionIniWriteString(kCpuSelect, "MCU_GROUP", m_modePage.m_groupName.c_str());
    }
    PowerSupplySettings& power = g_powerSupplySettings;
    power.powerFromEmulator = static_cast<DWORD>(m_modePage.m_power);
    power.voltage50 = static_cast<DWORD>(m_modePage.m_voltage50);
    power.voltage33 = static_cast<DWORD>(m_modePage.m_voltage33);
    if (IsPowerSettingSaved()) {
        SessionIniWriteInt(kPowerSupply, "ENABLE_POWER_SUPPLY", m_modePage.m_power);
    }
    SessionIniWriteInt(kPowerSupply, "VOLTAGE_5_0", m_modePage.m_voltage50);
    SessionIniWriteInt(kPowerSupply, "VOLTAGE_3_3", m_modePage.m_voltage33);
    // A sheet that will not show again leaves the emulator's supply off this
    // time; the saved choice stays.
    if (m_hideDialog == 1) {
        power.powerFromEmulator = 0;
    }
    if (wizardFinished) {
        m_firmwarePage.SaveLocation();
        m_communicationPage.SaveSelection();
    }
}

void RunEmulatorSettingSheetConfigured() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CEmulatorSettingDialog sheet;
    sheet.SetMode(CEmulatorSettingDialog::kConfigured);
    static_cast<void>(sheet.DoModalAndSave());  // the sheet saved what it could; the operation answers 0
}
