// Starting, resuming and resetting the target through the firmware, the
// suspend state, and the PC after a break.
#include "config/break_channels.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "link/instruction_length.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "link/flash_services.h"

#include "platform/clock.h"

#include <array>

namespace {

using namespace link_result;

constexpr std::size_t kPcIndex = 14;
constexpr std::size_t kRegisterCount = 20;
// The pause of a step over an interrupt return before the mask is lifted.
constexpr DWORD kInterruptStepPause = 100;
// The adapter's reset codes (its register 0x400020) by protocol type.
constexpr WORD kResetCodeType1 = 3;
constexpr WORD kResetCodeOthers = 4;
// With the event function and protocol type 2, the reset keeps this RAM.
constexpr DWORD kResetKeptAddress = 0x400;
constexpr DWORD kResetKeptCount = 80;
constexpr DWORD kMonitorAccessRefused = 0x80042001;

bool StepsWithTemporaryBreak(DWORD mode) {
    return mode == run_mode::kStep || (mode == run_mode::kStepOver && g_appliedBreakChannels[0].pcBefore == 1);
}

}  // namespace

WORD CFirmCommand::StartExecution(DWORD runMode) {
    g_runMode = runMode;
    g_startRunMode = runMode;
    g_haltHeld = 0;
    MonitorRunState& state = g_monitorRunState;
    state.statusWords.fill(0);
    state.goFlag = 1;
    if (g_deviceValues.traceFunction != 0) {
        state.traceWorkArea.fill(0);
    }
    const MonitorStartPair* start = nullptr;
    if (runMode == run_mode::kGo) {
        state.goFlag = 0;
        state.secondGoFlag = 0;
        start = &state.goRequest.goStart;
    } else if (runMode == run_mode::kStep || runMode == run_mode::kStepOver) {
        start = &state.stepStart;
    }
    if (start != nullptr && start->flag != 0) {
        g_registerImage[kPcIndex] = start->address;
    }
    const WORD result = LaunchTarget();
    if (result != kOk) {
        // The address a step over kept for its stop is no break for the
        // launch that comes next.
        static_cast<void>(ClearSuspendState());  // answers 0
        return result;
    }
    return ParseReply(firm_code::kGo);
}

WORD CFirmCommand::StepTarget(DWORD start, DWORD* target) {
    std::array<BYTE, 2> opcode{};
    if (const WORD read = ReadMemory(access_code::kByte, start, 2, opcode.data()); read != kOk) {
        return read;
    }
    const WORD length = GetInstructionLength(static_cast<WORD>((opcode[0] << 8) | opcode[1]));
    if (!IsPlainInstructionLength(length)) {
        // Where a jump, return or unknown instruction goes is not known here:
        // the step is refused rather than sent to a wrong address.
        return kAborted;
    }
    *target = (start + length) & g_deviceValues.maxAddr;
    return kOk;
}

WORD CFirmCommand::LaunchTarget() {
    const DWORD mode = g_runMode;
    const DWORD start = g_registerImage[kPcIndex];
    MonitorRunState& state = g_monitorRunState;
    if (mode != run_mode::kGo) {
        std::array<BYTE, 4> code{};
        if (const WORD read = ReadMemory(access_code::kByte, start, 4, code.data()); read != kOk) {
            return read;
        }
        state.instructionWords = {static_cast<WORD>((code[0] << 8) | code[1]),
                                  static_cast<WORD>((code[2] << 8) | code[3])};
    }
    state.launchAddress = start;
    g_launched = 1;
    if (g_suspendState.state == 1) {
        SetTemporaryBreak(g_suspendState.address);
        if (mode == run_mode::kStepOver) {
            g_runMode = run_mode::kGo;
        }
    } else if (g_protocolType == 4 && (StepsWithTemporaryBreak(mode) || state.stepOverInterrupt != 0)) {
        DWORD target = 0;
        if (const WORD stepped = StepTarget(start, &target); stepped != kOk) {
            return stepped;
        }
        SetTemporaryBreak(target);
    }
    if (g_linkStopByte != kLinkStopRequested) {
        if (const WORD vectors = CheckFirmwareVectors(); vectors != kOk) {
            return vectors;
        }
        if (const WORD written = WriteBackFlash(); written != kOk) {
            return written;
        }
        if (g_runMode == run_mode::kGo) {
            const std::span<const DWORD, kRegisterCount> registers(g_registerImage.data(), kRegisterCount);
            if (const WORD result = WriteRegisterFile(registers); result != kOk) {
                return result;
            }
        }
    }
    if (state.stepOverInterrupt != 0) {
        MonitorMaskInterruptForStep(true, start);
        const DWORD saved = g_runMode;
        g_runMode = run_mode::kStep;
        BuildRequest(firm_code::kGo);
        const WORD sent = Transfer(firm_code::kGo);
        if (sent == kOk) {
            g_runMode = saved;
        }
        Sleep(kInterruptStepPause);
        MonitorMaskInterruptForStep(false, start);
        return sent;
    }
    BuildRequest(firm_code::kGo);
    const bool program = g_protocolType != 4 ? (m_request[6] & 0x04) == 0 : !StepsWithTemporaryBreak(g_runMode);
    // A refused access leaves the chip half-armed: the run does not start.
    if (program) {
        if (const WORD breaks = ProgramBreakRegisters(); breaks != kOk) {
            return breaks;
        }
    }
    MonitorSetRunning(2);
    return Transfer(firm_code::kGo);
}

WORD CFirmCommand::Go() {
    BuildRequest(firm_code::kGo);
    if (const WORD breaks = ProgramBreakRegisters(); breaks != kOk) {
        return breaks;
    }
    return Transfer(firm_code::kGo);
}

void CFirmCommand::AdjustPcAfterBreak() {
    const DWORD pc = g_registerImage[kPcIndex];
    for (const DWORD back : {DWORD{1}, DWORD{2}}) {
        for (const BreakChannelRecord& channel : g_appliedBreakChannels) {
            // Only the channels that were armed can have stopped the program.
            if (channel.IsAddressBreak() && channel.address == pc - back) {
                g_registerImage[kPcIndex] = pc - back;
                return;
            }
        }
    }
}

DWORD CFirmCommand::ResetTarget() {
    DWORD result = kOk;
    if (g_swtiSupported == 0) {
        if (g_protocolType == 0) {
            result = Request(firm_code::kReset);
        } else if (m_link == nullptr) {
            result = kTimeout;
        } else {
            result = m_link->WriteAdapterRegister20(g_protocolType == 1 ? kResetCodeType1 : kResetCodeOthers);
            // The register write succeeds whatever the target does: without
            // power nothing was reset.
            if (result == kOk) {
                result = m_link->CheckTargetPower();
            }
        }
    } else if (g_protocolType == 2) {
        // The firmware's reset clears RAM the event function keeps there.
        std::array<BYTE, kResetKeptCount> kept{};
        m_access = access_code::kByte;
        m_address = kResetKeptAddress;
        m_count = kResetKeptCount;
        m_data = kept.data();
        result = Request(firm_code::kReadMemory);
        if (result == kOk) {
            result = Request(firm_code::kReset);
        }
        if (result == kOk) {
            m_address = kResetKeptAddress;
            m_count = kResetKeptCount;
            m_verify = 0;
            m_data = kept.data();
            result = Request(firm_code::kWriteMemory);
        }
    } else {
        result = Request(firm_code::kReset);
    }
    if (g_monitorAccess.OpenMonitorAccess() != 0) {
        result = kMonitorAccessRefused;
    }
    return result;
}

WORD CFirmCommand::SetSuspendState(DWORD value) {
    g_suspendState.state = value;
    g_suspendState.copy = value;
    return kOk;
}

WORD CFirmCommand::SaveByteForSuspend(DWORD address) {
    BYTE value = 0;
    const WORD result = ReadMemory(access_code::kByte, address, 1, &value);
    if (result == kOk) {
        g_suspendState.address = address;
        g_suspendState.byte = value;
        SetSuspendState(1);
    }
    return result;
}

WORD CFirmCommand::ClearSuspendState() {
    if (g_suspendState.state == 1) {
        SetSuspendState(0);
    }
    return kOk;
}

WORD CFirmCommand::UnsupportedRequest08(DWORD parameter) {
    m_value = parameter;
    return Request(firm_code::kUnsupported08);
}
