// The one monitor: the screen, with its work area.
#include "platform/monitors.h"

#include "platform/ui/screen.h"
#include "platform/ui/window_manager.h"

using namespace platform::ui;

namespace {

// The one monitor's handle: a value no other handle takes.
HMONITOR TheMonitor() {
    return reinterpret_cast<HMONITOR>(static_cast<ULONG_PTR>(0x4D4F4E31));  // "MON1"
}

RECT ScreenRect() {
    return RECT{0, 0, kScreenWidth, kScreenHeight};
}

bool Meets(const RECT& a, const RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

HMONITOR ByFlags(bool onScreen, DWORD flags) {
    return onScreen || flags != MONITOR_DEFAULTTONULL ? TheMonitor() : nullptr;
}

}  // namespace

HMONITOR MonitorFromWindow(HWND window, DWORD flags) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) {
        return nullptr;
    }
    return ByFlags(Meets(rect, ScreenRect()), flags);
}

HMONITOR MonitorFromPoint(POINT point, DWORD flags) {
    const RECT screen = ScreenRect();
    const bool inside = point.x >= screen.left && point.x < screen.right && point.y >= screen.top &&
                        point.y < screen.bottom;
    return ByFlags(inside, flags);
}

BOOL GetMonitorInfoA(HMONITOR monitor, LPMONITORINFO information) {
    if (monitor != TheMonitor() || information == nullptr || information->cbSize < sizeof(MONITORINFO)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    information->rcMonitor = ScreenRect();
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &information->rcWork, 0);
    information->dwFlags = MONITORINFOF_PRIMARY;
    return TRUE;
}

BOOL EnumDisplayMonitors(HDC dc, LPCRECT, MONITORENUMPROC callback, LPARAM data) {
    if (callback == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    RECT screen = ScreenRect();
    return callback(TheMonitor(), dc, &screen, data) ? TRUE : FALSE;
}
