#include "sim/emulator/emulator_model.h"

#include "sim/emulator/status_reply.h"
#include "sim/emulator/wire_codes.h"

#include "platform/clock.h"

#include <algorithm>
#include <cstring>

namespace simemu {

namespace {

// Channels of the register entries: 2 counts 32-bit registers, 4 counts bytes.
constexpr std::uint16_t kRegisterChannel = 2;
constexpr std::uint16_t kByteChannel = 4;

// Register offsets and bits with a meaning of their own.
constexpr std::size_t kHandshake = 0x05;      // 0x400004 byte 1
constexpr std::uint8_t kHandshakeIn = 0x10;   // follows the handshake output
constexpr std::uint8_t kHandshakeOut = 0x20;
constexpr std::size_t kStatus = 0x08;         // 0x400008 byte 0
constexpr std::uint8_t kBreakPulse = 0x10;
constexpr std::uint8_t kProgramStopped = 0x20;
constexpr std::size_t kTargetLines = 0x09;    // 0x400008 byte 1
constexpr std::uint8_t kPowerDetected = 0x01;
constexpr std::uint8_t kDisconnected = 0x10;
constexpr std::size_t kResetControl = 0x20;   // 0x400020: value high byte, low byte, 0, 0
constexpr std::uint16_t kResetIntoBoot = 1;
constexpr std::uint16_t kResetIntoRun = 3;
// The CPU reset of protocol types 2 to 4; the others refuse it.
constexpr std::uint16_t kCpuReset = 4;

// Bytes of a register access: the count names registers on channel 2 and
// bytes on channel 4.
std::optional<std::size_t> RegisterSpan(std::uint16_t channel, std::uint8_t count) {
    std::size_t bytes = 0;
    if (channel == kRegisterChannel) {
        bytes = static_cast<std::size_t>(count) * 4;
    } else if (channel == kByteChannel) {
        bytes = count;
    } else {
        return std::nullopt;
    }
    if (bytes == 0) {
        return std::nullopt;
    }
    return bytes;
}

// Checks a register access and gives the offset and length of its bytes in
// the register file.
std::uint32_t CheckRegisterAccess(std::uint16_t channel, const void* buffer, std::uint32_t address,
                                  std::uint8_t count, std::size_t& first, std::size_t& bytes) {
    const auto span = RegisterSpan(channel, count);
    if (buffer == nullptr || !span) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    if (address < EmulatorModel::kRegisterBase ||
        address - EmulatorModel::kRegisterBase + *span > EmulatorModel::kRegisterBytes) {
        return Q3V_SIM_ADDRESS_OUT_OF_RANGE;
    }
    first = address - EmulatorModel::kRegisterBase;
    bytes = *span;
    return Q3V_SIM_OK;
}

// The largest value a fault takes: a status byte or a stop word for those
// that carry one.
std::uint32_t MostFaultValue(Fault fault) {
    switch (fault) {
    case Fault::StatusReply:
    case Fault::BareAcknowledge:
        return 0xFF;
    case Fault::BreakStop:
    case Fault::EventStatus:
        return 0xFFFF;
    default:
        return UINT32_MAX;
    }
}

}  // namespace

EmulatorModel::EmulatorModel() {
    NewTargetLocked();
}

void EmulatorModel::NewTargetLocked() {
    target_ = std::make_unique<Target>(*settings_.device, settings_.protocolType);
    target_->firmware().SetInstructionBudget(settings_.budget);
    target_->SetFlashBusyPolls(settings_.flashBusyPolls);
    powered_ = false;
    UpdatePowerLocked();
}

EmulatorModel& TheModel() {
    static EmulatorModel model;
    return model;
}

std::uint32_t EmulatorModel::SessionResultLocked() const {
    if (faults_.linkLost) {
        return Q3V_SIM_LINK_LOST;
    }
    return initialised_ && selected_ ? Q3V_SIM_OK : Q3V_SIM_NOT_INITIALISED;
}

std::uint32_t EmulatorModel::CompleteLocked(std::uint32_t result) {
    if (settings_.pendingPolls == 0) {
        return result;
    }
    pendingResult_ = result;
    pendingLeft_ = settings_.pendingPolls;
    return Q3V_SIM_PENDING;
}

std::uint32_t EmulatorModel::BeginCallLocked(CallKind kind) {
    CountCallLocked(kind);
    return SessionResultLocked();
}

std::uint32_t EmulatorModel::BeginRegisterCallLocked(std::uint16_t channel, const void* buffer, std::uint32_t address,
                                                     std::uint8_t count, std::size_t& first, std::size_t& bytes) {
    if (const std::uint32_t session = BeginCallLocked(CallKind::Other); session != Q3V_SIM_OK) {
        return session;
    }
    return CheckRegisterAccess(channel, buffer, address, count, first, bytes);
}

std::uint32_t EmulatorModel::BeginEmulatorMemoryCallLocked(std::uint16_t channel, const void* buffer,
                                                           std::uint8_t count) {
    if (const std::uint32_t session = BeginCallLocked(CallKind::Other); session != Q3V_SIM_OK) {
        return session;
    }
    return buffer == nullptr || channel != 1 || count == 0 ? Q3V_SIM_INVALID_PARAMETER : Q3V_SIM_OK;
}

template <typename Operation>
std::uint32_t EmulatorModel::AdapterProgramCall(Operation operation) {
    std::lock_guard lock(mutex_);
    const std::uint32_t session = SessionResultLocked();
    if (session == Q3V_SIM_OK) {
        operation();
    }
    return session;
}

const char* EmulatorModel::InterfaceList() {
    std::lock_guard lock(mutex_);
    return settings_.interfaces == 1 ? "SIMUSB" : "SIMUSB, SIMLAN";
}

std::uint32_t EmulatorModel::Initialise(const char* interfaceName, const char* const** channels) {
    // The channel lists by channel count, each ending with a null.
    static constexpr const char* kChannelLists[Settings::kMostChannels][Settings::kMostChannels + 1] = {
        {"SIM0", nullptr},
        {"SIM0", "SIM1", nullptr},
        {"SIM0", "SIM1", "SIM2", nullptr},
        {"SIM0", "SIM1", "SIM2", "SIM3", nullptr},
    };
    std::lock_guard lock(mutex_);
    if (interfaceName == nullptr || channels == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    if (faults_.TakeInitialise()) {
        return Q3V_SIM_LINK_LOST;
    }
    const bool known = std::strcmp(interfaceName, kInterfaceName) == 0 ||
                       (settings_.interfaces > 1 && std::strcmp(interfaceName, kSecondInterfaceName) == 0);
    if (!known) {
        return Q3V_SIM_UNKNOWN_INTERFACE;
    }
    *channels = kChannelLists[settings_.channels - 1];
    if (initialised_) {
        return Q3V_SIM_ALREADY_INITIALISED;
    }
    initialised_ = true;
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::Select(std::uint32_t index) {
    std::lock_guard lock(mutex_);
    if (!initialised_) {
        return Q3V_SIM_NOT_INITIALISED;
    }
    if (index >= settings_.channels) {
        return Q3V_SIM_NO_EMULATOR;
    }
    selected_ = true;
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::Terminate() {
    std::lock_guard lock(mutex_);
    initialised_ = false;
    selected_ = false;
    reply_.reset();
    pendingLeft_ = 0;
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::TestConfiguration() {
    std::lock_guard lock(mutex_);
    return initialised_ ? Q3V_SIM_OK : Q3V_SIM_NOT_INITIALISED;
}

const char* EmulatorModel::ConfigurationText() {
    std::lock_guard lock(mutex_);
    configurationText_ = settings_.Format();
    return configurationText_.c_str();
}

std::uint32_t EmulatorModel::SetDriverConfiguration(const char* text) {
    return ApplyText(text, Q3V_SIM_INVALID_PARAMETER, false);
}

std::uint32_t EmulatorModel::SetControllerConfiguration(const char* text) {
    return ApplyText(text, Q3V_SIM_INVALID_PARAMETER, true);
}

bool EmulatorModel::TargetPoweredLocked() const {
    return (settings_.boardPowered && !boardSupplyFailed_) || emulatorMemory_.SupplyOn();
}

void EmulatorModel::UpdatePowerLocked() {
    const bool powered = TargetPoweredLocked();
    if (powered == powered_) {
        return;
    }
    powered_ = powered;
    if (powered) {
        target_->PowerOn(settings_.canary);
    } else {
        target_->PowerOff();
    }
}

void EmulatorModel::RunTargetLocked() {
    target_->Run();
}

std::uint8_t EmulatorModel::RegisterByteLocked(std::size_t offset) const {
    std::uint8_t value = registers_[offset];
    switch (offset) {
    case kHandshake:
        value = static_cast<std::uint8_t>((value & ~kHandshakeIn) | ((value & kHandshakeOut) != 0 ? kHandshakeIn : 0));
        break;
    case kStatus:
        value = static_cast<std::uint8_t>((value & ~kProgramStopped) |
                                          (powered_ && target_->ProgramStopped() ? kProgramStopped : 0));
        break;
    case kTargetLines:
        value = static_cast<std::uint8_t>(value & ~(kPowerDetected | kDisconnected));
        value |= powered_ ? kPowerDetected : 0;
        value |= DisconnectedLocked() ? kDisconnected : 0;
        break;
    default:
        break;
    }
    return value;
}

void EmulatorModel::RegistersWrittenLocked(std::size_t first, std::size_t last, std::uint8_t oldBreakByte) {
    // The break line: a rising pulse bit stops a running program, unless
    // the target does not answer it or an injected stop of its own was
    // there first.
    if (first <= kStatus && kStatus <= last && (oldBreakByte & kBreakPulse) == 0 &&
        (registers_[kStatus] & kBreakPulse) != 0 && target_->firmware().Running() && !faults_.TakeNoBreak()) {
        if (const std::optional<std::uint16_t> ownStop = faults_.TakeBreakStop()) {
            target_->StopByItself(*ownStop);
        } else {
            target_->BreakKey();
        }
    }
    if (first <= kResetControl + 3 && kResetControl <= last && powered_) {
        const std::uint16_t value =
            static_cast<std::uint16_t>((registers_[kResetControl] << 8) | registers_[kResetControl + 1]);
        if (value == kResetIntoBoot) {
            target_->ResetIntoBoot();
        } else if (value == kResetIntoRun || value == kCpuReset) {
            target_->ResetIntoRun();
        }
    }
}

std::uint32_t EmulatorModel::WriteRegisters(std::uint16_t channel, const std::uint8_t* buffer, std::uint32_t address,
                                            std::uint8_t count) {
    std::lock_guard lock(mutex_);
    std::size_t first = 0;
    std::size_t bytes = 0;
    if (const std::uint32_t bad = BeginRegisterCallLocked(channel, buffer, address, count, first, bytes);
        bad != Q3V_SIM_OK) {
        return bad;
    }
    if (ResetCodeRefusedLocked(buffer, first, bytes)) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    RunTargetLocked();
    const std::uint8_t oldBreakByte = registers_[kStatus];
    std::copy(buffer, buffer + bytes, registers_.begin() + static_cast<std::ptrdiff_t>(first));
    RegistersWrittenLocked(first, first + bytes - 1, oldBreakByte);
    return Q3V_SIM_OK;
}

bool EmulatorModel::ResetCodeRefusedLocked(const std::uint8_t* buffer, std::size_t first, std::size_t bytes) const {
    if (first > kResetControl + 1 || first + bytes <= kResetControl) {
        return false;
    }
    // The value as the write leaves the register.
    std::array<std::uint8_t, 2> value{registers_[kResetControl], registers_[kResetControl + 1]};
    for (std::size_t i = 0; i < value.size(); ++i) {
        const std::size_t offset = kResetControl + i;
        if (offset >= first && offset < first + bytes) {
            value[i] = buffer[offset - first];
        }
    }
    const std::uint16_t code = static_cast<std::uint16_t>((value[0] << 8) | value[1]);
    return code == kCpuReset && target_->protocolType() <= 1;
}

std::uint32_t EmulatorModel::ReadRegisters(std::uint16_t channel, std::uint8_t* buffer, std::uint32_t address,
                                           std::uint8_t count) {
    std::lock_guard lock(mutex_);
    std::size_t first = 0;
    std::size_t bytes = 0;
    if (const std::uint32_t bad = BeginRegisterCallLocked(channel, buffer, address, count, first, bytes);
        bad != Q3V_SIM_OK) {
        return bad;
    }
    RunTargetLocked();
    for (std::size_t i = 0; i < bytes; ++i) {
        buffer[i] = RegisterByteLocked(first + i);
    }
    return CompleteLocked(Q3V_SIM_OK);
}

std::uint32_t EmulatorModel::Transmit(std::uint16_t count, const std::uint8_t* buffer) {
    std::lock_guard lock(mutex_);
    if (const std::uint32_t session = BeginCallLocked(CallKind::Frame); session != Q3V_SIM_OK) {
        return session;
    }
    if (buffer == nullptr || count < 2) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    if (count > kMaxTransfer) {
        return Q3V_SIM_FRAME_TOO_LONG;
    }
    log_.Add(FrameDirection::In, GetTickCount(), buffer, count);
    RunTargetLocked();
    reply_.reset();
    // Frames reach only a connected, powered target.
    if (DisconnectedLocked() || !powered_) {
        return Q3V_SIM_OK;
    }
    if (faults_.TakeBareAcknowledge(count > 2 ? buffer[2] : std::uint8_t{0})) {
        reply_ = Acknowledge();
        return Q3V_SIM_OK;
    }
    if (const auto status = faults_.TakeStatusReply()) {
        reply_ = StatusByteReply(*status);
        return Q3V_SIM_OK;
    }
    reply_ = target_->HandleFrame(buffer, count, faults_, settings_.idLockout);
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::Receive(std::uint8_t* buffer) {
    std::uint32_t waitMilliseconds = 0;
    Bytes reply;
    bool delivered = false;
    {
        std::lock_guard lock(mutex_);
        if (const std::uint32_t session = BeginCallLocked(CallKind::Frame); session != Q3V_SIM_OK) {
            return session;
        }
        if (buffer == nullptr) {
            return Q3V_SIM_INVALID_PARAMETER;
        }
        // A time-out too long to count in milliseconds waits the longest
        // finite time instead of forever.
        const std::uint32_t timeoutMilliseconds = static_cast<std::uint32_t>(
            std::min<std::uint64_t>(std::uint64_t{timeoutSeconds_} * 1000, INFINITE - 1));
        delivered = reply_ && !faults_.TakeReceiveTimeout();
        if (delivered) {
            if (const auto delay = faults_.TakeDelay()) {
                // A reply held back until the receive has given up is lost.
                delivered = *delay < timeoutMilliseconds;
                waitMilliseconds = delivered ? *delay : timeoutMilliseconds;
            }
        }
        if (delivered) {
            reply = std::move(*reply_);
            reply_.reset();
            faults_.ApplyToReply(reply);
        } else {
            reply_.reset();
            log_.Add(FrameDirection::Timeout, GetTickCount(), nullptr, 0);
            waitMilliseconds = timeoutMilliseconds;
        }
        if (delivered && waitMilliseconds == 0) {
            std::copy(reply.begin(), reply.end(), buffer);
            log_.Add(FrameDirection::Out, GetTickCount(), reply.data(), reply.size());
            return Q3V_SIM_OK;
        }
    }
    // The driver waits on the platform clock, without holding the model:
    // for a reply held back, or out its receive time-out.
    Sleep(waitMilliseconds);
    if (!delivered) {
        return Q3V_SIM_RECEIVE_TIMEOUT;
    }
    std::lock_guard lock(mutex_);
    std::copy(reply.begin(), reply.end(), buffer);
    log_.Add(FrameDirection::Out, GetTickCount(), reply.data(), reply.size());
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::Poll() {
    std::lock_guard lock(mutex_);
    if (pendingLeft_ == 0) {
        return Q3V_SIM_OK;
    }
    return --pendingLeft_ > 0 ? Q3V_SIM_PENDING : pendingResult_;
}

std::uint32_t EmulatorModel::WriteEmulatorMemory(std::uint16_t channel, const std::uint8_t* buffer,
                                                 std::uint32_t address, std::uint8_t count) {
    std::lock_guard lock(mutex_);
    if (const std::uint32_t bad = BeginEmulatorMemoryCallLocked(channel, buffer, count); bad != Q3V_SIM_OK) {
        return bad;
    }
    RunTargetLocked();
    std::uint32_t result = Q3V_SIM_OK;
    for (std::uint32_t i = 0; i < count && result == Q3V_SIM_OK; ++i) {
        switch (emulatorMemory_.Write(address + i, buffer[i])) {
        case EmulatorAccess::Done:
            break;
        case EmulatorAccess::OutOfRange:
            result = Q3V_SIM_ADDRESS_OUT_OF_RANGE;
            break;
        case EmulatorAccess::WriteProtected:
            result = Q3V_SIM_WRITE_PROTECTED;
            break;
        }
    }
    UpdatePowerLocked();
    return result;
}

std::uint32_t EmulatorModel::ReadEmulatorMemory(std::uint16_t channel, std::uint8_t* buffer, std::uint32_t address,
                                                std::uint8_t count) {
    std::lock_guard lock(mutex_);
    if (const std::uint32_t bad = BeginEmulatorMemoryCallLocked(channel, buffer, count); bad != Q3V_SIM_OK) {
        return bad;
    }
    RunTargetLocked();
    const std::uint32_t result = ReadEmulatorLocked(address, buffer, count);
    return result == Q3V_SIM_OK ? CompleteLocked(result) : result;
}

std::uint32_t EmulatorModel::SumCheck() {
    return AdapterProgramCall([&] { adapterProgram_.SumCheck(emulatorMemory_); });
}

std::uint32_t EmulatorModel::MonitorOpen() {
    return AdapterProgramCall([&] { adapterProgram_.MonitorOpen(emulatorMemory_); });
}

std::uint32_t EmulatorModel::ProgramDownload(std::uint32_t length, std::uint32_t start, std::uint32_t sum) {
    return AdapterProgramCall([&] { adapterProgram_.ProgramDownload(emulatorMemory_, length, start, sum); });
}

std::uint32_t EmulatorModel::PreEraseWrite(std::uint32_t mode) {
    return AdapterProgramCall([&] { adapterProgram_.PreEraseWriteErase(emulatorMemory_, mode, faults_); });
}

std::uint32_t EmulatorModel::AdapterProgramDownload(std::uint32_t address, std::uint32_t staging, std::uint32_t sum) {
    return AdapterProgramCall([&] { adapterProgram_.BlockDownload(emulatorMemory_, address, staging, sum, faults_); });
}

void EmulatorModel::Reset() {
    std::lock_guard lock(mutex_);
    registers_.fill(0);
    emulatorMemory_ = EmulatorMemory{};
    adapterProgram_ = AdapterProgram{};
    faults_.Clear();
    deferredFaults_.clear();
    boardSupplyFailed_ = false;
    connectorFault_ = false;
    reply_.reset();
    pendingLeft_ = 0;
    NewTargetLocked();
}

std::uint32_t EmulatorModel::Configure(const char* text) {
    return ApplyText(text, Q3V_SIM_BAD_CONFIGURATION, false);
}

std::uint32_t EmulatorModel::ApplyText(const char* text, std::uint32_t missing, bool pends) {
    std::lock_guard lock(mutex_);
    if (text == nullptr) {
        return missing;
    }
    const auto configuration = ParseConfiguration(text, settings_);
    const std::uint32_t result = configuration ? ApplyLocked(*configuration) : Q3V_SIM_BAD_CONFIGURATION;
    return pends ? CompleteLocked(result) : result;
}

std::uint32_t EmulatorModel::ApplyLocked(const Configuration& configuration) {
    const Settings old = settings_;
    settings_ = configuration.settings;
    if (settings_.device != old.device) {
        NewTargetLocked();
    } else if (settings_.protocolType != old.protocolType) {
        target_->SetProtocolType(settings_.protocolType);
        if (powered_) {
            target_->ResetIntoBoot();
        }
    }
    target_->firmware().SetInstructionBudget(settings_.budget);
    target_->SetFlashBusyPolls(settings_.flashBusyPolls);
    UpdatePowerLocked();
    if (configuration.idCode) {
        ProgramIdCodeLocked(configuration.idCode->data());
    }
    for (const FaultRequest& fault : configuration.faults) {
        InjectFaultLocked(fault.fault, fault.value, fault.count);
    }
    if (configuration.installFirmware) {
        target_->InstallFirmware();
    }
    return Q3V_SIM_OK;
}

std::string EmulatorModel::CurrentConfiguration() {
    std::lock_guard lock(mutex_);
    return settings_.Format();
}

void EmulatorModel::SetIdCode(const std::uint8_t* code) {
    std::lock_guard lock(mutex_);
    ProgramIdCodeLocked(code);
}

void EmulatorModel::ProgramIdCodeLocked(const std::uint8_t* code) {
    const auto addresses = IdCodeAddresses(target_->device(), settings_.protocolType);
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        target_->memory().Poke(addresses[i], code[i]);
    }
}

void EmulatorModel::ReadTarget(std::uint32_t address, std::uint8_t* buffer, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    for (std::uint32_t i = 0; i < count; ++i) {
        buffer[i] = target_->memory().Read(address + i);
    }
}

void EmulatorModel::WriteTarget(std::uint32_t address, const std::uint8_t* data, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    for (std::uint32_t i = 0; i < count; ++i) {
        target_->memory().Poke(address + i, data[i]);
    }
}

std::uint32_t EmulatorModel::ReadEmulator(std::uint32_t address, std::uint8_t* buffer, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    return ReadEmulatorLocked(address, buffer, count);
}

std::uint32_t EmulatorModel::ReadEmulatorLocked(std::uint32_t address, std::uint8_t* buffer, std::uint32_t count) {
    for (std::uint32_t i = 0; i < count; ++i) {
        if (emulatorMemory_.Read(address + i, buffer[i]) != EmulatorAccess::Done) {
            return Q3V_SIM_ADDRESS_OUT_OF_RANGE;
        }
    }
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::WriteEmulator(std::uint32_t address, const std::uint8_t* data, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    for (std::uint32_t i = 0; i < count; ++i) {
        std::uint8_t ignored = 0;
        if (emulatorMemory_.Read(address + i, ignored) != EmulatorAccess::Done) {
            return Q3V_SIM_ADDRESS_OUT_OF_RANGE;
        }
        emulatorMemory_.Poke(address + i, data[i]);
    }
    UpdatePowerLocked();
    return Q3V_SIM_OK;
}

void EmulatorModel::GetRegisters(std::uint32_t* values) {
    std::lock_guard lock(mutex_);
    const RegisterFile& registers = target_->firmware().Registers();
    std::copy(registers.begin(), registers.end(), values);
}

void EmulatorModel::SetRegisters(const std::uint32_t* values) {
    std::lock_guard lock(mutex_);
    RegisterFile& registers = target_->firmware().Registers();
    std::copy(values, values + registers.size(), registers.begin());
    MaskRegisters(registers, target_->device().addressMask);
}

Q3vSimStatus EmulatorModel::Status() {
    std::lock_guard lock(mutex_);
    Firmware& firmware = target_->firmware();
    Q3vSimStatus status{};
    status.mcuState = static_cast<DWORD>(target_->mode());
    status.running = target_->mode() == McuMode::Firmware && firmware.Running() ? 1 : 0;
    status.stopWord = firmware.StopWord();
    status.pc = firmware.Registers()[reg::kPc];
    status.protocolType = settings_.protocolType;
    status.idVerified = target_->boot().idVerified ? 1 : 0;
    status.lockedOut = target_->boot().lockedOut ? 1 : 0;
    status.writerLoaded = target_->boot().writerLoaded ? 1 : 0;
    status.targetPowered = powered_ ? 1 : 0;
    status.instructions = firmware.Instructions();
    return status;
}

void EmulatorModel::InstallFirmware() {
    std::lock_guard lock(mutex_);
    target_->InstallFirmware();
}

std::uint32_t EmulatorModel::InjectFault(std::uint32_t fault, std::uint32_t value, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    return InjectFaultLocked(fault, value, count);
}

std::uint32_t EmulatorModel::InjectFaultLocked(std::uint32_t fault, std::uint32_t value, std::uint32_t count) {
    if (value > MostFaultValue(static_cast<Fault>(fault))) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    switch (static_cast<Fault>(fault)) {
    case Fault::ReceiveTimeout:
        faults_.ArmReceiveTimeouts(count);
        break;
    case Fault::LinkLost:
        faults_.linkLost = value != 0;
        break;
    case Fault::Connector:
        connectorFault_ = value != 0;
        break;
    case Fault::NegativeAcknowledge:
        faults_.ArmStatusReplies(status_byte::kNegativeAcknowledge, count);
        break;
    case Fault::StatusReply:
        faults_.ArmStatusReplies(static_cast<std::uint8_t>(value), count);
        break;
    case Fault::Erase:
        faults_.ArmErases(count);
        break;
    case Fault::Program:
        faults_.ArmPrograms(count);
        break;
    case Fault::TargetReset:
        faults_.ArmTargetResets(count);
        break;
    case Fault::ShortReply:
        faults_.ArmShortReplies(value, count);
        break;
    case Fault::CorruptReply:
        faults_.ArmCorruptReplies(value, count);
        break;
    case Fault::Verify:
        faults_.ArmVerifies(value, count);
        break;
    case Fault::TargetPower:
        boardSupplyFailed_ = value == 0;
        UpdatePowerLocked();
        break;
    case Fault::BareAcknowledge:
        faults_.ArmBareAcknowledges(static_cast<std::uint8_t>(value), count);
        break;
    case Fault::Delay:
        faults_.ArmDelays(value, count);
        break;
    case Fault::FlashStuck:
        faults_.ArmFlashStuck(count);
        break;
    case Fault::Initialise:
        faults_.ArmInitialises(count);
        break;
    case Fault::BreakStop:
        faults_.ArmBreakStops(static_cast<std::uint16_t>(value), count);
        break;
    case Fault::NoBreak:
        faults_.ArmNoBreaks(count);
        break;
    case Fault::EventStatus:
        faults_.ArmEventStatus(static_cast<std::uint16_t>(value), count);
        break;
    case Fault::EventShortReply:
        faults_.ArmEventShortReplies(value, count);
        break;
    default:
        return Q3V_SIM_INVALID_PARAMETER;
    }
    return Q3V_SIM_OK;
}

std::uint32_t EmulatorModel::InjectFaultAfter(std::uint32_t calls, std::uint32_t fault, std::uint32_t value,
                                              std::uint32_t count) {
    std::lock_guard lock(mutex_);
    return DeferFaultLocked(true, calls, fault, value, count);
}

std::uint32_t EmulatorModel::InjectFaultAfterDriverCalls(std::uint32_t calls, std::uint32_t fault,
                                                         std::uint32_t value, std::uint32_t count) {
    std::lock_guard lock(mutex_);
    return DeferFaultLocked(false, calls, fault, value, count);
}

std::uint32_t EmulatorModel::DeferFaultLocked(bool framesOnly, std::uint32_t calls, std::uint32_t fault,
                                              std::uint32_t value, std::uint32_t count) {
    if (fault < static_cast<std::uint32_t>(Fault::ReceiveTimeout) ||
        fault > static_cast<std::uint32_t>(Fault::EventShortReply)) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    if (calls == 0) {
        return InjectFaultLocked(fault, value, count);
    }
    deferredFaults_.push_back({framesOnly, calls, fault, value, count});
    return Q3V_SIM_OK;
}

void EmulatorModel::CountCallLocked(CallKind kind) {
    for (auto it = deferredFaults_.begin(); it != deferredFaults_.end();) {
        if (it->framesOnly && kind != CallKind::Frame) {
            ++it;
            continue;
        }
        if (--it->callsLeft == 0) {
            static_cast<void>(InjectFaultLocked(it->fault, it->value, it->count));  // checked when deferred
            it = deferredFaults_.erase(it);
        } else {
            ++it;
        }
    }
}

void EmulatorModel::ClearFaults() {
    std::lock_guard lock(mutex_);
    faults_.Clear();
    deferredFaults_.clear();
    connectorFault_ = false;
    boardSupplyFailed_ = false;
    UpdatePowerLocked();
}

std::uint32_t EmulatorModel::FrameCount() {
    std::lock_guard lock(mutex_);
    return static_cast<std::uint32_t>(log_.Count());
}

std::uint32_t EmulatorModel::GetFrame(std::uint32_t index, Q3vSimFrameInfo* info, std::uint8_t* bytes,
                                      std::uint32_t size) {
    std::lock_guard lock(mutex_);
    const LoggedFrame* frame = log_.At(index);
    if (frame == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    if (info != nullptr) {
        info->direction = static_cast<DWORD>(frame->direction);
        info->length = static_cast<DWORD>(frame->bytes.size());
        info->ticks = frame->ticks;
        info->sequence = frame->sequence;
    }
    if (bytes != nullptr) {
        std::copy_n(frame->bytes.begin(), std::min<std::size_t>(size, frame->bytes.size()), bytes);
    }
    return Q3V_SIM_OK;
}

void EmulatorModel::ClearFrames() {
    std::lock_guard lock(mutex_);
    log_.Clear();
}

std::string EmulatorModel::FormatFrames(std::uint32_t last) {
    std::lock_guard lock(mutex_);
    return log_.Format(last);
}

}  // namespace simemu
