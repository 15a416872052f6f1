// CMonitorEngine: the layer between the debugger operations and the
// firmware requests. Each operation leaves its answer in the monitor data
// buffer (monitor_output.h); the units it owns carry the routines (the
// break-condition unit its text commands, the run unit the breakpoint table
// and the preparation of a run, the memory unit the memory routines).
//
// One instance, g_monitorEngine, made by the connect procedure and deleted
// at disconnect. While it exists it is the one to tell of a pending
// message (monitor_services.h).
#pragma once

#include "monitor/monitor_object.h"
#include "monitor/monitor_run_base.h"

#include "platform/wintypes.h"

#include <memory>
#include <mutex>
#include <string>
#include <string_view>

class CMonitorEngine {
public:
    // Makes the units (Open); a unit that could not be made stays missing
    // until Open is called again.
    CMonitorEngine();
    ~CMonitorEngine();
    CMonitorEngine(const CMonitorEngine&) = delete;
    CMonitorEngine& operator=(const CMonitorEngine&) = delete;

    // Makes the units that are missing and resets the flash mirror: 0 when
    // every unit exists, -1 while one is missing.
    [[nodiscard]] int Open();

    // A break-condition command: "BC", a channel digit (1 to 8, anything
    // else for all) and a condition text or "-".
    void ExecuteBreakConditionCommand(std::string_view text);
    // The plain go: 0 when the program runs (" ** RUNNING \n" in the
    // output), else the failure, with its message for a lost link ("SF")
    // or connector ("NU").
    [[nodiscard]] WORD RunTarget();
    // Resets the target through the link and re-initialises the monitor.
    [[nodiscard]] WORD ResetMonitorCommand();
    // Sets (selector 0) or removes breakpoints and lists the table.
    void BreakpointCommand(DWORD selector, DWORD address, char kindLetter, DWORD kindValue);
    // Carries out an instruction at address that the monitor cannot run
    // itself: 1 when it did (PC advanced), 0 when there is nothing to
    // emulate, else a failure. No instruction is emulated yet: always 0.
    [[nodiscard]] WORD StepOrGoEngine(DWORD address);

    // The message kept to be shown later (set from any thread).
    void SetPendingMessage(std::string_view text);
    bool HasPendingMessage() const;
    std::string PendingMessage() const;

    CMonitorRunBase* RunUnit() const { return m_runUnit.get(); }
    CMonitorUnit* BreakConditionUnit() const { return m_breakConditionUnit.get(); }
    CMonitorObject* MemoryUnit() const { return m_memoryUnit.get(); }

private:
    std::unique_ptr<CMonitorRunBase> m_runUnit;
    std::unique_ptr<CMonitorObject> m_memoryUnit;
    std::unique_ptr<CMonitorUnit> m_breakConditionUnit;
    mutable std::mutex m_pendingMutex;
    bool m_pendingFlag = false;
    std::string m_pendingText;
};

extern std::unique_ptr<CMonitorEngine> g_monitorEngine;
