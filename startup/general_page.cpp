#include "startup/general_page.h"

#include "monitor/flash_mode.h"
#include "res/resource_ids.h"
#include "startup/device_data.h"
#include "startup/list_fillers.h"

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
    return CPropertyPage::OnInitDialog();
}
