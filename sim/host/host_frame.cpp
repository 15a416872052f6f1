#include "sim/host/host_frame.h"

namespace simhost {

HostFrame::HostFrame() {
    frame_.CreateEx(0, nullptr, "Kestrune", WS_OVERLAPPED, CRect(0, 0, 800, 600), nullptr, 0);
    if (CWinApp* app = AfxGetApp()) {
        app->m_pMainWnd = &frame_;
    }
}

HostFrame::~HostFrame() {
    if (CWinApp* app = AfxGetApp(); app != nullptr && app->m_pMainWnd == &frame_) {
        app->m_pMainWnd = nullptr;
    }
    frame_.DestroyWindow();
}

}  // namespace simhost
