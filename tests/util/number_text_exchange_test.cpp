// The number-text exchange, driven through a dialog as a person would fill
// it in, with the simulated host's expression evaluator behind the target.
#include "frame/number_text_exchange.h"

#include "sim/host/sim_host.h"
#include "target/target_vk3.h"
#include "tests/support/test_ui.h"
#include "tests/util/test_resources.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace utiltest;
using testsupport::TestUi;

// Reads its value and ID code fields as the plug-in's dialogs do (the text,
// then the check), and its number field through the host.
class NumberDialog : public CDialog {
public:
    NumberDialog() : CDialog(kNumberDialog) {}

    CString valueText;
    DWORD value = 7;
    DWORD maximum = 0xFF;
    CString idText;
    DWORD high = 1;
    DWORD low = 2;
    DWORD number = 0x1F;
    WORD radix = 16;
    int width = 8;

protected:
    void DoDataExchange(CDataExchange* exchange) override {
        DDX_Text(exchange, kValue, valueText);
        if (exchange->m_bSaveAndValidate) {
            ParseNumberText(exchange, kValue, valueText, value, 0, maximum, 0, 0);
        }
        DDX_Text(exchange, kIdCode, idText);
        if (exchange->m_bSaveAndValidate) {
            ParseHexOrSymbol(exchange, kIdCode, idText, high, low);
        }
        DDX_NumberText(exchange, kNumber, number, radix, width);
    }
};

class NumberTextExchange : public ::testing::Test {
protected:
    // The host alone (CTarget's attach): the target's own attach would make
    // the resource module the resources, in place of the test program's.
    void SetUp() override {
        host.Evaluator().DefineSymbol("main", 0x1234);
        GetTarget()->CTarget::Attach(&host, 1);
    }
    void TearDown() override { GetTarget()->CTarget::Detach(1); }

    simhost::CallLog log;
    simhost::HostServiceProvider host{log};
    TestUi ui;
    NumberDialog dialog;
};

TEST_F(NumberTextExchange, ValidTextsAreExchanged) {
    ui.OnDialog(kNumberDialog)
        .SetText(kValue, "  h'ff")
        .SetText(kIdCode, "H'0123456789abcd")
        .SetText(kNumber, "main + 2")
        .PressOk();
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.value, 255u);
    EXPECT_EQ(dialog.high, 0x012345u);
    EXPECT_EQ(dialog.low, 0x6789ABCDu);
    EXPECT_EQ(dialog.number, 0x1236u);
    EXPECT_TRUE(ui.MessageBoxes().empty());
    ASSERT_EQ(ui.Dialogs().size(), 1u);
    EXPECT_EQ(ui.Dialogs()[0].Find(kNumber)->text, "H'0000001F");  // as loaded
}

// An invalid text says why, keeps the dialog open with its field focused, and
// leaves the value as it was; the person corrects it.
TEST_F(NumberTextExchange, AnInvalidTextIsRefusedWithItsWorkingText) {
    struct Case {
        int field;
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {kValue, "H'100", "Invalid value or symbol: 100"},   // above the maximum
        {kValue, " h'1*", "Invalid value or symbol: 1*"},    // a wildcard digit
        {kValue, "-d'-5", "Invalid value or symbol: -5"},
        {kIdCode, "h'0123456789abc", "Invalid value or symbol: 0123456789ABC"},  // 13 digits
        {kIdCode, "0123456789ABC-", "Invalid value or symbol: 0123456789ABC-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TestUi person;
        NumberDialog numbers;
        person.OnDialog(kNumberDialog)
            .SetText(kValue, "1")
            .SetText(kIdCode, "00000000000000")
            .SetText(c.field, c.text)
            .PressOk()
            .Do([&numbers, &c](platform::UiDialog& shown) {
                EXPECT_TRUE(shown.IsOpen());
                EXPECT_EQ(GetFocus(), shown.Control(c.field));
                // The refused field's value is untouched (fields before it
                // are stored).
                if (c.field == kValue) {
                    EXPECT_EQ(numbers.value, 7u);
                }
                EXPECT_EQ(numbers.high, 1u);
                EXPECT_EQ(numbers.low, 2u);
            })
            .SetText(c.field, c.field == kValue ? "H'20" : "FFFFFF00000001")
            .PressOk();
        ASSERT_EQ(numbers.DoModal(), IDOK);
        const auto boxes = person.MessageBoxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.message);
        EXPECT_EQ(boxes[0].Icon(), MB_ICONEXCLAMATION);
        EXPECT_EQ(boxes[0].Buttons(), MB_OK);
        if (c.field == kValue) {
            EXPECT_EQ(numbers.value, 0x20u);
        } else {
            EXPECT_EQ(numbers.high, 0xFFFFFFu);
            EXPECT_EQ(numbers.low, 1u);
        }
    }
}

TEST_F(NumberTextExchange, ATextTheHostCannotEvaluateFailsWithoutAMessage) {
    ui.OnDialog(kNumberDialog)
        .SetText(kValue, "1")
        .SetText(kIdCode, "00000000000000")
        .SetText(kNumber, "no_such_symbol")
        .PressOk()
        .Do([this](platform::UiDialog& shown) {
            EXPECT_TRUE(shown.IsOpen());
            EXPECT_EQ(GetFocus(), shown.Control(kNumber));
            EXPECT_EQ(dialog.number, 0x1Fu);
        })
        .SetText(kNumber, "   ")  // blank: not even asked
        .PressOk()
        .Do([](platform::UiDialog& shown) { EXPECT_TRUE(shown.IsOpen()); })
        .SetText(kNumber, "H'20")
        .PressOk();
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.number, 0x20u);
    EXPECT_TRUE(ui.MessageBoxes().empty());
}

// Loading writes the radix's prefix and digits; the host reads them back.
TEST_F(NumberTextExchange, LoadingWritesTheRadixPrefixThatTheHostReadsBack) {
    struct Case {
        WORD radix;
        DWORD value;
        int width;
        const char* text;
    };
    const Case cases[] = {
        {2, 5, 8, "B'00000101"},
        {8, 8, 0, "O'10"},
        {10, 1234, 6, "D'001234"},
        {16, 0xBEEF, 0, "H'BEEF"},
        {7, 0x1F, 4, "H'001F"},  // any other radix: hexadecimal
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TestUi person;
        NumberDialog numbers;
        numbers.number = c.value;
        numbers.radix = c.radix;
        numbers.width = c.width;
        person.OnDialog(kNumberDialog)
            .SetText(kValue, "1")
            .SetText(kIdCode, "00000000000000")
            .Do([&c, &numbers](platform::UiDialog& shown) {
                EXPECT_EQ(shown.Text(kNumber), c.text);
                numbers.number = 0;  // what OK stores comes from the text alone
            })
            .PressOk();
        ASSERT_EQ(numbers.DoModal(), IDOK);
        EXPECT_EQ(numbers.number, c.value);
    }
}

}  // namespace
