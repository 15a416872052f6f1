// The break manager over the simulated host: the global index, the host's
// PC-break client with its address rules, the three ways the host answers
// the breakpoint list's requests, the event handler's entry points, and
// counts read from another thread.
#include "breaks/break_file_registry.h"
#include "breaks/break_manager.h"

#include "tests/breaks/break_fixture.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"

#include "config/device_data.h"
#include "startup/protected_registers.h"
#include "sim/host/sim_host.h"
#include "target/target_vk3.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using breaktest::BreakServicesFixture;
using breaktest::DeviceDataScope;
using breaktest::Clear;
using breaktest::Command;
using breaktest::Set;

constexpr HRESULT kRefused = CTargetBreakVk3::kBreakListRefused;

BreakActionDesc Action(LONG type) {
    BreakActionDesc desc;
    desc.type = type;
    desc.fileName = "x.bin";
    desc.dataSize = 1;
    desc.count = 1;
    return desc;
}

class BreakManagerTest : public ::testing::Test, public BreakServicesFixture {
protected:
    BreakManagerTest() {
        g_deviceAreas = {};
        g_deviceValues.flashBlockCount = 0;
        g_emuSel = connect_mode::kKeepFlashAndConnect;
        services_.topAddress = 0xFFFFF;
        GetTarget()->Attach(&host_, 1);
        manager_ = std::make_unique<CTBreakManager>(&host_);
    }
    ~BreakManagerTest() override {
        manager_.reset();
        GetTarget()->Detach(1);
    }
    // A breakpoint the person sets in the host; its id.
    DWORD UserBreak(DWORD address) {
        DWORD id = 0xFFFF;
        EXPECT_EQ(host_.Breakpoints().SetUserBreakpoint(address, &id), S_OK);
        return id;
    }
    HRESULT HostAdd(DWORD address) {
        const platform::Bstr text("");
        DWORD id = 0;
        return manager_->AddBreak(address, HostBreakpointOwnerId, text.Get(), &id);
    }
    std::size_t Registered(const IID& iid) const {
        std::size_t count = 0;
        for (const auto& registration : host_.Registrations()) {
            count += registration.iid == iid ? 1 : 0;
        }
        return count;
    }

    DeviceDataScope deviceData_;
    testsupport::TestUi ui_;
    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    std::unique_ptr<CTBreakManager> manager_;
};

TEST_F(BreakManagerTest, AFreshManagerHasNothingToList) {
    for (int kind = 0; kind < CTargetBreakVk3::kKindCount; ++kind) {
        EXPECT_EQ(manager_->GetKindBreakCount(kind), 0u);
    }
    BreakItemInfo* item = nullptr;
    EXPECT_EQ(manager_->GetNextItem(-1, &item), kRefused);
    const int marks = services_.modifiedMarks;
    EXPECT_EQ(manager_->EnableItem(-1, 1), S_OK);
    EXPECT_EQ(manager_->RemoveItem(-1), S_OK);
    EXPECT_GT(services_.modifiedMarks, marks) << "the removal marks the session";
    EXPECT_EQ(manager_->RemoveItem(-2), kRefused);
    EXPECT_EQ(manager_->QueryItem(0), kRefused);
    EXPECT_EQ(manager_->HasRoom(), 1);
    EXPECT_EQ(Registered(IID_IHTPCBreakClient), 1u);
    EXPECT_EQ(Registered(IID_IHTBreakServer), 1u);
    EXPECT_EQ(host_.EventReceivers().size(), 1u);
}

TEST_F(BreakManagerTest, TheGlobalIndexRunsThroughTheKindsInOrder) {
    UserBreak(0x1000);
    ASSERT_EQ(manager_->AddAccessBreak(0x300, 0x300, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddAccessBreak(0x200, 0x280, 0, nullptr), 1);
    ASSERT_EQ(manager_->AddCycleBreak(10, 0, nullptr), 1);
    BreakItemInfo* item = nullptr;
    std::vector<std::string> kinds;
    for (LONG previous = -1; manager_->GetNextItem(previous, &item) == S_OK; ++previous) {
        kinds.push_back(platform::BstrToAnsi(item->kindId) + std::to_string(item->index));
    }
    EXPECT_EQ(kinds, (std::vector<std::string>{"BP0", "BA0", "BA1", "BCY0"}));
    ASSERT_EQ(manager_->GetNextItem(2, &item), S_OK);
    EXPECT_EQ(item->period, 10u);
    ASSERT_EQ(manager_->GetNextItem(1, &item), S_OK);
    EXPECT_EQ(item->address, 0x300u);
    EXPECT_EQ(manager_->RemoveItem(4), kRefused);
    EXPECT_EQ(manager_->EnableItem(4, 0), kRefused);
    EXPECT_EQ(manager_->EnableItem(1, 0), S_OK);
    EXPECT_EQ(manager_->GetBreakAt(BreakKind::Access, 0)->GetEnable(), 0);
    EXPECT_EQ(manager_->RemoveItem(3), S_OK);
    EXPECT_EQ(manager_->GetCycleCount(), 0u);
    EXPECT_EQ(manager_->IsSequenceIndex(0), 0);
}

TEST_F(BreakManagerTest, HostAddressesAreCheckedInOrder) {
    g_deviceAreas[kAreaIio1] = {1, 0x0000, 0x03FF};
    g_deviceAreas[kAreaFir2] = {1, 0x0400, 0x0FFF};
    g_deviceAreas[kAreaFlas] = {1, 0x8000, 0xFFFFF};
    g_deviceAreas[kAreaAse1] = {0, 0xC100, 0xC1FF};  // not enabled
    g_deviceValues.flashBlockCount = 3;
    g_deviceValues.flashBlockTop[0] = 0x8000;
    g_deviceValues.flashBlockEnd[0] = 0x8FFF;
    g_deviceValues.flashBlockTop[1] = 0xA000;
    g_deviceValues.flashBlockEnd[1] = 0xBFFF;
    g_deviceValues.flashBlockTop[2] = 0xC000;
    g_deviceValues.flashBlockEnd[2] = 0xFFFFF;
    struct Case {
        DWORD address;
        HRESULT result;
        bool box;
    } const cases[] = {
        {0x100000, E_INVALIDARG, false},  // above the top address
        {0x0100, E_FAIL, true},           // IIO1
        {0x1000, E_FAIL, true},           // between FIR2 and FLAS
        {0x9000, E_FAIL, true},           // between two flash blocks
        {0xC100, S_OK, false},            // ASE1 is not enabled
        {0xC010, S_OK, false},
    };
    for (const Case& c : cases) {
        const std::size_t boxes = ui_.MessageBoxes().size();
        EXPECT_EQ(HostAdd(c.address), c.result) << std::hex << c.address;
        EXPECT_EQ(ui_.MessageBoxes().size(), boxes + (c.box ? 1 : 0)) << std::hex << c.address;
    }
    EXPECT_EQ(ui_.MessageBoxes()[0].text, "Invalid address value.\nH'00000100");
    services_.running = true;
    EXPECT_EQ(HostAdd(0xD000), E_FAIL);
    EXPECT_EQ(HostAdd(0x0200), E_FAIL);
    EXPECT_EQ(ui_.MessageBoxes().size(), 4u) << "the area rules come first";
}

TEST_F(BreakManagerTest, AnAbsentFlashAreaLeavesNoGapAboveTheFirmwareArea) {
    g_deviceAreas[kAreaFir2] = {1, 0x0400, 0x0FFF};
    g_deviceAreas[kAreaFlas] = {0, 0, 0};
    EXPECT_EQ(HostAdd(0x1000), S_OK);
    EXPECT_EQ(HostAdd(0xC010), S_OK);
    g_deviceValues.flashBlockCount = 2;  // blocks that overlap leave no gap either
    g_deviceValues.flashBlockTop[0] = 0x8000;
    g_deviceValues.flashBlockEnd[0] = 0x9FFF;
    g_deviceValues.flashBlockTop[1] = 0x9000;
    g_deviceValues.flashBlockEnd[1] = 0xFFFF;
    EXPECT_EQ(HostAdd(0x8800), S_OK);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(BreakManagerTest, RewriteModeRefusesProgramFlashButNotDataFlash) {
    g_emuSel = connect_mode::kCpuRewriteMode;
    g_deviceAreas[kAreaDatf] = {0, 0x3000, 0x3FFF};
    g_deviceValues.flashBlockCount = 2;
    g_deviceValues.flashBlockTop[0] = 0x3000;
    g_deviceValues.flashBlockEnd[0] = 0x3FFF;
    g_deviceValues.flashBlockTop[1] = 0xC000;
    g_deviceValues.flashBlockEnd[1] = 0xFFFF;
    EXPECT_EQ(HostAdd(0x3010), S_OK);
    EXPECT_EQ(HostAdd(0xC010), E_FAIL);
    ASSERT_EQ(ui_.MessageBoxes().size(), 1u);
    EXPECT_EQ(ui_.MessageBoxes()[0].text, "This operation is invalid in Debugging of CPU rewrite mode.");
    EXPECT_EQ(ui_.MessageBoxes()[0].caption, "Error");
    EXPECT_EQ(ui_.MessageBoxes()[0].owner, nullptr);
}

TEST_F(BreakManagerTest, AProtectedRegisterIsRefusedWithoutABox) {
    testing_support::TempFolder folder;
    folder.Write("protect.cnf", "[VKTEST]\r\nMEMORY PROTECT0=0000C100 00 FF\r\n");
    g_protectedRegisters.Load("VKTEST", folder.Windows("protect.cnf").c_str());
    EXPECT_EQ(HostAdd(0xC100), E_FAIL);
    g_protectedRegisters = CProtectedRegisterList();
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(BreakManagerTest, APlugInStopBreakComesBackFromTheHost) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 0x1F, Action(break_action::kStop)), 1);
    ASSERT_EQ(manager_->GetPcCount(), 1u);
    EXPECT_EQ(manager_->GetPcBreakAt(0)->GetPassCount(), 31u);
    const auto breakpoints = host_.Breakpoints().Breakpoints();
    ASSERT_EQ(breakpoints.size(), 1u);
    EXPECT_EQ(breakpoints[0].text, "1F");
    GUID owner{};
    BSTR text = nullptr;
    DWORD id = 7;
    ASSERT_EQ(manager_->GetBreakInfo(0xC010, &owner, &text, &id), S_OK);
    EXPECT_TRUE(IsEqualGUID(owner, CLSID_Q3vVk3Target));
    EXPECT_EQ(platform::BstrToAnsi(text), "1F");
    SysFreeString(text);
    EXPECT_EQ(id, 0u);
    EXPECT_EQ(manager_->GetBreakInfo(0xC012, &owner, &text, &id), E_FAIL);
}

TEST_F(BreakManagerTest, TheHostsWaysOfAnsweringLeaveNoStaleEntry) {
    for (const int mode : {0, 1, 2}) {  // call back, no call back, refuse
        host_.Breakpoints().SetCallBack(true);
        UserBreak(0x1000);
        UserBreak(0x2000);
        ASSERT_EQ(manager_->AddPcBreak(0x3000, 1, Action(break_action::kFileInput)), 1);
        host_.Breakpoints().SetCallBack(mode != 1);
        host_.Breakpoints().RefuseNext(mode == 2 ? 2 : 0);
        EXPECT_EQ(manager_->RemoveItem(-1), S_OK) << mode;
        EXPECT_EQ(manager_->GetPcCount(), 0u) << mode;
        EXPECT_EQ(manager_->FindPcStopBreak(0x1000), nullptr) << mode;
        EXPECT_EQ(manager_->RemoveBreak(0), E_FAIL) << "the stop list is empty";
        host_.Breakpoints().RefuseNext(0);
    }
    host_.Breakpoints().SetCallBack(false);
    EXPECT_EQ(manager_->AddPcBreak(0x1000, 1, Action(break_action::kStop)), 1) << "the host took it";
    EXPECT_EQ(manager_->GetPcCount(), 0u) << "and made nothing of it";
    host_.Breakpoints().RefuseNext(1);
    EXPECT_EQ(manager_->AddPcBreak(0x1000, 1, Action(break_action::kStop)), 0);
}

TEST_F(BreakManagerTest, EnablingAndDisablingAStopBreak) {
    const DWORD id = UserBreak(0xC010);
    services_.commands.clear();
    EXPECT_EQ(manager_->EnableBreak(static_cast<LONG>(id), 1), E_FAIL) << "already enabled";
    EXPECT_EQ(manager_->EnableBreak(static_cast<LONG>(id), 0), S_OK);
    WORD enabled = 0xFFFF;
    EXPECT_EQ(manager_->IsBreakEnabled(static_cast<LONG>(id), &enabled), S_OK);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(manager_->EnableBreak(static_cast<LONG>(id), 5), E_FAIL) << "any flag but 1 disables";
    EXPECT_EQ(manager_->EnableBreak(static_cast<LONG>(id), 1), S_OK);
    EXPECT_EQ(manager_->IsBreakEnabled(static_cast<LONG>(id), &enabled), S_OK);
    EXPECT_EQ(enabled, 1);
    EXPECT_EQ(services_.commands, (std::vector<Command>{Clear(0xC010), Set(0xC010)}));
    EXPECT_EQ(manager_->IsBreakEnabled(static_cast<LONG>(id) + 1, &enabled), E_INVALIDARG);
    EXPECT_EQ(manager_->EnableBreak(static_cast<LONG>(id) + 1, 0), E_INVALIDARG);
    EXPECT_EQ(manager_->EnableBreak(-3, 0), E_INVALIDARG);
    EXPECT_EQ(manager_->EnableBreak(-1, 0), S_OK);
    EXPECT_EQ(manager_->EnableBreak(-1, 0), E_FAIL);
    services_.running = true;
    EXPECT_EQ(manager_->EnableBreak(-1, 1), E_FAIL);
}

TEST_F(BreakManagerTest, TheBreakListEnablesStopBreaksThroughTheHost) {
    UserBreak(0xC010);
    ASSERT_EQ(manager_->AddPcBreak(0xC020, 1, Action(break_action::kInterrupt)), 1);
    EXPECT_EQ(manager_->EnableItem(-1, 0), S_OK);
    EXPECT_EQ(manager_->GetPcBreakAt(0)->GetEnable(), 0) << "the host called back";
    EXPECT_EQ(manager_->GetPcBreakAt(1)->GetEnable(), 0);
    EXPECT_EQ(log_.Find("EnableBreakpoint").size(), 1u);
    manager_->SetPcBreakEnable(0, 1);
    EXPECT_EQ(manager_->GetPcBreakAt(0)->GetEnable(), 1);
}

TEST_F(BreakManagerTest, RemovingStopBreaks) {
    EXPECT_EQ(manager_->RemoveBreak(5), E_FAIL) << "no stop break at all";
    const DWORD id = UserBreak(0xC010);
    EXPECT_EQ(manager_->RemoveBreak(static_cast<LONG>(id) + 5), E_INVALIDARG);
    EXPECT_EQ(manager_->RemoveBreak(-3), E_INVALIDARG);
    services_.running = true;
    EXPECT_EQ(manager_->RemoveBreak(static_cast<LONG>(id)), E_FAIL);
    services_.commands.clear();
    EXPECT_EQ(manager_->RemoveBreak(-2), S_OK) << "the close works while the program runs";
    EXPECT_TRUE(services_.commands.empty());
    EXPECT_EQ(manager_->GetPcCount(), 0u);
}

TEST_F(BreakManagerTest, AStopSequenceKeepsTheBreakpointOfARemovedStopBreak) {
    const DWORD id = UserBreak(0xC010);
    ASSERT_EQ(manager_->AddSequenceBreak(2, {0xC000, 0xC010}, nullptr), 1);
    services_.commands.clear();
    EXPECT_EQ(manager_->RemoveBreak(static_cast<LONG>(id)), S_OK);
    EXPECT_TRUE(services_.commands.empty());
    EXPECT_EQ(manager_->FindSequenceAddress(0xC010), manager_->GetBreakAt(BreakKind::Sequence, 0));

    // The held breakpoint goes with the sequence: removed, or replaced by
    // one without the address.
    ASSERT_EQ(manager_->RemoveItem(0), S_OK);
    EXPECT_EQ(services_.commands, std::vector<Command>{Clear(0xC010)});
    services_.commands.clear();
    const DWORD again = UserBreak(0xC020);
    ASSERT_EQ(manager_->AddSequenceBreak(1, {0xC020}, nullptr), 1);
    EXPECT_EQ(manager_->RemoveBreak(static_cast<LONG>(again)), S_OK);
    ASSERT_EQ(manager_->AddSequenceBreak(1, {0xC020}, nullptr), 1);
    ASSERT_EQ(manager_->AddSequenceBreak(1, {0xC030}, nullptr), 1);
    EXPECT_EQ(services_.commands, (std::vector<Command>{Set(0xC020), Clear(0xC020)}))
        << "kept while a sequence lists it";

    // A PC break put on the target at a held address takes it over: the
    // sequence's going sends nothing, the PC break's clears it.
    const DWORD held = UserBreak(0xC030);
    EXPECT_EQ(manager_->RemoveBreak(static_cast<LONG>(held)), S_OK);
    ASSERT_EQ(manager_->AddPcBreak(0xC030, 1, Action(break_action::kFileOutput)), 1);
    services_.commands.clear();
    ASSERT_EQ(manager_->RemoveItem(1), S_OK) << "the sequence, after the PC break";
    EXPECT_TRUE(services_.commands.empty());
    ASSERT_EQ(manager_->RemoveItem(0), S_OK);
    EXPECT_EQ(services_.commands, std::vector<Command>{Clear(0xC030)});
}

TEST_F(BreakManagerTest, AHeldBreakpointStaysWhenTheManagerGoes) {
    const DWORD id = UserBreak(0xC010);
    ASSERT_EQ(manager_->AddSequenceBreak(1, {0xC010}, nullptr), 1);
    EXPECT_EQ(manager_->RemoveBreak(static_cast<LONG>(id)), S_OK);
    services_.commands.clear();
    manager_.reset();
    EXPECT_TRUE(services_.commands.empty()) << "the close touches nothing on the target";
}

TEST_F(BreakManagerTest, FindBreakSeesOnlyStopBreaks) {
    ASSERT_EQ(manager_->AddPcBreak(0xC010, 1, Action(break_action::kFileInput)), 1);
    DWORD id = 0;
    EXPECT_EQ(manager_->FindBreak(0xC010, &id), E_FAIL);
    const DWORD stop = UserBreak(0xC010);
    EXPECT_EQ(manager_->FindBreak(0xC010, &id), S_OK);
    EXPECT_EQ(id, stop);
    DWORD position = 9;
    EXPECT_EQ(manager_->FindPcBreak(0xC010, &position), 1);
    EXPECT_EQ(position, 0u);
}

TEST_F(BreakManagerTest, TheEventHandlersEntryPointsWorkByPosition) {
    UserBreak(0xC010);
    BreakItemInfo* item = nullptr;
    ASSERT_EQ(manager_->UpdatePcBreak(0, &item), 1);
    EXPECT_EQ(item->address, 0xC010u);
    BreakItemInfo* kept = item;
    EXPECT_EQ(manager_->UpdatePcBreak(1, &item), 0);
    EXPECT_EQ(item, kept);
    manager_->RemovePcBreak(0);
    EXPECT_EQ(manager_->GetPcCount(), 0u) << "through the host";
    EXPECT_EQ(manager_->GetPcBreakAt(0), nullptr);
}

TEST_F(BreakManagerTest, FilesAreReleasedByIndexOrAllAtOnce) {
    testing_support::TempFolder folder;
    folder.Write("in.bin", "1234");
    BreakActionDesc input = Action(break_action::kFileInput);
    input.fileName = folder.Windows("in.bin");
    ASSERT_EQ(manager_->AddCycleBreak(1, 0, &input), 1);
    auto& action = static_cast<CTBreakActionFile&>(*manager_->GetBreakAt(BreakKind::Cycle, 0)->GetAction());
    ASSERT_EQ(manager_->TestCycleBreak(1), 0);
    EXPECT_TRUE(action.IsOpen());
    EXPECT_EQ(manager_->ReleaseItemFiles(0), S_OK);
    EXPECT_FALSE(action.IsOpen());
    ASSERT_TRUE(action.Execute());
    EXPECT_EQ(manager_->ReleaseItemFiles(1), kRefused);
    EXPECT_EQ(manager_->ReleaseItemFiles(-2), kRefused);
    EXPECT_EQ(manager_->ReleaseItemFiles(-1), S_OK);
    EXPECT_FALSE(action.IsOpen());
    ASSERT_TRUE(action.Execute());
    manager_->HandleHostEvent(EVENT_CloseAllFiles);
    EXPECT_FALSE(action.IsOpen());
}

TEST_F(BreakManagerTest, CountsReadOnAnotherThread) {
    std::atomic<bool> done{false};
    std::thread reader([&] {
        DWORD seen = 0;
        while (!done.load()) {
            for (int kind = 0; kind < CTargetBreakVk3::kKindCount; ++kind) {
                seen += manager_->GetKindBreakCount(kind);
            }
        }
        static_cast<void>(seen);
    });
    for (int round = 0; round < 200; ++round) {
        ASSERT_EQ(manager_->AddCycleBreak(static_cast<DWORD>(round + 1), 0, nullptr), 1);
        ASSERT_EQ(manager_->AddDataBreak(0x100, 0, 1, 0, 0, nullptr), 1);
        manager_->RemoveByGlobalIndex(-1, 0);
    }
    done = true;
    reader.join();
}

TEST_F(BreakManagerTest, GoingLeavesNoRegistrationAndSendsNothing) {
    UserBreak(0xC010);
    ASSERT_EQ(manager_->AddPcBreak(0xC020, 1, Action(break_action::kFileOutput)), 1);
    services_.commands.clear();
    manager_.reset();
    EXPECT_TRUE(services_.commands.empty());
    EXPECT_EQ(Registered(IID_IHTPCBreakClient), 0u);
    EXPECT_EQ(Registered(IID_IHTBreakServer), 0u);
    EXPECT_TRUE(host_.EventReceivers().empty());
    EXPECT_EQ(g_breakFileRegistry.GetHost(), nullptr);
}

}  // namespace
