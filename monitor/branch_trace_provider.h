// The trace list of a device whose chip records its last branches in four
// branch-trace registers: the records are read from them at the host's
// first request after a stop.
#pragma once

#include "monitor/trace_handler.h"

#include <array>
#include <cstddef>

// The register block of a branch trace, as the device description gives it.
struct BranchTraceLayout {
    DWORD bufferSize = 0;  // bytes per register: 2 or 3
    std::array<DWORD, 4> registers{};
};

// The block to read for the layout: its length and unit size, or none (0)
// when the layout cannot be read safely: a register outside [TRCBR0,
// TRCBR3], a block over 64 bytes, a 2-byte block under 8, another size.
struct BranchTraceBlock {
    DWORD length = 0;
    DWORD unitSize = 0;
};
BranchTraceBlock BranchTraceBlockOf(const BranchTraceLayout& layout);
// The branch addresses of a block read for the layout, oldest first, the
// empty registers (all ones) left out.
std::vector<DWORD> BranchAddresses(const BranchTraceLayout& layout, const BYTE* block);

class CBranchTraceListProvider : public CTraceHandler {
public:
    CBranchTraceListProvider(IHostServiceProvider* host, CTraceMemoryAccess* memory);

    // Drops the records and switches the chip's recording on (bit 1 of the
    // trace control register); E_FAIL when that access fails.
    HRESULT OnTargetOpen() override;

protected:
    std::string FormatRow(CTraceRecord& record) override;
    void BuildRecords() override;
    DWORD GetCapacity() override { return 4; }
    const char* GetHeaderText() const override;
    std::span<const LONG> GetColumnKinds() const override;
};
