// The adapter's own commands: the flash writer's write sequence ('W' or 'B',
// program records, 0x11, 'F'), block erase 'E' and record read 'R', and the
// protocol-type-0 commands (erase-and-unlock, reset-unlock with the ID echo,
// the raw block of the flash writer with its acknowledge).
#pragma once

#include "sim/emulator/boot_program.h"

#include <cstdint>
#include <optional>

namespace simemu {

struct WriterState {
    bool writeOpen = false;
    bool bootOnEnd = false;     // opened by 'B': closing the write starts the firmware
    bool rawPending = false;    // a raw block awaits the host's acknowledge
    bool echoExpected = false;  // after the reset-unlock: the ID echo comes next
};

// What the target does after the adapter answered.
enum class StartKind {
    None,
    ResetVector,  // run from the reset vector
    Address,      // run from the address given
};

struct AdapterOutcome {
    Bytes reply;
    StartKind start = StartKind::None;
    std::uint32_t address = 0;
};

struct AdapterContext {
    TargetMemory& memory;
    std::uint32_t protocolType;
    Faults& faults;
    BootState& boot;
    WriterState& writer;
    bool writerReady;  // the flash writer runs: loaded in boot mode, or handed over by the firmware
    bool bootMode;     // the boot program runs (the protocol-type-0 commands are its)
};

// Answers the frame when it is an adapter command; no value when it is not
// one (then it may be a relayed command or a raw block).
std::optional<AdapterOutcome> HandleAdapterCommand(const std::uint8_t* frame, std::size_t length,
                                                   AdapterContext& context);

// Protocol type 0 in boot mode: a frame that is no command is the flash
// writer as a raw block, answered with its 16-bit sum.
Bytes AcceptRawBlock(const std::uint8_t* frame, std::size_t length, WriterState& writer);

}  // namespace simemu
