// The Windows functions of dialogs and their items.
#include "platform/ui/dispatch.h"
#include "platform/ui/window_manager.h"

#include <cstring>

using namespace platform::ui;

HWND GetDlgItem(HWND dialog, int id) {
    if (FindWindowRecord(dialog) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return nullptr;
    }
    const HWND item = ChildById(dialog, id);
    if (item == nullptr) {
        SetLastError(ERROR_CONTROL_ID_NOT_FOUND);
    }
    return item;
}

int GetDlgCtrlID(HWND window) {
    if (FindWindowRecord(window) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    return static_cast<int>(IdOf(window));
}

LRESULT SendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? Send(item, message, wParam, lParam) : 0;
}

BOOL SetDlgItemTextA(HWND dialog, int id, LPCSTR text) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? SetWindowTextA(item, text) : FALSE;
}

UINT GetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size) {
    if (buffer != nullptr && size > 0) {
        buffer[0] = '\0';
    }
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? static_cast<UINT>(GetWindowTextA(item, buffer, size)) : 0;
}

BOOL CheckDlgButton(HWND dialog, int id, UINT check) {
    const HWND item = GetDlgItem(dialog, id);
    if (item == nullptr) {
        return FALSE;
    }
    Send(item, BM_SETCHECK, check, 0);
    return TRUE;
}

UINT IsDlgButtonChecked(HWND dialog, int id) {
    const HWND item = GetDlgItem(dialog, id);
    return item != nullptr ? static_cast<UINT>(Send(item, BM_GETCHECK, 0, 0)) : BST_UNCHECKED;
}

BOOL CheckRadioButton(HWND dialog, int firstId, int lastId, int checkId) {
    if (FindWindowRecord(dialog) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    for (HWND child : ChildrenOf(dialog)) {
        const int id = static_cast<int>(IdOf(child));
        if (id >= firstId && id <= lastId) {
            Send(child, BM_SETCHECK, id == checkId ? BST_CHECKED : BST_UNCHECKED, 0);
        }
    }
    return TRUE;
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
    if (!IsDialogWindow(dialog)) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    MarkEnded(dialog, result);
    const auto record = FindWindowRecord(dialog);
    bool modal = true;
    {
        std::lock_guard lock(TableMutex());
        modal = record->dialog->modal;
    }
    if (!modal) {
        ShowOrHide(dialog, SW_HIDE);  // a modeless dialog is only hidden; its owner destroys it
    }
    return TRUE;
}

BOOL MapDialogRect(HWND dialog, LPRECT rect) {
    if (!IsDialogWindow(dialog) || rect == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    *rect = DialogUnitsToPixels(static_cast<short>(rect->left), static_cast<short>(rect->top),
                                static_cast<short>(rect->right - rect->left),
                                static_cast<short>(rect->bottom - rect->top));
    return TRUE;
}
