// The break-condition sheet and its pages: which pages each channel shows,
// the condition and row texts, the number-text rule, the checks when a page
// is left, and which controls the person can use.
#include "events/set_bc.h"
#include "res/resource_ids.h"
#include "tests/events/events_fixture.h"
#include "tests/support/test_ui.h"

#include "platform/files.h"

#include <fstream>
#include <string>
#include <vector>

namespace eventstest {
namespace {

using namespace res_id;
using platform::UiDialog;
using Script = platform::ScriptedUiDriver::DialogScript;

class BreakConditionSheet : public EventsTest {
protected:
    testsupport::TestUi ui_;
};

TEST(NormaliseNumberText, KeepsOrSuppliesThePrefixAndDropsLeadingZeros) {
    const struct {
        const char* text;
        const char* normal;
    } cases[] = {
        {"0000C010", "H'C010"}, {"h'00ff", "h'ff"}, {"D'0012", "D'12"}, {"b'000", "b'0"},
        {"", "H'0"},            {"H'", "H'0"},      {"12*", "H'12*"},   {"O'17", "H'O'17"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(std::string(NormaliseNumberText(c.text)), c.normal) << c.text;
    }
}

TEST_F(BreakConditionSheet, EachChannelShowsItsPages) {
    const struct {
        const char* title;
        int channel;
        int pages;
    } cases[] = {
        {"Break condition 1", 0, 1}, {"Break condition 2", 1, 1}, {"Break condition 3", 2, 1},
        {"BREAK CONDITION 8", 7, 1}, {"Break condition 9", -1, 0},
    };
    for (const auto& c : cases) {
        CSetBc sheet(c.title);
        EXPECT_EQ(sheet.GetChannel(), c.channel) << c.title;
        EXPECT_EQ(sheet.GetPageCount(), c.pages) << c.title;
    }
    CSetBc third("Break condition 3");
    EXPECT_EQ(third.GetPage(0), &third.page2) << "the second address page";
}

TEST_F(BreakConditionSheet, ConditionTextsOfTheAddressPage) {
    CSetBc sheet("Break condition 1");
    CSetBc1& page = sheet.page1;
    EXPECT_EQ(std::string(sheet.GetConditionText()), "None");
    page.addressDontCare = 0;
    page.address = 0x1000;
    EXPECT_EQ(std::string(sheet.GetConditionText()), "PC=H'00001000 ");
    page.addressKind = 0;
    page.dataDontCare = 0;
    page.dataValue = 0x1234;
    page.dataSize = 1;
    page.direction = 1;
    EXPECT_EQ(std::string(page.GetConditionText()), "A=H'00001000 HBD=H'34 R ");
    page.dataSize = 2;
    page.direction = 2;
    page.maskIndex = 2;
    EXPECT_EQ(std::string(page.GetConditionText()), "A=H'00001000;M2 WD=H'1234 W ");
    page.dataDontCare = 1;
    EXPECT_EQ(std::string(page.GetConditionText()), "A=H'00001000;M2 W ");
}

TEST_F(BreakConditionSheet, RowTextsWithAndWithoutASourcePosition) {
    CSetBc sheet("Break condition 1");
    CSetBc1& page = sheet.page1;
    page.addressDontCare = 0;
    page.address = 0xC010;
    EXPECT_EQ(std::string(sheet.GetCommandText()), "Address=H'0000c010(Vk3Demo.c/5) pcbefore ");
    page.address = 0xC020;
    EXPECT_EQ(std::string(page.GetCommandText()), "Address=H'0000c020 pcbefore");
    page.maskIndex = 1;
    EXPECT_EQ(std::string(page.GetCommandText()), "Address mask=H'0000C02* pcbefore;M1");
    page.addressKind = 0;
    page.address = 0xC010;
    page.dataDontCare = 0;
    page.dataValue = 0x12;
    page.direction = 2;
    EXPECT_EQ(std::string(page.GetCommandText()), "Address=H'0000c010;M1 D=H'12 L-byte Direction W ");
    page.maskIndex = 0;
    EXPECT_EQ(std::string(page.GetCommandText()), "Address=H'0000c010(Vk3Demo.c/5) D=H'12 L-byte Direction W ");
    // The second address page never shows the position of an access.
    CSetBc third("Break condition 3");
    static_cast<AddressPageFields&>(third.page2) = page;
    EXPECT_EQ(std::string(third.page2.GetCommandText()), "Address=H'0000c010 D=H'12 L-byte Direction W ");
}

TEST_F(BreakConditionSheet, TheOtherPagesTexts) {
    CSetBc3 bus;
    bus.direction = 2;
    bus.bus = 1;
    EXPECT_EQ(std::string(bus.GetConditionText()), "W DAT");
    EXPECT_EQ(std::string(bus.GetCommandText()), "access L-bus(cpu-data) direction write");
    bus.direction = 0;
    bus.bus = 2;
    EXPECT_EQ(std::string(bus.GetConditionText()), "DMA");
    EXPECT_EQ(std::string(bus.GetCommandText()), "access I-bus");
    CSetBc4 count;
    EXPECT_EQ(std::string(count.GetConditionText()), "");
    count.dontCare = 0;
    count.value = 20;
    EXPECT_EQ(std::string(count.GetConditionText()), "COUNT=14");
    EXPECT_EQ(std::string(count.GetCommandText()), "count D'20");
    CSetBc6 asid;
    asid.dontCare = 0;
    asid.value = 0x1F;
    EXPECT_EQ(std::string(asid.GetConditionText()), "ASID=H'1f");
    EXPECT_EQ(std::string(asid.GetCommandText()), " asid H'1f");
}

TEST_F(BreakConditionSheet, AddressQueriesOfTheSheets) {
    CSetBc first("Break condition 1");
    EXPECT_EQ(first.SetAddress(0xC010), S_OK);
    DWORD address = 0;
    EXPECT_TRUE(first.GetAddress(&address));
    EXPECT_EQ(address, 0xC010u);
    EXPECT_TRUE(first.MatchesAddress(0xC010));
    first.page1.maskIndex = 1;
    EXPECT_FALSE(first.GetAddress(&address)) << "a masked address is none";
    EXPECT_FALSE(first.MatchesAddress(0xC010));
    // The data-break channel's page compares its address whatever its mask,
    // but a free channel holds none, not even the 0 its page keeps.
    CSetBc third("Break condition 3");
    EXPECT_FALSE(third.MatchesAddress(0));
    EXPECT_FALSE(third.GetAddress(&address));
    ASSERT_EQ(third.SetAddress(0x9F0), S_OK);
    third.page2.maskIndex = 1;
    EXPECT_TRUE(third.MatchesAddress(0x9F0));
    EXPECT_FALSE(third.MatchesAddress(0));
    CSetBc copy("Break condition 1");
    copy.CopyFrom(first);
    EXPECT_EQ(copy.page1.address, 0xC010u);
    copy.ResetPages();
    EXPECT_FALSE(copy.IsSet());
}

// Channel 1's sheet as the person uses it.
class SheetDialog : public BreakConditionSheet {
protected:
    Script& Open() { return ui_.OnDialog(kSetBcAddressPage); }
    // Runs the sheet and answers its result.
    INT_PTR Run() { return sheet_.DoModal(); }
    CSetBc sheet_{"Break condition 1"};
};

TEST_F(SheetDialog, AProgramFetchAddressDisablesTheDataAndDirection) {
    Open()
        .Do([](UiDialog& shown) {
            for (const int id : {kBcProgramFetched, kBcAddress, kBcValue, kBcDirectionRead}) {
                EXPECT_FALSE(shown.IsEnabled(id)) << id;
            }
        })
        .Check(kBcAddressDontCare, false)
        .Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsEnabled(kBcProgramFetched));
            EXPECT_TRUE(shown.IsEnabled(kBcAddress));
            EXPECT_FALSE(shown.IsEnabled(kBcAddressKind)) << "an access comes only from the records";
            EXPECT_FALSE(shown.IsEnabled(kBcMaskList));
            EXPECT_FALSE(shown.IsEnabled(kBcValue));
            EXPECT_FALSE(shown.IsEnabled(kBcDirectionRead));
        })
        .SetText(kBcAddress, "1000")
        .PressOk();
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(std::string(sheet_.GetConditionText()), "PC=H'00001000 ");
}

TEST_F(SheetDialog, AWrongAddressKeepsThePageOpenWithTheFocusOnIt) {
    Open()
        .Check(kBcAddressDontCare, false)
        .SetText(kBcAddress, "")
        .PressOk()
        .Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsOpen());
            EXPECT_EQ(GetFocus(), shown.Control(kBcAddress));
        })
        .SetText(kBcAddress, "nosuchsymbol")
        .PressOk()
        .Do([](UiDialog& shown) { EXPECT_TRUE(shown.IsOpen()); })
        .SetText(kBcAddress, "10000")
        .PressOk()
        .Do([](UiDialog& shown) { EXPECT_TRUE(shown.IsOpen()) << "above the device's top address"; })
        .PressCancel();
    EXPECT_EQ(Run(), IDCANCEL);
    std::vector<std::string> boxes;
    for (const platform::MessageBoxRequest& box : ui_.MessageBoxes()) {
        boxes.push_back(box.text);
    }
    ASSERT_GE(boxes.size(), 3u);
    EXPECT_EQ(boxes[0], "Syntax error");
    EXPECT_EQ(boxes[1], "Invalid value or symbol: nosuchsymbol");
}

TEST_F(SheetDialog, AccessDataIsCheckedAgainstItsSize) {
    sheet_.page1.addressDontCare = 0;
    sheet_.page1.addressKind = 0;
    sheet_.page1.dataDontCare = 0;
    sheet_.page1.address = 0x900;
    Open()
        .Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsEnabled(kBcValue));
            EXPECT_TRUE(shown.IsEnabled(kBcDataHigh));
            EXPECT_TRUE(shown.IsEnabled(kBcDirectionWrite));
        })
        .SetText(kBcValue, "100")
        .PressOk()
        .Do([](UiDialog& shown) { EXPECT_TRUE(shown.IsOpen()) << "256 is no byte"; })
        .Pick(kBcDataWord)
        .Pick(kBcDirectionRead)
        .PressOk();
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(std::string(sheet_.GetConditionText()), "A=H'00000900 WD=H'100 R  ");
}

TEST_F(SheetDialog, BothDontCaresWithEitherDirectionResetThePage) {
    sheet_.page1.addressDontCare = 0;
    sheet_.page1.address = 0x900;
    Open().Check(kBcAddressDontCare, true).PressOk();
    EXPECT_EQ(Run(), IDOK);
    EXPECT_EQ(std::string(sheet_.page1.GetConditionText()), "");
    EXPECT_EQ(std::string(sheet_.GetConditionText()), "None");
    EXPECT_EQ(std::string(sheet_.GetCommandText()), "None");
    EXPECT_EQ(sheet_.page1.addressKind, 1) << "reset";
    bool invalid = false;
    for (const platform::MessageBoxRequest& box : ui_.MessageBoxes()) {
        invalid = invalid || box.text == "Invalid condition!";
    }
    EXPECT_TRUE(invalid) << "OK on a sheet without a condition";
}

TEST_F(SheetDialog, TheValueTextTakesAtMost128Characters) {
    sheet_.page1.addressDontCare = 0;
    sheet_.page1.addressKind = 0;
    sheet_.page1.dataDontCare = 0;
    Open()
        .SetText(kBcValue, std::string(200, '1'))
        .Do([](UiDialog& shown) { EXPECT_EQ(shown.Text(kBcValue).size(), 128u); })
        .PressCancel();
    EXPECT_EQ(Run(), IDCANCEL);
}

TEST_F(BreakConditionSheet, TheDataBreakPageOffersAnAccessWhileChannel4IsFree) {
    UseDevice(1, 1, 4);
    CSetBc sheet("Break condition 3");
    ui_.OnDialog(kSetBcAddressPage)
        .Check(kBcAddressDontCare, false)
        .Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsEnabled(kBcAddressKind));
            EXPECT_FALSE(shown.IsEnabled(kBcMaskList)) << "program fetch chosen";
        })
        .Pick(kBcAddressKind)
        .Check(kBcDataDontCare, false)
        .Do([](UiDialog& shown) {
            EXPECT_TRUE(shown.IsEnabled(kBcMaskList));
            EXPECT_TRUE(shown.IsEnabled(kBcValue));
            EXPECT_FALSE(shown.IsEnabled(kBcDataWord)) << "the size stays a byte";
            EXPECT_TRUE(shown.IsEnabled(kBcDirectionWrite));
        })
        .SetText(kBcAddress, "9FD")
        .SetText(kBcValue, "C0")
        .Pick(kBcDirectionWrite)
        .PressOk();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(std::string(sheet.GetConditionText()), "A=H'000009FD LBD=H'C0 W  ");
    Working(3).enable = 1;
    ui_.OnDialog(kSetBcAddressPage)
        .Do([](UiDialog& shown) { EXPECT_FALSE(shown.IsEnabled(kBcAddressKind)); })
        .PressCancel();
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
}

TEST_F(BreakConditionSheet, TheCountPageChecksItsRange) {
    CSetBc4 page;
    CPropertySheet sheet("Count");
    sheet.AddPage(&page);
    ui_.OnDialog(kSetBcCountPage)
        .Do([](UiDialog& shown) {
            EXPECT_EQ(shown.Text(kBcCount), "D'1");
            EXPECT_FALSE(shown.IsEnabled(kBcCount));
        })
        .Check(kBcCountDontCare, false)
        .SetText(kBcCount, "1000")
        .PressOk()
        .Do([](UiDialog& shown) { EXPECT_TRUE(shown.IsOpen()) << "H'1000 is above H'FFF"; })
        .SetText(kBcCount, "D'20")
        .PressOk();
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(page.value, 20u);
    EXPECT_EQ(std::string(page.GetConditionText()), "COUNT=14");
}

}  // namespace
}  // namespace eventstest
