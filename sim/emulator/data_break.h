// The data break of the hardware break type 1: one access condition on the
// program's data accesses, kept in three registers of the chip. Control
// (ABRC): bit 0 enables; bits 6-7 pick the accesses (0xC0 both, 0x40 reads,
// 0x80 writes, 0 none); bits 4-5 ignore the low 4, 8 or 12 bits of the
// address (BAR); bit 2 compares the byte with the data register's (BDR) low
// byte. A matching access stops the program after its instruction.
#pragma once

#include "sim/emulator/cpu.h"

namespace simemu {

// Watches the CPU's data accesses for the data break and passes every
// access on to the next observer (the event function).
class DataBreakWatch : public ExecutionObserver {
public:
    DataBreakWatch(const TargetMemory& memory, ExecutionObserver& next) : memory_(memory), next_(next) {}

    void OnDataAccess(std::uint32_t address, std::uint8_t value, bool write) override;
    void OnBranch(std::uint32_t from, std::uint32_t to) override { next_.OnBranch(from, to); }

    // An access of the instruction met the condition.
    bool Matched() const { return matched_; }

private:
    bool Matches(std::uint32_t address, std::uint8_t value, bool write) const;

    const TargetMemory& memory_;
    ExecutionObserver& next_;
    bool matched_ = false;
};

}  // namespace simemu
