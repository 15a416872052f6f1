#include "tests/road/host_storm.h"

#include "sim/host/console.h"

#include <algorithm>
#include <cstdio>
#include <iostream>
#include <iterator>
#include <sstream>

namespace roadtest {

namespace {

using namespace storm;
using emutest::Bytes;
using testing_support::Below;
using testing_support::FaultName;
using testing_support::HexText;

// The run CI makes, in every leg: a few seconds natively.
constexpr std::uint64_t kCiSeed = 0x5EED0042;
constexpr std::uint32_t kCiIterations = 200;

constexpr std::size_t kPc = 14;
constexpr std::size_t kIsp = 17;
constexpr std::size_t kLinesKept = 60;
constexpr DWORD kFramesShown = 40;
constexpr std::size_t kBoxesShown = 5;
constexpr char kNotAgain[] = "Do not show this dialog box again.";
constexpr std::size_t kProbeBytes = 64;

const char* const kOpNames[] = {"read",        "write",     "download",   "copy",   "compare",       "search",
                                "go",          "go until",  "reset and go", "step", "step over",     "step out",
                                "registers",   "reset",     "breakpoints", "conditions", "command and go",
                                "status",      "reconnect"};
const char* const kCheckNames[] = {"bounded",         "memory read",   "memory written", "program in flash",
                                   "stop reported",   "stop registers", "stop place",     "break bytes hidden",
                                   "list changed",    "reset done",     "chip at the end", "recovered"};

}  // namespace

StormUi::StormUi() : ConsoleUiDriver(std::cin, sink_, false) {}

// A connect that failed has the Emulator Setting sheet shown at every
// connect after it; the person who answers it each time asks not to see it
// again, as the unattended host would otherwise take the same sheet coming
// back for a loop and cancel it.
void StormUi::OnDialog(platform::UiDialog& dialog) {
    for (const platform::ControlView& control : dialog.View().controls) {
        if (control.kind == "check box" && control.text == kNotAgain) {
            dialog.Check(control.id, true);
        }
    }
    ConsoleUiDriver::OnDialog(dialog);
}

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
    commands_ = std::make_unique<simhost::CommandWindow>(host_->Services(), host_->Log());
    ASSERT_TRUE(session_->OpenSession(simhost::DefaultSeedFile()));
    ASSERT_TRUE(Connect()) << failure_;
}

void HostStorm::TearDown() {
    control_->clearFaults();
    if (session_ != nullptr && session_->Connected()) {
        EXPECT_TRUE(session_->Disconnect());
    }
    session_.reset();
    commands_.reset();
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
    // The host's wait for a stop ran out: it halts the program.
    if (line.find(": still running after ") != std::string::npos) {
        runWaitRanOut_ = true;
    }
    lines_.push_back(line);
    if (lines_.size() > kLinesKept) {
        lines_.pop_front();
    }
}

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
         << ", recovery: " << recovery_ << "\nthe last boxes:";
    const std::vector<std::string> boxes = ui_->Boxes();
    for (std::size_t i = boxes.size() > kBoxesShown ? boxes.size() - kBoxesShown : 0; i < boxes.size(); ++i) {
        text << "\n    " << boxes[i];
    }
    text << "\nthe session's last lines:";
    std::lock_guard lock(linesMutex_);
    for (const std::string& line : lines_) {
        text << "\n    " << line;
    }
    std::string frames(control_->formatFrames(kFramesShown, nullptr, 0) + 1, '\0');
    frames.resize(control_->formatFrames(kFramesShown, frames.data(), static_cast<DWORD>(frames.size())));
    text << "\nthe last frames on the wire:\n" << frames;
    return text.str();
}

// ---- draws ----

HostStorm::Op HostStorm::DrawOp(StormRng& rng) {
    static constexpr std::pair<Op, std::uint32_t> kWeights[] = {
        {Op::Read, 10},       {Op::Write, 10},      {Op::Download, 4},     {Op::Copy, 5},
        {Op::Compare, 5},     {Op::Search, 6},      {Op::Go, 12},          {Op::GoUntil, 6},
        {Op::ResetAndGo, 5},  {Op::Step, 8},        {Op::StepOver, 5},     {Op::StepOut, 5},
        {Op::Registers, 4},   {Op::Reset, 6},       {Op::Breakpoints, 10}, {Op::Conditions, 10},
        {Op::CommandAndGo, 8}, {Op::Status, 2},     {Op::Reconnect, 4},
    };
    return testing_support::DrawWeighted(rng, kWeights);
}

HostStorm::Fault HostStorm::DrawFault(StormRng& rng, Op op) {
    // About the driver calls each operation makes on the demo device.
    static constexpr std::uint32_t kCalls[] = {12,  30, 400, 40,  40, 60, 160, 160, 180, 80,
                                               80, 200, 80,  30,  12, 12, 170, 12,  600};
    static_assert(std::size(kCalls) == std::size(kOpNames));
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

bool HostStorm::Run(Op op, StormRng& rng) {
    switch (op) {
    case Op::Read:
        return Read(rng);
    case Op::Write:
        return Write(rng);
    case Op::Download:
        return Download();
    case Op::Copy:
        return Copy(rng);
    case Op::Compare:
        return Compare(rng);
    case Op::Search:
        return Search(rng);
    case Op::Go:
        return Go(rng);
    case Op::GoUntil:
        return GoUntil(rng);
    case Op::ResetAndGo:
        return ResetAndGo();
    case Op::Step:
        return Step(rng, simhost::StepKind::In);
    case Op::StepOver:
        return Step(rng, simhost::StepKind::Over);
    case Op::StepOut:
        return Step(rng, simhost::StepKind::Out);
    case Op::Registers:
        return Registers(rng);
    case Op::Reset:
        return Reset();
    case Op::Breakpoints:
        return Breakpoints(rng);
    case Op::Conditions:
        return Conditions(rng);
    case Op::CommandAndGo:
        return CommandAndGo(rng);
    case Op::Status:
        session_->ShowStatus();
        return true;
    case Op::Reconnect:
        return Reconnect();
    }
    return false;
}

// ---- recovery ----

// A connect erases the user's flash (connect mode 0): the model starts from
// the chip.
bool HostStorm::Connect() {
    ForgetSession();
    if (!session_->Connect()) {
        Expect(false, Check::Recovered, "the session does not connect again once the fault is cleared");
        return false;
    }
    flash_ = ReadTarget(kFlashFirst, kFlashEnd - kFlashFirst + 1);
    return true;
}

// The RAM code is put back where a lost power, or a session's end that could
// not take its break byte out and said so, left something else.
void HostStorm::ForgetSession() {
    programInFlash_ = false;
    flashUnsure_.reset();
    launchBreaks_.clear();
    launchChannels_.clear();
    PutTarget(kRamCode, {kNop});
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
    const auto bytes = session_->ReadMemory(kRamTop, kProbeBytes);
    return bytes && !Told() && *bytes == ReadTarget(kRamTop, kProbeBytes);
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
        return;
    }
    // A flash write that failed may have left its range half written in
    // the mirror: written again, the model holds once more.
    if (flashUnsure_) {
        const auto [first, last] = *flashUnsure_;
        const Bytes bytes(flash_.begin() + (first - kFlashFirst), flash_.begin() + (last - kFlashFirst) + 1);
        Expect(session_->WriteMemory(first, bytes) && !Told(), Check::Recovered,
               "the flash at " + HexText(first) + " cannot be written again once the fault is cleared");
        flashUnsure_.reset();
    }
}

// What an operation needs, set up before its fault is armed: the program
// in the flash, and the program at its entry with the stack below kStack.
void HostStorm::Prepare(Op op) {
    if (!session_->Connected() && !Connect()) {
        return;
    }
    if (op != Op::Download && !programInFlash_) {
        boxesBefore_ = ui_->Boxes().size();
        textsBefore_ = host_->Services().ReportedErrors().size();
        programInFlash_ = session_->Download(program_) && !Told();
        Expect(programInFlash_, Check::Recovered, "the program cannot be downloaded without a fault");
        for (const simhost::ProgramRun& run : program_.runs) {
            for (std::size_t i = 0; i < run.bytes.size(); ++i) {
                const DWORD address = run.start + static_cast<DWORD>(i);
                if (address >= kFlashFirst && address <= kFlashEnd) {
                    flash_[address - kFlashFirst] = run.bytes[i];
                }
            }
        }
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
    resetGoCause_.reset();
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
        std::printf("  %s%s, recovery: %s\n", claimed_ ? "claimed success" : "reported a failure",
                    detail_.empty() ? "" : (" (" + detail_ + ")").c_str(), recovery_.c_str());
    }
    return !Failed();
}

}  // namespace roadtest
