// CGeneralPage: the Configuration sheet's one page (template 217): device,
// emulation mode (the break mode), step option, NMI signal, user interface
// clock, break-condition mode and flash memory synchronisation. Its fields
// are the indexes of its lists and radio groups; -1 after saving means the
// control held no choice, and its value stays as it was.
#pragma once

#include "platform/afx.h"

class CGeneralPage : public CPropertyPage {
public:
    CGeneralPage();

    int m_device = 0;           // the register-list selector
    int m_emulationMode = 0;    // the break-mode index: "Normal", "No break"
    int m_stepOption = 0;
    int m_interfaceClock = 0;   // the one entry showing the speed in force
    int m_flashSync = 0;
    int m_nmi = 0;              // 0 Emulator, 1 User
    int m_breakCondition = 0;   // 0 Emulator, 1 User

protected:
    void DoDataExchange(CDataExchange* exchange) override;
    // Fills the lists; a device of a family without the step option, NMI,
    // break-condition and interface clock settings has their twelve
    // controls hidden, showing "No Use".
    BOOL OnInitDialog() override;
    // "C&hange...": after a confirmation the driver dialog runs; the sheet
    // then cannot be cancelled and its OK closes it.
    afx_msg void OnChangeDriver();
    // NMI "&User": confirmed, or the choice returns to Emulator.
    afx_msg void OnNmiUser();
    // The control's context pop-up from the module's help file.
    afx_msg BOOL OnHelpInfo(HELPINFO* help);

    DECLARE_MESSAGE_MAP()
};
