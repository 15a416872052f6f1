#include "startup/power_supply_dlg.h"

#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/dialog_placement.h"
#include "config/host_window.h"
#include "config/settings_files.h"

CPowerSupplyDlg::CPowerSupplyDlg(CWnd* parent) : CDialog(res_id::kPowerSupplyDialog, parent) {}

BEGIN_MESSAGE_MAP(CPowerSupplyDlg, CDialog)
    ON_BN_CLICKED(res_id::kPowerFromEmulator, OnPowerClicked)
END_MESSAGE_MAP()

void CPowerSupplyDlg::DoDataExchange(CDataExchange* exchange) {
    DDX_Check(exchange, res_id::kPowerFromEmulator, m_powerOn);
    DDX_Check(exchange, res_id::kVoltage33, m_voltage33);
    DDX_Check(exchange, res_id::kVoltage50, m_voltage50);
}

BOOL CPowerSupplyDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetPreferredOwnerWindow(GetSafeHwnd());  // its messages are owned by it while it is open
    CenterOnHostWindow(*this);
    ApplyEnableRule();
    SetFocus();
    return FALSE;
}

void CPowerSupplyDlg::OnPowerClicked() {
    ApplyEnableRule();
}

void CPowerSupplyDlg::ApplyEnableRule() {
    const bool powerOn = IsDlgButtonChecked(res_id::kPowerFromEmulator) == BST_CHECKED;
    const bool forbid5V = g_deviceValues.powerSupplyDisable5V == 1;
    GetDlgItem(res_id::kVoltage33)->EnableWindow(powerOn);
    GetDlgItem(res_id::kVoltageGroup)->EnableWindow(powerOn);
    GetDlgItem(res_id::kVoltage50)->EnableWindow(powerOn && !forbid5V);
    if (powerOn && forbid5V) {
        m_voltage50 = 0;
        CheckDlgButton(res_id::kVoltage50, BST_UNCHECKED);
    }
}

void CPowerSupplyDlg::OnOK() {
    if (!UpdateData(TRUE)) {
        return;
    }
    if (m_powerOn != 0) {
        if ((m_voltage33 != 0) == (m_voltage50 != 0)) {
            ShowTargetError("Select voltage.", MB_ICONEXCLAMATION);
            return;
        }
        if (g_deviceValues.powerSupplyDisable5V == 1 && m_voltage50 != 0) {
            ShowTargetError("Can't select voltage 5V.", MB_ICONEXCLAMATION);
            return;
        }
    }
    EndDialog(IDOK);
}
