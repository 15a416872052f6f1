#include "link/driver_lock.h"

#include "platform/sync.h"

namespace {

// Created when the plug-in loads, destroyed at exit.
class DriverLock {
public:
    DriverLock() { InitializeCriticalSection(&m_section); }
    ~DriverLock() { DeleteCriticalSection(&m_section); }
    DriverLock(const DriverLock&) = delete;
    DriverLock& operator=(const DriverLock&) = delete;

    void Enter() { EnterCriticalSection(&m_section); }
    void Leave() { LeaveCriticalSection(&m_section); }

private:
    CRITICAL_SECTION m_section{};
};

DriverLock g_driverLock;

}  // namespace

CDriverLockGuard::CDriverLockGuard() {
    g_driverLock.Enter();
}

CDriverLockGuard::~CDriverLockGuard() {
    g_driverLock.Leave();
}
