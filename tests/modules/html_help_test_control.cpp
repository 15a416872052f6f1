// A stand-in for the HTML Help control: its entry point at ordinal 14 passes
// the call to the layer's HTML Help stand-in, which records it with the UI
// driver. The ordinal is the layer's name convention on Linux
// (platform/module.h) and the module's .def file in the Windows build.
#include "platform/export.h"
#include "platform/windows_ui.h"

#ifdef _WIN32
#define ORDINAL_ENTRY extern "C"  // exported by html_help_test_control.def
#else
#define ORDINAL_ENTRY Q3V_EXPORT
#endif

ORDINAL_ENTRY HWND WINAPI Q3vOrdinal14(HWND caller, LPCSTR file, UINT command, DWORD_PTR data) {
    return PlatformHtmlHelpA(caller, file, command, data);
}
