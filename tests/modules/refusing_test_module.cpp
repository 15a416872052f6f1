// A module whose DllMain refuses to load.
#include "platform/module.h"

#if defined(__GNUC__) && !defined(_WIN32)
#define TEST_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define TEST_EXPORT extern "C" __declspec(dllexport)
#endif

TEST_EXPORT BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    return reason == DLL_PROCESS_ATTACH ? FALSE : TRUE;
}
