#include "tests/link/link_storm.h"

#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "link/link_results.h"
#include "link/monitor_services.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <sstream>

namespace linktest {

namespace {

using namespace link_result;
using testing_support::Below;
using testing_support::FaultName;
using testing_support::HexText;

// The run CI makes.
constexpr std::uint64_t kCiSeed = 0x5EED0014;
constexpr std::uint32_t kCiIterations = 3000;

// The demo device's RAM: the user's from 0x400, the firmware's from 0xA00.
// The storm's own accesses leave 0x900-0x9FF to its two programs.
constexpr DWORD kRamTop = 0x0400;
constexpr DWORD kRamEnd = 0x0BFF;
constexpr DWORD kUserRamEnd = 0x08FF;
constexpr DWORD kFirmwareRamTop = 0x0A00;
constexpr DWORD kLoopProgram = 0x0900;
constexpr DWORD kBreakProgram = 0x0910;
const Bytes kLoopCode = {0xFE, 0xFF};        // jumps to itself
const Bytes kBreakCode = {0x04, 0x04, 0x00};  // two no-operations, the break instruction
// The write-back's work-RAM windows.
constexpr DWORD kWorkRamEnd = 0x07FF;
// Flash: program blocks 0 and 1 (kept in the mirror until a write-back) and
// the data flash (written back at once).
constexpr DWORD kFlashTop = 0xC000;
constexpr DWORD kFlashEnd = 0xEFFF;
constexpr DWORD kDataFlashTop = 0x2400;
constexpr DWORD kDataFlashEnd = 0x2BFF;
constexpr std::size_t kPc = 14;
constexpr std::size_t kIntb = 15;
constexpr DWORD kStopBreakInstruction = 0x4249;  // "BI"
constexpr DWORD kStopStep = 0x4253;              // "BS"
// Bounds on one operation: time on the platform clock, frames on the wire.
constexpr DWORD kOperationTicks = 120000;
constexpr DWORD kOperationFrames = 5000;

const char* const kOpNames[] = {"read",  "write", "fill",      "read registers", "write registers", "go",
                                "step",  "stop",  "run state", "reset",          "write-back"};
DWORD RegisterMask(std::size_t index) {
    return index == kPc ? 0xFFFFF : index == kIntb ? 0xFFFFFF : 0xFFFF;
}

// The bytes a fill lays down: the pattern's units, low byte first, their
// phase running on from the first address.
Bytes FillBytes(std::uint64_t pattern, std::size_t unit, std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<BYTE>(pattern >> (8 * (i % unit)));
    }
    return bytes;
}

std::size_t FillUnit(DWORD access) {
    switch (access) {
    case access_code::kWord:
        return 2;
    case access_code::kFill3:
        return 3;
    case access_code::kLong:
        return 4;
    case access_code::kDouble:
        return 8;
    default:
        return 1;  // any other code fills bytes
    }
}

}  // namespace

void LinkStorm::SetUp() {
    LinkTest::SetUp();
    settings_ = StormSettings::FromEnvironment(kCiSeed, kCiIterations);
    const auto image = emutest::LoadSRecords("WTR_KQ14.mot");
    ASSERT_FALSE(image.empty());
    writer_ = emutest::Slice(image, image.begin()->first, image.size());
    ram_.assign(kRamEnd - kRamTop + 1, -1);
    ASSERT_TRUE(Boot()) << failure_;
    // The RAM starts with a pattern, set through the emulator's back door.
    Bytes pattern(kRamEnd - kRamTop + 1);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        pattern[i] = static_cast<BYTE>(i * 13 + 7);
    }
    ASSERT_EQ(Control().writeTarget(kRamTop, pattern.data(), static_cast<DWORD>(pattern.size())), Q3V_SIM_OK);
    Remember(kRamTop, pattern);
    PlacePrograms();
    ASSERT_TRUE(failure_.empty()) << failure_;
    registers_ = ModelRegisters();
}

void LinkStorm::TearDown() {
    Control().clearFaults();
    LinkTest::TearDown();
}

// ---- judging ----

void LinkStorm::Expect(bool holds, const std::string& what) {
    if (!holds && failure_.empty()) {
        failure_ = what;
    }
}

std::string LinkStorm::Describe() const {
    std::ostringstream text;
    text << "storm seed " << SeedText(settings_.seed) << ", iteration " << iteration_ << ": "
         << kOpNames[static_cast<int>(op_)] << (detail_.empty() ? "" : " (" + detail_ + ")") << " under fault "
         << FaultName(fault_.kind) << " (value " << fault_.value << ", count " << fault_.count
         << ") at its driver call " << fault_.call << ", answered " << HexText(answer_) << ", recovery: "
         << recovery_;
    return text.str();
}

// ---- draws ----

LinkStorm::Op LinkStorm::DrawOp(StormRng& rng) const {
    static constexpr std::pair<Op, std::uint32_t> kWeights[] = {
        {Op::Read, 14}, {Op::Write, 16}, {Op::Fill, 10}, {Op::ReadRegisters, 6}, {Op::WriteRegisters, 6},
        {Op::Go, 7},    {Op::Step, 5},   {Op::Stop, 7},  {Op::RunState, 4},      {Op::Reset, 6},
        {Op::WriteBack, 9},
    };
    return testing_support::DrawWeighted(rng, kWeights);
}

LinkStorm::Fault LinkStorm::DrawFault(StormRng& rng, Op op) const {
    // Most operations take a few dozen driver calls; a write-back (also
    // inside a go, or a data-flash write) a few hundred.
    static constexpr std::uint32_t kCalls[] = {12, 24, 24, 4, 4, 40, 16, 20, 4, 6, 200};
    Fault fault;
    fault.kind = 1 + Below(rng, Q3V_SIM_FAULT_FLASH_STUCK);
    const std::uint32_t range = Below(rng, 4) == 0 ? 200 : kCalls[static_cast<int>(op)];
    fault.call = 1 + Below(rng, range);
    fault.count = 1;
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
        // Within the first 14 bytes: the header, the status word, the detail
        // word and a status reply's pad and closing byte, and the first data
        // bytes of a read. Data bytes carry no check on this wire, so the
        // judges of the replies that carry data let a turned data byte pass
        // (DataTurned).
        fault.value = Below(rng, 14);
        break;
    case Q3V_SIM_FAULT_BARE_ACK:
        // Firmware requests and page reads, whose replies are no bare
        // acknowledge: an adapter command answered with its very success
        // reply, left undone, cannot be told from success on any link.
        fault.value = Below(rng, 2) == 0 ? 0x5A : 'R';
        break;
    case Q3V_SIM_FAULT_DELAY: {
        static constexpr DWORD kDelays[] = {50, 4000, 6000, 12000, 29000, 31000};
        fault.value = kDelays[Below(rng, 6)];
        break;
    }
    case Q3V_SIM_FAULT_NAK:
    case Q3V_SIM_FAULT_RECEIVE_TIMEOUT:
    case Q3V_SIM_FAULT_ERASE:
    case Q3V_SIM_FAULT_PROGRAM:
        fault.count = 1 + Below(rng, 2);
        break;
    default:
        break;
    }
    return fault;
}

std::pair<DWORD, DWORD> LinkStorm::DrawRange(StormRng& rng, DWORD top, DWORD end, DWORD longest) {
    const DWORD first = top + Below(rng, end - top + 1);
    const DWORD length = 1 + Below(rng, std::min(longest, end - first + 1));
    return {first, first + length - 1};
}

DWORD LinkStorm::DrawRamRange(StormRng& rng, DWORD longest, DWORD& first) {
    const auto [top, end] = Below(rng, 4) == 0 ? std::pair{kFirmwareRamTop, kRamEnd} : std::pair{kRamTop, kUserRamEnd};
    const auto [a, e] = DrawRange(rng, top, end, longest);
    first = a;
    return e - a + 1;
}

DWORD LinkStorm::DrawAccess(StormRng& rng) {
    static constexpr DWORD kCodes[] = {access_code::kByte, access_code::kWord, access_code::kAddress,
                                       access_code::kLong, access_code::kDouble};
    return kCodes[Below(rng, 5)];
}

// ---- the emulator's view ----

bool LinkStorm::TargetRouted(DWORD address) const {
    // RAM is read from the target, and so is the data flash; the program
    // flash and what lies between are served from the mirror.
    return address <= kRamEnd || (address >= kDataFlashTop && address <= kDataFlashEnd);
}

Bytes LinkStorm::Mirror(DWORD address, std::size_t count) const {
    return Bytes(g_flashMirror.begin() + address, g_flashMirror.begin() + static_cast<std::ptrdiff_t>(address + count));
}

Bytes LinkStorm::Expected(DWORD address, std::size_t count) const {
    const Bytes target = ReadTarget(address, count);
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD at = address + static_cast<DWORD>(i);
        bytes[i] = TargetRouted(at) ? target[i] : g_flashMirror[at];
    }
    return bytes;
}

std::array<DWORD, 20> LinkStorm::ModelRegisters() const {
    std::array<DWORD, 20> values{};
    Control().getRegisters(values.data());
    return values;
}

void LinkStorm::Forget(DWORD first, DWORD last) {
    for (DWORD at = std::max(first, kRamTop); at <= std::min(last, kRamEnd); ++at) {
        ram_[at - kRamTop] = -1;
    }
}

void LinkStorm::ForgetWorkRam() {
    Forget(kRamTop, kWorkRamEnd);
    Forget(kFirmwareRamTop, kRamEnd);
}

void LinkStorm::AfterFailedWriteBack(WORD answer) {
    // The restore runs on every way out of the job and writes a refused
    // piece again, so a fault that cannot reach it leaves the work RAM as it
    // was: one that strikes only erases or programs, or strikes once and is
    // answered as no lost link. A lost link, or a fault that strikes again
    // (the restore or the hand-back to the firmware among its victims), may
    // leave the writer's bytes there.
    bool restored = false;
    switch (fault_.kind) {
    case Q3V_SIM_FAULT_ERASE:
    case Q3V_SIM_FAULT_PROGRAM:
    case Q3V_SIM_FAULT_FLASH_STUCK:
        restored = true;
        break;
    case Q3V_SIM_FAULT_NAK:
    case Q3V_SIM_FAULT_STATUS:
    case Q3V_SIM_FAULT_BARE_ACK:
    case Q3V_SIM_FAULT_TARGET_RESET:
    case Q3V_SIM_FAULT_VERIFY:
        restored = fault_.count == 1;
        break;
    case Q3V_SIM_FAULT_CORRUPT_REPLY:
        // A status word turned on its way is read as another status: the
        // flash step's 1 so turned hides that the writer has the target, and
        // the restore then meets the writer (and fails, and says so).
        restored = fault_.count == 1 && (fault_.value < 6 || fault_.value > 7);
        break;
    default:
        break;
    }
    if (!restored || answer == kTimeout || answer == kNotConnected || answer == kAborted) {
        ForgetWorkRam();
    }
}

void LinkStorm::Remember(DWORD first, const Bytes& bytes) {
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const DWORD at = first + static_cast<DWORD>(i);
        if (at >= kRamTop && at <= kRamEnd) {
            ram_[at - kRamTop] = bytes[i];
        }
    }
}

void LinkStorm::JudgeWritten(DWORD first, const Bytes& bytes, bool dataFlash) {
    if (TargetRouted(first) && !dataFlash) {
        Expect(ReadTarget(first, bytes.size()) == bytes, "a write that answered success is not in the target");
        Remember(first, bytes);
        return;
    }
    Expect(Mirror(first, bytes.size()) == bytes, "a write that answered success is not in the mirror");
    for (DWORD block = 0; block < g_flashBlocks.count && !dataFlash; ++block) {
        if (g_flashBlocks.top[block] <= first + bytes.size() - 1 && first <= g_flashBlocks.end[block]) {
            Expect(g_flashBlocks.dirty[block] != 0, "a block written in the mirror is not marked dirty");
        }
    }
    JudgeFlashInSync("after a write that answered success");
}

void LinkStorm::JudgeFlashInSync(const std::string& when) {
    // A block that is not dirty holds in the chip what the mirror holds: a
    // write-back never clears the flag of a block it did not program.
    for (DWORD block = 0; block < g_flashBlocks.count; ++block) {
        if (g_flashBlocks.dirty[block] != 0) {
            continue;
        }
        const DWORD top = g_flashBlocks.top[block];
        const std::size_t size = g_flashBlocks.end[block] - top + 1;
        Expect(ReadTarget(top, size) == Mirror(top, size),
               when + ": block " + std::to_string(block) + " is clean in the mirror but differs on the chip");
    }
}

bool LinkStorm::DataTurned(DWORD firstData) const {
    return fault_.kind == Q3V_SIM_FAULT_CORRUPT_REPLY && fault_.value >= firstData;
}

bool LinkStorm::LenientRun() const {
    // The go request has no reply: one that the emulator answers unread
    // (a negative acknowledge, a status byte, a bare acknowledge) or with a
    // CPU reset, or that reaches a target whose power or connector went
    // since the last connector check, leaves nothing the link could see;
    // the run-state monitor's poll finds the target stopped. A fault that
    // struck before the go failed a request that has a reply.
    switch (fault_.kind) {
    case Q3V_SIM_FAULT_NAK:
    case Q3V_SIM_FAULT_STATUS:
    case Q3V_SIM_FAULT_BARE_ACK:
    case Q3V_SIM_FAULT_TARGET_RESET:
    case Q3V_SIM_FAULT_CONNECTOR:
    case Q3V_SIM_FAULT_TARGET_POWER:
        return true;
    default:
        return false;
    }
}

// ---- the operations ----

WORD LinkStorm::Read(StormRng& rng) {
    const DWORD access = DrawAccess(rng);
    DWORD first = 0;
    DWORD count = 0;
    switch (Below(rng, 10)) {
    case 0: {
        const auto [a, e] = DrawRange(rng, kFlashTop, kFlashEnd, 300);
        first = a;
        count = e - a + 1;
        break;
    }
    case 1: {
        const auto [a, e] = DrawRange(rng, kDataFlashTop, kDataFlashEnd, 300);
        first = a;
        count = e - a + 1;
        break;
    }
    default: {
        const auto [a, e] = DrawRange(rng, kRamTop, kRamEnd, 300);
        first = a;
        count = e - a + 1;
        break;
    }
    }
    detail_ = HexText(count) + " bytes at " + HexText(first) + " by " + HexText(access);
    Bytes bytes(count, 0xEE);
    const WORD read = CFirmCommand().ReadMemory(access, first, count, bytes.data());
    if (read == kOk && !DataTurned(12)) {
        Expect(bytes == Expected(first, count), "a read that answered success does not give the emulator's memory");
    }
    return read;
}

WORD LinkStorm::Write(StormRng& rng) {
    const DWORD access = DrawAccess(rng);
    const DWORD verify = Below(rng, 2);
    const std::uint32_t where = Below(rng, 10);
    const bool dataFlash = where == 9;
    DWORD first = 0;
    DWORD count = 0;
    if (where < 7) {
        count = DrawRamRange(rng, 160, first);
    } else {
        const auto [a, e] = dataFlash ? DrawRange(rng, kDataFlashTop, kDataFlashEnd, 64)
                                      : DrawRange(rng, kFlashTop, kFlashEnd, 160);
        first = a;
        count = e - a + 1;
    }
    Bytes data(count);
    for (BYTE& byte : data) {
        byte = static_cast<BYTE>(rng());
    }
    detail_ = HexText(count) + " bytes at " + HexText(first) + " by " + HexText(access) + ", verify " +
              std::to_string(verify);
    std::copy(data.begin(), data.end(), g_firmWriteData.begin());
    const WORD written = CFirmCommand().WriteMemory(access, first, count, verify);
    if (written == kOk) {
        JudgeWritten(first, data, dataFlash);
    } else {
        Forget(first, first + count - 1);
        if (dataFlash) {
            AfterFailedWriteBack(written);
        }
    }
    return written;
}

WORD LinkStorm::Fill(StormRng& rng) {
    static constexpr DWORD kCodes[] = {access_code::kByte, access_code::kWord,   access_code::kFill3,
                                       access_code::kLong, access_code::kDouble, access_code::kAddress};
    const DWORD access = kCodes[Below(rng, 6)];
    const DWORD verify = Below(rng, 2);
    const std::uint64_t pattern = rng();
    const std::uint32_t where = Below(rng, 10);
    const bool dataFlash = where == 9;
    DWORD first = 0;
    DWORD count = 0;
    if (where < 7) {
        count = DrawRamRange(rng, 300, first);
    } else {
        const auto [a, e] = dataFlash ? DrawRange(rng, kDataFlashTop, kDataFlashEnd, 64)
                                      : DrawRange(rng, kFlashTop, kFlashEnd, 300);
        first = a;
        count = e - a + 1;
    }
    detail_ = HexText(count) + " bytes at " + HexText(first) + " by " + HexText(access) + ", verify " +
              std::to_string(verify);
    DWORD range[3] = {first, first + count - 1, 0};
    const WORD filled = CFirmCommand().WriteMemoryMonitor(access, verify, static_cast<DWORD>(pattern),
                                                          static_cast<DWORD>(pattern >> 32), range);
    if (filled == kOk) {
        JudgeWritten(first, FillBytes(pattern, FillUnit(access), count), dataFlash);
    } else {
        Forget(first, first + count - 1);
        if (dataFlash) {
            AfterFailedWriteBack(filled);
        }
    }
    return filled;
}

WORD LinkStorm::ReadRegisters(StormRng& rng) {
    std::array<DWORD, 20> values{};
    for (DWORD& value : values) {
        value = static_cast<DWORD>(rng());
    }
    const std::array<DWORD, 20> before = values;
    const WORD read = CFirmCommand().ReadRegisterFile(values);
    if (read == kOk && !DataTurned(8)) {
        const std::array<DWORD, 20> model = ModelRegisters();
        for (std::size_t i = 0; i < values.size(); ++i) {
            const bool wide = i == kPc || i == kIntb;
            const DWORD expected = wide ? model[i] : (before[i] & 0xFFFF0000) | model[i];
            Expect(values[i] == expected, "a register read that answered success gives register " +
                                              std::to_string(i) + " as " + HexText(values[i]) + " for " +
                                              HexText(expected));
        }
    }
    return read;
}

WORD LinkStorm::WriteRegisters(StormRng& rng) {
    std::array<DWORD, 20> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<DWORD>(rng()) & RegisterMask(i);
    }
    values[kPc] = kRamTop + Below(rng, 0xFC00);
    const WORD written = CFirmCommand().WriteRegisterFile(values);
    if (written == kOk) {
        Expect(ModelRegisters() == values, "a register write that answered success is not in the target");
        registers_ = values;
    } else {
        registers_.reset();
    }
    return written;
}

WORD LinkStorm::Go(StormRng& rng) {
    for (std::size_t i = 0; i < 20; ++i) {
        g_registerImage[i] = static_cast<DWORD>(rng()) & RegisterMask(i);
    }
    g_registerImage[kPc] = kBreakProgram;
    const std::array<DWORD, 20> image = [] {
        std::array<DWORD, 20> values{};
        std::copy_n(g_registerImage.begin(), values.size(), values.begin());
        return values;
    }();
    const WORD started = CFirmCommand().StartExecution(run_mode::kGo);
    registers_.reset();
    if (started != kOk) {
        AfterFailedWriteBack(started);  // a write-back runs before the go
        return started;
    }
    if (LenientRun()) {
        return started;
    }
    const Q3vSimStatus status = Status();
    Expect(status.running == 0 && status.stopWord == kStopBreakInstruction && status.pc == kBreakProgram + 2,
           "a go that answered success did not run the program to its break instruction");
    std::array<DWORD, 20> registers = ModelRegisters();
    registers[kPc] = kBreakProgram;
    Expect(registers == image, "a go that answered success did not write the register file");
    return started;
}

WORD LinkStorm::Step(StormRng& rng) {
    std::array<DWORD, 20> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<DWORD>(rng()) & RegisterMask(i);
    }
    values[kPc] = kBreakProgram;
    std::copy(values.begin(), values.end(), g_registerImage.begin());
    registers_.reset();
    if (const WORD written = CFirmCommand().WriteRegisterFile(values); written != kOk) {
        detail_ = "its register write";
        return written;
    }
    const WORD stepped = CFirmCommand().StartExecution(run_mode::kStep);
    if (stepped != kOk) {
        AfterFailedWriteBack(stepped);
        return stepped;
    }
    if (LenientRun()) {
        return stepped;
    }
    const Q3vSimStatus status = Status();
    Expect(status.running == 0 && status.stopWord == kStopStep && status.pc == kBreakProgram + 1,
           "a step that answered success did not stop after one instruction");
    return stepped;
}

WORD LinkStorm::Stop(StormRng& rng) {
    std::array<DWORD, 20> values{};
    for (std::size_t i = 0; i < values.size(); ++i) {
        values[i] = static_cast<DWORD>(rng()) & RegisterMask(i);
    }
    values[kPc] = kLoopProgram;
    registers_.reset();
    if (const WORD written = CFirmCommand().WriteRegisterFile(values); written != kOk) {
        detail_ = "its register write";
        return written;
    }
    g_runMode = run_mode::kGo;
    if (const WORD gone = CFirmCommand().Go(); gone != kOk) {
        detail_ = "its go";
        return gone;
    }
    const WORD stopped = Link().BreakTarget();
    if (stopped == kOk) {
        Expect(Status().running == 0, "a stop that answered success left the program running");
    }
    return stopped;
}

WORD LinkStorm::RunState() {
    const WORD queried = Link().QueryRunState(0);
    // The stop word and the PC are the reply's data.
    if (queried == kOk && !DataTurned(6)) {
        const Q3vSimStatus status = Status();
        const DWORD stopWord = static_cast<DWORD>(g_firmReplyBuffer[6] | (g_firmReplyBuffer[7] << 8));
        Expect(stopWord == (status.running != 0 ? 0 : status.stopWord),
               "a run-state query that answered success gives the stop word " + HexText(stopWord));
        if (status.running == 0) {
            const DWORD pc = static_cast<DWORD>(g_firmReplyBuffer[8] | (g_firmReplyBuffer[9] << 8) |
                                                (g_firmReplyBuffer[10] << 16));
            Expect(pc == status.pc, "a run-state query that answered success gives the PC " + HexText(pc));
        }
    }
    return queried;
}

WORD LinkStorm::Reset() {
    const DWORD reset = CFirmCommand().ResetTarget();
    registers_.reset();
    if (reset == kOk) {
        const Q3vSimStatus status = Status();
        Expect(status.mcuState == Q3V_SIM_MCU_FIRMWARE && status.running == 0 && status.targetPowered == 1,
               "a reset that answered success did not leave the firmware serving a stopped, powered target");
        Expect(ModelRegisters() == std::array<DWORD, 20>{},
               "a reset that answered success did not bring the registers out of reset");
    }
    // The only failure wider than a link word, the monitor access refused,
    // cannot happen here (no start-up objects); any failure stays one.
    return reset <= 0xFFFF ? static_cast<WORD>(reset) : kAborted;
}

WORD LinkStorm::WriteBack(StormRng& rng) {
    // Changes in the mirror first (they need no wire), then the job.
    const std::uint32_t spans = 1 + Below(rng, 3);
    for (std::uint32_t s = 0; s < spans; ++s) {
        const auto [a, e] = DrawRange(rng, kFlashTop, kFlashEnd, 64);
        for (DWORD at = a; at <= e; ++at) {
            g_firmWriteData[at - a] = static_cast<BYTE>(rng());
        }
        if (const WORD written = CFirmCommand().WriteMemory(access_code::kByte, a, e - a + 1, 0);
            written != kOk) {
            detail_ = "a change in the mirror";
            return written;
        }
    }
    const WORD job = CFirmCommand().WriteBackFlash();
    if (job == kOk) {
        JudgeFlashInSync("after a write-back that answered success");
    } else {
        AfterFailedWriteBack(job);
    }
    return job;
}

WORD LinkStorm::Run(Op op, StormRng& rng) {
    switch (op) {
    case Op::Read:
        return Read(rng);
    case Op::Write:
        return Write(rng);
    case Op::Fill:
        return Fill(rng);
    case Op::ReadRegisters:
        return ReadRegisters(rng);
    case Op::WriteRegisters:
        return WriteRegisters(rng);
    case Op::Go:
        return Go(rng);
    case Op::Step:
        return Step(rng);
    case Op::Stop:
        return Stop(rng);
    case Op::RunState:
        return RunState();
    case Op::Reset:
        return Reset();
    case Op::WriteBack:
        return WriteBack(rng);
    }
    return kAborted;
}

// ---- recovery ----

bool LinkStorm::Boot() {
    const struct {
        const char* step;
        std::function<WORD()> run;
    } steps[] = {
        {"open", [&] { return Link().Open(); }},
        {"unlock", [&] { return Link().UnlockWithIdCode(); }},
        {"flash writer", [&] { return Link().SetDataBlock(0, static_cast<WORD>(writer_.size()), writer_.data()); }},
        {"flash writer download", [&] { return Link().SendDataBlock(); }},
        {"firmware download", [&] { return Link().DownloadFirmware(0); }},
    };
    for (const auto& step : steps) {
        if (const WORD result = step.run(); result != kOk) {
            Expect(false, std::string("a fresh boot failed at its ") + step.step + " with " + HexText(result));
            return false;
        }
    }
    CFirmCommand command;
    command.ResetFlashBlocks();
    if (const WORD loaded = command.RefreshFlashMirror(); loaded != kOk) {
        Expect(false, "the mirror could not be loaded after a fresh boot: " + HexText(loaded));
        return false;
    }
    return true;
}

bool LinkStorm::Probe() {
    std::array<BYTE, 13> version{};
    return CFirmCommand().ReadVersion(version) == kOk &&
           std::string(reinterpret_cast<const char*>(version.data())) == "Q3vKQ14V1.00";
}

void LinkStorm::PlacePrograms() {
    for (const auto& [address, code] : {std::pair{kLoopProgram, kLoopCode}, std::pair{kBreakProgram, kBreakCode}}) {
        std::copy(code.begin(), code.end(), g_firmWriteData.begin());
        const WORD written = CFirmCommand().WriteMemory(access_code::kByte, address, static_cast<DWORD>(code.size()), 1);
        Expect(written == kOk, "the programs could not be placed: " + HexText(written));
        Remember(address, code);
    }
}

void LinkStorm::Recover(bool failed) {
    recovery_ = "none needed";
    if (failed || Link().IsLinkLost() || !Probe()) {
        if (Link().ResetAndInitMonitor() == kOk && Probe()) {
            ++restarts_;
            recovery_ = "monitor restart";
        } else {
            ++boots_;
            recovery_ = "fresh boot";
            // The firmware starts afresh: the CPU comes out of its reset.
            registers_.reset();
            if (!Boot()) {
                return;
            }
        }
    }
    // A program still running is stopped the code's way.
    if (Status().running != 0) {
        Expect(Link().BreakTarget() == kOk && Status().running == 0, "after recovery the program could not be stopped");
    }
    const bool programsKnown = std::all_of(ram_.begin() + (kLoopProgram - kRamTop),
                                           ram_.begin() + (kBreakProgram - kRamTop + 3), [](int b) { return b >= 0; });
    if (!programsKnown) {
        PlacePrograms();
    }
}

void LinkStorm::CheckAfterRecovery() {
    // Memory reads give what was last written successfully; what is not
    // known (bytes an operation that failed may have touched) is learned.
    Bytes ram(kRamEnd - kRamTop + 1, 0xEE);
    const WORD read = CFirmCommand().ReadMemory(access_code::kByte, kRamTop, static_cast<DWORD>(ram.size()), ram.data());
    Expect(read == kOk, "after recovery the RAM could not be read: " + HexText(read));
    if (read == kOk) {
        for (std::size_t i = 0; i < ram.size(); ++i) {
            if (ram_[i] >= 0 && ram[i] != ram_[i]) {
                Expect(false, "after recovery " + HexText(kRamTop + static_cast<DWORD>(i)) + " reads " +
                                  HexText(ram[i]) + ", not the " + HexText(static_cast<DWORD>(ram_[i])) +
                                  " last written successfully");
                break;
            }
        }
        Expect(ram == ReadTarget(kRamTop, ram.size()), "after recovery a read differs from the emulator's memory");
        Remember(kRamTop, ram);
    }
    std::array<DWORD, 20> registers{};
    const WORD registersRead = CFirmCommand().ReadRegisterFile(registers);
    Expect(registersRead == kOk, "after recovery the registers could not be read: " + HexText(registersRead));
    if (registersRead == kOk) {
        for (std::size_t i = 0; i < registers.size(); ++i) {
            registers[i] &= RegisterMask(i);
        }
        Expect(!registers_ || *registers_ == registers,
               "after recovery the registers are not those last written successfully");
        Expect(registers == ModelRegisters(), "after recovery the registers read differ from the emulator's");
        registers_ = registers;
    }
    JudgeFlashInSync("after recovery");
    Expect(g_flashJobActive == 0, "after recovery the flash job still counts as running");
}

// ---- one iteration ----

bool LinkStorm::Iterate(std::uint32_t iteration) {
    iteration_ = iteration;
    failure_.clear();
    detail_.clear();
    recovery_.clear();
    StormRng rng(testing_support::IterationSeed(settings_.seed, iteration));
    // Every iteration starts half a second or more after the last connector
    // check, so its first gated operation reads the connector again.
    clock_.Advance(1000);
    log_.Clear();
    op_ = DrawOp(rng);
    fault_ = DrawFault(rng, op_);
    Expect(Control().injectFaultAfterDriverCalls(fault_.call, fault_.kind, fault_.value, fault_.count) ==
               Q3V_SIM_OK,
           "the fault could not be armed");
    const DWORD startTicks = clock_.Now();
    const DWORD startFrames = Control().getFrameCount() == 0 ? 0 : [&] {
        Q3vSimFrameInfo info{};
        Control().getFrame(Control().getFrameCount() - 1, &info, nullptr, 0);
        return info.sequence;
    }();
    answer_ = Run(op_, rng);
    Q3vSimFrameInfo last{};
    Control().getFrame(Control().getFrameCount() - 1, &last, nullptr, 0);
    Expect(clock_.Now() - startTicks <= kOperationTicks,
           "the operation took " + std::to_string(clock_.Now() - startTicks) + " ms");
    Expect(last.sequence - startFrames <= kOperationFrames,
           "the operation took " + std::to_string(last.sequence - startFrames) + " frames");
    Expect(g_flashJobActive == 0, "the flash job still counts as running");
    Control().clearFaults();
    if (fault_.kind == Q3V_SIM_FAULT_TARGET_POWER) {
        // Without power nothing of the RAM or the registers is kept.
        Forget(kRamTop, kRamEnd);
        registers_.reset();
    } else if (fault_.kind == Q3V_SIM_FAULT_TARGET_RESET) {
        registers_.reset();  // the CPU was reset
    }
    if (answer_ != kOk) {
        ++failures_;
    }
    if (!Failed()) {
        Recover(answer_ != kOk);
    }
    if (!Failed()) {
        CheckAfterRecovery();
    }
    if (settings_.verbose) {
        std::printf("%s\n", Describe().c_str());
    }
    return !Failed();
}

}  // namespace linktest
