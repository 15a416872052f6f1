// The trace providers: the branch-trace register blocks they read, the
// branch list read through the link from the simulated emulator's registers
// with the host's disassembler texts, the load rules, clearing, the
// event-function list, and the instruction text of the stop reports.
#include "monitor/branch_trace_provider.h"
#include "monitor/event_trace_provider.h"
#include "monitor/trace_row_format.h"
#include "target/trace_memory_access.h"
#include "tests/monitor/monitor_fixture.h"

#include "frame/error_codes.h"
#include "link/firm_command.h"
#include "platform/bstr.h"

#include <gtest/gtest.h>

namespace monitortest {
namespace {

using linktest::Hex;

struct BlockCase {
    const char* what;
    BranchTraceLayout layout;
    Bytes block;
    DWORD length;
    std::vector<DWORD> addresses;
};

TEST(BranchTraceBlocks, OnlySafeLayoutsAreReadAndEmptyRegistersAreDropped) {
    const BlockCase cases[] = {
        {"two bytes, the later register first", {2, {0x1A0, 0x1A2, 0x1A4, 0x1A6}},
         Hex("FF FF 12 34 FF FF 00 80"), 8, {0x0080, 0x1234}},
        {"two bytes, all empty", {2, {0x1A0, 0x1A2, 0x1A4, 0x1A6}}, Hex("FF FF FF FF FF FF FF FF"), 8, {}},
        {"three bytes, low byte first, at their offsets", {3, {0x3A0, 0x3A3, 0x3A6, 0x3A9}},
         Hex("10 C0 00 FF FF 0F 06 C0 00 12 C0 F0"), 12, {0xF0C012, 0x00C006, 0x00C010}},
        {"three bytes, a gap between registers", {3, {0x3A0, 0x3A4, 0x3A8, 0x3AC}},
         Hex("01 02 03 00 04 05 06 00 FF FF FF 00 07 08 09"), 15, {0x090807, 0x060504, 0x030201}},
        {"reversed", {2, {0x1A6, 0x1A4, 0x1A2, 0x1A0}}, {}, 0, {}},
        {"a register outside the block", {2, {0x1A0, 0x1A8, 0x1A4, 0x1A6}}, {}, 0, {}},
        {"short: two bytes from fewer than eight", {2, {0x1A0, 0x1A1, 0x1A2, 0x1A3}}, {}, 0, {}},
        {"longer than 64 bytes", {3, {0x300, 0x310, 0x320, 0x33F}}, {}, 0, {}},
        {"another size", {4, {0x1A0, 0x1A4, 0x1A8, 0x1AC}}, {}, 0, {}},
    };
    for (const BlockCase& c : cases) {
        const BranchTraceBlock block = BranchTraceBlockOf(c.layout);
        EXPECT_EQ(block.length, c.length) << c.what;
        if (block.length != 0) {
            EXPECT_EQ(block.unitSize, c.layout.bufferSize == 2 ? 2u : 1u) << c.what;
            ASSERT_EQ(c.block.size(), block.length) << c.what;
            EXPECT_EQ(BranchAddresses(c.layout, c.block.data()), c.addresses) << c.what;
        }
    }
}

// A memory access that fails every request.
class FailingMemory : public CTraceMemoryAccess {
public:
    bool Read(DWORD, DWORD, DWORD, BYTE*) override {
        ++reads;
        return false;
    }
    bool Write(DWORD, DWORD, const BYTE*) override { return false; }
    int reads = 0;
};

class TraceProviders : public MonitorTest {
protected:
    void SetUp() override {
        MonitorTest::SetUp();
        g_deviceValues.traceFunction = 1;
        g_deviceValues.traceBufSize = 2;
        g_deviceValues.regTrc = 0x1B8;
        g_deviceValues.regTrcbr = {0x1A0, 0x1A2, 0x1A4, 0x1A6};
        const auto demo = emutest::LoadSRecords("Vk3Demo.mot");
        LoadProgram(0xC000, emutest::Slice(demo, 0xC000, 0x20));
        ASSERT_EQ(CFirmCommand().RefreshFlashMirror(), 0);
    }
    // Newest first, two bytes each, high byte first.
    void SetBranchRegisters(const Bytes& bytes) { LoadProgram(0x1A0, bytes); }
    std::vector<std::string> Rows(IHTTraceList& list) {
        DWORD count = 0;
        EXPECT_EQ(list.GetCount(1, &count), S_OK);
        std::vector<std::string> rows;
        for (DWORD row = 0; row < count; ++row) {
            platform::Bstr text;
            EXPECT_EQ(list.GetRowText(row, text.Out()), S_OK);
            rows.push_back(text.Ansi());
        }
        return rows;
    }

    CMonitorTraceMemory memory;
};

TEST_F(TraceProviders, OpeningSwitchesTheChipsRecordingOn) {
    LoadProgram(0x1B8, {0x81});
    CBranchTraceListProvider provider(&host_, &memory);
    EXPECT_EQ(provider.OnTargetOpen(), S_OK);
    EXPECT_EQ(ReadTarget(0x1B8, 1), Bytes{0x83});

    FailingMemory failing;
    CBranchTraceListProvider refused(&host_, &failing);
    EXPECT_EQ(refused.OnTargetOpen(), E_FAIL);
}

TEST_F(TraceProviders, TheBranchListReadsTheRegistersWithTheHostsDisassembler) {
    CBranchTraceListProvider provider(&host_, &memory);
    ASSERT_EQ(provider.OnTargetOpen(), S_OK);
    SetBranchRegisters(Hex("C0 06 C0 12 C0 00 FF FF"));
    provider.SetTraceValid(1);
    EXPECT_EQ(Rows(provider), (std::vector<std::string>{"-000002\t0002\tBRANCH\t0000C000\tJSR.A 00C010",
                                                         "-000001\t0001\tBRANCH\t0000C012\tRTS",
                                                         "+000000\t0000\tBRANCH\t0000C006\tJMP.B 00C000"}));
    // Loaded once: new register contents show only after a clear.
    SetBranchRegisters(Hex("C0 00 C0 06 C0 12 C0 00"));
    EXPECT_EQ(Rows(provider).size(), 3u);
    EXPECT_EQ(provider.Clear(2), TE_NOT_AVAILABLE);
    EXPECT_EQ(provider.Clear(3), S_OK);
    EXPECT_FALSE(provider.IsLoaded());
    EXPECT_EQ(Rows(provider).size(), 4u);
    // The host's trace-clear event drops them too; other events do not.
    EXPECT_EQ(host_.RaiseHostEvent(EVENT_ViewsRefresh), 1u);
    EXPECT_TRUE(provider.IsLoaded());
    EXPECT_EQ(host_.RaiseHostEvent(EVENT_TraceClear), 1u);
    EXPECT_FALSE(provider.IsLoaded());
    EXPECT_EQ(provider.GetRecordCount(), 0u);
}

TEST_F(TraceProviders, RecordsLoadOnlyWhenTheHostIsNotRunningAndTheLastStopWasNoStep) {
    CBranchTraceListProvider provider(&host_, &memory);
    SetBranchRegisters(Hex("C0 06 FF FF FF FF FF FF"));
    DWORD count = 7;
    // After a single step's stop the word is 0.
    provider.SetTraceValid(0);
    EXPECT_EQ(provider.GetCount(1, &count), S_OK);
    EXPECT_EQ(count, 0u);
    EXPECT_FALSE(provider.IsLoaded());
    provider.SetTraceValid(1);
    host_.Execution().SetExecuting(true);
    EXPECT_EQ(provider.GetCount(2, &count), S_OK);
    EXPECT_EQ(count, 0u);
    host_.OfferService(IID_IHExecutionService, nullptr);
    host_.Execution().SetExecuting(false);
    EXPECT_EQ(provider.GetCount(1, &count), S_OK);
    EXPECT_EQ(count, 0u);
    host_.OfferService(IID_IHExecutionService, &host_.Execution());
    EXPECT_EQ(provider.GetCount(1, &count), S_OK);
    EXPECT_EQ(count, 1u);
    // No such row: a null text.
    BSTR text = reinterpret_cast<BSTR>(this);
    EXPECT_EQ(provider.GetRowText(1, &text), TE_NOT_AVAILABLE);
    EXPECT_EQ(text, nullptr);
}

TEST_F(TraceProviders, TheListsFixedAnswers) {
    CBranchTraceListProvider provider(&host_, &memory);
    int registered = 0;
    for (const simhost::InterfaceRegistration& entry : host_.Registrations()) {
        registered += (entry.server && entry.iid == IID_IHTTraceList) ||
                      (!entry.server && entry.iid == IID_IHEventReceiver);
    }
    EXPECT_EQ(registered, 2);  // the list and the event receiver
    DWORD value = 0;
    EXPECT_EQ(provider.GetCount(0, &value), S_OK);
    EXPECT_EQ(value, 4u);
    EXPECT_EQ(provider.GetCount(3, &value), TE_NOT_AVAILABLE);
    platform::Bstr name;
    DWORD kind = 0;
    EXPECT_EQ(provider.GetName(&kind, name.Out()), S_OK);
    EXPECT_EQ(name.Ansi(), "Trace");
    EXPECT_EQ(kind, 1u);
    platform::Bstr header;
    EXPECT_EQ(provider.GetHeader(header.Out()), S_OK);
    EXPECT_EQ(header.Ansi(), "PTR\tIP\tType\tAddress\tInstruction");
    LONG column = 0;
    EXPECT_EQ(provider.GetColumnKind(1, &column), S_OK);
    EXPECT_EQ(column, -1);
    EXPECT_EQ(provider.GetColumnKind(4, &column), S_OK);
    EXPECT_EQ(column, 5);
    EXPECT_EQ(provider.GetColumnKind(5, &column), TE_NOT_AVAILABLE);
    WORD offered = 7;
    EXPECT_EQ(provider.QueryCapability(4, &offered), S_OK);
    EXPECT_EQ(offered, 0);
    EXPECT_EQ(provider.Unsupported6(0, 0), TE_NOT_AVAILABLE);
    EXPECT_EQ(provider.Unsupported13(0, 0), TE_NOT_AVAILABLE);
    void* object = nullptr;
    EXPECT_EQ(provider.QueryInterface(IID_IHEventReceiver, &object), S_OK);
    EXPECT_EQ(provider.QueryInterface(IID_IHStatusClient, &object), E_NOINTERFACE);
}

TEST_F(TraceProviders, TheFirmwareAreaShowsTheEmulatorsCodeAndAFailedReadNothing) {
    std::array<BYTE, 8> bytes{0xF3};
    EXPECT_EQ(FormatTraceRow(&host_, bytes.data(), 0xF000), "*** EML ***");
    EXPECT_EQ(FormatTraceRow(&host_, bytes.data(), 0xFF7F), "*** EML ***");
    EXPECT_EQ(FormatTraceRow(&host_, bytes.data(), 0xEFFF), "RTS");
    g_deviceAreas[kAreaAse1].enable = 0;
    EXPECT_EQ(FormatTraceRow(&host_, bytes.data(), 0xF000), "RTS");
    g_deviceAreas[kAreaAse1].enable = 1;
    host_.OfferService(IID_IHDisassembler, nullptr);
    EXPECT_EQ(FormatTraceRow(&host_, bytes.data(), 0xEFFF), "");
    host_.OfferService(IID_IHDisassembler, &host_.Disassembler());

    FailingMemory failing;
    EXPECT_EQ(FormatInstructionAt(&host_, &failing, 0xC012), "");
    EXPECT_EQ(FormatInstructionAt(&host_, &failing, 0xF010), "*** EML ***");
    EXPECT_EQ(failing.reads, 1) << "nothing is read for the firmware's code";
    EXPECT_EQ(FormatInstructionAt(&host_, &memory, 0xC012), "RTS");
}

// The event engine's trace, as a table.
class TableTrace : public CEventTraceSource {
public:
    bool ReadTrace() override {
        ++reads;
        return true;
    }
    DWORD GetTraceCapacity() override { return 128; }
    bool IsTraceBusy() override { return busy; }
    std::vector<EventTraceEntry> GetTraceRecords() override { return entries; }
    void GetEventRange(DWORD event, DWORD* start, DWORD* end) override {
        *start = event == 0 ? 0x400 : 0x408;
        *end = event == 0 ? 0x40F : 0x408;
    }
    bool busy = false;
    int reads = 0;
    std::vector<EventTraceEntry> entries;
};

TEST_F(TraceProviders, TheEventFunctionsListTakesTheEnginesRecords) {
    CTraceListProvider empty(&host_, &memory, nullptr);
    DWORD value = 0;
    EXPECT_EQ(empty.GetCount(0, &value), S_OK);
    EXPECT_EQ(value, 64u);
    empty.SetTraceValid(1);
    EXPECT_TRUE(Rows(empty).empty());
    LONG column = 0;
    EXPECT_EQ(empty.GetColumnKind(5, &column), S_OK);
    EXPECT_EQ(column, 5);
    EXPECT_EQ(empty.GetColumnKind(6, &column), TE_NOT_AVAILABLE);

    TableTrace trace;
    CTraceListProvider provider(&host_, &memory, &trace);
    WORD offered = 7;
    EXPECT_EQ(provider.QueryCapability(4, &offered), S_OK);
    EXPECT_EQ(offered, 0) << "no records";
    trace.entries = {
        {.access = false, .branchSource = true, .address = 0xC012},
        {.access = false, .branchSource = false, .address = 0xC004},
        {.access = true, .direction = 1, .value = 0x12345, .size = 2, .selector = 0},
        {.access = true, .direction = 0, .value = 0xAB, .size = 1, .selector = 1},
        {.access = true, .direction = 0, .value = 0xCD, .size = 1, .selector = 2},
    };
    EXPECT_EQ(provider.QueryCapability(4, &offered), S_OK);
    EXPECT_EQ(offered, 1);
    EXPECT_EQ(provider.QueryCapability(3, &offered), S_OK);
    EXPECT_EQ(offered, 0);
    trace.busy = true;
    EXPECT_EQ(provider.QueryCapability(4, &offered), S_OK);
    EXPECT_EQ(offered, 0);
    EXPECT_EQ(provider.GetCount(0, &value), S_OK);
    EXPECT_EQ(value, 128u);
    provider.SetTraceValid(1);
    EXPECT_EQ(Rows(provider), (std::vector<std::string>{
                                  "-000004\t0004\tBRANCH\t0000C012\t\tRTS",
                                  "-000003\t0003\tDESTINATION\t0000C004\t\tNOP",
                                  "-000002\t\tREAD\t00000400-0000040F\t2345\t",
                                  "-000001\t\tWRITE\t00000408\tAB\t",
                                  "+000000\t\tWRITE\t00000408\tCD\t",
                              }));
    EXPECT_EQ(trace.reads, 1) << "the capability asks for none";
}

}  // namespace
}  // namespace monitortest
