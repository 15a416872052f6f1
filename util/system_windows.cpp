#include "util/system_windows.h"

#include "platform/shell.h"

namespace {

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK TakeMainWindow(HWND window, LPARAM data) {
    char title[65] = {};
    if (IsWindowVisible(window) && GetParent(window) == nullptr && GetWindowTextA(window, title, 64) > 0) {
        reinterpret_cast<Search*>(data)->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadMainWindow(DWORD threadId) {
    Search search;
    EnumThreadWindows(threadId, &TakeMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void BringWindowToFront(HWND window) {
    SystemParametersInfoA(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    SetForegroundWindow(window);
    SetActiveWindow(window);
}

int GetFileIconBitmaps(LPCSTR path, BOOL large, CBitmap& colour, CBitmap& mask) {
    SHFILEINFOA information{};
    const UINT flags = large ? SHGFI_SYSICONINDEX : SHGFI_SYSICONINDEX | SHGFI_SMALLICON;
    const auto list = reinterpret_cast<HIMAGELIST>(SHGetFileInfoA(path, 0, &information, sizeof(information), flags));
    if (list == nullptr) {
        return 1;
    }
    const HICON icon = ImageList_GetIcon(list, information.iIcon, ILD_NORMAL);
    ICONINFO bitmaps{};
    if (icon != nullptr && GetIconInfo(icon, &bitmaps)) {
        colour.DeleteObject();
        mask.DeleteObject();
        colour.Attach(bitmaps.hbmColor);
        mask.Attach(bitmaps.hbmMask);
    }
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
    return 0;
}

HBITMAP LoadBitmapResource(WORD id) {
    return static_cast<HBITMAP>(
        LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

HICON LoadIconResource(WORD id) {
    return static_cast<HICON>(LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCE(id), IMAGE_ICON, 0, 0, LR_DEFAULTCOLOR));
}
