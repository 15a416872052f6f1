// Windows build only: the system's user-interface, drawing and resource
// functions are led to the layer's (declared from the lists of
// platform/win32_ui_functions.h with the system's signatures). Everywhere but
// in the headless window system's own sources a name leads to
// Platform<Name>, which passes the call to the window system in use (see
// platform/window_system.h); the headless sources define and call
// Headless<Name>, so that they stay headless among themselves. The generic
// names that windows.h maps to the ANSI ones follow. The system's headers are
// included before this one, so their own declarations are untouched.
#pragma once

#ifdef _WIN32

#include "platform/win32_ui_functions.h"

#define Q3V_DECLARE_UI_FUNCTION(result, name, parameters, arguments) \
    result Platform##name parameters;                                  \
    result Headless##name parameters;
#define Q3V_DECLARE_OWN_UI_FUNCTION(result, name, parameters, arguments) \
    Q3V_DECLARE_UI_FUNCTION(result, name, parameters, arguments)         \
    result System##name parameters;                                      \
    result Real##name parameters;
Q3V_SYSTEM_PASS_FUNCTIONS(Q3V_DECLARE_UI_FUNCTION)
Q3V_SYSTEM_OWN_FUNCTIONS(Q3V_DECLARE_OWN_UI_FUNCTION)
#undef Q3V_DECLARE_UI_FUNCTION
#undef Q3V_DECLARE_OWN_UI_FUNCTION

#ifdef Q3V_HEADLESS_SOURCE
#define Q3V_UI(name) Headless##name
#else
#define Q3V_UI(name) Platform##name
#endif

#undef GetCurrentTime  // a legacy alias of GetTickCount, in the way of CTime::GetCurrentTime
// Aliases of the run time's memory functions, in the way of the memory
// servers' operations of the same names.
#undef CopyMemory
#undef FillMemory
#undef MessageBox
#define MessageBox Q3V_UI(MessageBoxA)
#undef LoadString
#define LoadString PlatformLoadStringA
// The 32-bit system headers make these names aliases of the 32-bit ones; the
// layer has them as functions of their own in both builds.
#undef GetWindowLongPtrA
#undef SetWindowLongPtrA

#define DestroyWindow Q3V_UI(DestroyWindow)
#define IsWindow Q3V_UI(IsWindow)
#define IsChild Q3V_UI(IsChild)
#define GetParent Q3V_UI(GetParent)
#define GetWindow Q3V_UI(GetWindow)
#define GetDesktopWindow Q3V_UI(GetDesktopWindow)
#define FindWindowA Q3V_UI(FindWindowA)
#define EnumWindows Q3V_UI(EnumWindows)
#define EnumThreadWindows Q3V_UI(EnumThreadWindows)
#define GetWindowLongA Q3V_UI(GetWindowLongA)
#define SetWindowLongA Q3V_UI(SetWindowLongA)
#define GetWindowLongPtrA Q3V_UI(GetWindowLongPtrA)
#define SetWindowLongPtrA Q3V_UI(SetWindowLongPtrA)
#define EnableWindow Q3V_UI(EnableWindow)
#define IsWindowEnabled Q3V_UI(IsWindowEnabled)
#define ShowWindow Q3V_UI(ShowWindow)
#define IsWindowVisible Q3V_UI(IsWindowVisible)
#define IsZoomed Q3V_UI(IsZoomed)
#define SetWindowTextA Q3V_UI(SetWindowTextA)
#define GetWindowTextA Q3V_UI(GetWindowTextA)
#define GetWindowTextLengthA Q3V_UI(GetWindowTextLengthA)
#define SetFocus Q3V_UI(SetFocus)
#define GetFocus Q3V_UI(GetFocus)
#define SetActiveWindow Q3V_UI(SetActiveWindow)
#define GetActiveWindow Q3V_UI(GetActiveWindow)
#define SetForegroundWindow Q3V_UI(SetForegroundWindow)
#define GetWindowRect Q3V_UI(GetWindowRect)
#define GetClientRect Q3V_UI(GetClientRect)
#define MoveWindow Q3V_UI(MoveWindow)
#define SetWindowPos Q3V_UI(SetWindowPos)
#define ScreenToClient Q3V_UI(ScreenToClient)
#define InvalidateRect Q3V_UI(InvalidateRect)
#define UpdateWindow Q3V_UI(UpdateWindow)
#define SendMessageA Q3V_UI(SendMessageA)
#define PostMessageA Q3V_UI(PostMessageA)
#define PostThreadMessageA Q3V_UI(PostThreadMessageA)
#define DefWindowProcA Q3V_UI(DefWindowProcA)
#define RegisterWindowMessageA Q3V_UI(RegisterWindowMessageA)
#define GetDlgItem Q3V_UI(GetDlgItem)
#define GetDlgCtrlID Q3V_UI(GetDlgCtrlID)
#define SendDlgItemMessageA Q3V_UI(SendDlgItemMessageA)
#define SetDlgItemTextA Q3V_UI(SetDlgItemTextA)
#define GetDlgItemTextA Q3V_UI(GetDlgItemTextA)
#define CheckDlgButton Q3V_UI(CheckDlgButton)
#define IsDlgButtonChecked Q3V_UI(IsDlgButtonChecked)
#define CheckRadioButton Q3V_UI(CheckRadioButton)
#define MapDialogRect Q3V_UI(MapDialogRect)
#define CreateMenu Q3V_UI(CreateMenu)
#define CreatePopupMenu Q3V_UI(CreatePopupMenu)
#define DestroyMenu Q3V_UI(DestroyMenu)
#define IsMenu Q3V_UI(IsMenu)
#define AppendMenuA Q3V_UI(AppendMenuA)
#define GetMenuItemCount Q3V_UI(GetMenuItemCount)
#define GetMenuItemID Q3V_UI(GetMenuItemID)
#define GetSubMenu Q3V_UI(GetSubMenu)
#define GetMenuStringA Q3V_UI(GetMenuStringA)
#define EnableMenuItem Q3V_UI(EnableMenuItem)
#define CheckMenuItem Q3V_UI(CheckMenuItem)
#define CopyAcceleratorTableA Q3V_UI(CopyAcceleratorTableA)
#define DestroyAcceleratorTable Q3V_UI(DestroyAcceleratorTable)
#define GetCursorPos Q3V_UI(GetCursorPos)
#define GetSystemMetrics Q3V_UI(GetSystemMetrics)
#define SystemParametersInfoA Q3V_UI(SystemParametersInfoA)
#define GetDC Q3V_UI(GetDC)
#define ReleaseDC Q3V_UI(ReleaseDC)
#define CreateCompatibleDC Q3V_UI(CreateCompatibleDC)
#define DeleteDC Q3V_UI(DeleteDC)
#define GetDeviceCaps Q3V_UI(GetDeviceCaps)
#define SelectObject Q3V_UI(SelectObject)
#define DeleteObject Q3V_UI(DeleteObject)
#define GetObjectA Q3V_UI(GetObjectA)
#define GetStockObject Q3V_UI(GetStockObject)
#define CreateBitmap Q3V_UI(CreateBitmap)
#define CreateBitmapIndirect Q3V_UI(CreateBitmapIndirect)
#define CreateCompatibleBitmap Q3V_UI(CreateCompatibleBitmap)
#define GetBitmapBits Q3V_UI(GetBitmapBits)
#define SetBitmapBits Q3V_UI(SetBitmapBits)
#define CreateSolidBrush Q3V_UI(CreateSolidBrush)
#define CreateFontIndirectA Q3V_UI(CreateFontIndirectA)
#define SetTextColor Q3V_UI(SetTextColor)
#define GetTextColor Q3V_UI(GetTextColor)
#define SetBkColor Q3V_UI(SetBkColor)
#define GetBkColor Q3V_UI(GetBkColor)
#define SetBkMode Q3V_UI(SetBkMode)
#define GetSysColor Q3V_UI(GetSysColor)
#define BitBlt Q3V_UI(BitBlt)
#define StretchBlt Q3V_UI(StretchBlt)
#define PatBlt Q3V_UI(PatBlt)
#define FillRect Q3V_UI(FillRect)
#define DrawTextA Q3V_UI(DrawTextA)
#define DrawFocusRect Q3V_UI(DrawFocusRect)
#define TextOutA Q3V_UI(TextOutA)
#define GetTextExtentPoint32A Q3V_UI(GetTextExtentPoint32A)
#define GetClipBox Q3V_UI(GetClipBox)
#define DestroyIcon Q3V_UI(DestroyIcon)
#define ImageList_Create Q3V_UI(ImageList_Create)
#define ImageList_Destroy Q3V_UI(ImageList_Destroy)
#define ImageList_Add Q3V_UI(ImageList_Add)
#define ImageList_ReplaceIcon Q3V_UI(ImageList_ReplaceIcon)
#define ImageList_GetIcon Q3V_UI(ImageList_GetIcon)
#define ImageList_Draw Q3V_UI(ImageList_Draw)
#define ImageList_GetImageCount Q3V_UI(ImageList_GetImageCount)
#define MonitorFromWindow Q3V_UI(MonitorFromWindow)
#define MonitorFromPoint Q3V_UI(MonitorFromPoint)
#define GetMonitorInfoA Q3V_UI(GetMonitorInfoA)
#define EnumDisplayMonitors Q3V_UI(EnumDisplayMonitors)
#define EnumFontFamiliesExA Q3V_UI(EnumFontFamiliesExA)
#define GetIconInfo Q3V_UI(GetIconInfo)
#define SHGetFileInfoA Q3V_UI(SHGetFileInfoA)
#define GetModuleHandleA Q3V_UI(GetModuleHandleA)
#define GetProcAddress Q3V_UI(GetProcAddress)
#define GetClassNameA Q3V_UI(GetClassNameA)
#define MessageBoxA Q3V_UI(MessageBoxA)
#define CreateWindowExA Q3V_UI(CreateWindowExA)
#define EndDialog Q3V_UI(EndDialog)
#define LoadMenuA Q3V_UI(LoadMenuA)
#define TrackPopupMenu Q3V_UI(TrackPopupMenu)
#define LoadAcceleratorsA Q3V_UI(LoadAcceleratorsA)
#define GetKeyState Q3V_UI(GetKeyState)
#define MessageBeep Q3V_UI(MessageBeep)
#define WinHelpA Q3V_UI(WinHelpA)
#define LoadBitmapA Q3V_UI(LoadBitmapA)
#define LoadIconA Q3V_UI(LoadIconA)
#define LoadImageA Q3V_UI(LoadImageA)
#define ShellExecuteExA Q3V_UI(ShellExecuteExA)
#define LoadStringA Q3V_UI(LoadStringA)
#define FindResourceA Q3V_UI(FindResourceA)
#define LoadResource Q3V_UI(LoadResource)
#define LockResource Q3V_UI(LockResource)
#define SizeofResource Q3V_UI(SizeofResource)
#define FreeResource Q3V_UI(FreeResource)

#endif
