// CMDIFrameWnd: as much of the class library's multiple-document frame as
// code of a plug-in reads from a host's main window: the frame's client
// window, which holds the documents.
#pragma once

#include "platform/afx_wnd.h"

class CMDIFrameWnd : public CWnd {
    DECLARE_DYNAMIC(CMDIFrameWnd)

public:
    // The client window (class "MDIClient"); null until CreateClient.
    HWND m_hWndMDIClient = nullptr;

    // Makes the client window: a child of the frame filling its client area.
    BOOL CreateClient();
};
