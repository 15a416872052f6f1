// What the emulator link asks of the monitor layer: re-initialising the
// monitor after a reset, the firmware reset request, the run-state monitor's
// stop notification, and the monitor's shared words that the link clears.
//
// The monitor control and the run-state monitor install their operations
// when they are created; until then the link has no monitor to tell, and a
// missing operation counts as done.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <functional>

struct MonitorServices {
    std::function<WORD()> initMonitor;            // CMonitorControl::InitMonitor
    std::function<WORD()> resetTarget;            // CMonitorControl::ResetTarget
    std::function<void(DWORD cause)> notifyStop;  // the run-state monitor's stop notification
};

// Installs the monitor's operations (an empty set removes them).
void SetMonitorServices(MonitorServices services);

WORD MonitorInitMonitor();
WORD MonitorResetTarget();
void MonitorNotifyStop(DWORD cause);

// The monitor engine's register image: 37 32-bit words, the register file
// first ("PC" is word 14).
inline constexpr std::size_t kRegisterImageWords = 37;
extern std::array<DWORD, kRegisterImageWords> g_registerImage;
static_assert(sizeof(g_registerImage) == 148, "the register image is 148 bytes");

// The monitor engine's step word, cleared when the link resets the monitor.
extern std::atomic<DWORD> g_monitorStepWord;
