#include "startup/general_page.h"

#include "monitor/flash_mode.h"
#include "res/resource_ids.h"
#include "startup/configuration_sheet.h"
#include "config/device_data.h"
#include "startup/driver_select_dlg.h"
#include "startup/list_fillers.h"
#include "config/settings_files.h"
#include "util/dlg_with_help.h"

#include "platform/ui.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace {

// The families whose devices have no step option, NMI, break-condition or
// interface clock setting.
constexpr std::array<std::string_view, 5> kFamiliesWithoutSettings = {"Vk31X", "Vk32X", "Tn24", "Tn48",
                                                                        "Tn07 Family"};
constexpr std::array<int, 12> kFamilySettingControls = {
    res_id::kStepOptionLabel,   res_id::kNmiGroup,          res_id::kNmiEmulator,
    res_id::kNmiUser,           res_id::kStepOption,        res_id::kBreakConditionGroup,
    res_id::kBreakConditionEmulator, res_id::kBreakConditionUser, res_id::kInterfaceClockGroup,
    res_id::kStepOptionGroup,   res_id::kInterfaceClockLabel, res_id::kInterfaceClock,
};

}  // namespace

BEGIN_MESSAGE_MAP(CGeneralPage, CPropertyPage)
    ON_BN_CLICKED(res_id::kChangeDriver, OnChangeDriver)
    ON_BN_CLICKED(res_id::kNmiUser, OnNmiUser)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CGeneralPage::CGeneralPage() : CPropertyPage(res_id::kGeneralPage) {}

void CGeneralPage::DoDataExchange(CDataExchange* exchange) {
    DDX_CBIndex(exchange, res_id::kEmulationMode, m_emulationMode);
    DDX_CBIndex(exchange, res_id::kDeviceList, m_device);
    DDX_CBIndex(exchange, res_id::kStepOption, m_stepOption);
    DDX_CBIndex(exchange, res_id::kInterfaceClock, m_interfaceClock);
    DDX_CBIndex(exchange, res_id::kFlashSync, m_flashSync);
    DDX_Radio(exchange, res_id::kNmiEmulator, m_nmi);
    DDX_Radio(exchange, res_id::kBreakConditionEmulator, m_breakCondition);
}

BOOL CGeneralPage::OnInitDialog() {
    const auto combo = [this](int id) -> CComboBox& { return *static_cast<CComboBox*>(GetDlgItem(id)); };
    FillSpeedList(combo(res_id::kInterfaceClock));
    FillDeviceList(combo(res_id::kDeviceList));
    FillBreakModeList(combo(res_id::kEmulationMode));
    FillStepOptionList(combo(res_id::kStepOption));
    if (g_emuSel == connect_mode::kCpuRewriteMode) {
        // Debugging the CPU rewrite mode leaves the flash alone.
        combo(res_id::kFlashSync).EnableWindow(FALSE);
        m_flashSync = 0;
        g_flashMode = 0;
    } else {
        FillFlashSyncList(combo(res_id::kFlashSync));
    }
    // The lists are filled before the fields are shown in them.
    const BOOL result = CPropertyPage::OnInitDialog();
    const std::string_view family = g_deviceValues.cpuType;
    if (std::find(kFamiliesWithoutSettings.begin(), kFamiliesWithoutSettings.end(), family) !=
        kFamiliesWithoutSettings.end()) {
        for (const int id : kFamilySettingControls) {
            CWnd* control = GetDlgItem(id);
            control->ShowWindow(SW_HIDE);
            control->SetWindowText("No Use");
        }
    }
    return result;
}

void CGeneralPage::OnChangeDriver() {
    if (ShowTargetError("Are you sure you want to modify your driver settings?\nThis will cause your emulator to be "
                        "reinitialised, and you\nwill not be able to cancel any changes you make.",
                        MB_YESNO) != IDYES) {
        return;
    }
    CDriverSelectDlg dialog(this);
    static_cast<void>(dialog.DoModalChecked());  // whatever was chosen has taken effect
    CWnd* sheet = GetParent();
    if (auto* configuration = dynamic_cast<CConfigurationSheet*>(sheet)) {
        configuration->SetDriverListChanged();
    }
    sheet->GetDlgItem(IDCANCEL)->EnableWindow(FALSE);
    sheet->GetDlgItem(IDOK)->SetWindowText("Close");
}

void CGeneralPage::OnNmiUser() {
    if (ShowTargetError("Can not use STOP button and HALT command", MB_YESNO) != IDNO) {
        return;
    }
    UpdateData(TRUE);
    m_nmi = 0;
    UpdateData(FALSE);
}

BOOL CGeneralPage::OnHelpInfo(HELPINFO* help) {
    return ShowControlHelp(*this, res_id::kGeneralPage, help);
}
