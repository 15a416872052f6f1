// The module look-ups of the headless window system: "User32" stands for the
// layer itself (platform/module.h), whose functions are the window system's.
// With the system's window system they are the system's own.
#include "platform/module.h"

#undef GetModuleHandleA
#undef GetProcAddress

HMODULE HeadlessGetModuleHandleA(LPCSTR moduleName) {
    if (platform::IsUser32Name(moduleName)) {
        return platform::LayerModule();
    }
    return GetModuleHandleA(moduleName);
}

FARPROC HeadlessGetProcAddress(HMODULE module, LPCSTR name) {
    if (module != nullptr && module == platform::LayerModule()) {
        if (FARPROC standIn = platform::User32Export(name)) {
            return standIn;
        }
    }
    return GetProcAddress(module, name);
}
