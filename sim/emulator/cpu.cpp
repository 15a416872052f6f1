#include "sim/emulator/cpu.h"

namespace simemu {

namespace {

// The opcodes that differ between protocol type 3 and the other types; the
// call and return opcodes are those whose lengths the plug-in's step rules
// know (a call of 2, 3 or 4 bytes, a return, an interrupt return).
struct Opcodes {
    std::uint8_t breakByte;
    std::uint8_t callShort;     // 8-bit displacement, 2 bytes
    std::uint8_t callWord;      // 16-bit displacement, 3 bytes
    std::uint8_t callAbsolute;  // 24-bit address, 4 bytes
    std::uint8_t returnSub;
    std::uint8_t returnInterrupt;
};
constexpr Opcodes kOpcodes{0x00, 0xEF, 0xF5, 0xFD, 0xF3, 0xFB};
constexpr Opcodes kOpcodesType3{0x08, 0xDD, 0xCF, 0xCD, 0xDF, 0x9E};

constexpr std::uint8_t kNop = 0x04;
constexpr std::uint8_t kJumpShort = 0xFE;     // 8-bit displacement
constexpr std::uint8_t kJumpWord = 0xF4;      // 16-bit displacement
constexpr std::uint8_t kJumpAbsolute = 0xFC;  // 24-bit address
constexpr std::uint8_t kExtension = 0x7D;
constexpr std::uint8_t kExitFrame = 0xF2;     // 7D F2: leave a stack frame and return

class Machine {
public:
    Machine(RegisterFile& registers, TargetMemory& memory, ExecutionObserver* observer)
        : r_(registers), memory_(memory), observer_(observer), mask_(memory.device().addressMask) {}

    std::uint8_t Fetch(std::uint32_t offset) const { return memory_.Read((r_[reg::kPc] + offset) & mask_); }
    std::uint32_t Pc() const { return r_[reg::kPc]; }

    void Jump(std::uint32_t target) {
        const std::uint32_t from = r_[reg::kPc];
        r_[reg::kPc] = target & mask_;
        memory_.RecordBranch(from);
        if (observer_ != nullptr) {
            observer_->OnBranch(from, r_[reg::kPc]);
        }
    }
    void Advance(std::uint32_t length) { r_[reg::kPc] = (r_[reg::kPc] + length) & mask_; }

    void Push(std::uint32_t value, std::uint32_t width) {
        std::uint32_t& sp = StackPointer();
        sp = (sp - width) & 0xFFFF;
        for (std::uint32_t i = 0; i < width; ++i) {
            const auto byte = static_cast<std::uint8_t>(value >> (8 * i));
            memory_.Write(sp + i, byte);
            Notify(sp + i, byte, true);
        }
    }
    std::uint32_t Pop(std::uint32_t width) {
        std::uint32_t& sp = StackPointer();
        std::uint32_t value = 0;
        for (std::uint32_t i = 0; i < width; ++i) {
            const std::uint8_t byte = memory_.Read((sp + i) & 0xFFFF);
            Notify((sp + i) & 0xFFFF, byte, false);
            value |= static_cast<std::uint32_t>(byte) << (8 * i);
        }
        sp = (sp + width) & 0xFFFF;
        return value;
    }
    std::uint32_t& FrameBase() {
        return r_[((r_[reg::kFlg] & reg::kFlagBank) != 0 ? reg::kBank1 : reg::kBank0) + reg::kFrameBase];
    }
    std::uint32_t& StackPointer() { return r_[(r_[reg::kFlg] & reg::kFlagUserStack) != 0 ? reg::kUsp : reg::kIsp]; }
    std::uint32_t& Flags() { return r_[reg::kFlg]; }

private:
    void Notify(std::uint32_t address, std::uint8_t value, bool write) {
        if (observer_ != nullptr) {
            observer_->OnDataAccess(address, value, write);
        }
    }

    RegisterFile& r_;
    TargetMemory& memory_;
    ExecutionObserver* observer_;
    std::uint32_t mask_;
};

std::int32_t Signed8(std::uint8_t value) {
    return static_cast<std::int8_t>(value);
}

std::int32_t Signed16(std::uint8_t low, std::uint8_t high) {
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(low | (high << 8)));
}

std::uint32_t Absolute24(const Machine& m) {
    return m.Fetch(1) | (static_cast<std::uint32_t>(m.Fetch(2)) << 8) | (static_cast<std::uint32_t>(m.Fetch(3)) << 16);
}

}  // namespace

void MaskRegisters(RegisterFile& registers, std::uint32_t addressMask) {
    for (std::size_t i = 0; i < registers.size(); ++i) {
        switch (i) {
        case reg::kPc:
            registers[i] &= addressMask;
            break;
        case reg::kIntb:
            registers[i] &= 0xFFFFFF;
            break;
        default:
            registers[i] &= 0xFFFF;
            break;
        }
    }
}

std::uint8_t BreakInstructionByte(std::uint32_t protocolType) {
    return protocolType == 3 ? kOpcodesType3.breakByte : kOpcodes.breakByte;
}

InstructionOutcome ExecuteInstruction(RegisterFile& registers, TargetMemory& memory, std::uint32_t protocolType,
                                      ExecutionObserver* observer) {
    const Opcodes& op = protocolType == 3 ? kOpcodesType3 : kOpcodes;
    Machine m(registers, memory, observer);
    const std::uint8_t opcode = m.Fetch(0);
    const std::uint32_t pc = m.Pc();
    if (opcode == op.breakByte) {
        return InstructionOutcome::BreakInstruction;
    }
    if (opcode == kNop) {
        m.Advance(1);
    } else if (opcode == kJumpShort) {
        m.Jump(pc + 1 + static_cast<std::uint32_t>(Signed8(m.Fetch(1))));
    } else if (opcode == kJumpWord) {
        m.Jump(pc + 1 + static_cast<std::uint32_t>(Signed16(m.Fetch(1), m.Fetch(2))));
    } else if (opcode == kJumpAbsolute) {
        m.Jump(Absolute24(m));
    } else if (opcode == op.callShort) {
        const std::uint32_t target = pc + 1 + static_cast<std::uint32_t>(Signed8(m.Fetch(1)));
        m.Push(pc + 2, 3);
        m.Jump(target);
    } else if (opcode == op.callWord) {
        const std::uint32_t target = pc + 1 + static_cast<std::uint32_t>(Signed16(m.Fetch(1), m.Fetch(2)));
        m.Push(pc + 3, 3);
        m.Jump(target);
    } else if (opcode == op.callAbsolute) {
        const std::uint32_t target = Absolute24(m);
        m.Push(pc + 4, 3);
        m.Jump(target);
    } else if (opcode == op.returnSub) {
        m.Jump(m.Pop(3));
    } else if (opcode == op.returnInterrupt) {
        // The interrupt frame: PC low and middle byte, then FLG's low byte and
        // its high bits (the same layout the plug-in's interrupt-return step
        // reads).
        const std::uint32_t frame = m.Pop(4);
        m.Flags() = ((frame >> 16) & 0xFF) | (((frame >> 24) & 0x7F) << 8);
        m.Jump(frame & 0xFFFF);
    } else if (opcode == kExtension && m.Fetch(1) == kExitFrame && protocolType != 3) {
        m.StackPointer() = m.FrameBase() & 0xFFFF;
        m.FrameBase() = m.Pop(2);
        m.Jump(m.Pop(3));
    } else {
        return InstructionOutcome::Illegal;
    }
    return InstructionOutcome::Executed;
}

}  // namespace simemu
