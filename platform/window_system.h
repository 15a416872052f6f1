// Which window system the layer's user interface runs on.
//
// On Linux there is one: the layer's headless window system, the tests'
// instrument and the simulated host's screen. The Windows build has two: the
// system's own windows (user32, gdi32, comctl32), which the product always
// uses, and the headless one, which a test program may choose before its
// first window where it needs the headless drawing journal, geometry or
// controls. The choice is process-wide, one for the program and every module
// it loads.
#pragma once

namespace platform {

// Chooses the headless window system (Windows build); call it before any
// window exists. On Linux it is the only one.
void UseHeadlessWindows();
// True where the headless window system serves: always on Linux.
bool HeadlessWindows();

}  // namespace platform
