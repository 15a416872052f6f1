// CCommuniClockPage: the Emulator Setting sheet's communication page. It
// offers the adapter's communication speeds the device and its firmware
// allow, up to the device file's "BAUD RATE", and keeps the choice in the
// session ("COMMUNI" "COMSPEED"), where the link takes it from at connect.
#pragma once

#include "platform/afx.h"

class CCommuniClockPage : public CPropertyPage {
public:
    // The speeds are numbered 0 to 8 in every table.
    static constexpr int kHighestSpeed = 8;

    CCommuniClockPage();

    void SetReadOnly(BOOL readOnly) { m_readOnly = readOnly; }
    // Writes the stored selection (the sheet's save after a wizard Finish).
    void SaveSelection();
    int SelectedIndex() const { return m_selectedIndex; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnSetActive() override;
    BOOL OnWizardFinish() override;
    // The Emulator mode page chose a device: the list follows it.
    afx_msg LRESULT OnQuerySiblings(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void FillSpeeds(int selectedIndex);
    void WriteSpeed(int index) const;

    CComboBox m_speedList;
    BOOL m_readOnly = 0;
    int m_selectedIndex = 6;
    int m_highestIndex = 6;
};
