// The target CPU: its 20 registers and the small instruction subset the
// model executes: no-operation, jumps, calls, returns and the break
// instruction byte. Any other opcode is illegal.
#pragma once

#include "sim/emulator/target_memory.h"

#include <array>
#include <cstdint>

namespace simemu {

// Register indexes in the firmware's order.
namespace reg {
inline constexpr std::size_t kBank0 = 0;   // R0 R1 R2 R3 A0 A1 FB
inline constexpr std::size_t kBank1 = 7;
inline constexpr std::size_t kFrameBase = 6;  // FB within a bank
inline constexpr std::size_t kPc = 14;
inline constexpr std::size_t kIntb = 15;
inline constexpr std::size_t kUsp = 16;
inline constexpr std::size_t kIsp = 17;
inline constexpr std::size_t kFlg = 19;
inline constexpr std::size_t kCount = 20;
// FLG bits the instructions use.
inline constexpr std::uint32_t kFlagBank = 0x10;       // register bank 1
inline constexpr std::uint32_t kFlagUserStack = 0x80;  // USP instead of ISP
}  // namespace reg

using RegisterFile = std::array<std::uint32_t, reg::kCount>;

// Keeps each register to its width: PC to the device's address mask, INTB
// to 24 bits, the others to 16.
void MaskRegisters(RegisterFile& registers, std::uint32_t addressMask);

// What the CPU reports to the event function while it executes.
class ExecutionObserver {
public:
    virtual ~ExecutionObserver() = default;
    virtual void OnDataAccess(std::uint32_t address, std::uint8_t value, bool write) = 0;
    virtual void OnBranch(std::uint32_t from, std::uint32_t to) = 0;
};

enum class InstructionOutcome { Executed, BreakInstruction, Illegal };

// The break instruction byte: 0x08 for protocol type 3, else 0x00.
std::uint8_t BreakInstructionByte(std::uint32_t protocolType);

// Executes the instruction at PC (a break instruction byte or an illegal
// opcode is not executed and leaves PC on it).
InstructionOutcome ExecuteInstruction(RegisterFile& registers, TargetMemory& memory, std::uint32_t protocolType,
                                      ExecutionObserver* observer);

}  // namespace simemu
