// The break-condition set's apply while the program runs, on protocol type 2
// (the registers are programmed at once): the run control's go thread runs
// the program, the set's edit breaks in, copies the condition into the
// applied table, programs the chip's address-match registers and lets the
// program go on, which then stops at the new condition. Protocol type 4 and
// a break mode other than the ordinary one copy nothing.
#include "config/break_channels.h"
#include "events/break_condition_set.h"
#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_run_state.h"
#include "monitor/run_state_monitor.h"
#include "config/device_data.h"
#include "config/target_config.h"
#include "target/target_exec_vk3.h"
#include "target/target_vk3.h"
#include "tests/link/link_fixture.h"
#include "tests/support/handler_in_target.h"
#include "target/target_memory_vk3.h"
#include "tests/target/exec_fixture.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <cstring>
#include <thread>

namespace {

using linktest::Bytes;
using linktest::Device;
using linktest::LinkTest;


bool Has(const std::string& frame, const char* code) {
    return frame.substr(6, 5) == code;
}

class ApplyWhileRunning : public linktest::ExecFixture {
protected:
    ApplyWhileRunning() : ExecFixture(2) {}
    void SetUp() override {
        ExecFixture::SetUp();
        inTarget_ = std::make_unique<testsupport::HandlerInTarget<CTargetExec>>(testsupport::TargetSlots::Exec(),
                                                                                 handler_.get());
        // The go thread's accesses take the memory lock, as the console's
        // and the set's do, only while the target has a memory handler.
        memory_ = std::make_unique<CTargetMemoryVk3>(&host_);
        memoryInTarget_ = std::make_unique<testsupport::HandlerInTarget<CTargetMemory>>(
            testsupport::TargetSlots::Memory(), memory_.get());
        GetTarget()->Attach(&host_, 1);
        OpenHandler();
        g_breakChannels = {};
        set_ = std::make_unique<CBreakConditionSet>(&host_);
    }
    void CloseHandler() override {
        set_.reset();
        handler_->OnTargetClose();
        inTarget_.reset();
        memoryInTarget_.reset();
        memory_.reset();
        GetTarget()->Detach(1);
        g_breakChannels = {};
    }
    void Go() {
        ASSERT_EQ(handler_->Go(), S_OK);
        AwaitRunning();
        ASSERT_EQ(handler_->IsRunning(), 1u);
    }
    void Halt() {
        EXPECT_EQ(handler_->Halt(), S_OK);
        handler_->AwaitRunThread();
    }

    std::unique_ptr<testsupport::HandlerInTarget<CTargetExec>> inTarget_;
    std::unique_ptr<CTargetMemoryVk3> memory_;
    std::unique_ptr<testsupport::HandlerInTarget<CTargetMemory>> memoryInTarget_;
    std::unique_ptr<CBreakConditionSet> set_;
};

TEST_F(ApplyWhileRunning, AnEditBreaksInProgramsTheRegistersAndLetsTheProgramGoOn) {
    Go();
    std::strcpy(g_appliedBreakChannels[0].commandText, "kept");
    ClearFrames();
    ASSERT_EQ(set_->SetAtAddress(0, 0xC002, 0xC002), 0);
    EXPECT_EQ(std::memcmp(&g_appliedBreakChannels[0], &g_breakChannels[0], kAppliedRecordBytes), 0)
        << "words 0 to 18 copied";
    EXPECT_STREQ(g_appliedBreakChannels[0].commandText, "kept") << "the applied text stays";
    const std::vector<std::string> frames = FramesIn();
    std::size_t writes = 0;
    std::size_t goAfterWrites = 0;
    for (const std::string& frame : frames) {
        writes += Has(frame, "5A 12") ? 1 : 0;
        goAfterWrites += writes >= 2 && Has(frame, "5A 21") ? 1 : 0;
    }
    EXPECT_GE(writes, 2u) << "the enable register and the address register";
    EXPECT_GE(goAfterWrites, 1u) << "the program resumed";
    handler_->AwaitRunThread();
    EXPECT_EQ(StopCause(), "BREAK CONDITION 1");
    EXPECT_EQ(host_.Registers().Value(linktest::kPcIndex), 0xC002u);
}

TEST_F(ApplyWhileRunning, ProtocolType4AndAnotherBreakModeCopyNothing) {
    Go();
    g_protocolType = 4;
    ASSERT_EQ(set_->SetAtAddress(0, 0xC002, 0xC002), 0);
    g_protocolType = 2;
    EXPECT_EQ(g_appliedBreakChannels[0].enable, 0u);
    g_targetConfig->BreakModeStore().Set(1, 0, 0, 0, 0);
    ASSERT_EQ(set_->SetAtAddress(1, 0xC003, 0xC003), 0);
    EXPECT_EQ(g_appliedBreakChannels[1].enable, 0u);
    g_targetConfig->BreakModeStore().Set(0, 0, 0, 0, 0);
    EXPECT_EQ(handler_->IsRunning(), 1u) << "never stopped";
    Halt();
    EXPECT_EQ(StopCause(), "BREAK KEY");
}

}  // namespace
