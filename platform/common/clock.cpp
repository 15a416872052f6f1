#include "platform/clock.h"
#include "platform/sleep_tally.h"

#include <atomic>
#include <chrono>
#include <thread>

#ifdef _WIN32
#include <ctime>
#endif

namespace platform {
namespace {

// The virtual clock's state; the clock is virtual while installed is true.
struct VirtualState {
    std::atomic<bool> installed{false};
    std::atomic<std::uint64_t> ticks{0};
    std::atomic<DWORD> readStep{1};
    std::atomic<std::uint64_t> slept{0};
};

VirtualState& Virtual() {
    static VirtualState* state = new VirtualState;  // threads still running at exit use it
    return *state;
}

// Seconds of the virtual clock's epoch: a fixed instant, so that tests that
// count seconds see the same start every run.
constexpr std::int64_t kVirtualEpochSeconds = 1'800'000'000;

DWORD RealTicks() {
#ifdef _WIN32
#undef GetTickCount
    return ::GetTickCount();
#define GetTickCount PlatformGetTickCount
#else
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<DWORD>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
#endif
}

std::atomic<std::uint64_t>& RealSlept() {
    static std::atomic<std::uint64_t>* slept = new std::atomic<std::uint64_t>(0);  // threads still running at exit use it
    return *slept;
}

void RealSleep(DWORD milliseconds) {
    if (milliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    RealSlept() += milliseconds;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace

VirtualClock::VirtualClock(DWORD startTicks, DWORD readStep) {
    VirtualState& state = Virtual();
    state.ticks = startTicks;
    state.readStep = readStep;
    state.slept = 0;
    state.installed = true;
}

VirtualClock::~VirtualClock() {
    Virtual().installed = false;
}

void VirtualClock::Advance(DWORD milliseconds) {
    Virtual().ticks += milliseconds;
}

DWORD VirtualClock::Now() const {
    return static_cast<DWORD>(Virtual().ticks.load());
}

std::uint64_t VirtualClock::SleptMilliseconds() const {
    return Virtual().slept.load();
}

void VirtualClock::SetReadStep(DWORD readStep) {
    Virtual().readStep = readStep;
}

std::uint64_t RealSleptMilliseconds() {
    return RealSlept().load();
}

bool IsClockVirtual() {
    return Virtual().installed.load();
}

void AdvanceVirtualClock(DWORD milliseconds) {
    if (IsClockVirtual()) {
        Virtual().ticks += milliseconds;
    }
}

}  // namespace platform

#ifdef _WIN32
DWORD PlatformGetTickCount()
#else
DWORD GetTickCount()
#endif
{
    using namespace platform;
    VirtualState& state = Virtual();
    if (!state.installed) {
        return RealTicks();
    }
    return static_cast<DWORD>(state.ticks.fetch_add(state.readStep) + state.readStep);
}

#ifdef _WIN32
void PlatformSleep(DWORD milliseconds)
#else
void Sleep(DWORD milliseconds)
#endif
{
    using namespace platform;
    VirtualState& state = Virtual();
    if (!state.installed) {
        RealSleep(milliseconds);
        return;
    }
    // Virtual time passes at once; the other threads still get to run.
    state.ticks += milliseconds;
    state.slept += milliseconds;
    std::this_thread::yield();
}

std::int64_t ClockTime(std::int64_t* seconds) {
    using namespace platform;
    std::int64_t now;
    if (IsClockVirtual()) {
        now = kVirtualEpochSeconds + static_cast<std::int64_t>(Virtual().ticks.load() / 1000);
    } else {
        now = static_cast<std::int64_t>(std::chrono::duration_cast<std::chrono::seconds>(
                                            std::chrono::system_clock::now().time_since_epoch())
                                            .count());
    }
    if (seconds != nullptr) {
        *seconds = now;
    }
    return now;
}
