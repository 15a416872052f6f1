// HTML Help through the system's HTML Help control, which is found through
// the registry and loaded on first use.
#pragma once

#include "platform/windows_ui.h"

// The control's HtmlHelpA: its entry point at ordinal 14.
using HtmlHelpFunction = HWND(WINAPI*)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);

// The loader's state: the control module and its entry point, loaded and
// bound on the first call and kept; once loading or binding has failed, it is
// never tried again. LoadHtmlHelp keeps one for the process.
class CHtmlHelpLoader {
public:
    // The entry point's answer to the four arguments, passed on unchanged; 0
    // when the control cannot be loaded or bound.
    HWND Call(HWND window, LPCSTR file, UINT command, DWORD_PTR data);

private:
    HMODULE m_module = nullptr;
    BOOL m_failed = FALSE;
    HtmlHelpFunction m_entry = nullptr;
};

HWND LoadHtmlHelp(HWND window, LPCSTR file, UINT command, DWORD_PTR data);

// The control's file as registered for its class id (the default value of
// HKEY_CLASSES_ROOT\CLSID\{class id}\InprocServer32): 1 when a value was read.
BOOL GetHtmlHelpPath(char (&path)[MAX_PATH]);
