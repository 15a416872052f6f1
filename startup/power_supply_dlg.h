// CPowerSupplyDlg, "Power Supply": whether the emulator powers the target and
// at which voltage. Filled by the power-up, run modally, read after OK.
#pragma once

#include "platform/afx.h"

class CPowerSupplyDlg : public CDialog {
public:
    explicit CPowerSupplyDlg(CWnd* parent = nullptr);

    int m_powerOn = 0;    // "Power Target from Emulator"
    int m_voltage33 = 0;  // 3.3 V chosen
    int m_voltage50 = 0;  // 5.0 V chosen

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnPowerClicked();

    DECLARE_MESSAGE_MAP()

private:
    // The voltage controls follow the power check box; 5.0 V stays off for a
    // device that forbids it.
    void ApplyEnableRule();
};
