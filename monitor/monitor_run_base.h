// CMonitorRunBase: the unit on which the breakpoint table, the preparation
// of a run (break bytes in, break-condition channels applied) and the step
// helpers run. The run-state monitor derives from it.
#pragma once

#include "monitor/monitor_object.h"
#include "link/monitor_run_state.h"

#include "platform/wintypes.h"


// A breakpoint to look for: its address and, when kind is not 0, the kind
// and kind value the entry must have.
struct BreakQuery {
    DWORD address = 0;
    WORD kind = 0;
    BYTE kindValue = 0;
    int entry = -1;   // out: the entry found
    WORD entryClass = 0;  // out: its class
};

// Results of the table operations.
namespace break_result {
inline constexpr WORD kFound = 0;
inline constexpr WORD kNotFound = 2;
inline constexpr WORD kNothingRemoved = 0x2000;
inline constexpr WORD kMatched = 2;  // a break condition holds the address
}  // namespace break_result

class CMonitorRunBase : public CMonitorUnit {
public:
    // ---- the breakpoint table ----
    // Selector 0 sets a breakpoint, else removes (1: the one at address,
    // any other: all); the heading and the table's listing go to the
    // monitor output.
    void BreakpointCommand(DWORD selector, DWORD address, char kindLetter, DWORD kindValue);
    // 0 with the entry's number, or -1 after a message.
    [[nodiscard]] int SetBreakpoint(int* entry, DWORD address, char kindLetter, DWORD kindValue);
    // 0, or break_result::kNothingRemoved.
    [[nodiscard]] WORD RemoveBreakpoint(DWORD selector, DWORD address, char kindLetter, DWORD kindValue);
    // The new entry's number, or -1 after a message.
    [[nodiscard]] int AddBreakpoint(DWORD address, WORD entryClass);
    [[nodiscard]] WORD FindBreakpoint(BreakQuery& query) const;
    void CompactBreakTable();
    // Puts the replaced bytes back for the first count written entries
    // (-1: all); a byte that cannot be put back loses its entry (message 47).
    [[nodiscard]] WORD RemoveBreakInstructions(int count);
    // Writes the break byte at every marked entry; when one is refused
    // (message 46) the bytes written so far are put back.
    [[nodiscard]] WORD InstallBreakInstructions();
    void MarkBreakInstructions(bool written);

    // ---- the preparation of a run ----
    // 0, or monitor_message::kCannotUseMode after message 42.
    [[nodiscard]] WORD CheckBreakConditionMode() const;
    // Break bytes in, channels applied, "PC" set for the go request; 0 when
    // the run may start.
    [[nodiscard]] WORD PrepareExecution();
    void ApplyBreakChannels(const GoRequestBlock& request);
    [[nodiscard]] WORD MatchPcBreakConditions(DWORD address);
    [[nodiscard]] WORD MatchAddressBreakConditions(DWORD address);

    // ---- the step helpers ----
    [[nodiscard]] WORD PrepareStepBreak(DWORD address, WORD length);
    // The instruction's length (GetInstructionLength), or the read's status.
    [[nodiscard]] WORD GetInstructionLengthAt(DWORD address);
    [[nodiscard]] WORD PrepareStepOverBreak(DWORD address);
    // Into the register cache: "PC" masked with the device's top address,
    // FLG cut to its low byte.
    [[nodiscard]] WORD SetRegisterValue(DWORD number, DWORD value);

private:
    // Frees one entry (it stays where it is until the table is compacted).
    void ClearBreakEntry(std::size_t index);
    // Sets the current break kind from a kind letter and value.
    void SelectBreakKind(char kindLetter, DWORD kindValue);
    // Puts an entry's replaced byte back; 0 when done or not needed.
    [[nodiscard]] WORD RestoreBreakByte(std::size_t index);
};
