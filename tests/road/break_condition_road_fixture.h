// The fixture of the break-condition road tests: the simulated host, the
// plug-in module, the simulated emulator's module and the demo program
// (Vk3Demo.mot) in the target's flash, connected and ready to run.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#pragma once

#include "tests/road/road_session.h"

#include "sim/host/status_window.h"

#include "events/break_condition_set.h"
#include "res/resource_ids.h"
#include "tests/support/await.h"

#include "platform/host/target_interfaces.h"
#include "platform/profile.h"

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace roadtest {

using Script = platform::ScriptedUiDriver::DialogScript;

constexpr std::size_t kPc = 14;
constexpr DWORD kStack = 0x0900;
// The call at C000 pushes its return address C004 low byte first from
// kStack - 3: 04 at 08FD, C0 at 08FE, 00 at 08FF.
constexpr DWORD kPushedByte = 0x08FE;

class BreakConditionRoad : public RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseEmulator(Emulator(), kDemoSettings));
        ASSERT_NO_FATAL_FAILURE(UseDevice(Device()));
        ASSERT_NO_FATAL_FAILURE(WriteProgram(emutest::LoadSRecords("Vk3Demo.mot")));
        ASSERT_NO_FATAL_FAILURE(LoadHost(PluginPath()));
        host_->Services().DeviceDescription().SetDescription(kDemoDescription);
        ASSERT_NO_FATAL_FAILURE(FindTarget());
        ASSERT_NO_FATAL_FAILURE(NameDevice(Group(), Device(), "1"));
        ASSERT_NO_FATAL_FAILURE(Session("USER_DATA", "RESET", "c000"));
        const HRESULT started = StartTarget();
        for (const auto& box : ui_.MessageBoxes()) {
            ADD_FAILURE() << "message: " << box.text;
        }
        ASSERT_EQ(started, S_OK);
        handler_ = target_->GetExecHandler();
        ASSERT_NO_FATAL_FAILURE(OpenExec());
        set_ = target_->GetBreakConditionSet();
        ASSERT_NE(set_, nullptr);
        AtStart();
    }

    virtual const char* Group() const { return "VK31X"; }
    virtual const char* Device() const { return "VK31D16"; }
    // Empty: the plug-in beside the test program, which finds the emulator
    // module beside it.
    virtual std::string PluginPath() const { return {}; }
    virtual emutest::SimModule& Emulator() { return emutest::Module(); }
    // The program from its start, with the stack the call pushes onto.
    void AtStart() {
        AtEntry(0xC000, kStack);
    }
    Lines Echoes() { return host_->Services().Output().Lines(); }
    // The host's go; the program either stops by itself at a break or runs
    // on (a thousand instructions, which the demo's loop repeats) until the
    // break key: what stopped it.
    std::string Go() {
        const DWORD start = Status().instructions;
        EXPECT_EQ(exec_->Go(), S_OK);
        testing_support::YieldWhile([&] { return Busy() && Status().instructions - start < 1000; });
        if (Busy()) {
            EXPECT_EQ(exec_->Halt(), S_OK);
        }
        AwaitEnd();
        return StopCause();
    }
    // The sheet of a channel's condition, answered: a write of value at the
    // stack byte.
    void ScriptStackWrite(const std::string& value) {
        ui_.OnDialog(res_id::kSetBcAddressPage)
            .Check(res_id::kBcAddressDontCare, false)
            .Pick(res_id::kBcAddressKind)
            .SetText(res_id::kBcAddress, "8FE")
            .Check(res_id::kBcDataDontCare, false)
            .SetText(res_id::kBcValue, value)
            .Pick(res_id::kBcDirectionWrite)
            .PressOk();
    }
    Lines EventsPage() const {
        const simhost::StatusWindow window(host_->Services());
        const auto page = window.Page("Events");
        return page.has_value() ? page->rows : Lines{};
    }

    CTargetExec* handler_ = nullptr;
    CBreakConditionSet* set_ = nullptr;
};

}  // namespace roadtest
