// The PC breakpoints as the host's break list shows them: the event handler's
// list 0, one row per PC break of the break manager, by position, with its
// address and whether it is enabled; rows are enabled and removed by
// position through the same list. Counting every kind, finding a break by
// its address and making one go to the break manager. The
// breakpoint commands read and change the breakpoints through these rows, on
// the host's thread, where the host changes them too (a listing takes its
// rows there before its own thread writes them).
#pragma once

#include "platform/afx.h"

#include <optional>

class CTBreakManager;
class CTargetEventVk3;

struct PcBreakRow {
    DWORD address = 0;
    bool enabled = false;
};

class CPcBreakRows {
public:
    // The target's break manager and event handler (either missing: no
    // rows, every change refused).
    CPcBreakRows();

    // The number of breaks of all eight kinds.
    DWORD CountAllKinds() const;
    // The PC breaks, which the rows walk.
    DWORD CountPcBreaks() const;
    // The row at a position; none when there is no such row.
    std::optional<PcBreakRow> GetRow(DWORD index) const;
    // The position of the PC Stop break at the address.
    std::optional<DWORD> Find(DWORD address) const;
    // 0 done; 0x80042012 for a position past the last row.
    HRESULT Enable(DWORD index, WORD flag);
    // A position, or -1 for every PC break: 0 done; 0x80042012 for a
    // position past the last row.
    HRESULT Remove(LONG index);
    // Makes a PC Stop break (count 0, no text): true when it was made.
    bool Add(DWORD address);

private:
    CTBreakManager* m_manager;
    CTargetEventVk3* m_events;
};
