// The monitor objects' life: the engine's units made once and kept, a unit
// that cannot be made reported until it can, the operations each object
// offers the link installed while it exists and removed when it goes, and
// the pending message.
#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "monitor/instruction_text.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_services.h"
#include "monitor/run_state_monitor.h"
#include "tests/monitor/allocation_fault.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <utility>

namespace monitortest {
namespace {

class EngineLife : public ::testing::Test {
protected:
    void SetUp() override {
        ResetMonitorState();
        SetMonitorServices({});
    }
    void TearDown() override {
        FailNothrowAllocation(-1);
        SetMonitorServices({});
    }
};

TEST_F(EngineLife, OpeningAgainKeepsTheUnitsItMade) {
    g_flashMirror[0x100] = 0x12;
    CMonitorEngine engine;
    EXPECT_EQ(g_flashMirror[0x100], 0xFF) << "the flash mirror starts erased";
    CMonitorRunBase* run = engine.RunUnit();
    CMonitorUnit* conditions = engine.BreakConditionUnit();
    CMonitorObject* memory = engine.MemoryUnit();
    ASSERT_NE(run, nullptr);
    ASSERT_NE(conditions, nullptr);
    ASSERT_NE(memory, nullptr);
    // The connect procedure opens the engine it has just made: nothing is
    // made twice (the leak checker of the sanitizer build would see it).
    EXPECT_EQ(engine.Open(), 0);
    EXPECT_EQ(engine.RunUnit(), run);
    EXPECT_EQ(engine.BreakConditionUnit(), conditions);
    EXPECT_EQ(engine.MemoryUnit(), memory);
}

TEST_F(EngineLife, AUnitThatCannotBeMadeFailsOpenUntilItIsMade) {
    FailNothrowAllocation(1);  // the break-condition unit is made, the run unit is not
    CMonitorEngine engine;
    ASSERT_NE(engine.BreakConditionUnit(), nullptr);
    CMonitorUnit* conditions = engine.BreakConditionUnit();
    EXPECT_EQ(engine.RunUnit(), nullptr);
    EXPECT_EQ(engine.MemoryUnit(), nullptr);
    EXPECT_EQ(engine.RunTarget(), 0xFFFF) << "nothing to run on";
    FailNothrowAllocation(1);  // the run unit is made now, the memory unit is not
    EXPECT_EQ(engine.Open(), -1);
    EXPECT_NE(engine.RunUnit(), nullptr);
    EXPECT_EQ(engine.MemoryUnit(), nullptr);
    EXPECT_EQ(engine.Open(), 0);
    EXPECT_NE(engine.MemoryUnit(), nullptr);
    EXPECT_EQ(engine.BreakConditionUnit(), conditions);
}

TEST_F(EngineLife, EachObjectInstallsAndRemovesOnlyItsOwnOperations) {
    auto control = std::make_unique<CMonitorControl>();
    auto engine = std::make_unique<CMonitorEngine>();
    auto runState = std::make_unique<CRunStateMonitor>();
    ASSERT_EQ(runState->Reset(), 0u);
    EXPECT_FALSE(MonitorIsRunning());
    MonitorSetRunning(2);
    EXPECT_TRUE(MonitorIsRunning());
    EXPECT_EQ(runState->IsRunning(), 1u);
    MonitorSetPendingMessage(" Memory area error. ");
    EXPECT_TRUE(engine->HasPendingMessage());
    EXPECT_EQ(engine->PendingMessages(), std::vector<std::string>{" Memory area error. "});

    engine.reset();
    MonitorSetPendingMessage("nobody keeps this");
    EXPECT_TRUE(MonitorIsRunning()) << "the run-state monitor's operations stay";
    runState.reset();
    EXPECT_FALSE(MonitorIsRunning()) << "without a run-state monitor the target counts as stopped";
    MonitorServices services;
    services.initMonitor = [] { return WORD{0x1234}; };
    SetMonitorServices(services);
    control.reset();
    EXPECT_EQ(MonitorInitMonitor(), 0x1234) << "not the monitor control's any more: left alone";
    // A second object of a kind takes over; the first one going leaves it.
    auto first = std::make_unique<CRunStateMonitor>();
    auto second = std::make_unique<CRunStateMonitor>();
    second->SetRunning(1);
    first.reset();
    EXPECT_TRUE(MonitorIsRunning());
    second.reset();
    EXPECT_FALSE(MonitorIsRunning());
}

TEST_F(EngineLife, TheRunStateMonitorResetsToStopped) {
    CRunStateMonitor monitor;
    monitor.SetRunning(5);
    EXPECT_EQ(monitor.IsRunning(), 1u);
    monitor.SetRunning(0);
    EXPECT_EQ(monitor.IsRunning(), 0u);
    monitor.SetRunning(1);
    EXPECT_EQ(monitor.Reset(), 0u);
    EXPECT_EQ(monitor.IsRunning(), 0u);
}

TEST_F(EngineLife, TheInstructionTextComesFromTheTraceProvider) {
    // The module's own formatter, installed when it loaded, is lent for the
    // test and put back: later tests of this program stop with its texts.
    struct Lend {
        InstructionTextSource kept = SetInstructionTextSource(nullptr);
        ~Lend() { SetInstructionTextSource(std::move(kept)); }
    } lend;
    char text[8] = {'x', 'x'};
    DWORD length = 99;
    EXPECT_EQ(GetInstructionText(0x500, text, &length), 1u);
    EXPECT_EQ(length, 0u) << "no provider yet: empty";
    EXPECT_STREQ(text, "");
    SetInstructionTextSource([](DWORD address) { return address == 0x500 ? std::string("JMP.B  0500") : ""; });
    EXPECT_EQ(GetInstructionText(0x500, text, &length), 1u);
    EXPECT_STREQ(text, "JMP.B  ") << "cut to fit with its terminator";
    EXPECT_EQ(length, 7u);
    EXPECT_EQ(GetInstructionText(0x502, std::span<char>(), &length), 1u);
    EXPECT_EQ(length, 0u);
}

}  // namespace
}  // namespace monitortest
