// The break-condition provider over the simulated host: its three lists'
// header, the channel rows, states, enabling and removing over the channel
// table, the channel's one-page sheet, and list 2 without an event engine.
#include "events/break_condition_provider.h"
#include "frame/error_codes.h"
#include "res/resource_ids.h"
#include "tests/events/events_fixture.h"
#include "tests/support/test_ui.h"

#include "platform/bstr.h"
#include "platform/host/ids.h"

#include <string>
#include <utility>
#include <vector>

namespace eventstest {
namespace {

using namespace res_id;
using platform::UiDialog;

class Provider : public EventsTest {
protected:
    Provider() { host_.AddressRange().SetRange(std::pair<DWORD, DWORD>{0, 0xFFFF}); }

    std::string Row(LONG list, LONG index) {
        CEventItemInfo* row = nullptr;
        const HRESULT result = provider_.GetItemText(list, index, &row);
        if (result != S_OK || row == nullptr) {
            return "none";
        }
        char value[16];
        std::snprintf(value, sizeof(value), "%X", static_cast<unsigned>(row->value));
        return std::to_string(row->number) + "|" + platform::BstrToAnsi(row->kindText) + "|" +
               std::to_string(row->state) + "|" + std::to_string(row->kindCode) + "|" + value + "|" +
               std::to_string(row->number8) + "|" + platform::BstrToAnsi(row->conditionText) + "|" +
               platform::BstrToAnsi(row->actionText);
    }
    DWORD State(LONG list, LONG index) {
        DWORD state = 0;
        EXPECT_EQ(provider_.GetItemState(list, index, &state), S_OK);
        return state;
    }
    std::size_t Applies() const { return log_.Find("QueryExecuting").size(); }
    // The person types address into the page of the sheet for channel n.
    HRESULT EditTo(LONG n, const std::string& address) {
        ui_.OnDialog(kSetBcAddressPage)
            .Check(kBcAddressDontCare, false)
            .SetText(kBcAddress, address)
            .PressOk();
        return provider_.EditItem(1, n);
    }

    testsupport::TestUi ui_;
    CBreakConditionProvider provider_{&host_};
    CBreakConditionTable table_{&host_};
};

TEST_F(Provider, NamesThreeListsAndGivesIdsToTheFirstTwo) {
    platform::Bstr header;
    EXPECT_EQ(provider_.GetListKinds(header.Out()), S_OK);
    EXPECT_EQ(header.Ansi(), "Breakpoint\tBreakcondition\tEventcondition");
    EXPECT_TRUE(provider_.IsListRegistered(0));
    EXPECT_TRUE(provider_.IsListRegistered(1));
    EXPECT_FALSE(provider_.IsListRegistered(2));
}

TEST_F(Provider, ChannelRowsStatesEnablingAndRemoving) {
    EXPECT_EQ(Row(1, 0), "0|Break condition|2|0|0|0|None|Break");
    EXPECT_EQ(Row(1, 2), "none") << "the device has two channels";
    EXPECT_EQ(Row(1, -1), "none");
    EXPECT_EQ(State(1, -1), 2u);
    ASSERT_EQ(table_.SetChannel(1, 0xC010), 1u);
    ClearEchoes();
    EXPECT_EQ(Row(1, 1), "1|Break condition|1|6|C010|0|pcbefore|Break");
    EXPECT_EQ(State(1, 1), 122u);
    EXPECT_EQ(State(1, 0), 2u);
    EXPECT_EQ(State(1, -1), 32u);
    EXPECT_EQ(State(1, 7), 2u);

    // Every set channel, one echo each, one apply for them all.
    const std::size_t applies = Applies();
    EXPECT_EQ(provider_.EnableItem(1, -1, 0), S_OK);
    EXPECT_EQ(Echoes(), (std::vector<std::string>{"breakcondition_enable disable channel 2"}));
    EXPECT_EQ(Applies(), applies + 1);
    EXPECT_EQ(State(1, 1), 118u);
    EXPECT_EQ(Row(1, 1), "1|Break condition|2|6|C010|0|pcbefore|Break");
    EXPECT_EQ(provider_.EnableItem(1, 1, 1), S_OK);
    EXPECT_EQ(State(1, 1), 122u);

    // Past the channels: nothing, 0.
    ClearEchoes();
    for (const LONG index : {2L, 9L, -2L}) {
        EXPECT_EQ(provider_.EnableItem(1, index, 0), S_OK) << index;
        EXPECT_EQ(provider_.RemoveItem(1, index), S_OK) << index;
    }
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(Applies(), applies + 2);

    EXPECT_EQ(provider_.RemoveItem(1, 1), S_OK);
    EXPECT_EQ(Echoes(), (std::vector<std::string>{"breakcondition_clear channel 2"}));
    EXPECT_EQ(Row(1, 1), "1|Break condition|2|0|0|0|None|Break");
    EXPECT_EQ(State(1, -1), 2u);
}

TEST_F(Provider, TheEventListWithoutAnEngineHasNoRowsAndNoDialog) {
    WORD out = 7;
    for (const LONG list : {2L, 3L, -1L}) {
        EXPECT_EQ(Row(list, 0), "none") << list;
        EXPECT_EQ(provider_.EnableItem(list, 0, 1), TE_NOT_AVAILABLE) << list;
        EXPECT_EQ(provider_.RemoveItem(list, 0), TE_NOT_AVAILABLE) << list;
        EXPECT_EQ(provider_.ListOperation7(static_cast<DWORD>(list), 0), TE_NOT_AVAILABLE) << list;
        EXPECT_EQ(provider_.ListOperation8(list, 0), TE_NOT_AVAILABLE) << list;
        EXPECT_EQ(State(list, 0), 2u) << list;
        EXPECT_EQ(provider_.ListOperation10(list, 0, 0, &out), S_OK);
        EXPECT_EQ(out, 0);
        out = 7;
        EXPECT_EQ(provider_.EditItem(list, 0), 1) << "the UI driver would report a dialog";
    }
}

TEST_F(Provider, TheSheetSetsMovesOrFreesItsChannel) {
    ASSERT_EQ(table_.SetChannel(0, 0xC000), 1u);
    EXPECT_EQ(EditTo(1, "H'C010"), S_OK);
    EXPECT_EQ(Row(1, 1), "1|Break condition|1|6|C010|0|pcbefore|Break");

    // Another channel's address: refused, nothing changed.
    EXPECT_EQ(EditTo(1, "H'C000"), 1);
    EXPECT_EQ(Row(1, 1), "1|Break condition|1|6|C010|0|pcbefore|Break");
    // A text that does not evaluate inside the range keeps the page open,
    // the address focused, without a message.
    for (const char* text : {"H'10000", "nowhere"}) {
        ui_.OnDialog(kSetBcAddressPage)
            .SetText(kBcAddress, text)
            .PressOk()
            .Do([](UiDialog& page) {
                EXPECT_TRUE(page.IsOpen());
                EXPECT_EQ(GetFocus(), page.Control(kBcAddress));
            })
            .PressCancel();
        EXPECT_EQ(provider_.EditItem(1, 1), S_OK) << text;
    }
    EXPECT_TRUE(ui_.MessageBoxes().empty());
    EXPECT_EQ(Row(1, 1), "1|Break condition|1|6|C010|0|pcbefore|Break");

    // The same address on its own channel is accepted.
    EXPECT_EQ(EditTo(0, "H'C000"), S_OK);
    EXPECT_EQ(Row(1, 0), "0|Break condition|1|6|C000|0|pcbefore|Break");

    // Cancel changes nothing; "Don't care" frees the channel.
    ui_.OnDialog(kSetBcAddressPage).SetText(kBcAddress, "H'C004").PressCancel();
    EXPECT_EQ(provider_.EditItem(1, 0), S_OK);
    EXPECT_EQ(Row(1, 0), "0|Break condition|1|6|C000|0|pcbefore|Break");
    ui_.OnDialog(kSetBcAddressPage).Check(kBcAddressDontCare).PressOk();
    EXPECT_EQ(provider_.EditItem(1, 0), S_OK);
    EXPECT_EQ(Row(1, 0), "0|Break condition|2|0|0|0|None|Break");

    EXPECT_EQ(provider_.EditItem(1, 2), TE_INVALID_INDEX);
    EXPECT_EQ(provider_.EditItem(1, -1), TE_INVALID_INDEX);
}

TEST_F(Provider, AnAddressHeldElsewhereIsReportedToTheHost) {
    ASSERT_EQ(table_.SetChannel(0, 0xC000), 1u);
    ClearEchoes();
    EXPECT_EQ(EditTo(1, "H'C000"), 1);
    EXPECT_EQ(Errors(), (std::vector<std::string>{"Invalid event address."}));
    EXPECT_TRUE(Echoes().empty());
    EXPECT_EQ(Row(1, 1), "1|Break condition|2|0|0|0|None|Break");
}

TEST_F(Provider, ThePageOpenedForAnAddressOffersOnlyTheAddress) {
    ASSERT_EQ(table_.SetChannel(1, 0xC010), 1u);
    ui_.OnDialog("Break condition 2")
        .Do([](UiDialog& page) {
            EXPECT_EQ(page.CheckState(kBcAddressDontCare), 0);
            EXPECT_EQ(page.CheckState(kBcProgramFetched), 1);
            EXPECT_EQ(page.Text(kBcAddress), "C010") << "the host's range ends at FFFF: four digits";
            EXPECT_TRUE(page.IsEnabled(kBcProgramFetched));
            EXPECT_TRUE(page.IsEnabled(kBcAddress));
            for (const int id : {kBcAddressKind, kBcMaskList, kBcDataDontCare, kBcValue, kBcDataSize, kBcDataHigh,
                                 kBcDataWord, kBcDirection, kBcDirectionRead, kBcDirectionWrite}) {
                EXPECT_FALSE(page.IsEnabled(id)) << id;
            }
            EXPECT_EQ(page.Control(ID_APPLY_NOW), nullptr) << "no Apply button";
        })
        .Check(kBcAddressDontCare)
        .Do([](UiDialog& page) {
            EXPECT_FALSE(page.IsEnabled(kBcAddress));
            EXPECT_FALSE(page.IsEnabled(kBcProgramFetched));
        })
        .PressCancel();
    EXPECT_EQ(provider_.EditItem(1, 1), S_OK);
    ui_.OnDialog("Break condition 1")
        .Do([](UiDialog& page) {
            EXPECT_EQ(page.CheckState(kBcAddressDontCare), 1);
            EXPECT_FALSE(page.IsEnabled(kBcAddress));
        })
        .PressCancel();
    EXPECT_EQ(provider_.EditItem(1, 0), S_OK);
}

TEST_F(Provider, MissingServicesSkipTheirSteps) {
    ASSERT_EQ(table_.SetChannel(1, 0xC010), 1u);
    host_.OfferService(IID_IHExpressionEvaluator, nullptr);
    host_.OfferService(IID_IHAddressRange, nullptr);
    host_.OfferService(IID_IHExecutionService, nullptr);
    // No evaluator: the page keeps the address it was given; no range: the
    // address shows in six digits.
    ui_.OnDialog(kSetBcAddressPage)
        .Do([](UiDialog& page) { EXPECT_EQ(page.Text(kBcAddress), "00C010"); })
        .SetText(kBcAddress, "H'C020")
        .PressOk();
    const std::size_t applies = Applies();
    EXPECT_EQ(provider_.EditItem(1, 1), S_OK);
    EXPECT_EQ(Row(1, 1), "1|Break condition|1|6|C010|0|pcbefore|Break");
    EXPECT_EQ(Applies(), applies) << "no state service to ask";
    // No state service: the events are not edited.
    EXPECT_EQ(provider_.EditItem(2, 0), 1);
}

}  // namespace
}  // namespace eventstest
