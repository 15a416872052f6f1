// The break-condition provider on the real road: the EVENTS fixture's demo
// device has the event-function firmware, so the target's event handler is
// the provider and the simulated host's break-list window shows its three
// lists. The Event Setting dialog, filled by the person, sets the event
// engine; the next go stops at the event and the trace window shows it.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS. The call pushes C004 low byte first from
// 08FD: C0 at 08FE.
#include "tests/road/break_condition_road_fixture.h"

#include "events/event_engine.h"
#include "events/target_event_vk3.h"
#include "sim/host/break_list_window.h"

#include <sstream>

namespace {

using namespace roadtest;
using platform::UiDialog;
using Row = simhost::BreakListRow;

constexpr char kEventsGroup[] = "LinkTestFiles\\EVENTS";
constexpr HRESULT kNotAvailable = static_cast<HRESULT>(0x80042001u);
constexpr HRESULT kInvalidIndex = static_cast<HRESULT>(0x80042012u);

std::vector<unsigned> Bytes(const std::string& hex) {
    std::vector<unsigned> bytes;
    std::istringstream in(hex);
    std::string byte;
    while (in >> byte) {
        bytes.push_back(static_cast<unsigned>(std::stoul(byte, nullptr, 16)));
    }
    return bytes;
}

class ProviderRoad : public BreakConditionRoad {
protected:
    const char* Group() const override { return kEventsGroup; }

    simhost::BreakListWindow Window() { return simhost::BreakListWindow(host_->Services()); }
    // Reached through its virtual operations only: its code is the module's.
    CEventEngine& Engine() { return *static_cast<CEventEngine*>(target_->GetEventEngine()); }
    // The event commands on the wire since the log was cleared, as bytes.
    std::vector<std::vector<unsigned>> EventFrames() const {
        std::vector<std::vector<unsigned>> frames;
        const DWORD count = control_->getFrameCount();
        for (DWORD i = 0; i < count; ++i) {
            Q3vSimFrameInfo info{};
            emutest::Bytes bytes(8192);
            if (control_->getFrame(i, &info, bytes.data(), static_cast<DWORD>(bytes.size())) == Q3V_SIM_OK &&
                info.direction == Q3V_SIM_FRAME_IN && info.length > 3 && bytes[2] == 0x5A && bytes[3] >= 'P' &&
                bytes[3] <= 'V') {
                bytes.resize(info.length);
                frames.push_back(Bytes(emutest::HexText(bytes)));
            }
        }
        return frames;
    }
    // The session's modified flag, as the host reads it before it offers to
    // save; the host's save clears it.
    DWORD Modified() {
        DWORD modified = 7;
        EXPECT_EQ(target_->GetModified(nullptr, nullptr, nullptr, &modified), S_OK);
        return modified;
    }
    void Save() {
        host_->SaveSession("ws", "proj", "sess");
        EXPECT_EQ(Modified(), 0u);
    }
    // The person's Event Setting: event A a byte written at the stack byte
    // the call writes, the break at event A, the data trace picking up A.
    Script& StackWriteEvent() {
        return ui_.OnDialog(res_id::kEventSettingDialog)
            .SetText(res_id::kEvAddressA, "H'08FE")
            .Select(res_id::kEvAccessSizeA, "BYTE")
            .Select(res_id::kEvAccessTypeA, "WRITE")
            .Select(res_id::kEvBreak, "Event A")
            .Select(res_id::kEvTraceType, "Data Trace")
            .Select(res_id::kEvPickUp, "Event A");
    }
};

TEST_F(ProviderRoad, TheHandlerServesThreeListsAndTheChannelsOverTheTable) {
    simhost::BreakListWindow window = Window();
    EXPECT_EQ(window.Header(), "Breakpoint\tBreakcondition\tEventcondition");
    EXPECT_TRUE(target_->GetEventHandler()->IsListRegistered(1));
    EXPECT_FALSE(target_->GetEventHandler()->IsListRegistered(2));
    ASSERT_EQ(window.Rows(1).size(), 2u) << "the demo device's two channels";
    EXPECT_EQ(window.Row(1, 2), std::nullopt);
    EXPECT_EQ(window.Row(1, 0)->condition, "None");

    // A channel through its sheet stops the go ('Q' arms it).
    ui_.OnDialog("Break condition 1")
        .Check(res_id::kBcAddressDontCare, false)
        .SetText(res_id::kBcAddress, "H'C010")
        .PressOk();
    EXPECT_EQ(window.Edit(1, 0), S_OK);
    const std::optional<Row> row = window.Row(1, 0);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->number, 0u);
    EXPECT_EQ(row->state, 1u);
    EXPECT_EQ(row->kindCode, 6u);
    EXPECT_EQ(row->address, 0xC010u);
    EXPECT_EQ(row->condition, "pcbefore");
    EXPECT_EQ(window.State(1, 0), 122u);
    EXPECT_EQ(window.State(1, -1), 32u);
    EXPECT_EQ(Go(), "BREAK CONDITION 1");

    // Disabled: the go runs through; removed: the row is free again.
    EXPECT_EQ(window.Enable(1, -1, false), S_OK);
    EXPECT_EQ(window.State(1, 0), 118u);
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY");
    EXPECT_EQ(window.Remove(1, 0), S_OK);
    EXPECT_EQ(window.Row(1, 0)->condition, "None");
    EXPECT_EQ(window.State(1, -1), 2u);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// Every change through the lists marks the session modified, and the Events
// page counts the channel table's channels.
TEST_F(ProviderRoad, ChangesThroughTheListsMarkTheSessionModifiedAndShowOnTheEventsPage) {
    EXPECT_EQ(EventsPage().at(1), "\tBreak condition : Not used");
    Save();
    ui_.OnDialog("Break condition 2")
        .Check(res_id::kBcAddressDontCare, false)
        .SetText(res_id::kBcAddress, "H'C010")
        .PressOk();
    EXPECT_EQ(Window().Edit(1, 1), S_OK);
    EXPECT_EQ(Modified(), 1u) << "the channel's sheet";
    EXPECT_EQ(EventsPage().at(1), "\tBreak condition : Used BC 2");
    Save();
    EXPECT_EQ(Window().Enable(1, 1, false), S_OK);
    EXPECT_EQ(Modified(), 1u) << "disabled";
    EXPECT_EQ(EventsPage().at(1), "\tBreak condition : Used BC 2") << "a disabled channel is in use";
    Save();
    EXPECT_EQ(Window().Remove(1, -1), S_OK);
    EXPECT_EQ(Modified(), 1u) << "removed";
    EXPECT_EQ(EventsPage().at(1), "\tBreak condition : Not used");

    Save();
    ui_.OnDialog(res_id::kEventSettingDialog).PressCancel();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
    EXPECT_EQ(Modified(), 0u) << "Cancel changes nothing";
    StackWriteEvent().PressOk();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
    EXPECT_EQ(Modified(), 1u) << "the Event Setting dialog";
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(ProviderRoad, TheEventListRefusesWhatItDoesNotOffer) {
    simhost::BreakListWindow window = Window();
    EXPECT_EQ(window.Rows(2).size(), 4u);
    EXPECT_EQ(window.Row(2, -5)->kind, "Event A");
    EXPECT_EQ(window.Row(2, 4), std::nullopt);
    CEventItemInfo* info = reinterpret_cast<CEventItemInfo*>(1);
    IHTBreakListServer& server = *target_->GetEventHandler();
    EXPECT_EQ(server.GetItemText(2, 4, &info), kInvalidIndex);
    EXPECT_EQ(info, reinterpret_cast<CEventItemInfo*>(1)) << "nothing stored";
    EXPECT_EQ(server.GetItemText(1, 5, &info), kInvalidIndex);
    EXPECT_EQ(window.Enable(2, 0, true), kNotAvailable);
    EXPECT_EQ(window.Remove(2, 0), kNotAvailable);
    EXPECT_EQ(server.ListOperation7(2, 0), kNotAvailable);
    EXPECT_EQ(server.ListOperation8(2, 0), kNotAvailable);
    EXPECT_EQ(window.State(2, 0), 2u);
    // The defaults: no break (its row off), the branch trace.
    const std::vector<Row> rows = window.Rows(2);
    EXPECT_EQ(rows[2].kind, "Break Condition");
    EXPECT_EQ(rows[2].state, 2u);
    EXPECT_EQ(rows[2].condition, "");
    EXPECT_EQ(rows[3].condition, "Branch trace: from [Go] to [Break]");
    EXPECT_EQ(rows[3].action, "Trace");
}

TEST_F(ProviderRoad, TheEventSettingDialogIsRefusedWhileTheProgramRuns) {
    const DWORD start = Status().instructions;
    ASSERT_EQ(exec_->Go(), S_OK);
    // Running, and the go thread waiting for the stop (a halt before then
    // is not awaited by it).
    const auto running = [&] {
        return Busy() && Handler().IsWaiting() != 0 && Status().instructions - start >= 10;
    };
    testing_support::YieldWhile([&] { return !running(); });
    ASSERT_TRUE(running());
    host_->Services().Execution().SetExecuting(true);  // what the host knows of the run
    EXPECT_EQ(Window().Edit(2, 0), 1);
    EXPECT_EQ(ui_.Dialogs().size(), 1u) << "only the connecting dialog";
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    host_->Services().Execution().SetExecuting(false);
}

TEST_F(ProviderRoad, TheEventSettingDialogSetsTheEngineAndTheGoStopsAtTheEvent) {
    // Attached, the engine sends each setting as the provider makes it.
    Engine().StartEvents(1);
    control_->clearFrames();
    StackWriteEvent().PressOk();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
    const auto frames = EventFrames();
    ASSERT_EQ(frames.size(), 4u);
    EXPECT_EQ(frames[0][3], unsigned{'R'});
    EXPECT_EQ(frames[0][7], 0x10u) << "event A's registers first";
    EXPECT_EQ(frames[1][3], unsigned{'R'});
    EXPECT_EQ(frames[1][7], 0x18u) << "then event B's";
    EXPECT_EQ(frames[2][3], unsigned{'S'});
    EXPECT_EQ(frames[2][7], 4u) << "the break at event A";
    EXPECT_EQ(frames[3][3], unsigned{'T'});
    EXPECT_EQ(frames[3][7] & 0x80u, 0x80u) << "control bit 7";
    Engine().StopEvents();

    const simhost::TraceWindow trace(host_->Services());
    EXPECT_EQ(trace.Clear(), S_OK);
    AtStart();
    EXPECT_EQ(Go(), "EVENT BREAK");

    const std::vector<Row> rows = Window().Rows(2);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].kind, "Event A");
    EXPECT_EQ(rows[0].condition.rfind("(addr)==0x", 0), 0u) << rows[0].condition;
    EXPECT_EQ(rows[0].condition.substr(rows[0].condition.size() - 4), "08FE") << rows[0].condition;
    EXPECT_EQ(rows[0].action, "WRITE");
    EXPECT_EQ(rows[1].kind, "Event B");
    EXPECT_EQ(rows[2].condition, "Event [A]");
    EXPECT_EQ(rows[2].state, 1u);
    EXPECT_EQ(rows[2].action, "Break");
    EXPECT_EQ(rows[3].condition, "Data trace: Pick up [A] from [Go] to [Break]");

    const auto view = trace.Read();
    ASSERT_TRUE(view.has_value());
    ASSERT_FALSE(view->rows.empty());
    for (const std::string& line : view->rows) {
        EXPECT_NE(line.find("\tWRITE\t"), std::string::npos) << line;
    }
    EXPECT_TRUE(ui_.MessageBoxes().empty());

    // The dialog shows the settings again, A under the text typed.
    ui_.OnDialog(res_id::kEventSettingDialog)
        .Do([](UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kEvAddressA), "H'08FE");
            EXPECT_EQ(dialog.Text(res_id::kEvAccessTypeA), "WRITE");
            EXPECT_EQ(dialog.Text(res_id::kEvBreak), "Event A");
            EXPECT_EQ(dialog.Text(res_id::kEvTraceType), "Data Trace");
            EXPECT_TRUE(dialog.IsEnabled(res_id::kEvPickUp));
        })
        .Select(res_id::kEvTraceType, "Branch Trace")
        .Do([](UiDialog& dialog) { EXPECT_FALSE(dialog.IsEnabled(res_id::kEvPickUp)); })
        .PressCancel();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
    EXPECT_EQ(Window().Rows(2)[3].condition, "Data trace: Pick up [A] from [Go] to [Break]") << "Cancel";
}

// The dialog's own checks: what OK stores, or which field it focuses.
TEST_F(ProviderRoad, TheDialogStoresMaskedAddressesAndFocusesWhatItRefuses) {
    host_->Services().AddressRange().SetRange(std::pair<DWORD, DWORD>{0, 0xFFFFF});
    ui_.OnDialog(res_id::kEventSettingDialog)
        .SetText(res_id::kEvAddressA, "H'1235")
        .SetText(res_id::kEvMaskBitsA, "4")
        .Do([](UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kEvRangeA), "(001230 <= (addr) <= 00123F)");
        })
        .SetText(res_id::kEvMaskBitsA, "0")
        .Do([](UiDialog& dialog) { EXPECT_EQ(dialog.Text(res_id::kEvRangeA), ""); })
        // A word at an odd address: the access size is focused, no message.
        .SetText(res_id::kEvDataA, "12")
        .Select(res_id::kEvAccessSizeA, "WORD")
        .PressOk()
        .Do([](UiDialog& dialog) {
            EXPECT_TRUE(dialog.IsOpen());
            EXPECT_EQ(GetFocus(), dialog.Control(res_id::kEvAccessSizeA));
        })
        // A data mask of 0 clears the data; mask bits 20 are 15.
        .SetText(res_id::kEvMaskBitsA, "4")
        .SetText(res_id::kEvDataMaskA, "0")
        .SetText(res_id::kEvMaskBitsB, "20")
        .PressOk();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    // Event A at 1230 with four bits masked and no data condition.
    const std::string condition = Window().Rows(2)[0].condition;
    EXPECT_NE(condition.find("1230<=(addr)<=0x"), std::string::npos) << condition;
    EXPECT_EQ(condition.substr(condition.size() - 4), "123F") << condition;
    ui_.OnDialog(res_id::kEventSettingDialog)
        .Do([](UiDialog& dialog) {
            EXPECT_EQ(dialog.Text(res_id::kEvAddressA), "H'1235");
            EXPECT_EQ(dialog.Text(res_id::kEvMaskBitsA), "4");
            EXPECT_EQ(dialog.Text(res_id::kEvMaskBitsB), "15");
            EXPECT_EQ(dialog.Text(res_id::kEvDataA), "");
            EXPECT_EQ(dialog.Text(res_id::kEvDataMaskA), "");
        })
        .PressCancel();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
}

TEST_F(ProviderRoad, WithoutTheExpressionServiceTheEventsKeepTheirAddressesAndNames) {
    StackWriteEvent().PressOk();
    ASSERT_EQ(Window().Edit(2, 0), S_OK);
    host_->Services().OfferService(IID_IHExpressionEvaluator, nullptr);
    ui_.OnDialog(res_id::kEventSettingDialog)
        .SetText(res_id::kEvAddressA, "H'0123")
        .PressOk();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
    // Nothing converted the text: event A still watches the stack byte and
    // says so, in the list and in the dialog.
    const std::string condition = Window().Rows(2)[0].condition;
    EXPECT_EQ(condition.rfind("(addr)==0x", 0), 0u) << condition;
    EXPECT_EQ(condition.substr(condition.size() - 4), "08FE") << condition;
    ui_.OnDialog(res_id::kEventSettingDialog)
        .Do([](UiDialog& dialog) { EXPECT_EQ(dialog.Text(res_id::kEvAddressA), "H'08FE"); })
        .PressCancel();
    EXPECT_EQ(Window().Edit(2, 0), S_OK);
}

}  // namespace
