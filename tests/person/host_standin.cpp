#include "tests/person/host_standin.h"

#ifdef _WIN32

#include "sim/host/ui_registry.h"

#include <commctrl.h>

#include <vector>

namespace persontest {
namespace {

constexpr char kClassName[] = "Q3vHostStandIn";
constexpr UINT kExitCommand = 57665;

void RegisterClassOnce() {
    static const bool registered = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ::DefWindowProcA;
        windowClass.hInstance = ::GetModuleHandleA(nullptr);
        windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_APPWORKSPACE + 1);
        windowClass.lpszClassName = kClassName;
        return ::RegisterClassA(&windowClass) != 0;
    }();
    static_cast<void>(registered);  // a failure shows as a window not made
}

// Moves the top-level popups of a loaded menu into the menu bar.
void AppendPopups(HMENU bar, HMENU loaded) {
    while (::GetMenuItemCount(loaded) > 0) {
        char text[128] = "";
        ::GetMenuStringA(loaded, 0, text, sizeof(text), MF_BYPOSITION);
        const HMENU popup = ::GetSubMenu(loaded, 0);
        ::RemoveMenu(loaded, 0, MF_BYPOSITION);  // the popup stays, now the bar's
        if (popup != nullptr) {
            ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(popup), text);
        }
    }
    ::DestroyMenu(loaded);
}

}  // namespace

HostStandIn::HostStandIn(const simhost::HostUiRegistry& registry) : registry_(registry) {
    RegisterClassOnce();
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HMENU bar = ::CreateMenu();
    const HMENU file = ::CreatePopupMenu();
    ::AppendMenuA(file, MF_STRING, kExitCommand, "E&xit");
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), "&File");
    window_ = ::CreateWindowExA(0, kClassName, "Host stand-in", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 640, 420,
                                nullptr, bar, ::GetModuleHandleA(nullptr), nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    ::SetWindowLongPtrA(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Procedure));
    toolbar_ = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, "", WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_TOOLTIPS,
                                 0, 0, 0, 0, window_, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ::SendMessageA(toolbar_, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    RECT client{};
    ::GetClientRect(window_, &client);
    view_ = ::CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "The host's view", WS_CHILD | WS_VISIBLE | ES_MULTILINE |
                              ES_READONLY, 0, 40, client.right, client.bottom - 40, window_, nullptr,
                              ::GetModuleHandleA(nullptr), nullptr);
    ::UpdateWindow(window_);
}

HostStandIn::~HostStandIn() {
    ::DestroyWindow(window_);
}

bool HostStandIn::ShowRegistrations() {
    bool complete = true;
    const HMENU bar = MenuBar();
    for (const auto& [owner, entries] : registry_.Owners()) {
        for (const auto& [key, menu] : entries.menus) {
            if (menu.instance == nullptr || menu.takenOut) {
                continue;
            }
            const HMENU loaded = ::LoadMenuA(menu.instance, MAKEINTRESOURCEA(key));
            if (loaded == nullptr) {
                complete = false;
                continue;
            }
            AppendPopups(bar, loaded);
        }
        for (const simhost::UiToolbarEntry& toolbar : entries.toolbars) {
            std::vector<TBBUTTON> buttons;
            for (const DWORD id : toolbar.buttons) {
                if (id != 0) {
                    buttons.push_back({});
                }
            }
            // The buttons' images are the bitmap's equal slices, one a button.
            const HBITMAP picture = ::LoadBitmapA(toolbar.instance, MAKEINTRESOURCEA(toolbar.toolbarId));
            BITMAP shape{};
            if (picture == nullptr || buttons.empty() || ::GetObjectA(picture, sizeof(shape), &shape) == 0) {
                complete = false;
                continue;
            }
            ::SendMessageA(toolbar_, TB_SETBITMAPSIZE, 0,
                           MAKELPARAM(shape.bmWidth / static_cast<int>(buttons.size()), shape.bmHeight));
            TBADDBITMAP bitmap{nullptr, reinterpret_cast<UINT_PTR>(picture)};
            const LRESULT first = ::SendMessageA(toolbar_, TB_ADDBITMAP, buttons.size(),
                                                 reinterpret_cast<LPARAM>(&bitmap));
            if (first < 0) {
                complete = false;
                continue;
            }
            buttons.clear();
            int image = static_cast<int>(first);
            for (const DWORD id : toolbar.buttons) {
                TBBUTTON button{};
                button.idCommand = static_cast<int>(id);
                button.fsState = TBSTATE_ENABLED;
                button.fsStyle = id != 0 ? BTNS_BUTTON : BTNS_SEP;
                button.iBitmap = id != 0 ? image++ : 0;
                buttons.push_back(button);
            }
            ::SendMessageA(toolbar_, TB_ADDBUTTONSA, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
        }
    }
    ::SendMessageA(toolbar_, TB_AUTOSIZE, 0, 0);
    ::DrawMenuBar(window_);
    ::RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return complete;
}

LRESULT CALLBACK HostStandIn::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<HostStandIn*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message == WM_COMMAND && self != nullptr &&
        (lParam == 0 || reinterpret_cast<HWND>(lParam) == self->toolbar_)) {
        // The host sends a command to the window that registered it.
        if (const HWND target = self->registry_.WindowForCommand(LOWORD(wParam))) {
            return ::SendMessageA(target, WM_COMMAND, MAKEWPARAM(LOWORD(wParam), 0), 0);
        }
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace persontest

#endif  // _WIN32
