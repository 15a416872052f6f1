#include "startup/driver_select_dlg.h"

#include "link/driver_list.h"
#include "link/ule_drv_interface.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/dialog_placement.h"
#include "config/host_window.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"

#include "platform/ui.h"

#include <cstdio>
#include <new>
#include <string>
#include <vector>

namespace {

constexpr char kNoDriver[] = "<no driver selected>";
constexpr char kDriverIniFile[] = "DRIVER.INI";

// The driver's error text in a message of the dialog.
std::string DriverError(const char* format, DWORD code) {
    const char* text = g_currentDriver != nullptr ? g_currentDriver->DllError(code) : "";
    std::vector<char> message(std::char_traits<char>::length(format) + std::char_traits<char>::length(text) + 1);
    std::snprintf(message.data(), message.size(), format, text);
    return message.data();
}

bool HasConfiguration() {
    return g_currentDriver != nullptr && g_currentDriver->TestConfiguration() == 0;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDriverSelectDlg, CDialog)
    ON_CBN_SELCHANGE(res_id::kDriverCombo, OnDriverChanged)
    ON_CBN_SELCHANGE(res_id::kInterfaceCombo, OnInterfaceChanged)
    ON_CBN_SELCHANGE(res_id::kChannelCombo, OnChannelChanged)
    ON_BN_CLICKED(res_id::kDriverConfigure, OnConfigure)
END_MESSAGE_MAP()

CDriverSelectDlg::CDriverSelectDlg(CWnd* parent) : CDialog(res_id::kDriverSelectDialog, parent) {
    if (g_driverFactory == nullptr) {
        g_driverFactory = new (std::nothrow) CUleDrvFactory;
    }
    if (g_driverList == nullptr) {
        g_driverList = new (std::nothrow) CDriverList;
    }
    m_noDrivers = g_driverList == nullptr || !g_driverList->Scan(GetTarget()->GetModuleInstance());
}

INT_PTR CDriverSelectDlg::DoModalChecked() {
    if (m_noDrivers) {
        static_cast<void>(ShowTargetError("No valid driver DLLs exist", MB_ICONEXCLAMATION));  // OK only
        return 2;
    }
    return DoModal();
}

BOOL CDriverSelectDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetPreferredOwnerWindow(GetSafeHwnd());  // its messages are owned by it while it is open
    CenterOnHostWindow(*this);
    return TRUE;
}

CComboBox& CDriverSelectDlg::Combo(int id) {
    return *static_cast<CComboBox*>(GetDlgItem(id));
}

void CDriverSelectDlg::DoDataExchange(CDataExchange* exchange) {
    if (!exchange->m_bSaveAndValidate) {
        FillDriverList();
        return;
    }
    if (g_driverList->SelectedIndex() < 0) {
        exchange->PrepareCtrl(res_id::kDriverCombo);
        static_cast<void>(ShowTargetError("Must select a valid driver", MB_ICONEXCLAMATION));  // OK only
        exchange->Fail();
    }
}

void CDriverSelectDlg::FillDriverList() {
    CComboBox& drivers = Combo(res_id::kDriverCombo);
    drivers.ResetContent();
    drivers.AddString(kNoDriver);
    for (WORD i = 0; i < g_driverList->GetCount(); ++i) {
        drivers.AddString(g_driverList->GetAt(i).c_str());
    }
    const bool current = g_currentDriver != nullptr && g_driverList->SelectedIndex() >= 0;
    drivers.SetCurSel(current ? g_driverList->SelectedIndex() + 1 : 0);
    if (current) {
        FillInterfaceList();
        FillChannelList();
    } else {
        EmptyDetails();
    }
    RefreshConfigurationGroup();
}

void CDriverSelectDlg::OnDriverChanged() {
    // The link that goes with the driver must not switch the emulator's
    // target power off on its way.
    DWORD& powerSupply = g_deviceValues.powerSupply;
    const DWORD kept = powerSupply;
    if (kept == 1) {
        powerSupply = 0;
    }
    g_driverList->ReleaseCurrentDriver();
    powerSupply = kept;
    const int item = Combo(res_id::kDriverCombo).GetCurSel();
    if (item >= 1 && g_driverList->SelectDriver(static_cast<WORD>(item - 1)) == 0) {
        FillInterfaceList();
        FillChannelList();
    } else {
        EmptyDetails();
    }
    RefreshConfigurationGroup();
}

void CDriverSelectDlg::EmptyDetails() {
    Combo(res_id::kInterfaceCombo).ResetContent();
    Combo(res_id::kChannelCombo).ResetContent();
}

void CDriverSelectDlg::FillInterfaceList() {
    CComboBox& interfaces = Combo(res_id::kInterfaceCombo);
    interfaces.ResetContent();
    if (g_currentDriver == nullptr || g_driverList->SelectedIndex() < 0) {
        return;
    }
    const std::string list = g_currentDriver->Identify();
    const std::string current = g_currentDriver->InterfaceName();
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t comma = list.find(',', start);
        std::string name = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        name.erase(0, name.find_first_not_of(" \t"));
        const int index = interfaces.AddString(name.c_str());
        if (name == current) {
            interfaces.SetCurSel(index);
        }
        if (comma == std::string::npos) {
            break;
        }
        start = comma + 1;
    }
}

void CDriverSelectDlg::OnInterfaceChanged() {
    FillChannelList();
    RefreshConfigurationGroup();
}

void CDriverSelectDlg::FillChannelList() {
    CComboBox& interfaces = Combo(res_id::kInterfaceCombo);
    CComboBox& channels = Combo(res_id::kChannelCombo);
    channels.ResetContent();
    const int chosen = interfaces.GetCurSel();
    if (g_currentDriver == nullptr || chosen < 0) {
        return;
    }
    CString name;
    interfaces.GetLBText(chosen, name);
    const char* const* list = nullptr;
    DWORD result = g_currentDriver->Initialise(name, &list);
    while (result != 0) {
        const std::string message = DriverError(
            "Driver Error: %s\n\nRetry  to attempt initialisation again\nCancel to choose another driver or interface",
            result);
        if (ShowTargetError(message.c_str(), MB_RETRYCANCEL | MB_ICONEXCLAMATION) != IDRETRY) {
            interfaces.SetCurSel(-1);
            channels.SetCurSel(-1);
            return;
        }
        result = g_currentDriver->Initialise(name, &list);
    }
    static_cast<void>(g_currentDriver->Select(0));  // a refused channel shows when the link opens
    for (; list != nullptr && *list != nullptr; ++list) {
        channels.AddString(*list);
    }
    channels.SetCurSel(g_currentDriver->SelectedIndex());
}

void CDriverSelectDlg::OnChannelChanged() {
    const int channel = Combo(res_id::kChannelCombo).GetCurSel();
    if (g_currentDriver != nullptr && channel >= 0) {
        static_cast<void>(g_currentDriver->Select(static_cast<DWORD>(channel)));  // as above
    }
}

void CDriverSelectDlg::RefreshConfigurationGroup() {
    const bool configurable = HasConfiguration();
    for (const int id : {res_id::kDriverConfigurationGroup, res_id::kDriverConfigurationText,
                         res_id::kDriverConfigure}) {
        GetDlgItem(id)->EnableWindow(configurable);
    }
    SetDlgItemText(res_id::kDriverConfigurationText, configurable ? g_currentDriver->GetConfiguration() : "");
}

void CDriverSelectDlg::OnConfigure() {
    if (!HasConfiguration()) {
        return;
    }
    const std::string text = g_currentDriver->ConfigurationDialog(0, kDriverIniFile);
    m_configurationText = text;
    if (!text.empty()) {
        DWORD result = g_currentDriver->SetControllerConfiguration(text.c_str());
        if (result == 0) {
            result = g_currentDriver->SetDriverConfiguration(text.c_str());
        }
        if (result != 0) {
            const std::string message =
                DriverError("Driver Error: %s\n\nConfiguration has not been correctly set.", result);
            static_cast<void>(ShowTargetError(message.c_str(), MB_ICONEXCLAMATION));  // OK only
        }
    }
    RefreshConfigurationGroup();
}
