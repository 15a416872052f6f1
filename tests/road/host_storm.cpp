#include "tests/road/host_storm.h"

#include "sim/host/console.h"
#include "sim/host/run_control_services.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <sstream>

namespace roadtest {

namespace {

using emutest::Bytes;
using testing_support::Below;
using testing_support::FaultName;
using testing_support::HexText;

// The run CI makes, in every leg: a few seconds natively.
constexpr std::uint64_t kCiSeed = 0x5EED0042;
constexpr std::uint32_t kCiIterations = 150;

// The demo program (Vk3Demo.mot): C000 JSR.A C010; C004 NOP; C005 NOP;
// C006 JMP.B C000; C010 NOP; C011 NOP; C012 RTS.
constexpr DWORD kEntry = 0xC000;
constexpr DWORD kBreakAddress = 0xC005;
constexpr BYTE kNop = 0x04;
constexpr DWORD kVectorArea = 0xFFDC;
constexpr DWORD kStack = 0x0900;
// The user's RAM the storm reads and writes, below the stack.
constexpr DWORD kRamTop = 0x0400;
constexpr DWORD kRamEnd = 0x07FF;
constexpr std::size_t kPc = 14;
constexpr DWORD kStopIllegal = 0x494C;  // "IL"
constexpr std::size_t kIsp = 17;
constexpr std::size_t kR0 = 0;
constexpr std::size_t kSb = 18;
constexpr std::size_t kLinesKept = 60;
constexpr DWORD kFramesShown = 40;
// The stop cause of a run that failed before a stop.
constexpr char kFailedRun[] = "ERROR";
// Stop causes: a step's normal end, and a target reset that cut a run short.
constexpr char kStepEnd[] = "STEP NORMAL END";
constexpr char kTargetReset[] = "TARGET RESET";

const char* const kOpNames[] = {"read",      "write",     "download", "go to a breakpoint", "go and halt",
                                "step",      "registers", "reset",    "status",             "reconnect"};
const char* const kCheckNames[] = {"bounded",          "memory read",   "memory written", "program in flash",
                                   "stop reported",    "stop registers", "break reached", "break bytes gone",
                                   "reset done",       "recovered"};

// Where a single step from each address of the demo stops.
struct StepFrom {
    DWORD from;
    DWORD to;
};
constexpr StepFrom kSteps[] = {{0xC000, 0xC010}, {0xC004, 0xC005}, {0xC005, 0xC006},
                               {0xC006, 0xC000}, {0xC010, 0xC011}, {0xC011, 0xC012}};

DWORD RegisterMask(std::size_t index) {
    return static_cast<DWORD>((1ull << (simhost::kHostRegisterNames[index].width * 8)) - 1);
}

// Texts the target reports that tell of no failure: the reset, the
// versions, the flash progress and a stop's cause (which the host's run-state
// event has the target report).
bool Informational(const std::string& text, const std::string& stopCause) {
    return text == "RESET CPU" || text.starts_with("Boot version") || text.starts_with("Q3v firmware version") ||
           text.starts_with(" Flash memory ") || (!stopCause.empty() && text == stopCause);
}

}  // namespace

StormUi::StormUi() : ConsoleUiDriver(std::cin, sink_, false) {}

int StormUi::OnMessageBox(const platform::MessageBoxRequest& request) {
    {
        std::lock_guard lock(boxesMutex_);
        boxes_.push_back(request.text);
    }
    return ConsoleUiDriver::OnMessageBox(request);
}

std::vector<std::string> StormUi::Boxes() const {
    std::lock_guard lock(boxesMutex_);
    return boxes_;
}

void HostStorm::SetUp() {
    settings_ = testing_support::StormSettings::FromEnvironment(kCiSeed, kCiIterations);
    ASSERT_NO_FATAL_FAILURE(UseEmulator(emutest::Module(), kDemoSettingsLongRun));
    control_->clearFaults();
    const simhost::ProgramRead read = simhost::ReadSRecordFile(simhost::ProgramFolder() + "Vk3Demo.mot");
    ASSERT_TRUE(read.image) << read.error;
    program_ = *read.image;
    ui_ = std::make_unique<StormUi>();
    host_ = std::make_unique<simhost::SimHost>();
    ASSERT_NO_FATAL_FAILURE(AttachPlugin(*host_));
    session_ = std::make_unique<simhost::DebugSession>(*host_, [this](const std::string& line) { Print(line); });
    ASSERT_TRUE(session_->OpenSession(simhost::DefaultSeedFile()));
    ASSERT_TRUE(Connect()) << failure_;
}

void HostStorm::TearDown() {
    control_->clearFaults();
    if (session_ != nullptr && session_->Connected()) {
        EXPECT_TRUE(session_->Disconnect());
    }
    session_.reset();
    if (host_ != nullptr) {
        host_->Unload();
    }
    host_.reset();
    ui_.reset();
}

void HostStorm::Print(const std::string& line) {
    std::lock_guard lock(linesMutex_);
    if (settings_.verbose) {
        std::printf("    %s\n", line.c_str());
    }
    lines_.push_back(line);
    if (lines_.size() > kLinesKept) {
        lines_.pop_front();
    }
}

// ---- judging ----

void HostStorm::Expect(bool holds, Check check, const std::string& what) {
    if (holds || Failed()) {
        return;
    }
    failure_ = std::string(kCheckNames[static_cast<int>(check)]) + ": " + what;
}

std::string HostStorm::Describe() const {
    std::ostringstream text;
    text << "host storm seed " << testing_support::SeedText(settings_.seed) << ", iteration " << iteration_ << ": "
         << kOpNames[static_cast<int>(op_)] << (detail_.empty() ? "" : " (" + detail_ + ")") << " under fault "
         << FaultName(fault_.kind) << " (value " << HexText(fault_.value) << ", count " << fault_.count
         << ") at its driver call " << fault_.call << ", " << (claimed_ ? "claimed success" : "reported a failure")
         << ", recovery: " << recovery_ << "\nthe session's last lines:";
    std::lock_guard lock(linesMutex_);
    for (const std::string& line : lines_) {
        text << "\n    " << line;
    }
    std::string frames(control_->formatFrames(kFramesShown, nullptr, 0) + 1, '\0');
    frames.resize(control_->formatFrames(kFramesShown, frames.data(), static_cast<DWORD>(frames.size())));
    text << "\nthe last frames on the wire:\n" << frames;
    return text.str();
}

bool HostStorm::Told() const {
    if (ui_->Boxes().size() != boxesBefore_) {
        return true;
    }
    const std::vector<std::string> texts = host_->Services().ReportedErrors();
    return std::any_of(texts.begin() + static_cast<std::ptrdiff_t>(std::min(textsBefore_, texts.size())), texts.end(),
                       [&](const std::string& text) { return !Informational(text, session_->LastStopCause()); });
}

// The go request has no reply: a go the emulator answered unread (refused,
// or lost with its reply) leaves the target where it stood, and the run-state
// request then finds the stop before it. Nothing on the wire tells the two
// apart, so a run under such a fault in which the target executed nothing
// is not judged by where it stopped.
bool HostStorm::GoUnread() const {
    static constexpr DWORD kUnread[] = {Q3V_SIM_FAULT_NAK, Q3V_SIM_FAULT_STATUS, Q3V_SIM_FAULT_BARE_ACK,
                                        Q3V_SIM_FAULT_RECEIVE_TIMEOUT, Q3V_SIM_FAULT_SHORT_REPLY,
                                        Q3V_SIM_FAULT_CORRUPT_REPLY, Q3V_SIM_FAULT_DELAY};
    return Status().instructions == instructionsBefore_ &&
           std::find(std::begin(kUnread), std::end(kUnread), fault_.kind) != std::end(kUnread);
}

bool HostStorm::StopTold() const {
    return Told() || session_->LastStopCause() == kFailedRun;
}

std::array<DWORD, 20> HostStorm::ModelRegisters() const {
    std::array<DWORD, 20> registers{};
    control_->getRegisters(registers.data());
    return registers;
}

// A run or step that claims its end: the target stands still, the stop has
// a cause, and the host's registers are the target's.
void HostStorm::JudgeStop(const std::string& what) {
    const Q3vSimStatus status = Status();
    Expect(status.running == 0, Check::StopReported, what + " ended while the target still runs");
    Expect(!session_->LastStopCause().empty(), Check::StopReported, what + " ended with no cause and no report");
    std::array<DWORD, 20> model = ModelRegisters();
    if (status.stopWord == kStopIllegal) {
        --model[kPc];  // the target names the address after the opcode; the host is given the opcode's
    }
    for (std::size_t i = 0; i < model.size(); ++i) {
        const DWORD host = session_->Register(i) & RegisterMask(i);
        Expect(host == (model[i] & RegisterMask(i)), Check::StopRegisters,
               what + ": the host's " + simhost::kHostRegisterNames[i].name + " is " + HexText(host) +
                   ", the target's " + HexText(model[i]) + " (stop cause \"" + session_->LastStopCause() + "\")");
    }
    // The launch wrote the flash back: the program is still whole.
    JudgeProgram(what);
}

void HostStorm::JudgeProgram(const std::string& what) {
    for (const simhost::ProgramRun& run : program_.runs) {
        if (run.start >= kVectorArea) {
            continue;  // the firmware's vectors take the chip's vector area; the user's reset vector is kept apart
        }
        Bytes chip = ReadTarget(run.start, run.bytes.size());
        if (op_ != Op::Download && kBreakAddress >= run.start && kBreakAddress <= run.Last()) {
            // The breakpoint's byte is the break-bytes judgement's.
            chip[kBreakAddress - run.start] = run.bytes[kBreakAddress - run.start];
        }
        Expect(chip == run.bytes, Check::ProgramInFlash,
               what + ": the chip's flash at " + HexText(run.start) + " is not the program");
    }
}

// Every operation ends, and leaves no run behind that a halt cannot end.
void HostStorm::JudgeRunEnded() {
    session_->CheckRunEnded();
    if (session_->Running()) {
        session_->Halt();
    }
    Expect(!session_->Running(), Check::Bounded, "a run never ended, not even after a halt");
}

// ---- draws ----

HostStorm::Op HostStorm::DrawOp(StormRng& rng) {
    static constexpr std::pair<Op, std::uint32_t> kWeights[] = {
        {Op::Read, 12},      {Op::Write, 12},     {Op::Download, 6}, {Op::GoToBreak, 10}, {Op::GoAndHalt, 10},
        {Op::Step, 14},      {Op::Registers, 6},  {Op::Reset, 10},   {Op::Status, 4},     {Op::Reconnect, 4},
    };
    return testing_support::DrawWeighted(rng, kWeights);
}

HostStorm::Fault HostStorm::DrawFault(StormRng& rng, Op op) {
    // About the driver calls each operation makes on the demo device.
    static constexpr std::uint32_t kCalls[] = {12, 12, 400, 160, 160, 80, 80, 30, 12, 600};
    static constexpr DWORD kKinds[] = {
        Q3V_SIM_FAULT_RECEIVE_TIMEOUT, Q3V_SIM_FAULT_LINK_LOST,   Q3V_SIM_FAULT_CONNECTOR,
        Q3V_SIM_FAULT_NAK,             Q3V_SIM_FAULT_STATUS,      Q3V_SIM_FAULT_ERASE,
        Q3V_SIM_FAULT_PROGRAM,         Q3V_SIM_FAULT_TARGET_RESET, Q3V_SIM_FAULT_SHORT_REPLY,
        Q3V_SIM_FAULT_CORRUPT_REPLY,   Q3V_SIM_FAULT_VERIFY,      Q3V_SIM_FAULT_TARGET_POWER,
        Q3V_SIM_FAULT_BARE_ACK,        Q3V_SIM_FAULT_DELAY,       Q3V_SIM_FAULT_FLASH_STUCK,
        Q3V_SIM_FAULT_BREAK_STOP,      Q3V_SIM_FAULT_NO_BREAK,
    };
    Fault fault;
    fault.kind = kKinds[Below(rng, static_cast<std::uint32_t>(std::size(kKinds)))];
    const std::uint32_t range = kCalls[static_cast<int>(op)] * (Below(rng, 4) == 0 ? 2 : 1);
    fault.call = 1 + Below(rng, range);
    switch (fault.kind) {
    case Q3V_SIM_FAULT_LINK_LOST:
    case Q3V_SIM_FAULT_CONNECTOR:
        fault.value = 1;
        break;
    case Q3V_SIM_FAULT_TARGET_POWER:
        fault.value = 0;
        break;
    case Q3V_SIM_FAULT_STATUS: {
        static constexpr DWORD kStatuses[] = {0x83, 0x85, 0x91, 0xA1, 0xA3};
        fault.value = kStatuses[Below(rng, 5)];
        break;
    }
    case Q3V_SIM_FAULT_SHORT_REPLY:
        fault.value = Below(rng, 24);
        break;
    case Q3V_SIM_FAULT_CORRUPT_REPLY:
        // The frame's header and status: a turned data byte is data on this
        // wire, which has no check over it (docs/storm.md).
        fault.value = Below(rng, 6);
        break;
    case Q3V_SIM_FAULT_BARE_ACK:
        // Page reads only: a firmware request answered with a bare
        // acknowledge and left undone cannot be told from success.
        fault.value = 'R';
        break;
    case Q3V_SIM_FAULT_DELAY: {
        static constexpr DWORD kDelays[] = {50, 4000, 12000, 31000};
        fault.value = kDelays[Below(rng, 4)];
        break;
    }
    case Q3V_SIM_FAULT_BREAK_STOP:
        fault.value = 0x4249;  // "BI": a break instruction met during the break
        break;
    case Q3V_SIM_FAULT_NAK:
    case Q3V_SIM_FAULT_RECEIVE_TIMEOUT:
        fault.count = 1 + Below(rng, 2);
        break;
    default:
        break;
    }
    return fault;
}

// ---- the operations ----

bool HostStorm::Read(StormRng& rng) {
    const DWORD first = kRamTop + Below(rng, kRamEnd - kRamTop + 1);
    const DWORD count = 1 + Below(rng, std::min<DWORD>(64, kRamEnd - first + 1));
    detail_ = HexText(first) + ", " + std::to_string(count) + " bytes";
    const auto bytes = session_->ReadMemory(first, count);
    if (!bytes || Told()) {
        return false;
    }
    Expect(*bytes == ReadTarget(first, count), Check::MemoryRead, "the bytes read are not the target's");
    return true;
}

bool HostStorm::Write(StormRng& rng) {
    const DWORD first = kRamTop + Below(rng, kRamEnd - kRamTop + 1);
    const DWORD count = 1 + Below(rng, std::min<DWORD>(64, kRamEnd - first + 1));
    detail_ = HexText(first) + ", " + std::to_string(count) + " bytes";
    Bytes bytes(count);
    for (BYTE& byte : bytes) {
        byte = static_cast<BYTE>(rng());
    }
    if (!session_->WriteMemory(first, bytes) || Told()) {
        return false;
    }
    Expect(ReadTarget(first, count) == bytes, Check::MemoryWritten, "the bytes written are not in the target");
    return true;
}

bool HostStorm::Download() {
    programInFlash_ = false;
    if (!session_->Download(program_) || Told()) {
        return false;
    }
    JudgeProgram("a download that answered success");
    programInFlash_ = !Failed();
    return true;
}

bool HostStorm::GoToBreak() {
    if (!session_->AddBreak(kBreakAddress) || Told()) {
        return false;
    }
    const bool ran = session_->Go();
    const bool removed = session_->RemoveBreak(1);
    if (!ran || !removed || StopTold()) {
        return false;
    }
    JudgeStop("a go to a breakpoint");
    Expect(Status().pc == kBreakAddress || session_->LastStopCause() == kTargetReset || GoUnread(), Check::BreakReached,
           "the go stopped at " + HexText(Status().pc) + " (\"" + session_->LastStopCause() + "\"), not at the breakpoint");
    // The chip may keep the break byte until the next launch or the session's
    // end; what the host reads is the program's byte.
    const auto seen = session_->ReadMemory(kBreakAddress, 1);
    if (!seen || Told()) {
        return false;
    }
    Expect(*seen == Bytes{kNop}, Check::BreakBytesGone, "the stopped program reads a break byte");
    return true;
}

bool HostStorm::GoAndHalt() {
    if (!session_->Go() || StopTold()) {
        return false;
    }
    if (session_->Running() && (!session_->Halt() || StopTold())) {
        return false;
    }
    JudgeStop("a go and its halt");
    return true;
}

bool HostStorm::Step(StormRng& rng) {
    const StepFrom& step = kSteps[Below(rng, static_cast<std::uint32_t>(std::size(kSteps)))];
    host_->Services().Registers().SetValue(kPc, step.from);
    detail_ = "from " + HexText(step.from);
    // A break byte a breakpoint left in the chip stops the step on its own.
    const bool breakByteLeft = step.from == kBreakAddress && ReadTarget(kBreakAddress, 1) != Bytes{kNop};
    if (!session_->Step(simhost::StepKind::In) || StopTold()) {
        return false;
    }
    JudgeStop("a step");
    // A step cut short says so ("TARGET RESET"): only a normal end is judged
    // by where it stopped.
    if (session_->LastStopCause() == kStepEnd && !GoUnread()) {
        Expect(Status().pc == step.to, breakByteLeft ? Check::BreakBytesGone : Check::StopRegisters,
               "the step stopped at " + HexText(Status().pc));
    }
    return true;
}

bool HostStorm::Registers(StormRng& rng) {
    const auto r0 = static_cast<DWORD>(rng() & 0xFFFF);
    const auto sb = static_cast<DWORD>(rng() & 0xFFFF);
    host_->Services().Registers().SetValue(kR0, r0);
    host_->Services().Registers().SetValue(kSb, sb);
    host_->Services().Registers().SetValue(kPc, 0xC004);  // a no-operation
    detail_ = "R0 " + HexText(r0) + ", SB " + HexText(sb) + ", then a step";
    if (!session_->Step(simhost::StepKind::In) || StopTold()) {
        return false;
    }
    JudgeStop("a step with new registers");
    const std::array<DWORD, 20> model = ModelRegisters();
    Expect((model[kR0] == r0 && model[kSb] == sb) || session_->LastStopCause() == kTargetReset || GoUnread(),
           Check::StopRegisters,
           "the target did not take the host's registers");
    return true;
}

bool HostStorm::Reset() {
    if (!session_->Reset() || Told()) {
        return false;
    }
    const Q3vSimStatus status = Status();
    Expect(status.targetPowered == 1 && status.mcuState == Q3V_SIM_MCU_FIRMWARE && status.running == 0,
           Check::ResetDone, "a reset that answered success left the target " +
                                 std::string(status.targetPowered == 0 ? "unpowered" : "not under its firmware"));
    Expect(!programInFlash_ || status.pc == kEntry, Check::ResetDone, "the reset left the PC at " + HexText(status.pc));
    return true;
}

bool HostStorm::Reconnect() {
    const bool programWasInFlash = programInFlash_;
    programInFlash_ = false;
    if (!session_->Disconnect() || Told()) {
        return false;
    }
    // The session's end puts the program's bytes back where breakpoints stood.
    Expect(!programWasInFlash || ReadTarget(kBreakAddress, 1) == Bytes{kNop}, Check::BreakBytesGone,
           "the session ended with a break byte in the chip");
    if (!session_->Connect() || Told()) {
        return false;
    }
    const Q3vSimStatus status = Status();
    Expect(status.targetPowered == 1 && status.mcuState == Q3V_SIM_MCU_FIRMWARE, Check::Recovered,
           "a connect that answered success left no firmware running");
    return true;
}

bool HostStorm::Run(Op op, StormRng& rng) {
    switch (op) {
    case Op::Read:
        return Read(rng);
    case Op::Write:
        return Write(rng);
    case Op::Download:
        return Download();
    case Op::GoToBreak:
        return GoToBreak();
    case Op::GoAndHalt:
        return GoAndHalt();
    case Op::Step:
        return Step(rng);
    case Op::Registers:
        return Registers(rng);
    case Op::Reset:
        return Reset();
    case Op::Status:
        session_->ShowStatus();
        return true;
    case Op::Reconnect:
        return Reconnect();
    }
    return false;
}

// ---- recovery ----

bool HostStorm::Connect() {
    programInFlash_ = false;
    if (!session_->Connect()) {
        Expect(false, Check::Recovered, "the session does not connect again once the fault is cleared");
        return false;
    }
    return true;
}

// The session answers, and a read gives the target's bytes.
bool HostStorm::Probe() {
    if (!session_->Connected()) {
        return false;
    }
    const Q3vSimStatus status = Status();
    if (status.targetPowered == 0 || status.mcuState != Q3V_SIM_MCU_FIRMWARE || status.running != 0) {
        return false;
    }
    boxesBefore_ = ui_->Boxes().size();
    textsBefore_ = host_->Services().ReportedErrors().size();
    const auto bytes = session_->ReadMemory(kRamTop, 64);
    return bytes && !Told() && *bytes == ReadTarget(kRamTop, 64);
}

void HostStorm::Recover() {
    control_->clearFaults();
    recovery_ = "none needed";
    if (session_->Connected()) {
        JudgeRunEnded();
    }
    if (!Probe()) {
        recovery_ = "reconnect";
        ++reconnects_;
        if (session_->Connected()) {
            static_cast<void>(session_->Disconnect());  // a failure here is the connect's to answer
        }
        if (!Connect() || !Probe()) {
            Expect(false, Check::Recovered, "the session does not work again once the fault is cleared");
        }
    }
}

// What an operation needs, set up before its fault is armed.
void HostStorm::Prepare(Op op) {
    if (!session_->Connected() && !Connect()) {
        return;
    }
    for (std::size_t n = session_->Breaks().size(); n > 0; --n) {
        static_cast<void>(session_->RemoveBreak(n));
    }
    const bool runs = op == Op::GoToBreak || op == Op::GoAndHalt || op == Op::Step || op == Op::Registers;
    if (runs && !programInFlash_) {
        programInFlash_ = session_->Download(program_);
        Expect(programInFlash_, Check::Recovered, "the program cannot be downloaded without a fault");
    }
    host_->Services().Registers().SetValue(kPc, kEntry);
    host_->Services().Registers().SetValue(kIsp, kStack);
}

bool HostStorm::Iterate(std::uint32_t iteration) {
    StormRng rng(testing_support::IterationSeed(settings_.seed, iteration));
    iteration_ = iteration;
    op_ = DrawOp(rng);
    fault_ = DrawFault(rng, op_);
    detail_.clear();
    recovery_ = "not reached";
    claimed_ = false;
    Prepare(op_);
    if (Failed()) {
        return false;
    }
    if (settings_.verbose) {
        std::printf("iteration %u: %s under %s (value %s, count %u) at driver call %u\n", static_cast<unsigned>(iteration),
                    kOpNames[static_cast<int>(op_)], FaultName(fault_.kind), HexText(fault_.value).c_str(),
                    static_cast<unsigned>(fault_.count), static_cast<unsigned>(fault_.call));
    }
    boxesBefore_ = ui_->Boxes().size();
    textsBefore_ = host_->Services().ReportedErrors().size();
    instructionsBefore_ = Status().instructions;
    control_->injectFaultAfterDriverCalls(fault_.call, fault_.kind, fault_.value, fault_.count);
    claimed_ = Run(op_, rng);
    if (!claimed_) {
        ++reported_;
    }
    if (session_->Connected()) {
        JudgeRunEnded();
    }
    if (!Failed()) {
        Recover();
    }
    if (settings_.verbose) {
        std::printf("  %s, recovery: %s\n", claimed_ ? "claimed success" : "reported a failure", recovery_.c_str());
    }
    return !Failed();
}

}  // namespace roadtest
