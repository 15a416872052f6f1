// The system's module look-ups, with "User32" standing for the layer itself
// (platform/module.h): the window system is the layer's in this build too.
#include "platform/module.h"

#undef GetModuleHandleA
#undef GetProcAddress

HMODULE PlatformGetModuleHandleA(LPCSTR moduleName) {
    if (platform::IsUser32Name(moduleName)) {
        return platform::LayerModule();
    }
    return GetModuleHandleA(moduleName);
}

FARPROC PlatformGetProcAddress(HMODULE module, LPCSTR name) {
    if (module != nullptr && module == platform::LayerModule()) {
        if (FARPROC standIn = platform::User32Export(name)) {
            return standIn;
        }
    }
    return GetProcAddress(module, name);
}
