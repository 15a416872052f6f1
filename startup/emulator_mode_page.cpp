#include "startup/emulator_mode_page.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/device_file.h"
#include "startup/device_names.h"
#include "startup/device_part_lists.h"
#include "config/settings_files.h"
#include "config/module_folder.h"

#include "platform/crt_strings.h"

namespace {

constexpr char kGroupSection[] = "Q3v KTR4 TARGET";
constexpr char kFileVersion[] = "3.00";
constexpr char kWrongFile[] = "Doesn't correspond to the selected configuration file.";

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
    return text;
}

std::string ComboText(const CComboBox& combo, int index) {
    if (index < 0) {
        return {};
    }
    CString text;
    combo.GetLBText(index, text);
    return text.Str();
}

bool SheetIsWizard(CWnd* parent) {
    const auto* sheet = dynamic_cast<CPropertySheet*>(parent);
    return sheet != nullptr && sheet->IsWizard();
}

}  // namespace

std::string GroupDisplayName(const std::string& group) {
    return ReplaceAll(group, "__", "/");
}

std::string GroupFileName(const std::string& displayName) {
    return ReplaceAll(displayName, "/", "__");
}

bool IsCurrentGroupFile(const std::string& group) {
    const CDeviceFileKeys keys(GetModuleDirectory() + group + ".cnf", kGroupSection);
    return keys.Text("FILE VERSION") == kFileVersion;
}

BEGIN_MESSAGE_MAP(CEmulatorModePage, CPropertyPage)
    ON_CBN_SELCHANGE(res_id::kDevice, OnDeviceChanged)
    ON_CBN_SELENDOK(res_id::kMcuGroup, OnGroupChosen)
    ON_BN_CLICKED(res_id::kPowerFromEmulator, OnPowerClicked)
    ON_BN_CLICKED(res_id::kModeErase, OnOtherModeClicked)
    ON_BN_CLICKED(res_id::kModeKeepFlash, OnOtherModeClicked)
    ON_BN_CLICKED(res_id::kModeProgramFlash, OnProgramFlashClicked)
    ON_BN_CLICKED(res_id::kModeRewrite, OnOtherModeClicked)
END_MESSAGE_MAP()

CEmulatorModePage::CEmulatorModePage() : CPropertyPage(res_id::kEmulatorModePage) {}

void CEmulatorModePage::DoDataExchange(CDataExchange* exchange) {
    DDX_Radio(exchange, res_id::kModeErase, m_connectMode);
    DDX_Check(exchange, res_id::kPowerFromEmulator, m_power);
    DDX_Check(exchange, res_id::kVoltage33, m_voltage33);
    DDX_Check(exchange, res_id::kVoltage50, m_voltage50);
    DDX_Check(exchange, res_id::kRunAfterDebugging, m_runAfterDebugging);
}

BOOL CEmulatorModePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_groups.SubclassDlgItem(res_id::kMcuGroup, this);
    m_devices.SubclassDlgItem(res_id::kDevice, this);
    FillGroupList();
    const int group = m_groups.FindStringExact(-1, GroupDisplayName(m_groupName).c_str());
    if (group >= 0) {
        m_groups.SetCurSel(group);
        FillDeviceList();
        if (m_deviceIndex >= 0 && m_deviceIndex < m_devices.GetCount()) {
            m_devices.SetCurSel(m_deviceIndex);
        }
    }
    ApplyDevice();
    if (m_mode == 1 || m_fixedSelection) {
        for (const int id : {res_id::kMcuGroup, res_id::kDevice, res_id::kModeErase, res_id::kModeKeepFlash,
                             res_id::kModeProgramFlash, res_id::kModeRewrite}) {
            GetDlgItem(id)->EnableWindow(FALSE);
        }
    }
    if (m_mode == 1) {
        for (const int id : {res_id::kPowerFromEmulator, res_id::kVoltage33, res_id::kVoltage50}) {
            GetDlgItem(id)->EnableWindow(FALSE);
        }
    }
    if (m_fixedSelection) {
        m_power = m_voltage33 = m_voltage50 = 0;
        for (const int id : {res_id::kPowerFromEmulator, res_id::kVoltage33, res_id::kVoltage50}) {
            CheckDlgButton(id, BST_UNCHECKED);
        }
    }
    CheckDlgButton(res_id::kRunAfterDebugging, m_runAfterDebugging != 0 ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CEmulatorModePage::FillGroupList() {
    const std::string& folder = GetModuleDirectory();
    const std::string ownName = GetPluginModuleName();
    m_groups.ResetContent();
    CFileFind find;
    BOOL more = find.FindFile((folder + "*.cnf").c_str());
    while (more) {
        more = find.FindNextFile();
        if (find.IsDirectory()) {
            continue;
        }
        const std::string title = find.GetFileTitle().Str();
        if (_stricmp(title.c_str(), ownName.c_str()) == 0 || !IsCurrentGroupFile(title)) {
            continue;
        }
        m_groups.AddString(GroupDisplayName(title).c_str());
    }
}

std::string CEmulatorModePage::ShownDevice() const {
    return ComboText(m_devices, m_devices.GetCurSel());
}

void CEmulatorModePage::FillDeviceList() {
    const std::string previous = ShownDevice();
    m_devices.ResetContent();
    if (m_groups.GetCount() == 0) {
        return;
    }
    const int chosen = m_groups.GetCurSel();
    const std::string group = GroupFileName(ComboText(m_groups, chosen >= 0 ? chosen : 0));
    static_cast<void>(FindDeviceConfigFile(group));  // a file gone since the list was made is refused below
    m_groupName = group;
    if (!IsCurrentGroupFile(group)) {
        ShowTargetError(kWrongFile, MB_ICONEXCLAMATION);
    }
    for (const std::string& name : GetDeviceNames()) {
        m_devices.AddString(name.c_str());
    }
    const int same = previous.empty() ? -1 : m_devices.FindStringExact(-1, previous.c_str());
    m_devices.SetCurSel(same >= 0 ? same : 0);
}

void CEmulatorModePage::ApplyDevice() {
    const bool keepFlashOffered = !IsListedDevice(kNoKeepFlashDevices, ShownDevice());
    GetDlgItem(res_id::kModeKeepFlash)->EnableWindow(keepFlashOffered && m_mode == 0 && !m_fixedSelection);
    if (!keepFlashOffered && IsDlgButtonChecked(res_id::kModeKeepFlash) == BST_CHECKED) {
        CheckRadioButton(res_id::kModeErase, res_id::kModeRewrite, res_id::kModeErase);
    }
    if (m_mode == 0) {
        static_cast<void>(LoadDeviceConfig(m_devices.GetCurSel()));  // nothing is read without a device
    }
    UpdatePowerControls();
    QuerySiblings(0, 0);
}

void CEmulatorModePage::UpdatePowerControls() {
    const DeviceValues& device = g_deviceValues;
    CWnd* power = GetDlgItem(res_id::kPowerFromEmulator);
    if (device.powerSupply == 0) {
        m_power = m_voltage33 = m_voltage50 = 0;
        for (const int id : {res_id::kPowerFromEmulator, res_id::kVoltage33, res_id::kVoltage50}) {
            CheckDlgButton(id, BST_UNCHECKED);
        }
    }
    power->EnableWindow(device.powerSupply != 0);
    const bool powered = IsDlgButtonChecked(res_id::kPowerFromEmulator) == BST_CHECKED;
    if (powered && device.powerSupply == 1) {
        GetDlgItem(res_id::kVoltage33)->EnableWindow(TRUE);
        const bool forbid5V = device.powerSupplyDisable5V == 1;
        if (forbid5V) {
            m_voltage50 = 0;
            CheckDlgButton(res_id::kVoltage50, BST_UNCHECKED);
        }
        GetDlgItem(res_id::kVoltage50)->EnableWindow(!forbid5V);
        GetDlgItem(res_id::kRunAfterDebugging)->EnableWindow(FALSE);
        return;
    }
    GetDlgItem(res_id::kVoltage33)->EnableWindow(FALSE);
    GetDlgItem(res_id::kVoltage50)->EnableWindow(FALSE);
    GetDlgItem(res_id::kRunAfterDebugging)
        ->EnableWindow(IsDlgButtonChecked(res_id::kModeProgramFlash) == BST_CHECKED);
}

void CEmulatorModePage::OnDeviceChanged() {
    ApplyDevice();
}

void CEmulatorModePage::OnGroupChosen() {
    FillDeviceList();
    ApplyDevice();
}

void CEmulatorModePage::OnPowerClicked() {
    UpdatePowerControls();
}

void CEmulatorModePage::OnProgramFlashClicked() {
    GetDlgItem(res_id::kRunAfterDebugging)
        ->EnableWindow(IsDlgButtonChecked(res_id::kPowerFromEmulator) != BST_CHECKED);
}

void CEmulatorModePage::OnOtherModeClicked() {
    GetDlgItem(res_id::kRunAfterDebugging)->EnableWindow(FALSE);
}

BOOL CEmulatorModePage::OnSetActive() {
    CPropertyPage::OnSetActive();
    if (SheetIsWizard(GetParent())) {
        GetParent()->SendMessage(PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
    }
    return TRUE;
}

void CEmulatorModePage::Refuse(const char* text, const char* caption, UINT type, int focusId) {
    if (caption != nullptr) {
        MessageBox(text, caption, type);
    } else {
        ShowTargetError(text, type);
    }
    GotoDlgCtrl(GetDlgItem(focusId));
}

BOOL CEmulatorModePage::OnKillActive() {
    if (!CPropertyPage::OnKillActive()) {
        return FALSE;
    }
    // While the sheet is being made its pages are turned unseen.
    if (!IsWindowVisible()) {
        return TRUE;
    }
    const int chosenGroup = m_groups.GetCurSel();
    const std::string group = chosenGroup >= 0 ? GroupFileName(ComboText(m_groups, chosenGroup)) : m_groupName;
    const std::string device = m_devices.GetCurSel() >= 0 ? ShownDevice() : m_deviceName;
    if (group.empty() || device.empty()) {
        Refuse("Please select MCU group and device.", "ERROR", MB_OK,
               group.empty() ? res_id::kMcuGroup : res_id::kDevice);
        return FALSE;
    }
    if (!IsCurrentGroupFile(group)) {
        Refuse(kWrongFile, nullptr, MB_ICONEXCLAMATION, res_id::kMcuGroup);
        return FALSE;
    }
    if (m_power != 0 && g_deviceValues.powerSupply == 1 && (m_voltage33 != 0) == (m_voltage50 != 0)) {
        ShowTargetError("Select voltage.", MB_ICONEXCLAMATION);
        return FALSE;
    }
    m_groupName = group;
    m_deviceName = device;
    if (m_devices.GetCurSel() >= 0) {
        m_deviceIndex = m_devices.GetCurSel();
    }
    g_emuSel = static_cast<DWORD>(m_connectMode);
    return TRUE;
}
