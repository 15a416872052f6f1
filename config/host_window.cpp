#include "config/host_window.h"

#include "frame/dlg_connection.h"
#include "platform/afx.h"
#include "platform/common_controls.h"

#include <atomic>

namespace {

// Read from the connect thread's message boxes as well as the UI thread.
std::atomic<HWND> preferredOwner{nullptr};
std::atomic<CDlgConnection*> openConnectionDialog{nullptr};
std::atomic<HWND> rememberedMainWindow{nullptr};

}  // namespace

void SetPreferredOwnerWindow(HWND window) { preferredOwner = window; }

void SetOpenConnectionDialog(CDlgConnection* dialog) { openConnectionDialog = dialog; }

CDlgConnection* GetOpenConnectionDialog() { return openConnectionDialog; }

HWND GetHostMainWindow() {
    const HWND preferred = preferredOwner;
    if (preferred != nullptr && IsWindow(preferred)) {
        return preferred;
    }
    if (CDlgConnection* dialog = openConnectionDialog) {
        return dialog->GetSafeHwnd();
    }
    if (CWnd* main = AfxGetMainWnd(); main != nullptr && IsWindow(main->GetSafeHwnd())) {
        rememberedMainWindow = main->GetSafeHwnd();
        preferredOwner = nullptr;
        return main->GetSafeHwnd();
    }
    return rememberedMainWindow;
}

namespace {

// The first descendant with the id, depth first in creation order.
HWND FindDescendant(HWND parent, int id) {
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id) {
            return child;
        }
        if (HWND found = FindDescendant(child, id); found != nullptr) {
            return found;
        }
    }
    return nullptr;
}

}  // namespace

void SetStatusBarText(const char* text) {
    const HWND main = GetHostMainWindow();
    if (main == nullptr) {
        return;
    }
    if (HWND statusBar = FindDescendant(main, kHostStatusBarId); statusBar != nullptr) {
        SendMessageA(statusBar, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text));
    }
}
