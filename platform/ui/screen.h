// The screen that is not there: its size, its work area, the desktop window
// and where the mouse was last.
#pragma once

#include "platform/windows_ui.h"

namespace platform::ui {

inline constexpr int kScreenWidth = 1024;
inline constexpr int kScreenHeight = 768;
inline constexpr int kTaskbarHeight = 30;

// The desktop window, made on first use.
HWND DesktopWindow();

// The mouse is where a person last clicked.
POINT CursorPosition();
void MoveCursorTo(POINT point);

}  // namespace platform::ui
