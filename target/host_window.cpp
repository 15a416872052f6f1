#include "target/host_window.h"

#include "frame/dlg_connection.h"
#include "platform/afx.h"

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
