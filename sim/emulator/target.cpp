#include "sim/emulator/target.h"

#include "sim/emulator/status_reply.h"
#include "sim/emulator/wire_codes.h"

#include <algorithm>
#include <cstring>

namespace simemu {

namespace {

bool IsFirmwareFrame(const std::uint8_t* frame, std::size_t length) {
    return length >= 8 && frame[2] == kFirmwareMarker && ReadBigEndian16(frame + 4) == ReadBigEndian16(frame);
}

bool IsResync(const std::uint8_t* frame, std::size_t length) {
    return length >= sizeof(kResyncRequest) && std::memcmp(frame, kResyncRequest, sizeof(kResyncRequest)) == 0;
}

// The write-state query the flash writer answers while it holds the target:
// a raw block (the host's data block as it stands) that is neither a firmware
// request nor one of the writer's commands or program records, malformed.
bool IsWriteStateQuery(const std::uint8_t* frame, std::size_t length) {
    static constexpr std::uint8_t kWriterCodes[] = {adapter_code::kBoot,        adapter_code::kWrite,
                                                    adapter_code::kEndWrite,    adapter_code::kStartFirmware,
                                                    adapter_code::kReadRecord,  adapter_code::kErase,
                                                    adapter_code::kAcknowledge, adapter_code::kNegativeAcknowledge};
    // A raw block pads an even number of data bytes, so its count is even.
    const std::size_t count = length - 2;
    if (count < 2 || count % 2 != 0 || count == kProgramRecordCount || IsFirmwareFrame(frame, length)) {
        return false;
    }
    return std::find(std::begin(kWriterCodes), std::end(kWriterCodes), frame[2]) == std::end(kWriterCodes);
}

// The flash writer's answer to a write-state query while it holds the
// target for a write-back: byte 6 is the state, 2 = ready to erase and write.
Bytes WriteStateReply() {
    static constexpr std::uint8_t kState[] = {0x57, 0x53, 0x00, 0x00, 0x02};
    return DataReply(kState, sizeof(kState));
}

}  // namespace

Target::Target(const Device& device, std::uint32_t protocolType) : memory_(device), protocolType_(protocolType) {}

void Target::PowerOff() {
    mode_ = McuMode::Off;
    firmware_.Stop();
}

void Target::PowerOn(bool canary) {
    memory_.ClearVolatile(canary);
    ResetIntoBoot();
}

void Target::ResetIntoBoot() {
    mode_ = McuMode::Boot;
    boot_ = BootState{};
    writer_ = WriterState{};
    firmware_.Stop();
    memory_.ResetRegisters();
}

std::uint32_t Target::ResetVector() const {
    const std::uint32_t at = device().resetVector;
    const std::uint32_t mask = device().addressMask;
    return memory_.Read(at) | (memory_.Read((at + 1) & mask) << 8) |
           (static_cast<std::uint32_t>(memory_.Read((at + 2) & mask)) << 16);
}

void Target::ResetIntoRun() {
    const bool endsRun = mode_ == McuMode::Firmware && firmware_.Running();
    boot_ = BootState{};
    writer_ = WriterState{};
    memory_.ResetRegisters();
    StartAt(ResetVector());
    if (endsRun && mode_ == McuMode::Firmware) {
        firmware_.ReportResetEndedRun();
    }
}

void Target::StartAt(std::uint32_t address) {
    firmware_.Stop();
    if (auto identity = FindFirmwareEntry(memory_, address & device().addressMask)) {
        mode_ = McuMode::Firmware;
        firmware_.Start(*identity);
    } else {
        mode_ = McuMode::UserCode;
    }
}

void Target::Apply(const AdapterOutcome& outcome) {
    switch (outcome.start) {
    case StartKind::None:
        break;
    case StartKind::ResetVector:
        ResetIntoRun();
        break;
    case StartKind::Address:
        boot_ = BootState{};
        writer_ = WriterState{};
        StartAt(outcome.address);
        break;
    }
}

std::optional<Bytes> Target::HandleFrame(const std::uint8_t* frame, std::size_t length, Faults& faults,
                                         std::uint32_t idLockout) {
    if (mode_ == McuMode::Off || mode_ == McuMode::UserCode) {
        return std::nullopt;
    }
    if (IsResync(frame, length)) {
        if (mode_ != McuMode::Firmware || firmware_.HandedToWriter()) {
            return std::nullopt;
        }
        const std::uint8_t ready[] = {0x00, 0x08, kFirmwareMarker, firm_cmd::kResync, 0x00, 0x08,
                                      0x00, 0x00, kPad,            kFrameEnd};
        return Bytes(std::begin(ready), std::end(ready));
    }
    if (ReadBigEndian16(frame) + 2u != length || frame[length - 1] != kFrameEnd) {
        return NegativeAcknowledge();
    }
    if (mode_ == McuMode::Boot) {
        return HandleInBoot(frame, length, faults, idLockout);
    }
    if (firmware_.HandedToWriter()) {
        return HandleInWriter(frame, length, faults);
    }
    if (!IsFirmwareFrame(frame, length)) {
        return NegativeAcknowledge();
    }
    return firmware_.Handle(frame, length, memory_, protocolType_, faults);
}

std::optional<Bytes> Target::HandleInBoot(const std::uint8_t* frame, std::size_t length, Faults& faults,
                                          std::uint32_t idLockout) {
    AdapterContext adapter{memory_, protocolType_, faults, boot_, writer_, boot_.writerLoaded, true};
    if (auto outcome = HandleAdapterCommand(frame, length, adapter)) {
        Apply(*outcome);
        return outcome->reply;
    }
    if (IsFirmwareFrame(frame, length)) {
        return std::nullopt;  // the boot program knows no firmware requests
    }
    const bool relayed = IsRelayedFrame(frame, length);
    if (protocolType_ == 0) {
        // The type-0 adapter loops the firmware check back unchanged.
        if (relayed && frame[6] == boot_op::kFirmwareCheck) {
            return Bytes(frame, frame + length);
        }
        if (boot_.idVerified && !boot_.writerLoaded && !writer_.rawPending) {
            return AcceptRawBlock(frame, length, writer_);
        }
        return NegativeAcknowledge();
    }
    if (relayed) {
        BootContext context{memory_, protocolType_, faults, idLockout, boot_, flashBusyPolls_};
        return HandleRelayedCommand(frame, context);
    }
    return NegativeAcknowledge();
}

std::optional<Bytes> Target::HandleInWriter(const std::uint8_t* frame, std::size_t length, Faults& faults) {
    AdapterContext adapter{memory_, protocolType_, faults, boot_, writer_, true, false};
    if (auto outcome = HandleAdapterCommand(frame, length, adapter)) {
        // 'F' gives the target back to the firmware, when the flash still
        // holds it where 'F' points.
        if (outcome->start != StartKind::None) {
            const std::uint32_t entry = outcome->start == StartKind::Address ? outcome->address : ResetVector();
            if (FindFirmwareEntry(memory_, entry & device().addressMask)) {
                firmware_.ResumeFromWriter();
            } else {
                firmware_.Stop();
                mode_ = McuMode::UserCode;
            }
        }
        return outcome->reply;
    }
    if (IsWriteStateQuery(frame, length)) {
        return WriteStateReply();
    }
    // The writer refuses what it does not know, firmware requests included:
    // the firmware does not listen until 'F' gives the target back.
    return NegativeAcknowledge();
}

void Target::Run() {
    if (mode_ == McuMode::Firmware && firmware_.Running()) {
        firmware_.RunOn(memory_, protocolType_);
    }
}

bool Target::ProgramStopped() const {
    switch (mode_) {
    case McuMode::Boot:
        return true;
    case McuMode::Firmware:
        return !firmware_.Running();
    default:
        return false;
    }
}

void Target::InstallFirmware() {
    const Bytes image = BuildFirmwareImage();
    const std::uint32_t top = device().firmwareArea.top;
    for (std::size_t i = 0; i < image.size(); ++i) {
        memory_.Poke(top + static_cast<std::uint32_t>(i), image[i]);
    }
    const std::uint32_t entry = top + firmware_image::kResetEntry;
    for (std::uint32_t i = 0; i < 3; ++i) {
        memory_.Poke(device().resetVector + i, static_cast<std::uint8_t>(entry >> (8 * i)));
    }
    if (mode_ != McuMode::Off) {
        ResetIntoRun();
    }
}

}  // namespace simemu
