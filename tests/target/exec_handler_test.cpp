// The run-control handler over the real link and monitor, with the
// simulated emulator's firmware running and the simulated host's register
// array: a breakpoint in flash stops the program, stops it again after a
// go from it, and once removed a step runs its instruction (the restored
// byte reaches the chip at that launch); a go to addresses puts the
// channels and breakpoints back as they were; the stop's deadline on the
// virtual clock (across the tick count's wrap); the periodic status, never
// during a host memory operation; the refusals the handler decides itself;
// the reply scanners and the register table.
#include "link/driver_lock.h"
#include "link/emu_response.h"
#include "link/firm_command.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "link/monitor_run_state.h"
#include "monitor/run_state_monitor.h"
#include "config/device_data.h"
#include "config/target_config.h"
#include "target/target_exec_vk3.h"
#include "target/memory_lock.h"
#include "target/target_memory_vk3.h"
#include "target/target_vk3.h"
#include "config/break_channels.h"
#include "tests/link/link_fixture.h"
#include "tests/target/exec_fixture.h"
#include "tests/support/address_list.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <tuple>
#include <thread>
#include <utility>

namespace linktest {
namespace {

constexpr HRESULT kNotAvailable = static_cast<HRESULT>(0x80042001);
constexpr char kTimeoutText[] = "Timed out waiting for program to stop.\nResetting CPU.  Register data will be lost.";

class ExecHandler : public ExecFixture {
protected:
    ExecHandler() : ExecFixture(1) {}
    void SetUp() override {
        ExecFixture::SetUp();
        OpenHandler();
        ClearFrames();
    }
    void AwaitEnd() {
        handler_->AwaitRunThread();
        EXPECT_EQ(GetTarget()->IsRunning(), 0u);
        EXPECT_EQ(handler_->QueryIdleEx(), S_OK);
    }
    DWORD Pc() { return host_.Registers().Value(kPcIndex); }
};

TEST_F(ExecHandler, ABreakpointInFlashStopsTheProgramAgainAfterAGoFromItAndARemovedOneIsStepped) {
    g_monitorEngine->BreakpointCommand(0, 0xC002, 'P', 0);
    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC002u);
    EXPECT_EQ(ReadTarget(0xC002, 1), Bytes{0x00}) << "the break byte went to the chip at the launch";

    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK POINT") << "stepped off it, round the loop and stopped there again";
    EXPECT_EQ(Pc(), 0xC002u);

    g_monitorEngine->BreakpointCommand(1, 0xC002, 'P', 0);
    ASSERT_EQ(handler_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Pc(), 0xC003u) << "the step ran the instruction the break byte had replaced";
    EXPECT_EQ(ReadTarget(0xC002, 1), Bytes{0x04}) << "the byte put back reached the chip at the step's launch";
    EXPECT_TRUE(Messages().empty());
}

// A go to more addresses than the device has address-break channels: the
// channels and the breakpoint table the user had come back exactly as they
// were, and the break byte of the address that took a breakpoint leaves the
// chip at the next launch.
TEST_F(ExecHandler, AGoToAddressesPutsTheChannelsAndBreakpointsBackAsTheyWere) {
    ASSERT_EQ(g_deviceValues.addressBreakCount, 2u);
    for (DWORD i = 0; i < kBreakChannelCount; ++i) {
        BreakChannelRecord& channel = g_breakChannels[i];
        channel = BreakChannelRecord{};
        channel.kind = kBreakKindAddress;  // set up by the user, not enabled
        channel.address = 0xC100 + i;
        channel.passCount = 7 + i;
        std::snprintf(channel.commandText, sizeof(channel.commandText), "A%X", static_cast<unsigned>(0xC100 + i));
    }
    g_monitorEngine->BreakpointCommand(0, 0xC200, 'P', 0);
    const BreakChannelTable channels = g_breakChannels;
    const auto table = g_monitorBreakTable;
    const WORD count = g_monitorBreakCount;
    const auto same = [](const MonitorBreakEntry& a, const MonitorBreakEntry& b) {
        return std::tie(a.address, a.flags, a.breakByte, a.kind, a.kindFlag, a.kindValue, a.requestedAddress,
                        a.reserved, a.translated, a.savedByte) ==
               std::tie(b.address, b.flags, b.breakByte, b.kind, b.kindFlag, b.kindValue, b.requestedAddress,
                        b.reserved, b.translated, b.savedByte);
    };

    const testsupport::AddressList list{0xC100, 0xC101, 0xC002};
    ASSERT_EQ(handler_->GoEx(list.Get()), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "STOP ADDRESS");
    EXPECT_EQ(Pc(), 0xC002u) << "the third address, a breakpoint";
    EXPECT_EQ(std::memcmp(&g_breakChannels, &channels, sizeof(channels)), 0) << "the channels byte for byte";
    EXPECT_EQ(g_monitorBreakCount, count);
    EXPECT_TRUE(std::equal(table.begin(), table.end(), g_monitorBreakTable.begin(), same)) << "the breakpoint table";

    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(handler_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY") << "nothing of the addresses stops the next go";
    EXPECT_EQ(ReadTarget(0xC002, 1), Bytes{0x04}) << "the break byte left the chip";
    g_breakChannels = {};
}

TEST_F(ExecHandler, OneStopCommandNoneWithinTheDeadlineThenTheTimeOutMessage) {
    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitRunning();
    {
        // The go thread cannot reach the emulator: the target seems stuck.
        const CDriverLockGuard stuck;
        // The deadline lies past the tick count's wrap; the clock moves only
        // when the test moves it.
        clock_.SetReadStep(0);
        clock_.Advance(0u - clock_.Now() - 1000);
        EXPECT_EQ(handler_->Halt(), S_OK);
        EXPECT_EQ(g_linkStopByte, kLinkStopRequested) << "the stop command";
        g_linkStopByte = 0;
        clock_.Advance(2999);
        EXPECT_EQ(handler_->Halt(), S_OK);
        EXPECT_EQ(g_linkStopByte, 0) << "no second command within 3,000 ms";
        EXPECT_TRUE(Messages().empty());
        clock_.Advance(2);
        EXPECT_EQ(handler_->Halt(), S_OK) << "Execute answers S_OK whatever the stop answers";
        EXPECT_EQ(handler_->Halt(), S_OK);
        EXPECT_EQ(Messages(), (std::vector<std::string>{kTimeoutText, kTimeoutText})) << "once per call";
        clock_.SetReadStep(1);
        g_linkStopByte = kLinkStopRequested;
    }
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY") << "the stop came through in the end; nothing was reset";
}

// The host may ask for the halt before the go thread has started the program
// and waits for its stop: the thread sends the stop once it waits.
TEST_F(ExecHandler, AHaltAskedWhileTheGoThreadStartsTheRunStopsItOnceItRuns) {
    {
        // The go thread cannot reach the emulator yet.
        const CDriverLockGuard starting;
        ASSERT_EQ(handler_->Go(), S_OK);
        testing_support::YieldWhile([&] { return handler_->QueryIdleEx() == S_OK; });
        ASSERT_EQ(handler_->QueryIdleEx(), E_FAIL) << "the go thread has begun the run";
        EXPECT_EQ(handler_->IsWaiting(), 0u);
        EXPECT_EQ(handler_->Halt(), S_OK);
    }
    testing_support::YieldWhile([&] { return handler_->QueryIdleEx() != S_OK; });
    ASSERT_EQ(handler_->QueryIdleEx(), S_OK) << "the halt was lost: the program runs on";
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY");

    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(handler_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY") << "the halt taken by the last run does not stop the next at its start";
}

TEST_F(ExecHandler, ThePeriodicStatusComesAtMostOnceAPeriodAndNeverWithPeriodZero) {
    ASSERT_EQ(GetTarget()->CTarget::Attach(&host_, 1), S_OK);
    const std::string periodic = simhost::GuidText(EVENT_PeriodicStatus);
    const auto runFor = [&](DWORD milliseconds) {
        const std::size_t before = log_.Find("GetEventName").size();
        const DWORD start = GetTickCount();
        EXPECT_EQ(handler_->Go(), S_OK);
        AwaitRunning();
        while (GetTickCount() - start < milliseconds) {
            std::this_thread::yield();
        }
        EXPECT_EQ(handler_->Halt(), S_OK);
        AwaitEnd();
        const DWORD elapsed = GetTickCount() - start;
        const auto calls = log_.Find("GetEventName");
        const auto events = std::count_if(calls.begin() + static_cast<std::ptrdiff_t>(before), calls.end(),
                                          [&](const simhost::CallRecord& call) { return call.detail == periodic; });
        return std::make_pair(static_cast<DWORD>(events), elapsed);
    };
    ASSERT_NE(g_targetConfig, nullptr);
    ASSERT_EQ(GetStatusTime(), CTargetConfig::kDefaultStatusTime);
    const auto [events, elapsed] = runFor(2000);
    EXPECT_GE(events, 1u);
    EXPECT_LE(events, elapsed / CTargetConfig::kDefaultStatusTime) << "at most once a period";
    std::unique_ptr<CTargetConfig> kept = std::move(g_targetConfig);
    const auto [none, quietTime] = runFor(2000);
    EXPECT_EQ(none, 0u) << "without a target configuration the period is 0";
    EXPECT_GE(quietTime, 2000u);
    g_targetConfig = std::move(kept);
    ASSERT_EQ(GetTarget()->CTarget::Detach(1), S_OK);
}

// The host's read has begun (its access flag set) and waits for the memory
// lock the test holds, while the go thread polls on: the status periods pass
// on a clock that moves only when the test moves it, and no periodic status
// comes until the read is done.
TEST_F(ExecHandler, NoPeriodicStatusWhileAHostMemoryOperationIsUnderWay) {
    ASSERT_EQ(GetTarget()->CTarget::Attach(&host_, 1), S_OK);
    const std::string periodic = simhost::GuidText(EVENT_PeriodicStatus);
    const auto events = [&] {
        const auto calls = log_.Find("GetEventName");
        return std::count_if(calls.begin(), calls.end(),
                             [&](const simhost::CallRecord& call) { return call.detail == periodic; });
    };
    // Returns once the go thread has polled the running target a few more
    // times (the simulated target runs on at every poll).
    const auto polls = [&] {
        int seen = 0;
        DWORD last = Status().instructions;
        testing_support::YieldWhile([&] {
            const DWORD now = Status().instructions;
            seen += now != last ? 1 : 0;
            last = now;
            return seen < 4;
        });
        ASSERT_EQ(seen, 4) << "the go thread stopped polling";
    };
    const DWORD period = GetStatusTime();
    ASSERT_NE(period, 0u);
    CTargetMemoryVk3 memory(&host_);
    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitRunning();

    Bytes read(8, 0xA5);
    LockMemoryAccess(TRUE);
    std::thread reader([&] { EXPECT_EQ(memory.ReadMemory(0x0480, 0x0487, 1, read.data()), S_OK); });
    testing_support::YieldWhile([&] { return memory.AccessInProgress() == 0; });
    EXPECT_EQ(memory.AccessInProgress(), 1u);
    clock_.SetReadStep(0);
    polls();  // a status the go thread had decided on before the read began is out
    const auto before = events();
    clock_.Advance(3 * period);
    polls();
    EXPECT_EQ(events(), before) << "three periods passed during the read";
    clock_.SetReadStep(1);
    LockMemoryAccess(FALSE);
    reader.join();
    testing_support::YieldWhile([&] { return events() == before; });
    EXPECT_GT(events(), before) << "the status comes again once the read is done";
    EXPECT_EQ(handler_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(StopCause(), "BREAK KEY");
    ASSERT_EQ(GetTarget()->CTarget::Detach(1), S_OK);
}

TEST_F(ExecHandler, RequestsTheStateRefuses) {
    EXPECT_EQ(handler_->Halt(), kNotAvailable) << "nothing runs";
    {
        CTargetMemoryVk3 memory(&host_);
        ASSERT_EQ(memory.OnDownload(0xFFFF), S_OK);
        EXPECT_EQ(handler_->Go(), kNotAvailable) << "a download is in progress";
        ASSERT_EQ(memory.OnDownload(0), S_OK);
    }
    EXPECT_EQ(GetTarget()->IsRunning(), 0u) << "no thread was started";

    const DWORD mode = g_emuSel;
    g_emuSel = 2;
    const std::size_t reported = host_.ReportedErrors().size();
    EXPECT_EQ(handler_->Go(), E_FAIL);
    EXPECT_EQ(handler_->StepIn(), E_FAIL);
    const std::vector<std::string> reports = host_.ReportedErrors();
    EXPECT_EQ(std::vector<std::string>(reports.begin() + static_cast<std::ptrdiff_t>(reported), reports.end()),
              (std::vector<std::string>{"The current emulator mode is \"Program Flash.\"",
                                        "The current emulator mode is \"Program Flash.\""}));
    g_emuSel = mode;

    ASSERT_EQ(handler_->Go(), S_OK);
    AwaitRunning();
    ClearFrames();
    handler_->SetPC(0xC004);
    EXPECT_EQ(Messages(), std::vector<std::string>{"Not currently available"});
    EXPECT_TRUE(FramesIn().empty()) << "no frame for the register";
    EXPECT_EQ(handler_->Halt(), S_OK);
    AwaitEnd();
}

TEST_F(ExecHandler, TheReplyScannersStayInsideTheirText) {
    std::string cause;
    EXPECT_FALSE(exec_reply::FindStopCause("+++", cause));
    EXPECT_TRUE(exec_reply::FindStopCause("PC= SR= \r\n:  +++:BREAK KEY\r\nPC= ", cause));
    EXPECT_EQ(cause, "BREAK KEY");
    EXPECT_TRUE(exec_reply::FindStopCause("+++:" + std::string(100, 'X'), cause));
    EXPECT_EQ(cause.size(), 79u) << "at most 79 characters without a CR";
    EXPECT_FALSE(exec_reply::IsBreakText("BREAK "));
    EXPECT_TRUE(exec_reply::IsBreakText("x BREAK !"));
    using Mark = exec_reply::StepOutMark;
    EXPECT_EQ(exec_reply::FindStepOutMark("C012 RTS\r\n +++:"), Mark::Return);
    EXPECT_EQ(exec_reply::FindStepOutMark(" +++:ONE STEP END RTS"), Mark::StopLine) << "the first one decides";
    EXPECT_EQ(exec_reply::FindStepOutMark("EXITD"), Mark::Return);
    EXPECT_EQ(exec_reply::FindStepOutMark("PC= "), Mark::None);
    std::string line;
    EXPECT_FALSE(exec_reply::FindStatusLine("**", line));
    EXPECT_TRUE(exec_reply::FindStatusLine(" ** RUNNING \n", line));
    EXPECT_EQ(line, "** RUNNING ");
}

TEST_F(ExecHandler, OpeningReportsTheBootAndFirmwareVersions) {
    const AdapterVersionRecord kept = g_adapterVersionWords;
    const auto opened = [&] {
        const std::size_t before = host_.ReportedErrors().size();
        handler_->OnTargetClose();
        EXPECT_EQ(handler_->OnTargetOpen(), S_OK);
        const std::vector<std::string> reports = host_.ReportedErrors();
        return std::vector<std::string>(reports.begin() + static_cast<std::ptrdiff_t>(before), reports.end());
    };
    g_adapterVersionWords = {0, 0, 0, 1, 0, 0, 0, 0x23, 0, 0, 0, 0x45, 0, 0, 6, 0x78};
    std::copy_n("VK3B1.00", 9, g_mcuVersionInfo.begin());
    EXPECT_EQ(opened(), (std::vector<std::string>{"Boot version \"VK3B1.00\"", "Q3v firmware version \"1.23.45.678\""}));
    g_adapterVersionWords[0] = 0xFF;
    EXPECT_EQ(opened(), std::vector<std::string>{"Boot version \"VK3B1.00\""}) << "no firmware version known";
    g_adapterVersionWords = kept;
    g_mcuVersionInfo = {};
}

TEST_F(ExecHandler, TheRegisterTableNamesTwentyRegisters) {
    EXPECT_EQ(CTargetExecVk3::GetRegisterCount(), 20u);
    EXPECT_EQ(CTargetExecVk3::FindRegisterIndexByName("pc"), 14);
    EXPECT_EQ(CTargetExecVk3::FindRegisterIndexByName("1fb"), 13);
    EXPECT_EQ(CTargetExecVk3::FindRegisterIndexByName("R9"), -1);
    ASSERT_NE(CTargetExecVk3::FindRegisterByIndex(15), nullptr);
    EXPECT_STREQ(CTargetExecVk3::FindRegisterByIndex(15)->name, "INTB");
    EXPECT_EQ(CTargetExecVk3::FindRegisterByIndex(15)->width, 3u);
    EXPECT_EQ(CTargetExecVk3::GetRegisterDescriptor(20), nullptr);
}

}  // namespace
}  // namespace linktest
