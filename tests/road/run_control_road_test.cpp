// Run control on the real road: the simulated host with its register array,
// the plug-in module's run-control and memory handlers and the simulated
// emulator's module, with the demo program (Vk3Demo.mot) in the target's
// flash. The host initialises the target (its handlers, the connect, the
// opens); the test reaches the handlers through their host interfaces and
// virtual operations only.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/road_session.h"

#include "frame/error_codes.h"
#include "frame/target_memory.h"
#include "res/resource_ids.h"
#include "tests/support/address_list.h"

#include "platform/profile.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <thread>
#include <utility>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Lines;

constexpr HRESULT kNotAvailable = static_cast<HRESULT>(0x80042001);
constexpr std::size_t kPc = 14;
constexpr std::size_t kR3 = 3;
constexpr std::size_t kUsp = 16;
constexpr std::size_t kIsp = 17;
constexpr std::size_t kFlg = 19;
constexpr char kGoFrame[] = "00 0E 5A 21";

class RunControlRoad : public roadtest::RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseEmulator(emutest::Module(), roadtest::kDemoSettings));
        ASSERT_NO_FATAL_FAILURE(UseDevice(Device()));
        ASSERT_NO_FATAL_FAILURE(WriteProgram(Program()));
        ASSERT_NO_FATAL_FAILURE(LoadHost());
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        ASSERT_NO_FATAL_FAILURE(FindTarget());
        if (Group() == nullptr) {
            // The session file that holds it makes the selection the sheet's,
            // not the new session's wizard.
            ExpectSheet(res_id::kModeKeepFlash);
        } else {
            // A group the sheet does not list: the session names it.
            ASSERT_NO_FATAL_FAILURE(NameDevice(Group(), Device(), "1"));
        }
        // The program's reset vector, as its download would have kept it.
        char reset[16];
        std::snprintf(reset, sizeof(reset), "%x", static_cast<unsigned>(Entry()));
        ASSERT_NO_FATAL_FAILURE(Session("USER_DATA", "RESET", reset));
        // The host's initialisation: the handlers, the connect, the opens.
        ASSERT_EQ(StartTarget(), S_OK);
        ASSERT_EQ(ui_.MessageBoxes().size(), 0u);
        handler_ = target_->GetExecHandler();
        ASSERT_NO_FATAL_FAILURE(OpenExec());
        AtEntry(Entry(), 0x0900);
        control_->clearFrames();
    }

    // The device group the session names; none: the demo group, chosen on
    // the Emulator Setting sheet.
    virtual const char* Group() const { return nullptr; }
    // The device of that group, the program in its flash and its entry.
    virtual const char* Device() const { return "VK31D16"; }
    virtual std::map<std::uint32_t, std::uint8_t> Program() const { return emutest::LoadSRecords("Vk3Demo.mot"); }
    virtual DWORD Entry() const { return 0xC000; }
    CTargetMemory& Memory() { return *target_->GetMemoryHandler(); }
    // The run ended, and every running word is cleared.
    void AwaitEnd() override {
        ASSERT_NO_FATAL_FAILURE(RoadSession::AwaitEnd());
        EXPECT_EQ(exec_->QueryIdleEx(), S_OK);
        EXPECT_EQ(exec_->QueryIdleA(), S_OK);
        EXPECT_EQ(handler_->IsRunning(), 0u);
        EXPECT_EQ(Handler().IsWaiting(), 0u);
    }
    std::size_t GoFrames() const {
        return FramesIn([](const Bytes& bytes) { return emutest::HexText(bytes).starts_with(kGoFrame); }).size();
    }
    std::vector<DWORD> StopPositions() { return host_->Services().StopPositions().Positions(); }
    CTargetExec* handler_ = nullptr;
};

TEST_F(RunControlRoad, AGoRunsUntilTheBreakKeyAndTheRegistersReachTheHost) {
    GoAndHalt();
    EXPECT_EQ(StopCause(), "BREAK KEY");
    EXPECT_EQ(Status().running, 0u);
    EXPECT_EQ(Status().stopWord, 0x424Bu);
    EXPECT_EQ(Registers().Value(kPc), Status().pc) << "the registers went to the host";
    EXPECT_EQ(StopPositions(), std::vector<DWORD>{Status().pc});
    EXPECT_EQ(GoFrames(), 1u);
    EXPECT_TRUE(Messages().empty());
    // The host's go-started and run-stopped events were asked for.
    EXPECT_FALSE(host_->Log().Find("GetEventName").empty());
}

TEST_F(RunControlRoad, StepInOverAndOut) {
    ASSERT_EQ(exec_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC010u) << "into the subroutine";
    EXPECT_EQ(StopCause(), "STEP NORMAL END");

    ASSERT_EQ(exec_->StepOut(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC004u) << "back after the return, though no disassembler named it";

    Registers().SetValue(kPc, 0xC000);
    control_->clearFrames();
    ASSERT_EQ(exec_->StepOver(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC004u);
    EXPECT_EQ(GoFrames(), 1u) << "one go over the call";
    EXPECT_EQ(StopCause(), "SUBROUTINE END");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RunControlRoad, ARangeStepGoesOnWhileThePcStaysInTheRange) {
    Registers().SetValue(kPc, 0xC004);
    ASSERT_EQ(exec_->StepInEx(0xC004, 0xC006), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC000u) << "C005, C006, then out of the range";
    EXPECT_EQ(GoFrames(), 3u);
}

TEST_F(RunControlRoad, AGoToAnAddressStopsThereAndLeavesNothingArmed) {
    const testsupport::AddressList list{0xC005};
    ASSERT_EQ(exec_->GoEx(list.Get()), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC005u);
    EXPECT_EQ(StopCause(), "STOP ADDRESS");
    // The next go is not stopped by the address.
    GoAndHalt();
    EXPECT_EQ(StopCause(), "BREAK KEY");
}

TEST_F(RunControlRoad, AGoToThreeAddressesUsesABreakpointForTheThirdAndTakesItOutAgain) {
    const testsupport::AddressList list{0xC011, 0xC012, 0xC005};
    ASSERT_EQ(exec_->GoEx(list.Get()), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC011u);
    EXPECT_EQ(StopCause(), "STOP ADDRESS");
    GoAndHalt();
    EXPECT_EQ(StopCause(), "BREAK KEY") << "neither the channels nor the breakpoint stop it";
    EXPECT_EQ(ReadTarget(0xC005, 1), Bytes{0x04}) << "the break byte left the flash";
}

TEST_F(RunControlRoad, FlgAndIntbInstructionsAreStepsWithoutAGo) {
    ASSERT_EQ(control_->writeTarget(0x0500, Bytes{0x7A, 0xB3}.data(), 2), Q3V_SIM_OK);
    Registers().SetValue(kPc, 0x0500);
    Registers().SetValue(kR3, 0x1234);
    ASSERT_EQ(exec_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kFlg), 0x1234u & 0x70FF);
    EXPECT_EQ(Registers().Value(kPc), 0x0502u);
    EXPECT_EQ(GoFrames(), 0u);
}

TEST_F(RunControlRoad, AStepOfAnInterruptReturnTakesItsFrame) {
    ASSERT_EQ(control_->writeTarget(0x0500, Bytes{0xFB}.data(), 1), Q3V_SIM_OK);
    ASSERT_EQ(control_->writeTarget(0x08FC, Bytes{0x04, 0xC0, 0x45, 0x00}.data(), 4), Q3V_SIM_OK);
    Registers().SetValue(kPc, 0x0500);
    Registers().SetValue(kIsp, 0x08FC);
    ASSERT_EQ(exec_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xC004u);
    EXPECT_EQ(Registers().Value(kFlg), 0x0045u) << "the flags the frame held";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RunControlRoad, ResetAndResetAndGo) {
    EXPECT_EQ(exec_->Reset(), S_OK);
    EXPECT_EQ(host_->Services().ReportedErrors().back(), "RESET CPU");
    EXPECT_EQ(host_->Log().Find("PostEvent").size(), 1u) << "the reset event";
    EXPECT_EQ(Registers().Value(kPc), 0xC000u) << "from the reset vector";

    Registers().SetValue(kPc, 0xC005);
    ASSERT_EQ(exec_->ResetGo(), S_OK);
    AwaitRunning();
    EXPECT_EQ(Status().running, 1u);
    EXPECT_EQ(host_->Log().Find("PostEvent").size(), 1u) << "reset and go only asks for the event's name";
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY");
    EXPECT_TRUE(Messages().empty());
}

// The host's reset while the program runs takes the memory lock between two
// polls of the go thread; the emulator reports the reset as the run's stop.
TEST_F(RunControlRoad, AResetDuringARunEndsTheRunAsTheTargetsReset) {
    Registers().SetValue(kPc, 0xC005);
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(exec_->Reset(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "TARGET RESET");
    EXPECT_EQ(Status().running, 0u);
    EXPECT_EQ(host_->Services().ReportedErrors().back(), "RESET CPU");
    EXPECT_EQ(host_->Log().Find("PostEvent").size(), 1u) << "the reset event";
    EXPECT_EQ(Registers().Value(kPc), 0xC000u) << "from the reset vector";
    EXPECT_TRUE(Messages().empty());
    GoAndHalt();
    EXPECT_EQ(StopCause(), "BREAK KEY") << "the target runs again";
}

// A flash byte the host writes while the target stands still is in the
// mirror; the next launch's write-back puts it into the chip.
TEST_F(RunControlRoad, AFlashByteWrittenWhileStoppedIsInTheChipAfterTheNextGo) {
    const BYTE byte = 0x5A;
    ASSERT_EQ(Memory().WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
    GoAndHalt();
    EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{byte});
    EXPECT_EQ(StopCause(), "BREAK KEY");
    EXPECT_TRUE(Messages().empty());
}

// Erased flash (0xFF) is no instruction: the run stops on it and says so,
// with the PC at the instruction, also at the top of the address space.
TEST_F(RunControlRoad, AStopOnAnIllegalInstructionIsReportedAsSuch) {
    struct Case {
        const char* name;
        DWORD pc;
        bool step;
    };
    const Case cases[] = {
        {"go", 0xC008, false},
        {"step", 0xC008, true},
        {"step at the top of the address space", 0xFFFFF, true},
    };
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        Registers().SetValue(kPc, one.pc);
        ASSERT_EQ(one.step ? exec_->StepIn() : exec_->Go(), S_OK);
        AwaitEnd();
        EXPECT_EQ(Status().stopWord, 0x494Cu) << "IL";
        EXPECT_EQ(StopCause(), "ILLEGAL INSTRUCTION");
        EXPECT_EQ(Registers().Value(kPc), one.pc);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RunControlRoad, RequestsThatDoNotFitAreRefusedWithoutAThread) {
    EXPECT_EQ(exec_->Halt(), kNotAvailable) << "nothing runs";
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(exec_->Go(), kNotAvailable);
    EXPECT_EQ(exec_->StepIn(), kNotAvailable);
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(GoFrames(), 1u);

    // (The demo device's PC, masked to 16 bits, is never above its memory map.)
    Registers().SetValue(kUsp, 0x10000);
    EXPECT_EQ(exec_->Go(), E_FAIL);
    EXPECT_EQ(exec_->StepIn(), E_FAIL);
    EXPECT_EQ(Messages(), (Lines{"Stack pointer in guarded area", "Stack pointer in guarded area"}));
    EXPECT_FALSE(Busy());
    EXPECT_EQ(GoFrames(), 1u) << "nothing started";
}

TEST_F(RunControlRoad, ALostLinkEndsTheRunWithOneMessage) {
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    AwaitEnd();
    EXPECT_EQ(Messages(), Lines{"Communication timeout error.\nPlease restart Q3v SYSTEM"});
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_LINK_LOST, 0, 0), Q3V_SIM_OK);
}

// An error reply to the stop's requests (an error status, a negative
// acknowledge) ends the run with one message; AwaitEnd sees every running
// word cleared.
class ErrorReplies : public RunControlRoad, public ::testing::WithParamInterface<std::pair<DWORD, DWORD>> {};

TEST_P(ErrorReplies, EndTheRunWithOneMessage) {
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    ASSERT_EQ(control_->injectFault(GetParam().first, GetParam().second, 1), Q3V_SIM_OK);
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Messages(), Lines{"Communication timeout error.\nPlease restart Q3v SYSTEM"});
}
INSTANTIATE_TEST_SUITE_P(RunControlRoad, ErrorReplies,
                         ::testing::Values(std::pair<DWORD, DWORD>{Q3V_SIM_FAULT_STATUS, 0x83},
                                           std::pair<DWORD, DWORD>{Q3V_SIM_FAULT_STATUS, 0x91},
                                           std::pair<DWORD, DWORD>{Q3V_SIM_FAULT_NAK, 0}));

TEST_F(RunControlRoad, ATargetThatIgnoresTheBreakEndsTheRunWithOneMessage) {
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_NO_BREAK, 0, 1000), Q3V_SIM_OK);
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Messages(), Lines{"Communication timeout error.\nPlease restart Q3v SYSTEM"});
    EXPECT_EQ(Status().running, 1u) << "the program never stopped";
}

// The memory handler while the go thread runs the program: the host's read
// of the user's RAM stops a type-1 program with the break line for the
// length of its access and goes again; a change of the data flash is
// refused with its message while the run control's running word is 1.
class MemoryWhileRunning : public RunControlRoad {
protected:
    void SetUp() override {
        RunControlRoad::SetUp();
        memory_ = target_->GetMemoryHandler();
        ASSERT_NE(memory_, nullptr);
        ASSERT_EQ(memory_->OnTargetOpen(), S_OK);
        ASSERT_EQ(exec_->Go(), S_OK);
        AwaitRunning();
        ASSERT_EQ(handler_->IsRunning(), 1u);
        control_->clearFrames();
    }
    void TearDown() override {
        if (Busy()) {
            EXPECT_EQ(exec_->Halt(), S_OK);
            AwaitEnd();
        }
        memory_->OnTargetClose();
        RunControlRoad::TearDown();
    }

    CTargetMemory* memory_ = nullptr;
};

TEST_F(MemoryWhileRunning, AReadOfTheUsersRamSitsBetweenTheBreakLineAndAGo) {
    const Bytes ram = {0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88};
    ASSERT_EQ(control_->writeTarget(0x0480, ram.data(), static_cast<DWORD>(ram.size())), Q3V_SIM_OK);
    Bytes read(ram.size(), 0xA5);
    ASSERT_EQ(memory_->ReadMemory(0x0480, 0x0487, 1, read.data()), S_OK);
    EXPECT_EQ(read, ram);
    // The break line stopped the program (the go thread saw no stop of its
    // own), the firmware read the RAM, and one go let the program run on.
    const Lines frames = FramesIn();
    const auto go = std::find_if(frames.begin(), frames.end(), [](const std::string& f) { return f.starts_with(kGoFrame); });
    ASSERT_NE(go, frames.end()) << "the program was started again";
    EXPECT_EQ(GoFrames(), 1u);
    EXPECT_TRUE(std::any_of(frames.begin(), go, [](const std::string& f) { return f.starts_with("00 0E 5A 11"); }))
        << "the read came before the go";
    EXPECT_EQ(Status().running, 1u);
    EXPECT_TRUE(Busy()) << "the run goes on";
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY") << "the access's own stop was not reported";
    EXPECT_TRUE(Messages().empty());
}

TEST_F(MemoryWhileRunning, AChangeOfTheDataFlashIsRefusedWithItsMessage) {
    const Bytes before = ReadTarget(0x2400, 16);
    const Bytes bytes(16, 0x5A);
    EXPECT_EQ(memory_->WriteMemory(0x2400, 0x240F, 1, bytes.data()), S_OK);
    const BYTE fill = 0x5A;
    EXPECT_EQ(memory_->FillMemory(0x2400, 0x240F, 1, &fill), S_OK);
    EXPECT_EQ(Messages(), (Lines{"The data flash area can not be changed while program is running.",
                                 "The data flash area can not be changed while program is running."}));
    EXPECT_EQ(ReadTarget(0x2400, 16), before);
    EXPECT_EQ(control_->getFrameCount(), 0u) << "nothing reached the emulator";
    EXPECT_EQ(Status().running, 1u);
}

// A device whose download writes its XIN entries: the download's start
// resets the CPU through the run control before it writes them, and its end
// resets it again after the flash is written.
class XinDownload : public RunControlRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\XIN"; }
};

TEST_F(XinDownload, TheDownloadResetsTheCpuAroundItsXinWrites) {
    ASSERT_EQ(control_->writeTarget(0x0004, Bytes{0, 0, 0, 0}.data(), 4), Q3V_SIM_OK);
    Registers().SetValue(kPc, 0xC005);
    ASSERT_EQ(Memory().OnDownload(0xFFFF), S_OK);
    EXPECT_EQ(ReadTarget(0x0004, 4), (Bytes{0x02, 0x00, 0x20, 0x08})) << "the XIN entries, in the host's order";
    EXPECT_EQ(host_->Services().ReportedErrors().back(), "RESET CPU");
    EXPECT_EQ(Registers().Value(kPc), 0xC000u) << "the reset's registers reached the host";
    EXPECT_EQ(host_->Log().Find("PostEvent").size(), 1u) << "the reset event";
    const BYTE byte = 0x04;
    ASSERT_EQ(Memory().WriteMemory(0xD000, 0xD000, 1, &byte), S_OK);
    ASSERT_EQ(Memory().OnDownload(0), S_OK);
    EXPECT_EQ(ReadTarget(0xD000, 1), Bytes{byte}) << "the download reached the flash";
    const auto reports = host_->Services().ReportedErrors();
    EXPECT_EQ(std::count(reports.begin(), reports.end(), "RESET CPU"), 2);
    EXPECT_EQ(host_->Log().Find("PostEvent").size(), 2u);
    EXPECT_TRUE(Messages().empty());
}

// The 1 MB device VK32D64 of the test group VK32X, its program in the
// program flash above 64 KiB: F0000 NOP; F0001 NOP; F0002 JMP.B F0000.
class LargeDeviceRunControl : public RunControlRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\VK32X"; }
    const char* Device() const override { return "VK32D64"; }
    std::map<std::uint32_t, std::uint8_t> Program() const override {
        return {{0xF0000, 0x04}, {0xF0001, 0x04}, {0xF0002, 0xFE}, {0xF0003, 0xFD}};
    }
    DWORD Entry() const override { return 0xF0000; }
};

TEST_F(LargeDeviceRunControl, AGoAndAStepRunAboveSixtyFourKib) {
    GoAndHalt();
    EXPECT_EQ(StopCause(), "BREAK KEY");
    EXPECT_EQ(Registers().Value(kPc), Status().pc);
    EXPECT_GE(Status().pc, 0xF0000u);
    EXPECT_LE(Status().pc, 0xF0002u);

    Registers().SetValue(kPc, 0xF0002);
    ASSERT_EQ(exec_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xF0000u) << "the jump back";
    EXPECT_EQ(StopCause(), "STEP NORMAL END");
    EXPECT_TRUE(Messages().empty());
}

// The guarded area is everything above the device's memory map, here the
// whole megabyte: a stack pointer above 64 KiB is no longer guarded, one past
// the megabyte is, and its go or step sends nothing. The program counter is
// taken with the device's 20 address bits, so it never lies above the map.
TEST_F(LargeDeviceRunControl, TheGuardedAreaBeginsAboveTheMegabyte) {
    Registers().SetValue(kUsp, 0x10000);
    GoAndHalt();
    EXPECT_EQ(StopCause(), "BREAK KEY");

    control_->clearFrames();
    Registers().SetValue(kUsp, 0x100000);
    EXPECT_EQ(exec_->Go(), E_FAIL);
    EXPECT_EQ(exec_->StepIn(), E_FAIL);
    EXPECT_EQ(exec_->StepOver(), E_FAIL);
    EXPECT_EQ(Messages(), Lines(3, "Stack pointer in guarded area"));
    EXPECT_FALSE(Busy());
    EXPECT_EQ(control_->getFrameCount(), 0u) << "nothing reached the emulator";

    Registers().SetValue(kUsp, 0xFFFFF);
    Registers().SetValue(kPc, 0x1F0002);
    ASSERT_EQ(exec_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Registers().Value(kPc), 0xF0000u) << "the step ran the jump at F0002";
    EXPECT_EQ(Messages().size(), 3u) << "no message of its own";
}

}  // namespace
