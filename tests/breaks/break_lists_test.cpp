// The kind lists: their orders, capacities, replacements, removals and
// enables, and what reaches the target, over fake target services.
#include "breaks/break_list.h"

#include "tests/breaks/break_fixture.h"

#include "platform/bstr.h"
#include "sim/host/sim_host.h"
#include "target/target_vk3.h"

#include <gtest/gtest.h>

namespace {

using breaktest::BreakServicesFixture;
using breaktest::Clear;
using breaktest::Command;
using breaktest::Set;

BreakActionDesc Desc(LONG type, DWORD interruptType1 = 0, DWORD interruptType2 = 0) {
    BreakActionDesc desc;
    desc.type = type;
    desc.fileName = "x.bin";
    desc.interruptType1 = interruptType1;
    desc.interruptType2 = interruptType2;
    return desc;
}

// The host as far as the PC list reaches it: it records the requests.
class RecordingBreakpointService : public IHBreakpointService {
public:
    struct Added {
        DWORD address;
        GUID owner;
        std::string text;
    };
    std::vector<Added> added;
    std::vector<DWORD> removed;
    std::vector<std::pair<DWORD, WORD>> enabled;
    HRESULT addResult = S_OK;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE AddBreakpoint(DWORD address, GUID owner, BSTR text, DWORD*) override {
        added.push_back({address, owner, platform::BstrToAnsi(text)});
        return addResult;
    }
    HRESULT STDMETHODCALLTYPE EnableBreakpoint(DWORD id, WORD flag) override {
        enabled.emplace_back(id, flag);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE RemoveBreakpoint(DWORD id) override {
        removed.push_back(id);
        return S_OK;
    }
};

class PcListTest : public ::testing::Test, public BreakServicesFixture, public CBreakAddressUsers {
protected:
    PcListTest() {
        // The pass-count texts are read by the host's evaluator.
        GetTarget()->Attach(&host_, 1);
        list_.SetCapacity(255);
        list_.SetBreakpointService(&service_);
        list_.SetAddressUsers(this);
    }
    bool IsAddressNeeded(DWORD address, const CTBreakContents* except) override {
        return list_.HasOtherOnTarget(address, except);
    }
    // A Stop break as the host makes it; its id.
    DWORD HostBreak(DWORD address, const GUID& owner = HostBreakpointOwnerId, const char* text = "") {
        const platform::Bstr hostText(text);
        DWORD id = 0xFFFF;
        EXPECT_EQ(list_.CreateHostPcBreak(address, owner, hostText.Get(), &id), 1);
        return id;
    }
    LONG TypeAt(DWORD position) const { return list_.GetAt(position)->GetActionType(); }
    const CTBreakPcContents& PcAt(DWORD position) const { return CTBreakPcList::Pc(*list_.GetAt(position)); }

    ~PcListTest() override { GetTarget()->Detach(1); }

    simhost::CallLog log_;
    simhost::HostServiceProvider host_{log_};
    RecordingBreakpointService service_;
    CTBreakPcList list_;
};

TEST_F(PcListTest, StopComesFirstAtAnAddressAndAloneInTheStopList) {
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kFileOutput)), 1);
    HostBreak(0x1000);
    ASSERT_EQ(list_.GetCount(), 2u);
    EXPECT_EQ(TypeAt(0), break_action::kStop);
    EXPECT_EQ(TypeAt(1), break_action::kFileOutput);
    EXPECT_EQ(list_.GetStopCount(), 1u);
    EXPECT_EQ(list_.GetStopAt(0), list_.GetAt(0));
    DWORD position = 9;
    EXPECT_EQ(list_.FindPcBreak(0x1000, &position), 1);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(list_.FindPcBreak(0x0FFF, &position), 0);
}

TEST_F(PcListTest, ASecondHostStopBreakReplacesTheFirst) {
    const DWORD first = HostBreak(0x1000);
    const DWORD second = HostBreak(0x1000);
    EXPECT_EQ(list_.GetCount(), 1u);
    EXPECT_EQ(list_.GetStopCount(), 1u);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(PcAt(0).GetId(), second);
}

TEST_F(PcListTest, InterruptsOrderByTheirTypesAndReplaceTheirEquals) {
    services_.cpuTypeCode = 200;
    for (const DWORD type1 : {5u, 2u, 5u}) {
        ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kInterrupt, type1)), 1);
    }
    ASSERT_EQ(list_.GetCount(), 2u);
    const auto type1At = [&](DWORD position) {
        return static_cast<const CTBreakActionInterrupt&>(*list_.GetAt(position)->GetAction()).GetInterruptType1();
    };
    EXPECT_EQ(type1At(0), 2u);
    EXPECT_EQ(type1At(1), 5u);
    EXPECT_EQ(PcAt(1).GetId(), 2u) << "the newer break with 5 stays";

    list_.RemovePcBreakAt(CTBreakList::kAll, 1);
    services_.cpuTypeCode = 13;
    for (const auto& [type1, type2] : {std::pair{5u, 2u}, std::pair{2u, 9u}, std::pair{5u, 1u}}) {
        ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kInterrupt, type1, type2)), 1);
    }
    ASSERT_EQ(list_.GetCount(), 3u);
    const auto type2At = [&](DWORD position) {
        return static_cast<const CTBreakActionInterrupt&>(*list_.GetAt(position)->GetAction()).GetInterruptType2();
    };
    EXPECT_EQ(std::vector({type1At(0), type1At(1), type1At(2)}), (std::vector<DWORD>{2, 5, 5}));
    EXPECT_EQ(std::vector({type2At(0), type2At(1), type2At(2)}), (std::vector<DWORD>{9, 1, 2}));
}

TEST_F(PcListTest, FileInputGoesAfterItsOwnTypeAndBeforeInterrupts) {
    HostBreak(0x1000);
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kInterrupt, 1)), 1);
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kFileInput)), 1);
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 7, Desc(break_action::kFileInput)), 1);
    ASSERT_EQ(list_.CreatePcBreak(0x0800, 1, Desc(break_action::kInterrupt, 1)), 1);
    ASSERT_EQ(list_.GetCount(), 5u);
    EXPECT_EQ(PcAt(0).GetAddress(), 0x0800u);
    EXPECT_EQ(TypeAt(1), break_action::kStop);
    EXPECT_EQ(TypeAt(2), break_action::kFileInput);
    EXPECT_EQ(PcAt(3).GetPassCount(), 7u) << "first in, first listed";
    EXPECT_EQ(TypeAt(4), break_action::kInterrupt);
}

TEST_F(PcListTest, CapacityRefusesTheNextButNotAReplacement) {
    for (DWORD n = 0; n < 255; ++n) {
        HostBreak(0x1000 + n);
    }
    const platform::Bstr text("");
    DWORD id = 0;
    EXPECT_EQ(list_.CreateHostPcBreak(0x2000, HostBreakpointOwnerId, text.Get(), &id), 0);
    EXPECT_EQ(list_.CreatePcBreak(0x2000, 1, Desc(break_action::kFileInput)), 0);
    EXPECT_EQ(list_.GetCount(), 255u);
    EXPECT_EQ(list_.CreateHostPcBreak(0x1010, HostBreakpointOwnerId, text.Get(), &id), 1);
    EXPECT_EQ(list_.GetCount(), 255u);
}

TEST_F(PcListTest, PassCountTravelsThroughTheHostAsHexadecimal) {
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 0x1F, Desc(break_action::kStop)), 1);
    ASSERT_EQ(service_.added.size(), 1u);
    EXPECT_EQ(service_.added[0].text, "1F");
    EXPECT_TRUE(IsEqualGUID(service_.added[0].owner, CLSID_Q3vVk3Target));
    EXPECT_EQ(list_.GetCount(), 0u) << "made when the host calls back";
    HostBreak(0x1000, CLSID_Q3vVk3Target, "1F");
    EXPECT_EQ(PcAt(0).GetPassCount(), 31u);
    HostBreak(0x2000);
    EXPECT_EQ(PcAt(1).GetPassCount(), 1u);
    const platform::Bstr notHex("zz");
    DWORD id = 0;
    EXPECT_EQ(list_.CreateHostPcBreak(0x3000, CLSID_Q3vVk3Target, notHex.Get(), &id), 0);
    EXPECT_EQ(list_.GetCount(), 2u);
}

TEST_F(PcListTest, PlugInStopBreakAsksTheHostToRemoveTheOlderFirst) {
    const DWORD old = HostBreak(0x1000);
    service_.addResult = E_FAIL;
    EXPECT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kStop)), 0);
    EXPECT_EQ(service_.removed, std::vector<DWORD>{old});
    list_.SetBreakpointService(nullptr);
    EXPECT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kStop)), 0) << "no host breakpoint list";
}

TEST_F(PcListTest, RemovingABreakTakesItsBreakpointOffUnlessAnotherNeedsIt) {
    HostBreak(0x1000);
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kFileOutput)), 1);
    ASSERT_EQ(list_.CreatePcBreak(0x2000, 1, Desc(break_action::kInterrupt)), 1);
    services_.commands.clear();
    list_.RemovePcBreakAt(2, 1);  // the interrupt at 0x2000
    list_.RemovePcBreakAt(1, 1);  // the file output: the Stop break still needs 0x1000
    EXPECT_EQ(services_.commands, std::vector<Command>{Clear(0x2000)});
    EXPECT_EQ(list_.GetCount(), 1u);
    list_.RemoveHostPcBreak(0);
    EXPECT_EQ(services_.commands, (std::vector<Command>{Clear(0x2000), Clear(0x1000)}));
    EXPECT_EQ(list_.GetCount(), 0u);
}

TEST_F(PcListTest, RemovingAllStopBreaksThroughAHostThatDoesNotCallBackLeavesNoStaleEntry) {
    HostBreak(0x1000);
    HostBreak(0x2000);
    ASSERT_EQ(list_.CreatePcBreak(0x3000, 1, Desc(break_action::kFileInput)), 1);
    services_.commands.clear();
    list_.RemovePcBreakAt(CTBreakList::kAll, 1);
    EXPECT_EQ(service_.removed, (std::vector<DWORD>{0, 1}));
    EXPECT_EQ(list_.GetCount(), 0u);
    EXPECT_EQ(list_.GetStopCount(), 0u);
    EXPECT_EQ(services_.commands.size(), 3u) << "every breakpoint taken off";
}

TEST_F(PcListTest, RemovingWithoutTheHostKeepsStopBreaks) {
    HostBreak(0x1000);
    ASSERT_EQ(list_.CreatePcBreak(0x1000, 1, Desc(break_action::kFileInput)), 1);
    services_.commands.clear();
    list_.RemovePcBreakAt(CTBreakList::kAll, 0, false);
    EXPECT_EQ(list_.GetCount(), 1u);
    EXPECT_TRUE(service_.removed.empty());
    EXPECT_TRUE(services_.commands.empty()) << "the closing removal sends nothing";
}

TEST_F(PcListTest, HostRemovalOfAllWithOrWithoutTheTarget) {
    HostBreak(0x1000);
    HostBreak(0x2000);
    ASSERT_EQ(list_.CreatePcBreak(0x2000, 1, Desc(break_action::kFileInput)), 1);
    services_.commands.clear();
    list_.RemoveHostPcBreak(-2);
    EXPECT_TRUE(services_.commands.empty());
    EXPECT_EQ(list_.GetCount(), 1u);
    HostBreak(0x1000);
    services_.commands.clear();
    list_.RemoveHostPcBreak(CTBreakList::kAll);
    EXPECT_EQ(services_.commands, std::vector<Command>{Clear(0x1000)});
    EXPECT_EQ(list_.GetCount(), 1u) << "the File Input break stays";
}

TEST_F(PcListTest, EnablingStopBreaksGoesThroughTheHost) {
    const DWORD id = HostBreak(0x1000);
    ASSERT_EQ(list_.CreatePcBreak(0x2000, 1, Desc(break_action::kFileInput)), 1);
    const int marks = services_.modifiedMarks;
    EXPECT_EQ(list_.EnablePcBreak(0, CTBreakList::kAll), 1);
    EXPECT_EQ(service_.enabled, (std::vector<std::pair<DWORD, WORD>>{{id, 0}}));
    EXPECT_EQ(PcAt(0).GetEnable(), 1) << "changed only by the host's call back";
    EXPECT_EQ(PcAt(1).GetEnable(), 0);
    EXPECT_EQ(services_.modifiedMarks, marks + 1);
    EXPECT_EQ(list_.EnablePcBreak(0, 1), 0) << "already disabled";
    EXPECT_EQ(list_.EnableStop(1, CTBreakList::kAll), 0) << "every stop break is enabled";
    EXPECT_EQ(list_.EnableStop(0, 0), 1);
    EXPECT_EQ(list_.EnableStop(0, 5), 0);
    DWORD position = 9;
    EXPECT_EQ(list_.FindPcStopById(id, &position), 1);
    EXPECT_EQ(position, 0u);
    EXPECT_EQ(list_.FindPcStopById(id + 7, &position), 0);
}

TEST_F(PcListTest, HitsRunTheActionOnThePassCount) {
    HostBreak(0x1000, CLSID_Q3vVk3Target, "3");
    std::vector<WORD> answers;
    for (int hit = 0; hit < 7; ++hit) {
        answers.push_back(list_.TestBreak(0x1000));
    }
    EXPECT_EQ(answers, (std::vector<WORD>{0, 0, 1, 0, 0, 1, 0}));
    EXPECT_EQ(list_.TestBreak(0x1004), 0);
    list_.EnableStop(0, 0);
    EXPECT_EQ(list_.TestBreak(0x1000), 0) << "a disabled break is not tested";
}

class KindListTest : public ::testing::Test, public BreakServicesFixture {};

TEST_F(KindListTest, AccessBreaksOrderByTheirLowAddressAndFillUp) {
    CTBreakAccessList list;
    list.SetCapacity(2);
    ASSERT_EQ(list.CreateBreak(0x3000, 0x1000, 0, nullptr), 1);  // key 0x1000, not 0x3000
    ASSERT_EQ(list.CreateBreak(0x2000, 0x2100, 0, nullptr), 1);
    EXPECT_EQ(list.GetAt(0)->GetAddress(), 0x1000u);
    EXPECT_EQ(list.CreateBreak(0x5000, 0x5000, 1, nullptr), 0) << "capacity 2";
    EXPECT_EQ(list.GetCount(), 2u);
    ASSERT_EQ(list.CreateBreak(0x1000, 0x1004, 2, nullptr), 1) << "a Stop break of the same key replaces";
    EXPECT_EQ(static_cast<const CTBreakAccessContents&>(*list.GetAt(0)).GetHigh(), 0x1004u);
}

TEST_F(KindListTest, ASecondSequenceBreakReplacesTheFirst) {
    CTBreakSequenceList list;
    list.SetCapacity(1);
    const CTBreakSequenceContents::Addresses steps{0x100, 0x200};
    ASSERT_EQ(list.CreateBreak(2, steps, nullptr), 1);
    ASSERT_EQ(list.CreateBreak(1, {0x300}, nullptr), 1);
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.GetStopCount(), 1u);
    EXPECT_EQ(list.GetAt(0)->GetAddress(), 0x300u);
    EXPECT_EQ(list.FindAddress(0x300), list.GetAt(0));
    EXPECT_EQ(list.FindAddress(0x100), nullptr);
    const BreakActionDesc fileInput = Desc(break_action::kFileInput);
    ASSERT_EQ(list.CreateBreak(1, {0x400}, &fileInput), 1);
    EXPECT_EQ(list.GetStopCount(), 0u);
    EXPECT_EQ(list.FindAddress(0x400), nullptr) << "only a Stop sequence keeps breakpoints";
}

TEST_F(KindListTest, SequenceStepCountsOutsideOneToEightAreRefused) {
    CTBreakSequenceList list;
    list.SetCapacity(1);
    EXPECT_EQ(list.CreateBreak(0, {0x100}, nullptr), 0);
    EXPECT_EQ(list.CreateBreak(9, {0x100}, nullptr), 0);
    EXPECT_EQ(list.GetCount(), 0u);
}

TEST_F(KindListTest, SequenceStopStartsItsStepsAgain) {
    CTBreakSequenceList list;
    list.SetCapacity(1);
    ASSERT_EQ(list.CreateBreak(2, {0x100, 0x200}, nullptr), 1);
    std::vector<WORD> answers;
    for (const DWORD pc : {0x100u, 0x200u, 0x200u, 0x100u, 0x200u}) {
        answers.push_back(list.TestBreak(pc));
    }
    EXPECT_EQ(answers, (std::vector<WORD>{0, 1, 0, 0, 1}));
}

TEST_F(KindListTest, CycleListTestsAndMovesEveryRecord) {
    CTBreakCycleList list;
    list.SetCapacity(255);
    ASSERT_EQ(list.CreateBreak(100, 0, nullptr), 1);
    ASSERT_EQ(list.CreateBreak(50, 0, nullptr), 1);
    list.EnableBreak(0, 0);  // period 50 comes first
    EXPECT_EQ(list.TestBreak(100), 1);
    EXPECT_EQ(static_cast<const CTBreakCycleContents&>(*list.GetAt(0)).GetPass(), 3u) << "disabled, still moved";
}

TEST_F(KindListTest, RemovalMarksTheSessionEvenWhenEmpty) {
    CTBreakDataList list;
    list.SetCapacity(8);
    const int marks = services_.modifiedMarks;
    list.RemoveBreakAt(CTBreakList::kAll);
    EXPECT_EQ(services_.modifiedMarks, marks + 1);
}

TEST_F(KindListTest, DescriptionsPerFamily) {
    CTBreakRegisterList registers;
    registers.SetCapacity(8);
    ASSERT_EQ(registers.CreateBreak(4, 0, 4, 0, 0, nullptr), 1);
    CBreakItemSlot slot;
    slot.info.address = 0x1234;
    registers.DescribeBreak(0, slot);
    EXPECT_EQ(slot.info.address, 0u);
    EXPECT_EQ(platform::BstrToAnsi(slot.info.kindId), "BR");
    ASSERT_NE(slot.info.extraText, nullptr);
    EXPECT_EQ(platform::BstrToAnsi(slot.info.extraText), "");
    EXPECT_EQ(platform::BstrToAnsi(slot.info.actionText), "Stop");
    EXPECT_EQ(slot.info.enabled, 1);

    CTBreakCycleList cycles;
    cycles.SetCapacity(255);
    ASSERT_EQ(cycles.CreateBreak(500, 0, nullptr), 1);
    cycles.EnableBreak(0, 0);
    CBreakItemSlot cycleSlot;
    cycles.DescribeBreak(0, cycleSlot);
    EXPECT_EQ(cycleSlot.info.period, 500u);
    EXPECT_EQ(cycleSlot.info.enabled, 0);
    EXPECT_EQ(platform::BstrToAnsi(cycleSlot.info.kindId), "BCY");

    CTBreakCfgDataList cfg;
    cfg.SetCapacity(8);
    ASSERT_EQ(cfg.CreateBreak(0x40, 1, 1, 0, 0, nullptr), 1);
    CBreakItemSlot cfgSlot;
    cfg.DescribeBreak(0, cfgSlot);
    EXPECT_EQ(cfgSlot.info.address, 0x40u);
    EXPECT_EQ(platform::BstrToAnsi(cfgSlot.info.kindId), "BCD");
}

TEST_F(KindListTest, PositionsBeyondTheEndAnswerNothing) {
    CTBreakCfgAccessList list;
    list.SetCapacity(2);
    ASSERT_EQ(list.CreateBreak(1, 2, 0, nullptr), 1);
    EXPECT_EQ(list.GetAt(1), nullptr);
    EXPECT_EQ(list.GetStopAt(1), nullptr);
    EXPECT_EQ(list.EnableBreak(0, 1), 0);
    list.RemoveBreakAt(3);
    EXPECT_EQ(list.GetCount(), 1u);
}

}  // namespace
