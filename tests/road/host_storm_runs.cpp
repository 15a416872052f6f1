// The host storm's runs: go, go to addresses, reset and go, the three
// steps, new registers, the reset and the session's end, each judged by
// where the target stopped against the host's lists and the demo's loop.
#include "tests/road/host_storm.h"

#include "sim/host/host_events.h"
#include "sim/host/status_window.h"

#include "platform/clock.h"
#include "platform/host/ids.h"

#include <algorithm>
#include <atomic>
#include <functional>
#include <thread>

namespace roadtest {

namespace {

using namespace storm;
using emutest::Bytes;
using testing_support::Below;
using testing_support::HexText;

constexpr std::size_t kPc = 14;
constexpr std::size_t kIsp = 17;
constexpr std::size_t kR0 = 0;
constexpr std::size_t kSb = 18;
constexpr char kTargetReset[] = "TARGET RESET";
// The host's polls for each millisecond of a wait, as its session makes them.
constexpr DWORD kPollsPerMillisecond = 100;
// How long a reset and go that nothing should stop runs before its halt.
constexpr DWORD kRunOnMilliseconds = 50;
constexpr std::size_t kMostUntilAddresses = 3;
// The instructions a go that nothing should stop runs before the person at
// the host ends the host's wait: the demo's loop many times over.
constexpr DWORD kRunOnInstructions = 2000;

// The person at the host who sees the program run on past every place it
// could stop ends the host's wait for the stop (Ctrl-C), and the host halts
// it: without that the host waits out its limit whenever it lists
// breakpoints. A thread of its own while the host's go waits.
class PersonCutsTheWait {
public:
    PersonCutsTheWait(simhost::DebugSession& session, std::function<bool()> ranOn)
        : thread_([this, &session, ranOn = std::move(ranOn)] {
              while (!done_) {
                  if (ranOn() && session.CutRunWaitShort()) {
                      cut_ = true;
                      return;
                  }
                  std::this_thread::yield();
              }
          }) {}
    ~PersonCutsTheWait() {
        done_ = true;
        thread_.join();
    }
    PersonCutsTheWait(const PersonCutsTheWait&) = delete;
    PersonCutsTheWait& operator=(const PersonCutsTheWait&) = delete;
    bool Cut() const { return cut_; }

private:
    std::atomic<bool> done_{false};
    std::atomic<bool> cut_{false};
    std::thread thread_;
};

std::string AddressesText(const std::set<DWORD>& addresses) {
    std::string text;
    for (const DWORD address : addresses) {
        text += (text.empty() ? "" : " ") + HexText(address);
    }
    return text.empty() ? "none" : text;
}

}  // namespace

std::optional<DWORD> storm::FirstStop(DWORD start, const std::set<DWORD>& stops) {
    const auto at = std::find(kLoop.begin(), kLoop.end(), start);
    const std::size_t from = static_cast<std::size_t>(at - kLoop.begin()) % kLoop.size();
    for (std::size_t i = 1; i <= kLoop.size(); ++i) {
        const DWORD address = kLoop[(from + i) % kLoop.size()];
        if (stops.contains(address)) {
            return address;
        }
    }
    return std::nullopt;
}

const std::string& HostStorm::Cause() const {
    return resetGoCause_ ? *resetGoCause_ : session_->LastStopCause();
}

void HostStorm::Launch(const Lists& lists, const std::vector<DWORD>& untilAddresses) {
    launchBreaks_ = lists.breakpoints;
    launchBreaks_.insert(untilAddresses.begin(), untilAddresses.end());
    launchChannels_.clear();
    for (const Condition& condition : lists.conditions) {
        if (condition.set) {
            launchChannels_.insert(condition.address);
        }
    }
    launchChannels_.insert(untilAddresses.begin(), untilAddresses.end());
}

void HostStorm::Start(DWORD pc) {
    simhost::HostRegisters& registers = host_->Services().Registers();
    registers.SetValue(kPc, pc);
    if (InSubroutine(pc)) {
        PutTarget(kReturnSlot, Bytes(kReturnBytes.begin(), kReturnBytes.end()));
        registers.SetValue(kIsp, kReturnSlot);
    } else {
        registers.SetValue(kIsp, kStack);
    }
}

// The host waits for the stop of a go while it lists breakpoints; the storm
// waits for a go the lists say stops, and halts one they say runs on (the
// person ends the host's own wait for such a go). A wait that ran out or
// was cut short halted the program: such a run is judged like one that
// stopped.
bool HostStorm::GoFrom(DWORD start, const std::string& what) {
    const Lists lists = HostLists();
    std::set<DWORD> stops = lists.enabledBreakpoints;
    stops.insert(lists.enabledConditions.begin(), lists.enabledConditions.end());
    const std::optional<DWORD> expected = FirstStop(start, stops);
    Launch(lists);
    detail_ += (detail_.empty() ? "" : "; ") + std::string("from ") + HexText(start) + ", stops " +
               AddressesText(stops);
    Start(start);
    runWaitRanOut_ = false;
    bool ended = false;
    bool cut = false;
    {
        std::optional<PersonCutsTheWait> person;
        if (!expected) {
            person.emplace(*session_, [this] { return Status().instructions - instructionsBefore_ > kRunOnInstructions; });
        }
        ended = session_->Go();
        cut = person && person->Cut();
    }
    if (ended && session_->Running()) {
        ended = expected ? session_->Wait(simhost::kRunWaitMilliseconds) : session_->Halt();
    }
    if ((!ended && !runWaitRanOut_ && !cut) || session_->Running() || StopTold()) {
        return false;
    }
    JudgeStop(what);
    JudgeStopPlace(what, expected);
    return true;
}

bool HostStorm::Go(StormRng& rng) {
    return GoFrom(kLoop[Below(rng, static_cast<std::uint32_t>(kLoop.size()))], "a go");
}

// The addresses take the break channels for the run: the conditions stop
// nothing, the breakpoints still do.
bool HostStorm::GoUntil(StormRng& rng) {
    const DWORD start = kLoop[Below(rng, static_cast<std::uint32_t>(kLoop.size()))];
    std::vector<DWORD> addresses{kLoop[Below(rng, static_cast<std::uint32_t>(kLoop.size()))]};
    for (std::uint32_t more = Below(rng, kMostUntilAddresses); more > 0; --more) {
        const std::uint32_t pick = Below(rng, static_cast<std::uint32_t>(kLoop.size()) + 1);
        addresses.push_back(pick < kLoop.size() ? kLoop[pick] : kUnreachedFlash);
    }
    const Lists lists = HostLists();
    std::set<DWORD> stops = lists.enabledBreakpoints;
    stops.insert(addresses.begin(), addresses.end());
    const std::optional<DWORD> expected = FirstStop(start, stops);
    Launch(lists, addresses);
    detail_ = "from " + HexText(start) + " until";
    for (const DWORD address : addresses) {
        detail_ += " " + HexText(address);
    }
    detail_ += ", stops " + AddressesText(stops);
    Start(start);
    runWaitRanOut_ = false;
    if ((!session_->GoUntil(addresses) && !runWaitRanOut_) || session_->Running() || StopTold()) {
        return false;
    }
    JudgeStop("a go to addresses");
    JudgeStopPlace("a go to addresses", expected);
    return true;
}

// The host's session has no reset and go: the storm asks the run control
// for it and waits for its stop as the session waits for a go's.
bool HostStorm::ResetAndGo() {
    const Lists lists = HostLists();
    std::set<DWORD> stops = lists.enabledBreakpoints;
    stops.insert(lists.enabledConditions.begin(), lists.enabledConditions.end());
    const std::optional<DWORD> expected = FirstStop(kEntry, stops);
    Launch(lists);
    detail_ = "stops " + AddressesText(stops);
    auto* exec = Served<IHTExec2>(IID_IHTExec2);
    const HRESULT started = exec->ResetGo();
    if (FAILED(started)) {
        Print("reset and go: " + simhost::ResultText(started));
        return false;
    }
    if (!AwaitResetAndGo(expected.has_value()) || StopTold()) {
        return false;
    }
    JudgeStop("a reset and go");
    JudgeStopPlace("a reset and go", expected);
    return true;
}

bool HostStorm::AwaitResetAndGo(bool stops) {
    auto* exec = Served<IHTExec2>(IID_IHTExec2);
    auto* client = Served<IHWorkSpaceClient2>(IID_IHWorkSpaceClient2, false);
    const auto ended = [&] { return exec->QueryIdleEx() == S_OK && client->QueryBusyOnWorkspaceClose() == 0; };
    const auto await = [&](DWORD milliseconds) {
        for (DWORD polls = 0; !ended(); ++polls) {
            if (polls >= milliseconds * kPollsPerMillisecond) {
                return false;
            }
            if (polls % kPollsPerMillisecond == 0) {
                Sleep(1);
            } else {
                std::this_thread::yield();
            }
        }
        return true;
    };
    if (!await(stops ? simhost::kRunWaitMilliseconds : kRunOnMilliseconds)) {
        Print("reset and go: halting the program");
        if (FAILED(exec->Halt()) || !await(simhost::kRunWaitMilliseconds)) {
            Print("reset and go: the program did not stop");
            return false;
        }
    }
    // The stop's report as the host makes it: its run-state event, then
    // the cause from the status page.
    for (const simhost::AttachedComponent& component : host_->Components()) {
        for (const simhost::ComponentRegistration& registration : host_->Registry().Registrations()) {
            if (registration.isTarget && registration.clsid == component.clsid) {
                component.component->OnHostEvent(&EVENT_RunState);
            }
        }
    }
    resetGoCause_ = session_->StatusItem("Platform", "Cause of last break");
    Print("reset and go: stopped: " + *resetGoCause_);
    return true;
}

bool HostStorm::Step(StormRng& rng, simhost::StepKind kind) {
    static constexpr const char* kWhat[] = {"a step", "a step over", "a step out"};
    const std::string what = kWhat[static_cast<int>(kind)];
    // A step out starts inside the subroutine: from anywhere else it would
    // step the loop for ever.
    const std::uint32_t first = kind == simhost::StepKind::Out ? 4 : 0;
    const StepFrom& step = kSteps[first + Below(rng, static_cast<std::uint32_t>(kSteps.size()) - first)];
    const DWORD expected = kind == simhost::StepKind::In ? step.in
                           : kind == simhost::StepKind::Over ? step.over
                                                             : kAfterCall;
    Launch(HostLists());
    detail_ = "from " + HexText(step.from);
    Start(step.from);
    if (!session_->Step(kind) || StopTold()) {
        return false;
    }
    JudgeStop(what);
    JudgeStopPlace(what, expected);
    return true;
}

bool HostStorm::Registers(StormRng& rng) {
    const auto r0 = static_cast<DWORD>(rng() & 0xFFFF);
    const auto sb = static_cast<DWORD>(rng() & 0xFFFF);
    host_->Services().Registers().SetValue(kR0, r0);
    host_->Services().Registers().SetValue(kSb, sb);
    Start(0xC004);  // a no-operation
    Launch(HostLists());
    detail_ = "R0 " + HexText(r0) + ", SB " + HexText(sb) + ", then a step";
    if (!session_->Step(simhost::StepKind::In) || StopTold()) {
        return false;
    }
    // The target's registers at the stop, before the judgement's reads.
    const std::array<DWORD, 20> model = ModelRegisters();
    JudgeStop("a step with new registers");
    Expect((model[kR0] == r0 && model[kSb] == sb) || Cause() == kTargetReset || GoUnread(), Check::StopRegisters,
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
    Expect(status.pc == kEntry, Check::ResetDone, "the reset left the PC at " + HexText(status.pc));
    return true;
}

// The session's end takes the break bytes out and writes back what only
// the mirror holds: the chip then holds the program and what the host
// wrote, unless the person was told. A new session follows.
bool HostStorm::Reconnect() {
    if (!session_->Disconnect() || Told()) {
        ForgetSession();
        return false;
    }
    JudgeProgram("the session's end", {}, Check::ChipAtEnd);
    Expect(ReadTarget(kRamCode, 1) == Bytes{kNop}, Check::ChipAtEnd,
           "the session ended with a break byte in the RAM code");
    ForgetSession();
    if (!session_->Connect() || Told()) {
        return false;
    }
    flash_ = ReadTarget(kFlashFirst, kFlashEnd - kFlashFirst + 1);
    const Q3vSimStatus status = Status();
    Expect(status.targetPowered == 1 && status.mcuState == Q3V_SIM_MCU_FIRMWARE, Check::Recovered,
           "a connect that answered success left no firmware running");
    return true;
}

}  // namespace roadtest
