// The preparation of a run: the break-condition mode checked, the break
// bytes put into target memory, the byte at the go address put back so the
// first instruction can run, the break-condition channels applied, and the
// step helpers' channels and kept bytes.
#include "config/break_channels.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "link/instruction_length.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_run_base.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"

#include <array>
#include <cstring>

namespace {

constexpr WORD kStatusTlb = 0x5445;       // "TE"
constexpr WORD kStatusTargetReset = 0x5253;  // "RS"
constexpr DWORD kRunKindNoBreaks = 1;
constexpr DWORD kFirstBreakMode = 3;
constexpr DWORD kLastBreakMode = 9;
constexpr DWORD kStopModeAtGo = 1;
constexpr DWORD kStopModeAlways = 2;
constexpr DWORD kRunKindNeedsNoStopMode = 5;
constexpr DWORD kStepFirstBreakpoint = 0x1;
constexpr DWORD kStepFirstCondition = 0x2;
constexpr DWORD kRegisterPc = 28;
constexpr DWORD kRegisterFlg = 40;
constexpr DWORD kAddressCycleStep = 4;
constexpr DWORD kStepOptionOff = 2;
constexpr std::size_t kPcIndex = 14;

BreakChannelRecord PcChannel(DWORD address, DWORD cycle) {
    BreakChannelRecord channel{};
    channel.enable = 1;
    channel.kind = kBreakKindAddress;
    channel.address = address;
    channel.maskCode = cycle;
    channel.dataMask = 0xFFFFFFFF;
    channel.pcBefore = 1;
    return channel;
}

// The channel that stops a step at address.
BreakChannelRecord StepChannel(DWORD address) {
    BreakChannelRecord channel = PcChannel(address, kAddressCycleStep);
    channel.stepFlag = g_stepInterruptOption != 0 ? 0 : kStepOptionOff;
    return channel;
}

}  // namespace

WORD CMonitorRunBase::CheckBreakConditionMode() const {
    const GoRequestBlock& request = g_monitorRunState.goRequest;
    bool refused = request.stopMode != 0 && request.runKind == kRunKindNeedsNoStopMode;
    if (!refused && request.runKind >= kFirstBreakMode && request.runKind <= kLastBreakMode) {
        for (std::size_t channel = 1; channel < request.runKind; ++channel) {
            refused = refused || g_breakChannels[channel - 1].enable == 0;
        }
    }
    if (refused) {
        FormatMonitorError(monitor_message::kCannotUseMode);
        return monitor_message::kCannotUseMode;
    }
    return 0;
}

WORD CMonitorRunBase::PrepareExecution() {
    GoRequestBlock& request = g_monitorRunState.goRequest;
    const DWORD goAddress = request.goStart.address;
    if (request.runKind != kRunKindNoBreaks) {
        MarkBreakInstructions(true);
    }
    WORD status = InstallBreakInstructions();
    g_goBreakEntry = -1;
    if (status == 0 && g_linkStopByte == 0) {
        g_appliedBreakChannels = {};
        BreakQuery query{goAddress};
        if (FindBreakpoint(query) == break_result::kFound && request.runKind != kRunKindNoBreaks) {
            // The first instruction runs from the byte it replaced.
            request.stepFirst |= kStepFirstBreakpoint;
            g_goBreakEntry = query.entry;
            const MonitorBreakEntry& entry = g_monitorBreakTable[static_cast<std::size_t>(query.entry)];
            g_currentBreakKind = {entry.kind, entry.kindFlag, entry.kindValue};
            g_firmWriteData[0] = static_cast<BYTE>(entry.savedByte);
            status = CFirmCommand().WriteMemory(access_code::kByte, entry.address, 1, 1);
            if (const WORD code = MapMonitorStatus(status, 1); status != 0 && code != monitor_message::kNone) {
                FormatMonitorError(code);
            }
        }
    }
    if (status == 0 && request.runKind != kRunKindNoBreaks) {
        request.stepFirst |= MatchPcBreakConditions(goAddress);
    }
    if (status == 0) {
        const bool stopsAtGo = (request.stopMode == kStopModeAtGo && request.stopAddress == goAddress) ||
                               request.stopMode == kStopModeAlways;
        if (stopsAtGo && (request.optionFlag == 0 || QueryChipBreakState() == request.compareValue)) {
            request.stepFirst |= kStepFirstCondition;
        }
        ApplyBreakChannels(request);
        // Only a go request with its start address moves "PC": a request
        // whose start was cleared starts where the register image stands.
        if (request.goStart.flag != 0) {
            status = SetRegisterValue(kRegisterPc, goAddress);
        }
    }
    if (status == kStatusTlb || g_linkStopByte != 0) {
        static_cast<void>(RemoveBreakInstructions(-1));  // a byte that stays is its own message
    }
    return status;
}

void CMonitorRunBase::ApplyBreakChannels(const GoRequestBlock& request) {
    // The device's address-break channels, at most the table's eight.
    const std::size_t channels = DeviceChannelCount();
    if (request.runKind == kRunKindNoBreaks) {
        for (std::size_t n = 0; n < channels; ++n) {
            std::memset(&g_appliedBreakChannels[n], 0, kAppliedRecordBytes);
        }
    } else {
        CopyWorkingChannels(channels, kAppliedRecordBytes);
    }
    if (request.stopMode != 0) {
        // A byte that cannot be kept leaves no suspend pending: the stop
        // address is then simply not stopped at.
        static_cast<void>(CFirmCommand().SaveByteForSuspend(request.stopAddress));
    }
    if (request.stepFirst != 0) {
        if ((request.stepFirst & kStepFirstCondition) != 0) {
            for (BreakChannelRecord& applied : g_appliedBreakChannels) {
                if (applied.hit != 0) {
                    applied = BreakChannelRecord{};
                }
            }
            for (BreakChannelRecord& working : g_breakChannels) {
                working.hit = 0;
            }
        }
        g_appliedBreakChannels[0] = PcChannel(request.goStart.address, 0);
    }
    if (request.runKind >= kFirstBreakMode) {
        g_appliedBreakChannels[0].runCode = request.runKind;
    }
}

// Matches the register image's "PC", where the run starts: the go address
// once the preparation has set it, or the PC an emulated first instruction
// left.
WORD CMonitorRunBase::MatchPcBreakConditions(DWORD) {
    WORD result = 0;
    for (BreakChannelRecord& channel : g_breakChannels) {
        if (channel.enable == 0 || channel.pcBefore != 1) {
            continue;
        }
        const bool matches = channel.address == g_registerImage[kPcIndex];
        channel.hit = matches ? 1 : 0;
        result = matches ? break_result::kMatched : result;
    }
    return result;
}

WORD CMonitorRunBase::MatchAddressBreakConditions(DWORD address) {
    WORD result = 0;
    for (BreakChannelRecord& channel : g_breakChannels) {
        if (channel.enable == 0 || channel.pcBefore != 0) {
            continue;
        }
        const DWORD low = channel.address & ~channel.maskCode;
        const DWORD high = low | channel.maskCode;
        const bool holds = low <= address && address <= high;
        channel.hit = holds ? 1 : 0;
        result = holds ? break_result::kMatched : result;
    }
    return result;
}

WORD CMonitorRunBase::PrepareStepBreak(DWORD address, WORD length) {
    g_appliedBreakChannels = {};
    CFirmCommand command;
    static_cast<void>(command.ClearSuspendState());  // answers 0
    if (!IsPlainInstructionLength(length)) {
        g_appliedBreakChannels[0] = StepChannel(address);
    } else {
        // A byte that cannot be kept leaves no suspend pending, and the go
        // that follows meets the same failure.
        static_cast<void>(command.SaveByteForSuspend(address + length));
    }
    return 0;
}

WORD CMonitorRunBase::GetInstructionLengthAt(DWORD address) {
    std::array<BYTE, 2> opcode{};
    if (const WORD read = CFirmCommand().ReadMemory(access_code::kByte, address, 2, opcode.data()); read != 0) {
        return read;
    }
    return GetInstructionLength(static_cast<WORD>((opcode[0] << 8) | opcode[1]));
}

WORD CMonitorRunBase::PrepareStepOverBreak(DWORD address) {
    g_appliedBreakChannels[0].enable = 0;
    const WORD match = MatchAddressBreakConditions(address);
    if ((match & 0xFF00) == 0) {
        g_appliedBreakChannels = g_breakChannels;
    }
    g_appliedBreakChannels[0] = StepChannel(address);
    // A break byte left where the step starts goes: the instruction it
    // replaced runs. Only the break byte: the entry's byte is the one its
    // last go replaced, and the program under a breakpoint that no go has
    // put in (a download, a write) is newer than it.
    BreakQuery query{address};
    if (FindBreakpoint(query) == break_result::kFound) {
        const MonitorBreakEntry& entry = g_monitorBreakTable[static_cast<std::size_t>(query.entry)];
        BYTE current = 0;
        if (CFirmCommand().ReadMemory(access_code::kByte, address, 1, &current) == 0 && current == entry.breakByte) {
            g_firmWriteData[0] = static_cast<BYTE>(entry.savedByte);
            if (CFirmCommand().WriteMemory(access_code::kByte, address, 1, 1) == kStatusTargetReset) {
                return kStatusTargetReset;
            }
        }
    }
    return match;
}

WORD CMonitorRunBase::SetRegisterValue(DWORD number, DWORD value) {
    if (number == kRegisterPc) {
        value &= g_deviceValues.maxAddr;
    } else if (number == kRegisterFlg) {
        value &= 0xFF;
    }
    return CFirmCommand().SetRegister(number, &value);
}
