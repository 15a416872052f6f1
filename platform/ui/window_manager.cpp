#include "platform/ui/window_manager.h"

#include "platform/afx_wnd.h"
#include "platform/ui/controls.h"
#include "platform/ui/dispatch.h"
#include "platform/ui_dialog.h"

#include <algorithm>

namespace platform::ui {
namespace {

// The controls of a child's subtree, the child first.
void CollectSubtree(HWND window, std::vector<HWND>& windows) {
    windows.push_back(window);
    for (HWND child : ChildrenOf(window)) {
        CollectSubtree(child, windows);
    }
}

void SendDestroy(HWND window) {
    if (const auto record = FindWindowRecord(window)) {
        std::lock_guard lock(TableMutex());
        record->destroying = true;
    }
    CallProcedure(window, WM_DESTROY, 0, 0);
    for (HWND child : ChildrenOf(window)) {
        SendDestroy(child);
    }
}

void SendNcDestroy(HWND window) {
    for (HWND child : ChildrenOf(window)) {
        SendNcDestroy(child);
    }
    CallProcedure(window, WM_NCDESTROY, 0, 0);
    RemoveWindowRecord(window);
}

}  // namespace

HWND CreateWindowFor(CWnd* object, const CreateParameters& parameters) {
    const WindowClass& windowClass = ClassByName(parameters.className);
    auto record = std::make_shared<Window>();
    record->kind = windowClass.kind;
    record->className = parameters.className.empty() ? "AfxWnd" : parameters.className;
    record->classProcedure = windowClass.procedure;
    record->style = parameters.style;
    record->exStyle = parameters.exStyle;
    record->text = parameters.text;
    record->rect = parameters.rect;
    record->queue = CurrentQueue();
    if ((parameters.style & WS_CHILD) != 0) {
        if (FindWindowRecord(parameters.parent) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);  // a child needs a parent that exists
            return nullptr;
        }
        record->parent = parameters.parent;
        record->id = parameters.id;
    } else if (parameters.parent != nullptr) {
        if (FindWindowRecord(parameters.parent) == nullptr) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
        record->owner = parameters.parent;
    }
    if (windowClass.kind == WindowKind::Dialog) {
        record->dialog = std::make_unique<DialogState>();
    }
    const HWND window = AddWindowRecord(record);
    if (windowClass.makeState != nullptr) {
        record->control = windowClass.makeState(window, parameters);
    }
    if (object != nullptr) {
        {
            std::lock_guard lock(TableMutex());
            record->object = object;
        }
        object->m_hWnd = window;
    }
    CREATESTRUCTA create{};
    create.lpCreateParams = parameters.parameter;
    create.hInstance = parameters.instance;
    create.hwndParent = parameters.parent;
    create.x = parameters.rect.left;
    create.y = parameters.rect.top;
    create.cx = parameters.rect.right - parameters.rect.left;
    create.cy = parameters.rect.bottom - parameters.rect.top;
    create.style = static_cast<LONG>(parameters.style);
    create.lpszName = parameters.text.c_str();
    create.lpszClass = record->className.c_str();
    create.dwExStyle = parameters.exStyle;
    if (CallProcedure(window, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create)) == FALSE ||
        CallProcedure(window, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
        DestroyWindowTree(window);
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    return window;
}

bool DestroyWindowTree(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    if (record->queue != CurrentQueue()) {
        SetLastError(ERROR_ACCESS_DENIED);  // only the window's own thread may destroy it
        return false;
    }
    {
        std::lock_guard lock(TableMutex());
        if (record->destroying) {
            return true;
        }
    }
    std::vector<HWND> subtree;
    CollectSubtree(window, subtree);
    const auto queue = CurrentQueue();
    if (std::find(subtree.begin(), subtree.end(), queue->focus) != subtree.end()) {
        queue->focus = nullptr;
    }
    if (std::find(subtree.begin(), subtree.end(), queue->active) != subtree.end()) {
        // As on Windows, the owner of the window that goes becomes active.
        std::lock_guard lock(TableMutex());
        queue->active = record->owner;
    }
    SendDestroy(window);
    SendNcDestroy(window);
    queue->DropSentTo(subtree);  // their senders would otherwise wait for ever
    queue->Wake();               // a modal loop waiting on this window ends
    return true;
}

HWND SetFocusTo(HWND window) {
    const auto queue = CurrentQueue();
    const HWND previous = queue->focus;
    if (window != nullptr) {
        const auto record = FindWindowRecord(window);
        if (record == nullptr || record->queue != queue) {
            SetLastError(ERROR_INVALID_WINDOW_HANDLE);
            return nullptr;
        }
    }
    if (previous == window) {
        return previous;
    }
    if (previous != nullptr) {
        CallProcedure(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    }
    queue->focus = window;
    if (window != nullptr) {
        CallProcedure(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
    }
    return previous;
}

HWND CurrentFocus() {
    const HWND focus = CurrentQueue()->focus;
    return FindWindowRecord(focus) != nullptr ? focus : nullptr;
}

bool IsVisibleOnScreen(HWND window) {
    if (FindWindowRecord(window) == nullptr) {
        return false;
    }
    for (HWND current = window; current != nullptr; current = ParentOf(current)) {
        if ((StyleOf(current) & WS_VISIBLE) == 0) {
            return false;
        }
    }
    return true;
}

bool IsReachable(HWND window) {
    if (FindWindowRecord(window) == nullptr) {
        return false;
    }
    for (HWND current = window; current != nullptr; current = ParentOf(current)) {
        if ((StyleOf(current) & WS_DISABLED) != 0) {
            return false;
        }
    }
    return true;
}

bool ShowOrHide(HWND window, int command) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    const bool show = command != SW_HIDE;
    bool wasVisible = false;
    {
        std::lock_guard lock(TableMutex());
        wasVisible = (record->style & WS_VISIBLE) != 0;
        record->style = show ? record->style | WS_VISIBLE : record->style & ~WS_VISIBLE;
        if (command == SW_MAXIMIZE) {
            record->style |= WS_MAXIMIZE;
        } else if (command == SW_RESTORE || command == SW_SHOWNORMAL) {
            record->style &= ~WS_MAXIMIZE;
        }
    }
    if (wasVisible != show) {
        CallProcedure(window, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
    }
    const bool activates = command != SW_HIDE && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                           command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    if (activates && ParentOf(window) == nullptr && record->queue == CurrentQueue()) {
        CurrentQueue()->active = window;  // a top-level window that is shown becomes active
    }
    if (!show) {
        const auto queue = CurrentQueue();
        if (queue->focus != nullptr && (queue->focus == window || IsChild(window, queue->focus))) {
            queue->focus = nullptr;
        }
    }
    return wasVisible;
}

bool Enable(HWND window, bool enable) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return false;
    }
    bool wasDisabled = false;
    {
        std::lock_guard lock(TableMutex());
        wasDisabled = (record->style & WS_DISABLED) != 0;
        record->style = enable ? record->style & ~WS_DISABLED : record->style | WS_DISABLED;
    }
    if (wasDisabled == enable) {
        CallProcedure(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
    }
    if (!enable && record->queue == CurrentQueue() && CurrentQueue()->focus == window) {
        CurrentQueue()->focus = nullptr;  // a disabled window loses the keyboard
    }
    return wasDisabled;
}

RECT RectOf(HWND window) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return RECT{};
    }
    std::lock_guard lock(TableMutex());
    return record->rect;
}

void Place(HWND window, const RECT& rect) {
    const auto record = FindWindowRecord(window);
    if (record == nullptr) {
        return;
    }
    RECT previous{};
    {
        std::lock_guard lock(TableMutex());
        previous = record->rect;
        record->rect = rect;
    }
    if (previous.left != rect.left || previous.top != rect.top) {
        CallProcedure(window, WM_MOVE, 0, MAKELPARAM(rect.left, rect.top));
    }
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (previous.right - previous.left != width || previous.bottom - previous.top != height) {
        CallProcedure(window, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
    }
}

HWND ChildById(HWND parent, int id) {
    for (HWND child : ChildrenOf(parent)) {
        if (static_cast<int>(IdOf(child)) == id) {
            return child;
        }
    }
    return nullptr;
}

RECT DialogUnitsToPixels(short x, short y, short width, short height) {
    constexpr int kBaseX = kCharWidth;
    constexpr int kBaseY = kLineHeight;
    return RECT{MulDiv(x, kBaseX, 4), MulDiv(y, kBaseY, 8), MulDiv(x + width, kBaseX, 4),
                MulDiv(y + height, kBaseY, 8)};
}

HWND CreateDialogFromTemplate(const DialogResource& dialog, HWND owner, CWnd* object, DialogMode mode,
                              LPARAM initParameter) {
    CreateParameters parameters;
    parameters.className = "#32770";
    parameters.text = dialog.caption != nullptr ? dialog.caption : "";
    parameters.style = dialog.style;
    parameters.rect = DialogUnitsToPixels(dialog.x, dialog.y, dialog.width, dialog.height);
    parameters.parent = owner;
    if (mode == DialogMode::Page) {
        parameters.style = (dialog.style & ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_VISIBLE)) |
                           WS_CHILD | DS_CONTROL;
        parameters.text = dialog.caption != nullptr ? dialog.caption : "";
    } else if (mode == DialogMode::Modal) {
        parameters.style &= ~WS_VISIBLE;
    }
    const bool showAfterInit = mode == DialogMode::Modeless && (dialog.style & WS_VISIBLE) != 0;
    parameters.style &= ~WS_VISIBLE;
    const HWND window = CreateWindowFor(object, parameters);
    if (window == nullptr) {
        return nullptr;
    }
    const auto record = FindWindowRecord(window);
    {
        std::lock_guard lock(TableMutex());
        record->dialog->templateId = dialog.id;
        record->dialog->modal = mode == DialogMode::Modal;
    }
    HWND firstTabStop = nullptr;
    for (const DialogControl& control : dialog.controls) {
        const WindowClass& controlClass = ClassOf(control.kind);
        CreateParameters child;
        child.className = controlClass.name;
        child.text = control.text != nullptr ? control.text : "";
        child.style = control.style | WS_CHILD | (control.hidden ? 0u : WS_VISIBLE);
        child.rect = DialogUnitsToPixels(control.x, control.y, control.width, control.height);
        child.parent = window;
        child.id = static_cast<UINT>(control.id);
        const HWND created = CreateWindowFor(nullptr, child);
        if (created == nullptr) {
            continue;
        }
        if (control.kind == ControlClass::Button && (control.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) {
            std::lock_guard lock(TableMutex());
            record->dialog->defaultId = control.id;
        }
        if (firstTabStop == nullptr && (control.style & WS_TABSTOP) != 0 && !control.hidden &&
            (control.style & WS_DISABLED) == 0) {
            firstTabStop = created;
        }
    }
    const LRESULT focusDefault =
        CallProcedure(window, WM_INITDIALOG, reinterpret_cast<WPARAM>(firstTabStop), initParameter);
    if (focusDefault != FALSE && firstTabStop != nullptr && IsWindow(firstTabStop) && mode != DialogMode::Page) {
        SetFocusTo(firstTabStop);
    }
    if (showAfterInit && IsWindow(window)) {
        ShowOrHide(window, SW_SHOW);
    }
    return IsWindow(window) ? window : nullptr;
}

bool IsDialogWindow(HWND window) {
    const auto record = FindWindowRecord(window);
    return record != nullptr && record->dialog != nullptr;
}

bool HasEnded(HWND dialog) {
    const auto record = FindWindowRecord(dialog);
    if (record == nullptr) {
        return true;
    }
    std::lock_guard lock(TableMutex());
    return record->destroying || (record->dialog != nullptr && record->dialog->ended);
}

std::optional<INT_PTR> EndResult(HWND dialog) {
    const auto record = FindWindowRecord(dialog);
    if (record == nullptr || record->dialog == nullptr) {
        return std::nullopt;
    }
    std::lock_guard lock(TableMutex());
    return record->dialog->ended ? std::optional<INT_PTR>(record->dialog->result) : std::nullopt;
}

void MarkEnded(HWND dialog, INT_PTR result) {
    const auto record = FindWindowRecord(dialog);
    if (record == nullptr || record->dialog == nullptr) {
        return;
    }
    {
        std::lock_guard lock(TableMutex());
        record->dialog->ended = true;
        record->dialog->result = result;
    }
    record->queue->Wake();
}

void MarkSheet(HWND dialog) {
    const auto record = FindWindowRecord(dialog);
    if (record != nullptr && record->dialog != nullptr) {
        std::lock_guard lock(TableMutex());
        record->dialog->sheet = true;
        record->dialog->modal = true;
    }
}

void RunModal(HWND dialog) {
    // As on Windows, a dialog ended during its initialisation is never shown;
    // anything that arrives later finds it shown, in its modal loop.
    if (HasEnded(dialog)) {
        return;
    }
    ShowOrHide(dialog, SW_SHOW);
    UiDialog person(dialog);
    ActiveUiDriver().OnDialog(person);
    CurrentQueue()->RunUntil([dialog] { return HasEnded(dialog); });
    if (::IsWindow(dialog)) {
        ActiveUiDriver().OnDialogEnded(person);
    }
}

}  // namespace platform::ui
