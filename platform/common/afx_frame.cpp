#include "platform/afx_frame.h"

IMPLEMENT_DYNAMIC(CMDIFrameWnd, CWnd)

BOOL CMDIFrameWnd::CreateClient() {
    RECT client{};
    GetClientRect(&client);
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDIClient", nullptr, WS_CHILD | WS_VISIBLE, client.left,
                                        client.top, client.right - client.left, client.bottom - client.top, m_hWnd,
                                        nullptr, nullptr, nullptr);
    return m_hWndMDIClient != nullptr ? TRUE : FALSE;
}
