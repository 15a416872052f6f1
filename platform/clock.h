// The clock: GetTickCount, Sleep and the seconds clock.
//
// Every wait, poll and time-out of the plug-in goes through these. By default
// they follow real time. Tests install a virtual clock that only moves when
// told to, when something sleeps, and by a small step each time it is read, so
// that loops which busy-wait on the tick count end and a 30-second time-out is
// tested in microseconds.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>

#ifdef _WIN32
DWORD PlatformGetTickCount();
void PlatformSleep(DWORD milliseconds);
#define GetTickCount PlatformGetTickCount
#define Sleep PlatformSleep
#else
DWORD GetTickCount();
void Sleep(DWORD milliseconds);
#endif

// Seconds since 1970 on the layer's clock, for code that counts seconds with
// the C run time's time().
std::int64_t ClockTime(std::int64_t* seconds);

namespace platform {

// Installs a virtual clock for its lifetime (one at a time, process-wide).
class VirtualClock {
public:
    // The tick count starts at startTicks; each read of the clock advances it
    // by readStep milliseconds.
    explicit VirtualClock(DWORD startTicks = 1000, DWORD readStep = 1);
    ~VirtualClock();
    VirtualClock(const VirtualClock&) = delete;
    VirtualClock& operator=(const VirtualClock&) = delete;

    void Advance(DWORD milliseconds);
    DWORD Now() const;  // the current tick count, without advancing it
    std::uint64_t SleptMilliseconds() const;  // the sum of every Sleep since install
    void SetReadStep(DWORD readStep);
};

// True while a virtual clock is installed.
bool IsClockVirtual();
// Moves a virtual clock forward (does nothing on the real clock). Used by the
// layer's own waits.
void AdvanceVirtualClock(DWORD milliseconds);

}  // namespace platform
