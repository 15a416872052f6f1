// The event function on the real road: the simulated host starts its target
// session on the EVENTS fixture (the TRACE fixture's demo device with the
// event-function firmware, SWTI 1, its trace buffer at F380), the plug-in
// module attaches its event engine, and every go and stop carries the event
// settings to the simulated emulator; the host's trace window shows the
// engine's trace; events set through the engine stop the program.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/road_session.h"

#include "sim/host/status_window.h"

#include "events/event_engine.h"
#include "events/target_event_vk3.h"
#include "tests/support/await.h"

#include <cstdio>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Lines;

constexpr char kEventsGroup[] = "LinkTestFiles\\EVENTS";

// The event commands with the stored defaults: event B, event A, no break
// combination, and the branch trace from the go to the break with 64
// records at F380 (bit 0: no break when full).
constexpr char kP[] = "00 0E 5A 50 00 0E 78 D0 00 00 7A D0 00 00 A5 81";
constexpr char kEventB[] = "00 18 5A 52 00 18 01 18 80 01 1A 00 00 1B 00 00 1C 00 00 00 00 00 00 00 00 81";
constexpr char kEventA[] = "00 18 5A 52 00 18 01 10 80 01 12 00 00 13 00 00 14 00 00 16 00 00 17 00 00 81";
constexpr char kNoCombination[] = "00 08 5A 53 00 08 0F 00 00 81";
constexpr char kTrace[] = "00 10 5A 54 00 10 20 91 00 40 80 F3 00 00 22 23 A5 81";
// The device's two address-break channels' interrupts, disabled.
constexpr char kChannel0Off[] = "00 18 5A 51 00 18 00 60 D0 00 00 00 00 62 D0 00 00 00 00 63 D0 00 00 00 A5 81";
// Channel 0 armed at C010 for a go, and disarmed after its stop.
constexpr char kChannel0On[] = "00 18 5A 51 00 18 00 60 D0 00 00 10 C0 62 D0 00 00 00 00 63 D0 00 00 01 A5 81";
constexpr char kChannel0Disarmed[] = "00 18 5A 51 00 18 00 60 D0 00 00 10 C0 62 D0 00 00 00 00 63 D0 00 00 00 A5 81";
constexpr char kChannel1Off[] = "00 18 5A 51 00 18 00 64 D0 00 00 00 00 66 D0 00 00 00 00 67 D0 00 00 00 A5 81";

class EventRoad : public roadtest::RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseDemoEmulator());
    }
    void TearDown() override {
        if (HasFailure()) {
            char text[16384];
            control_->formatFrames(40, text, sizeof(text));
            std::printf("Last frames on the wire:\n%s", text);
        }
        RoadSession::TearDown();
    }

    // The host starts its target session on the fixture's VK31D16, keeping
    // the flash (the demo program in it). The answer of the start.
    HRESULT Start() { return StartOnGroup(kEventsGroup, 0x0A00); }

    // Reached through its virtual operations only: the engine's code lives
    // in the plug-in module.
    CEventEngine& Engine() { return *static_cast<CEventEngine*>(target_->GetEventEngine()); }
    // Waits until the go thread polls a running target or the run ended.
    void AwaitRunningOrEnd() {
        testing_support::YieldWhile([&] { return Handler().IsWaiting() == 0 && Busy(); });
    }
    // A go halted once it runs, or one that stops by itself: the stop cause.
    std::string GoAndHaltCause() {
        EXPECT_EQ(exec_->Go(), S_OK);
        AwaitRunningOrEnd();
        if (Busy()) {
            EXPECT_EQ(exec_->Halt(), S_OK);
        }
        AwaitEnd();
        return StopCause();
    }
    std::string GoUntilItStops() {
        EXPECT_EQ(exec_->Go(), S_OK);
        AwaitEnd();
        return StopCause();
    }
    // The event commands ('P' to 'V') handed to the emulator since the log
    // was cleared.
    Lines EventFrames() const {
        return FramesIn([](const Bytes& bytes) {
            return bytes.size() > 3 && bytes[2] == 0x5A && bytes[3] >= 'P' && bytes[3] <= 'V';
        });
    }
};

TEST_F(EventRoad, TheEngineIsAttachedAndEveryGoAndStopCarriesTheEvents) {
    ASSERT_EQ(Start(), S_OK);
    ASSERT_NE(target_->GetEventEngine(), nullptr);
    EXPECT_EQ(EventFrames(), (Lines{kP, kEventB, kEventA, kNoCombination, kTrace}));

    // Each go: the settings, then the go's channels as address interrupts
    // (both unset: disarmed); each stop: the channels disarmed and the
    // settings without their breaks. Twice, the same.
    const Lines run = {kEventB, kEventA, kNoCombination, kTrace, kChannel0Off, kChannel1Off,
                       kChannel0Off, kChannel1Off, kEventB, kEventA, kNoCombination, kTrace};
    for (int go = 0; go < 2; ++go) {
        control_->clearFrames();
        EXPECT_EQ(GoAndHaltCause(), "BREAK KEY");
        EXPECT_EQ(EventFrames(), run) << "go " << go;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EventRoad, TheTraceWindowListsTheBranchesOldestFirst) {
    ASSERT_EQ(Start(), S_OK);
    const simhost::TraceWindow window(host_->Services());
    EXPECT_EQ(GoAndHaltCause(), "BREAK KEY");
    auto view = window.Read();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->header, "PTR\tIP\tType\tAddress\tData\tInstruction");
    EXPECT_EQ(view->capacity, 64u);
    ASSERT_EQ(view->rows.size(), 64u) << "the run filled the buffer and wrapped";
    // The demo's branches in program order: each record follows the one
    // before it in the loop.
    const Lines cycle = {"BRANCH\t0000C000", "DESTINATION\t0000C010", "BRANCH\t0000C012",
                         "DESTINATION\t0000C004", "BRANCH\t0000C006", "DESTINATION\t0000C000"};
    const auto position = [&](const std::string& row) {
        for (std::size_t i = 0; i < cycle.size(); ++i) {
            if (row.find(cycle[i]) != std::string::npos) {
                return static_cast<int>(i);
            }
        }
        return -1;
    };
    const int first = position(view->rows[0]);
    ASSERT_GE(first, 0) << view->rows[0];
    for (std::size_t row = 0; row < view->rows.size(); ++row) {
        EXPECT_EQ(position(view->rows[row]), static_cast<int>((first + row) % cycle.size())) << view->rows[row];
    }
    EXPECT_EQ(view->rows.back().rfind("+000000\t0000\t", 0), 0u) << view->rows.back();
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EventRoad, EventsSetThroughTheEngineStopTheProgram) {
    ASSERT_EQ(Start(), S_OK);
    // Event A: a write on the stack (09FC-09FF), combination "A".
    ASSERT_TRUE(Engine().SetEvent(0, 1, 1, 2, 0x09FC, 0, 2, 0, "H'09FC"));
    ASSERT_TRUE(Engine().SetBreakCombination(4));
    EXPECT_EQ(GoUntilItStops(), "EVENT BREAK");

    // The data trace of event A: its writes with their values.
    ASSERT_TRUE(Engine().SetBreakCombination(0));
    ASSERT_TRUE(Engine().SetTraceCondition(2, 0, 0, 0, 0, 1));
    host_->Services().Registers().SetValue(14, 0xC000);
    host_->Services().Registers().SetValue(17, 0x0A00);
    const simhost::TraceWindow window(host_->Services());
    EXPECT_EQ(window.Clear(), S_OK);
    EXPECT_EQ(GoAndHaltCause(), "BREAK KEY");
    auto view = window.Read();
    ASSERT_TRUE(view.has_value());
    ASSERT_FALSE(view->rows.empty());
    for (const std::string& row : view->rows) {
        EXPECT_NE(row.find("\tWRITE\t000009FC-000009FF\t"), std::string::npos) << row;
    }
    // The call pushes its return address C004 low byte first.
    ASSERT_GE(view->rows.size(), 3u);
    std::string last3;
    for (std::size_t row = view->rows.size() - 3; row < view->rows.size(); ++row) {
        last3 += view->rows[row].substr(view->rows[row].size() - 3);
    }
    EXPECT_EQ(last3, "04\tC0\t00\t");

    // A full trace breaks: the branch trace with the break at full.
    ASSERT_TRUE(Engine().SetTraceCondition(0, 0, 0, 1, 1, 1));
    EXPECT_EQ(GoUntilItStops(), "TRACE FULL BREAK");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EventRoad, AProgramFetchConditionArmsItsChannelsAddressInterrupt) {
    ASSERT_EQ(Start(), S_OK);
    // The view columns' "Add": the event handler places the condition.
    ASSERT_EQ(target_->GetEventHandler()->SetChannelCondition(0, 0xC010, 0xC010), S_OK);
    control_->clearFrames();
    EXPECT_EQ(GoUntilItStops(), "BREAK CONDITION 1");
    const Lines frames = EventFrames();
    ASSERT_EQ(frames.size(), 12u) << ::testing::PrintToString(frames);
    EXPECT_EQ(frames[4], kChannel0On);
    EXPECT_EQ(frames[5], kChannel1Off);
    EXPECT_EQ(frames[6], kChannel0Disarmed) << "disarmed after the stop, channel by channel";
    EXPECT_EQ(frames[7], kChannel1Off);

    ASSERT_EQ(target_->GetEventHandler()->ActivateChannel(0), S_OK);
    host_->Services().Registers().SetValue(14, 0xC000);
    EXPECT_EQ(GoAndHaltCause(), "BREAK KEY");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(EventRoad, AnEngineThatCannotAttachFailsTheInitialisation) {
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_EVENT_STATUS, 1, 1), Q3V_SIM_OK);
    EXPECT_TRUE(FAILED(Start()));
}

TEST_F(EventRoad, ALostLinkFailsTheEngineWithoutAHang) {
    ASSERT_EQ(Start(), S_OK);
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_LINK_LOST, 1, 0), Q3V_SIM_OK);
    EXPECT_FALSE(Engine().SetAddressInterrupt(0, 0xC010, 1));
    EXPECT_TRUE(Engine().SetBreakCombination(4)) << "detached: only kept";
    Engine().StartEvents(1);
    EXPECT_FALSE(Engine().SetBreakCombination(5));
    EXPECT_TRUE(Engine().ReadTrace()) << "no pointer: an empty trace";
    EXPECT_TRUE(Engine().GetTraceRecords().empty());
    Engine().StopEvents();
    ASSERT_EQ(control_->injectFault(Q3V_SIM_FAULT_LINK_LOST, 0, 0), Q3V_SIM_OK);
}

}  // namespace
