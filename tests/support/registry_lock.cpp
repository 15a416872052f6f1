#include "tests/support/registry_lock.h"

#include "platform/wintypes.h"

namespace testing_support {

#ifdef _WIN32

RegistryLock::RegistryLock() : mutex_(CreateMutexA(nullptr, FALSE, "Q3vTestRegistryLock")) {
    // A program that died holding the lock leaves it abandoned, which still
    // hands it over.
    if (mutex_ != nullptr) {
        WaitForSingleObject(mutex_, INFINITE);
    }
}

RegistryLock::~RegistryLock() {
    if (mutex_ != nullptr) {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }
}

#else

RegistryLock::RegistryLock() = default;
RegistryLock::~RegistryLock() = default;

#endif

}  // namespace testing_support
