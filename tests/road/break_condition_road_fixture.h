// The fixture of the break-condition road tests: the simulated host, the
// plug-in module, the simulated emulator's module and the demo program
// (Vk3Demo.mot) in the target's flash, connected and ready to run.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#pragma once

#include "sim/host/sim_host.h"
#include "sim/host/status_window.h"

#include "events/break_condition_set.h"
#include "res/resource_ids.h"
#include "target/target_exec_vk3.h"
#include "target/target_vk3.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/clock.h"
#include "platform/host/target_interfaces.h"
#include "platform/profile.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace roadtest {

using Lines = std::vector<std::string>;
using Script = platform::ScriptedUiDriver::DialogScript;

constexpr char kDescription[] = "[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|Q3][FIRMWARE|F000,1][WORK_RAM|0A00]";
constexpr char kDefaults[] =
    "device=VK31D16;protocol=1;board=powered;connector=connected;canary=0;pending=0;steps=50;lockout=3;"
    "flashbusy=0;channels=1;interfaces=1";
constexpr std::size_t kPc = 14;
constexpr std::size_t kIsp = 17;
constexpr DWORD kStack = 0x0900;
// The call at C000 pushes its return address C004 low byte first from
// kStack - 3: 04 at 08FD, C0 at 08FE, 00 at 08FF.
constexpr DWORD kPushedByte = 0x08FE;

class BreakConditionRoad : public ::testing::Test {
protected:
    void SetUp() override {
        emutest::SimModule& emulator = Emulator();
        ASSERT_TRUE(emulator.error.empty()) << emulator.error;
        control_ = &emulator.control;
        ASSERT_EQ(control_->reset(), Q3V_SIM_OK);
        ASSERT_EQ(control_->configure(kDefaults), Q3V_SIM_OK);
        if (Device() != std::string("VK31D16")) {
            // Another device brings a fresh target with its own protocol type.
            ASSERT_EQ(control_->configure(("device=" + std::string(Device())).c_str()), Q3V_SIM_OK);
        }
        for (const auto& [address, byte] : emutest::LoadSRecords("Vk3Demo.mot")) {
            ASSERT_EQ(control_->writeTarget(address, &byte, 1), Q3V_SIM_OK);
        }
        host_ = std::make_unique<simhost::SimHost>(PluginPath());
        ASSERT_TRUE(host_->Load()) << host_->LoadError();
        ASSERT_EQ(host_->RegisterLibrary(), S_OK);
        ASSERT_EQ(host_->AttachComponents(), S_OK);
        host_->Services().OpenSession(session_.Windows(), "sess");
        host_->Services().DeviceDescription().SetDescription(kDescription);
        IHTarget* target = nullptr;
        ASSERT_EQ(host_->QueryPluginInterface(IID_IHTarget, reinterpret_cast<void**>(&target)), S_OK);
        target_ = static_cast<CTargetVk3*>(target);
        const std::string file = session_.Windows("sess.ini");
        ASSERT_TRUE(WritePrivateProfileStringA("CPU_SELECT", "MCU_GROUP", Group(), file.c_str()));
        ASSERT_TRUE(WritePrivateProfileStringA("CPU_SELECT", "DEVICE", Device(), file.c_str()));
        ASSERT_TRUE(WritePrivateProfileStringA("CPU_SELECT", "EMUSEL", "1", file.c_str()));
        ASSERT_TRUE(WritePrivateProfileStringA("EMULATOR_SETTING", "HIDE_DIALOG", "1", file.c_str()));
        ASSERT_TRUE(WritePrivateProfileStringA("USER_DATA", "RESET", "c000", file.c_str()));
        ui_.OnDialog(res_id::kConnectingDialog).WaitForClose();
        const HRESULT started = host_->StartTargetSession();
        for (const auto& box : ui_.MessageBoxes()) {
            ADD_FAILURE() << "message: " << box.text;
        }
        ASSERT_EQ(started, S_OK);
        handler_ = target_->GetExecHandler();
        ASSERT_NE(handler_, nullptr);
        ASSERT_EQ(handler_->QueryInterface(IID_IHTExec2, reinterpret_cast<void**>(&exec_)), S_OK);
        ASSERT_EQ(host_->GiveRegisterArray(), S_OK);
        set_ = target_->GetBreakConditionSet();
        ASSERT_NE(set_, nullptr);
        AtStart();
    }
    void TearDown() override {
        if (target_ != nullptr) {
            EXPECT_EQ(host_->EndTargetSession(), S_OK);
        }
        host_->Unload();
    }

    virtual const char* Group() const { return "VK31X"; }
    virtual const char* Device() const { return "VK31D16"; }
    // Empty: the plug-in beside the test program, which finds the emulator
    // module beside it.
    virtual std::string PluginPath() const { return {}; }
    virtual emutest::SimModule& Emulator() { return emutest::Module(); }
    // The program from its start, with the stack the call pushes onto.
    void AtStart() {
        Registers().SetValue(kPc, 0xC000);
        Registers().SetValue(kIsp, kStack);
    }
    simhost::HostRegisters& Registers() { return host_->Services().Registers(); }
    CTargetExecVk3& Handler() { return *static_cast<CTargetExecVk3*>(handler_); }
    std::string StopCause() { return Handler().GetStopCauseText().Str(); }
    Lines Echoes() { return host_->Services().Output().Lines(); }
    bool Busy() { return target_->QueryBusyOnWorkspaceClose() == 1; }
    void AwaitEnd() {
        testing_support::YieldWhile([&] { return Busy(); });
        ASSERT_FALSE(Busy()) << "the run never ended";
    }
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
    Q3vSimStatus Status() const {
        Q3vSimStatus status{};
        control_->getStatus(&status);
        return status;
    }
    Lines EventsPage() const {
        const simhost::StatusWindow window(host_->Services());
        const auto page = window.Page("Events");
        return page.has_value() ? page->rows : Lines{};
    }

    platform::VirtualClock clock_;
    testsupport::TestUi ui_;
    testing_support::TempFolder session_;
    const emutest::ControlEntries* control_ = nullptr;
    std::unique_ptr<simhost::SimHost> host_;
    CTargetVk3* target_ = nullptr;
    CTargetExec* handler_ = nullptr;
    IHTExec2* exec_ = nullptr;
    CBreakConditionSet* set_ = nullptr;
};

}  // namespace roadtest
