#include "sim/emulator/adapter_commands.h"

#include "sim/emulator/status_reply.h"
#include "sim/emulator/wire_codes.h"

namespace simemu {

namespace {

constexpr std::size_t kPage = 256;
constexpr std::size_t kHalfPage = 128;
constexpr std::size_t kIdCodeLength = 7;

Bytes ReadRecord(const TargetMemory& memory, std::uint32_t address, std::size_t count) {
    std::uint8_t data[kPage];
    for (std::size_t i = 0; i < count; ++i) {
        data[i] = memory.Read((address + static_cast<std::uint32_t>(i)) & memory.device().addressMask);
    }
    return DataReply(data, count);
}

Bytes Erase(std::uint32_t address, AdapterContext& context) {
    const bool failed = context.faults.TakeErase() || context.memory.EraseBlockAt(address) != FlashResult::Done;
    return failed ? StatusByteReply(status_byte::kFlashEraseError) : Acknowledge();
}

Bytes ProgramRecord(const std::uint8_t* frame, AdapterContext& context) {
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < 2 + 4 + kProgramRecordData; ++i) {
        sum = static_cast<std::uint8_t>(sum + frame[i]);
    }
    if (sum != frame[2 + 4 + kProgramRecordData]) {
        return StatusByteReply(status_byte::kSumCheckError);
    }
    const std::uint32_t address = ReadLittleEndian32(frame + 2);
    const bool failed = context.faults.TakeProgram() ||
                        context.memory.Program(address, frame + 6, kProgramRecordData) != FlashResult::Done;
    return failed ? StatusByteReply(status_byte::kFlashWriteError) : Acknowledge();
}

// Erase everything and unlock: the protocol-type-0 way past the ID code.
Bytes EraseAndUnlock(AdapterContext& context) {
    if (context.faults.TakeErase()) {
        return StatusByteReply(status_byte::kFlashEraseError);
    }
    context.memory.EraseAll();
    context.boot.idVerified = true;
    return Acknowledge();
}

std::optional<AdapterOutcome> ShortCommand(std::uint8_t code, AdapterContext& context) {
    WriterState& writer = context.writer;
    const bool type0Boot = context.bootMode && context.protocolType == 0;
    AdapterOutcome outcome;
    switch (code) {
    case adapter_code::kBoot:
    case adapter_code::kWrite:
        if (!context.writerReady) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        writer.writeOpen = true;
        writer.bootOnEnd = code == adapter_code::kBoot;
        outcome.reply = Acknowledge();
        return outcome;
    case adapter_code::kEndWrite:
        if (!context.writerReady || !writer.writeOpen) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        writer.writeOpen = false;
        outcome.reply = Acknowledge();
        if (writer.bootOnEnd) {
            outcome.start = StartKind::ResetVector;
        }
        writer.bootOnEnd = false;
        return outcome;
    case adapter_code::kStartFirmware:
        if (!context.writerReady) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        writer.writeOpen = false;
        return AdapterOutcome{Acknowledge(), StartKind::ResetVector};
    case adapter_code::kAcknowledge:
    case adapter_code::kNegativeAcknowledge:
        if (!type0Boot || !writer.rawPending) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        writer.rawPending = false;
        context.boot.writerLoaded = code == adapter_code::kAcknowledge;
        return AdapterOutcome{StatusByteReply(code)};
    case adapter_code::kEraseUnlock:
    case adapter_code::kCheckUnlock:
        if (!type0Boot) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        return AdapterOutcome{EraseAndUnlock(context)};
    case adapter_code::kResetUnlock:
        if (!type0Boot) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        context.boot = BootState{};
        writer = WriterState{};
        writer.echoExpected = true;
        return AdapterOutcome{Acknowledge()};
    default:
        return std::nullopt;
    }
}

}  // namespace

std::optional<AdapterOutcome> HandleAdapterCommand(const std::uint8_t* frame, std::size_t length,
                                                   AdapterContext& context) {
    const std::size_t count = length - 2;
    WriterState& writer = context.writer;
    const std::uint32_t type = context.protocolType;
    if (count == kProgramRecordCount && writer.writeOpen && context.writerReady) {
        return AdapterOutcome{ProgramRecord(frame, context)};
    }
    if (frame[length - 1] != kFrameEnd) {
        return std::nullopt;
    }
    // The ID echo: the seven bytes come back unchanged when they match.
    if (count == kIdCodeLength + 1 && writer.echoExpected && context.bootMode && type == 0) {
        writer.echoExpected = false;
        if (!IdCodeMatches(context.memory, type, frame + 2)) {
            return AdapterOutcome{NegativeAcknowledge()};
        }
        context.boot.idVerified = true;
        return AdapterOutcome{Bytes(frame, frame + length)};
    }
    const std::uint8_t code = frame[2];
    if (count == 2) {
        return ShortCommand(code, context);
    }
    // The longer commands exist only while the flash writer runs.
    if (!context.writerReady) {
        return std::nullopt;
    }
    const bool padded = frame[length - 2] == kPad;
    switch (code) {
    case adapter_code::kErase:
        // Two address bytes for protocol type 0, four for the others.
        if (type == 0 && count == 4) {
            return AdapterOutcome{Erase(frame[3] | (frame[4] << 8), context)};
        }
        if (type != 0 && count == 6) {
            return AdapterOutcome{Erase(ReadLittleEndian32(frame + 3), context)};
        }
        break;
    case adapter_code::kReadRecord:
        if (count == 4 && type >= 2) {  // a8 a16: one page
            return AdapterOutcome{ReadRecord(context.memory, (frame[3] << 8) | (frame[4] << 16), kPage)};
        }
        if (count == 6 && padded && type == 0 && frame[5] == 0) {  // a0' a8 0: half a page
            return AdapterOutcome{ReadRecord(context.memory, (frame[3] & 0x80) | (frame[4] << 8), kHalfPage)};
        }
        if (count == 6 && padded && type != 0) {  // a8 a16 a24: one page
            const std::uint32_t address =
                (frame[3] << 8) | (frame[4] << 16) | (static_cast<std::uint32_t>(frame[5]) << 24);
            return AdapterOutcome{ReadRecord(context.memory, address, kPage)};
        }
        break;
    case adapter_code::kStartFirmware:
        if (count == 6) {
            writer.writeOpen = false;
            return AdapterOutcome{Acknowledge(), StartKind::Address, ReadLittleEndian32(frame + 3)};
        }
        break;
    default:
        break;
    }
    return std::nullopt;
}

Bytes AcceptRawBlock(const std::uint8_t* frame, std::size_t length, WriterState& writer) {
    // The sum covers every byte after the count: data, pad and closing byte.
    std::uint16_t sum = 0;
    for (std::size_t i = 2; i < length; ++i) {
        sum = static_cast<std::uint16_t>(sum + frame[i]);
    }
    writer.rawPending = true;
    const std::uint8_t reply[2] = {static_cast<std::uint8_t>(sum), static_cast<std::uint8_t>(sum >> 8)};
    return DataReply(reply, sizeof(reply));
}

}  // namespace simemu
