// The host as a plain Windows program: a top-level window with a menu bar, a
// toolbar and a view, made with the system's functions and no class library.
// It shows what a plug-in registered with the simulated host's UI
// registration: each registered menu resource, loaded by the system from the
// plug-in's module, in the menu bar; each registered toolbar's buttons with
// the bitmap of the plug-in's module in the toolbar. A command from its menu
// bar or toolbar goes to the window that registered the menu holding it, as
// the host sends it.
#pragma once

#include "platform/wintypes.h"

#include <string>

namespace simhost {
class HostUiRegistry;
}

namespace persontest {

#ifdef _WIN32
class HostStandIn {
public:
    explicit HostStandIn(const simhost::HostUiRegistry& registry);
    ~HostStandIn();
    HostStandIn(const HostStandIn&) = delete;
    HostStandIn& operator=(const HostStandIn&) = delete;

    // Puts the registered menus into the menu bar and the registered
    // toolbars' buttons into the toolbar; false when a menu resource or a
    // toolbar bitmap could not be loaded from its module.
    bool ShowRegistrations();

    HWND Window() const { return window_; }
    HWND Toolbar() const { return toolbar_; }
    HMENU MenuBar() const { return ::GetMenu(window_); }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    const simhost::HostUiRegistry& registry_;
    HWND window_ = nullptr;
    HWND toolbar_ = nullptr;
    HWND view_ = nullptr;
};
#endif

}  // namespace persontest
