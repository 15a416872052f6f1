// The Windows functions of windows and messages, over the headless windows.
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/item_list.h"
#include "platform/ui/screen.h"

#include <algorithm>
#include <cstring>
#include <map>

using namespace platform::ui;

namespace {

bool Exists(HWND window) {
    if (FindWindowRecord(window) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    return true;
}

HWND OwnerOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return nullptr;
    }
    std::lock_guard lock(TableMutex());
    return record->owner;
}

// The windows beside this one: its parent's children, or the top-level
// windows.
std::vector<HWND> SiblingsOf(HWND window) {
    const HWND parent = ParentOf(window);
    if (parent != nullptr) {
        return ChildrenOf(parent);
    }
    std::vector<HWND> siblings;
    for (const auto& record : TopLevelWindows()) {
        if (record->kind != WindowKind::Desktop) {
            siblings.push_back(record->handle);
        }
    }
    return siblings;
}

bool EnumerateTopLevel(DWORD threadId, bool anyThread, WNDENUMPROC callback, LPARAM parameter) {
    if (callback == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    for (const auto& record : TopLevelWindows()) {
        if (record->kind == WindowKind::Desktop || (!anyThread && record->queue->ThreadId() != threadId)) {
            continue;
        }
        if (!callback(record->handle, parameter)) {
            return false;
        }
    }
    return true;
}

}  // namespace

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                     int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID parameter) {
    if (className != nullptr && !IS_INTRESOURCE(className) && ClassByName(className).kind == WindowKind::Desktop) {
        SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
        return nullptr;
    }
    CreateParameters parameters;
    parameters.exStyle = exStyle;
    parameters.className = className != nullptr && !IS_INTRESOURCE(className) ? className : "";
    parameters.text = windowName != nullptr ? windowName : "";
    parameters.style = style;
    parameters.rect = RECT{x, y, x + width, y + height};
    parameters.parent = parent;
    parameters.id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(menuOrId));
    parameters.instance = instance;
    parameters.parameter = parameter;
    return CreateWindowFor(nullptr, parameters);
}

BOOL DestroyWindow(HWND window) {
    return DestroyWindowTree(window) ? TRUE : FALSE;
}

BOOL IsWindow(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return FALSE;
    }
    std::lock_guard lock(TableMutex());
    return record->destroying ? FALSE : TRUE;
}

BOOL IsChild(HWND parent, HWND window) {
    for (HWND current = ParentOf(window); current != nullptr; current = ParentOf(current)) {
        if (current == parent) {
            return TRUE;
        }
    }
    return FALSE;
}

HWND GetParent(HWND window) {
    if (!Exists(window)) {
        return nullptr;
    }
    const HWND parent = ParentOf(window);
    return parent != nullptr ? parent : OwnerOf(window);
}

HWND GetWindow(HWND window, UINT relation) {
    if (!Exists(window)) {
        return nullptr;
    }
    if (relation == GW_CHILD) {
        const std::vector<HWND> children = ChildrenOf(window);
        return children.empty() ? nullptr : children.front();
    }
    if (relation == GW_OWNER) {
        return OwnerOf(window);
    }
    const std::vector<HWND> siblings = SiblingsOf(window);
    const auto at = std::find(siblings.begin(), siblings.end(), window);
    switch (relation) {
    case GW_HWNDFIRST:
        return siblings.empty() ? nullptr : siblings.front();
    case GW_HWNDLAST:
        return siblings.empty() ? nullptr : siblings.back();
    case GW_HWNDNEXT:
        return at != siblings.end() && at + 1 != siblings.end() ? *(at + 1) : nullptr;
    case GW_HWNDPREV:
        return at != siblings.end() && at != siblings.begin() ? *(at - 1) : nullptr;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
}

HWND GetDesktopWindow() {
    return DesktopWindow();
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
    for (const auto& record : TopLevelWindows()) {
        if (record->kind == WindowKind::Desktop) {
            continue;
        }
        std::lock_guard lock(TableMutex());
        const bool classMatches = className == nullptr || CompareIgnoringCase(record->className, className) == 0;
        const bool nameMatches = windowName == nullptr || record->text == windowName;
        if (classMatches && nameMatches && !record->destroying) {
            return record->handle;
        }
    }
    return nullptr;
}

BOOL EnumWindows(WNDENUMPROC callback, LPARAM parameter) {
    return EnumerateTopLevel(0, true, callback, parameter) ? TRUE : FALSE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM parameter) {
    return EnumerateTopLevel(threadId, false, callback, parameter) ? TRUE : FALSE;
}

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::lock_guard lock(TableMutex());
    switch (index) {
    case GWL_STYLE:
        return static_cast<LONG>(record->style);
    case GWL_EXSTYLE:
        return static_cast<LONG>(record->exStyle);
    case GWLP_ID:
        return static_cast<LONG_PTR>(record->id);
    case GWLP_USERDATA:
        return record->userData;
    case GWLP_HWNDPARENT:
        return reinterpret_cast<LONG_PTR>(record->parent != nullptr ? record->parent : record->owner);
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    std::lock_guard lock(TableMutex());
    LONG_PTR previous = 0;
    switch (index) {
    case GWL_STYLE:
        previous = static_cast<LONG>(record->style);
        record->style = static_cast<DWORD>(value);
        return previous;
    case GWL_EXSTYLE:
        previous = static_cast<LONG>(record->exStyle);
        record->exStyle = static_cast<DWORD>(value);
        return previous;
    case GWLP_ID:
        previous = static_cast<LONG_PTR>(record->id);
        record->id = static_cast<UINT>(value);
        return previous;
    case GWLP_USERDATA:
        previous = record->userData;
        record->userData = value;
        return previous;
    default:
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
}

// The 32-bit forms: the same values, of which a 64-bit build names only
// those that fit 32 bits.
LONG GetWindowLongA(HWND window, int index) {
    return static_cast<LONG>(GetWindowLongPtrA(window, index));
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
    return static_cast<LONG>(SetWindowLongPtrA(window, index, value));
}

BOOL EnableWindow(HWND window, BOOL enable) {
    return Enable(window, enable != FALSE) ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window) {
    return Exists(window) && (StyleOf(window) & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL ShowWindow(HWND window, int command) {
    return ShowOrHide(window, command) ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND window) {
    return IsVisibleOnScreen(window) ? TRUE : FALSE;
}

BOOL IsZoomed(HWND window) {
    return Exists(window) && (StyleOf(window) & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
    if (!Exists(window)) {
        return FALSE;
    }
    return Send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text != nullptr ? text : "")) != FALSE ? TRUE : FALSE;
}

int GetWindowTextA(HWND window, LPSTR buffer, int size) {
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    if (!Exists(window) || buffer == nullptr || size <= 0) {
        return 0;
    }
    return static_cast<int>(Send(window, WM_GETTEXT, static_cast<WPARAM>(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetClassNameA(HWND window, LPSTR buffer, int size) {
    if (!Exists(window)) {
        return 0;
    }
    if (buffer == nullptr || size <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string name = ClassNameOf(window);
    const std::size_t copied = std::min(name.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, name.data(), copied);
    buffer[copied] = '\0';
    return static_cast<int>(copied);
}

int GetWindowTextLengthA(HWND window) {
    return Exists(window) ? static_cast<int>(Send(window, WM_GETTEXTLENGTH, 0, 0)) : 0;
}

HWND SetFocus(HWND window) {
    return SetFocusTo(window);
}

HWND GetFocus() {
    return CurrentFocus();
}

HWND SetActiveWindow(HWND window) {
    if (!Exists(window)) {
        return nullptr;
    }
    const auto queue = CurrentQueue();
    const HWND previous = queue->active;
    queue->active = window;
    return previous;
}

HWND GetActiveWindow() {
    const HWND active = CurrentQueue()->active;
    return FindWindowRecord(active) != nullptr ? active : nullptr;
}

BOOL SetForegroundWindow(HWND window) {
    if (!Exists(window)) {
        return FALSE;
    }
    SetActiveWindow(window);
    return TRUE;
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
    if (!Exists(window) || rect == nullptr) {
        return FALSE;
    }
    const RECT own = RectOf(window);
    const HWND parent = ParentOf(window);
    const POINT origin = parent != nullptr ? ScreenOrigin(parent) : POINT{0, 0};
    *rect = RECT{origin.x + own.left, origin.y + own.top, origin.x + own.right, origin.y + own.bottom};
    return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
    if (!Exists(window) || rect == nullptr) {
        return FALSE;
    }
    const RECT own = RectOf(window);
    *rect = RECT{0, 0, own.right - own.left, own.bottom - own.top};
    return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL) {
    if (!Exists(window)) {
        return FALSE;
    }
    Place(window, RECT{x, y, x + width, y + height});
    return TRUE;
}

BOOL SetWindowPos(HWND window, HWND, int x, int y, int width, int height, UINT flags) {
    if (!Exists(window)) {
        return FALSE;
    }
    RECT rect = RectOf(window);
    if ((flags & SWP_NOMOVE) == 0) {
        rect = RECT{x, y, x + (rect.right - rect.left), y + (rect.bottom - rect.top)};
    }
    if ((flags & SWP_NOSIZE) == 0) {
        rect.right = rect.left + width;
        rect.bottom = rect.top + height;
    }
    Place(window, rect);
    if ((flags & SWP_SHOWWINDOW) != 0) {
        ShowOrHide(window, SW_SHOW);
    } else if ((flags & SWP_HIDEWINDOW) != 0) {
        ShowOrHide(window, SW_HIDE);
    }
    return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
    if (!Exists(window) || point == nullptr) {
        return FALSE;
    }
    const POINT origin = ScreenOrigin(window);
    point->x -= origin.x;
    point->y -= origin.y;
    return TRUE;
}

BOOL InvalidateRect(HWND window, LPCRECT, BOOL) {
    return Exists(window) ? TRUE : FALSE;  // nothing is on a screen to repaint
}

BOOL UpdateWindow(HWND window) {
    return Exists(window) ? TRUE : FALSE;
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Send(window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return Post(window, message, wParam, lParam) ? TRUE : FALSE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto queue = QueueOfThread(threadId);
    MSG posted{};
    posted.message = message;
    posted.wParam = wParam;
    posted.lParam = lParam;
    if (queue == nullptr || !queue->PostThreadMessage(posted)) {
        SetLastError(ERROR_INVALID_PARAMETER);  // no such thread, or it has ended
        return FALSE;
    }
    return TRUE;
}

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultProcedure(window, message, wParam, lParam);
}

UINT RegisterWindowMessageA(LPCSTR name) {
    // The same name (in any case) gives the same number, from 0xC000 up.
    static std::mutex mutex;
    static std::map<std::string, UINT, decltype([](const std::string& a, const std::string& b) {
        return CompareIgnoringCase(a, b) < 0;
    })>
        registered;
    if (name == nullptr || *name == '\0') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard lock(mutex);
    const auto [entry, added] = registered.emplace(name, 0xC000u + static_cast<UINT>(registered.size()));
    return entry->second;
}
