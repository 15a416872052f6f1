// Windows build only: the system's user-interface and resource functions
// that the layer implements headless are led to the layer's own (declared
// here with the system's signatures as Platform<Name>); the generic names
// that windows.h maps to the ANSI ones follow. The system's headers are
// included before this one, so their own declarations are untouched.
#pragma once

#ifdef _WIN32

int PlatformMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int PlatformLoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);

#undef GetCurrentTime  // a legacy alias of GetTickCount, in the way of CTime::GetCurrentTime
// Aliases of the run time's memory functions, in the way of the memory
// servers' operations of the same names.
#undef CopyMemory
#undef FillMemory
#undef MessageBox
#define MessageBoxA PlatformMessageBoxA
#define MessageBox PlatformMessageBoxA
#undef LoadString
#define LoadStringA PlatformLoadStringA
#define LoadString PlatformLoadStringA

HWND PlatformCreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width, int height, HWND parent, HMENU menuOrId, HINSTANCE instance, LPVOID parameter);
BOOL PlatformDestroyWindow(HWND window);
BOOL PlatformIsWindow(HWND window);
BOOL PlatformIsChild(HWND parent, HWND window);
HWND PlatformGetParent(HWND window);
HWND PlatformGetWindow(HWND window, UINT relation);
HWND PlatformGetDesktopWindow();
HWND PlatformFindWindowA(LPCSTR className, LPCSTR windowName);
BOOL PlatformEnumWindows(WNDENUMPROC callback, LPARAM parameter);
BOOL PlatformEnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM parameter);
LONG PlatformGetWindowLongA(HWND window, int index);
LONG PlatformSetWindowLongA(HWND window, int index, LONG value);
LONG_PTR PlatformGetWindowLongPtrA(HWND window, int index);
LONG_PTR PlatformSetWindowLongPtrA(HWND window, int index, LONG_PTR value);
BOOL PlatformEnableWindow(HWND window, BOOL enable);
BOOL PlatformIsWindowEnabled(HWND window);
BOOL PlatformShowWindow(HWND window, int command);
BOOL PlatformIsWindowVisible(HWND window);
BOOL PlatformIsZoomed(HWND window);
BOOL PlatformSetWindowTextA(HWND window, LPCSTR text);
int PlatformGetWindowTextA(HWND window, LPSTR buffer, int size);
int PlatformGetWindowTextLengthA(HWND window);
HWND PlatformSetFocus(HWND window);
HWND PlatformGetFocus();
HWND PlatformSetActiveWindow(HWND window);
HWND PlatformGetActiveWindow();
BOOL PlatformSetForegroundWindow(HWND window);
BOOL PlatformGetWindowRect(HWND window, LPRECT rect);
BOOL PlatformGetClientRect(HWND window, LPRECT rect);
BOOL PlatformMoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint);
BOOL PlatformSetWindowPos(HWND window, HWND insertAfter, int x, int y, int width, int height, UINT flags);
BOOL PlatformScreenToClient(HWND window, LPPOINT point);
BOOL PlatformClientToScreen(HWND window, LPPOINT point);
BOOL PlatformInvalidateRect(HWND window, const RECT* rect, BOOL erase);
BOOL PlatformUpdateWindow(HWND window);
LRESULT PlatformSendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PlatformPostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PlatformPostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT PlatformDefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
UINT PlatformRegisterWindowMessageA(LPCSTR name);
HWND PlatformGetDlgItem(HWND dialog, int id);
int PlatformGetDlgCtrlID(HWND window);
LRESULT PlatformSendDlgItemMessageA(HWND dialog, int id, UINT message, WPARAM wParam, LPARAM lParam);
BOOL PlatformSetDlgItemTextA(HWND dialog, int id, LPCSTR text);
UINT PlatformGetDlgItemTextA(HWND dialog, int id, LPSTR buffer, int size);
BOOL PlatformCheckDlgButton(HWND dialog, int id, UINT check);
UINT PlatformIsDlgButtonChecked(HWND dialog, int id);
BOOL PlatformCheckRadioButton(HWND dialog, int firstId, int lastId, int checkId);
BOOL PlatformEndDialog(HWND dialog, INT_PTR result);
BOOL PlatformMapDialogRect(HWND dialog, LPRECT rect);
HMENU PlatformCreateMenu();
HMENU PlatformCreatePopupMenu();
BOOL PlatformDestroyMenu(HMENU menu);
BOOL PlatformIsMenu(HMENU menu);
HMENU PlatformLoadMenuA(HINSTANCE module, LPCSTR name);
BOOL PlatformAppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text);
BOOL PlatformDeleteMenu(HMENU menu, UINT item, UINT flags);
int PlatformGetMenuItemCount(HMENU menu);
UINT PlatformGetMenuItemID(HMENU menu, int position);
HMENU PlatformGetSubMenu(HMENU menu, int position);
int PlatformGetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags);
UINT PlatformGetMenuState(HMENU menu, UINT item, UINT flags);
BOOL PlatformEnableMenuItem(HMENU menu, UINT item, UINT flags);
DWORD PlatformCheckMenuItem(HMENU menu, UINT item, UINT flags);
BOOL PlatformTrackPopupMenu(HMENU menu, UINT flags, int x, int y, int reserved, HWND owner, const RECT* rect);
HACCEL PlatformLoadAcceleratorsA(HINSTANCE module, LPCSTR name);
int PlatformCopyAcceleratorTableA(HACCEL table, LPACCEL entries, int count);
BOOL PlatformDestroyAcceleratorTable(HACCEL table);
SHORT PlatformGetKeyState(int virtualKey);
BOOL PlatformGetCursorPos(LPPOINT point);
BOOL PlatformMessageBeep(UINT type);
BOOL PlatformWinHelpA(HWND window, LPCSTR helpFile, UINT command, ULONG_PTR data);
int PlatformGetSystemMetrics(int index);
BOOL PlatformSystemParametersInfoA(UINT action, UINT parameter, PVOID value, UINT update);
HRSRC PlatformFindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL PlatformLoadResource(HMODULE module, HRSRC resource);
LPVOID PlatformLockResource(HGLOBAL data);
DWORD PlatformSizeofResource(HMODULE module, HRSRC resource);
BOOL PlatformFreeResource(HGLOBAL data);
HDC PlatformGetDC(HWND window);
int PlatformReleaseDC(HWND window, HDC dc);
HDC PlatformCreateCompatibleDC(HDC dc);
BOOL PlatformDeleteDC(HDC dc);
int PlatformGetDeviceCaps(HDC dc, int index);
HGDIOBJ PlatformSelectObject(HDC dc, HGDIOBJ object);
BOOL PlatformDeleteObject(HGDIOBJ object);
int PlatformGetObjectA(HANDLE object, int size, LPVOID buffer);
HGDIOBJ PlatformGetStockObject(int index);
HBITMAP PlatformCreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits);
HBITMAP PlatformCreateBitmapIndirect(const BITMAP* bitmap);
HBITMAP PlatformCreateCompatibleBitmap(HDC dc, int width, int height);
LONG PlatformGetBitmapBits(HBITMAP bitmap, LONG size, LPVOID bits);
LONG PlatformSetBitmapBits(HBITMAP bitmap, DWORD size, const void* bits);
HBRUSH PlatformCreateSolidBrush(COLORREF color);
HFONT PlatformCreateFontIndirectA(const LOGFONTA* font);
COLORREF PlatformSetTextColor(HDC dc, COLORREF color);
COLORREF PlatformGetTextColor(HDC dc);
COLORREF PlatformSetBkColor(HDC dc, COLORREF color);
COLORREF PlatformGetBkColor(HDC dc);
int PlatformSetBkMode(HDC dc, int mode);
DWORD PlatformGetSysColor(int index);
BOOL PlatformBitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, DWORD rop);
BOOL PlatformStretchBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY, int sourceWidth, int sourceHeight, DWORD rop);
BOOL PlatformPatBlt(HDC dc, int x, int y, int width, int height, DWORD rop);
int PlatformFillRect(HDC dc, const RECT* rect, HBRUSH brush);
int PlatformDrawTextA(HDC dc, LPCSTR text, int length, LPRECT rect, UINT format);
BOOL PlatformDrawFocusRect(HDC dc, const RECT* rect);
BOOL PlatformTextOutA(HDC dc, int x, int y, LPCSTR text, int length);
BOOL PlatformGetTextExtentPoint32A(HDC dc, LPCSTR text, int length, LPSIZE size);
int PlatformGetClipBox(HDC dc, LPRECT rect);
HBITMAP PlatformLoadBitmapA(HINSTANCE module, LPCSTR name);
HICON PlatformLoadIconA(HINSTANCE module, LPCSTR name);
HANDLE PlatformLoadImageA(HINSTANCE module, LPCSTR name, UINT type, int width, int height, UINT flags);
BOOL PlatformDestroyIcon(HICON icon);
HIMAGELIST PlatformImageList_Create(int width, int height, UINT flags, int initial, int grow);
BOOL PlatformImageList_Destroy(HIMAGELIST list);
int PlatformImageList_Add(HIMAGELIST list, HBITMAP image, HBITMAP mask);
int PlatformImageList_ReplaceIcon(HIMAGELIST list, int index, HICON icon);
HICON PlatformImageList_GetIcon(HIMAGELIST list, int index, UINT flags);
BOOL PlatformImageList_Draw(HIMAGELIST list, int index, HDC dc, int x, int y, UINT style);
int PlatformImageList_GetImageCount(HIMAGELIST list);
HMONITOR PlatformMonitorFromWindow(HWND window, DWORD flags);
HMONITOR PlatformMonitorFromPoint(POINT point, DWORD flags);
BOOL PlatformGetMonitorInfoA(HMONITOR monitor, LPMONITORINFO information);
BOOL PlatformEnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
int PlatformEnumFontFamiliesExA(HDC dc, LPLOGFONTA font, FONTENUMPROCA callback, LPARAM data, DWORD flags);
BOOL PlatformGetIconInfo(HICON icon, PICONINFO information);
BOOL PlatformShellExecuteExA(LPSHELLEXECUTEINFOA information);
DWORD_PTR PlatformSHGetFileInfoA(LPCSTR path, DWORD attributes, SHFILEINFOA* information, UINT size, UINT flags);
// "User32" is the layer itself, as on Linux (platform/module.h).
HMODULE PlatformGetModuleHandleA(LPCSTR moduleName);
FARPROC PlatformGetProcAddress(HMODULE module, LPCSTR name);

#define CreateWindowExA PlatformCreateWindowExA
#define DestroyWindow PlatformDestroyWindow
#define IsWindow PlatformIsWindow
#define IsChild PlatformIsChild
#define GetParent PlatformGetParent
#define GetWindow PlatformGetWindow
#define GetDesktopWindow PlatformGetDesktopWindow
#define FindWindowA PlatformFindWindowA
#define EnumWindows PlatformEnumWindows
#define EnumThreadWindows PlatformEnumThreadWindows
#define GetWindowLongA PlatformGetWindowLongA
#define SetWindowLongA PlatformSetWindowLongA
// The 32-bit system headers make these names aliases of the 32-bit ones; the
// layer has them as functions of their own in both builds.
#undef GetWindowLongPtrA
#undef SetWindowLongPtrA
#define GetWindowLongPtrA PlatformGetWindowLongPtrA
#define SetWindowLongPtrA PlatformSetWindowLongPtrA
#define EnableWindow PlatformEnableWindow
#define IsWindowEnabled PlatformIsWindowEnabled
#define ShowWindow PlatformShowWindow
#define IsWindowVisible PlatformIsWindowVisible
#define IsZoomed PlatformIsZoomed
#define SetWindowTextA PlatformSetWindowTextA
#define GetWindowTextA PlatformGetWindowTextA
#define GetWindowTextLengthA PlatformGetWindowTextLengthA
#define SetFocus PlatformSetFocus
#define GetFocus PlatformGetFocus
#define SetActiveWindow PlatformSetActiveWindow
#define GetActiveWindow PlatformGetActiveWindow
#define SetForegroundWindow PlatformSetForegroundWindow
#define GetWindowRect PlatformGetWindowRect
#define GetClientRect PlatformGetClientRect
#define MoveWindow PlatformMoveWindow
#define SetWindowPos PlatformSetWindowPos
#define ScreenToClient PlatformScreenToClient
#define InvalidateRect PlatformInvalidateRect
#define UpdateWindow PlatformUpdateWindow
#define SendMessageA PlatformSendMessageA
#define PostMessageA PlatformPostMessageA
#define PostThreadMessageA PlatformPostThreadMessageA
#define DefWindowProcA PlatformDefWindowProcA
#define RegisterWindowMessageA PlatformRegisterWindowMessageA
#define GetDlgItem PlatformGetDlgItem
#define GetDlgCtrlID PlatformGetDlgCtrlID
#define SendDlgItemMessageA PlatformSendDlgItemMessageA
#define SetDlgItemTextA PlatformSetDlgItemTextA
#define GetDlgItemTextA PlatformGetDlgItemTextA
#define CheckDlgButton PlatformCheckDlgButton
#define IsDlgButtonChecked PlatformIsDlgButtonChecked
#define CheckRadioButton PlatformCheckRadioButton
#define EndDialog PlatformEndDialog
#define MapDialogRect PlatformMapDialogRect
#define CreateMenu PlatformCreateMenu
#define CreatePopupMenu PlatformCreatePopupMenu
#define DestroyMenu PlatformDestroyMenu
#define IsMenu PlatformIsMenu
#define LoadMenuA PlatformLoadMenuA
#define AppendMenuA PlatformAppendMenuA
#define GetMenuItemCount PlatformGetMenuItemCount
#define GetMenuItemID PlatformGetMenuItemID
#define GetSubMenu PlatformGetSubMenu
#define GetMenuStringA PlatformGetMenuStringA
#define EnableMenuItem PlatformEnableMenuItem
#define CheckMenuItem PlatformCheckMenuItem
#define TrackPopupMenu PlatformTrackPopupMenu
#define LoadAcceleratorsA PlatformLoadAcceleratorsA
#define CopyAcceleratorTableA PlatformCopyAcceleratorTableA
#define DestroyAcceleratorTable PlatformDestroyAcceleratorTable
#define GetKeyState PlatformGetKeyState
#define GetCursorPos PlatformGetCursorPos
#define MessageBeep PlatformMessageBeep
#define WinHelpA PlatformWinHelpA
#define GetSystemMetrics PlatformGetSystemMetrics
#define SystemParametersInfoA PlatformSystemParametersInfoA
#define FindResourceA PlatformFindResourceA
#define LoadResource PlatformLoadResource
#define LockResource PlatformLockResource
#define SizeofResource PlatformSizeofResource
#define FreeResource PlatformFreeResource
#define GetDC PlatformGetDC
#define ReleaseDC PlatformReleaseDC
#define CreateCompatibleDC PlatformCreateCompatibleDC
#define DeleteDC PlatformDeleteDC
#define GetDeviceCaps PlatformGetDeviceCaps
#define SelectObject PlatformSelectObject
#define DeleteObject PlatformDeleteObject
#define GetObjectA PlatformGetObjectA
#define GetStockObject PlatformGetStockObject
#define CreateBitmap PlatformCreateBitmap
#define CreateBitmapIndirect PlatformCreateBitmapIndirect
#define CreateCompatibleBitmap PlatformCreateCompatibleBitmap
#define GetBitmapBits PlatformGetBitmapBits
#define SetBitmapBits PlatformSetBitmapBits
#define CreateSolidBrush PlatformCreateSolidBrush
#define CreateFontIndirectA PlatformCreateFontIndirectA
#define SetTextColor PlatformSetTextColor
#define GetTextColor PlatformGetTextColor
#define SetBkColor PlatformSetBkColor
#define GetBkColor PlatformGetBkColor
#define SetBkMode PlatformSetBkMode
#define GetSysColor PlatformGetSysColor
#define BitBlt PlatformBitBlt
#define StretchBlt PlatformStretchBlt
#define PatBlt PlatformPatBlt
#define FillRect PlatformFillRect
#define DrawTextA PlatformDrawTextA
#define DrawFocusRect PlatformDrawFocusRect
#define TextOutA PlatformTextOutA
#define GetTextExtentPoint32A PlatformGetTextExtentPoint32A
#define GetClipBox PlatformGetClipBox
#define LoadBitmapA PlatformLoadBitmapA
#define LoadIconA PlatformLoadIconA
#define LoadImageA PlatformLoadImageA
#define DestroyIcon PlatformDestroyIcon
#define ImageList_Create PlatformImageList_Create
#define ImageList_Destroy PlatformImageList_Destroy
#define ImageList_Add PlatformImageList_Add
#define ImageList_ReplaceIcon PlatformImageList_ReplaceIcon
#define ImageList_GetIcon PlatformImageList_GetIcon
#define ImageList_Draw PlatformImageList_Draw
#define ImageList_GetImageCount PlatformImageList_GetImageCount
#define MonitorFromWindow PlatformMonitorFromWindow
#define MonitorFromPoint PlatformMonitorFromPoint
#define GetMonitorInfoA PlatformGetMonitorInfoA
#define EnumDisplayMonitors PlatformEnumDisplayMonitors
#define EnumFontFamiliesExA PlatformEnumFontFamiliesExA
#define GetIconInfo PlatformGetIconInfo
#define ShellExecuteExA PlatformShellExecuteExA
#define SHGetFileInfoA PlatformSHGetFileInfoA
#define GetModuleHandleA PlatformGetModuleHandleA
#define GetProcAddress PlatformGetProcAddress

#endif
