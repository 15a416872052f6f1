// The display monitors: the one screen there is, as the multiple-monitor
// functions of Windows describe it. The plug-in looks these up by name in
// "User32" (see platform/module.h): that look-up finds the layer's.
#pragma once

#include "platform/gdi.h"
#include "platform/windows_ui.h"

#ifndef _WIN32

struct HMONITOR__;
using HMONITOR = HMONITOR__*;

struct MONITORINFO {
    DWORD cbSize;
    RECT rcMonitor;
    RECT rcWork;
    DWORD dwFlags;
};
using LPMONITORINFO = MONITORINFO*;
static_assert(sizeof(MONITORINFO) == 40);

#define MONITOR_DEFAULTTONULL 0x00000000u
#define MONITOR_DEFAULTTOPRIMARY 0x00000001u
#define MONITOR_DEFAULTTONEAREST 0x00000002u
#define MONITORINFOF_PRIMARY 0x00000001u

using MONITORENUMPROC = BOOL (*)(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM data);

// The monitor of a window or point: the screen when the window's rectangle
// or the point meets it, else by the flag: null, or the screen (the primary
// and the nearest monitor are the same one).
HMONITOR MonitorFromWindow(HWND window, DWORD flags);
HMONITOR MonitorFromPoint(POINT point, DWORD flags);
// Fills a record whose size field is at least 40: the screen, its work area
// (without the taskbar) and the primary flag.
BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO information);
// Calls the callback once, for the screen (with the device context given,
// and the screen's rectangle); FALSE when the callback answers FALSE.
BOOL EnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);

#endif
