#include "platform/common/window_backend.h"

#include "platform/afx_controls.h"
#include "platform/crt_strings.h"
#include "platform/window_system.h"

namespace platform::wnd {

WindowBackend& Backend() {
#ifdef _WIN32
    if (!HeadlessWindows()) {
        return SystemBackend();
    }
#endif
    return HeadlessBackend();
}

ControlKind KindOfClass(const char* className) {
    struct Name {
        const char* name;
        ControlKind kind;
    };
    static constexpr Name kNames[] = {
        {"#32770", ControlKind::Dialog},
        {"Button", ControlKind::Button},
        {"Edit", ControlKind::Edit},
        {"Static", ControlKind::Static},
        {"ComboBox", ControlKind::ComboBox},
        {"ListBox", ControlKind::ListBox},
        {"SysListView32", ControlKind::ListView},
        {"SysTreeView32", ControlKind::TreeView},
        {"msctls_updown32", ControlKind::UpDown},
        {"msctls_progress32", ControlKind::Progress},
        {"SysAnimate32", ControlKind::Animate},
        {"msctls_statusbar32", ControlKind::StatusBar},
    };
    if (className == nullptr) {
        return ControlKind::Generic;
    }
    for (const Name& each : kNames) {
        if (_stricmp(each.name, className) == 0) {
            return each.kind;
        }
    }
    return ControlKind::Generic;
}

ControlKind KindOf(HWND window) {
    char name[64] = "";
    if (window == nullptr || ::GetClassNameA(window, name, static_cast<int>(sizeof(name))) == 0) {
        return ControlKind::Generic;
    }
    return KindOfClass(name);
}

std::unique_ptr<CWnd> MakeTemporary(ControlKind kind) {
    switch (kind) {
    case ControlKind::Button:
        return std::make_unique<CButton>();
    case ControlKind::Edit:
        return std::make_unique<CEdit>();
    case ControlKind::Static:
        return std::make_unique<CStatic>();
    case ControlKind::ComboBox:
        return std::make_unique<CComboBox>();
    case ControlKind::ListBox:
        return std::make_unique<CListBox>();
    case ControlKind::ListView:
        return std::make_unique<CListCtrl>();
    case ControlKind::TreeView:
        return std::make_unique<CTreeCtrl>();
    case ControlKind::UpDown:
        return std::make_unique<CSpinButtonCtrl>();
    case ControlKind::Progress:
        return std::make_unique<CProgressCtrl>();
    case ControlKind::Animate:
        return std::make_unique<CAnimateCtrl>();
    default:
        return std::make_unique<CWnd>();
    }
}

HWND ParentOf(HWND window) {
    if (window == nullptr || (static_cast<DWORD>(::GetWindowLongA(window, GWL_STYLE)) & WS_CHILD) == 0) {
        return nullptr;
    }
    return ::GetParent(window);
}

}  // namespace platform::wnd
