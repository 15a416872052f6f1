// The emulator firmware once it runs on the target: it serves the 'Z'
// requests (version, memory, register file, go, run state, reset, the flash
// write-back step, the '#' packet and the event commands) and runs the user
// program until a break instruction byte, an armed break channel, an event,
// the end of a step or the emulator's break stops it.
#pragma once

#include "sim/emulator/cpu.h"
#include "sim/emulator/event_function.h"
#include "sim/emulator/faults.h"
#include "sim/emulator/firmware_image.h"
#include "sim/emulator/target_memory.h"

#include <array>
#include <cstdint>
#include <optional>

namespace simemu {

class Firmware {
public:
    // The firmware starts (from the target's reset or a jump): the user
    // program is stopped with its registers reset, and nothing has been
    // reported yet.
    void Start(const FirmwareIdentity& identity);
    // The target lost power or was reset into another mode.
    void Stop();

    // Answers a well-framed 'Z' request; no value for the go request.
    std::optional<Bytes> Handle(const std::uint8_t* frame, std::size_t length, TargetMemory& memory,
                                std::uint32_t protocolType, Faults& faults);
    // Runs the user program for at most one budget of instructions.
    void RunOn(TargetMemory& memory, std::uint32_t protocolType) { Execute(budget_, memory, protocolType); }
    // The emulator's break line: a running program stops with "BK".
    void BreakKey(TargetMemory& memory, std::uint32_t protocolType);
    // A running program stops for its own reason with the stop word (status
    // bit 0 set), as a break instruction or channel would stop it.
    void StopByItself(std::uint16_t stopWord, TargetMemory& memory, std::uint32_t protocolType);
    // The firmware started afresh after a reset that ended a running
    // program: the run-state request reports "RS".
    void ReportResetEndedRun();

    bool Running() const { return running_; }
    bool HandedToWriter() const { return handedToWriter_; }
    // The flash writer gives control back ('F').
    void ResumeFromWriter() { handedToWriter_ = false; }
    std::uint16_t StopWord() const { return stopWord_; }
    std::uint32_t Instructions() const { return instructions_; }
    RegisterFile& Registers() { return registers_; }
    // Instructions a running program gets per driver call (and at its go).
    void SetInstructionBudget(std::uint32_t budget) { budget_ = budget; }

private:
    struct GoChannel {
        bool armed = false;
        std::uint32_t address = 0;
    };

    // The flash step hands the target to the flash writer, which takes RAM.
    static void LoadWriter(TargetMemory& memory);
    Bytes ReadMemory(const std::uint8_t* frame, std::size_t length, const TargetMemory& memory) const;
    Bytes WriteMemory(const std::uint8_t* frame, std::size_t length, TargetMemory& memory, Faults& faults) const;
    Bytes WriteRegisters(const std::uint8_t* frame, std::size_t length, std::uint32_t addressMask);
    void Go(const std::uint8_t* frame, TargetMemory& memory, std::uint32_t protocolType);
    Bytes ApplyRegisterSettings(const std::uint8_t* frame, std::size_t length, TargetMemory& memory) const;
    Bytes RunState() const;
    Bytes RegisterFileReply() const;
    // A program the reset ends reports "RS".
    void ResetCpu(TargetMemory& memory);
    // Bit n set when break channel n holds the address.
    std::uint32_t MatchingChannels(std::uint32_t pc, const TargetMemory& memory, std::uint32_t protocolType) const;
    // The program stops; every stop disarms the address-match channels.
    void StopWith(std::uint16_t stopWord, bool byItself, TargetMemory& memory, std::uint32_t protocolType,
                  std::uint32_t channels = 0);
    void Execute(std::uint32_t budget, TargetMemory& memory, std::uint32_t protocolType);

    FirmwareIdentity identity_;
    RegisterFile registers_{};
    EventFunction events_;
    bool running_ = false;
    bool singleStep_ = false;
    bool firstInstruction_ = false;
    bool handedToWriter_ = false;
    std::array<GoChannel, 2> goChannels_{};
    std::uint16_t stopWord_ = 0;
    std::uint16_t stopStatus_ = 0;
    std::uint32_t stopChannels_ = 0;
    std::uint32_t instructions_ = 0;
    std::uint32_t budget_ = 1000;
};

}  // namespace simemu
