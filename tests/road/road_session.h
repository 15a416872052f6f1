// The base of the road-test fixtures: the simulated emulator's module, the
// simulated host with the plug-in module loaded and a session folder, and the
// steps and looks the fixtures share to bring a target session up, watch a
// run and end it. Each fixture takes the steps it needs in its own order and
// names its device, program and plug-in itself.
#pragma once

#include "sim/host/sim_host.h"

#include "target/target_exec_vk3.h"
#include "target/target_vk3.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace roadtest {

using Lines = std::vector<std::string>;

// The simulated emulator as the demo device's tests set it up, a running
// program given a budget of 50 steps, or of 1000.
inline constexpr char kDemoSettings[] =
    "device=VK31D16;protocol=1;board=powered;connector=connected;canary=0;pending=0;steps=50;lockout=3;"
    "flashbusy=0;channels=1;interfaces=1";
inline constexpr char kDemoSettingsLongRun[] =
    "device=VK31D16;protocol=1;board=powered;connector=connected;canary=0;pending=0;steps=1000;lockout=3;"
    "flashbusy=0;channels=1;interfaces=1";
// The host's description of the demo device.
inline constexpr char kDemoDescription[] =
    "[CPUTYPE|VK31D16][ROM_SIZE|16K][EMULATOR|Q3][FIRMWARE|F000,1][WORK_RAM|0A00]";

// The plug-in loaded into the host, registered and its components attached.
void AttachPlugin(simhost::SimHost& host);

// The virtual clock and the simulated emulator: its reset and the looks at
// the chip and the wire through its control entries.
class EmulatorRoad : public ::testing::Test {
protected:
    // The emulator reset to its settings, its frame log and faults kept.
    void UseEmulator(const emutest::SimModule& module, const char* settings);
    Q3vSimStatus Status() const;
    emutest::Bytes ReadTarget(DWORD address, std::size_t count) const;
    void PutTarget(DWORD address, const emutest::Bytes& bytes) const;
    // The frames sent to the emulator (those keep takes), as text.
    Lines FramesIn(const std::function<bool(const emutest::Bytes&)>& keep = {}) const;

    platform::VirtualClock clock_;
    const emutest::ControlEntries* control_ = nullptr;
};

// A target session the test drives through the host's interfaces.
class RoadSession : public EmulatorRoad {
protected:
    // Ends a session the fixture started and unloads the plug-in.
    void TearDown() override;

    // Another device than the settings' brings a fresh target with its own
    // protocol type.
    void UseDevice(const char* device);
    void WriteProgram(const std::map<std::uint32_t, std::uint8_t>& program);
    // The shared emulator with the demo device's settings and the demo
    // program (Vk3Demo.mot) in its flash.
    void UseDemoEmulator();
    // The plug-in (from its path, or beside the test program) loaded,
    // registered and attached, the session folder open.
    void LoadHost(const std::string& pluginPath = {});
    void FindTarget();
    // A setting of the session file, and its stored text ("<none>").
    void Session(const char* section, const char* key, const char* value);
    std::string Saved(const char* section, const char* key) const;
    // The session names the group and device, so no sheet is shown.
    void NameDevice(const char* group, const char* device, const char* emuSel);
    // The new session's wizard, and the sheet of a session that holds the
    // selection: the demo group and device in the mode, not to be shown again.
    void ExpectWizard(int mode);
    void ExpectSheet(int mode);
    // The Emulator Setting sheet's script up to the demo group, device and
    // mode; the caller goes on with its pages and buttons.
    platform::ScriptedUiDriver::DialogScript& ChooseDemoDevice(int mode);
    // The host's initialisation of its target session behind the connecting
    // dialog; a success is ended at the tear-down.
    HRESULT StartTarget();
    virtual void EndSession();
    // The target session started on the group's VK31D16, keeping the flash:
    // the run control open, the registers at the demo's entry C000 with the
    // stack below isp. The answer of the start.
    HRESULT StartOnGroup(const char* group, DWORD isp);
    // The run control's host interface, the register array given, and the
    // registers at the entry with the stack below isp.
    void OpenExec();
    void AtEntry(DWORD pc, DWORD isp);

    simhost::HostRegisters& Registers() { return host_->Services().Registers(); }
    CTargetExecVk3& Handler() { return *static_cast<CTargetExecVk3*>(target_->GetExecHandler()); }
    std::string StopCause() { return Handler().GetStopCauseText().Str(); }
    // True while the go thread still works: the target's running flag.
    bool Busy() { return target_->QueryBusyOnWorkspaceClose() == 1; }
    // Lets the go thread finish its request (bounded generously: the thread
    // sanitizer's build on a busy machine is slow).
    virtual void AwaitEnd();
    // Waits until the go thread polls a running target.
    void AwaitRunning();
    // Goes, lets the program run and stops it with the break key.
    void GoAndHalt();
    Lines Messages() const;

    static constexpr std::size_t kPcRegister = 14;
    static constexpr std::size_t kIspRegister = 17;

    testsupport::TestUi ui_;
    testing_support::TempFolder session_;
    std::unique_ptr<simhost::SimHost> host_;
    CTargetVk3* target_ = nullptr;
    IHTExec2* exec_ = nullptr;
    bool started_ = false;
};

// A session of the host's console from the seed session file, on the shared
// emulator with the demo device's settings and no faults.
class ConsoleRoadSession : public EmulatorRoad {
protected:
    void SetUp() override;

    simhost::SimHost host_;
    std::istringstream in_;
    std::ostringstream out_;
};

}  // namespace roadtest
