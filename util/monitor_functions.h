// The multiple-monitor functions of Windows, looked up by name in "User32" at
// each call so that the plug-in also loads where they are missing, with a
// fall-back to the whole desktop. An old system (Windows 95/98/Me, or NT 4.0
// and earlier) has none of them. The forms that take a version record and the
// functions hold the rules.
#pragma once

#include "platform/afx.h"
#include "platform/monitors.h"
#include "platform/sysinfo.h"

using EnumDisplayMonitorsProc = BOOL(WINAPI*)(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data);
using MonitorFromWindowProc = HMONITOR(WINAPI*)(HWND window, DWORD flags);
using MonitorFromPointProc = HMONITOR(WINAPI*)(POINT point, DWORD flags);
using GetMonitorInfoProc = BOOL(WINAPI*)(HMONITOR monitor, LPMONITORINFO information);
using GetSystemMetricsProc = int(WINAPI*)(int index);

// The function from "User32", or null.
EnumDisplayMonitorsProc GetProcEnumDisplayMonitors();
MonitorFromWindowProc GetProcMonitorFromWindow();
MonitorFromPointProc GetProcMonitorFromPoint();
GetMonitorInfoProc GetProcGetMonitorInfo();
GetSystemMetricsProc GetProcGetSystemMetrics();

[[nodiscard]] BOOL IsOldSystem(const OSVERSIONINFOA& version);

// 1 when the system counts its monitors (SM_CMONITORS is not 0).
BOOL HasMultipleMonitorSupport();
BOOL HasMultipleMonitorSupport(const OSVERSIONINFOA& version, GetSystemMetricsProc metrics);
// The virtual screen's top-left corner; (0, 0) without the functions.
CPoint GetVirtualScreenOrigin();
CPoint GetVirtualScreenOrigin(const OSVERSIONINFOA& version, GetSystemMetricsProc metrics);
// The virtual screen's size; the desktop window's without the functions.
CSize GetVirtualScreenSize();
CSize GetVirtualScreenSize(const OSVERSIONINFOA& version, GetSystemMetricsProc metrics);
// Appends a new RECT (the caller deletes it) per monitor; without the
// enumeration, or when it answers 0, the desktop window's rectangle, and the
// answer is GetWindowRect's.
BOOL GetMonitorRects(CPtrList& list);
BOOL GetMonitorRects(CPtrList& list, const OSVERSIONINFOA& version, EnumDisplayMonitorsProc enumerate);
// The enumeration callback: the data is the list (null ends the enumeration);
// a rectangle without width is skipped.
BOOL CALLBACK AddMonitorRect(HMONITOR monitor, HDC dc, LPRECT rect, LPARAM list);
