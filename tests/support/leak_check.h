// In the sanitizer build, a check that nothing allocated so far has leaked,
// so that a test that leaks fails itself rather than the whole program at
// its exit. Elsewhere it always passes.
#pragma once

#if defined(__SANITIZE_ADDRESS__)
#define Q3V_LEAK_CHECK 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define Q3V_LEAK_CHECK 1
#endif
#endif

#ifdef Q3V_LEAK_CHECK
#include <sanitizer/lsan_interface.h>
#endif

namespace leak_check {

inline bool NothingLeaked() {
#ifdef Q3V_LEAK_CHECK
    return __lsan_do_recoverable_leak_check() == 0;
#else
    return true;
#endif
}

}  // namespace leak_check
