// Window, font and geometry helpers of the dialog library, and the handling
// of a dialog's help request.
#pragma once

#include "platform/afx.h"
#include "platform/sysinfo.h"
#include "util/monitor_functions.h"

// Registered when the plug-in is loaded ("ComboExNewItem", "ComboExApply"),
// and the library's marker word 0x5243414D; nothing reads them.
extern const UINT g_comboExNewItemMessage;
extern const UINT g_comboExApplyMessage;
extern const DWORD g_uiLibraryMarker;

// The main frame's client window: the host's main window is a multiple-
// document frame, whose client window holds the documents. Null without a
// main window or when it is no such frame.
CWnd* GetMainFrameMember();
// Points from pixels (rounded) and a character height from points
// (truncated), at the screen's LOGPIXELSY.
int PixelsToPoints(int pixels);
int GetLogFontPointSize(const LOGFONTA& font);
int PointsToFontHeight(int points);
void CopyLogFont(const LOGFONTA& source, LOGFONTA& destination);
// The main frame's client window's rectangle on the screen; with client
// set, moved to its own coordinates and kept within them. 0 without a main
// window or client window.
BOOL GetMDIClientRect(RECT& rect, BOOL client);
// The main window's rectangle, or, when it is maximised, the work area of
// its monitor (the system's work area on an old system or without the
// monitor functions). 0 without a main window.
BOOL GetMainWindowArea(RECT& rect);
BOOL GetMainWindowArea(RECT& rect, const OSVERSIONINFOA& version, MonitorFromWindowProc monitorFromWindow,
                       GetMonitorInfoProc getMonitorInfo);
void DeleteObListItems(CObList* list);
void DeleteObMapItems(CMapStringToOb* map);
// The widest line of the window's text in its font, in pixels.
int GetWindowTextWidth(CWnd* window);
// F1 with Shift: context-help mode. F1 (unless noHitTest): the help context
// of the dialog's hit test to the application's WinHelp. Otherwise the host's
// support library "Ovd.dll" (ordinal 5, bound at each call) is given the
// dialog, the requested control and 0; without it nothing shows. TRUE.
BOOL HandleContextHelp(CWnd* dialog, const HELPINFO* help, BOOL noHitTest);
