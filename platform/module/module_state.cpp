// Linked into every module and program built on the platform layer: the
// module's own state and its DllMain, which the loader calls when the module is
// loaded and unloaded.
#include "platform/afx_app.h"
#include "platform/module.h"

#if defined(__GNUC__) && !defined(_WIN32)
#define Q3V_MODULE_LOCAL __attribute__((visibility("hidden")))
#define Q3V_MODULE_EXPORT __attribute__((visibility("default")))
#else
#define Q3V_MODULE_LOCAL
#define Q3V_MODULE_EXPORT
#endif

namespace {

AFX_MODULE_STATE& ModuleState() {
    static AFX_MODULE_STATE state;
    return state;
}

}  // namespace

// Hidden, so that each module's calls bind to its own copy even where the
// program exports the same name. In the program itself the module's state is
// the application's.
Q3V_MODULE_LOCAL AFX_MODULE_STATE* AfxGetStaticModuleState() {
    static AFX_MODULE_STATE* const state = platform::IsProgramAddress(reinterpret_cast<const void*>(&ModuleState))
                                               ? AfxGetAppModuleState()
                                               : &ModuleState();
    return state;
}

extern "C" Q3V_MODULE_EXPORT BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        return AfxModuleAttach(AfxGetStaticModuleState(), module);
    }
    if (reason == DLL_PROCESS_DETACH) {
        AfxModuleDetach(AfxGetStaticModuleState());
    }
    return TRUE;
}
