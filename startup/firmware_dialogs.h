// The two "Firmware Location" dialogs the emulator channel may ask with while
// it downloads the firmware: CFirmwareAreaDlg (the program and work-RAM
// addresses to choose from) and CFirmwareBlockDlg (a data-flash block or an
// address in the user flash). The caller fills their fields, runs them and
// reads the fields after OK; neither ends without OK.
#pragma once

#include "platform/afx.h"

#include <string>

class CFirmwareAreaDlg : public CDialog {
public:
    explicit CFirmwareAreaDlg(CWnd* parent = nullptr);

    DWORD m_programAddress[2] = {0, 0};
    DWORD m_workRamAddress = 0;
    int m_programIndex = 0;
    int m_workRamIndex = 0;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void TakeSelections();
    void ShowChoices();
};

class CFirmwareBlockDlg : public CDialog {
public:
    // The firmware area these dialogs place is 2 KiB.
    static constexpr DWORD kAreaSize = 0x800;

    explicit CFirmwareBlockDlg(CWnd* parent = nullptr);

    int m_dataBlock = -1;  // the chosen data-flash block
    DWORD m_address = 0;   // the chosen user-flash address
    int m_area = 0;        // 0 data flash, 1 user flash
    std::string m_rangeText;
    std::string m_addressText;
    int m_advanced = 0;
    DWORD m_minimum = 0;
    DWORD m_maximum = 0;

    // minimum <= address <= maximum, and not in 0xF701 to 0xFFFF.
    bool IsAllowed(DWORD address) const;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAreaClicked();
    afx_msg void OnAdvancedClicked();
    afx_msg void OnAddressChanged();

    DECLARE_MESSAGE_MAP()

private:
    void FillBlockList();
    void ComputeRange();
    void ApplyAreaRule();
};
