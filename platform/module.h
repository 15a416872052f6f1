// Loading modules and resolving entry points by name.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32

#define DLL_PROCESS_DETACH 0
#define DLL_PROCESS_ATTACH 1

// Loads a module by Windows path (resolved without regard to case; a name
// without a folder is looked for beside the program, beside the modules already
// loaded and in the current directory). A module loaded for the first time has
// its DllMain, when it exports one, called with DLL_PROCESS_ATTACH. Failures
// set Windows' errors: ERROR_MOD_NOT_FOUND for a missing file (or a missing
// module it needs), ERROR_BAD_EXE_FORMAT for a file that is not a module,
// ERROR_ACCESS_DENIED for a folder, ERROR_DLL_INIT_FAILED when its DllMain
// refuses.
HMODULE LoadLibraryA(LPCSTR fileName);
// A null module is the program. A name below 0x10000 is an ordinal
// (MAKEINTRESOURCE): an ELF module has no ordinals, so a module offers the
// entry at ordinal n under the name Q3vOrdinal<n> (decimal: "Q3vOrdinal14"),
// and its Windows build exports the same function at ordinal n through its
// .def file. Ordinal 0 is no entry.
FARPROC GetProcAddress(HMODULE module, LPCSTR name);
// The last FreeLibrary of a module calls its DllMain with DLL_PROCESS_DETACH.
BOOL FreeLibrary(HMODULE module);
// The Windows path of the module (null: the program). Copies at most size-1
// characters and a NUL; a path that does not fit is cut and the error set to
// ERROR_INSUFFICIENT_BUFFER, as on Windows.
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
// A loaded module by its file name (null: the program), or null. A name
// with a folder must name the module's own file. "User32" is the layer
// itself (see platform::User32Export).
HMODULE GetModuleHandleA(LPCSTR moduleName);

#endif

namespace platform {

// An entry point as the function type its caller expects (null when the module
// does not export it). The cast goes through the generic function type, which
// converts to and from every other.
template <typename Function>
Function GetProcAddressAs(HMODULE module, LPCSTR name) {
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

// The window system is the layer's in both builds, so "User32" (with or
// without ".dll", in any case) names the layer's own module, and
// GetProcAddress on it finds the layer's functions that the plug-in looks up
// by name: "EnumDisplayMonitors", "MonitorFromWindow", "MonitorFromPoint",
// "GetMonitorInfoA" and "GetSystemMetrics" (with the system's calling
// convention).
bool IsUser32Name(LPCSTR moduleName);
HMODULE LayerModule();
// The layer's function of that name, or null.
FARPROC User32Export(LPCSTR name);

// The handle of the module that holds the given address (the program itself,
// or a module loaded with LoadLibraryA).
HMODULE ModuleFromAddress(const void* address);

// True when the address lies in the program itself rather than in a module.
// Safe to call while a module is still being loaded (from its static
// initialisers).
bool IsProgramAddress(const void* address);

}  // namespace platform
