#include "breaks/set_break_sheet.h"

#include "util/dlg_with_help.h"

IMPLEMENT_DYNAMIC(CSetBrk, CPropertySheet)

BEGIN_MESSAGE_MAP(CSetBrk, CPropertySheet)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSetBrk::CSetBrk(UINT captionId, CWnd* parent, UINT selectPage) : CPropertySheet(captionId, parent, selectPage) {}

CSetBrk::CSetBrk(LPCSTR caption, CWnd* parent, UINT selectPage) : CPropertySheet(caption, parent, selectPage) {}

BOOL CSetBrk::OnInitDialog() {
    const BOOL result = CPropertySheet::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTEXTHELP);
    return result;
}

BOOL CSetBrk::OnHelpInfo(HELPINFO* help) {
    return ShowControlHelp(*this, helpBase, help);
}
