// The on-chip break conditions on the real road: the simulated host, the
// plug-in module, the simulated emulator's module and the demo program
// (Vk3Demo.mot) in the target's flash. The edits go through the target's
// break-condition set as its callers make them (the event handler opens a
// channel's sheet, enables and clears channels); the person types into the
// sheet through the UI script; the host's go runs the program to the break.
//
// The demo: C000 JSR.A C010; C004 NOP; C005 NOP; C006 JMP.B C000;
// C010 NOP; C011 NOP; C012 RTS.
#include "tests/road/break_condition_road_fixture.h"

#include "events/target_event_vk3.h"
#include "frame/target_break.h"

#include "platform/bstr.h"
#include "platform/host/ids.h"

#include <utility>

namespace {

using namespace roadtest;

TEST_F(BreakConditionRoad, AProgramFetchConditionStopsTheGoUntilItIsDisabled) {
    ui_.OnDialog(res_id::kSetBcAddressPage)
        .Check(res_id::kBcAddressDontCare, false)
        .SetText(res_id::kBcAddress, "")
        .Type(res_id::kBcAddress, "C010")
        .PressOk();
    set_->EditChannel(0, 1);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    EXPECT_EQ(set_->GetChannelFlag(0), 1u);

    EXPECT_EQ(Go(), "BREAK CONDITION 1");
    EXPECT_EQ(Status().pc, 0xC010u);
    EXPECT_EQ(Status().stopWord, 0x4248u) << "BH";
    EXPECT_EQ(EventsPage().at(1), "\tBreak condition : Used BC 1");

    host_->Services().Output().ClearLines();
    EXPECT_EQ(set_->EnableChannel(0, 0), 1u);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_enable disable channel 1"});
    EXPECT_EQ(std::string(set_->DisplayText(0)), "Address=H'0000c010(Vk3Demo.c/5) pcbefore ") << "the sheet stays";
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY");

    set_->ClearChannel(0, 1);
    EXPECT_EQ(std::string(set_->DisplayText(0)), "None");
    EXPECT_EQ(EventsPage().at(1), "\tBreak condition : Not used");
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

TEST_F(BreakConditionRoad, WithoutAnOutputWindowTheEditGoesOnWithoutAnEcho) {
    host_->Services().Output().SetReadyAnswer(S_FALSE);
    ASSERT_EQ(set_->SetAtAddress(0, 0xC010, 0xC010), 0);
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(Go(), "BREAK CONDITION 1");
}

TEST_F(BreakConditionRoad, ADownloadSendsTheChannelsAgain) {
    // Placed as the view columns place it: the event handler's records
    // follow, and the download copies them back into the sheets.
    ASSERT_EQ(target_->GetEventHandler()->SetChannelCondition(0, 0xC010, 0xC010), S_OK);
    host_->Services().Output().ClearLines();
    IHTMemoryServer4* memory = nullptr;
    for (const simhost::InterfaceRegistration& registration : host_->Services().Registrations()) {
        if (registration.server && IsEqualIID(registration.iid, IID_IHTMemoryServer4)) {
            memory = static_cast<IHTMemoryServer4*>(registration.object);
        }
    }
    ASSERT_NE(memory, nullptr);
    ASSERT_EQ(memory->OnDownload(0xFFFF), S_OK);
    ASSERT_EQ(memory->OnDownload(0), S_OK);
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    EXPECT_EQ(Go(), "BREAK CONDITION 1");
}

// A go from a break stops at a break on the very next instruction, each by
// its own cause, rather than stepping off that address too.
TEST_F(BreakConditionRoad, AGoFromABreakStopsAtABreakOnTheNextInstruction) {
    struct Case {
        const char* name;
        bool conditionAtC010;  // else a PC breakpoint there
        bool conditionAtC011;
        const char* firstCause;
        const char* secondCause;
    };
    const Case cases[] = {
        {"two conditions", true, true, "BREAK CONDITION 1", "BREAK CONDITION 2"},
        {"breakpoint, then condition", false, true, "BREAK POINT", "BREAK CONDITION 2"},
        {"condition, then breakpoint", true, false, "BREAK CONDITION 1", "BREAK POINT"},
    };
    IHTPCBreakClient* breaks = nullptr;
    ASSERT_EQ(target_->GetBreakHandler()->QueryInterface(IID_IHTPCBreakClient, reinterpret_cast<void**>(&breaks)),
              S_OK);
    const platform::Bstr text("");
    for (const Case& one : cases) {
        SCOPED_TRACE(one.name);
        DWORD id = 0;
        const std::pair<DWORD, bool> places[] = {{0xC010, one.conditionAtC010}, {0xC011, one.conditionAtC011}};
        for (DWORD channel = 0; channel < 2; ++channel) {
            const auto [address, condition] = places[channel];
            if (condition) {
                ASSERT_EQ(set_->SetAtAddress(channel, address, address), 0);
            } else {
                ASSERT_EQ(breaks->AddBreak(address, HostBreakpointOwnerId, text.Get(), &id), S_OK);
            }
        }
        AtStart();
        EXPECT_EQ(Go(), one.firstCause);
        EXPECT_EQ(Status().pc, 0xC010u);
        EXPECT_EQ(Go(), one.secondCause);
        EXPECT_EQ(Status().pc, 0xC011u) << "not round to C010 again";
        set_->ClearChannel(0, 1);
        set_->ClearChannel(1, 1);
        static_cast<void>(breaks->RemoveBreak(-1));  // E_FAIL with no breakpoint
    }
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

// The demo device with the hardware break type 1: break channels 2 and 3
// and the data break.
class DataBreakRoad : public BreakConditionRoad {
protected:
    const char* Group() const override { return "LinkTestFiles\\HWBRK"; }
    // Channel 3's sheet: a write of value at the stack byte.
    void SetDataBreak(const std::string& value) {
        ScriptStackWrite(value);
        set_->EditChannel(2, 1);
    }
};

TEST_F(DataBreakRoad, AStackWriteOfTheValueStopsAfterTheCall) {
    SetDataBreak("C0");
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 3 address 0x8FE access data 0xC0 direction write"});
    EXPECT_EQ(Go(), "BREAK CONDITION 3");
    EXPECT_EQ(Status().pc, 0xC010u) << "after the call";
    std::uint8_t pushed = 0;
    control_->readTarget(kPushedByte, &pushed, 1);
    EXPECT_EQ(pushed, 0xC0);

    SetDataBreak("C1");
    AtStart();
    EXPECT_EQ(Go(), "BREAK KEY") << "another value runs on";
}

TEST_F(DataBreakRoad, ChannelsTwoAndThreeBreakAtTheirAddresses) {
    ASSERT_EQ(set_->SetAtAddress(3, 0xC012, 0xC012), 0);
    EXPECT_EQ(Go(), "BREAK CONDITION 4");
    EXPECT_EQ(Status().pc, 0xC012u);
}

}  // namespace

namespace roadtest {
namespace {

// The plug-in's copy in a folder of its own (the build puts it there), whose
// settings file names an MMU: channel 1's sheet has the bus page, and no other
// test program reads that settings file. The copy finds the emulator module
// of its folder, an emulator of its own.
class MmuBreakConditionRoad : public BreakConditionRoad {
protected:
    static std::string Folder() { return simhost::ProgramFolder() + "MmuPlugin\\"; }
    std::string PluginPath() const override { return Folder() + "Q3vVk3.dll"; }
    emutest::SimModule& Emulator() override {
        static emutest::SimModule module = emutest::LoadSimModule(Folder() + "Q3vSimEmu.dll");
        return module;
    }
};

TEST_F(MmuBreakConditionRoad, TheBusPageAddsToTheConditionAndTheGoStillStopsAtTheAddress) {
    ui_.OnDialog(res_id::kSetBcAddressPage)
        .Check(res_id::kBcAddressDontCare, false)
        .SetText(res_id::kBcAddress, "")
        .Type(res_id::kBcAddress, "C010")
        .SelectPage(3)
        .Pick(res_id::kBcBusData)
        .Pick(res_id::kBcDirectionWrite)
        .PressOk();
    set_->EditChannel(0, 1);
    EXPECT_EQ(std::string(set_->DisplayText(0)),
              "Address=H'0000c010(Vk3Demo.c/5) pcbefore access L-bus(cpu-data) direction write ");
    EXPECT_EQ(Echoes(), Lines{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    EXPECT_EQ(set_->GetChannelFlag(0), 1u);
    EXPECT_EQ(Go(), "BREAK CONDITION 1") << "the monitor's program-fetch form reads neither word";
    EXPECT_EQ(Status().pc, 0xC010u);
    EXPECT_TRUE(ui_.MessageBoxes().empty());
}

}  // namespace
}  // namespace roadtest

