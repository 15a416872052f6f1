// The break registers of the demo device (protocol type 1: an enable register
// and one address register per channel) under refused writes, on the real
// road: each write of a launch's break registers refused in turn, for a go
// with two break conditions, a go to an address and a step over a call, each
// of which arms channels. The run fails and is told, and never starts on a
// half-armed chip; a target reset met there ends the run as the reset's stop;
// and the next go stops at no condition the host no longer lists. (The
// writes' answers were not looked at: the run started, armed or not, and a go
// later stopped at an address the enable register still held.)
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/break_condition_road_fixture.h"

#include "tests/support/address_list.h"

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

namespace {

using namespace roadtest;

enum class Launch { Go, GoToAddress, StepOver };

struct Refusal {
    const char* name;
    DWORD kind;
    DWORD value;
};

void PrintTo(const Refusal& refusal, std::ostream* out) {
    *out << refusal.name;
}

class BreakRegisterFaults : public BreakConditionRoad, public ::testing::WithParamInterface<Refusal> {
protected:
    // The go's conditions: channel 1 at the subroutine, channel 2 in the loop.
    void SetConditions(Launch launch) {
        if (launch == Launch::Go) {
            ASSERT_EQ(set_->SetAtAddress(0, 0xC010, 0xC010), 0);
            ASSERT_EQ(set_->SetAtAddress(1, 0xC005, 0xC005), 0);
        }
    }
    void ClearConditions() {
        set_->ClearChannel(0, 1);
        set_->ClearChannel(1, 1);
    }
    HRESULT Start(Launch launch) {
        const testsupport::AddressList addresses({0xC005});
        switch (launch) {
        case Launch::Go:
            return exec_->Go();
        case Launch::GoToAddress:
            return exec_->GoEx(addresses.Get());
        case Launch::StepOver:
            break;
        }
        return exec_->StepOver();
    }
    static bool WritesBreakRegister(const emutest::Bytes& frame) {
        // A one-byte write to the enable register (0x0009) or a three-byte
        // write to an address register (0x0010, 0x0014).
        return frame.size() > 7 && frame[2] == 0x5A && frame[3] == 0x12 &&
               (frame[6] == 0x09 || frame[6] == 0x10 || frame[6] == 0x14) && frame[7] == 0x00;
    }
    // The frame numbers (from 0) of the launch's break-register writes, from
    // a launch that went through.
    std::vector<DWORD> BreakRegisterFrames(Launch launch) {
        AtStart();
        SetConditions(launch);
        control_->clearFrames();
        EXPECT_EQ(Start(launch), S_OK);
        AwaitEnd();
        EXPECT_NE(StopCause(), "ERROR");
        std::vector<DWORD> writes;
        const Lines frames = FramesIn();
        const Lines registers = FramesIn(WritesBreakRegister);
        for (const std::string& write : registers) {
            const auto at = std::find(frames.begin(), frames.end(), write);
            writes.push_back(static_cast<DWORD>(at - frames.begin()));
        }
        ClearConditions();
        return writes;
    }
};

TEST_P(BreakRegisterFaults, ARefusedWriteFailsTheRunBeforeItStartsAndLeavesNoConditionArmed) {
    const Refusal& refusal = GetParam();
    const bool reset = refusal.kind == Q3V_SIM_FAULT_TARGET_RESET;
    for (const Launch launch : {Launch::Go, Launch::GoToAddress, Launch::StepOver}) {
        const std::vector<DWORD> writes = BreakRegisterFrames(launch);
        ASSERT_GE(writes.size(), 2u) << "the enable register and an address register";
        for (const DWORD frame : writes) {
            SCOPED_TRACE("launch " + std::to_string(static_cast<int>(launch)) + ", frame " + std::to_string(frame));
            AtStart();
            SetConditions(launch);
            const std::size_t boxes = ui_.MessageBoxes().size();
            const DWORD executed = Status().instructions;
            // Each exchange before the write is a frame sent and its reply.
            ASSERT_EQ(control_->injectFaultAfter(2 * frame + 1, refusal.kind, refusal.value, 1), Q3V_SIM_OK);
            ASSERT_EQ(Start(launch), S_OK);
            // A launch that started anyway is halted once it has run.
            testing_support::YieldWhile([&] { return Busy() && Status().instructions - executed < 1000; });
            if (Busy()) {
                EXPECT_EQ(exec_->Halt(), S_OK);
            }
            AwaitEnd();
            control_->clearFaults();
            if (reset) {
                EXPECT_EQ(StopCause(), "TARGET RESET");
                EXPECT_EQ(Registers().Value(kPc), Status().pc) << "the reset's registers";
            } else {
                EXPECT_TRUE(StopCause() == "ERROR" || ui_.MessageBoxes().size() != boxes)
                    << "\"" << StopCause() << "\"";
                EXPECT_EQ(Status().instructions, executed) << "the program ran";
            }
            EXPECT_EQ(Status().running, 0u);

            ClearConditions();
            AtStart();
            EXPECT_EQ(Go(), "BREAK KEY") << "a go with no condition listed";
            if (HasFailure()) {
                return;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BreakRegisterFaults, BreakRegisterFaults,
                         ::testing::Values(Refusal{"nak", Q3V_SIM_FAULT_NAK, 0},
                                           Refusal{"status_0x85", Q3V_SIM_FAULT_STATUS, 0x85},
                                           Refusal{"target_reset", Q3V_SIM_FAULT_TARGET_RESET, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
