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
#include "monitor/reserved_areas.h"

#include "platform/wintypes.h"

#include <array>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// MonitorSearchMemory's answer when the unit was found.
inline constexpr int kMonitorSearchFound = -1;

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
    // ---- the execution commands (execution_commands.cpp) ----
    // Prepares a step or go from address and carries out an instruction
    // there that the target must not run under the monitor (loading or
    // storing FLG, loading INTB): 1 when it did (PC advanced in the register
    // image and on the target), 0 when there is nothing to carry out or a
    // stop is requested, else a failure.
    [[nodiscard]] WORD StepOrGoEngine(DWORD address);
    // Around a step of the interrupt return at pc: phase 1 masks the
    // interrupts the return would enable, any other phase puts the flags
    // back. 0 when done or nothing to do; 1 when a stop is requested or the
    // kept state does not fit the phase; else a failure.
    [[nodiscard]] WORD MaskInterruptForReitStep(DWORD phase, DWORD pc);
    // One instruction from the step request's address (run mode 76).
    [[nodiscard]] WORD MonitorSingleStep();
    // A go to the instruction after the one at address (run mode 80); 0xFFFF
    // when a stop is requested.
    [[nodiscard]] WORD MonitorStepOver(DWORD address);
    // Asks a running target to stop: sets the link's stop words, sends
    // nothing (any thread).
    void MonitorRequestStop();
    // Register number <- four value bytes, most significant first, into the
    // register image: 0, or the mapped message code.
    [[nodiscard]] WORD MonitorSetRegister(DWORD number, const BYTE* bytes);

    // ---- memory (monitor_memory.cpp) ----
    // Reads the range into the monitor data buffer (kind 7): the header's
    // start and length say how far the read got, its status why it stopped.
    // At most one piece's worth fits the buffer: callers read in pieces.
    void ReadMemoryToResponse(DWORD start, DWORD length, DWORD unitSize);
    // Writes length bytes from source (kind 6 in the buffer: start, length,
    // status). The parts of the range outside the reserved areas are
    // written; each overlap is reported and the status is then 0x5700.
    WORD WriteMemoryThroughMonitor(DWORD start, const BYTE* source, DWORD unitSize, DWORD length, DWORD verify);
    // Fills [start, end] with the pattern (unitSize bytes, most significant
    // first); messages and a failed verify's memory-test line go to the
    // output.
    WORD MonitorFillMemory(DWORD start, DWORD end, const BYTE* pattern, DWORD unitSize, DWORD verify);
    // Searches [start, end] for the unit (pattern & mask), both read most
    // significant byte first: kMonitorSearchFound, with the address appended as
    // four bytes (most significant first), 0 when not, else the failure
    // after its message. A nonzero matcher looks at every byte, 0 only at
    // whole units from start.
    int MonitorSearchMemory(DWORD start, DWORD end, const BYTE* pattern, DWORD unitSize, const BYTE* mask,
                            DWORD matcher);
    // Copies [start, end] to destination piece by piece, backwards when the
    // destination starts inside the source; errors go to the output. 0 when
    // every piece outside the reserved areas was copied, else the status of
    // the piece that failed (the pieces after it are not copied).
    WORD MonitorCopyMemory(DWORD start, DWORD end, DWORD destination, DWORD verify);

    // ---- the download's end and its warnings (reserved_areas.cpp) ----
    // Writes the flash after a download as the connect mode asks: 0, or the
    // failure.
    WORD FlashWriteAfterDownload();
    // Whether [start, end] overlaps the emulator's areas (FIRM, BSC1, BSC2,
    // ASE2, and ASE1 unless the flash is only programmed).
    bool RangeOverlapsReservedArea(DWORD start, DWORD end) const;
    // Reports each overlap of [start, end] with those areas to the host and
    // makes the widened range of its message the pending message.
    void SplitRangeByReservedAreas(DWORD start, DWORD end);
    bool RangeOverlapsFir2OrFir3Area(DWORD start, DWORD end) const;
    // Reports each overlap with the RAM areas FIR2 and FIR3 to the host; in
    // the program-flash mode the widened range is the pending message.
    void WarnWriteIntoFir2OrFir3Area(DWORD start, DWORD end);

    // The messages kept to be shown later (set from any thread): one for
    // each kind of report, a later one of a kind replacing the earlier, and
    // one for any other message (the area error).
    void SetPendingMessage(std::string_view text);
    void SetPendingMessage(KeptRangeIndex kind, std::string_view text);
    bool HasPendingMessage() const;
    // The pending messages in the order of their kinds, the other last.
    std::vector<std::string> PendingMessages() const;
    // Shows each pending message in a box with the exclamation icon.
    void ShowPendingMessage() const;
    // Clears the pending messages and the ranges their reports widened.
    void ClearPendingMessage();

    CMonitorRunBase* RunUnit() const { return m_runUnit.get(); }
    CMonitorUnit* BreakConditionUnit() const { return m_breakConditionUnit.get(); }
    CMonitorObject* MemoryUnit() const { return m_memoryUnit.get(); }

private:
    std::unique_ptr<CMonitorRunBase> m_runUnit;
    std::unique_ptr<CMonitorObject> m_memoryUnit;
    std::unique_ptr<CMonitorUnit> m_breakConditionUnit;
    // A range the reports of one message have covered since the last clear.
    struct KeptRange {
        DWORD start = 0xFFFFFFFF;
        DWORD end = 0;
    };
    void ReportOverlap(UINT message, KeptRangeIndex kept, DWORD start, DWORD end);

    mutable std::mutex m_pendingMutex;
    std::array<std::optional<std::string>, kKeptRangeCount + 1> m_pending;
    std::array<KeptRange, kKeptRangeCount> m_keptRanges{};
};

extern std::unique_ptr<CMonitorEngine> g_monitorEngine;
