// The monitor's breakpoint table through BreakpointCommand and the run's
// preparation, on the simulated target: break bytes in target memory, the
// program stopping on one, bytes put back, the refusals with their messages,
// and the channels a run applies.
#include "config/break_channels.h"
#include "link/emu_response.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_results.h"
#include "link/link_state.h"
#include "monitor/break_table.h"
#include "link/monitor_data.h"
#include "monitor/monitor_output.h"
#include "link/monitor_run_state.h"
#include "link/monitor_services.h"
#include "config/device_data.h"
#include "tests/monitor/monitor_fixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

namespace monitortest {
namespace {

using namespace link_result;

constexpr DWORD kStopChannel = 0x4248;  // "BH"

std::string Heading() {
    return std::string("  <ADDR>\r\n\0\0\0\0\0\0\0\0\0\0", 20);
}

std::string Listed(DWORD address) {
    char line[16];
    std::snprintf(line, sizeof(line), "  %08X\r\n", static_cast<unsigned>(address));
    return line;
}

std::string Message(const char* text) {
    std::string field(text);
    field.resize(60, '\0');
    return field;
}

class Breakpoints : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        // Eight no-operations and a jump back to the first.
        LoadProgram(0x500, {kNop, kNop, kNop, kNop, kNop, kNop, kNop, kNop, 0xFE, 0xF7});
    }
    void Set(DWORD address) { Engine().BreakpointCommand(0, address, 'P', 0); }
    void GoFrom(DWORD address, DWORD runKind = 0) {
        GoRequestBlock& request = g_monitorRunState.goRequest;
        request = GoRequestBlock{};
        request.runKind = runKind;
        request.goStart = {1, address};
        g_registerImage[kIsp] = 0x900;
    }
    static const MonitorBreakEntry& Entry(std::size_t n) { return g_monitorBreakTable[n]; }
};

TEST_F(Breakpoints, ABreakpointStopsTheProgramAndItsByteComesBack) {
    Set(0x504);
    EXPECT_EQ(Output(), Heading() + Listed(0x504));
    EXPECT_EQ(g_monitorReplyState, kMonitorReplyPending);
    EXPECT_EQ(Entry(0).flags, 0x0011);
    EXPECT_EQ(Entry(0).savedByte, kNop);
    EXPECT_EQ(ReadTarget(0x504, 1), Bytes{kNop}) << "nothing written before a run";

    GoFrom(0x500);
    EXPECT_EQ(Engine().RunTarget(), kOk);
    EXPECT_EQ(ReadTarget(0x504, 1), Bytes{0x00});
    EXPECT_EQ(Output(), " ** RUNNING \n");
    RunABit();
    EXPECT_EQ(Status().stopWord, kStopBreakInstruction);
    EXPECT_EQ(Status().pc, 0x504u);
    EXPECT_TRUE(Entry(0).Written());

    ClearFrames();
    Engine().BreakpointCommand(1, 0x504, 'P', 0);
    EXPECT_EQ(Output(), Heading()) << "the table is empty";
    EXPECT_EQ(ReadTarget(0x504, 1), Bytes{kNop});
    EXPECT_EQ(g_monitorBreakCount, 0);
    EXPECT_EQ(FramesIn().size(), 2u) << "the byte read and written back";
}

TEST_F(Breakpoints, ProtocolTypeThreeWritesItsOwnBreakByte) {
    UseDevice(Device::Vk33D64, 3);
    LoadProgram(0x500, {kNop, kNop, kNop, kNop, kNop});
    Set(0x503);
    GoFrom(0x500);
    EXPECT_EQ(RunUnit().PrepareExecution(), kOk);
    EXPECT_EQ(ReadTarget(0x503, 1), Bytes{0x08});
    EXPECT_EQ(RunUnit().RemoveBreakInstructions(-1), kOk);
    EXPECT_EQ(ReadTarget(0x503, 1), Bytes{kNop});
}

TEST_F(Breakpoints, TheListingShowsEveryEntryInOrder) {
    for (const DWORD address : {0x506u, 0x502u, 0x504u}) {
        Set(address);
    }
    EXPECT_EQ(Output(), Heading() + Listed(0x506) + Listed(0x502) + Listed(0x504));
    Engine().BreakpointCommand(1, 0x502, 'P', 0);
    EXPECT_EQ(Output(), Heading() + Listed(0x506) + Listed(0x504)) << "compacted, in order";
    Engine().BreakpointCommand(2, 0, 'P', 0);
    EXPECT_EQ(Output(), Heading()) << "any other selector removes all";
    EXPECT_EQ(g_monitorBreakCount, 0);
}

TEST_F(Breakpoints, AByteChangedBehindThePluginIsLeftAsItIs) {
    Set(0x504);
    GoFrom(0x500);
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    LoadProgram(0x504, {0x77});
    ClearFrames();
    EXPECT_EQ(RunUnit().RemoveBreakInstructions(-1), kOk);
    EXPECT_EQ(ReadTarget(0x504, 1), Bytes{0x77});
    EXPECT_EQ(FramesIn().size(), 1u) << "read, not written";
    EXPECT_FALSE(Entry(0).Written());
}

TEST_F(Breakpoints, ARefusedBreakByteTakesTheOthersOut) {
    Set(0x502);
    Set(0x506);
    GoFrom(0x500);
    // The second entry's verified write fails (reads use no verify fault).
    ASSERT_EQ(Control().injectFaultAfter(5, Q3V_SIM_FAULT_VERIFY, 0, 1), Q3V_SIM_OK);
    BeginMonitorCommand();
    EXPECT_EQ(RunUnit().PrepareExecution(), 0x2E00);
    EXPECT_EQ(Output(), Message(" *** 46:Can not set A=00000506"));
    EXPECT_EQ(ReadTarget(0x500, 8), Bytes(8, kNop)) << "both bytes as they were";
    EXPECT_FALSE(Entry(0).Written());
    EXPECT_FALSE(Entry(1).Written());
    EXPECT_EQ(g_monitorBreakCount, 2) << "the entries stay";

    ASSERT_EQ(Control().injectFaultAfter(5, Q3V_SIM_FAULT_VERIFY, 0, 1), Q3V_SIM_OK);
    ClearFrames();
    EXPECT_NE(Engine().RunTarget(), kOk);
    EXPECT_TRUE(GoFrames().empty()) << "no go";
}

TEST_F(Breakpoints, AByteThatCannotBePutBackLosesOnlyItsOwnEntry) {
    Set(0x502);
    Set(0x506);
    GoFrom(0x500);
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    EXPECT_EQ(ReadTarget(0x502, 1), Bytes{0x00});
    EXPECT_EQ(ReadTarget(0x506, 1), Bytes{0x00});
    ASSERT_EQ(Control().injectFaultAfter(5, Q3V_SIM_FAULT_VERIFY, 0, 1), Q3V_SIM_OK);
    BeginMonitorCommand();
    EXPECT_EQ(RunUnit().RemoveBreakInstructions(-1), 0x2F00);
    EXPECT_EQ(Output(), Message(" *** 47:Break point is deleted A=00000506"));
    EXPECT_EQ(g_monitorBreakCount, 1);
    EXPECT_EQ(Entry(0).address, 0x502u) << "the other breakpoint stays";
    EXPECT_FALSE(Entry(1).InUse());
    EXPECT_EQ(ReadTarget(0x502, 1), Bytes{kNop});
}

TEST_F(Breakpoints, RefusalsAndTheirMessages) {
    struct Case {
        DWORD address;
        const char* message;
    };
    const Case cases[] = {
        {0x0100, " *** 83:Internal I/O area"},  // IIO1
        {0xF100, " *** 54:Emulator area"},      // ASE1
        {0x0A10, " *** 54:Emulator area"},      // FIRM
        {0x2500, " *** 54:Emulator area"},      // DATF
    };
    for (const Case& c : cases) {
        Set(c.address);
        EXPECT_EQ(Output(), Message(c.message) + Heading()) << std::hex << c.address;
    }
    EXPECT_EQ(g_monitorBreakCount, 0);
    Set(0x504);
    Set(0x504);
    EXPECT_EQ(Output(), Message(" *** 18:Invalid address") + Heading() + Listed(0x504));
    int entry = -1;
    EXPECT_EQ(RunUnit().SetBreakpoint(&entry, 0x504, 'P', 0), -1);
    EXPECT_EQ(RunUnit().RemoveBreakpoint(1, 0x508, 'P', 0), 0x2000) << "none stands there";
    EXPECT_EQ(g_monitorBreakCount, 1);
    EXPECT_EQ(RunUnit().RemoveBreakpoint(1, 0x504, 'P', 0), kOk);
    EXPECT_EQ(RunUnit().RemoveBreakpoint(1, 0x504, 'P', 0), 0x2000) << "an empty table";
}

TEST_F(Breakpoints, TheTableHoldsTwoHundredAndFiftyFivePoints) {
    for (DWORD i = 0; i < kMonitorBreakEntries; ++i) {
        int entry = -1;
        ASSERT_EQ(RunUnit().SetBreakpoint(&entry, 0x600 + i, 'P', 0), 0) << i;
        EXPECT_EQ(entry, static_cast<int>(i));
    }
    Set(0x800);
    const std::string output = Output();
    EXPECT_EQ(output.substr(0, 60), Message(" *** 28:Too many points"));
    EXPECT_EQ(output.size(), 60 + 20 + kMonitorBreakEntries * 12) << "and the whole table listed";
    EXPECT_EQ(g_monitorBreakCount, kMonitorBreakEntries);
}

TEST_F(Breakpoints, BreakKindsAndTheMaskedAddressCompare) {
    int entry = -1;
    ASSERT_EQ(RunUnit().SetBreakpoint(&entry, 0x504, 'V', 0x1AB), 0);
    EXPECT_EQ(Entry(0).kind, break_kind::kV);
    EXPECT_EQ(Entry(0).kindFlag, 1);
    EXPECT_EQ(Entry(0).kindValue, 0xAB);
    ASSERT_EQ(RunUnit().SetBreakpoint(&entry, 0x505, 'x', 5), 0);
    EXPECT_EQ(Entry(1).kind, break_kind::kP) << "the chip's answer (nothing) says P";
    EXPECT_EQ(Entry(1).kindFlag, 0);
    BreakQuery query{0x20000505};
    EXPECT_EQ(RunUnit().FindBreakpoint(query), break_result::kFound) << "the top three bits are not compared";
    EXPECT_EQ(query.entry, 1);
    EXPECT_EQ(query.entryClass, 0x10);
    query = BreakQuery{0x20000504};
    EXPECT_EQ(RunUnit().FindBreakpoint(query), break_result::kNotFound) << "kind V compares whole";
    query = BreakQuery{0x505, break_kind::kV, 0};
    EXPECT_EQ(RunUnit().FindBreakpoint(query), break_result::kNotFound) << "the kind must agree";
    g_deviceAreas[kAreaIio2] = {1, 0x400, 0x4FF};
    query = BreakQuery{0x20000505};
    EXPECT_EQ(RunUnit().FindBreakpoint(query), break_result::kNotFound) << "above the IIO2 top: whole";
}

TEST_F(Breakpoints, ABreakpointAtTheGoAddressLetsTheFirstInstructionRun) {
    Set(0x500);
    GoFrom(0x500);
    EXPECT_EQ(Engine().RunTarget(), kOk);
    EXPECT_EQ(g_monitorRunState.goRequest.stepFirst, 1u);
    EXPECT_EQ(ReadTarget(0x500, 1), Bytes{kNop}) << "the replaced byte is back for the first instruction";
    const BreakChannelRecord& step = g_appliedBreakChannels[0];
    EXPECT_EQ(step.enable, 1u);
    EXPECT_EQ(step.kind, kBreakKindAddress);
    EXPECT_EQ(step.address, 0x500u);
    EXPECT_EQ(step.dataMask, 0xFFFFFFFFu);
    EXPECT_EQ(step.pcBefore, 1u);
    RunABit();
    EXPECT_EQ(Status().stopWord, kStopChannel) << "the step channel stops the go after its first instruction";
    EXPECT_EQ(Status().pc, 0x501u);
}

TEST_F(Breakpoints, ThePreparationAppliesTheWorkingChannels) {
    Engine().ExecuteBreakConditionCommand("BC1 PC=H'0506");
    Engine().ExecuteBreakConditionCommand("BC2 A=H'0700 D=H'12");
    Engine().ExecuteBreakConditionCommand("BC3 PC=H'0507");
    GoFrom(0x500);
    g_registerImage[kPc] = 0x500;
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    EXPECT_EQ(std::memcmp(&g_appliedBreakChannels[0], &g_breakChannels[0], kAppliedRecordBytes), 0);
    EXPECT_EQ(std::memcmp(&g_appliedBreakChannels[1], &g_breakChannels[1], kAppliedRecordBytes), 0);
    EXPECT_EQ(g_appliedBreakChannels[0].commandText[0], '\0') << "the text is not applied";
    EXPECT_EQ(g_appliedBreakChannels[2].enable, 0u) << "this device has two address-break channels";
    EXPECT_EQ(g_monitorRunState.goRequest.stepFirst, 0u);
    ASSERT_EQ(Engine().RunTarget(), kOk);
    RunABit();
    EXPECT_EQ(Status().stopWord, kStopChannel);
    EXPECT_EQ(Status().pc, 0x506u);

    GoFrom(0x500, 1);
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    EXPECT_EQ(g_appliedBreakChannels[0].enable, 0u) << "run kind 1 applies none";
    g_deviceValues.addressBreakCount = 200;
    GoFrom(0x500, 3);
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    EXPECT_EQ(g_appliedBreakChannels[2].address, 0x507u) << "the count is clamped to the eight records";
    EXPECT_EQ(g_appliedBreakChannels[0].runCode, 3u);
}

TEST_F(Breakpoints, ABreakConditionAtTheGoAddressIsSteppedOver) {
    Engine().ExecuteBreakConditionCommand("BC1 PC=H'0500");
    Engine().ExecuteBreakConditionCommand("BC2 PC=H'0506");
    GoFrom(0x500);
    g_registerImage[kPc] = 0x500;
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    EXPECT_EQ(g_monitorRunState.goRequest.stepFirst, 2u);
    EXPECT_EQ(g_breakChannels[0].hit, 0u) << "the working marks are cleared";
    EXPECT_EQ(g_appliedBreakChannels[0].address, 0x500u) << "the step channel";
    EXPECT_EQ(g_appliedBreakChannels[0].maskCode, 0u);
    EXPECT_EQ(g_appliedBreakChannels[1].address, 0x506u);
}

TEST_F(Breakpoints, TheBreakConditionModeNeedsItsChannels) {
    GoFrom(0x500, 3);
    BeginMonitorCommand();
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), 0x2A00);
    EXPECT_EQ(Output(), Message(" *** 42:Can not use this mode"));
    g_breakChannels[0].enable = 1;
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), 0x2A00) << "channels 1 and 2";
    g_breakChannels[1].enable = 1;
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), kOk);
    GoFrom(0x500, 9);
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), 0x2A00);
    GoFrom(0x500, 5);
    g_breakChannels.fill(g_breakChannels[0]);
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), kOk);
    g_monitorRunState.goRequest.stopMode = 1;
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), 0x2A00) << "a stop mode with run kind 5";
    GoFrom(0x500, 2);
    g_monitorRunState.goRequest.stopMode = 1;
    EXPECT_EQ(RunUnit().CheckBreakConditionMode(), kOk);
}

TEST_F(Breakpoints, TheStepHelpers) {
    EXPECT_EQ(RunUnit().PrepareStepBreak(0x500, 2), 0);
    EXPECT_EQ(g_suspendState.state, 1u);
    EXPECT_EQ(g_suspendState.address, 0x502u) << "the stop after the instruction";
    EXPECT_EQ(g_appliedBreakChannels[0].enable, 0u);
    for (const WORD length : {WORD{0}, WORD{6}, WORD{7}, WORD{8}}) {
        g_stepInterruptOption = length == 6 ? 1 : 0;
        EXPECT_EQ(RunUnit().PrepareStepBreak(0x510, length), 0);
        EXPECT_EQ(g_suspendState.state, 0u) << "cleared";
        const BreakChannelRecord& step = g_appliedBreakChannels[0];
        EXPECT_EQ(step.enable, 1u);
        EXPECT_EQ(step.kind, kBreakKindAddress);
        EXPECT_EQ(step.address, 0x510u);
        EXPECT_EQ(step.maskCode, 4u);
        EXPECT_EQ(step.dataMask, 0xFFFFFFFFu);
        EXPECT_EQ(step.pcBefore, 1u);
        EXPECT_EQ(step.stepFlag, length == 6 ? 0u : 2u);
    }
    LoadProgram(0x600, {0xEF, 0x10, 0xF5, 0x00});
    EXPECT_EQ(RunUnit().GetInstructionLengthAt(0x600), 2);
    EXPECT_EQ(RunUnit().GetInstructionLengthAt(0x602), 3);

    EXPECT_EQ(RunUnit().SetRegisterValue(28, 0x123456), kOk);
    EXPECT_EQ(g_registerImage[kPc], 0x3456u) << "masked with the device's top address";
    EXPECT_EQ(RunUnit().SetRegisterValue(40, 0x1234), kOk);
    EXPECT_EQ(g_registerImage[kFlg], 0x34u);
}

TEST_F(Breakpoints, TheStepOverPutsTheReplacedByteBackAndMatchesAddressConditions) {
    Engine().ExecuteBreakConditionCommand("BC2 PC=H'0504;P");
    Set(0x504);
    GoFrom(0x500);
    ASSERT_EQ(RunUnit().PrepareExecution(), kOk);
    ASSERT_EQ(ReadTarget(0x504, 1), Bytes{0x00});
    EXPECT_EQ(RunUnit().PrepareStepOverBreak(0x504), break_result::kMatched);
    EXPECT_EQ(ReadTarget(0x504, 1), Bytes{kNop});
    EXPECT_EQ(g_breakChannels[1].hit, 1u);
    EXPECT_EQ(g_appliedBreakChannels[1].address, 0x504u) << "the working table applied";
    EXPECT_EQ(g_appliedBreakChannels[0].maskCode, 4u) << "and the step channel";
    EXPECT_EQ(RunUnit().MatchAddressBreakConditions(0x505), 0);
    EXPECT_EQ(g_breakChannels[1].hit, 0u);
}

}  // namespace
}  // namespace monitortest
