// The system backend's own functions (Q3V_SYSTEM_OWN_FUNCTIONS): the
// system's, except that a UI driver a test installed answers for the person
// (boxes, popup menus, keys) and is told of help, sounds and the shell; and
// that a window class nobody registered is the layer's generic window.
#include "platform/ui.h"
#include "platform/win32/ui/system_windows.h"

#include <string>
#include <vector>

namespace {

std::string Text(LPCSTR text) {
    return text != nullptr ? text : "";
}

// The layer's generic window: a class of the system's default handling.
constexpr char kGenericClass[] = "Q3vWnd";

LRESULT CALLBACK GenericProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(window, message, wParam, lParam);
}

const char* GenericClass() {
    static const bool registered = [] {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof(windowClass);
        windowClass.style = CS_GLOBALCLASS | CS_DBLCLKS;
        windowClass.lpfnWndProc = &GenericProcedure;
        windowClass.hInstance = platform::win32ui::LayerInstance();
        windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // the arrow
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
        windowClass.lpszClassName = kGenericClass;
        return ::RegisterClassExA(&windowClass) != 0;
    }();
    static_cast<void>(registered);  // a failed registration shows as the window's failed creation
    return kGenericClass;
}

bool IsRegistered(LPCSTR className, HINSTANCE instance) {
    WNDCLASSEXA found{};
    found.cbSize = sizeof(found);
    return ::GetClassInfoExA(instance, className, &found) != FALSE ||
           ::GetClassInfoExA(nullptr, className, &found) != FALSE;
}

std::vector<platform::MenuItemView> ViewOfMenu(HMENU menu) {
    std::vector<platform::MenuItemView> items;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        char text[256] = "";
        MENUITEMINFOA information{};
        information.cbSize = sizeof(information);
        information.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        information.dwTypeData = text;
        information.cch = sizeof(text);
        if (::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &information) == FALSE) {
            continue;
        }
        platform::MenuItemView item;
        item.separator = (information.fType & MFT_SEPARATOR) != 0;
        item.text = item.separator ? "" : text;
        item.grayed = (information.fState & MFS_DISABLED) != 0;
        item.checked = (information.fState & MFS_CHECKED) != 0;
        if (information.hSubMenu != nullptr) {
            item.items = ViewOfMenu(information.hSubMenu);
        } else if (!item.separator) {
            item.id = information.wID;
        }
        items.push_back(std::move(item));
    }
    return items;
}

}  // namespace

int SystemMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
    if (platform::UiDriver* driver = platform::GetUiDriver()) {
        platform::MessageBoxRequest request;
        request.owner = owner;
        request.text = Text(text);
        request.caption = caption != nullptr ? caption : "Error";
        request.type = type;
        return driver->OnMessageBox(request);
    }
    return RealMessageBoxA(owner, text, caption, type);
}

HWND SystemCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                           int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID parameter) {
    platform::win32ui::EnsureCommonControls();
    if (className == nullptr || (!IS_INTRESOURCE(className) && !IsRegistered(className, instance))) {
        className = GenericClass();
    }
    return RealCreateWindowExA(exStyle, className, windowName, style, x, y, width, height, parent, menuOrId, instance,
                               parameter);
}

BOOL SystemTrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect) {
    platform::UiDriver* driver = platform::GetUiDriver();
    if (driver == nullptr) {
        return RealTrackPopupMenu(menu, flags, x, y, reserved, owner, rect);
    }
    platform::MenuRequest request;
    request.owner = owner;
    request.flags = flags;
    request.at = POINT{x, y};
    request.items = ViewOfMenu(menu);
    const UINT chosen = driver->OnPopupMenu(request);
    if (chosen == 0 || (::GetMenuState(menu, chosen, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) != 0) {
        return FALSE;  // dismissed, or an item a person could not choose
    }
    if ((flags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(chosen);
    }
    ::PostMessageA(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}

SHORT SystemGetKeyState(int virtualKey) {
    if (platform::UiDriver* driver = platform::GetUiDriver()) {
        return driver->IsKeyDown(virtualKey) ? static_cast<SHORT>(0x8000) : 0;
    }
    return RealGetKeyState(virtualKey);
}

BOOL SystemMessageBeep(UINT type) {
    if (platform::UiDriver* driver = platform::GetUiDriver()) {
        driver->OnBeep(type);
    }
    return RealMessageBeep(type);
}

BOOL SystemWinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data) {
    if (platform::UiDriver* driver = platform::GetUiDriver()) {
        platform::HelpRequest request;
        request.kind = platform::HelpKind::WinHelp;
        request.window = window;
        request.file = Text(helpFile);
        request.command = command;
        request.data = data;
        driver->OnHelp(request);
    }
    return RealWinHelpA(window, helpFile, command, data);
}

BOOL SystemShellExecuteExA(LPSHELLEXECUTEINFOA information) {
    platform::UiDriver* driver = platform::GetUiDriver();
    if (driver != nullptr && information != nullptr) {
        platform::ShellRequest request;
        request.window = information->hwnd;
        request.verb = Text(information->lpVerb);
        request.file = Text(information->lpFile);
        request.parameters = Text(information->lpParameters);
        request.directory = Text(information->lpDirectory);
        request.show = information->nShow;
        request.mask = information->fMask;
        driver->OnShellExecute(request);
    }
    return RealShellExecuteExA(information);
}
