// CRunStateMonitor: watches the target while the user program runs. The
// reply decoder asks it at every poll of a running target whether the
// program stopped (CheckStopped); it then decodes the stop word, decides
// whether the run goes on at once (the step counts and ranges, the step off
// a break address), disarms the break channels, synchronises the flash
// mirror and writes the stop report into the monitor output: the labels
// "PC= ", "SR= " and "\r\n: " that mark a stop report for the decoder, the
// stop causes and, after a step, the stepped instruction's line.
//
// One instance, g_runStateMonitor, made by the connect procedure (which
// calls Reset) and deleted at disconnect; while it exists the link asks it
// whether the program runs and has it check for a stop
// (monitor_services.h). It runs on the thread that polls the decoder.
#pragma once

#include "monitor/monitor_run_base.h"

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <string_view>

class CFirmCommand;

// The stop-cause texts by index (0 to 34), each appended as it stands.
inline constexpr int kStopCauseCount = 35;
std::string_view StopCauseText(int index);

namespace stop_cause {
inline constexpr int kNone = -1;
inline constexpr int kError = 20;
inline constexpr int kStepNormalEnd = 24;
// Break condition 3 alone: the data break's stop.
inline constexpr int kDataBreakCause = 4;
inline constexpr int kStopAddress = 25;
inline constexpr int kBreakPoint = 26;
inline constexpr int kBreakKey = 27;
inline constexpr int kIllegalInstruction = 28;
inline constexpr int kTriggerBreak = 29;
inline constexpr int kOneStepEnd = 30;
inline constexpr int kSubroutineEnd = 31;
inline constexpr int kTargetReset = 34;
}  // namespace stop_cause

// Whether an address is one of run control's temporary stop addresses (a
// go to addresses): its index, -1 when it is none.
using StopAddressLookup = std::function<int(DWORD address)>;
// Installed by the run-control handler while it exists.
void SetStopAddressLookup(StopAddressLookup lookup);

class CRunStateMonitor : public CMonitorRunBase {
public:
    CRunStateMonitor();
    ~CRunStateMonitor();
    CRunStateMonitor(const CRunStateMonitor&) = delete;
    CRunStateMonitor& operator=(const CRunStateMonitor&) = delete;

    // Not running, no stop causes: 0.
    [[nodiscard]] DWORD Reset();
    [[nodiscard]] DWORD IsRunning() const { return m_running; }
    // Running for a nonzero value: a launch, whose registers are kept for
    // its stop.
    void SetRunning(DWORD value);
    // How long (ms, up to now) the adapter has said that the target stands
    // still while the run state named no stop: a start the target refused,
    // or a stop that cannot be read. 0 while nothing is amiss.
    [[nodiscard]] DWORD UnreportedStopFor(DWORD now) const;

    // Called by the reply decoder while the target runs: looks at a stop
    // (the adapter's status flag, or a stop the user requested) and reports
    // it. 0 after the check; the link's failure word when the adapter or the
    // run state cannot be asked.
    [[nodiscard]] WORD CheckStopped(DWORD argument);
    // Decodes the stop word in the firmware reply buffer: 0 when the target
    // stopped and the stop was reported, 1 when execution was resumed.
    [[nodiscard]] DWORD Poll();
    // Appends the stop-cause text of the index; a negative index or one
    // outside the table appends nothing.
    void PrintStopCause(int index);
    // A request of a launch in the run mode met a target reset: the reset is
    // the run's stop, reported as one (its cause, the reset's registers read,
    // the monitor set up again) and left pending for run control.
    void ReportResetAtLaunch(DWORD runMode);

    // The stop causes of the last stop: primary, second, third (-1 none).
    const std::array<int, 3>& StopCauses() const { return m_stopCauses; }

private:
    struct StopBlock;

    bool ContinuationCheck(const StopBlock& stop, bool second) const;
    // After a go's step off its start address: whether the new PC holds a
    // breakpoint (breakpoint set) or a break condition that stops there, so
    // that the run ends there instead of stepping off it as well.
    bool EndsAtNextBreak(bool& breakpoint);
    // Starts the stopped program again in the run mode of its last start.
    WORD Resume(const StopBlock& stop);
    // A run whose rules say it goes on from this stop: whether it did. One
    // that could not has failed, and this stop is none of the run's: a reset
    // met on the way ends it as the reset's stop (reset set), anything else
    // as a failure, which run control names so.
    bool GoOn(const StopBlock& stop, bool& reset);
    // The reset's stop: its registers read (once more when the first read
    // fails), its cause, and the monitor set up again.
    void ReadResetStop(CFirmCommand& command);
    // The hit value: the bit of the last enabled applied channel, timed
    // before its instruction, that holds the PC.
    static DWORD HitMask(DWORD pc);
    static bool IsDataBreakStop(const StopBlock& stop);
    // The causes of the stop by the run mode of its last start.
    void DetermineCauses(const StopBlock& stop, bool breakInstruction);
    void AppendLabels();
    void AppendTraceLine();
    bool WantsTraceLine() const;
    void PrintBreakOrStep(const StopBlock& stop, bool breakInstruction);
    void PrintKeyOrReset(int cause);
    void PrintEvent(std::string_view text);
    void Disarm();
    // Whether a step's stop leaves every register as its launch wrote them.
    bool RegistersAsLaunched() const;
    // After the run: the program's own bytes back where its breakpoints
    // stood, so that the stopped program reads as it is (in flash through
    // the mirror); flash synchronisation also writes them into the chip.
    void TakeBreakBytesOut();

    std::atomic<DWORD> m_running{0};
    // The tick count of the first check that found the target standing
    // still with no stop to report (0: none since the last start or stop).
    std::atomic<DWORD> m_unreportedSince{0};
    std::array<int, 3> m_stopCauses{stop_cause::kNone, stop_cause::kNone, stop_cause::kNone};
    // A stop reply that came while a monitor command held the link.
    std::array<BYTE, 32> m_keptReply{};
    bool m_replyKept = false;
    // The registers of the last launch, and whether its step was sent once
    // more because its stop left them all as they were.
    std::array<DWORD, 20> m_launchRegisters{};
    bool m_launchResent = false;
    // The go went on after its step off: its last launch was the going on.
    bool m_wentOn = false;
};

extern std::unique_ptr<CRunStateMonitor> g_runStateMonitor;
