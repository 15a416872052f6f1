// Windows build only: the system's user-interface functions that the layer
// implements headless are led to the layer's own (declared here with the
// system's signatures), and their generic names follow.
#pragma once

#ifdef _WIN32

int PlatformMessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
int PlatformLoadStringA(HINSTANCE module, UINT id, LPSTR buffer, int size);

#undef GetCurrentTime  // a legacy alias of GetTickCount, in the way of CTime::GetCurrentTime
// Aliases of the run time's memory functions, in the way of the memory
// servers' operations of the same names.
#undef CopyMemory
#undef FillMemory
#undef MessageBox
#define MessageBoxA PlatformMessageBoxA
#define MessageBox PlatformMessageBoxA
#undef LoadString
#define LoadStringA PlatformLoadStringA
#define LoadString PlatformLoadStringA

#endif
