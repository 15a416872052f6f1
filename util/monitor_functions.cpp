#include "util/monitor_functions.h"

#include "platform/module.h"
#include "util/os_version.h"

namespace {

template <typename Function>
Function User32Function(LPCSTR name) {
    return platform::GetProcAddressAs<Function>(GetModuleHandleA("User32"), name);
}

CRect DesktopRect() {
    CRect rect;
    GetWindowRect(GetDesktopWindow(), &rect);
    return rect;
}

}  // namespace

EnumDisplayMonitorsProc GetProcEnumDisplayMonitors() {
    return User32Function<EnumDisplayMonitorsProc>("EnumDisplayMonitors");
}

MonitorFromWindowProc GetProcMonitorFromWindow() {
    return User32Function<MonitorFromWindowProc>("MonitorFromWindow");
}

MonitorFromPointProc GetProcMonitorFromPoint() {
    return User32Function<MonitorFromPointProc>("MonitorFromPoint");
}

GetMonitorInfoProc GetProcGetMonitorInfo() {
    return User32Function<GetMonitorInfoProc>("GetMonitorInfoA");
}

GetSystemMetricsProc GetProcGetSystemMetrics() {
    return User32Function<GetSystemMetricsProc>("GetSystemMetrics");
}

BOOL IsOldSystem(const OSVERSIONINFOA& version) {
    return IsWindows9x(version) || IsWindowsNT4OrOlder(version) ? TRUE : FALSE;
}

BOOL HasMultipleMonitorSupport() {
    return HasMultipleMonitorSupport(SystemVersion(), GetProcGetSystemMetrics());
}

BOOL HasMultipleMonitorSupport(const OSVERSIONINFOA& version, GetSystemMetricsProc metrics) {
    if (IsOldSystem(version) || metrics == nullptr) {
        return FALSE;
    }
    return metrics(SM_CMONITORS) != 0 ? TRUE : FALSE;
}

CPoint GetVirtualScreenOrigin() {
    return GetVirtualScreenOrigin(SystemVersion(), GetProcGetSystemMetrics());
}

CPoint GetVirtualScreenOrigin(const OSVERSIONINFOA& version, GetSystemMetricsProc metrics) {
    if (IsOldSystem(version) || metrics == nullptr) {
        return CPoint(0, 0);
    }
    return CPoint(metrics(SM_XVIRTUALSCREEN), metrics(SM_YVIRTUALSCREEN));
}

CSize GetVirtualScreenSize() {
    return GetVirtualScreenSize(SystemVersion(), GetProcGetSystemMetrics());
}

CSize GetVirtualScreenSize(const OSVERSIONINFOA& version, GetSystemMetricsProc metrics) {
    if (IsOldSystem(version) || metrics == nullptr) {
        const CRect desktop = DesktopRect();
        return CSize(desktop.Width(), desktop.Height());
    }
    return CSize(metrics(SM_CXVIRTUALSCREEN), metrics(SM_CYVIRTUALSCREEN));
}

BOOL GetMonitorRects(CPtrList& list) {
    return GetMonitorRects(list, SystemVersion(), GetProcEnumDisplayMonitors());
}

BOOL GetMonitorRects(CPtrList& list, const OSVERSIONINFOA& version, EnumDisplayMonitorsProc enumerate) {
    if (!IsOldSystem(version) && enumerate != nullptr) {
        const BOOL result = enumerate(nullptr, nullptr, &AddMonitorRect, reinterpret_cast<LPARAM>(&list));
        if (result != 0) {
            return result;
        }
    }
    auto* desktop = new RECT{};
    const BOOL result = GetWindowRect(GetDesktopWindow(), desktop);
    list.AddTail(desktop);
    return result;
}

BOOL CALLBACK AddMonitorRect(HMONITOR, HDC, LPRECT rect, LPARAM list) {
    if (list == 0) {
        return FALSE;
    }
    if (rect != nullptr && rect->left != rect->right) {
        reinterpret_cast<CPtrList*>(list)->AddTail(new RECT(*rect));
    }
    return TRUE;
}
