// The base of the plug-in's dialogs: F1 or the "?" button on a control shows
// a WinHelp context pop-up from the help file named after the plug-in module.
#pragma once

#include "platform/afx.h"
#include "util/wnd_control_base.h"

class CDlgWithHelp : public CDialog, public CWndControlBase {
public:
    explicit CDlgWithHelp(UINT templateId, CWnd* parent = nullptr);

protected:
    // The pop-up for the control of the request, from the module's folder and
    // file title with ".hlp" (when that file exists), with the context id
    // 0x80000000 + template id * 65536 + control id. TRUE when help was shown.
    afx_msg BOOL OnHelpInfo(HELPINFO* help);

    DWORD m_templateId;

    DECLARE_MESSAGE_MAP()
};

// The pop-up of a window made from template templateId for the control of
// the request, as CDlgWithHelp shows it; TRUE when help was shown.
BOOL ShowControlHelp(CWnd& window, DWORD templateId, const HELPINFO* help);
