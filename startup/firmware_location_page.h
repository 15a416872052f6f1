// CFirmwareLocationPageVk3: the Emulator Setting sheet's "Firmware Location"
// page. On devices that allow it ("FIRM SELECT" 1) the user places the
// emulator firmware in a data-flash block or at an address in the user
// flash; ApplyForDevice moves the firmware area (ASE1) and the vectors there
// and finds the flash block that holds it.
#pragma once

#include "platform/afx.h"

#include <optional>
#include <string>

class CFirmwareLocationPageVk3 : public CPropertyPage {
public:
    CFirmwareLocationPageVk3();

    // Moves the firmware area to address (its size kept), the vectors and the
    // reset and jump addresses with it, and makes the block that holds the
    // address "FIRMBLOCKNO": 1. 0, changing nothing, when no flash block
    // holds it. Without "FIRM SELECT" 1 it does nothing and answers 1.
    static int ApplyForDevice(DWORD address);
    // The first of the flash blocks 0 to 9 that holds the address (for the
    // two fixed-block devices, block 0 for 0x2000), or nothing.
    static std::optional<DWORD> FindFirmwareBlock(DWORD address);

    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }
    // The OK steps: chooses the address, applies it and saves the settings
    // (in start-up mode, for a device with "FIRM SELECT" 1). The sheet runs
    // them after a wizard Finish too.
    void SaveLocation();

    virtual BOOL IsValidAddress(DWORD address) const;
    virtual BOOL IsInDataFlash(DWORD address) const;
    virtual void UpdateRange();
    virtual void FillBlockList();
    virtual void EnableControls(int placement);
    virtual void SaveSettings();

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    BOOL OnWizardFinish() override;
    afx_msg LRESULT OnQuerySiblings(WPARAM wParam, LPARAM lParam);
    afx_msg void OnDataFlashClicked();
    afx_msg void OnUserFlashClicked();
    afx_msg void OnAdvancedClicked();
    afx_msg void OnAddressChanged();
    afx_msg void OnShowWindow(BOOL show, UINT status);

    DECLARE_MESSAGE_MAP()

private:
    enum Placement { kDataFlash = 0, kUserFlash = 1 };

    DWORD AreaSize() const;
    void LoadSessionKeys();
    void ShowValues();
    // The location the person chose, taken when the page is left; false (with
    // the message, the address field focused) for an address that is not
    // allowed.
    bool TakeLocation();
    DWORD TypedAddress() const;

    int m_mode = 0;
    int m_block = 0;
    DWORD m_address = 0;
    std::string m_lastDevice;
    int m_placement = kUserFlash;
    int m_advanced = 0;
    bool m_hasRange = false;
    DWORD m_minimum = 0;
    DWORD m_maximum = 0;
    DWORD m_limit = 0;
};
