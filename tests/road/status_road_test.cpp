// The status side on the real road: the simulated host's status and trace
// windows over the plug-in module's status pages, servers and trace list,
// with the simulated emulator's module; the start and stop functions written
// into the chip before a go. The session's settings choose the device
// beforehand, so no sheet is shown: the demo device, or the TRACE fixture
// (the demo device with the branch trace and the start/stop functions).
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/road_session.h"

#include "sim/host/status_window.h"

#include "res/resource_ids.h"

#include "platform/bstr.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Lines;

constexpr char kDemoGroup[] = "VK31X";
constexpr char kTraceGroup[] = "LinkTestFiles\\TRACE";
constexpr DWORD kStartVector = 0xF060;
constexpr DWORD kStopVector = 0xF064;

class StatusRoad : public roadtest::RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseDemoEmulator());
    }

    // The host starts its target session on the group's VK31D16, keeping
    // the flash (the demo program in it).
    void Start(const char* group) { ASSERT_EQ(StartOnGroup(group, 0x0900), S_OK); }

    std::string Row(const std::string& page, std::size_t row) const {
        const auto found = simhost::StatusWindow(host_->Services()).Page(page);
        return found.has_value() && row < found->rows.size() ? found->rows[row] : "<none>";
    }
};

TEST_F(StatusRoad, TheStatusWindowShowsThePagesOfTheDemoDevice) {
    Start(kDemoGroup);
    const simhost::StatusWindow window(host_->Services());
    ASSERT_EQ(window.Pages().size(), 3u);
    const auto events = window.Page("Events");
    ASSERT_TRUE(events.has_value());
    EXPECT_EQ(events->rows, (Lines{"\tBreak point : 0 of 255 PC breakpoints in use", "\tBreak condition : Not used"}));
    const auto memory = window.Page("Memory");
    ASSERT_TRUE(memory.has_value());
    EXPECT_EQ(memory->rows, (Lines{"Target Device Configuration\tSingle-Chip Mode",
                                   "System Memory Resources\tNot Support"}));
    const auto platform = window.Page("Platform");
    ASSERT_TRUE(platform.has_value());
    ASSERT_EQ(platform->rows.size(), 8u);
    EXPECT_EQ(platform->rows[0], "Connected to:\tVk3 Q3v SYSTEM (Q3v Simulated Emulator)");
    EXPECT_EQ(platform->rows[1], "CPU\tVk31X");
    EXPECT_EQ(platform->rows[2], "Run status\tReady");
    EXPECT_EQ(platform->rows[6], "Endian\tLittle");
    EXPECT_EQ(platform->rows[7], "");

    // Each page answers another page's id with nothing.
    for (const auto& entry : host_->Services().Registrations()) {
        if (!entry.server && entry.iid == IID_IHStatusClient) {
            auto* client = static_cast<IHStatusClient*>(entry.object);
            GUID own{};
            platform::Bstr name, first, second;
            DWORD firstWidth = 0;
            DWORD secondWidth = 0;
            ASSERT_EQ(client->GetPageInfo(&own, name.Out(), first.Out(), second.Out(), &firstWidth, &secondWidth),
                      S_OK);
            const GUID other = own == GUID_Q3vStatusEventsPage ? GUID_Q3vStatusMemoryPage : GUID_Q3vStatusEventsPage;
            DWORD count = 7;
            EXPECT_EQ(client->GetItemCount(other, &count), E_FAIL) << name.Ansi();
            EXPECT_EQ(count, 0u);
        }
    }

    EXPECT_EQ(window.StatusTime(), 500u);
    EXPECT_EQ(window.StatusTimeRange(), std::make_pair(DWORD{10}, DWORD{10000}));

    // Stopped, and for an empty range, the buffer stays as it was.
    Bytes buffer(8, 0xA5);
    EXPECT_EQ(window.ReadRunningMemory(0xC000, 8, buffer.data()), S_OK);
    EXPECT_EQ(buffer, Bytes(8, 0xA5));

    // Running: the program's bytes, and the run status.
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(window.ReadRunningMemory(0xC000, 8, buffer.data()), S_OK);
    EXPECT_EQ(buffer, ReadTarget(0xC000, 8));
    EXPECT_EQ(buffer[0], 0xFD) << "the demo's call";
    Bytes untouched(4, 0x5A);
    EXPECT_EQ(window.ReadRunningMemory(0, 0, untouched.data()), S_OK);
    EXPECT_EQ(untouched, Bytes(4, 0x5A));
    EXPECT_EQ(Row("Platform", 2), "Run status\tRun");
    EXPECT_EQ(Row("Platform", 3), "Cause of last break\tRun");
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Row("Platform", 3), "Cause of last break\tBREAK KEY");

    // A go to an address: its stop cause and the run time.
    VARIANT list;
    VariantInit(&list);
    list.vt = VT_ARRAY | VT_UINT;
    list.parray = SafeArrayCreateVector(VT_VARIANT, 0, 1);
    VARIANT* element = nullptr;
    ASSERT_EQ(SafeArrayAccessData(list.parray, reinterpret_cast<void**>(&element)), S_OK);
    element->vt = VT_UINT;
    element->uintVal = 0xC005;
    SafeArrayUnaccessData(list.parray);
    ASSERT_EQ(exec_->GoEx(list), S_OK);
    VariantClear(&list);
    AwaitEnd();
    EXPECT_EQ(Row("Platform", 2), "Run status\tReady");
    EXPECT_EQ(Row("Platform", 3), "Cause of last break\tSTOP ADDRESS");
    EXPECT_EQ(Row("Platform", 4).rfind("Run time count\t", 0), 0u);
    EXPECT_NE(Row("Platform", 4).find("min"), std::string::npos) << Row("Platform", 4);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StatusRoad, TheTraceShowsTheLastFourBranchesAfterARun) {
    Start(kTraceGroup);
    EXPECT_NE(ReadTarget(0x01B8, 1)[0] & 0x02, 0) << "the chip records its branches from the open on";
    const simhost::TraceWindow window(host_->Services());
    GoAndHalt();
    auto view = window.Read();
    ASSERT_TRUE(view.has_value());
    EXPECT_EQ(view->name, "Trace");
    EXPECT_EQ(view->header, "PTR\tIP\tType\tAddress\tInstruction");
    EXPECT_EQ(view->capacity, 4u);
    ASSERT_EQ(view->rows.size(), 4u);
    const Bytes registers = ReadTarget(0x01A0, 8);
    const char* pointers[] = {"-000003\t0003\t", "-000002\t0002\t", "-000001\t0001\t", "+000000\t0000\t"};
    for (std::size_t row = 0; row < 4; ++row) {
        // The oldest (the last register) first.
        const std::size_t reg = 3 - row;
        const DWORD address = registers[2 * reg] * 256u + registers[2 * reg + 1];
        char where[16];
        std::snprintf(where, sizeof(where), "%08X", static_cast<unsigned>(address));
        const std::string instruction = address == 0xC000 ? "JSR.A 00C010" : address == 0xC012 ? "RTS" : "JMP.B 00C000";
        EXPECT_EQ(view->rows[row], std::string(pointers[row]) + "BRANCH\t" + where + "\t" + instruction);
    }

    // Kept until cleared: the trace-clear event drops them (the trace
    // handler and the advised break manager hear it).
    PutTarget(0x01A0, Bytes(8, 0xFF));
    EXPECT_EQ(window.Read()->rows.size(), 4u);
    EXPECT_EQ(host_->Services().RaiseHostEvent(EVENT_TraceClear), 2u);
    EXPECT_TRUE(window.Read()->rows.empty());

    // So does the window's clear, which the host asks for before it shows
    // the records of a new run.
    GoAndHalt();
    EXPECT_EQ(window.Clear(), S_OK);
    EXPECT_EQ(window.Read()->rows.size(), 4u);
    PutTarget(0x01A0, Bytes(8, 0xFF));
    EXPECT_EQ(window.Clear(), S_OK);
    EXPECT_TRUE(window.Read()->rows.empty());

    // A step alone loads nothing.
    GoAndHalt();
    EXPECT_EQ(window.Clear(), S_OK);
    ASSERT_EQ(exec_->StepIn(), S_OK);
    AwaitEnd();
    EXPECT_TRUE(window.Read()->rows.empty());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StatusRoad, AGoWritesTheStartAndStopVectorsIntoTheChip) {
    Session("START_FUNC", "ENABLE", "1");
    Session("START_FUNC", "SYMBOL", "start_fn");
    Session("STOP_FUNC", "ENABLE", "0");
    Start(kTraceGroup);
    host_->Services().Evaluator().DefineSymbol("start_fn", 0xC010);
    GoAndHalt();
    EXPECT_EQ(ReadTarget(kStartVector, 4), (Bytes{0xFD, 0x10, 0xC0, 0x00}));
    EXPECT_EQ(ReadTarget(kStopVector, 4), (Bytes{0x04, 0x04, 0x04, 0x04}));
    // Written once: the second go finds them in place.
    GoAndHalt();
    EXPECT_EQ(ReadTarget(kStartVector, 4), (Bytes{0xFD, 0x10, 0xC0, 0x00}));
    EXPECT_TRUE(Messages().empty());

    // An unknown symbol answered No switches both off, and the run goes on.
    Session("START_FUNC", "SYMBOL", "nowhere");
    ui_.AnswerNextMessageBox(IDNO);
    GoAndHalt();
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(Saved("START_FUNC", "ENABLE"), "0");
    EXPECT_EQ(Saved("STOP_FUNC", "ENABLE"), "0");
    EXPECT_EQ(Handler().GetStopCauseText().Str(), "BREAK KEY");

    // Yes: the dialog on the go thread; its OK writes the vectors.
    Session("START_FUNC", "ENABLE", "1");
    ui_.AnswerNextMessageBox(IDYES);
    ui_.OnDialog(res_id::kStartStopDialog)
        .SetText(res_id::kStartFuncSymbol, "still_nowhere")
        .PressOk()
        .Do([](platform::UiDialog& dialog) { EXPECT_TRUE(dialog.IsOpen()) << "no such symbol"; })
        .SetText(res_id::kStartFuncSymbol, "stop_here")
        .PressOk();
    host_->Services().Evaluator().DefineSymbol("stop_here", 0xC012);
    GoAndHalt();
    EXPECT_EQ(Messages().back(), "Invalid value or symbol: still_nowhere");
    EXPECT_EQ(Saved("START_FUNC", "SYMBOL"), "stop_here");
    EXPECT_EQ(ReadTarget(kStartVector, 4), (Bytes{0xFD, 0x12, 0xC0, 0x00}));
}

}  // namespace
