// CEmulatorSettingDialog: the "Emulator Setting" sheet with its three pages
// (Emulator mode, Firmware Location, communication) and the check box "Do
// not show this dialog box again." below them. At start-up it settles the
// device; opened later (mode 1) only what may change while a device is chosen
// stays editable. A new session runs it as a wizard.
#pragma once

#include "startup/communi_clock_page.h"
#include "startup/emulator_mode_page.h"
#include "startup/firmware_location_page.h"

#include "platform/afx.h"

class CEmulatorSettingDialog : public CPropertySheet {
public:
    static constexpr int kStartUp = 0;
    static constexpr int kConfigured = 1;

    // Reads the session's settings into the pages.
    CEmulatorSettingDialog();

    // Hands the mode to the three pages; in mode 1 the communication page is
    // read-only.
    void SetMode(int mode);
    void SetHostDescriptionComplete(bool complete) { m_hostDescriptionComplete = complete; }
    // Runs the sheet (as a wizard for a new session, or when the host's
    // description was complete) and saves what it chose: 1 after OK or
    // Finish, 2 otherwise (nothing saved).
    INT_PTR DoModalAndSave();

    int HideDialog() const { return m_hideDialog; }

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnDestroy();
    afx_msg void OnHideClicked();

    DECLARE_MESSAGE_MAP()

private:
    void ReadSessionSettings();
    void AddHideCheckBox();
    void SaveChoice(bool wizardFinished);

    CEmulatorModePage m_modePage;
    CFirmwareLocationPageVk3 m_firmwarePage;
    CCommuniClockPage m_communicationPage;
    int m_mode = kStartUp;
    bool m_fixedSelection = false;  // the device choice is not saved
    bool m_hostDescriptionComplete = false;
    int m_hideDialog = 0;
};

// The target configuration's "Emulator Setting": the sheet in mode 1, saved.
void RunEmulatorSettingSheetConfigured();
