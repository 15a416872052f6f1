// The run-state monitor against the simulated target, polled through the
// reply decoder as run control's wait loop polls it: the stop reports of a
// go, of steps and of the user's stop, the resumes of a go from a
// breakpoint and of counted steps, and the flash synchronisation at a stop.
#include "events/event_engine.h"
#include "link/emu_response.h"
#include "link/event_engine_hooks.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "monitor/flash_mode.h"
#include "link/monitor_data.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace monitortest {
namespace {

using namespace link_result;

constexpr char kLabels[] = "PC= SR= \r\n: ";

class RunStateMonitor : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        // 500: NOP, NOP, NOP, JMP.B 500 - a loop for ever.
        LoadProgram(0x500, {kNop, kNop, kNop, 0xFE, 0xFC});
        g_registerImage.fill(0);
        g_registerImage[kIsp] = 0x900;
        g_registerImage[kPc] = 0x500;
        WriteRegisters();
    }
    void WriteRegisters() {
        ASSERT_EQ(CFirmCommand().WriteRegisterFile(std::span<const DWORD, 20>(g_registerImage.data(), 20)), kOk);
    }
    WORD GoFrom(DWORD address) {
        GoRequestBlock& request = g_monitorRunState.goRequest;
        request = GoRequestBlock{};
        request.runKind = 2;
        request.goStart = {1, address};
        return Engine().RunTarget();
    }
    // Polls the reply decoder while the target runs, as the wait loop does;
    // the text of the last reply it handed out.
    std::string WaitForStop() {
        std::string text;
        for (int poll = 0; poll < 200; ++poll) {
            EmuReplyPtr record;
            EXPECT_EQ(g_emuResponse->CheckError(record), 0);
            if (record != nullptr) {
                text.assign(reinterpret_cast<const char*>(record->payload.data()), record->length);
            }
            if (g_emuResponse->RunStatus() == CEmuResponse::kStopped && record == nullptr) {
                return text;
            }
        }
        ADD_FAILURE() << "the target never stopped";
        return text;
    }
};

TEST_F(RunStateMonitor, AGoStoppedAtABreakpointReportsIt) {
    Engine().BreakpointCommand(0, 0x502, 'P', 0);
    ASSERT_EQ(GoFrom(0x500), kOk);
    EXPECT_EQ(WaitForStop(), std::string(kLabels) + " +++:BREAK POINT\r\n");
    EXPECT_EQ(g_registerImage[kPc], 0x502u);
    EXPECT_FALSE(g_runStateMonitor->IsRunning());
    EXPECT_EQ(g_launched, 0u) << "the run is over";
    EXPECT_EQ(GoFrames().size(), 1u);
}

TEST_F(RunStateMonitor, AGoFromABreakpointStepsOffItAndStopsThereAgain) {
    Engine().BreakpointCommand(0, 0x500, 'P', 0);
    ASSERT_EQ(GoFrom(0x500), kOk);
    EXPECT_EQ(WaitForStop(), std::string(kLabels) + " +++:BREAK POINT\r\n");
    EXPECT_EQ(g_registerImage[kPc], 0x500u);
    EXPECT_EQ(GoFrames().size(), 2u) << "the step off the address, then the go on";
    // The stop there shows the break byte went back in after the step; the
    // stopped program holds its own byte again.
    EXPECT_EQ(ReadTarget(0x500, 1), Bytes{kNop});
}

TEST_F(RunStateMonitor, TheHighestChannelAtThePcNamesTheBreakCondition) {
    UseDevice(Device::Vk32D64, 2);
    LoadProgram(0x500, {kNop, kNop, kNop, 0xFE, 0xFC});
    g_registerImage.fill(0);
    g_registerImage[kIsp] = 0x900;
    WriteRegisters();
    Engine().ExecuteBreakConditionCommand("BC1 PC=H'0502");
    Engine().ExecuteBreakConditionCommand("BC3 PC=H'0502");
    ASSERT_EQ(GoFrom(0x500), kOk);
    EXPECT_EQ(WaitForStop(), std::string(kLabels) + " +++:BREAK CONDITION 3\r\n");
    EXPECT_EQ(ReadTarget(0x0009, 1), Bytes{0x00});
}

TEST_F(RunStateMonitor, WithTheEventFunctionAProgramFetchChannelIsAnAddressInterruptOfTheEventEngine) {
    // The event function and its engine for this test alone, whatever ends it.
    struct EventFunction {
        EventFunction(IEventEngineHooks* engine) {
            g_swtiSupported = 1;
            SetEventEngineHooks(engine);
        }
        ~EventFunction() {
            SetEventEngineHooks(nullptr);
            g_swtiSupported = 0;
        }
    };
    CEventEngine events((testing_support::ProgramFolder() + "VK31X.cnf").c_str(), "VK31D16", 0xF000);
    ASSERT_EQ(events.Attach(g_emulatorLink), S_OK);
    const EventFunction on(&events);
    Engine().ExecuteBreakConditionCommand("BC1 PC=H'0502");
    ClearFrames();
    ASSERT_EQ(GoFrom(0x500), kOk);
    EXPECT_EQ(WaitForStop(), std::string(kLabels) + " +++:BREAK CONDITION 1\r\n");
    EXPECT_EQ(g_registerImage[kPc], 0x502u);
    std::vector<std::string> interrupts;
    for (const std::string& frame : FramesIn()) {
        if (frame.substr(6, 5) == "5A 51") {
            interrupts.push_back(frame);
        }
    }
    // Armed for the go (channel 2 unset), disarmed at the stop: each
    // channel's address with enable 0.
    EXPECT_EQ(interrupts,
              (std::vector<std::string>{
                  "00 18 5A 51 00 18 00 60 D0 00 00 02 05 62 D0 00 00 00 00 63 D0 00 00 01 A5 81",
                  "00 18 5A 51 00 18 00 64 D0 00 00 00 00 66 D0 00 00 00 00 67 D0 00 00 00 A5 81",
                  "00 18 5A 51 00 18 00 60 D0 00 00 02 05 62 D0 00 00 00 00 63 D0 00 00 00 A5 81",
                  "00 18 5A 51 00 18 00 64 D0 00 00 00 00 66 D0 00 00 00 00 67 D0 00 00 00 A5 81",
              }));
}

TEST_F(RunStateMonitor, CountedStepsResumeUntilTheLastOne) {
    g_stepRequest.stepAddress = 0x500;
    g_stepRequest.remainingSteps = 3;
    ASSERT_EQ(Engine().MonitorSingleStep(), kOk);
    // The instruction just stepped, in the host disassembler's words.
    EXPECT_EQ(WaitForStop(), std::string("NOP\r\n +++:STEP NORMAL END\r\n") + kLabels);
    EXPECT_EQ(GoFrames().size(), 3u);
    EXPECT_EQ(g_registerImage[kPc], 0x503u);
    EXPECT_EQ(g_runStateMonitor->StopCauses()[0], 24);
}

TEST_F(RunStateMonitor, AStepOverNamesACallItRanAndAnyOtherInstruction) {
    // 500: JSR.S 510, NOP; 510: NOP, RTS.
    LoadProgram(0x500, {0xEF, 0x0F, kNop});
    LoadProgram(0x510, {kNop, 0xF3});
    ASSERT_EQ(Engine().MonitorStepOver(0x500), kOk);
    EXPECT_EQ(WaitForStop(), std::string("JSR.B 000510\r\n +++:SUBROUTINE END\r\n") + kLabels)
        << "a step over carried as a go is still a step over";
    EXPECT_EQ(g_registerImage[kPc], 0x502u);
    // An instruction the length rule does not know is single-stepped: no
    // channel holds the PC it stops at, so no cause.
    ASSERT_EQ(Engine().MonitorStepOver(0x502), kOk);
    EXPECT_EQ(WaitForStop(), std::string("NOP\r\n") + kLabels);
    EXPECT_EQ(g_registerImage[kPc], 0x503u);
}

TEST_F(RunStateMonitor, TheUsersStopBreaksTheProgramAndReportsTheKey) {
    ASSERT_EQ(GoFrom(0x500), kOk);
    EmuReplyPtr record;
    ASSERT_EQ(g_emuResponse->CheckError(record), 0);
    ASSERT_EQ(g_emuResponse->RunStatus(), CEmuResponse::kRunning);
    Engine().MonitorRequestStop();
    EXPECT_EQ(WaitForStop(), std::string(kLabels) + " +++:BREAK KEY\r\n" + kLabels);
    EXPECT_EQ(g_linkStopByte, 0);
    EXPECT_EQ(Status().stopWord, 0x424Bu);
}

TEST_F(RunStateMonitor, AResetDuringARunReportsItAndSetsTheMonitorUpAgain) {
    ASSERT_EQ(GoFrom(0x500), kOk);
    EmuReplyPtr record;
    ASSERT_EQ(g_emuResponse->CheckError(record), 0);
    ASSERT_EQ(Link().WriteAdapterRegister20(3), kOk);
    EXPECT_EQ(WaitForStop(), std::string(kLabels) + " +++:TARGET RESET\r\n" + kLabels);
    EXPECT_EQ(g_registerImage[kIsp], kInitialStack) << "the monitor's initialisation set the registers up";
}

TEST_F(RunStateMonitor, ARangeStepLeavingItsRangeStopsAtTheStopAddress) {
    g_stepRequest.stepAddress = 0x500;
    g_stepRequest.rangeStart = 0x600;
    g_stepRequest.rangeEnd = 0x610;
    ASSERT_EQ(Engine().MonitorSingleStep(), kOk);
    g_startRunMode = run_mode::kRangeStep;
    EXPECT_EQ(WaitForStop(), std::string("NOP\r\n +++:STOP ADDRESS\r\n") + kLabels);
    EXPECT_EQ(GoFrames().size(), 1u);
}

TEST_F(RunStateMonitor, FlashSynchronisationReadsTheFlashOnlyWhenAsked) {
    // What a stop adds to the host's reports and to the frames.
    const auto stop = [&](std::vector<std::string>& frames) {
        EXPECT_EQ(GoFrom(0x500), kOk);
        EmuReplyPtr record;
        EXPECT_EQ(g_emuResponse->CheckError(record), 0);
        const std::size_t before = HostReports().size();
        ClearFrames();
        Engine().MonitorRequestStop();
        WaitForStop();
        frames = FramesIn();
        const std::vector<std::string> reports = HostReports();
        return std::vector<std::string>(reports.begin() + static_cast<std::ptrdiff_t>(before), reports.end());
    };
    const auto memoryReads = [](const std::vector<std::string>& frames) {
        return std::count_if(frames.begin(), frames.end(),
                             [](const std::string& frame) { return frame.starts_with("00 0E 5A 11"); });
    };
    std::vector<std::string> frames;
    EXPECT_TRUE(stop(frames).empty()) << "Disable";
    EXPECT_EQ(memoryReads(frames), 0) << "no flash read at the stop";
    g_flashMode = 2;
    EXPECT_EQ(stop(frames), (std::vector<std::string>{" Flash memory reading ... ", " Flash memory read end "}));
    EXPECT_GT(memoryReads(frames), 0);
}

TEST_F(RunStateMonitor, PrintStopCauseAppendsTheTextOfItsIndexOnly) {
    g_monitorOutputUsed = 0;
    g_runStateMonitor->PrintStopCause(-1);
    g_runStateMonitor->PrintStopCause(35);
    EXPECT_EQ(Output(), "");
    g_runStateMonitor->PrintStopCause(34);
    g_runStateMonitor->PrintStopCause(3);
    EXPECT_EQ(Output(), " +++:TARGET RESET\r\n +++:BREAK CONDITION 1,2\r\n");
}

}  // namespace
}  // namespace monitortest
