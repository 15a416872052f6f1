// CSetBrk: the "Set Break" sheet. It has the title bar's context-help
// button and answers help for its own controls; its pages answer for theirs.
#pragma once

#include "platform/afx.h"

class CSetBrk : public CPropertySheet {
    DECLARE_DYNAMIC(CSetBrk)

public:
    // The template id of the break-type page, which the sheet's help ids use.
    static constexpr DWORD kHelpBase = 145;

    CSetBrk(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    CSetBrk(LPCSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);

    // The framework's initialisation, then the "?" button in the title bar.
    BOOL OnInitDialog() override;

    DWORD helpBase = kHelpBase;

protected:
    afx_msg BOOL OnHelpInfo(HELPINFO* help);

    DECLARE_MESSAGE_MAP()
};
