// The monitor's road tests: the monitor objects over the real link, bound to
// the simulated emulator's driver module with its firmware running. The
// device values the monitor reads are set here, as the device-file reader
// would set them.
#pragma once

#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/halt_control.h"
#include "monitor/run_state_monitor.h"
#include "tests/link/link_fixture.h"

#include <string>

namespace monitortest {

using linktest::Bytes;
using linktest::Device;

inline constexpr std::size_t kPc = 14;
inline constexpr std::size_t kIsp = 17;
inline constexpr std::size_t kFlg = 19;
inline constexpr BYTE kNop = 0x04;
inline constexpr DWORD kStopBreakInstruction = 0x4249;  // "BI"
// The device's monitor values the tests use.
inline constexpr WORD kChipId = 0x0092;
inline constexpr char kFirmId[] = "Q3vKQ14V1.00";
inline constexpr DWORD kInitialStack = 0x0980;
inline constexpr BYTE kInitialFlags = 0x20;

// Every word the monitor keeps between commands, as at process start.
void ResetMonitorState();

class MonitorTest : public linktest::LinkTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // The device and protocol type, the firmware running, fresh monitor
    // objects, the flash mirror as the chip holds it, an empty frame log.
    void UseDevice(Device device, DWORD protocolType);
    // The text the last command wrote to the monitor data buffer.
    static std::string Output();
    void LoadProgram(DWORD address, const Bytes& code);
    // Lets a running program have its instruction budget, as the next driver
    // call would.
    void RunABit() { Status(); }
    // The go requests in the frame log.
    std::vector<std::string> GoFrames() const;

    CMonitorEngine& Engine() { return *g_monitorEngine; }
    CMonitorRunBase& RunUnit() { return *g_monitorEngine->RunUnit(); }
};

}  // namespace monitortest
