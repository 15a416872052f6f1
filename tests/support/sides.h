// Marks a test that cannot run on one side of the build (native Linux, or
// Windows under Wine). The test still exists on both sides; on the other it is
// reported as skipped with the reason, so the two suites keep the same tests.
#pragma once

#include "platform/window_system.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#define Q3V_SKIP_ON_WINDOWS(reason) GTEST_SKIP() << "not on Windows: " << (reason)
#define Q3V_SKIP_ON_LINUX(reason) static_cast<void>(reason)
#else
#define Q3V_SKIP_ON_WINDOWS(reason) static_cast<void>(reason)
#define Q3V_SKIP_ON_LINUX(reason) GTEST_SKIP() << "not on Linux: " << (reason)
#endif

// Marks a test that the 64-bit Windows build (which runs the suite where the
// machine cannot execute 32-bit programs) cannot run; the 32-bit product and
// the native build run it.
#ifdef _WIN64
#define Q3V_SKIP_ON_WINDOWS_64(reason) GTEST_SKIP() << "not on 64-bit Windows: " << (reason)
#else
#define Q3V_SKIP_ON_WINDOWS_64(reason) static_cast<void>(reason)
#endif

// Marks a test of the headless window system's own behaviour that a program
// on the system's windows (the Windows build's product side) cannot share:
// with no UI driver a system dialog waits for a person.
#define Q3V_SKIP_ON_SYSTEM_WINDOWS(reason)                                            \
    if (!platform::HeadlessWindows())                                                 \
    GTEST_SKIP() << "not on the system's windows: " << (reason)
