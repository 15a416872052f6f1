#include "startup/configuration_sheet.h"

#include "monitor/flash_mode.h"
#include "config/device_data.h"

namespace {

// A field that held no choice keeps the value in force.
DWORD Chosen(int field, DWORD current) {
    return field >= 0 ? static_cast<DWORD>(field) : current;
}

}  // namespace

CConfigurationSheet::CConfigurationSheet(CBreakModeStore& breakMode, CStepOptionStore& stepOption)
    : CPropertySheet("Configuration"), m_breakMode(breakMode), m_stepOption(stepOption) {
    DWORD mode = 0;
    DWORD value2 = 0;
    DWORD value3 = 0;
    DWORD value4 = 0;
    DWORD value5 = 0;
    m_breakMode.Get(&mode, &value2, &value3, &value4, &value5);
    m_page.m_emulationMode = static_cast<int>(mode);
    m_page.m_nmi = static_cast<int>(value4);
    m_page.m_breakCondition = static_cast<int>(value5);
    m_page.m_stepOption = static_cast<int>(m_stepOption.Value());
    m_page.m_flashSync = static_cast<int>(g_flashMode.load());
    m_page.m_device = static_cast<int>(g_registerListSelector);
    m_page.m_interfaceClock = 0;
    AddPage(&m_page);
}

BOOL CConfigurationSheet::OnInitDialog() {
    CPropertySheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return TRUE;
}

INT_PTR CConfigurationSheet::DoModalAndApply() {
    m_psh.dwFlags |= PSH_NOAPPLYNOW;
    m_psh.dwFlags &= ~PSH_HASHELP;
    const INT_PTR result = DoModal();
    if (result == IDOK) {
        StorePageValues();
    }
    return result;
}

void CConfigurationSheet::StorePageValues() {
    DWORD mode = 0;
    DWORD value2 = 0;
    DWORD value3 = 0;
    DWORD value4 = 0;
    DWORD value5 = 0;
    m_breakMode.Get(&mode, &value2, &value3, &value4, &value5);
    m_breakMode.Set(Chosen(m_page.m_emulationMode, mode), value2, value3, Chosen(m_page.m_nmi, value4),
                    Chosen(m_page.m_breakCondition, value5));
    g_flashMode = Chosen(m_page.m_flashSync, g_flashMode.load());
    g_registerListSelector = Chosen(m_page.m_device, g_registerListSelector);
    m_stepOption.Set(Chosen(m_page.m_stepOption, m_stepOption.Value()));
}

ConfigurationSheetOutcome RunConfigurationSheetOn(CBreakModeStore& breakMode, CStepOptionStore& stepOption) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CConfigurationSheet sheet(breakMode, stepOption);
    const INT_PTR result = sheet.DoModalAndApply();
    return ConfigurationSheetOutcome{result, sheet.DriverListChanged()};
}
