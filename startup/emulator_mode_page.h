// CEmulatorModePage: the Emulator Setting sheet's first page, where the user
// chooses the microcontroller group (a device description file beside the
// plug-in) and the device, the connect mode, the power supply from the
// emulator and whether the program runs on after debugging.
#pragma once

#include "platform/afx.h"

#include <string>

class CEmulatorModePage : public CPropertyPage {
public:
    CEmulatorModePage();

    void SetMode(int mode) { m_mode = mode; }
    void SetFixedSelection(bool fixed) { m_fixedSelection = fixed; }

    // The group as its file is named ("__" where the list shows "/").
    std::string m_groupName;
    std::string m_deviceName;
    int m_deviceIndex = -1;
    int m_connectMode = 0;  // g_emuSel's values
    int m_power = 0;
    int m_voltage33 = 0;
    int m_voltage50 = 0;
    int m_runAfterDebugging = 0;

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    BOOL OnKillActive() override;
    afx_msg void OnDeviceChanged();
    afx_msg void OnGroupChosen();
    afx_msg void OnPowerClicked();
    afx_msg void OnProgramFlashClicked();
    afx_msg void OnOtherModeClicked();

    DECLARE_MESSAGE_MAP()

private:
    void FillGroupList();
    // Fills the device list from the group the list shows (its first entry
    // when none is chosen), keeping the device shown when the group has it.
    void FillDeviceList();
    // The chosen device: its data read in start-up mode, the other pages
    // told.
    void ApplyDevice();
    void UpdatePowerControls();
    void Refuse(const char* text, const char* caption, UINT type, int focusId);
    std::string ShownDevice() const;

    int m_mode = 0;
    bool m_fixedSelection = false;
    CComboBox m_groups;
    CComboBox m_devices;
};

// A group's display name ("__" shown as "/") and back.
std::string GroupDisplayName(const std::string& group);
std::string GroupFileName(const std::string& displayName);
// Whether the group's device description file beside the plug-in has the
// "FILE VERSION" this plug-in reads ("3.00").
bool IsCurrentGroupFile(const std::string& group);
