// A stand-in for the host's support library "Ovd.dll": its entry point at
// ordinal 5 (context help for a dialog control) only remembers its
// arguments, which tests read back through OvdTestLastCall. The ordinal is
// the layer's name convention on Linux (platform/module.h) and the module's
// .def file in the Windows build.
#include "platform/export.h"
#include "platform/windows_ui.h"

#ifdef _WIN32
#define ORDINAL_ENTRY extern "C"  // exported by ovd_test_module.def
#else
#define ORDINAL_ENTRY Q3V_EXPORT
#endif

namespace {

int g_calls = 0;
HWND g_dialog = nullptr;
HWND g_control = nullptr;
DWORD g_reserved = 0xFFFFFFFF;

}  // namespace

ORDINAL_ENTRY LRESULT WINAPI Q3vOrdinal5(HWND dialog, HWND control, DWORD reserved) {
    ++g_calls;
    g_dialog = dialog;
    g_control = control;
    g_reserved = reserved;
    return 1;
}

// The number of calls so far, and the arguments of the last.
Q3V_EXPORT int OvdTestLastCall(HWND* dialog, HWND* control, DWORD* reserved) {
    *dialog = g_dialog;
    *control = g_control;
    *reserved = g_reserved;
    return g_calls;
}
