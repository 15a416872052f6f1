#include "link/setup_dialogs.h"

#include "startup/id_code_entry_dlg.h"
#include "startup/power_supply_dlg.h"
#include "config/host_window.h"

namespace {

// The dialogs' parent: the host's main window.
CWnd* HostParent() {
    const HWND host = GetHostMainWindow();
    return host != nullptr ? CWnd::FromHandle(host) : nullptr;
}

}  // namespace

bool PromptIdCodeDialog(std::array<DWORD, 2>& idCode) {
    CIdCodeEntryDlg dialog(HostParent());
    if (dialog.DoModal() != IDOK) {
        return false;
    }
    idCode = {dialog.m_high, dialog.m_low};
    return true;
}

bool PromptPowerSupplyDialog(PowerSupplySettings& settings) {
    CPowerSupplyDlg dialog(HostParent());
    dialog.m_powerOn = static_cast<int>(settings.powerFromEmulator);
    dialog.m_voltage33 = static_cast<int>(settings.voltage33);
    dialog.m_voltage50 = static_cast<int>(settings.voltage50);
    if (dialog.DoModal() != IDOK) {
        return false;
    }
    settings.powerFromEmulator = static_cast<DWORD>(dialog.m_powerOn);
    settings.voltage33 = static_cast<DWORD>(dialog.m_voltage33);
    settings.voltage50 = static_cast<DWORD>(dialog.m_voltage50);
    return true;
}
