// What the emulator link asks of the monitor layer: re-initialising the
// monitor after a reset, the firmware reset request, the run-state monitor's
// stop check, run flag, stop notice and stop-cause line, the interrupt mask
// around a step over an interrupt return, the engine's pending message, and
// the monitor's shared words that the link clears or reads.
//
// The monitor control, the monitor engine and the run-state monitor install
// their operations when they are created; until then the link has no monitor
// to tell, and a missing operation counts as done (a missing run flag reads
// as "not running").
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <functional>
#include <utility>

struct MonitorServices {
    std::function<WORD()> initMonitor;            // CMonitorControl::InitMonitor
    std::function<WORD()> resetTarget;            // CMonitorControl::ResetTarget
    std::function<void(DWORD cause)> notifyStop;  // the run-state monitor's stop notification
    // CRunStateMonitor::CheckStopped: 0 after the check, or the link's failure
    // word when the adapter cannot be asked.
    std::function<WORD(DWORD argument)> checkStopped;
    std::function<bool()> isRunning;                      // CRunStateMonitor::IsRunning
    std::function<void(DWORD value)> setRunning;          // CRunStateMonitor::SetRunning
    std::function<void(DWORD cause)> printStopCause;      // CRunStateMonitor::PrintStopCause
    // MaskInterruptForReitStep: masks (on) or restores (off) the interrupt
    // state around a step at address; 0 on success.
    std::function<WORD(bool on, DWORD address)> maskInterruptForStep;
    std::function<void(const char* text)> setPendingMessage;  // CMonitorEngine::SetPendingMessage
};

// Installs the monitor's operations (an empty set removes them).
void SetMonitorServices(MonitorServices services);
// Changes some of them in place: each monitor object installs and removes
// only its own.
void UpdateMonitorServices(const std::function<void(MonitorServices&)>& change);

// An operation that knows the object that installed it, so that object
// removes it only while it is still the one installed.
template <typename Signature>
struct OwnedService;
template <typename Result, typename... Args>
struct OwnedService<Result(Args...)> {
    const void* owner;
    std::function<Result(Args...)> call;
    Result operator()(Args... args) const { return call(std::forward<Args>(args)...); }
};

template <typename Result, typename... Args>
void InstallOwned(std::function<Result(Args...)>& slot, const void* owner, std::function<Result(Args...)> call) {
    slot = OwnedService<Result(Args...)>{owner, std::move(call)};
}

template <typename Result, typename... Args>
void RemoveOwned(std::function<Result(Args...)>& slot, const void* owner) {
    const auto* service = slot.template target<OwnedService<Result(Args...)>>();
    if (service != nullptr && service->owner == owner) {
        slot = nullptr;
    }
}

WORD MonitorInitMonitor();
WORD MonitorResetTarget();
void MonitorNotifyStop(DWORD cause);
WORD MonitorCheckStopped(DWORD argument);
bool MonitorIsRunning();
void MonitorSetRunning(DWORD value);
void MonitorPrintStopCause(DWORD cause);
WORD MonitorMaskInterruptForStep(bool on, DWORD address);
void MonitorSetPendingMessage(const char* text);

// The stop cause printed after the firmware reported a target reset.
inline constexpr DWORD kStopCauseTargetReset = 34;

// The monitor engine's register image: 37 32-bit words, the register file
// first ("PC" is word 14).
inline constexpr std::size_t kRegisterImageWords = 37;
extern std::array<DWORD, kRegisterImageWords> g_registerImage;
static_assert(sizeof(g_registerImage) == 148, "the register image is 148 bytes");

// The monitor engine's step word, cleared when the link resets the monitor.
extern std::atomic<DWORD> g_monitorStepWord;
// The value SetLinkParameter last passed to the link with success (0 for
// none), forgotten when the link resets the monitor.
extern std::atomic<DWORD> g_linkParameterKept;
