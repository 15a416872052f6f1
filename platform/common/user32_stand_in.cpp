// The layer standing in for "User32" when its functions are looked up by
// name: entries with the system's calling convention that call the layer's.
#include "platform/module.h"

#include "platform/crt_strings.h"
#include "platform/monitors.h"

#include <cstring>

namespace {

HMONITOR WINAPI EntryMonitorFromWindow(HWND window, DWORD flags) {
    return MonitorFromWindow(window, flags);
}

HMONITOR WINAPI EntryMonitorFromPoint(POINT point, DWORD flags) {
    return MonitorFromPoint(point, flags);
}

BOOL WINAPI EntryGetMonitorInfoA(HMONITOR monitor, LPMONITORINFO information) {
    return GetMonitorInfoA(monitor, information);
}

BOOL WINAPI EntryEnumDisplayMonitors(HDC dc, LPCRECT clip, MONITORENUMPROC callback, LPARAM data) {
    return EnumDisplayMonitors(dc, clip, callback, data);
}

int WINAPI EntryGetSystemMetrics(int index) {
    return GetSystemMetrics(index);
}

template <typename Function>
FARPROC AsFarProc(Function function) {
    return reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(function));
}

bool SameName(const char* a, const char* b) {
    return _stricmp(a, b) == 0;
}

}  // namespace

namespace platform {

bool IsUser32Name(LPCSTR moduleName) {
    return moduleName != nullptr && (SameName(moduleName, "user32") || SameName(moduleName, "user32.dll"));
}

HMODULE LayerModule() {
    return ModuleFromAddress(reinterpret_cast<const void*>(&LayerModule));
}

FARPROC User32Export(LPCSTR name) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return nullptr;
    }
    struct Entry {
        const char* name;
        FARPROC function;
    };
    const Entry entries[] = {
        {"EnumDisplayMonitors", AsFarProc(&EntryEnumDisplayMonitors)},
        {"MonitorFromWindow", AsFarProc(&EntryMonitorFromWindow)},
        {"MonitorFromPoint", AsFarProc(&EntryMonitorFromPoint)},
        {"GetMonitorInfoA", AsFarProc(&EntryGetMonitorInfoA)},
        {"GetSystemMetrics", AsFarProc(&EntryGetSystemMetrics)},
    };
    for (const Entry& entry : entries) {
        if (std::strcmp(entry.name, name) == 0) {
            return entry.function;
        }
    }
    return nullptr;
}

}  // namespace platform
