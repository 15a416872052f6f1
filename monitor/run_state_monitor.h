// CRunStateMonitor: watches the target while the user program runs. This
// first version keeps the running flag that the go path sets and the
// status page, the memory routines and the firmware command layer read;
// the stop check, its poll and the stop-cause texts come with run control.
//
// One instance, g_runStateMonitor, made by the connect procedure (which
// calls Reset) and deleted at disconnect; while it exists the link asks it
// whether the program runs (monitor_services.h).
#pragma once

#include "monitor/monitor_run_base.h"

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <memory>

class CRunStateMonitor : public CMonitorRunBase {
public:
    CRunStateMonitor();
    ~CRunStateMonitor();
    CRunStateMonitor(const CRunStateMonitor&) = delete;
    CRunStateMonitor& operator=(const CRunStateMonitor&) = delete;

    // Not running, no stop causes: 0.
    [[nodiscard]] DWORD Reset();
    [[nodiscard]] DWORD IsRunning() const { return m_running; }
    // Running for a nonzero value.
    void SetRunning(DWORD value) { m_running = value != 0 ? 1 : 0; }

private:
    std::atomic<DWORD> m_running{0};
    // The stop-cause indexes of the last stop: primary, second, third.
    std::array<DWORD, 3> m_stopCauses{};
};

extern std::unique_ptr<CRunStateMonitor> g_runStateMonitor;
