// The target's boot program, reached through the adapter's relayed
// commands: status register, ID-code check with lock-out, page read and
// program, block erase, lock bits, version, address, baud rate, the firmware
// check and the flash writer's bulk download.
#pragma once

#include "sim/emulator/byte_order.h"
#include "sim/emulator/faults.h"
#include "sim/emulator/target_memory.h"

#include <array>
#include <cstdint>

namespace simemu {

struct BootState {
    bool idVerified = false;
    std::uint32_t idFailures = 0;
    bool lockedOut = false;  // too many wrong ID codes: no check passes until the next reset
    bool writerLoaded = false;
    std::uint8_t errors = 0;  // erase and program error bits of the status register
    std::uint32_t address = 0;
    std::uint8_t baudCode = 0xB0;
    // An erase or program still running: the status reads that see it busy,
    // whether it never ends, and the error bits it leaves when it ends.
    std::uint32_t busyPolls = 0;
    bool stuck = false;
    std::uint8_t pendingErrors = 0;
};

struct BootContext {
    TargetMemory& memory;
    std::uint32_t protocolType;
    Faults& faults;
    std::uint32_t idLockout;  // wrong ID codes before the lock-out; 0 never locks out
    BootState& state;
    std::uint32_t flashBusyPolls = 0;  // status reads an erase or program stays busy for
};

// True when the frame has the relayed form: count, command length,
// response length, the command bytes, a pad where needed, the closing byte.
bool IsRelayedFrame(const std::uint8_t* frame, std::size_t length);

// Answers a relayed command frame (IsRelayedFrame holds): the data the
// command answers, an acknowledge, or a negative acknowledge for a command
// the boot program refuses or does not know. While an erase or program is
// busy only the status read is answered; everything else is refused.
Bytes HandleRelayedCommand(const std::uint8_t* frame, BootContext& context);

// Whether seven ID-code bytes match those programmed in the flash.
bool IdCodeMatches(const TargetMemory& memory, std::uint32_t protocolType, const std::uint8_t* code);

}  // namespace simemu
