#include "target/memory_lock.h"

#include <mutex>

namespace {

std::recursive_mutex& MemoryLock() {
    static std::recursive_mutex lock;
    return lock;
}

}  // namespace

int LockMemoryAccess(BOOL enter) {
    if (enter != FALSE) {
        MemoryLock().lock();
    } else {
        MemoryLock().unlock();
    }
    return 1;
}
