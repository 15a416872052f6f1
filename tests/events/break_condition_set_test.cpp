// The break-condition set: editing a channel through its sheet, the
// duplicate-address and device rules, clearing and enabling, placing and
// removing conditions by address with the gap closing of the data-break
// devices, the list rows, and the echo lines.
#include "events/break_condition_set.h"
#include "res/resource_ids.h"
#include "config/settings_files.h"
#include "tests/events/events_fixture.h"
#include "tests/support/test_ui.h"

#include "platform/files.h"
#include "platform/profile.h"

#include <cstring>
#include <string>
#include <vector>

namespace eventstest {
namespace {

using Script = platform::ScriptedUiDriver::DialogScript;
using Texts = std::vector<std::string>;

class ConditionSet : public EventsTest {
protected:
    // Opens channel n's sheet and confirms a program-fetch address typed as
    // the person would.
    void EditAddress(DWORD n, const std::string& address) {
        Script& sheet = ui_.OnDialog(res_id::kSetBcAddressPage);
        sheet.Check(res_id::kBcAddressDontCare, false).SetText(res_id::kBcAddress, "").Type(res_id::kBcAddress, address);
        sheet.PressOk();
        set_.EditChannel(n, 1);
    }
    // A data-access condition in channel n's address page, as the event
    // handler writes it from its records.
    void AccessCondition(DWORD n, DWORD address, int maskIndex) {
        CSetBcAddressPage& page = set_.Sheet(n).AddressPage();
        page.addressDontCare = 0;
        page.addressKind = 0;
        page.address = address;
        page.maskIndex = maskIndex;
    }
    static std::string Sent(int n) { return Working(n).commandText; }

    testsupport::TestUi ui_;
    CBreakConditionSet set_{&host_};
};

TEST_F(ConditionSet, ASheetEditSendsTheConditionAndEchoesIt) {
    EditAddress(0, "C010");
    EXPECT_EQ(Working(0).enable, 1u);
    EXPECT_EQ(Working(0).kind, kBreakKindAddress);
    EXPECT_EQ(Working(0).address, 0xC010u);
    EXPECT_EQ(Working(0).pcBefore, 1u);
    EXPECT_EQ(Working(0).direction, 10u);
    EXPECT_EQ(Sent(0), " PC=H'0000C010 ");
    EXPECT_EQ(Echoes(), Texts{"breakcondition_set channel 1 address 0xC010 pcbefore"});
    EXPECT_EQ(std::string(set_.DisplayText(0)), "Address=H'0000c010(Vk3Demo.c/5) pcbefore ");
    EXPECT_EQ(set_.GetChannelFlag(0), 1u);
    EXPECT_EQ(set_.GetChannelWord(0), 1u);
    EXPECT_EQ(set_.MarkAddress(0), 0xC010u);
}

TEST_F(ConditionSet, WithoutAUsableOutputWindowTheEditGoesOnSilently) {
    for (const HRESULT answer : {S_FALSE, E_FAIL}) {
        host_.Output().SetReadyAnswer(answer);
        set_.ClearChannel(0, 1);
        EditAddress(0, "C010");
        EXPECT_EQ(Working(0).address, 0xC010u);
        EXPECT_TRUE(Echoes().empty());
    }
}

TEST_F(ConditionSet, WithoutAnOutputWindowAtAllNoLineIsTried) {
    host_.OfferService(IID_IHOutputWindow, nullptr);
    EditAddress(0, "C010");
    EXPECT_EQ(Working(0).address, 0xC010u);
    EXPECT_TRUE(log_.Find("OutputPostLine").empty());
    EXPECT_TRUE(log_.Find("OutputIsReady").empty());
    EXPECT_TRUE(Echoes().empty());
}

TEST_F(ConditionSet, CancelChangesNothing) {
    ui_.OnDialog(res_id::kSetBcAddressPage).Check(res_id::kBcAddressDontCare, false).PressCancel();
    set_.EditChannel(0, 1);
    EXPECT_EQ(Working(0).enable, 0u);
    EXPECT_EQ(std::string(set_.DisplayText(0)), "None");
    EXPECT_TRUE(Echoes().empty());
}

TEST_F(ConditionSet, ADuplicateAddressIsRefusedWithItsMessage) {
    UseDevice(1, 1, 4);
    ASSERT_EQ(set_.SetAtAddress(1, 0xC010, 0xC010), 0);
    ClearEchoes();
    EditAddress(0, "C010");
    EXPECT_EQ(Errors(), Texts{"Invalid event address."});
    EXPECT_EQ(Working(0).enable, 0u);
    EXPECT_EQ(std::string(set_.DisplayText(0)), "None");
    EXPECT_TRUE(Echoes().empty());
    // SetAtAddress keeps the same rule.
    EXPECT_EQ(set_.SetAtAddress(3, 0xC010, 0xC010), -1);
    EXPECT_EQ(Errors().size(), 2u);
}

// The duplicate-address rule, every pair of channels on each kind of device:
// channel h holds C010, then channel s is given C010 by SetAtAddress and by
// its sheet. A refusal names the address and changes nothing.
struct DeviceKind {
    const char* name;
    DWORD hwBreak, protocolType, channels;
    // Whether channel s is compared with channel h, by SetAtAddress and by
    // the sheet.
    bool (*placeCompares)(DWORD s, DWORD h);
    bool (*sheetCompares)(DWORD s, DWORD h);
};

const DeviceKind kDeviceKinds[] = {
    {"data break (HWBREAK 1)", 1, 1, 4, [](DWORD s, DWORD h) { return s < 4 && h < 4; },
     [](DWORD s, DWORD h) { return s >= 4 || h < 4; }},
    {"protocol type 2", 0, 2, 8, [](DWORD, DWORD) { return true; }, [](DWORD, DWORD) { return true; }},
    {"other (protocol type 1, two channels)", 0, 1, 2, [](DWORD s, DWORD h) { return s < 2 && h == 1 - s; },
     [](DWORD s, DWORD h) { return s >= 4 || (s < 2 && h == 1 - s); }},
};

TEST_F(ConditionSet, TheDuplicateAddressRuleComparesTheChannelsOfEachKindOfDevice) {
    for (const DeviceKind& device : kDeviceKinds) {
        UseDevice(device.hwBreak, device.protocolType, device.channels);
        for (DWORD h = 0; h < 8; ++h) {
            for (DWORD s = 0; s < 8; ++s) {
                if (s == h) {
                    continue;
                }
                SCOPED_TRACE(std::string(device.name) + ": channel " + std::to_string(h) + " holds C010, channel " +
                             std::to_string(s) + " is given it");
                {
                    CBreakConditionSet set(&host_);
                    ASSERT_EQ(set.SetAtAddress(h, 0xC010, 0xC010), 0);
                    const std::size_t errors = Errors().size();
                    const bool refused = device.placeCompares(s, h);
                    EXPECT_EQ(set.SetAtAddress(s, 0xC010, 0xC010), refused ? -1 : 0);
                    EXPECT_EQ(Errors().size(), errors + (refused ? 1 : 0));
                    EXPECT_EQ(Working(s).enable, refused ? 0u : 1u);
                    EXPECT_EQ(Working(h).address, 0xC010u) << "the holder keeps its condition";
                }
                // Through the sheet; channels 2 and 3 take an address only on
                // the first two kinds of device.
                if ((s == 2 || s == 3) && device.hwBreak != 1 && device.protocolType != 2) {
                    continue;
                }
                CBreakConditionSet set(&host_);
                ASSERT_EQ(set.SetAtAddress(h, 0xC010, 0xC010), 0);
                const std::size_t errors = Errors().size();
                const bool refused = device.sheetCompares(s, h);
                ui_.OnDialog(res_id::kSetBcAddressPage)
                    .Check(res_id::kBcAddressDontCare, false)
                    .SetText(res_id::kBcAddress, "")
                    .Type(res_id::kBcAddress, "C010")
                    .PressOk();
                set.EditChannel(s, 1);
                EXPECT_EQ(Errors().size(), errors + (refused ? 1 : 0));
                EXPECT_EQ(Working(s).enable, refused ? 0u : 1u);
                EXPECT_EQ(std::string(set.DisplayText(s)) == "None", refused);
            }
        }
    }
    EXPECT_EQ(Errors().back(), "Invalid event address.");
}

TEST_F(ConditionSet, TheDeviceDecidesWhichSheetsTakeAnAddress) {
    UseDevice(0, 0, 2);
    EditAddress(3, "C010");
    EditAddress(2, "C020");
    EXPECT_EQ(Working(2).enable, 0u);
    EXPECT_EQ(Working(3).enable, 0u);
    // A masked access has no address on channel 0 (nothing is taken); on
    // channel 2 the page's address counts, so it is refused there as well.
    for (const DWORD n : {DWORD{0}, DWORD{2}}) {
        ui_.OnDialog(res_id::kSetBcAddressPage).PressOk();
        AccessCondition(n, 0x900, 1);
        set_.EditChannel(n, 1);
    }
    EXPECT_EQ(Working(0).enable, 0u);
    EXPECT_EQ(Working(2).enable, 0u);
    EXPECT_TRUE(Echoes().empty());
    // The data-break device takes it on channel 2.
    UseDevice(1, 1, 4);
    ui_.OnDialog(res_id::kSetBcAddressPage).PressOk();
    set_.EditChannel(2, 1);
    EXPECT_EQ(Sent(2), " A=H'00000900;M1 ");
    EXPECT_EQ(Echoes(), Texts{"breakcondition_set channel 3 address 0x900 access m1"});
}

TEST_F(ConditionSet, EnablingResendsTheConditionWithOneEchoLine) {
    EditAddress(0, "C010");
    ClearEchoes();
    EXPECT_EQ(set_.EnableChannel(0, 0), 1u);
    EXPECT_EQ(Working(0).kind, 0u) << "BC1- sent";
    EXPECT_EQ(std::string(set_.DisplayText(0)), "Address=H'0000c010(Vk3Demo.c/5) pcbefore ");
    EXPECT_EQ(set_.GetChannelWord(0), 0u);
    EXPECT_EQ(set_.EnableChannel(0, 1), 1u);
    EXPECT_EQ(Working(0).address, 0xC010u);
    EXPECT_EQ(set_.GetChannelWord(0), 1u);
    EXPECT_EQ(Echoes(), (Texts{"breakcondition_enable disable channel 1", "breakcondition_enable enable channel 1"}));
    UseDevice(1, 1, 4);
    ClearEchoes();
    set_.EnableChannel(0, 0);
    EXPECT_EQ(Echoes(), Texts{"breakcondition_enable disable address 0xC010"});
}

TEST_F(ConditionSet, ClearSendsItsCommandEvenForAChannelTheDeviceLacks) {
    Working(4).enable = 1;
    Working(4).kind = kBreakKindAddress;
    set_.ClearChannel(4, 1);
    EXPECT_EQ(Working(4).kind, 0u);
    EXPECT_EQ(Echoes(), Texts{"breakcondition_clear channel 5"});
    // Above channel 7 the set does nothing at all.
    ClearEchoes();
    set_.ClearChannel(8, 1);
    EXPECT_TRUE(Echoes().empty());
}

TEST_F(ConditionSet, ClearWithTextsFreesTheChannel) {
    EditAddress(0, "C010");
    ClearEchoes();
    set_.ClearChannel(0, 1);
    EXPECT_EQ(std::string(set_.DisplayText(0)), "None");
    EXPECT_EQ(set_.GetChannelFlag(0), 0u);
    EXPECT_EQ(std::string(set_.Sheet(0).GetConditionText()), "None");
    UseDevice(1, 1, 4);
    ASSERT_EQ(set_.SetAtAddress(0, 0xC020, 0xC020), 0);
    ClearEchoes();
    set_.ClearChannel(0, 1);
    EXPECT_EQ(Echoes(), Texts{"breakcondition_clear address 0xC020"});
}

TEST_F(ConditionSet, QueriesByAddressAndFlags) {
    ASSERT_EQ(set_.SetAtAddress(1, 0xC010, 0xC010), 0);
    EXPECT_EQ(set_.FindChannelByAddress(0xC010, 0xC010, -1), 1);
    EXPECT_EQ(set_.FindChannelByAddress(0xC010, 0xC010, 0), -1);
    EXPECT_EQ(set_.FindChannelByAddress(0xC012, 0xC012, -1), -1);
    EXPECT_EQ(set_.SetAtAddress(1, 0xC020, 0xC020), -1) << "an occupied channel is not changed";
    EXPECT_EQ(set_.GetChannelFlag(-1), 1u);
    EXPECT_EQ(set_.GetChannelWord(9), 0u);
    UseDevice(0, 2, 8);
    ASSERT_EQ(set_.SetAtAddress(5, 0xC030, 0xC030), 0);
    set_.ClearChannel(1, 1);
    EXPECT_EQ(set_.GetChannelFlag(5), 1u);
    EXPECT_EQ(set_.GetChannelFlag(-1), 0u) << "channels 0 to 3 only";
}

TEST_F(ConditionSet, ToggleTwicePlacesThenRemoves) {
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC010, 0xC010), 0);
    EXPECT_EQ(Working(0).address, 0xC010u);
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC020, 0xC020), 0);
    EXPECT_EQ(Working(1).address, 0xC020u);
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC030, 0xC030), -1) << "no room on a two-channel device";
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC010, 0xC010), 1);
    EXPECT_EQ(Working(0).kind, 0u);
    EXPECT_EQ(std::string(set_.DisplayText(0)), "None");
    EXPECT_EQ(set_.ToggleAtAddress(1, 0xC030, 0xC030), -1) << "only the channel asked for";
    EXPECT_EQ(set_.ToggleAtAddress(0, 0xC030, 0xC030), 0);
}

// A free data-break channel keeps address 0 on its page, but holds no
// address: a click at 0 places a condition there, and only a second click
// removes it.
TEST_F(ConditionSet, AFreeChannelHoldsNoAddressSoAClickAtZeroPlacesACondition) {
    const DeviceKind kinds[] = {{"data break (HWBREAK 1)", 1, 1, 4, nullptr, nullptr},
                                {"protocol type 2", 0, 2, 8, nullptr, nullptr},
                                {"protocol type 3", 0, 3, 8, nullptr, nullptr},
                                {"protocol type 4", 0, 4, 8, nullptr, nullptr}};
    for (const DeviceKind& device : kinds) {
        SCOPED_TRACE(device.name);
        UseDevice(device.hwBreak, device.protocolType, device.channels);
        CBreakConditionSet set(&host_);
        ClearEchoes();
        EXPECT_EQ(set.FindChannelByAddress(0, 0, -1), -1) << "a fresh set holds nothing";
        EXPECT_EQ(set.ToggleAtAddress(-1, 0, 0), 0) << "placed, not removed";
        EXPECT_EQ(Working(0).kind, kBreakKindAddress);
        EXPECT_EQ(Working(0).address, 0u);
        EXPECT_EQ(Working(2).kind, 0u);
        ASSERT_EQ(Echoes().size(), 1u);
        EXPECT_EQ(Echoes()[0].rfind("breakcondition_set ", 0), 0u) << Echoes()[0];
        EXPECT_EQ(set.FindChannelByAddress(0, 0, -1), 0);
        EXPECT_EQ(set.ToggleAtAddress(-1, 0, 0), 1) << "the second click removes it";
        EXPECT_EQ(Working(0).kind, 0u);
        EXPECT_EQ(set.FindChannelByAddress(0, 0, -1), -1);
    }
}

TEST_F(ConditionSet, TheFourthChannelWaitsWhileTheThirdHoldsADataBreak) {
    UseDevice(1, 1, 4);
    ASSERT_EQ(set_.ToggleAtAddress(-1, 0xC010, 0xC010), 0);
    ASSERT_EQ(set_.ToggleAtAddress(-1, 0xC020, 0xC020), 0);
    AccessCondition(2, 0x9F0, 0);
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC030, 0xC030), -1);
    set_.Sheet(2).ResetPages();
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC030, 0xC030), 0);
    EXPECT_EQ(set_.ToggleAtAddress(-1, 0xC040, 0xC040), 0);
    EXPECT_EQ(Working(3).address, 0xC040u);
}

// Channels 0 to 3 of a data-break device hold A, B, C, D; one of them is
// disabled; B (channel 1) or D (channel 3) is toggled off.
class GapClosing : public ConditionSet {
protected:
    static constexpr DWORD kA = 0xC000, kB = 0xC004, kC = 0xC006, kD = 0xC010;
    void Fill(DWORD disabled) {
        UseDevice(1, 1, 4);
        for (const DWORD address : {kA, kB, kC, kD}) {
            ASSERT_EQ(set_.ToggleAtAddress(-1, address, address), 0);
        }
        set_.EnableChannel(disabled, 0);
    }
    // Each channel's address (0 for a free one) and enabled word.
    std::vector<std::pair<DWORD, DWORD>> Channels() {
        std::vector<std::pair<DWORD, DWORD>> channels;
        for (DWORD n = 0; n < 4; ++n) {
            DWORD address = 0;
            const bool held = set_.Sheet(n).GetAddress(&address) && set_.DisplayText(n) != "None";
            channels.emplace_back(held ? address : 0, set_.GetChannelWord(n));
        }
        return channels;
    }
    using Channel = std::pair<DWORD, DWORD>;
};

TEST_F(GapClosing, TheConditionsBehindMoveDownAndKeepTheirDisabledState) {
    Fill(2);
    EXPECT_EQ(set_.ToggleAtAddress(-1, kB, kB), 1);
    EXPECT_EQ(Channels(), (std::vector<Channel>{{kA, 1}, {kC, 0}, {kD, 1}, {0, 0}}));
    EXPECT_EQ(Working(1).kind, 0u) << "disabled: its clear command went last";
    EXPECT_EQ(Working(2).address, kD);
}

TEST_F(GapClosing, ADisabledConditionBeforeTheGapStaysDisabledInItsOwnChannel) {
    Fill(1);
    EXPECT_EQ(set_.ToggleAtAddress(-1, kD, kD), 1);
    EXPECT_EQ(Channels(), (std::vector<Channel>{{kA, 1}, {kB, 0}, {kC, 1}, {0, 0}}));
    EXPECT_EQ(Working(0).address, kA) << "channel 0 is not disabled";
    EXPECT_EQ(Working(0).enable, 1u);
}

TEST_F(GapClosing, WithoutRepackingTheConditionsBehindAreLeftEmpty) {
    Fill(3);
    BreakMode(0, 1);
    EXPECT_EQ(set_.ToggleAtAddress(-1, kB, kB), 1);
    EXPECT_EQ(Channels(), (std::vector<Channel>{{kA, 1}, {0, 0}, {0, 0}, {0, 0}}));
}

TEST_F(ConditionSet, ListRowsCarryTheTextKindAndAddress) {
    ASSERT_EQ(set_.SetAtAddress(0, 0xC010, 0xC010), 0);
    const CBreakConditionSet::EventRow* row = nullptr;
    set_.BuildEventRows(0, &row);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->address, 0xC010u);
    EXPECT_EQ(std::string(row->kindText), "Break");
    EXPECT_EQ(std::string(row->conditionText), std::string(set_.DisplayText(0)));
    // A channel without an address (a free one, or one with a masked
    // address) shows none, not the row before it.
    BreakMode(2, 0);
    AccessCondition(1, 0x900, 1);
    set_.BuildEventRows(1, &row);
    EXPECT_EQ(row->address, 0u);
    EXPECT_EQ(std::string(row->kindText), "Sequential break");
    set_.BuildEventRows(0, &row);
    EXPECT_EQ(std::string(row->kindText), "Break") << "channel 0 always";
}

TEST_F(ConditionSet, ASheetOfNoChannelHasNoPagesAndTakesNoAddress) {
    CSetBc sheet("Event");
    EXPECT_EQ(sheet.GetChannel(), -1);
    EXPECT_EQ(sheet.GetPageCount(), 0);
    EXPECT_EQ(sheet.SetAddress(0xC010), E_FAIL);
    sheet.CopyFrom(set_.Sheet(0));
    EXPECT_FALSE(sheet.IsSet());
    EXPECT_EQ(std::string(sheet.GetConditionText()), "None");
}

}  // namespace
}  // namespace eventstest

namespace eventstest {
namespace {

// With an MMU named in the plug-in's settings file, channel 1's sheet has the
// extended pages; its bus page adds to the program-fetch condition what the
// monitor engine's "PC=" form does not read.
class MmuSheets : public ConditionSet {
protected:
    MmuSheets() {
        EXPECT_TRUE(WritePrivateProfileStringA("MPU", "MMU", "1", file_.c_str()));
    }
    ~MmuSheets() override { DeleteFileA(file_.c_str()); }

    std::string file_ = GetPluginSettingsFilePath();
};

TEST_F(MmuSheets, TheBusPageJoinsTheCommandAndTheRecordKeepsItsProgramFetchDirection) {
    CSetBc sheet("Break condition 1");
    EXPECT_EQ(sheet.GetPageCount(), 5);
    EXPECT_EQ(CSetBc("Break condition 2").GetPageCount(), 3);
    EXPECT_EQ(CSetBc("Break condition 3").GetPageCount(), 1);
    ui_.OnDialog(res_id::kSetBcAddressPage)
        .Check(res_id::kBcAddressDontCare, false)
        .SetText(res_id::kBcAddress, "C010")
        .SelectPage(3)
        .Pick(res_id::kBcBusData)
        .Pick(res_id::kBcDirectionWrite)
        .PressOk();
    set_.EditChannel(0, 1);
    EXPECT_EQ(std::string(Working(0).commandText), " PC=H'0000C010 W DAT ");
    EXPECT_EQ(Working(0).kind, kBreakKindAddress);
    EXPECT_EQ(Working(0).direction, 10u);
    EXPECT_EQ(Working(0).bus, 0u);
}

}  // namespace
}  // namespace eventstest

namespace eventstest {
namespace {

TEST_F(EventsTest, ANewSetStartsWithTheChannelTablesFree) {
    Working(0).enable = 1;
    Working(0).kind = kBreakKindAddress;
    Applied(1).enable = 1;
    const CBreakConditionSet set(&host_);
    EXPECT_EQ(Working(0).enable, 0u) << "an earlier target's condition would break where no sheet shows it";
    EXPECT_EQ(Applied(1).enable, 0u);
}

}  // namespace
}  // namespace eventstest
