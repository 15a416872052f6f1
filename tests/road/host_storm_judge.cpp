// The host storm's judgements: what the operation told the person, and
// whether a stop, the chip and the host's reads agree with the emulator.
#include "tests/road/host_storm.h"

#include "sim/host/run_control_services.h"

#include <algorithm>
#include <iterator>

namespace roadtest {

namespace {

using namespace storm;
using emutest::Bytes;
using testing_support::HexText;

constexpr std::size_t kPc = 14;
constexpr DWORD kStopIllegal = 0x494C;    // "IL"
constexpr DWORD kStopBreakByte = 0x4249;  // "BI"
// The stop cause of a run that failed before a stop; a target reset that
// cut a run short; the stop the storm's halt makes.
constexpr char kFailedRun[] = "ERROR";
constexpr char kTargetReset[] = "TARGET RESET";
constexpr char kBreakKey[] = "BREAK KEY";

DWORD RegisterMask(std::size_t index) {
    return static_cast<DWORD>((1ull << (simhost::kHostRegisterNames[index].width * 8)) - 1);
}

// Texts the target reports that tell of no failure: the reset, the
// versions, the flash progress and a stop's cause (which the host's run-state
// event has the target report; a step over or out past no call names none).
bool Informational(const std::string& text, const std::string& stopCause) {
    return text == "RESET CPU" || text.starts_with("Boot version") || text.starts_with("Q3v firmware version") ||
           text.starts_with(" Flash memory ") || text == stopCause;
}

}  // namespace

bool HostStorm::Told() const {
    if (ui_->Boxes().size() != boxesBefore_) {
        return true;
    }
    const std::vector<std::string> texts = host_->Services().ReportedErrors();
    return std::any_of(texts.begin() + static_cast<std::ptrdiff_t>(std::min(textsBefore_, texts.size())), texts.end(),
                       [&](const std::string& text) { return !Informational(text, Cause()); });
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
    return Told() || Cause() == kFailedRun;
}

std::array<DWORD, 20> HostStorm::ModelRegisters() const {
    std::array<DWORD, 20> registers{};
    control_->getRegisters(registers.data());
    return registers;
}

// A run or step that claims its end: the target stands still, the stop has
// a cause (a step over or out past an instruction that is no call names
// none), the host's registers are the target's, the chip holds the program
// the launch wrote back, and the host reads the program's bytes.
void HostStorm::JudgeStop(const std::string& what) {
    const Q3vSimStatus status = Status();
    stopPc_ = status.pc;
    Expect(status.running == 0, Check::StopReported, what + " ended while the target still runs");
    const bool namesNoCause = op_ == Op::StepOver || op_ == Op::StepOut;
    Expect(namesNoCause || !Cause().empty(), Check::StopReported, what + " ended with no cause and no report");
    std::array<DWORD, 20> model = ModelRegisters();
    if (status.stopWord == kStopIllegal) {
        --model[kPc];  // the target names the address after the opcode; the host is given the opcode's
    }
    // After a break instruction the plug-in moves the PC back to a channel's
    // address one or two bytes below it, where a channel would have
    // stopped the program after its instruction; the emulator's channels
    // stop before theirs (docs/storm.md).
    const bool pcMovedBack = status.stopWord == kStopBreakByte &&
                             (launchChannels_.contains(model[kPc] - 1) || launchChannels_.contains(model[kPc] - 2));
    for (std::size_t i = 0; i < model.size(); ++i) {
        if (i == kPc && pcMovedBack) {
            continue;
        }
        const DWORD host = session_->Register(i) & RegisterMask(i);
        Expect(host == (model[i] & RegisterMask(i)), Check::StopRegisters,
               what + ": the host's " + simhost::kHostRegisterNames[i].name + " is " + HexText(host) +
                   ", the target's " + HexText(model[i]) + " (stop cause \"" + Cause() + "\")");
    }
    // A reset that cut the launch short may have come before its write-back:
    // the next launch, or the session's end, writes the flash.
    if (Cause() != kTargetReset) {
        JudgeProgram(what, launchBreaks_);
    }
    JudgeBreakBytesHidden(what);
}

void HostStorm::JudgeStopPlace(const std::string& what, std::optional<DWORD> expected) {
    const DWORD pc = stopPc_;
    if (Failed() || Cause() == kTargetReset || GoUnread()) {
        return;  // a reset's stop is judged by its registers alone; an unread go by nothing
    }
    if (expected) {
        Expect(pc == *expected, Check::StopPlace,
               what + " stopped at " + HexText(pc) + " (\"" + Cause() + "\"), not at " + HexText(*expected));
        return;
    }
    // A break the emulator made up during the halt stops wherever the
    // program was: the emulator says a break instruction stopped it there.
    if (fault_.kind == Q3V_SIM_FAULT_BREAK_STOP) {
        return;
    }
    Expect(Cause() == kBreakKey, Check::StopPlace,
           what + " stopped by itself at " + HexText(pc) + " (\"" + Cause() +
               "\"), where the host lists no enabled breakpoint or condition");
}

// The chip's flash is the model's: the program, and what the host wrote,
// once a launch or a download wrote it back; a break byte may stay where a
// breakpoint stood at the launch until the next one.
void HostStorm::JudgeProgram(const std::string& what, const std::set<DWORD>& breakBytes, Check check) {
    Bytes chip = ReadTarget(kFlashFirst, flash_.size());
    for (const DWORD address : breakBytes) {
        if (address >= kFlashFirst && address <= kFlashEnd) {
            chip[address - kFlashFirst] = flash_[address - kFlashFirst];
        }
    }
    const auto differs = std::mismatch(chip.begin(), chip.end(), flash_.begin());
    if (differs.first != chip.end()) {
        const DWORD address = kFlashFirst + static_cast<DWORD>(differs.first - chip.begin());
        Expect(false, check,
               what + ": the chip's flash at " + HexText(address) + " holds " + HexText(*differs.first) + ", not " +
                   HexText(*differs.second));
    }
}

// What the host reads of the program and the RAM code where breakpoints
// may stand is the program's own.
void HostStorm::JudgeBreakBytesHidden(const std::string& what) {
    if (Failed()) {
        return;
    }
    const DWORD count = kProgramAreaEnd - kProgramArea + 1;
    const auto program = session_->ReadMemory(kProgramArea, count);
    const auto code = program && !Told() ? session_->ReadMemory(kRamCode, 1) : std::nullopt;
    if (!code || Told()) {
        return;  // the fault struck the reads: they are the operation's to answer
    }
    const Bytes expected = Expected(kProgramArea, count);
    const auto differs = std::mismatch(program->begin(), program->end(), expected.begin());
    if (differs.first != program->end()) {
        Expect(false, Check::BreakBytesHidden,
               what + ": the host reads " + HexText(*differs.first) + " at " +
                   HexText(kProgramArea + static_cast<DWORD>(differs.first - program->begin())) + ", not " +
                   HexText(*differs.second) + " (stop cause \"" + Cause() + "\")");
    }
    Expect(*code == Bytes{kNop}, Check::BreakBytesHidden, what + ": the host reads a break byte in the RAM code");
}

// Every operation ends, and leaves no run behind that a halt cannot end.
void HostStorm::JudgeRunEnded() {
    session_->CheckRunEnded();
    if (session_->Running()) {
        session_->Halt();
    }
    Expect(!session_->Running(), Check::Bounded, "a run never ended, not even after a halt");
}

}  // namespace roadtest
