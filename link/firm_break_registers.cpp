// The applied break channels into the chip's address-match and break
// registers before a go, into the go request itself (protocol type 0), or to
// the break-condition provider (the event-function firmware).
#include "config/break_channels.h"
#include "link/event_engine_hooks.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "config/device_data.h"
#include "config/target_config.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <string_view>

namespace {

using namespace link_result;

// The go request's bytes that the register accesses would overwrite.
constexpr std::size_t kGoRequestBytes = 16;
constexpr BYTE kExtraEnableBit = 0x80;
constexpr BYTE kGuardOn = 3;

// The device groups of the break-register step, by the start of the device
// name: the devices whose break registers 2 and 3 take 2-byte addresses; the
// devices that set the guard register around their channels; and those whose
// channels 2 to 5 need the extra enable bit.
constexpr std::string_view kTwoByteBreakDevices[] = {"VK31D16"};
constexpr std::string_view kGuardedDevices[] = {"VK34", "VK35A"};
constexpr std::string_view kExtraBitDevices[] = {"VK34"};

template <std::size_t N>
bool DeviceIn(const std::string_view (&prefixes)[N]) {
    const std::string_view name = g_deviceValues.deviceName;
    return std::any_of(std::begin(prefixes), std::end(prefixes),
                       [&](std::string_view prefix) { return name.starts_with(prefix); });
}

bool Counts(std::size_t channel) {
    return g_appliedBreakChannels[channel].IsAddressBreak();
}

// The data break's control byte: enabled, the address bits it ignores, the
// data compare, the accesses it watches.
BYTE DataBreakControl(const BreakChannelRecord& data) {
    BYTE control = 0x01;
    if (data.maskCode >= 1 && data.maskCode <= 3) {
        control = static_cast<BYTE>(control | (data.maskCode << 4));
    }
    if (data.dataKind != 0) {
        control |= 0x04;
    }
    return static_cast<BYTE>(control | (data.direction == 0    ? 0xC0
                                        : data.direction == 10 ? 0x40
                                        : data.direction == 11 ? 0x80
                                                               : 0x00));
}

// Keeps the go request while the register accesses reuse the request buffer.
class CKeptGoRequest {
public:
    CKeptGoRequest() { std::copy_n(g_firmRequestBuffer.begin(), kGoRequestBytes, m_kept.begin()); }
    ~CKeptGoRequest() { std::copy(m_kept.begin(), m_kept.end(), g_firmRequestBuffer.begin()); }
    CKeptGoRequest(const CKeptGoRequest&) = delete;
    CKeptGoRequest& operator=(const CKeptGoRequest&) = delete;

private:
    std::array<BYTE, kGoRequestBytes> m_kept{};
};

}  // namespace

std::atomic<bool> g_breakRegistersArmed{false};

bool SetsBreakGuardRegister() {
    return DeviceIn(kGuardedDevices);
}

WORD CFirmCommand::ReadRegisterByte(DWORD address, BYTE* value) {
    return ReadMemory(access_code::kByte, address, 1, value);
}

WORD CFirmCommand::WriteRegisterBytes(DWORD address, DWORD value, DWORD count) {
    for (DWORD i = 0; i < count; ++i) {
        g_firmWriteData[i] = static_cast<BYTE>(value >> (8 * i));
    }
    return WriteMemory(access_code::kByte, address, count, 0);
}

void CFirmCommand::ProgramBreakRegistersType0() {
    BYTE* go = m_request.data();
    for (std::size_t channel = 0; channel < 2; ++channel) {
        if (Counts(channel)) {
            go[6] = static_cast<BYTE>(go[6] | (1u << channel));
            PutWord32LowFirst(go + 7 + 4 * channel, g_appliedBreakChannels[channel].address);
        }
    }
}

WORD CFirmCommand::ProgramBreakRegistersType1() {
    const DeviceValues& device = g_deviceValues;
    CKeptGoRequest kept;
    const bool hwBreak = device.hwBreak == 1;
    const BYTE enable = static_cast<BYTE>((Counts(0) ? 0x01 : 0) | (Counts(1) ? 0x02 : 0));
    const BYTE enable2 = static_cast<BYTE>(hwBreak ? (Counts(2) ? 0x01 : 0) | (Counts(3) ? 0x02 : 0) : 0);
    const BreakChannelRecord& data = g_appliedBreakChannels[2];
    const bool dataBreak =
        hwBreak && data.enable != 0 && data.kind == kBreakKindDataAccess && g_appliedBreakChannels[3].enable == 0;
    const bool arms = enable != 0 || enable2 != 0 || dataBreak;
    // Enables an earlier launch wrote may still stand in the chip: they are
    // written again even where nothing is armed now.
    const bool stale = g_breakRegistersArmed;
    if (arms) {
        g_breakRegistersArmed = true;
    }
    // The first refused write ends the step: the run does not start on a
    // half-armed chip.
    WORD result = kOk;
    const auto write = [&](DWORD address, DWORD value, DWORD count) {
        result = WriteRegisterBytes(address, value, count);
        return result == kOk;
    };
    if ((enable != 0 || stale) && !write(device.aier[0].address, enable, 1)) {
        return result;
    }
    for (std::size_t channel = 0; channel < 2; ++channel) {
        if (Counts(channel) && !write(device.rmad[channel], g_appliedBreakChannels[channel].address, 3)) {
            return result;
        }
    }
    if (hwBreak) {
        const DWORD width = DeviceIn(kTwoByteBreakDevices) ? 2 : 3;
        if ((enable2 != 0 || stale) &&
            (!write(device.aier[2].address, enable2, 1) || !write(device.regAbrc, enable2 != 0 ? 1 : 0, 1))) {
            return result;
        }
        for (std::size_t channel = 2; channel < 4; ++channel) {
            if (Counts(channel) && !write(device.rmad[channel], g_appliedBreakChannels[channel].address, width)) {
                return result;
            }
        }
        if (dataBreak && (!write(device.regAbrc, DataBreakControl(data), 1) ||
                          !write(device.regBar, data.address, width) ||
                          (data.dataKind != 0 && !write(device.regBdr, data.dataValue, width)))) {
            return result;
        }
    }
    g_breakRegistersArmed = arms;
    return kOk;
}

WORD CFirmCommand::ProgramBreakRegistersType23() {
    const DeviceValues& device = g_deviceValues;
    const bool arms = std::any_of(g_appliedBreakChannels.begin(), g_appliedBreakChannels.end(),
                                  [](const BreakChannelRecord& channel) { return channel.enable != 0; });
    // Each channel's enable bit is added to what its register holds: enables
    // an earlier launch left standing are cleared first.
    if (g_breakRegistersArmed) {
        if (const WORD disarmed = DisarmBreakRegisters(); disarmed != kOk) {
            return disarmed;
        }
    }
    CKeptGoRequest kept;
    const bool guarded = SetsBreakGuardRegister() && arms;
    const bool extraBit = DeviceIn(kExtraBitDevices);
    if (arms) {
        g_breakRegistersArmed = true;
    }
    // The first refused access ends the step: the run does not start on a
    // half-armed chip.
    WORD result = kOk;
    const auto done = [&](WORD access) {
        result = access;
        return result == kOk;
    };
    if (guarded && !done(WriteRegisterBytes(kBreakGuardRegister, 3, 1))) {
        return result;
    }
    for (std::size_t channel = 0; channel < kBreakChannelCount; ++channel) {
        if (!Counts(channel)) {
            continue;
        }
        BYTE value = 0;
        if (extraBit && (channel == 4 || channel == 5)) {
            if (!done(ReadRegisterByte(device.aier[2].address, &value)) ||
                !done(WriteRegisterBytes(device.aier[2].address, value | kExtraEnableBit, 1))) {
                return result;
            }
        }
        value = 0;
        if (!done(ReadRegisterByte(device.aier[channel].address, &value))) {
            return result;
        }
        DWORD enable = value | device.aier[channel].mask;
        if (extraBit && (channel == 2 || channel == 3)) {
            enable |= kExtraEnableBit;
        }
        if (!done(WriteRegisterBytes(device.aier[channel].address, enable & 0xFF, 1)) ||
            !done(WriteRegisterBytes(device.rmad[channel], g_appliedBreakChannels[channel].address, 3))) {
            return result;
        }
    }
    if (guarded && !done(WriteRegisterBytes(kBreakGuardRegister, 0, 1))) {
        return result;
    }
    g_breakRegistersArmed = arms;
    return kOk;
}

WORD CFirmCommand::DisarmBreakRegisters() {
    const DeviceValues& device = g_deviceValues;
    CKeptGoRequest kept;
    WORD result = kOk;
    const auto write = [&](DWORD address, BYTE value) {
        result = WriteRegisterBytes(address, value, 1);
        return result == kOk;
    };
    if (device.hwBreak == 1) {
        for (const DWORD address : {device.aier[0].address, device.aier[2].address, device.regAbrc}) {
            if (!write(address, 0)) {
                return result;
            }
        }
    } else if (g_protocolType >= 2 && g_protocolType <= 4) {
        const bool guarded = SetsBreakGuardRegister();
        if (guarded && !write(kBreakGuardRegister, kGuardOn)) {
            return result;
        }
        const std::size_t channels = DeviceChannelCount();
        for (std::size_t n = 0; n < channels; ++n) {
            if (!write(device.aier[n].address, 0)) {
                return result;
            }
        }
        if (guarded && !write(kBreakGuardRegister, 0)) {
            return result;
        }
    } else if (g_protocolType == 0) {
        return WriteRegisterBytes(device.aier[0].address, 0, 1);
    } else {
        // Protocol type 1 without the data break: the firmware cleared the
        // enable register at the stop (TakeStopAsDisarm).
        return kOk;
    }
    g_breakRegistersArmed = false;
    return kOk;
}

void TakeStopAsDisarm() {
    if (g_protocolType == 1 && g_deviceValues.hwBreak != 1) {
        g_breakRegistersArmed = false;
    }
}

WORD CFirmCommand::ProgramBreakRegisters() {
    if (g_swtiSupported != 0) {
        return ApplyBreakChannels() != 0 ? kOk : kAborted;
    }
    if (GetEmulationMode() != 0 || g_protocolType == 0) {
        ProgramBreakRegistersType0();
        return kOk;
    }
    switch (g_protocolType) {
    case 1:
        return ProgramBreakRegistersType1();
    case 2:
    case 3:
        return ProgramBreakRegistersType23();
    default:
        return kOk;
    }
}

DWORD CFirmCommand::ApplyBreakChannels() {
    const bool suspendPending = g_suspendState.state == 1;
    if (GetEmulationMode() != 0 && !suspendPending) {
        return 1;
    }
    // The channels go to the event engine; without one there is nothing to
    // apply, and the go goes on.
    IEventEngineHooks* engine = GetEventEngineHooks();
    if (engine == nullptr) {
        return 1;
    }
    if (suspendPending) {
        engine->StartEvents(0);
    }
    const std::size_t count = DeviceChannelCount();
    for (std::size_t channel = 0; channel < count; ++channel) {
        const BreakChannelRecord& record = g_appliedBreakChannels[channel];
        if (!engine->SetAddressInterrupt(static_cast<DWORD>(channel), record.address,
                                         record.IsAddressBreak() ? 1 : 0)) {
            return 0;
        }
    }
    return 1;
}
