// The event handler on the real road, through the simulated host's break-list
// window: list 1 edits, enables and removes the demo device's break-condition
// channels, list 0 follows the PC breakpoints, and the session save writes
// the channels' "T_EVENT_" keys.
#include "tests/road/break_condition_road_fixture.h"
#include "tests/support/await.h"

#include "events/target_event_vk3.h"
#include "frame/host_profile_accessor.h"
#include "platform/host/ids.h"
#include "sim/host/break_list_window.h"
#include "sim/host/workspace_storage.h"

namespace {

using namespace roadtest;
using Row = simhost::BreakListRow;

constexpr HRESULT kInvalidIndex = static_cast<HRESULT>(0x80042012u);
constexpr DWORD kAlways = 64;

class EventHandlerRoad : public BreakConditionRoad {
protected:
    // The person fills channel n's sheet with a program-fetch address and
    // the host's window opens it.
    HRESULT EditFromList(LONG n, const std::string& address) {
        ui_.OnDialog(res_id::kSetBcAddressPage)
            .Check(res_id::kBcAddressDontCare, false)
            .SetText(res_id::kBcAddress, "")
            .Type(res_id::kBcAddress, address)
            .PressOk();
        return simhost::BreakListWindow(host_->Services()).Edit(1, n);
    }
    simhost::BreakListWindow Window() { return simhost::BreakListWindow(host_->Services()); }
    // Each channel's row as address and state; "-" for a channel without
    // a condition.
    std::vector<std::string> ChannelRows() {
        std::vector<std::string> rows;
        for (const Row& row : Window().Rows(1)) {
            char text[32];
            std::snprintf(text, sizeof(text), "%X %s", static_cast<unsigned>(row.address),
                          row.state == 1 ? "on" : "off");
            rows.push_back(row.condition == "None" ? std::string("-") : std::string(text));
        }
        return rows;
    }
    std::vector<std::string> EventWrites() {
        std::vector<std::string> writes;
        for (const simhost::CallRecord& call : host_->Log().Find("WorkspaceWrite")) {
            const std::size_t at = call.detail.find("T_EVENT_");
            if (at != std::string::npos) {
                writes.push_back(call.detail.substr(at));
            }
        }
        return writes;
    }
    CTargetEventVk3& Handler() { return *target_->GetEventHandler(); }
    std::size_t ChangeEvents() {
        std::size_t count = 0;
        for (const simhost::CallRecord& call : host_->Log().Find("PostEvent")) {
            count += call.detail == "break-condition changed" ? 1 : 0;
        }
        return count;
    }
    // Running, and the go thread waiting for the stop.
    bool AwaitRunning() {
        const DWORD start = Status().instructions;
        const auto running = [&] {
            return Busy() && BreakConditionRoad::Handler().IsWaiting() != 0 && Status().instructions - start > 10;
        };
        testing_support::YieldWhile([&] { return !running(); });
        return running();
    }
};

TEST_F(EventHandlerRoad, TheBreakListEditsRunsEnablesAndRemovesAChannel) {
    simhost::BreakListWindow window = Window();
    ASSERT_TRUE(window.HasServer());
    EXPECT_EQ(window.Header(), "Breakpoint\tBreakcondition");

    EXPECT_EQ(EditFromList(0, "C010"), S_OK);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    const auto row = window.Row(1, 0);
    ASSERT_TRUE(row.has_value());
    EXPECT_EQ(row->number, 1u);
    EXPECT_EQ(row->kind, "Break condition");
    EXPECT_EQ(row->state, 1u);
    EXPECT_EQ(row->kindCode, 0u);
    EXPECT_EQ(row->address, 0xC010u);
    EXPECT_EQ(row->condition, "Address=H'0000c010(Vk3Demo.c/5) pcbefore ");
    EXPECT_EQ(row->action, "Break");
    EXPECT_EQ(window.State(1, 0), kAlways + 2 + 8 + 16);
    EXPECT_EQ(window.State(1, -1), kAlways + 32);

    EXPECT_EQ(Go(), "BREAK CONDITION 1");
    EXPECT_EQ(Status().pc, 0xC010u);

    EXPECT_EQ(window.Enable(1, 0, false), S_OK);
    EXPECT_EQ(window.Row(1, 0)->state, 2u);
    EXPECT_EQ(window.State(1, 0), kAlways + 2 + 4 + 16);
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY") << "a disabled channel lets the program run on";

    EXPECT_EQ(window.Remove(1, -1), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "-"}));
    EXPECT_EQ(window.State(1, -1), kAlways);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(EventHandlerRoad, ListIndexesOutsideTheListGiveNoRowAndOnlyTheAlwaysBit) {
    simhost::BreakListWindow window = Window();
    EXPECT_EQ(window.Rows(1).size(), 2u) << "the demo device has two channels";
    for (const LONG index : {-1, 2, 3, 100}) {
        EXPECT_FALSE(window.Row(1, index).has_value()) << index;
        EXPECT_FALSE(window.Row(0, index).has_value()) << index;
    }
    for (const LONG index : {2, 3, 100, -5}) {
        EXPECT_EQ(window.State(1, index), kAlways) << index;
        EXPECT_EQ(window.State(0, index), kAlways) << index;
    }
    EXPECT_EQ(window.State(2, 0), kAlways);
    EXPECT_EQ(window.Enable(1, 2, true), kInvalidIndex);
    EXPECT_EQ(window.Enable(0, 0, true), kInvalidIndex) << "no PC break yet";
    EXPECT_EQ(window.Enable(2, -1, true), kInvalidIndex);
    // Removing or editing a channel the device lacks does nothing and
    // answers 0; no sheet opens (the UI driver would report it).
    const Lines before = Echoes();
    EXPECT_EQ(window.Remove(1, 2), S_OK);
    EXPECT_EQ(window.Edit(1, 2), S_OK);
    EXPECT_EQ(window.Edit(1, -1), S_OK);
    EXPECT_EQ(Echoes(), before);
    EXPECT_EQ(window.Rows(1).size(), 2u);
}

TEST_F(EventHandlerRoad, ListZeroFollowsThePcBreakpoints) {
    simhost::BreakListWindow window = Window();
    EXPECT_EQ(window.State(0, -1), kAlways + 1);
    DWORD id = 0;
    ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC010, &id), S_OK);
    ASSERT_EQ(window.Rows(0).size(), 1u);
    const Row row = window.Rows(0).front();
    EXPECT_EQ(row.number, 1u);
    EXPECT_EQ(row.kind, "Breakpoint");
    EXPECT_EQ(row.state, 1u);
    EXPECT_EQ(row.kindCode, 6u);
    EXPECT_EQ(row.address, 0xC010u);
    EXPECT_EQ(row.condition, "");
    EXPECT_EQ(row.action, "Break");
    EXPECT_EQ(window.State(0, -1), kAlways + 1 + 32);
    EXPECT_EQ(window.State(0, 0), kAlways + 2 + 8 + 16);

    EXPECT_EQ(window.Enable(0, 0, false), S_OK);
    EXPECT_EQ(window.Row(0, 0)->state, 2u);
    EXPECT_EQ(window.State(0, 0), kAlways + 2 + 4 + 16);
    EXPECT_EQ(Go(), "BREAK KEY");
    EXPECT_EQ(window.Enable(0, -1, true), S_OK);
    AtStart();
    EXPECT_EQ(Go(), "BREAK POINT");

    EXPECT_EQ(window.Remove(0, 0), S_OK);
    EXPECT_TRUE(window.Rows(0).empty());
    EXPECT_EQ(window.State(0, -1), kAlways + 1);
}

TEST_F(EventHandlerRoad, EditingABreakpointWhileTheProgramRunsIsRefused) {
    DWORD id = 0;
    ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC100, &id), S_OK);
    ASSERT_EQ(exec_->Go(), S_OK);
    ASSERT_TRUE(AwaitRunning());
    EXPECT_EQ(Window().Edit(0, 0), E_FAIL);
    EXPECT_EQ(Window().State(0, 0), kAlways) << "nothing is offered while it runs";
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes().front().text, "Not currently available");
}

TEST_F(EventHandlerRoad, TheSessionSaveWritesTheFourChannelKeysAndStopsAtAFailedOne) {
    simhost::WorkspaceStorage storage{host_->Log(), session_.Windows("workspace.ini")};
    host_->Services().OfferService(IID_IHWorkspaceStorage, &storage);
    ASSERT_EQ(EditFromList(0, "C01A"), S_OK);
    host_->SaveSession("ws", "proj", "sess");
    EXPECT_EQ(EventWrites(), (Lines{"T_EVENT_BC1=1,1,0,c01a,1,0,1,2,0,0", "T_EVENT_BC2=0,0,1,0,1,0",
                                   "T_EVENT_BC3=0,0,1,0,1,0,1,0,0,0", "T_EVENT_BC4=0,0,1,0,1,0,1,0,0,0"}));

    host_->Log().Clear();
    storage.FailWritesOf("T_EVENT_BC2");
    host_->SaveSession("ws", "proj", "sess");
    EXPECT_EQ(EventWrites(), (Lines{"T_EVENT_BC1=1,1,0,c01a,1,0,1,2,0,0", "T_EVENT_BC2=0,0,1,0,1,0"}));
    host_->Services().OfferService(IID_IHWorkspaceStorage, nullptr);
}

TEST_F(EventHandlerRoad, TheColumnsEntryPointsPlaceRemoveAndResetChannels) {
    CTargetEventVk3& handler = Handler();
    EXPECT_FALSE(handler.IsListRegistered(1));
    ASSERT_EQ(Window().Header(), "Breakpoint\tBreakcondition");
    EXPECT_TRUE(handler.IsListRegistered(1)) << "the window named the lists";
    EXPECT_FALSE(handler.IsListRegistered(2));
    EXPECT_EQ(handler.ToggleConditionAtAddress(-1, 0xC010, 0xC010), S_OK);
    EXPECT_EQ(handler.ToggleConditionAtAddress(-1, 0xC012, 0xC012), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"C010 on", "C012 on"}));
    EXPECT_EQ(handler.FindChannelByAddress(0xC012, 0xC012, -1), 1);
    EXPECT_EQ(handler.ToggleConditionAtAddress(-1, 0xC004, 0xC004), S_OK);
    ASSERT_FALSE(host_->Services().ReportedErrors().empty());
    EXPECT_EQ(host_->Services().ReportedErrors().back(), "Too many event points.");
    EXPECT_EQ(ChangeEvents(), 3u);
    EXPECT_EQ(handler.Record(0).address, 0xC010u) << "the records follow the sheets";
    EXPECT_EQ(handler.Record(1).channelWord, 1);

    EXPECT_EQ(handler.ToggleConditionAtAddress(-1, 0xC010, 0xC010), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "C012 on"}));
    EXPECT_EQ(handler.ActivateChannel(1), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "-"}));
    EXPECT_EQ(handler.Record(1).conditionFlag, 0);

    EXPECT_EQ(handler.SetChannelCondition(1, 0xC010, 0xC010), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "C010 on"}));
    EXPECT_EQ(Go(), "BREAK CONDITION 2");
    EXPECT_EQ(handler.ResetChannelsOnModeChange(0), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "C010 on"})) << "only flag 1 resets";
    EXPECT_EQ(handler.ResetChannelsOnNmiModeChange(1), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "-"}));
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY");
}

TEST_F(EventHandlerRoad, ThePcBreakSnapshotFollowsTheBreakManager) {
    CTargetEventVk3& handler = Handler();
    DWORD first = 0;
    DWORD second = 0;
    ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC010, &first), S_OK);
    ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC012, &second), S_OK);
    EXPECT_EQ(Window().Remove(0, 7), S_OK) << "no break there: only the snapshot is taken";
    EXPECT_EQ(handler.SnapshotCount(), 2);
    EXPECT_EQ(handler.SnapshotEntry(1).address, 0xC012u);
    EXPECT_EQ(handler.SnapshotEntry(1).count, 1);
    EXPECT_EQ(handler.SnapshotEntry(2).count, 0);

    ASSERT_EQ(host_->Services().Breakpoints().EnableUserBreakpoint(second, false), S_OK);
    EXPECT_EQ(handler.SnapshotEntry(1).enable, 0);
    EXPECT_EQ(handler.SnapshotEntry(0).enable, 1);
    EXPECT_FALSE(handler.SetPcBreakEnable(255, 1));
    EXPECT_TRUE(handler.SetPcBreakEnable(254, 1));
    handler.SetAllPcBreaksEnable(0);
    EXPECT_EQ(handler.SnapshotEntry(0).enable, 0);
    EXPECT_EQ(handler.SnapshotEntry(254).enable, 1) << "an empty entry stays as it is";

    EXPECT_EQ(Window().Remove(0, -1), S_OK);
    EXPECT_TRUE(Window().Rows(0).empty());
    EXPECT_EQ(handler.SnapshotCount(), 0);
}

TEST_F(EventHandlerRoad, TheRecordsCarryEachChannelsOwnFieldsBetweenSheetsAndRecords) {
    CTargetEventVk3& handler = Handler();
    CSetBc& first = set_->Sheet(0);
    CSetBc& second = set_->Sheet(1);
    second.AddressPage().dataDontCare = 0;
    second.AddressPage().dataValue = 0x55;
    second.page3.bus = 2;
    first.page2.addressDontCare = 0;
    first.page4.dontCare = 0;
    first.page4.value = 7;
    handler.ApplyEventState();
    EXPECT_EQ(handler.Record(1).dataDontCare, 1) << "channel 2 has no data fields";
    EXPECT_EQ(handler.Record(1).dataValue, 0u);
    EXPECT_EQ(handler.Record(1).busState, 2);
    EXPECT_EQ(handler.Record(0).secondAddressDontCare, 0);
    EXPECT_EQ(handler.Record(0).count, 7);

    // Back into the sheets: the second address and the bus go with an
    // access condition only; the pass count always.
    handler.CopyEventState();
    EXPECT_EQ(second.AddressPage().dataValue, 0u);
    EXPECT_EQ(second.page3.bus, 0) << "a program-fetch record";
    EXPECT_EQ(first.page2.addressDontCare, 1);
    EXPECT_EQ(first.page4.dontCare, 0);
    EXPECT_EQ(first.page4.value, 7u);
    handler.Record(0).addressKind = 0;
    handler.Record(1).addressKind = 0;
    handler.CopyEventState();
    EXPECT_EQ(first.page2.addressDontCare, 0);
    EXPECT_EQ(second.page3.bus, 2);
    handler.ResetConditions();
    handler.CopyEventState();
    EXPECT_EQ(first.page4.value, 1u);
}

// The demo device with the hardware break type 1: four channels, the third
// of them the data break.
// The handler's own readers and writers beside the session: the conditions
// read back from the keys the session save wrote, and the PC-break snapshot
// written and made into breaks again. A damaged or missing value is passed
// over; the others are still read.
class EventStoreRoad : public EventHandlerRoad {
protected:
    void SetUp() override {
        EventHandlerRoad::SetUp();
        storage_ = std::make_unique<simhost::WorkspaceStorage>(host_->Log(), session_.Windows("workspace.ini"));
        host_->Services().OfferService(IID_IHWorkspaceStorage, storage_.get());
    }
    void TearDown() override {
        host_->Services().OfferService(IID_IHWorkspaceStorage, nullptr);
        EventHandlerRoad::TearDown();
    }
    // The target's own session accessor over the host's storage.
    CHostProfileAccessorEx Accessor() {
        return CHostProfileAccessorEx(storage_.get(), "ws", "proj", "x", "sess", CLSID_Q3vVk3Target);
    }
    void Store(const char* key, const char* value) {
        CHostProfileAccessorEx accessor = Accessor();
        ASSERT_EQ(accessor.WriteString(key, value), S_OK);
    }

    std::unique_ptr<simhost::WorkspaceStorage> storage_;
};

TEST_F(EventStoreRoad, TheConditionsComeBackFromTheirKeysAndStopTheGoAgain) {
    ASSERT_EQ(EditFromList(0, "C010"), S_OK);
    host_->SaveSession("ws", "proj", "sess");
    EXPECT_EQ(Window().Remove(1, -1), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"-", "-"}));

    CHostProfileAccessorEx accessor = Accessor();
    EXPECT_EQ(Handler().LoadEventConditions(accessor), S_OK);
    EXPECT_EQ(Handler().Record(0).address, 0xC010u);
    EXPECT_EQ(ChannelRows(), (Lines{"C010 on", "-"}));
    EXPECT_EQ(Go(), "BREAK CONDITION 1") << "sent to the chip again";

    // A disabled condition comes back disabled: shown, not armed.
    EXPECT_EQ(Window().Enable(1, 0, false), S_OK);
    host_->SaveSession("ws", "proj", "sess");
    EXPECT_EQ(Window().Remove(1, -1), S_OK);
    EXPECT_EQ(Handler().LoadEventConditions(accessor), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"C010 off", "-"}));
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY");
}

TEST_F(EventStoreRoad, ADamagedConditionKeepsItsChannelAndTheOthersAreRead) {
    Store("T_EVENT_BC1", "1,1,0,zz");
    Store("T_EVENT_BC2", "1,1,0,c012,1,0");
    CHostProfileAccessorEx accessor = Accessor();
    EXPECT_EQ(Handler().LoadEventConditions(accessor), S_OK);
    EXPECT_EQ(Handler().Record(0).conditionFlag, 0) << "channel 1 as it was";
    EXPECT_EQ(Handler().Record(1).address, 0xC012u) << "the second channel's six fields";
    EXPECT_EQ(Handler().Record(1).dataDontCare, 1) << "it takes no data fields";
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(EventStoreRoad, TheBreakpointSnapshotIsWrittenAndMadeIntoBreaksAgain) {
    DWORD first = 0;
    DWORD second = 0;
    ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC010, &first), S_OK);
    ASSERT_EQ(host_->Services().Breakpoints().SetUserBreakpoint(0xC012, &second), S_OK);
    ASSERT_EQ(host_->Services().Breakpoints().EnableUserBreakpoint(second, false), S_OK);
    Handler().RefreshPcBreakTable();
    {
        CHostProfileAccessorEx accessor = Accessor();
        EXPECT_EQ(Handler().SaveBreakpoints(accessor), S_OK);
    }
    std::size_t written = 0;
    for (const simhost::CallRecord& call : host_->Log().Find("WorkspaceWrite")) {
        written += call.detail.find("T_BREAK_BP") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(written, 255u) << "every entry, the empty ones too";
    EXPECT_EQ(Window().Remove(0, -1), S_OK);
    ASSERT_TRUE(Window().Rows(0).empty());

    Store("T_BREAK_BP2", "c0zz");
    CHostProfileAccessorEx accessor = Accessor();
    EXPECT_EQ(Handler().LoadBreakpoints(accessor), S_OK);
    const std::vector<Row> rows = Window().Rows(0);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].address, 0xC010u);
    EXPECT_EQ(rows[0].state, 1u);
    EXPECT_EQ(rows[1].address, 0xC012u);
    EXPECT_EQ(rows[1].state, 2u) << "made again disabled";
    EXPECT_EQ(Handler().SnapshotCount(), 2);
}

TEST_F(EventStoreRoad, TheSnapshotWritesStopAtTheFirstFailure) {
    storage_->FailWritesOf("T_BREAK_BP3");
    CHostProfileAccessorEx accessor = Accessor();
    EXPECT_TRUE(FAILED(Handler().SaveBreakpoints(accessor)));
    std::size_t written = 0;
    for (const simhost::CallRecord& call : host_->Log().Find("WorkspaceWrite")) {
        written += call.detail.find("T_BREAK_BP") != std::string::npos ? 1 : 0;
    }
    EXPECT_EQ(written, 4u) << "BP0 to BP3, the failed one the last";
}

class DataBreakListRoad : public EventHandlerRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\HWBRK"; }
};

TEST_F(DataBreakListRoad, RemovingTheSecondChannelMovesTheOthersDownAndKeepsTheirStates) {
    const std::vector<std::string> addresses{"C000", "C004", "C006", "C010"};
    for (LONG n = 0; n < 4; ++n) {
        ASSERT_EQ(EditFromList(n, addresses[static_cast<std::size_t>(n)]), S_OK);
    }
    ASSERT_EQ(Window().Enable(1, 2, false), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"C000 on", "C004 on", "C006 off", "C010 on"}));
    host_->Services().Output().ClearLines();

    EXPECT_EQ(Window().Remove(1, 1), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"C000 on", "C006 off", "C010 on", "-"}));
    EXPECT_EQ(Echoes(), Lines{"breakcondition_clear address 0xC004"}) << "the moves are not echoed";
    AtStart();
    EXPECT_EQ(Go(), "BREAK CONDITION 3") << "the call's target C010, moved down to channel 3";
    EXPECT_EQ(Go(), "BREAK CONDITION 1") << "past the disabled C006 round to C000";
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(DataBreakListRoad, RemovingAChannelDisablesNoConditionButAMovedDisabledOne) {
    CTargetEventVk3& handler = Handler();
    for (const DWORD channel : {0u, 1u, 2u, 3u}) {
        ASSERT_EQ(handler.SetChannelCondition(channel, 0xC000 + 2 * channel, 0), S_OK);
    }
    EXPECT_EQ(Window().Remove(1, 1), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"C000 on", "C004 on", "C006 on", "-"})) << "the first channel stays enabled";

    // Two gaps before a disabled condition: it lands in the first channel
    // and is disabled there.
    EXPECT_EQ(Window().Remove(1, -1), S_OK);
    ASSERT_EQ(handler.SetChannelCondition(0, 0xC000, 0), S_OK);
    ASSERT_EQ(handler.SetChannelCondition(3, 0xC010, 0), S_OK);
    ASSERT_EQ(Window().Enable(1, 3, false), S_OK);
    EXPECT_EQ(Window().Remove(1, 0), S_OK);
    EXPECT_EQ(ChannelRows(), (Lines{"C010 off", "-", "-", "-"}));
    EXPECT_EQ(set_->MarkAddress(0), 0xC010u);
    EXPECT_EQ(set_->MarkEnabled(0), 0u);
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY");
}

TEST_F(DataBreakListRoad, TheFourthChannelIsRefusedBehindADataBreak) {
    ScriptStackWrite("C0");
    ASSERT_EQ(Window().Edit(1, 2), S_OK);
    EXPECT_EQ(Window().Row(1, 3)->kind, "Impossible setup");
    EXPECT_EQ(Window().Row(1, 2)->kind, "Break condition");

    EXPECT_EQ(Window().Edit(1, 3), S_OK);
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes().front().text, "Too many event points.\nThe data break point is already set up.");
    EXPECT_EQ(ui_.MessageBoxes().front().Icon(), static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(Go(), "BREAK CONDITION 3");
}

}  // namespace
