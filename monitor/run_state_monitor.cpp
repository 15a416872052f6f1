#include "monitor/run_state_monitor.h"

#include "config/break_channels.h"
#include "link/emu_response.h"
#include "link/emulator_link.h"
#include "link/event_engine_hooks.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/host_reports.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "monitor/flash_mode.h"
#include "monitor/halt_control.h"
#include "link/instruction_length.h"
#include "monitor/instruction_text.h"
#include "link/monitor_data.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "monitor/trace_handler.h"
#include "config/device_data.h"
#include "util/service_slot.h"

#include "platform/clock.h"

#include <algorithm>
#include <bit>
#include <span>
#include <utility>

std::unique_ptr<CRunStateMonitor> g_runStateMonitor;

namespace {

using namespace link_result;

// Stop words, as the firmware reply carries them (low byte first).
constexpr WORD kStopChannel = 0x4248;      // "BH"
constexpr WORD kStopBreakByte = 0x4249;    // "BI"
constexpr WORD kStopBreakKey = 0x424B;     // "BK"
constexpr WORD kStopStep = 0x4253;         // "BS"
constexpr WORD kStopIllegal = 0x494C;      // "IL"
constexpr WORD kStopReset = 0x5253;        // "RS"
constexpr WORD kStopEvent = 0x4556;        // "EV"
constexpr WORD kStopTraceFull = 0x5446;    // "TF"
constexpr WORD kStopWords[] = {kStopChannel, kStopBreakByte, kStopBreakKey, kStopStep,
                               kStopIllegal, kStopReset,     kStopEvent,    kStopTraceFull};
// The stop block in the firmware reply buffer.
constexpr std::size_t kStopWordAt = 6;
constexpr std::size_t kStopStatusAt = 12;
constexpr WORD kStoppedByItself = 0x0001;

constexpr std::string_view kLabels[] = {"PC= ", "SR= ", "\r\n: "};
constexpr std::string_view kEventBreak = " +++:EVENT BREAK\r\n";
constexpr std::string_view kTraceFullBreak = " +++:TRACE FULL BREAK\r\n";
constexpr const char kFlashReading[] = " Flash memory reading ... ";
constexpr const char kFlashReadEnd[] = " Flash memory read end ";

constexpr std::size_t kPcIndex = 14;
constexpr std::size_t kIntbIndex = 15;
constexpr std::size_t kRegisterFileWords = 20;
constexpr DWORD kRunKindNoBreaks = 1;
constexpr DWORD kRunKindStopCondition = 3;
constexpr DWORD kRunKindAfterCondition = 4;
constexpr DWORD kGoOptionRepeat = 0x3;
constexpr DWORD kGoOptionBreakpoint = 0x1;
constexpr BYTE kExecMarker = 0x80;
constexpr WORD kNotRun = 1;
constexpr BYTE kCallGroupOpcode = 0x57;

// The flash synchronisation modes that read the flash after a stop and
// that write it back.
constexpr DWORD kFlashModePcToFlash = 1;
constexpr DWORD kFlashModeFlashToPc = 2;
constexpr DWORD kFlashModeBoth = 3;

ServiceSlot<StopAddressLookup> g_stopAddressLookup;

WORD StopWordAt(const std::array<BYTE, kFirmBufferSize>& reply) {
    return static_cast<WORD>(reply[kStopWordAt] | (reply[kStopWordAt + 1] << 8));
}

int FindStopAddress(DWORD address) {
    const StopAddressLookup lookup = g_stopAddressLookup.Get();
    return lookup ? lookup(address) : -1;
}

std::span<DWORD, kRegisterFileWords> RegisterFile() {
    return std::span<DWORD, kRegisterFileWords>(g_registerImage.data(), kRegisterFileWords);
}

DWORD Pc() {
    return g_registerImage[kPcIndex];
}

// The instruction the last start stepped, and whether it is a call.
WORD SteppedOpcode() {
    return g_monitorRunState.instructionWords[0];
}

bool IsCall(WORD opcode) {
    const WORD length = GetInstructionLength(opcode);
    return length == 2 || length == 4;
}

bool InStepRange(DWORD pc) {
    const auto [low, high] = std::minmax(g_stepRequest.rangeStart, g_stepRequest.rangeEnd);
    return pc >= low && pc <= high;
}

bool StopRequested() {
    return g_linkStopByte != 0;
}

// The engine's break kind set from an entry for one write and put back.
class CBreakKindScope {
public:
    explicit CBreakKindScope(const MonitorBreakEntry& entry) : m_saved(g_currentBreakKind) {
        g_currentBreakKind = {entry.kind, entry.kindFlag, entry.kindValue};
    }
    ~CBreakKindScope() { g_currentBreakKind = m_saved; }
    CBreakKindScope(const CBreakKindScope&) = delete;
    CBreakKindScope& operator=(const CBreakKindScope&) = delete;

private:
    BreakKindSetting m_saved;
};

WORD WriteByte(CFirmCommand& command, DWORD address, BYTE value) {
    g_firmWriteData[0] = value;
    return command.WriteMemory(access_code::kByte, address, 1, 0);
}

}  // namespace

struct CRunStateMonitor::StopBlock {
    WORD word = 0;
    WORD status = 0;
};

void SetStopAddressLookup(StopAddressLookup lookup) {
    g_stopAddressLookup.Set(std::move(lookup));
}

CRunStateMonitor::CRunStateMonitor() {
    UpdateMonitorServices([this](MonitorServices& services) {
        InstallOwned(services.isRunning, this, {[this] { return IsRunning() != 0; }});
        InstallOwned(services.setRunning, this, {[this](DWORD value) { SetRunning(value); }});
        InstallOwned(services.checkStopped, this, {[this](DWORD argument) { return CheckStopped(argument); }});
        InstallOwned(services.printStopCause, this,
                     {[this](DWORD cause) { PrintStopCause(static_cast<int>(cause)); }});
    });
}

CRunStateMonitor::~CRunStateMonitor() {
    UpdateMonitorServices([this](MonitorServices& services) {
        RemoveOwned(services.isRunning, this);
        RemoveOwned(services.setRunning, this);
        RemoveOwned(services.checkStopped, this);
        RemoveOwned(services.printStopCause, this);
    });
}

void CRunStateMonitor::SetRunning(DWORD value) {
    m_running = value != 0 ? 1 : 0;
    m_unreportedSince = 0;
    if (value == 0) {
        m_wentOn = false;  // the run has ended
    }
    if (value != 0) {
        // A new launch: no cause of an earlier stop stands for it.
        m_stopCauses.fill(stop_cause::kNone);
        std::copy_n(g_registerImage.begin(), m_launchRegisters.size(), m_launchRegisters.begin());
        m_launchResent = false;
    }
}

DWORD CRunStateMonitor::Reset() {
    m_running = 0;
    m_stopCauses.fill(stop_cause::kNone);
    return 0;
}

WORD CRunStateMonitor::CheckStopped(DWORD) {
    g_monitorOutputUsed = 0;
    CEmulatorLink* link = g_emulatorLink;
    WORD flag = 1;
    if (!m_replyKept) {
        flag = link != nullptr ? link->TestAdapterStatusFlag() : kTimeout;
        if (flag != 0 && flag != 1) {
            return flag;
        }
    }
    const bool userStop = g_linkStopByte == kLinkStopRequested && g_linkBreakFlag == 1;
    if (flag != 1 && !userStop) {
        m_unreportedSince = 0;
        return 0;
    }
    const bool suspended = g_haltControl != nullptr && g_haltControl->StoppedForAccess() != 0;
    DWORD polled = 1;
    bool unreported = false;
    if (!m_replyKept && !suspended && link != nullptr) {
        unreported = true;
        if (link->QueryRunState(0) == kOk) {
            g_stepRequest.callFlag = 0;
            const WORD word = StopWordAt(g_firmReplyBuffer);
            if (word != 0 && word != kNoSuchRequest) {
                unreported = false;
                if (g_monitorReplyState == 0) {
                    polled = Poll();
                } else {
                    std::copy_n(g_firmReplyBuffer.begin(), m_keptReply.size(), m_keptReply.begin());
                    m_replyKept = true;
                }
            }
        }
    } else if (m_replyKept && g_monitorReplyState == 0 && !suspended) {
        std::copy(m_keptReply.begin(), m_keptReply.end(), g_firmReplyBuffer.begin());
        m_replyKept = false;
        polled = Poll();
    }
    if (!unreported) {
        m_unreportedSince = 0;
    } else if (m_unreportedSince == 0) {
        m_unreportedSince = std::max<DWORD>(GetTickCount(), 1);
    }
    if (polled == 0) {
        g_monitorReplyState = kMonitorReplyPending;
        m_running = 0;
        if (g_emuResponse != nullptr) {
            g_emuResponse->SetRunStatus(kNotRun);
        }
    }
    return 0;
}

DWORD CRunStateMonitor::UnreportedStopFor(DWORD now) const {
    const DWORD since = m_unreportedSince;
    return since == 0 ? 0 : now - since;
}

DWORD CRunStateMonitor::Poll() {
    CFirmCommand command;
    m_stopCauses.fill(stop_cause::kNone);
    StopBlock stop;
    stop.word = StopWordAt(g_firmReplyBuffer);
    stop.status = static_cast<WORD>(g_firmReplyBuffer[kStopStatusAt] | (g_firmReplyBuffer[kStopStatusAt + 1] << 8));
    const bool known = std::find(std::begin(kStopWords), std::end(kStopWords), stop.word) != std::end(kStopWords);
    if (g_protocolType <= 1 && !known) {
        static_cast<void>(command.ClearSuspendState());  // answers 0
        PrintStopCause(stop_cause::kIllegalInstruction);
        AppendLabels();
        g_launched = 0;
        g_linkStopByte = 0;
        TakeBreakBytesOut();
        return 0;
    }
    if (g_deviceValues.traceFunction == 1) {
        // A single step's stop leaves no branches worth showing.
        SetTraceValidFlag(stop.word == kStopStep ? 0 : 1);
    }
    g_linkBreakFlag = 0;
    g_linkHold = kExecMarker;
    TakeStopAsDisarm();
    if (g_flashMode == kFlashModeFlashToPc || g_flashMode == kFlashModeBoth) {
        CHostProgressPost reading(kFlashReading);
        // A block that cannot be read stays as the mirror had it; the next
        // stop reads it again.
        static_cast<void>(command.RefreshFlashMirror());
        reading.Wait();
        CHostProgressPost readEnd(kFlashReadEnd);
    }
    const GoRequestBlock& request = g_monitorRunState.goRequest;
    const int entry = g_goBreakEntry;
    // The stop's registers are read once more when the first read fails (a
    // refused or lost reply), not when the target was reset meanwhile: its
    // registers are then the reset's. Run control learns whether they were
    // read.
    WORD registersRead = command.ReadRegisterFile(RegisterFile());
    if (registersRead != kOk && registersRead != kTargetReset) {
        registersRead = command.ReadRegisterFile(RegisterFile());
    }
    g_stopRegistersRead = registersRead == kOk;
    if (registersRead == kOk && (g_startRunMode != run_mode::kGo || m_wentOn) && g_launched != 0 &&
        !StopRequested() && !m_launchResent && RegistersAsLaunched()) {
        // The go request has no reply: one the emulator refused never ran,
        // and the run state still names the stop before it. A step whose
        // stop leaves every register as its launch wrote them is sent once
        // more: one refused runs now, and an instruction that keeps every
        // register (a jump to itself) runs again to the same state. So is a
        // go that went on after its step off: no break stands where it went
        // on from, so it stops there only when it never ran.
        const WORD again = command.StartExecution(g_startRunMode);
        m_launchResent = true;
        if (again == kOk) {
            return 1;
        }
        // The stop in the reply is not this step's.
        g_stopRegistersRead = false;
    }
    // The go stepped off a breakpoint: its break byte goes back in, while
    // the run's break bytes are in. A later run that installed none (a step,
    // or a go whose start failed and took them out) leaves the request's bit
    // and the entry as that go set them, and must not plant the byte. A byte
    // that cannot be written shows when the breakpoint is next removed or
    // installed.
    if (registersRead == kOk && (request.stepFirst & kGoOptionBreakpoint) != 0 && entry >= 0 &&
        static_cast<std::size_t>(entry) < kMonitorBreakEntries &&
        g_monitorBreakTable[static_cast<std::size_t>(entry)].Written()) {
        const MonitorBreakEntry& breakpoint = g_monitorBreakTable[static_cast<std::size_t>(entry)];
        const CBreakKindScope kind(breakpoint);
        static_cast<void>(WriteByte(command, breakpoint.address, static_cast<BYTE>(breakpoint.breakByte)));
    }
    bool resumed = false;
    switch (stop.word) {
    case kStopEvent:
    case kStopTraceFull:
    case kStopChannel:
    case kStopBreakByte: {
        command.SetFlashMirrorState(1);
        if (stop.word == kStopBreakByte && g_suspendState.state == 1) {
            g_startRunMode = run_mode::kStepOver;
        }
        bool breakpointAhead = false;
        bool reset = false;
        resumed = ContinuationCheck(stop, false) && !EndsAtNextBreak(breakpointAhead) && GoOn(stop, reset);
        if (reset) {
            static_cast<void>(command.ClearSuspendState());
            Disarm();
            ReadResetStop(command);
        } else if (!resumed) {
            static_cast<void>(command.ClearSuspendState());
            Disarm();
            if (stop.word == kStopBreakByte && (g_protocolType == 1 || g_protocolType == 2)) {
                command.AdjustPcAfterBreak();
            }
            if (stop.word == kStopEvent || stop.word == kStopTraceFull) {
                PrintEvent(stop.word == kStopEvent ? kEventBreak : kTraceFullBreak);
            } else {
                PrintBreakOrStep(stop, stop.word == kStopBreakByte || breakpointAhead);
            }
        }
        break;
    }
    case kStopBreakKey:
        static_cast<void>(command.ClearSuspendState());
        Disarm();
        PrintKeyOrReset(stop_cause::kBreakKey);
        break;
    case kStopStep: {
        bool reset = false;
        resumed = ContinuationCheck(stop, true) && GoOn(stop, reset);
        if (reset) {
            static_cast<void>(command.ClearSuspendState());
            ReadResetStop(command);
        } else if (!resumed) {
            static_cast<void>(command.ClearSuspendState());
            if (g_protocolType == 4) {
                for (std::size_t n = 0; n < kBreakChannelCount; ++n) {
                    if (g_appliedBreakChannels[n].enable != 0 &&
                        WriteByte(command, g_deviceValues.aier[n].address, 0) != kOk) {
                        break;
                    }
                }
            }
            PrintBreakOrStep(stop, false);
        }
        break;
    }
    case kStopIllegal: {
        if (g_protocolType <= 3) {
            // The opcode's address: after one at the top of the address
            // space the firmware's PC has wrapped to 0.
            g_registerImage[kPcIndex] = (Pc() - 1) & PcAddressMask();
        }
        bool reset = false;
        resumed = ContinuationCheck(stop, true) && GoOn(stop, reset);
        if (reset) {
            static_cast<void>(command.ClearSuspendState());
            Disarm();
            ReadResetStop(command);
        } else if (!resumed) {
            PrintBreakOrStep(stop, false);
            Disarm();
            static_cast<void>(command.ClearSuspendState());
        }
        break;
    }
    case kStopReset:
        static_cast<void>(command.ClearSuspendState());
        Disarm();
        PrintKeyOrReset(stop_cause::kTargetReset);
        // A monitor that cannot be set up again shows at the next command.
        static_cast<void>(MonitorInitMonitor());
        break;
    default:
        // A word this protocol type does not name: the run ends with a bare
        // stop report.
        AppendLabels();
        g_launched = 0;
        break;
    }
    g_linkStopByte = 0;
    if (!resumed) {
        m_wentOn = false;
        // The run is over: the events are sent without their breaks, and the
        // trace stays as recorded for the trace list.
        if (IEventEngineHooks* engine = GetEventEngineHooks()) {
            engine->StopEvents();
        }
        g_savedStatusBlock.valid = 0;
        TakeBreakBytesOut();
    }
    return resumed ? 1 : 0;
}

bool CRunStateMonitor::ContinuationCheck(const StopBlock& stop, bool second) const {
    if (g_launched == 0 || StopRequested()) {
        return false;
    }
    const bool byItself = second || (stop.status & kStoppedByItself) != 0;
    const GoRequestBlock& request = g_monitorRunState.goRequest;
    const StepRequest& step = g_stepRequest;
    const DWORD pc = Pc();
    switch (g_startRunMode) {
    case run_mode::kGo:
        return (request.stepFirst & kGoOptionRepeat) != 0 && byItself &&
               (second || (request.runKind != kRunKindStopCondition && request.runKind != kRunKindAfterCondition));
    case run_mode::kStep:
        return byItself && step.remainingSteps != 1 && (step.pendingTarget == 0 || pc != step.pendingTarget);
    case run_mode::kRangeStep:
    case run_mode::kRangeStepOver:
        return byItself && InStepRange(pc) && pc != step.stepAddress;
    default:
        return false;
    }
}

bool CRunStateMonitor::EndsAtNextBreak(bool& breakpoint) {
    const GoRequestBlock& request = g_monitorRunState.goRequest;
    if (g_startRunMode != run_mode::kGo) {
        return false;
    }
    const DWORD pc = Pc();
    BreakQuery query{pc};
    breakpoint = FindBreakpoint(query) == break_result::kFound;
    // In the break-condition modes the channels stop only together.
    bool condition = false;
    const std::size_t channels = DeviceChannelCount();
    if (request.runKind < kRunKindStopCondition) {
        for (std::size_t n = 0; n < channels; ++n) {
            const BreakChannelRecord& working = g_breakChannels[n];
            condition = condition || (working.enable != 0 && working.pcBefore == 1 && working.address == pc);
        }
    }
    if (condition) {
        // The step's channel stood in for channel 1: the stop's cause is
        // read from the channels as the user set them.
        CopyWorkingChannels(channels, kAppliedRecordBytes);
    }
    return breakpoint || condition;
}

bool CRunStateMonitor::GoOn(const StopBlock& stop, bool& reset) {
    const WORD result = Resume(stop);
    reset = result == kTargetReset;
    if (result != kOk && !reset) {
        g_stopRegistersRead = false;
    }
    m_wentOn = result == kOk && g_startRunMode == run_mode::kGo;
    return result == kOk;
}

WORD CRunStateMonitor::Resume(const StopBlock&) {
    const DWORD mode = g_startRunMode;
    const DWORD pc = Pc();
    StepRequest& step = g_stepRequest;
    GoRequestBlock& request = g_monitorRunState.goRequest;
    switch (mode) {
    case run_mode::kGo:
        request.stepFirst = 0;
        request.goStart = {0, pc};
        g_appliedBreakChannels = {};
        if (const WORD prepared = PrepareExecution(); prepared != kOk) {
            return prepared;
        }
        break;
    case run_mode::kStep: {
        if (step.remainingSteps != 0) {
            --step.remainingSteps;
        }
        const WORD opcode = SteppedOpcode();
        if (step.stepKind == 1) {
            step.callFlag = IsCall(opcode) || (opcode >> 8) == kCallGroupOpcode ? 1 : 0;
        } else if (step.stepKind == 2) {
            if (step.pendingTarget != 0 && pc == step.pendingTarget) {
                step.pendingTarget = 0;
                step.callFlag = 0;
            } else if (IsCall(opcode)) {
                const DWORD at = g_monitorRunState.launchAddress;
                step.pendingTarget = at + (GetInstructionLength(opcode) == 2 ? 2 : 4);
                step.callFlag = 1;
            }
        }
        if (step.callFlag != 0) {
            AppendTraceLine();
        }
        break;
    }
    case run_mode::kRangeStep:
        if (const WORD prepared = PrepareStepOverBreak(pc); (prepared & 0xFF00) != 0) {
            return prepared;
        }
        step.stepAddress = pc;
        break;
    case run_mode::kRangeStepOver: {
        step.callFlag = IsCall(SteppedOpcode()) ? 1 : 0;
        const WORD length = GetInstructionLengthAt(pc);
        if ((length & 0xFF00) != 0) {
            return length;
        }
        static_cast<void>(PrepareStepBreak(pc, length));  // answers 0
        step.stepAddress = pc;
        break;
    }
    default:
        return kAborted;
    }
    return CFirmCommand().StartExecution(mode);
}

// A channel stop that no address condition explains, on a device whose
// break channel 2 holds an enabled data-access condition: the data break
// (break condition 3) stopped the program after its access.
bool CRunStateMonitor::IsDataBreakStop(const StopBlock& stop) {
    const BreakChannelRecord& data = g_appliedBreakChannels[2];
    return g_deviceValues.hwBreak == 1 && stop.word == kStopChannel && data.enable != 0 &&
           data.kind == kBreakKindDataAccess;
}

DWORD CRunStateMonitor::HitMask(DWORD pc) {
    DWORD hit = 0;
    for (std::size_t n = 0; n < kBreakChannelCount; ++n) {
        const BreakChannelRecord& channel = g_appliedBreakChannels[n];
        if (channel.enable != 0 && channel.pcBefore == 1 && channel.address == pc) {
            hit = DWORD{1} << n;
        }
    }
    return hit;
}

void CRunStateMonitor::DetermineCauses(const StopBlock& stop, bool breakInstruction) {
    using namespace stop_cause;
    const DWORD pc = Pc();
    const DWORD hit = HitMask(pc);
    const StepRequest& step = g_stepRequest;
    const bool targetReached = step.pendingTarget != 0 && pc == step.pendingTarget;
    int primary = kNone;
    int second = kNone;
    switch (g_startRunMode) {
    case run_mode::kGo:
        if (g_monitorRunState.goRequest.runKind != kRunKindNoBreaks && FindStopAddress(pc) >= 0) {
            primary = kStopAddress;
        } else if (g_monitorRunState.goRequest.runKind != kRunKindNoBreaks && (hit & 0x0F) != 0) {
            primary = static_cast<int>(hit & 0x0F);
        } else if (g_monitorRunState.goRequest.runKind != kRunKindNoBreaks && (hit & 0xF0) != 0) {
            primary = 16 + std::countr_zero(hit) - 4;
        } else if (g_monitorRunState.goRequest.runKind != kRunKindNoBreaks && hit == 0 && IsDataBreakStop(stop)) {
            primary = kDataBreakCause;
        } else if (breakInstruction) {
            primary = kBreakPoint;
        }
        break;
    case run_mode::kStep:
        if (step.remainingSteps == 1) {
            primary = kStepNormalEnd;
        } else if (targetReached) {
            primary = kStopAddress;
        } else {
            primary = stop.word == kStopStep ? kStepNormalEnd : kBreakKey;
        }
        if ((hit & 0x08) != 0 && primary != kStepNormalEnd && primary != kStopAddress) {
            second = step.remainingSteps == 1 ? kStepNormalEnd : (targetReached ? kStopAddress : kNone);
        }
        break;
    case run_mode::kStepOver:
        if ((hit & 0x01) != 0) {
            primary = IsCall(SteppedOpcode()) ? kSubroutineEnd : kOneStepEnd;
        }
        break;
    case run_mode::kRangeStep:
        if (!InStepRange(pc)) {
            primary = kStopAddress;
        }
        break;
    case run_mode::kRangeStepOver:
        if ((hit & 0x01) != 0) {
            g_stepRequest.callFlag = IsCall(SteppedOpcode()) ? 1 : 0;
        }
        if (!InStepRange(pc)) {
            primary = g_stepRequest.callFlag != 0 ? kSubroutineEnd : kStopAddress;
        }
        break;
    default:
        break;
    }
    if (stop.word == kStopIllegal) {
        // Whatever the run was, the instruction at the PC stopped it.
        primary = kIllegalInstruction;
        second = kNone;
    }
    if (StopRequested()) {
        primary = kBreakKey;
        second = kNone;
    }
    m_stopCauses = {primary, second, kNone};
}

void CRunStateMonitor::PrintStopCause(int index) {
    const std::string_view text = StopCauseText(index);
    if (!text.empty()) {
        AppendMonitorText(text);
    }
}

void CRunStateMonitor::AppendLabels() {
    for (const std::string_view label : kLabels) {
        AppendMonitorText(label);
    }
}

void CRunStateMonitor::AppendTraceLine() {
    char text[128] = {};
    DWORD length = 0;
    static_cast<void>(GetInstructionText(g_monitorRunState.launchAddress, text, &length));  // answers 1
    if (length != 0) {
        AppendMonitorText(std::string_view(text, length));
        AppendMonitorText("\r\n");
    }
}

bool CRunStateMonitor::WantsTraceLine() const {
    switch (g_startRunMode) {
    case run_mode::kStepOver:
    case run_mode::kRangeStep:
    case run_mode::kRangeStepOver:
        return true;
    case run_mode::kStep:
        return g_stepRequest.stepKind == 0 || g_stepRequest.callFlag == 0;
    default:
        return false;
    }
}

void CRunStateMonitor::PrintBreakOrStep(const StopBlock& stop, bool breakInstruction) {
    if (g_launched == 0) {
        m_stopCauses.fill(stop_cause::kNone);
        AppendLabels();
        return;
    }
    DetermineCauses(stop, breakInstruction);
    if (g_startRunMode == run_mode::kGo) {
        AppendLabels();
        for (const int cause : m_stopCauses) {
            PrintStopCause(cause);
        }
    } else {
        if (WantsTraceLine()) {
            AppendTraceLine();
        }
        PrintStopCause(m_stopCauses[0]);
        AppendLabels();
    }
    g_launched = 0;
}

void CRunStateMonitor::PrintKeyOrReset(int cause) {
    // The emulator has no trigger input: never a trigger break.
    m_stopCauses = {cause, stop_cause::kNone, stop_cause::kNone};
    if (g_startRunMode == run_mode::kGo) {
        AppendLabels();
        PrintStopCause(cause);
        AppendLabels();
    } else {
        if (WantsTraceLine()) {
            AppendTraceLine();
        }
        PrintStopCause(cause);
        AppendLabels();
    }
    g_launched = 0;
    g_linkStopByte = 0;
}

void CRunStateMonitor::PrintEvent(std::string_view text) {
    if (g_startRunMode == run_mode::kGo) {
        AppendLabels();
        AppendMonitorText(text);
    } else {
        if (WantsTraceLine()) {
            AppendTraceLine();
        }
        AppendMonitorText(text);
        AppendLabels();
    }
    g_launched = 0;
}

void CRunStateMonitor::Disarm() {
    if (g_swtiSupported != 0) {
        // The event function's channels are its engine's address
        // interrupts; without an engine nothing is armed. A channel that
        // cannot be disarmed is armed again, or not, at the next go.
        if (IEventEngineHooks* engine = GetEventEngineHooks()) {
            const std::size_t channels = DeviceChannelCount();
            for (std::size_t n = 0; n < channels; ++n) {
                static_cast<void>(engine->SetAddressInterrupt(static_cast<DWORD>(n), g_appliedBreakChannels[n].address, 0));
            }
        }
        return;
    }
    // The first write that fails ends the disarm; the next launch clears the
    // registers before it arms them again.
    static_cast<void>(CFirmCommand().DisarmBreakRegisters());
}

bool CRunStateMonitor::RegistersAsLaunched() const {
    for (std::size_t i = 0; i < m_launchRegisters.size(); ++i) {
        // Compared at the widths the register file carries.
        const DWORD width = i == kPcIndex || i == kIntbIndex ? 0xFFFFFF : 0xFFFF;
        if (((g_registerImage[i] ^ m_launchRegisters[i]) & width) != 0) {
            return false;
        }
    }
    return true;
}

void CRunStateMonitor::ReportResetAtLaunch(DWORD runMode) {
    CFirmCommand command;
    g_monitorOutputUsed = 0;
    m_stopCauses.fill(stop_cause::kNone);
    g_startRunMode = runMode;
    static_cast<void>(command.ClearSuspendState());  // answers 0
    ReadResetStop(command);
    g_monitorReplyState = kMonitorReplyPending;
    m_running = 0;
    if (g_emuResponse != nullptr) {
        g_emuResponse->SetRunStatus(kNotRun);
    }
}

void CRunStateMonitor::ReadResetStop(CFirmCommand& command) {
    WORD registersRead = command.ReadRegisterFile(RegisterFile());
    if (registersRead != kOk && registersRead != kTargetReset) {
        registersRead = command.ReadRegisterFile(RegisterFile());
    }
    g_stopRegistersRead = registersRead == kOk;
    PrintKeyOrReset(stop_cause::kTargetReset);
    // A monitor that cannot be set up again shows at the next command.
    static_cast<void>(MonitorInitMonitor());
}

void CRunStateMonitor::TakeBreakBytesOut() {
    // A byte that cannot go back is its own message in the stop report.
    static_cast<void>(RemoveBreakInstructions(-1));
    if (g_flashMode == kFlashModePcToFlash || g_flashMode == kFlashModeBoth) {
        // Blocks that cannot be written stay dirty for the next write-back.
        static_cast<void>(CFirmCommand().WriteBackFlash());
    }
}
