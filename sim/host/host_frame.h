// The host's main frame window: made on the calling thread, it is the main
// window of the program's application object (when the program has one)
// while it exists, so the plug-in's windows find their parent in it.
#pragma once

#include "platform/afx.h"

namespace simhost {

class HostFrame {
public:
    HostFrame();
    ~HostFrame();
    HostFrame(const HostFrame&) = delete;
    HostFrame& operator=(const HostFrame&) = delete;

    HWND Window() const { return frame_.GetSafeHwnd(); }

private:
    CWnd frame_;
};

}  // namespace simhost
