// Windows build only: the user-interface, drawing and resource functions the
// layer has two backends for, as X-macro lists of
// X(result type, name, (parameters), (arguments)).
//
// The product calls the system's own (user32, gdi32, comctl32, shell32); a
// test program may choose the layer's headless window system before its
// first window (platform/window_system.h). Each Platform<Name> passes to the
// chosen backend: Headless<Name> is the headless layer's, and the system's is
// the real <Name> (Q3V_SYSTEM_PASS_FUNCTIONS) or the layer's System<Name>
// (Q3V_SYSTEM_OWN_FUNCTIONS), which adds what a UI driver installed by a test
// or the layer's resource tables need and reaches the real one as
// Real<Name>. The headless system's resource functions read the modules'
// resource tables; the system's read the resources compiled into them.
//
// This header includes nothing: it needs the system's headers before it.
#pragma once

// Passed to the system's own function as they stand.
#define Q3V_SYSTEM_PASS_FUNCTIONS(X) \
    X(BOOL, DestroyWindow, (HWND window), (window)) \
    X(BOOL, IsWindow, (HWND window), (window)) \
    X(BOOL, IsChild, (HWND parent, HWND window), (parent, window)) \
    X(HWND, GetParent, (HWND window), (window)) \
    X(HWND, GetWindow, (HWND window, UINT relation), (window, relation)) \
    X(HWND, GetDesktopWindow, (), ()) \
    X(HWND, FindWindowA, (LPCSTR className, LPCSTR windowName), (className, windowName)) \
    X(BOOL, EnumWindows, (WNDENUMPROC callback, LPARAM parameter), (callback, parameter)) \
    X(BOOL, EnumThreadWindows, (DWORD threadId, WNDENUMPROC callback, LPARAM parameter), (threadId, callback, parameter)) \
    X(LONG, GetWindowLongA, (HWND window, int index), (window, index)) \
    X(LONG, SetWindowLongA, (HWND window, int index, LONG value), (window, index, value)) \
    X(LONG_PTR, GetWindowLongPtrA, (HWND window, int index), (window, index)) \
    X(LONG_PTR, SetWindowLongPtrA, (HWND window, int index, LONG_PTR value), (window, index, value)) \
    X(BOOL, EnableWindow, (HWND window, BOOL enable), (window, enable)) \
    X(BOOL, IsWindowEnabled, (HWND window), (window)) \
    X(BOOL, ShowWindow, (HWND window, int command), (window, command)) \
    X(BOOL, IsWindowVisible, (HWND window), (window)) \
    X(BOOL, IsZoomed, (HWND window), (window)) \
    X(BOOL, SetWindowTextA, (HWND window, LPCSTR text), (window, text)) \
    X(int, GetWindowTextA, (HWND window, LPSTR buffer, int size), (window, buffer, size)) \
    X(int, GetWindowTextLengthA, (HWND window), (window)) \
    X(HWND, SetFocus, (HWND window), (window)) \
    X(HWND, GetFocus, (), ()) \
    X(HWND, SetActiveWindow, (HWND window), (window)) \
    X(HWND, GetActiveWindow, (), ()) \
    X(BOOL, SetForegroundWindow, (HWND window), (window)) \
    X(BOOL, GetWindowRect, (HWND window, LPRECT rect), (window, rect)) \
    X(BOOL, GetClientRect, (HWND window, LPRECT rect), (window, rect)) \
    X(BOOL, MoveWindow, (HWND window, int x, int y, int width, int height, BOOL repaint), (window, x, y, width, height, repaint)) \
    X(BOOL, SetWindowPos, (HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags), (window, insertAfter, x, y, width, height, flags)) \
    X(BOOL, ScreenToClient, (HWND window, LPPOINT point), (window, point)) \
    X(BOOL, InvalidateRect, (HWND window, const RECT* rect, BOOL erase), (window, rect, erase)) \
    X(BOOL, UpdateWindow, (HWND window), (window)) \
    X(LRESULT, SendMessageA, (HWND window, UINT message, WPARAM wParam, LPARAM lParam), (window, message, wParam, lParam)) \
    X(BOOL, PostMessageA, (HWND window, UINT message, WPARAM wParam, LPARAM lParam), (window, message, wParam, lParam)) \
    X(BOOL, PostThreadMessageA, (DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam), (threadId, message, wParam, lParam)) \
    X(LRESULT, DefWindowProcA, (HWND window, UINT message, WPARAM wParam, LPARAM lParam), (window, message, wParam, lParam)) \
    X(UINT, RegisterWindowMessageA, (LPCSTR name), (name)) \
    X(HWND, GetDlgItem, (HWND dialog, int id), (dialog, id)) \
    X(int, GetDlgCtrlID, (HWND window), (window)) \
    X(LRESULT, SendDlgItemMessageA, (HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam), (dialog, id, message, wParam, lParam)) \
    X(BOOL, SetDlgItemTextA, (HWND dialog, int id, LPCSTR text), (dialog, id, text)) \
    X(UINT, GetDlgItemTextA, (HWND dialog, int id, LPSTR buffer, int size), (dialog, id, buffer, size)) \
    X(BOOL, CheckDlgButton, (HWND dialog, int id, UINT check), (dialog, id, check)) \
    X(UINT, IsDlgButtonChecked, (HWND dialog, int id), (dialog, id)) \
    X(BOOL, CheckRadioButton, (HWND dialog, int firstId, int lastId, int checkId), (dialog, firstId, lastId, checkId)) \
    X(BOOL, MapDialogRect, (HWND dialog, LPRECT rect), (dialog, rect)) \
    X(HMENU, CreateMenu, (), ()) \
    X(HMENU, CreatePopupMenu, (), ()) \
    X(BOOL, DestroyMenu, (HMENU menu), (menu)) \
    X(BOOL, IsMenu, (HMENU menu), (menu)) \
    X(BOOL, AppendMenuA, (HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text), (menu, flags, idOrPopup, text)) \
    X(int, GetMenuItemCount, (HMENU menu), (menu)) \
    X(UINT, GetMenuItemID, (HMENU menu, int position), (menu, position)) \
    X(HMENU, GetSubMenu, (HMENU menu, int position), (menu, position)) \
    X(int, GetMenuStringA, (HMENU menu, UINT item, LPSTR buffer, int size, UINT flags), (menu, item, buffer, size, flags)) \
    X(BOOL, EnableMenuItem, (HMENU menu, UINT item, UINT flags), (menu, item, flags)) \
    X(DWORD, CheckMenuItem, (HMENU menu, UINT item, UINT flags), (menu, item, flags)) \
    X(int, CopyAcceleratorTableA, (HACCEL table, LPACCEL entries, int count), (table, entries, count)) \
    X(BOOL, DestroyAcceleratorTable, (HACCEL table), (table)) \
    X(BOOL, GetCursorPos, (LPPOINT point), (point)) \
    X(int, GetSystemMetrics, (int index), (index)) \
    X(BOOL, SystemParametersInfoA, (UINT action, UINT parameter, PVOID value, UINT update), (action, parameter, value, update)) \
    X(HDC, GetDC, (HWND window), (window)) \
    X(int, ReleaseDC, (HWND window, HDC dc), (window, dc)) \
    X(HDC, CreateCompatibleDC, (HDC dc), (dc)) \
    X(BOOL, DeleteDC, (HDC dc), (dc)) \
    X(int, GetDeviceCaps, (HDC dc, int index), (dc, index)) \
    X(HGDIOBJ, SelectObject, (HDC dc, HGDIOBJ object), (dc, object)) \
    X(BOOL, DeleteObject, (HGDIOBJ object), (object)) \
    X(int, GetObjectA, (HANDLE object, int size, LPVOID buffer), (object, size, buffer)) \
    X(HGDIOBJ, GetStockObject, (int index), (index)) \
    X(HBITMAP, CreateBitmap, (int width, int height, UINT planes, UINT bitsPerPixel, const void* bits), (width, height, planes, bitsPerPixel, bits)) \
    X(HBITMAP, CreateBitmapIndirect, (const BITMAP* bitmap), (bitmap)) \
    X(HBITMAP, CreateCompatibleBitmap, (HDC dc, int width, int height), (dc, width, height)) \
    X(LONG, GetBitmapBits, (HBITMAP bitmap, LONG size, LPVOID bits), (bitmap, size, bits)) \
    X(LONG, SetBitmapBits, (HBITMAP bitmap, DWORD size, const void* bits), (bitmap, size, bits)) \
    X(HBRUSH, CreateSolidBrush, (COLORREF color), (color)) \
    X(HFONT, CreateFontIndirectA, (const LOGFONTA* font), (font)) \
    X(COLORREF, SetTextColor, (HDC dc, COLORREF color), (dc, color)) \
    X(COLORREF, GetTextColor, (HDC dc), (dc)) \
    X(COLORREF, SetBkColor, (HDC dc, COLORREF color), (dc, color)) \
    X(COLORREF, GetBkColor, (HDC dc), (dc)) \
    X(int, SetBkMode, (HDC dc, int mode), (dc, mode)) \
    X(DWORD, GetSysColor, (int index), (index)) \
    X(BOOL, BitBlt, (HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop), (target, x, y, width, height, source, sourceX, sourceY, rop)) \
    X(BOOL, StretchBlt, (HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop), (target, x, y, width, height, source, sourceX, sourceY, sourceWidth, sourceHeight, rop)) \
    X(BOOL, PatBlt, (HDC dc, int x, int y, int width, int height, DWORD rop), (dc, x, y, width, height, rop)) \
    X(int, FillRect, (HDC dc, const RECT* rect, HBRUSH brush), (dc, rect, brush)) \
    X(int, DrawTextA, (HDC dc, LPCSTR text, int length, LPRECT rect, UINT format), (dc, text, length, rect, format)) \
    X(BOOL, DrawFocusRect, (HDC dc, const RECT* rect), (dc, rect)) \
    X(BOOL, TextOutA, (HDC dc, int x, int y, LPCSTR text, int length), (dc, x, y, text, length)) \
    X(BOOL, GetTextExtentPoint32A, (HDC dc, LPCSTR text, int length, LPSIZE size), (dc, text, length, size)) \
    X(int, GetClipBox, (HDC dc, LPRECT rect), (dc, rect)) \
    X(BOOL, DestroyIcon, (HICON icon), (icon)) \
    X(HIMAGELIST, ImageList_Create, (int width, int height, UINT flags, int initial, int grow), (width, height, flags, initial, grow)) \
    X(BOOL, ImageList_Destroy, (HIMAGELIST list), (list)) \
    X(int, ImageList_Add, (HIMAGELIST list, HBITMAP image, HBITMAP mask), (list, image, mask)) \
    X(int, ImageList_ReplaceIcon, (HIMAGELIST list, int index, HICON icon), (list, index, icon)) \
    X(HICON, ImageList_GetIcon, (HIMAGELIST list, int index, UINT flags), (list, index, flags)) \
    X(BOOL, ImageList_Draw, (HIMAGELIST list, int index, HDC dc, int x, int y, UINT style), (list, index, dc, x, y, style)) \
    X(int, ImageList_GetImageCount, (HIMAGELIST list), (list)) \
    X(HMONITOR, MonitorFromWindow, (HWND window, DWORD flags), (window, flags)) \
    X(HMONITOR, MonitorFromPoint, (POINT point, DWORD flags), (point, flags)) \
    X(BOOL, GetMonitorInfoA, (HMONITOR monitor, LPMONITORINFO information), (monitor, information)) \
    X(BOOL, EnumDisplayMonitors, (HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data), (dc, clip, callback, data)) \
    X(int, EnumFontFamiliesExA, (HDC dc, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM data, DWORD flags), (dc, font, callback, data, flags)) \
    X(BOOL, GetIconInfo, (HICON icon, PICONINFO information), (icon, information)) \
    X(DWORD_PTR, SHGetFileInfoA, (LPCSTR path, DWORD attributes, SHFILEINFOA* information, UINT size, UINT flags), (path, attributes, information, size, flags)) \
    X(HMODULE, GetModuleHandleA, (LPCSTR moduleName), (moduleName)) \
    X(FARPROC, GetProcAddress, (HMODULE module, LPCSTR name), (module, name)) \
    X(int, GetClassNameA, (HWND window, LPSTR buffer, int size), (window, buffer, size)) \
    X(int, LoadStringA, (HINSTANCE module, UINT id, LPSTR buffer, int size), (module, id, buffer, size)) \
    X(HRSRC, FindResourceA, (HMODULE module, LPCSTR name, LPCSTR type), (module, name, type)) \
    X(HGLOBAL, LoadResource, (HMODULE module, HRSRC resource), (module, resource)) \
    X(LPVOID, LockResource, (HGLOBAL data), (data)) \
    X(DWORD, SizeofResource, (HMODULE module, HRSRC resource), (module, resource)) \
    X(BOOL, FreeResource, (HGLOBAL data), (data)) \
    X(HMENU, LoadMenuA, (HINSTANCE module, LPCSTR name), (module, name)) \
    X(HACCEL, LoadAcceleratorsA, (HINSTANCE module, LPCSTR name), (module, name)) \
    X(HBITMAP, LoadBitmapA, (HINSTANCE module, LPCSTR name), (module, name)) \
    X(HICON, LoadIconA, (HINSTANCE module, LPCSTR name), (module, name)) \
    X(HANDLE, LoadImageA, (HINSTANCE module, LPCSTR name, UINT type, int width, int height, UINT flags), (module, name, type, width, height, flags))

// The system backend's own: a UI driver, when installed, answers for the
// person; a window class nobody registered is the layer's generic one;
// dialogs end in the layer's modal loop.
#define Q3V_SYSTEM_OWN_FUNCTIONS(X) \
    X(int, MessageBoxA, (HWND owner, LPCSTR text, LPCSTR caption, UINT type), (owner, text, caption, type)) \
    X(HWND, CreateWindowExA, (DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID parameter), (exStyle, className, windowName, style, x, y, width, height, parent, menuOrId, instance, parameter)) \
    X(BOOL, EndDialog, (HWND dialog, INT_PTR result), (dialog, result)) \
    X(BOOL, TrackPopupMenu, (HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect), (menu, flags, x, y, reserved, owner, rect)) \
    X(SHORT, GetKeyState, (int virtualKey), (virtualKey)) \
    X(BOOL, MessageBeep, (UINT type), (type)) \
    X(BOOL, WinHelpA, (HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data), (window, helpFile, command, data)) \
    X(BOOL, ShellExecuteExA, (LPSHELLEXECUTEINFOA information), (information))
