// The monitor engine's execution commands: the single step, the step over,
// the stop request, one register from the host, and the two guards around a
// step or go that the monitor cannot leave to the target: the instructions
// that load or store FLG or load INTB, carried out here, and the step over
// an interrupt return, which returns with the interrupts masked.
#include "link/emu_response.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "monitor/monitor_engine.h"
#include "monitor/monitor_messages.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"

#include <array>
#include <optional>
#include <span>

namespace {

using namespace link_result;

constexpr BYTE kExecMarker = 0x80;
constexpr std::size_t kRegisterFileWords = 20;
constexpr std::size_t kFlgIndex = 19;
constexpr std::size_t kUspIndex = 16;
constexpr std::size_t kIspIndex = 17;
// Register numbers of the register cache.
constexpr DWORD kRegisterR0 = 0;
constexpr DWORD kRegisterA0 = 8;
constexpr DWORD kRegisterA1 = 10;
constexpr DWORD kRegisterFb = 12;
constexpr DWORD kBank1 = 14;
constexpr DWORD kRegisterPc = 28;
constexpr DWORD kRegisterIntb = 31;
constexpr DWORD kRegisterSb = 38;
constexpr DWORD kRegisterFlg = 40;
constexpr DWORD kFlgBank1 = 0x10;
constexpr DWORD kFlgUserStack = 0x80;
constexpr DWORD kLoadedFlgMask = 0x70FF;
constexpr BYTE kInterruptEnable = 0x40;
constexpr BYTE kReit = 0xFB;
constexpr WORD kNotRun = 1;  // the emulator status word: not running

// The frame of every execution command: output from the start, the reply
// pending on every way out, the run-pending marker set.
class CExecutionFrame {
public:
    CExecutionFrame() {
        BeginMonitorCommand();
        g_linkHold = kExecMarker;
    }
    ~CExecutionFrame() { EndMonitorCommand(); }
    CExecutionFrame(const CExecutionFrame&) = delete;
    CExecutionFrame& operator=(const CExecutionFrame&) = delete;
};

bool StopRequested() {
    return g_linkStopByte != 0;
}

void SetRunStatus(WORD status) {
    if (g_emuResponse != nullptr) {
        g_emuResponse->SetRunStatus(status);
    }
}

std::span<DWORD, kRegisterFileWords> RegisterFile() {
    return std::span<DWORD, kRegisterFileWords>(g_registerImage.data(), kRegisterFileWords);
}

// The message of a failed command, when it has one.
void ReportFailure(WORD status) {
    const WORD code = MapMonitorStatus(status, 1);
    if (code != monitor_message::kNone) {
        FormatMonitorError(code);
    }
}

// An operand of the FLG instructions: a register of the selected bank, or
// two bytes of memory (low byte first) at a computed address.
struct FlgOperand {
    std::optional<DWORD> registerNumber;
    DWORD address = 0;
    DWORD length = 0;
};

// The operand that the low nibble of the second byte selects, with the
// instruction's length; bytes b2 and b3 carry displacements.
std::optional<FlgOperand> DecodeFlgOperand(CFirmCommand& command, DWORD bank, const std::array<BYTE, 8>& b) {
    const DWORD n = b[1] & 0x0F;
    const auto value = [&](DWORD number) -> std::optional<DWORD> {
        DWORD read = 0;
        if (command.GetRegister(number, &read) != kOk) {
            return std::nullopt;
        }
        return read;
    };
    FlgOperand operand;
    if (n <= 5) {
        operand.registerNumber = bank + kRegisterR0 + 2 * n;
        operand.length = 2;
        return operand;
    }
    const DWORD disp8 = b[2];
    const DWORD disp16 = static_cast<DWORD>(b[3]) * 256 + b[2];
    std::optional<DWORD> base;
    DWORD displacement = 0;
    switch (n) {
    case 6:
    case 7:
        base = value(bank + (n == 6 ? kRegisterA0 : kRegisterA1));
        operand.length = 2;
        break;
    case 8:
    case 9:
        base = value(bank + (n == 8 ? kRegisterA0 : kRegisterA1));
        displacement = disp8;
        operand.length = 3;
        break;
    case 10:
        base = value(kRegisterSb);
        displacement = disp8;
        operand.length = 3;
        break;
    case 11:
        base = value(bank + kRegisterFb);
        displacement = static_cast<DWORD>(static_cast<int>(static_cast<signed char>(b[2])));
        operand.length = 3;
        break;
    case 12:
    case 13:
        base = value(bank + (n == 12 ? kRegisterA0 : kRegisterA1));
        displacement = disp16;
        operand.length = 4;
        break;
    case 14:
        base = value(kRegisterSb);
        displacement = disp16;
        operand.length = 4;
        break;
    default:
        base = 0;
        displacement = disp16;
        operand.length = 4;
        break;
    }
    if (!base) {
        return std::nullopt;
    }
    operand.address = (*base + displacement) & 0xFFFF;
    return operand;
}

}  // namespace

WORD CMonitorEngine::StepOrGoEngine(DWORD address) {
    CFirmCommand command;
    const CExecutionFrame frame;
    if (StopRequested() || m_runUnit == nullptr) {
        return 0;
    }
    // A break condition that holds the address answers 2, no failure: only
    // a high byte refuses the step.
    if (const WORD prepared = m_runUnit->PrepareStepOverBreak(address); (prepared & 0xFF00) != 0) {
        return prepared;
    }
    if (const WORD written = command.WriteBackFlash(); written != kOk) {
        return written;
    }
    std::array<BYTE, 8> b{};
    if (const WORD read = command.ReadMemory(access_code::kByte, address, 8, b.data()); read != kOk) {
        return read;
    }
    if (const WORD written = command.WriteRegisterFile(RegisterFile()); written != kOk) {
        return written;
    }
    DWORD flg = 0;
    const auto bank = [&]() -> DWORD {
        static_cast<void>(command.GetRegister(kRegisterFlg, &flg));  // a known number: answers 0
        return (flg & kFlgBank1) != 0 ? kBank1 : 0;
    };
    // Each form leaves the new register values in the cache; the register
    // file then goes to the target and the instruction counts as run.
    const auto finish = [&](DWORD pc) -> WORD {
        if (const WORD set = m_runUnit->SetRegisterValue(kRegisterPc, pc); set != kOk) {
            return set;
        }
        const WORD written = command.WriteRegisterFile(RegisterFile());
        return written != kOk ? written : 1;
    };
    const bool loadFlg = b[0] == 0x7A && (b[1] & 0xF0) == 0xB0;
    const bool storeFlg = b[0] == 0x7B && (b[1] & 0xF0) == 0xB0;
    if (loadFlg || storeFlg) {
        const auto operand = DecodeFlgOperand(command, bank(), b);
        if (!operand) {
            return kAborted;
        }
        if (loadFlg) {
            DWORD source = 0;
            if (operand->registerNumber) {
                static_cast<void>(command.GetRegister(*operand->registerNumber, &source));  // a known number
            } else {
                std::array<BYTE, 2> bytes{};
                if (const WORD read = command.ReadMemory(access_code::kByte, operand->address, 2, bytes.data());
                    read != kOk) {
                    return read;
                }
                source = static_cast<DWORD>(bytes[1]) * 256 + bytes[0];
            }
            const DWORD loaded = source & kLoadedFlgMask;
            static_cast<void>(command.SetRegister(kRegisterFlg, &loaded));  // a known number
        } else if (operand->registerNumber) {
            static_cast<void>(command.SetRegister(*operand->registerNumber, &flg));  // a known number
        } else {
            g_firmWriteData[0] = static_cast<BYTE>(flg);
            g_firmWriteData[1] = static_cast<BYTE>(flg >> 8);
            if (const WORD written = command.WriteMemory(access_code::kByte, operand->address, 2, 0);
                written != kOk) {
                return written;
            }
        }
        return finish(address + operand->length);
    }
    if (b[0] == 0xEB && b[1] == 0x20 && b[3] == 0x00 && b[4] == 0xEB && b[5] == 0x10) {
        const DWORD intb = (b[2] & 0x0FU) * 65536 + static_cast<DWORD>(b[7]) * 256 + b[6];
        static_cast<void>(command.SetRegister(kRegisterIntb, &intb));  // a known number
        return finish(address + 8);
    }
    return 0;
}

WORD CMonitorEngine::MaskInterruptForReitStep(DWORD phase, DWORD pc) {
    CFirmCommand command;
    const CExecutionFrame frame;
    if (StopRequested()) {
        return 1;
    }
    std::array<BYTE, 8> code{};
    if (const WORD read = command.ReadMemory(access_code::kByte, pc, 8, code.data()); read != kOk) {
        return read;
    }
    if (code[0] != kReit) {
        return 0;
    }
    const bool empty = g_reitKeptStack == kNothingKept && g_reitKeptFlags == kNothingKept;
    const bool kept = g_reitKeptStack != kNothingKept && g_reitKeptFlags != kNothingKept;
    if (phase == 1) {
        if (!empty) {
            return 1;
        }
        if (const WORD written = command.WriteRegisterFile(RegisterFile()); written != kOk) {
            return written;
        }
        if (const WORD read = command.ReadRegisterFile(RegisterFile()); read != kOk) {
            return read;
        }
        const DWORD flg = g_registerImage[kFlgIndex];
        const DWORD stack = g_registerImage[(flg & kFlgUserStack) != 0 ? kUspIndex : kIspIndex];
        std::array<BYTE, 4> stacked{};
        if (const WORD read = command.ReadMemory(access_code::kByte, stack, 4, stacked.data()); read != kOk) {
            return read;
        }
        g_reitKeptStack = stack;
        g_reitKeptFlags = (stacked[3] & 0x7FU) * 256 + stacked[2];
        stacked[2] = static_cast<BYTE>(stacked[2] & ~kInterruptEnable);
        std::copy(stacked.begin(), stacked.end(), g_firmWriteData.begin());
        return command.WriteMemory(access_code::kByte, stack, 4, 0);
    }
    if (!kept) {
        return 1;
    }
    if (const WORD read = command.ReadRegisterFile(RegisterFile()); read != kOk) {
        return read;
    }
    const DWORD flags = g_reitKeptFlags & kLoadedFlgMask;
    static_cast<void>(command.SetRegister(kRegisterFlg, &flags));  // a known number
    if (const WORD written = command.WriteRegisterFile(RegisterFile()); written != kOk) {
        return written;
    }
    g_firmWriteData[0] = static_cast<BYTE>(g_reitKeptFlags);
    g_firmWriteData[1] = static_cast<BYTE>((g_reitKeptFlags >> 8) & 0x7F);
    if (const WORD written = command.WriteMemory(access_code::kByte, g_reitKeptStack + 2, 2, 0); written != kOk) {
        return written;
    }
    g_reitKeptStack = kNothingKept;
    g_reitKeptFlags = kNothingKept;
    return 0;
}

WORD CMonitorEngine::MonitorSingleStep() {
    CFirmCommand command;
    const CExecutionFrame frame;
    if (StopRequested() || m_runUnit == nullptr) {
        return 0;
    }
    WORD result = m_runUnit->PrepareStepOverBreak(g_stepRequest.stepAddress);
    if ((result & 0xFF00) == 0) {  // 2: a break condition holds the address
        SetRunStatus(CEmuResponse::kRunning);
        result = command.StartExecution(run_mode::kStep);
        if (result != kOk) {
            SetRunStatus(kNotRun);
        }
    }
    if (result != kOk && result != kTargetReset) {
        ReportFailure(result);
    }
    return result;
}

WORD CMonitorEngine::MonitorStepOver(DWORD address) {
    CFirmCommand command;
    const CExecutionFrame frame;
    if (StopRequested() || m_runUnit == nullptr) {
        return kAborted;
    }
    const WORD length = m_runUnit->GetInstructionLengthAt(address);
    if ((length & 0xFF00) != 0) {
        ReportFailure(length);
        return length;
    }
    static_cast<void>(m_runUnit->PrepareStepBreak(address, length));  // answers 0
    SetRunStatus(CEmuResponse::kRunning);
    const WORD result = command.StartExecution(run_mode::kStepOver);
    if (result != kOk) {
        SetRunStatus(kNotRun);
    }
    return result;
}

void CMonitorEngine::MonitorRequestStop() {
    if (g_emuResponse != nullptr && g_emuResponse->RunStatus() == CEmuResponse::kRunning) {
        g_linkBreakFlag = 1;
        g_linkStopByte = kLinkStopRequested;
        g_linkHold = 0;
    }
    g_targetSuspendRequest = 0;
    g_monitorOutputUsed = 0;
}

WORD CMonitorEngine::MonitorSetRegister(DWORD number, const BYTE* bytes) {
    BeginMonitorCommand();
    const DWORD value = (static_cast<DWORD>(bytes[0]) << 24) | (static_cast<DWORD>(bytes[1]) << 16) |
                        (static_cast<DWORD>(bytes[2]) << 8) | bytes[3];
    WORD code = 0;
    const WORD result = m_runUnit != nullptr ? m_runUnit->SetRegisterValue(number, value) : kAborted;
    if (result != kOk) {
        code = MapMonitorStatus(result, 1);
        if (code != 0 && code != monitor_message::kNone) {
            FormatMonitorError(code);
        }
    }
    EndMonitorCommand();
    return code;
}
