#include "sim/emulator/firmware.h"

#include "sim/emulator/data_break.h"

#include "sim/emulator/wire_codes.h"

#include <algorithm>

namespace simemu {

namespace {

// The shortest request: header, trailer.
constexpr std::size_t kPlainRequest = 8;
constexpr std::size_t kReadRequest = 16;
constexpr std::size_t kGoRequest = 16;
constexpr std::size_t kRegisterRequest = 6 + kRegisterFileBytes + 2;
constexpr std::size_t kMaxMemoryCount = 128;
// '#' packet: header, sub-command, items of ten bytes, closing byte.
constexpr std::size_t kPacketItem = 10;
constexpr std::uint8_t kPacketRegisterSettings = 1;
// Go request mode byte.
constexpr std::uint8_t kGoChannel0 = 0x01;
constexpr std::uint8_t kGoChannel1 = 0x02;
constexpr std::uint8_t kGoSingleStep = 0x04;
// The matching-channels bit of a data-break stop: break channel 2.
constexpr std::uint32_t kDataBreakChannel = 0x04;
// The flash writer's place in RAM while it holds the target, and the
// pattern it leaves there (each byte its address's low byte XOR this).
constexpr std::uint32_t kWriterCodeBytes = 1024;
constexpr std::uint32_t kWriterStackBytes = 256;
constexpr std::uint8_t kWriterPattern = 0xA5;
// Widths of the register file on the wire, in the firmware's order.
constexpr std::size_t kRegisterWidths[kRegisterCount] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 2, 2, 2, 2};

// A reply frame: header, the body from offset 6, trailer A5 81.
Bytes Frame(std::uint8_t command, const Bytes& body) {
    const auto length = static_cast<std::uint32_t>(6 + body.size());
    Bytes reply;
    reply.reserve(length + 2);
    AppendBigEndian16(reply, length);
    reply.push_back(kFirmwareMarker);
    reply.push_back(command);
    AppendBigEndian16(reply, length);
    reply.insert(reply.end(), body.begin(), body.end());
    reply.push_back(kPad);
    reply.push_back(kFrameEnd);
    return reply;
}

// Status (low byte first) and the detail word.
Bytes StatusReply(std::uint8_t command, std::uint16_t status, std::uint32_t detail = 0) {
    Bytes body;
    body.reserve(6);
    AppendLittleEndian(body, status, 2);
    AppendLittleEndian(body, detail, 4);
    return Frame(command, body);
}

// The unit of an access code; 0 for a code the firmware does not know.
std::size_t UnitSize(std::uint16_t accessCode) {
    switch (accessCode) {
    case access::kByte:
        return 1;
    case access::kWord:
        return 2;
    case access::kAddress:
    case access::kFill3:
        return 3;
    case access::kLong:
        return 4;
    case access::kDouble:
        return 8;
    default:
        return 0;
    }
}

// Multi-byte units travel most significant byte first and lie in memory
// least significant byte first; byte and 3-byte fill units go as they stand.
void ReverseUnits(std::uint8_t* bytes, std::size_t count, std::uint16_t accessCode) {
    const std::size_t unit = UnitSize(accessCode);
    if (unit < 2 || accessCode == access::kFill3) {
        return;
    }
    for (std::size_t start = 0; start + unit <= count; start += unit) {
        std::reverse(bytes + start, bytes + start + unit);
    }
}

// Address errors report the first address past the target's top.
std::optional<std::uint32_t> OutsideTarget(std::uint32_t address, std::size_t count, std::uint32_t top) {
    const std::uint64_t last = static_cast<std::uint64_t>(address) + count - 1;
    if (last <= top) {
        return std::nullopt;
    }
    return address > top ? address : top + 1;
}

}  // namespace

void Firmware::Start(const FirmwareIdentity& identity) {
    identity_ = identity;
    registers_.fill(0);  // the target CPU comes out of its reset
    running_ = false;
    handedToWriter_ = false;
    stopWord_ = 0;
    stopStatus_ = 0;
    stopChannels_ = 0;
    events_.Reset();
}

void Firmware::Stop() {
    running_ = false;
    handedToWriter_ = false;
}

std::optional<Bytes> Firmware::Handle(const std::uint8_t* frame, std::size_t length, TargetMemory& memory,
                                      std::uint32_t protocolType, Faults& faults) {
    if (handedToWriter_) {
        return std::nullopt;  // the flash writer has the target until 'F'
    }
    const std::uint8_t command = frame[3];
    if (faults.TakeTargetReset()) {
        ResetCpu(memory);
        StopWith(word::kTargetReset, false, memory, protocolType);
        if (command == firm_cmd::kGo) {
            return std::nullopt;
        }
        return command == firm_cmd::kRunState ? RunState() : StatusReply(command, word::kTargetReset);
    }
    const bool plain = length == kPlainRequest && frame[6] == kPad;
    switch (command) {
    case firm_cmd::kVersion:
        if (plain) {
            Bytes body;
            AppendLittleEndian(body, 0, 2);
            body.insert(body.end(), identity_.versionText.begin(), identity_.versionText.end());
            AppendLittleEndian(body, identity_.versionValue, 2);
            return Frame(command, body);
        }
        break;
    case firm_cmd::kReadMemory:
        return ReadMemory(frame, length, memory);
    case firm_cmd::kWriteMemory:
        return WriteMemory(frame, length, memory, faults);
    case firm_cmd::kFlashStep:
        if (plain && !running_) {
            handedToWriter_ = true;
            LoadWriter(memory);
            return StatusReply(command, word::kFlashGoOn);
        }
        break;
    case firm_cmd::kGo:
        if (length == kGoRequest) {
            Go(frame, memory, protocolType);
            return std::nullopt;
        }
        break;
    case firm_cmd::kRunState:
        if (plain) {
            return RunState();
        }
        break;
    case firm_cmd::kFramePacket:
        return ApplyRegisterSettings(frame, length, memory);
    case firm_cmd::kReadRegisters:
        if (plain) {
            return RegisterFileReply();
        }
        break;
    case firm_cmd::kWriteRegisters:
        return WriteRegisters(frame, length, memory.device().addressMask);
    case firm_cmd::kReset:
        if (plain) {
            ResetCpu(memory);
            return StatusReply(command, 0);
        }
        break;
    default:
        if (command >= firm_cmd::kEventFirst && command <= firm_cmd::kEventLast) {
            return events_.Handle(frame, length, faults);
        }
        break;
    }
    return StatusReply(command, word::kNoSuchRequest);
}

void Firmware::LoadWriter(TargetMemory& memory) {
    // The flash writer runs from RAM: its code and buffers take the kilobyte
    // from the bottom of RAM, its stack the lowest bytes of the firmware's
    // RAM. What the user kept there is overwritten until the host puts it
    // back.
    const Device& device = memory.device();
    const auto fill = [&memory](std::uint32_t top, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) {
            memory.Write(top + i, static_cast<std::uint8_t>((top + i) ^ kWriterPattern));
        }
    };
    fill(device.ram.top, kWriterCodeBytes);
    fill(device.firmwareRam.top, kWriterStackBytes);
}

Bytes Firmware::ReadMemory(const std::uint8_t* frame, std::size_t length, const TargetMemory& memory) const {
    const std::uint8_t command = frame[3];
    if (length != kReadRequest || frame[14] != kPad) {
        return StatusReply(command, word::kNoSuchRequest);
    }
    const std::uint32_t address = ReadLittleEndian32(frame + 6);
    const std::size_t count = ReadLittleEndian16(frame + 10);
    const std::uint16_t accessCode = ReadLittleEndian16(frame + 12);
    if (count == 0 || count > kMaxMemoryCount || UnitSize(accessCode) == 0) {
        return StatusReply(command, word::kNoSuchRequest);
    }
    if (auto outside = OutsideTarget(address, count, memory.device().topAddress)) {
        return StatusReply(command, word::kOutsideArea, *outside);
    }
    Bytes body;
    AppendLittleEndian(body, 0, 2);
    AppendLittleEndian(body, 0, 4);
    for (std::size_t i = 0; i < count; ++i) {
        body.push_back(memory.Read(address + static_cast<std::uint32_t>(i)));
    }
    ReverseUnits(body.data() + 6, count, accessCode);
    return Frame(command, body);
}

Bytes Firmware::WriteMemory(const std::uint8_t* frame, std::size_t length, TargetMemory& memory,
                            Faults& faults) const {
    const std::uint8_t command = frame[3];
    if (length < 18) {
        return StatusReply(command, word::kNoSuchRequest);
    }
    const std::uint32_t address = ReadLittleEndian32(frame + 6);
    const std::uint16_t accessCode = ReadLittleEndian16(frame + 10);
    const std::size_t count = ReadLittleEndian16(frame + 12);
    const std::uint16_t verify = ReadLittleEndian16(frame + 14);
    // The data is padded to an even length; the trailer follows it.
    const std::size_t trailer = 16 + count + (count & 1);
    if (count == 0 || count > kMaxMemoryCount || UnitSize(accessCode) == 0 || verify > 1 ||
        length != trailer + 2 || frame[trailer] != kPad) {
        return StatusReply(command, word::kNoSuchRequest);
    }
    if (auto outside = OutsideTarget(address, count, memory.device().topAddress)) {
        return StatusReply(command, word::kOutsideArea, *outside);
    }
    Bytes data(frame + 16, frame + 16 + count);
    ReverseUnits(data.data(), count, accessCode);
    for (std::size_t i = 0; i < count; ++i) {
        memory.Write(address + static_cast<std::uint32_t>(i), data[i]);
    }
    if (verify == 1) {
        if (const auto failing = faults.TakeVerify()) {
            if (*failing == 0 || *failing > count) {
                return StatusReply(command, word::kVerifyError, address);
            }
            const auto at = address + *failing - 1;
            memory.Write(at, static_cast<std::uint8_t>(~data[*failing - 1]));
        }
        for (std::size_t i = 0; i < count; ++i) {
            const auto at = address + static_cast<std::uint32_t>(i);
            if (memory.Read(at) != data[i]) {
                return StatusReply(command, word::kVerifyError, at);
            }
        }
    }
    return StatusReply(command, 0);
}

Bytes Firmware::RegisterFileReply() const {
    Bytes body;
    AppendLittleEndian(body, 0, 2);
    for (std::size_t i = 0; i < kRegisterCount; ++i) {
        AppendLittleEndian(body, registers_[i], kRegisterWidths[i]);
    }
    return Frame(firm_cmd::kReadRegisters, body);
}

Bytes Firmware::WriteRegisters(const std::uint8_t* frame, std::size_t length, std::uint32_t addressMask) {
    const std::uint8_t command = frame[3];
    if (length != kRegisterRequest || frame[length - 2] != kPad) {
        return StatusReply(command, word::kNoSuchRequest);
    }
    const std::uint8_t* field = frame + 6;
    for (std::size_t i = 0; i < kRegisterCount; ++i) {
        registers_[i] = kRegisterWidths[i] == 3 ? ReadLittleEndian24(field) : ReadLittleEndian16(field);
        field += kRegisterWidths[i];
    }
    MaskRegisters(registers_, addressMask);
    return StatusReply(command, 0);
}

void Firmware::Go(const std::uint8_t* frame, TargetMemory& memory, std::uint32_t protocolType) {
    if (running_) {
        return;
    }
    const std::uint8_t mode = frame[6];
    singleStep_ = (mode & kGoSingleStep) != 0;
    // Protocol type 0 carries its two break channels in the request itself.
    goChannels_[0] = {protocolType == 0 && (mode & kGoChannel0) != 0, ReadLittleEndian32(frame + 7)};
    goChannels_[1] = {protocolType == 0 && (mode & kGoChannel1) != 0, ReadLittleEndian32(frame + 11)};
    events_.OnGo();
    running_ = true;
    firstInstruction_ = true;
    stopWord_ = 0;
    stopStatus_ = 0;
    stopChannels_ = 0;
    Execute(budget_, memory, protocolType);
}

Bytes Firmware::ApplyRegisterSettings(const std::uint8_t* frame, std::size_t length, TargetMemory& memory) const {
    const std::uint8_t command = frame[3];
    auto reply = [&](std::uint16_t status) {
        Bytes body;
        AppendBigEndian16(body, status);
        return Frame(command, body);
    };
    if (length < 8 || (length - 8) % kPacketItem != 0 || frame[6] != kPacketRegisterSettings) {
        return reply(word::kNoSuchRequest);
    }
    const std::size_t items = (length - 8) / kPacketItem;
    for (std::size_t i = 0; i < items; ++i) {
        const std::uint8_t* item = frame + 7 + i * kPacketItem;
        if (item[4] != 0x20 || item[5] != 'B') {
            return reply(word::kNoSuchRequest);
        }
    }
    // Each item: the bits the firmware sets and the bits it clears in one
    // register byte.
    for (std::size_t i = 0; i < items; ++i) {
        const std::uint8_t* item = frame + 7 + i * kPacketItem;
        const std::uint32_t address = ReadLittleEndian32(item);
        const auto set = static_cast<std::uint8_t>(ReadLittleEndian16(item + 6));
        const auto clear = static_cast<std::uint8_t>(ReadLittleEndian16(item + 8));
        memory.Write(address, static_cast<std::uint8_t>((memory.Read(address) & ~clear) | set));
    }
    return reply(0);
}

Bytes Firmware::RunState() const {
    using Layout = StopBlockLayout;
    Bytes block(Layout::kSize, 0);
    WriteBigEndian16(&block[0], Layout::kSize - 2);
    block[2] = kFirmwareMarker;
    block[3] = firm_cmd::kRunState;
    WriteBigEndian16(&block[4], Layout::kSize - 2);
    WriteLittleEndian(&block[Layout::kWord], running_ ? 0 : stopWord_, 2);
    WriteLittleEndian(&block[Layout::kPc], registers_[reg::kPc], 3);
    WriteLittleEndian(&block[Layout::kStatus], stopStatus_, 2);
    block[Layout::kChannels] = static_cast<std::uint8_t>(stopChannels_);
    WriteLittleEndian(&block[Layout::kFlags], registers_[reg::kFlg], 2);
    block[Layout::kTrailer] = kPad;
    block[Layout::kTrailer + 1] = kFrameEnd;
    return block;
}

void Firmware::ResetCpu(TargetMemory& memory) {
    const bool endsRun = running_;
    running_ = false;
    registers_.fill(0);
    stopWord_ = 0;
    stopStatus_ = 0;
    stopChannels_ = 0;
    memory.ResetRegisters();
    events_.Reset();
    if (endsRun) {
        ReportResetEndedRun();
    }
}

void Firmware::ReportResetEndedRun() {
    stopWord_ = word::kTargetReset;
    stopStatus_ = 0;
    stopChannels_ = 0;
}

std::uint32_t Firmware::MatchingChannels(std::uint32_t pc, const TargetMemory& memory,
                                         std::uint32_t protocolType) const {
    std::uint32_t channels = 0;
    for (std::size_t n = 0; n < goChannels_.size(); ++n) {
        if (goChannels_[n].armed && (goChannels_[n].address & memory.device().addressMask) == pc) {
            channels |= 1u << n;
        }
    }
    // Protocol types 1 to 3 arm their channels in the address-match
    // registers; type 4 has none.
    if (protocolType >= 1 && protocolType <= 3) {
        const Device& device = memory.device();
        const std::uint8_t enable = memory.Read(device.breakEnableRegister);
        for (std::uint32_t n = 0; n < device.breakChannels; ++n) {
            if ((enable & (1u << n)) == 0) {
                continue;
            }
            const std::uint32_t at = device.breakAddressRegister + n * device.breakAddressStride;
            const std::uint32_t address = memory.Read(at) | (memory.Read(at + 1) << 8) |
                                          (static_cast<std::uint32_t>(memory.Read(at + 2)) << 16);
            if ((address & device.addressMask) == pc) {
                channels |= 1u << n;
            }
        }
        // Channels 2 and 3 of the hardware break type 1, with shorter
        // address registers.
        const std::uint8_t enable2 = device.breakEnableRegister2 != 0 ? memory.Read(device.breakEnableRegister2) : 0;
        for (std::uint32_t n = 0; n < 2; ++n) {
            if ((enable2 & (1u << n)) == 0) {
                continue;
            }
            const std::uint32_t at = device.breakAddressRegister2 + n * device.breakAddressStride;
            std::uint32_t address = 0;
            for (std::uint32_t i = 0; i < device.breakAddressWidth2; ++i) {
                address |= static_cast<std::uint32_t>(memory.Read(at + i)) << (8 * i);
            }
            if (address == pc) {
                channels |= 1u << (n + 2);
            }
        }
    }
    return channels;
}

void Firmware::Execute(std::uint32_t budget, TargetMemory& memory, std::uint32_t protocolType) {
    while (running_ && budget-- > 0) {
        const std::uint32_t pc = registers_[reg::kPc];
        // An armed channel stops the program before the instruction at its
        // address. On the first instruction of a go it lets that instruction
        // run and stops after it: a go from a break address steps off it.
        std::uint32_t startChannels = 0;
        if (firstInstruction_) {
            startChannels = MatchingChannels(pc, memory, protocolType);
        } else {
            const std::uint32_t channels = MatchingChannels(pc, memory, protocolType);
            if (channels != 0 || events_.AddressInterruptAt(pc)) {
                StopWith(word::kStopChannel, true, memory, protocolType, channels);
                return;
            }
        }
        firstInstruction_ = false;
        DataBreakWatch dataBreak(memory, events_);
        const InstructionOutcome outcome = ExecuteInstruction(registers_, memory, protocolType, &dataBreak);
        ++instructions_;
        if (outcome == InstructionOutcome::BreakInstruction) {
            StopWith(word::kStopBreakInstruction, true, memory, protocolType);
            return;
        }
        if (outcome == InstructionOutcome::Illegal) {
            // Protocol types 0 to 3 report the address after the opcode.
            if (protocolType != 4) {
                registers_[reg::kPc] = (pc + 1) & memory.device().addressMask;
            }
            StopWith(word::kStopIllegal, false, memory, protocolType);
            return;
        }
        if (auto stop = events_.TakeStop()) {
            StopWith(*stop, *stop == word::kStopEvent, memory, protocolType);
            return;
        }
        // The data break stops after the instruction whose access met it.
        if (dataBreak.Matched()) {
            StopWith(word::kStopChannel, true, memory, protocolType, kDataBreakChannel);
            return;
        }
        if (singleStep_) {
            StopWith(word::kStopStep, true, memory, protocolType);
            return;
        }
        if (startChannels != 0) {
            StopWith(word::kStopChannel, true, memory, protocolType, startChannels);
            return;
        }
    }
}

void Firmware::BreakKey(TargetMemory& memory, std::uint32_t protocolType) {
    if (running_) {
        StopWith(word::kStopBreakKey, false, memory, protocolType);
    }
}

void Firmware::StopByItself(std::uint16_t stopWord, TargetMemory& memory, std::uint32_t protocolType) {
    if (running_) {
        StopWith(stopWord, true, memory, protocolType);
    }
}

void Firmware::StopWith(std::uint16_t stopWord, bool byItself, TargetMemory& memory, std::uint32_t protocolType,
                        std::uint32_t channels) {
    running_ = false;
    stopWord_ = stopWord;
    stopStatus_ = byItself ? 1 : 0;
    stopChannels_ = channels;
    // The monitor disarms its channels after a stop only where the chip
    // needs it; here every stop clears the enable register, so a channel
    // armed for one run never stops a later one.
    if (protocolType >= 1 && protocolType <= 3) {
        const Device& device = memory.device();
        memory.Write(device.breakEnableRegister, 0);
        if (device.breakEnableRegister2 != 0) {
            memory.Write(device.breakEnableRegister2, 0);
            memory.Write(device.dataBreakControl, 0);
        }
    }
}

}  // namespace simemu
