// The link's road tests: the real link code (driver binding, transfers,
// channel, link facade) bound to the simulated emulator's real driver module
// through the platform layer, as the plug-in binds it. Only the far end is
// scripted: the emulator through its control API and faults, the user
// through the UI driver. A failing test prints the last frames of the wire.
#pragma once

#include "link/emulator_channel.h"
#include "link/emulator_link.h"
#include "link/ule_drv_interface.h"
#include "sim/host/sim_host.h"
#include "config/device_data.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/clock.h"
#include "platform/ui.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace linktest {

using emutest::Bytes;
using emutest::Hex;
using emutest::HexText;

// The devices the tests connect to, as the device data describes them.
enum class Device { Vk31D16, Vk32D64, Vk33D64 };
// Sets the device data for the device and protocol type (as the device-file
// reader would) and the simulated emulator to match.
void UseDevice(Device device, DWORD protocolType);

// The driver module's path beside the test program.
std::string SimulatedDriverPath();

class LinkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Recreates the driver interface over the simulated emulator's module:
    // initialised, selected, the link facade made.
    void Connect();
    // The firmware running on the target (through the emulator's control
    // back door, as a finished connect leaves it) and the link open.
    void StartFirmware();

    const emutest::ControlEntries& Control() const { return *control_; }
    const emutest::DriverEntries& DriverEntries() const { return *driverEntries_; }
    // From now on steers the emulator of another copy of the module (one a
    // driver list found in a folder of its own).
    void SteerModule(const emutest::SimModule& module);
    void Configure(const std::string& text);
    void Inject(DWORD fault, DWORD value, DWORD count);
    Q3vSimStatus Status() const;
    Bytes ReadTarget(DWORD address, std::size_t count) const;
    Bytes ReadRegister(DWORD address) const;
    // The frames handed to the driver since the log was cleared, as hex text.
    std::vector<std::string> FramesIn() const;
    // Every frame of the log (in, out, time-outs) as text lines.
    std::vector<std::string> Wire() const;
    void ClearFrames() { Control().clearFrames(); }
    // The texts of the message boxes shown so far.
    std::vector<std::string> Messages() const;
    // The texts the plug-in passed to the host's error report.
    std::vector<std::string> HostReports() const { return host_.ReportedErrors(); }

    CEmulatorChannel& Channel() { return g_emulatorLink->Channel(); }
    CEmulatorLink& Link() { return *g_emulatorLink; }

    const emutest::ControlEntries* control_ = &emutest::Module().control;
    const emutest::DriverEntries* driverEntries_ = &emutest::Module().driver;
    platform::VirtualClock clock_;
    testsupport::TestUi ui_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    testing_support::TempFolder folder_;
    std::unique_ptr<CUleDrvInterface> driver_;
};

}  // namespace linktest
