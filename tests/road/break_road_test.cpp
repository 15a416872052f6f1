// Software breakpoints on the real road: the simulated host with its
// breakpoint list, the plug-in module's break manager (the target's break
// handler) and the simulated emulator's module with the demo program
// (Vk3Demo.mot) in flash. As in the run-control road test, the target's own
// operations make the handlers and connect; the test reaches the manager
// through its host interfaces and virtual operations only.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/road_session.h"

#include "sim/host/status_window.h"
#include "sim/host/workspace_storage.h"

#include "breaks/break_manager.h"
#include "frame/host_profile_accessor.h"
#include "frame/target_memory.h"
#include "res/resource_ids.h"
#include "target/target_exec_vk3.h"
#include "target/target_vk3.h"
#include "tests/emulator/sim_emulator.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "platform/bstr.h"
#include "platform/clock.h"
#include "platform/profile.h"
#include "tests/support/await.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

namespace {

using emutest::Bytes;
using roadtest::Lines;

constexpr std::size_t kPc = 14;

BreakActionDesc Action(LONG type, const std::string& name = {}) {
    BreakActionDesc desc;
    desc.type = type;
    desc.fileName = name;
    desc.address = 0x0800;
    desc.dataSize = 2;
    desc.count = 1;
    return desc;
}

class BreakRoad : public roadtest::RoadSession {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(UseDemoEmulator());
        ASSERT_NO_FATAL_FAILURE(LoadHost());
        host_->Services().DeviceDescription().SetDescription(roadtest::kDemoDescription);
        host_->Services().ChangeWorkspace([&](simhost::WorkspaceState& state) {
            state.workspaceName = "ws";
            state.projectName = "proj";
            state.configName = "Debug";
            state.configDirectory = session_.Windows();
        });
        ASSERT_NO_FATAL_FAILURE(FindTarget());
        ExpectSheet(res_id::kModeKeepFlash);
        // The demo's reset vector, as its download would have kept it.
        ASSERT_NO_FATAL_FAILURE(Session("USER_DATA", "RESET", "c000"));
        ASSERT_NO_FATAL_FAILURE(StartSession());
        ASSERT_TRUE(ui_.MessageBoxes().empty());
    }
    // The host's initialisation: the handlers, the connect, the opens.
    void StartSession() {
        ASSERT_EQ(StartTarget(), S_OK);
        ASSERT_NO_FATAL_FAILURE(OpenExec());
        AtEntry(0xC000, 0x0900);
        manager_ = static_cast<CTBreakManager*>(target_->GetBreakHandler());
        ASSERT_NE(manager_, nullptr);
        ASSERT_EQ(manager_->QueryInterface(IID_IHTPCBreakClient, reinterpret_cast<void**>(&client_)), S_OK);
        ASSERT_EQ(manager_->QueryInterface(IID_IHTBreakServer, reinterpret_cast<void**>(&list_)), S_OK);
    }
    // The host's Uninitialise: the break manager leaves no registration and
    // no advised receiver behind.
    void EndSession() override {
        RoadSession::EndSession();
        EXPECT_EQ(Registered(IID_IHTPCBreakClient), 0u);
        EXPECT_EQ(Registered(IID_IHTBreakServer), 0u);
        EXPECT_TRUE(host_->Services().EventReceivers().empty());
    }

    std::size_t Registered(const IID& iid) const {
        std::size_t count = 0;
        for (const auto& registration : host_->Services().Registrations()) {
            count += registration.iid == iid ? 1 : 0;
        }
        return count;
    }
    HRESULT HostAdd(DWORD address, DWORD* id) {
        const platform::Bstr text("");
        return client_->AddBreak(address, HostBreakpointOwnerId, text.Get(), id);
    }
    // Goes until the program stops by itself or, still running after the
    // go thread's polls have given it a few hundred instructions (the demo's
    // loop is seven), is stopped with the break key; the stop cause.
    std::string GoUntilStopped() {
        control_->clearFrames();  // the log keeps only the latest frames
        EXPECT_EQ(exec_->Go(), S_OK);
        bool halted = false;
        testing_support::YieldWhile([&] {
            if (!halted && Handler().IsWaiting() == 1 && Status().running == 1 && Frames() >= 8) {
                EXPECT_EQ(exec_->Halt(), S_OK);
                halted = true;
            }
            return Busy();
        });
        AwaitEnd();
        return StopCause();
    }
    DWORD Pc() { return host_->Services().Registers().Value(kPc); }
    Lines Listing() {
        Lines rows;
        BreakItemInfo* item = nullptr;
        for (LONG previous = -1; list_->GetNextItem(previous, &item) == S_OK; ++previous) {
            rows.push_back(platform::BstrToAnsi(item->kindId) + " " + platform::BstrToAnsi(item->actionText));
        }
        return rows;
    }
    std::size_t Frames() const { return control_->getFrameCount(); }
    std::string EventsRow() const {
        const auto page = simhost::StatusWindow(host_->Services()).Page("Events");
        return page.has_value() && !page->rows.empty() ? page->rows[0] : "<none>";
    }
    std::unique_ptr<CHostProfileAccessorEx> Store() {
        return std::make_unique<CHostProfileAccessorEx>(&storage_, "ws", "proj", "Debug", "sess",
                                                        CLSID_Q3vVk3Target);
    }

    simhost::CallLog storageLog_;
    simhost::WorkspaceStorage storage_{storageLog_, session_.Windows("workspace.ini")};
    CTBreakManager* manager_ = nullptr;
    IHTPCBreakClient* client_ = nullptr;
    IHTBreakServer* list_ = nullptr;
};

TEST_F(BreakRoad, AHostBreakpointStopsTheProgramUntilDisabledOrRemoved) {
    DWORD id = 99;
    ASSERT_EQ(HostAdd(0xC010, &id), S_OK);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(EventsRow(), "\tBreak point : 1 of 255 PC breakpoints in use");
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);

    ASSERT_EQ(client_->EnableBreak(0, 0), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK KEY") << "disabled, the program runs past";
    ASSERT_EQ(client_->EnableBreak(0, 1), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);
    ASSERT_EQ(client_->RemoveBreak(0), S_OK);
    EXPECT_EQ(EventsRow(), "\tBreak point : 0 of 255 PC breakpoints in use");
    EXPECT_EQ(GoUntilStopped(), "BREAK KEY");
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(BreakRoad, AGoFromABreakpointStopsAtOneOnTheNextInstruction) {
    DWORD id = 0;
    ASSERT_EQ(HostAdd(0xC010, &id), S_OK);
    ASSERT_EQ(HostAdd(0xC011, &id), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC011u) << "not round to C010 again";
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u) << "on from C011 the loop comes round";
}

// The host changes the instruction under a breakpoint after the go that
// stopped there: a step over from it runs the new instruction, and the byte
// the go had saved does not come back. (The step put the old jump back over
// the host's no-operation and went round to C000.)
TEST_F(BreakRoad, AStepOverFromABreakpointRunsTheByteTheHostWroteThere) {
    DWORD id = 0;
    ASSERT_EQ(HostAdd(0xC006, &id), S_OK);
    ASSERT_EQ(GoUntilStopped(), "BREAK POINT");
    ASSERT_EQ(Pc(), 0xC006u);
    const BYTE nop = 0x04;
    ASSERT_EQ(target_->GetMemoryHandler()->WriteMemory(0xC006, 0xC006, 1, &nop), S_OK);
    ASSERT_EQ(exec_->StepOver(), S_OK);
    AwaitEnd();
    EXPECT_EQ(Status().pc, 0xC007u) << "the emulator's PC after the no-operation";
    EXPECT_EQ(Pc(), 0xC007u);
    BYTE read = 0;
    ASSERT_EQ(target_->GetMemoryHandler()->ReadMemory(0xC006, 0xC006, 1, &read), S_OK);
    EXPECT_EQ(read, nop);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(BreakRoad, TheHostsEnableAndDisableAllReachTheTarget) {
    DWORD first = 0;
    DWORD second = 0;
    ASSERT_EQ(HostAdd(0xC004, &first), S_OK);
    ASSERT_EQ(HostAdd(0xC010, &second), S_OK);
    ASSERT_EQ(client_->EnableBreak(static_cast<LONG>(second), 0), S_OK);

    ASSERT_EQ(client_->EnableBreak(-1, 1), S_OK) << "one was disabled";
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u) << "the one enabled again stops the program first";

    ASSERT_EQ(client_->EnableBreak(-1, 0), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK KEY") << "disabled, neither stops it";
    EXPECT_EQ(client_->EnableBreak(-1, 0), E_FAIL) << "nothing changed";

    ASSERT_EQ(client_->EnableBreak(-1, 1), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_TRUE(Pc() == 0xC004u || Pc() == 0xC010u) << std::hex << Pc();
    ASSERT_EQ(client_->RemoveBreak(-1), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK KEY");
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(BreakRoad, ANewSessionDoesNotStopAtTheBreakpointsOfTheLastOne) {
    DWORD id = 0;
    ASSERT_EQ(HostAdd(0xC010, &id), S_OK);
    // The session ends with the breakpoint set; the host's list forgets it.
    EndSession();
    ASSERT_NO_FATAL_FAILURE(StartSession());
    EXPECT_EQ(manager_->GetPcCount(), 0u);
    // The demo calls C010 before it reaches C004: a breakpoint left over
    // would stop it there first.
    ASSERT_EQ(HostAdd(0xC004, &id), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC004u);
}

TEST_F(BreakRoad, AddressesTheHostMayNotBreakAt) {
    DWORD id = 0;
    EXPECT_EQ(HostAdd(0x10000, &id), E_INVALIDARG);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    EXPECT_EQ(HostAdd(0x0100, &id), E_FAIL);
    EXPECT_EQ(HostAdd(0x1000, &id), E_FAIL);
    ASSERT_EQ(ui_.MessageBoxes().size(), 2u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, "Invalid address value.\nH'00000100");
    EXPECT_EQ(ui_.MessageBoxes()[1].text, "Invalid address value.\nH'00001000");
    ASSERT_EQ(exec_->Go(), S_OK);
    AwaitRunning();
    EXPECT_EQ(HostAdd(0xC010, &id), E_FAIL) << "while running";
    EXPECT_EQ(exec_->Halt(), S_OK);
    AwaitEnd();
    EXPECT_EQ(manager_->GetPcCount(), 0u);
}

TEST_F(BreakRoad, APlugInStopBreakGoesThroughTheHost) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 0x1F, Action(break_action::kStop)), 1);
    const auto breakpoints = host_->Services().Breakpoints().Breakpoints();
    ASSERT_EQ(breakpoints.size(), 1u);
    EXPECT_EQ(breakpoints[0].text, "1F");
    EXPECT_EQ(manager_->GetPcCount(), 1u);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT") << "nothing counts the passes: the first hit stops";
    EXPECT_EQ(Pc(), 0xC010u);
}

TEST_F(BreakRoad, AFileOutputBreakIsListedAndGoesWithItsItem) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 1, Action(break_action::kFileOutput, "out.bin")), 1);
    EXPECT_EQ(Listing(), Lines{"BP File Output(out.bin) [close]"});
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    ASSERT_EQ(list_->RemoveItem(0), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK KEY") << "taken off the target with the break";
}

TEST_F(BreakRoad, BreaksOfTheOtherKindsSendNothing) {
    const std::size_t frames = Frames();
    ASSERT_EQ(manager_->AddAccessBreak(0x0800, 0x0810, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddDataBreak(0x0800, 1, 1, 0, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddRegisterBreak(2, 1, 4, 0, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddCycleBreak(100, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddCfgAccessBreak(1, 2, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddCfgDataBreak(3, 0, 1, 0, 0, nullptr), 1);
    ASSERT_EQ(list_->RemoveItem(-1), S_OK);
    EXPECT_EQ(Frames(), frames);
}

TEST_F(BreakRoad, AStopSequenceKeepsTheBreakpointWhenTheStopBreakGoes) {
    DWORD id = 0;
    ASSERT_EQ(HostAdd(0xC010, &id), S_OK);
    ASSERT_EQ(manager_->AddSequenceBreak(1, {0xC010}, nullptr), 1);
    ASSERT_EQ(client_->RemoveBreak(static_cast<LONG>(id)), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);
    // The breakpoint goes with the sequence break.
    ASSERT_EQ(list_->RemoveItem(0), S_OK);
    EXPECT_EQ(GoUntilStopped(), "BREAK KEY");
}

TEST_F(BreakRoad, RestoredBreaksStopTheProgramAgainAndTheHostsStopBreaksStay) {
    DWORD id = 0;
    ASSERT_EQ(HostAdd(0xC005, &id), S_OK);
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 1, Action(break_action::kFileOutput, "out file.bin")), 1);
    ASSERT_EQ(manager_->AddCycleBreak(100, 0, nullptr), 1);
    const Lines listed = Listing();
    ASSERT_EQ(listed.size(), 3u);
    ASSERT_EQ(manager_->SaveBreaks(*Store()), S_OK);

    // A new session: a fresh manager with a Stop break of the host's own,
    // which the restore leaves in place.
    EndSession();
    ASSERT_NO_FATAL_FAILURE(StartSession());
    EXPECT_EQ(manager_->GetPcCount(), 0u);
    ASSERT_EQ(HostAdd(0xC005, &id), S_OK);
    ASSERT_EQ(manager_->LoadBreaks(*Store()), S_OK);
    EXPECT_EQ(Listing(), listed);
    EXPECT_EQ(client_->FindBreak(0xC005, &id), S_OK) << "the host's Stop break stays";
    EXPECT_EQ(EventsRow(), "\tBreak point : 3 of 255 PC breakpoints in use");

    // The demo calls C010 before it reaches C005.
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// --- the "Set Break" sheet, opened as the host's breakpoint list opens it ---

// The host's breakpoint-list requests so far.
std::size_t HostRequests(simhost::SimHost& host) {
    return host.Log().Find("AddBreakpoint").size() + host.Log().Find("RemoveBreakpoint").size() +
           host.Log().Find("EnableBreakpoint").size();
}

TEST_F(BreakRoad, TheSetBreakSheetsNewBreakIsAHostBreakpointThatStopsTheProgram) {
    ui_.OnDialog(res_id::kSetBreakTypePage).SetText(res_id::kBrkAddress, "H'C010").PressOk();
    manager_->RunSetBreakDialog(-1);
    const auto adds = host_->Log().Find("AddBreakpoint");
    ASSERT_EQ(adds.size(), 1u);
    EXPECT_EQ(adds[0].detail, "0000C010|1");
    const auto breakpoints = host_->Services().Breakpoints().Breakpoints();
    ASSERT_EQ(breakpoints.size(), 1u);
    EXPECT_TRUE(IsEqualGUID(breakpoints[0].owner, target_->GetComponentClassId()));
    EXPECT_EQ(Listing(), Lines{"BP Stop"});
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);
}

TEST_F(BreakRoad, ANameOfThreeAddressesMakesThreeStopBreaks) {
    for (const DWORD address : {0xC000u, 0xC004u, 0xC010u}) {
        host_->Services().Names().DefineName("demo_spot", address);
    }
    ui_.OnDialog(res_id::kSetBreakTypePage).SetText(res_id::kBrkAddress, "demo_spot").PressOk();
    manager_->RunSetBreakDialog(-1);
    std::vector<DWORD> addresses;
    for (const auto& breakpoint : host_->Services().Breakpoints().Breakpoints()) {
        addresses.push_back(breakpoint.address);
    }
    EXPECT_EQ(addresses, (std::vector<DWORD>{0xC000, 0xC004, 0xC010}));
    EXPECT_EQ(manager_->GetPcCount(), 3u);
}

TEST_F(BreakRoad, AnEditedBreakIsReplacedThroughTheHostUnlessNothingChanged) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 1, Action(break_action::kStop)), 1);
    const DWORD oldId = host_->Services().Breakpoints().Breakpoints().at(0).id;

    // OK without a change, and Cancel after one, ask the host nothing.
    std::size_t requests = HostRequests(*host_);
    ui_.OnDialog(res_id::kSetBreakTypePage)
        .Do([](platform::UiDialog& shown) { EXPECT_EQ(shown.Text(res_id::kBrkAddress), "H'0000C010"); })
        .PressOk();
    manager_->RunSetBreakDialog(0);
    ui_.OnDialog(res_id::kSetBreakTypePage).SetText(res_id::kBrkAddress, "H'C004").PressCancel();
    manager_->RunSetBreakDialog(0);
    EXPECT_EQ(HostRequests(*host_), requests);
    EXPECT_EQ(Listing(), Lines{"BP Stop"});

    ui_.OnDialog(res_id::kSetBreakTypePage).SetText(res_id::kBrkAddress, "H'C004").PressOk();
    manager_->RunSetBreakDialog(0);
    const auto breakpoints = host_->Services().Breakpoints().Breakpoints();
    ASSERT_EQ(breakpoints.size(), 1u);
    EXPECT_EQ(breakpoints[0].address, 0xC004u);
    EXPECT_NE(breakpoints[0].id, oldId);
    EXPECT_EQ(host_->Log().Find("RemoveBreakpoint").size(), 1u);
    EXPECT_EQ(manager_->GetPcCount(), 1u);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT") << "from the reset address C000";
    EXPECT_EQ(Pc(), 0xC004u);
}

TEST_F(BreakRoad, ABreakOfPassCountZeroIsShownAsOneAndConfirmedUnchanged) {
    // As the console's "bp" makes it.
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 0, Action(break_action::kStop)), 1);
    const std::size_t requests = HostRequests(*host_);
    ui_.OnDialog(res_id::kSetBreakTypePage)
        .Do([](platform::UiDialog& shown) { EXPECT_EQ(shown.Text(res_id::kBrkCount), "D'1"); })
        .PressOk();
    manager_->RunSetBreakDialog(0);
    EXPECT_TRUE(ui_.Beeps().empty()) << "the page took its own count";
    EXPECT_EQ(HostRequests(*host_), requests) << "nothing changed";
    EXPECT_EQ(Listing(), Lines{"BP Stop"});
}

TEST_F(BreakRoad, AnEditTheHostRefusesPutsTheOldBreakBack) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 1, Action(break_action::kStop)), 1);
    host_->Services().Breakpoints().RefuseNextAdds(1);
    ui_.OnDialog(res_id::kSetBreakTypePage).SetText(res_id::kBrkAddress, "H'C004").PressOk();
    manager_->RunSetBreakDialog(0);
    const auto adds = host_->Log().Find("AddBreakpoint");
    ASSERT_EQ(adds.size(), 3u);
    EXPECT_EQ(adds[1].detail, "0000C004|1") << "refused";
    EXPECT_EQ(adds[2].detail, "0000C010|1") << "the edited break again";
    const auto breakpoints = host_->Services().Breakpoints().Breakpoints();
    ASSERT_EQ(breakpoints.size(), 1u);
    EXPECT_EQ(breakpoints[0].address, 0xC010u);
    EXPECT_EQ(GoUntilStopped(), "BREAK POINT");
    EXPECT_EQ(Pc(), 0xC010u);
}

}  // namespace
