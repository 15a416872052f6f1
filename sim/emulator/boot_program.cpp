#include "sim/emulator/boot_program.h"

#include "sim/emulator/device.h"
#include "sim/emulator/status_reply.h"
#include "sim/emulator/wire_codes.h"

namespace simemu {

namespace {

constexpr std::size_t kPageSize = 256;
constexpr std::size_t kMaxBulkData = 2048;
constexpr std::uint8_t kIdCodeLength = 7;
// Two-byte forms of the higher baud codes: the first byte answers.
constexpr std::uint8_t kBaudTwoByteFirst = 0xB5;

struct Command {
    const std::uint8_t* bytes;
    std::size_t length;
    std::size_t responseLength;
};

// Address bits 8-23 of a page, block or lock-bit command.
std::uint32_t PageAddress(const std::uint8_t* bytes) {
    return (static_cast<std::uint32_t>(bytes[0]) << 8) | (static_cast<std::uint32_t>(bytes[1]) << 16);
}

std::uint8_t Sum8(const std::uint8_t* bytes, std::size_t count) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < count; ++i) {
        sum = static_cast<std::uint8_t>(sum + bytes[i]);
    }
    return sum;
}

bool Shaped(const Command& command, std::size_t length, std::size_t responseLength) {
    return command.length == length && command.responseLength == responseLength;
}

bool Busy(const BootState& state) {
    return state.stuck || state.busyPolls != 0;
}

// An erase or program begins: it runs for the configured status reads (or
// for good), and its error bits show once it ends.
void StartFlashOperation(BootContext& context, std::uint8_t errors) {
    BootState& state = context.state;
    state.stuck = context.faults.TakeFlashStuck();
    state.busyPolls = context.flashBusyPolls;
    if (Busy(state)) {
        state.pendingErrors |= errors;
    } else {
        state.errors |= errors;
    }
}

Bytes ReadStatus(BootState& state) {
    const bool busy = Busy(state);
    const std::uint8_t errors = state.errors;
    if (!state.stuck && state.busyPolls != 0 && --state.busyPolls == 0) {
        // This read is the last that sees it running; the next shows how it
        // ended.
        state.errors |= state.pendingErrors;
        state.pendingErrors = 0;
    }
    const std::uint8_t first = static_cast<std::uint8_t>((busy ? 0 : status_register::kReady) | errors);
    const std::uint8_t status[2] = {first, state.idVerified ? status_register::kIdVerified : std::uint8_t{0}};
    return DataReply(status, sizeof(status));
}

void CheckIdCode(const Command& command, BootContext& context) {
    BootState& state = context.state;
    const Device& device = context.memory.device();
    const std::uint32_t address = command.bytes[1] | (command.bytes[2] << 8) | (command.bytes[3] << 16);
    const bool match = address == (device.idCodeAddress & 0xFFFFFF) && command.bytes[4] == kIdCodeLength &&
                       IdCodeMatches(context.memory, context.protocolType, command.bytes + 5);
    if (state.lockedOut) {
        return;
    }
    if (match) {
        state.idVerified = true;
        state.idFailures = 0;
        return;
    }
    state.idVerified = false;
    ++state.idFailures;
    state.lockedOut = context.idLockout != 0 && state.idFailures >= context.idLockout;
}

Bytes ProgramPage(const Command& command, BootContext& context) {
    const FlashResult result = context.faults.TakeProgram()
                                   ? FlashResult::Failed
                                   : context.memory.Program(PageAddress(command.bytes + 1), command.bytes + 3, kPageSize);
    StartFlashOperation(context, result != FlashResult::Done ? status_register::kProgramError : std::uint8_t{0});
    return Acknowledge();
}

Bytes EraseBlock(std::uint32_t address, BootContext& context) {
    const FlashResult result =
        context.faults.TakeErase() ? FlashResult::Failed : context.memory.EraseBlockAt(address);
    StartFlashOperation(context, result != FlashResult::Done ? status_register::kEraseError : std::uint8_t{0});
    return Acknowledge();
}

Bytes EraseAll(BootContext& context) {
    if (context.faults.TakeErase()) {
        StartFlashOperation(context, status_register::kEraseError);
        return Acknowledge();
    }
    // Locked blocks stay as they are while the lock protection is on.
    const Device& device = context.memory.device();
    for (std::size_t i = 0; i < device.flashBlockCount; ++i) {
        context.memory.EraseBlockAt(device.flashBlocks[i].top);
    }
    StartFlashOperation(context, 0);
    return Acknowledge();
}

Bytes LoadWriter(const Command& command, BootContext& context) {
    const std::size_t count = command.bytes[1] | (command.bytes[2] << 8);
    if (count != command.length - 4 || count > kMaxBulkData) {
        return NegativeAcknowledge();
    }
    if (Sum8(command.bytes + 4, count) != command.bytes[3]) {
        return StatusByteReply(status_byte::kSumCheckError);
    }
    context.state.writerLoaded = true;
    return Acknowledge();
}

}  // namespace

bool IsRelayedFrame(const std::uint8_t* frame, std::size_t length) {
    if (length < 8) {
        return false;
    }
    const std::size_t commandLength = ReadBigEndian16(frame + 2);
    const std::size_t unpadded = 5 + commandLength;  // lengths, command, closing byte
    const bool pad = unpadded % 2 != 0;
    return commandLength > 0 && length == 2 + unpadded + (pad ? 1 : 0) && (!pad || frame[length - 2] == kPad);
}

bool IdCodeMatches(const TargetMemory& memory, std::uint32_t protocolType, const std::uint8_t* code) {
    const auto addresses = IdCodeAddresses(memory.device(), protocolType);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        if (memory.Read(addresses[i]) != code[i]) {
            return false;
        }
    }
    return true;
}

Bytes HandleRelayedCommand(const std::uint8_t* frame, BootContext& context) {
    const Command command{frame + 6, ReadBigEndian16(frame + 2), ReadBigEndian16(frame + 4)};
    BootState& state = context.state;
    const std::uint8_t opcode = command.bytes[0];

    if (opcode == boot_op::kReadStatus) {
        return Shaped(command, 1, 2) ? ReadStatus(state) : NegativeAcknowledge();
    }
    // A busy flash takes no other command: the host must poll until ready.
    if (Busy(state)) {
        return NegativeAcknowledge();
    }
    // Commands the boot program answers before the ID code is verified.
    switch (opcode) {
    case boot_op::kClearStatus:
        if (!Shaped(command, 1, 0)) {
            return NegativeAcknowledge();
        }
        state.errors = 0;
        return Acknowledge();
    case boot_op::kCheckIdCode:
        if (!Shaped(command, 12, 0)) {
            return NegativeAcknowledge();
        }
        CheckIdCode(command, context);
        return Acknowledge();
    case boot_op::kReadVersion: {
        if (!Shaped(command, 1, 8)) {
            return NegativeAcknowledge();
        }
        const Device& device = context.memory.device();
        return DataReply(reinterpret_cast<const std::uint8_t*>(device.bootVersion.data()), device.bootVersion.size());
    }
    case boot_op::kSetAddress:
        if (!Shaped(command, 4, 0)) {
            return NegativeAcknowledge();
        }
        state.address = command.bytes[1] | (command.bytes[2] << 8) | (command.bytes[3] << 16);
        return Acknowledge();
    case boot_op::kFirmwareCheck:
        return Shaped(command, 2, 1) ? StatusByteReply(command.bytes[1]) : NegativeAcknowledge();
    default:
        break;
    }
    if (opcode >= boot_op::kBaudFirst && opcode <= boot_op::kBaudLast) {
        const std::size_t expected = opcode < kBaudTwoByteFirst ? 1 : 2;
        if (!Shaped(command, expected, 1) && !Shaped(command, 1, 1)) {
            return NegativeAcknowledge();
        }
        state.baudCode = opcode;
        return StatusByteReply(opcode);
    }

    // Flash commands need the ID code verified.
    if (!state.idVerified) {
        return NegativeAcknowledge();
    }
    switch (opcode) {
    case boot_op::kReadPage: {
        if (!Shaped(command, 3, kPageSize)) {
            break;
        }
        std::uint8_t page[kPageSize];
        const std::uint32_t address = PageAddress(command.bytes + 1);
        for (std::size_t i = 0; i < kPageSize; ++i) {
            page[i] = context.memory.Read(address + static_cast<std::uint32_t>(i));
        }
        return DataReply(page, kPageSize);
    }
    case boot_op::kProgramPage:
        if (Shaped(command, 3 + kPageSize, 0)) {
            return ProgramPage(command, context);
        }
        break;
    case boot_op::kEraseBlock:
        if (Shaped(command, 4, 0) && command.bytes[3] == boot_op::kConfirm) {
            return EraseBlock(PageAddress(command.bytes + 1), context);
        }
        break;
    case boot_op::kEraseAll:
        if (Shaped(command, 2, 0) && command.bytes[1] == boot_op::kConfirm) {
            return EraseAll(context);
        }
        break;
    case boot_op::kReadLockBit: {
        if (!Shaped(command, 3, 1)) {
            break;
        }
        const int block = context.memory.BlockIndex(PageAddress(command.bytes + 1));
        if (block < 0) {
            break;
        }
        return StatusByteReply(context.memory.IsLocked(block) ? std::uint8_t{0} : kLockBitUnlocked);
    }
    case boot_op::kProgramLockBit: {
        if (!Shaped(command, 4, 0) || command.bytes[3] != boot_op::kConfirm) {
            break;
        }
        const int block = context.memory.BlockIndex(PageAddress(command.bytes + 1));
        if (block < 0) {
            state.errors |= status_register::kProgramError;
        } else {
            context.memory.Lock(block);
        }
        return Acknowledge();
    }
    case boot_op::kDisableLockBits:
    case boot_op::kEnableLockBits:
        if (!Shaped(command, 1, 0)) {
            break;
        }
        context.memory.SetLockProtection(opcode == boot_op::kEnableLockBits);
        return Acknowledge();
    case boot_op::kBulkData:
        if (command.length >= 4 && command.responseLength == 0) {
            return LoadWriter(command, context);
        }
        break;
    default:
        break;
    }
    return NegativeAcknowledge();
}

}  // namespace simemu
