#include "platform/sync.h"

#include "platform/clock.h"

#undef WaitForSingleObject

DWORD PlatformWaitForSingleObject(HANDLE handle, DWORD milliseconds) {
    if (!platform::IsClockVirtual() || milliseconds == 0 || milliseconds == INFINITE) {
        return ::WaitForSingleObject(handle, milliseconds);
    }
    // On the virtual clock a time-out passes without waiting in real time: the
    // other threads get one chance to signal, then the clock moves on.
    DWORD result = ::WaitForSingleObject(handle, 0);
    if (result != WAIT_TIMEOUT) {
        return result;
    }
    ::SwitchToThread();
    result = ::WaitForSingleObject(handle, 0);
    if (result == WAIT_TIMEOUT) {
        platform::AdvanceVirtualClock(milliseconds);
    }
    return result;
}
