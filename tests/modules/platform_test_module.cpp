// A module for the loader tests: exports two entry points and counts the
// DllMain calls it receives.
#include "platform/module.h"

#if defined(__GNUC__) && !defined(_WIN32)
#define TEST_EXPORT extern "C" __attribute__((visibility("default")))
#else
#define TEST_EXPORT extern "C" __declspec(dllexport)
#endif

namespace {
int attachCount = 0;
int detachCount = 0;
}  // namespace

TEST_EXPORT BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        ++attachCount;
    } else if (reason == DLL_PROCESS_DETACH) {
        ++detachCount;
    }
    return TRUE;
}

TEST_EXPORT int TestModuleAttachCount() {
    return attachCount;
}

TEST_EXPORT int TestModuleAnswer(int value) {
    return value * 2 + 1;
}
