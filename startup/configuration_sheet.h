// CConfigurationSheet: the "Configuration" sheet the target configuration
// shows, with its General page, over the break-mode and step-option stores it
// is given. OK stores the page's values into them; whatever the page has no
// control for (the speed code, the third break-mode value, the emulation
// mode) is stored back unchanged.
#pragma once

#include "startup/general_page.h"
#include "config/option_stores.h"
#include "config/setting_sheets.h"

#include "platform/afx.h"

class CConfigurationSheet : public CPropertySheet {
public:
    CConfigurationSheet(CBreakModeStore& breakMode, CStepOptionStore& stepOption);

    // Runs the sheet without its Apply and Help buttons; after OK the page's
    // values are stored. The dialog's result.
    INT_PTR DoModalAndApply();

    // The driver was changed from the sheet (by the General page's Change
    // button): only the driver selection is saved then.
    void SetDriverListChanged() { m_driverListChanged = true; }
    bool DriverListChanged() const { return m_driverListChanged; }

protected:
    BOOL OnInitDialog() override;

private:
    void StorePageValues();

    CBreakModeStore& m_breakMode;
    CStepOptionStore& m_stepOption;
    CGeneralPage m_page;
    bool m_driverListChanged = false;
};

// The target configuration's Configuration sheet over the stores' copies.
ConfigurationSheetOutcome RunConfigurationSheetOn(CBreakModeStore& breakMode, CStepOptionStore& stepOption);
