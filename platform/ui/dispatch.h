// Delivering messages to windows.
#pragma once

#include "platform/windows_ui.h"

namespace platform::ui {

// Runs the window's procedure on the calling thread: the class library's
// object first when one is attached, else the class's own procedure. Answers 0
// for a window that no longer exists.
LRESULT CallProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Runs only the class's own procedure (what the class library's default
// handling reaches).
LRESULT CallClassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// SendMessage: runs on the window's thread and waits for the answer.
LRESULT Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// PostMessage: queues for the window's thread.
bool Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// A control's notification to its parent: WM_COMMAND with the control's id
// and the code.
void NotifyParent(HWND control, UINT code);
// A WM_NOTIFY notification; the header's window, id and code are filled in.
LRESULT NotifyParent(HWND control, UINT code, NMHDR& header);

// The generic window procedure (DefWindowProc).
LRESULT DefaultProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace platform::ui
