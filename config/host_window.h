// The window that owns the plug-in's message boxes and its dialogs that have
// no other owner. The host does not hand the plug-in its main window, so the
// plug-in looks for it each time and remembers the last one it found.
#pragma once

#include "platform/wintypes.h"

class CDlgConnection;

// A window that the start-up dialogs set to own the messages they raise; it is
// used while it is still a window, and cleared once the host's main window
// has been found.
void SetPreferredOwnerWindow(HWND window);

// The connecting dialog while it runs modally; null at all other times.
void SetOpenConnectionDialog(CDlgConnection* dialog);
CDlgConnection* GetOpenConnectionDialog();

// In order: the preferred owner; the connecting dialog while it is open; the
// main window of the current thread's application (remembered); the last
// remembered main window; null.
HWND GetHostMainWindow();

// The status bar's id among the host main frame's descendants.
inline constexpr int kHostStatusBarId = 0xE801;

// Writes the text into pane 0 of the host main frame's status bar, when there
// is a main window with one.
void SetStatusBarText(const char* text);
