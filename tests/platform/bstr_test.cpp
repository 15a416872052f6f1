#include "platform/bstr.h"

#include "tests/platform/code_page_scope.h"
#include "tests/platform/com_fakes.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

using namespace std::string_literals;

TEST(AnsiBstr, ConvertsThroughTheAnsiCodePageBothWays) {
    struct Case {
        UINT codePage;
        std::string ansi;
        std::u16string wide;
    };
    const Case cases[] = {
        {1252, "", u""},
        {1252, "plain", u"plain"},
        {1252, "caf\xE9 \x80", u"caf\u00E9 \u20AC"},
        {1252, "a\0b"s, u"a\0b"s},  // embedded NULs are kept
        {1252, "\x83\x5C", u"\u0192\\"},
        {932, "\x83\x5C|\x83\x7C", u"\u30BD|\u30DD"},
        {932, "C:\\\x95\x5C\\x", u"C:\\\u8868\\x"},  // a trail byte equal to '\\' among real ones
    };
    for (const Case& c : cases) {
        AnsiCodePageScope scope(c.codePage);
        OwnedBstr text(platform::AllocBstr(c.ansi));
        ASSERT_NE(nullptr, text);
        EXPECT_EQ(c.wide, TextOf(text.get()));
        EXPECT_EQ(c.wide, platform::BstrToWide(text.get()));
        EXPECT_EQ(c.ansi, platform::BstrToAnsi(text.get()));
    }
}

TEST(AnsiBstr, NullIsTheEmptyTextAndUnmappableCharactersBecomeQuestionMarks) {
    EXPECT_EQ("", platform::BstrToAnsi(nullptr));
    EXPECT_EQ(u"", platform::BstrToWide(nullptr));
    OwnedBstr text(SysAllocString(OLESTR("x\u3042y")));
    EXPECT_EQ("x?y", platform::BstrToAnsi(text.get()));
}

TEST(BstrHolder, OwnsACopyOfAWideText) {
    const OLECHAR source[] = OLESTR("wide");
    platform::Bstr text(source);
    EXPECT_NE(source, text.Get());
    EXPECT_EQ(u"wide", TextOf(text.Get()));
    EXPECT_EQ(4u, text.Length());
    EXPECT_EQ("wide", text.Ansi());

    const platform::Bstr none(static_cast<const OLECHAR*>(nullptr));
    EXPECT_EQ(nullptr, none.Get());
    EXPECT_EQ(0u, none.Length());
    EXPECT_EQ("", none.Ansi());
}

TEST(BstrHolder, ConvertsAnAnsiText) {
    AnsiCodePageScope japanese(932);
    const platform::Bstr text(std::string_view("\x83\x5C"));
    EXPECT_EQ(1u, text.Length());
    EXPECT_EQ(u"\u30BD", TextOf(text.Get()));
    EXPECT_EQ("\x83\x5C", text.Ansi());
}

// Out frees the held text first, so a holder can be filled again and again
// (the sanitizer run shows a leak otherwise).
TEST(BstrHolder, OutFreesTheHeldTextAndReceivesANewOne) {
    platform::Bstr text(std::string_view("first"));
    BSTR* slot = text.Out();
    EXPECT_EQ(nullptr, *slot);
    EXPECT_EQ(nullptr, text.Get());
    *slot = SysAllocString(OLESTR("second"));
    EXPECT_EQ("second", text.Ansi());
    *text.Out() = SysAllocString(OLESTR("third"));
    EXPECT_EQ("third", text.Ansi());
}

TEST(BstrHolder, DetachHandsOverOwnership) {
    platform::Bstr text(std::string_view("kept"));
    const BSTR held = text.Get();
    OwnedBstr detached(text.Detach());
    EXPECT_EQ(held, detached.get());
    EXPECT_EQ(nullptr, text.Get());
    EXPECT_EQ(nullptr, text.Detach());
}

TEST(BstrHolder, MovesTransferTheTextAndFreeTheOldOne) {
    platform::Bstr first(std::string_view("first"));
    const BSTR held = first.Get();
    platform::Bstr moved(std::move(first));
    EXPECT_EQ(held, moved.Get());
    EXPECT_EQ(nullptr, first.Get());  // a moved-from holder is empty

    platform::Bstr other(std::string_view("other"));
    other = std::move(moved);  // frees "other"
    EXPECT_EQ(held, other.Get());
    EXPECT_EQ(nullptr, moved.Get());

    platform::Bstr& alias = other;
    other = std::move(alias);
    EXPECT_EQ(held, other.Get());
    EXPECT_EQ("first", other.Ansi());
}

TEST(AnsiBstr, AnAllocationFaultFailsAllocationsAfterItsAllowance) {
    {
        const platform::BstrAllocationFault fault(2);
        platform::Bstr first("a");
        platform::Bstr second("b");
        EXPECT_THROW(platform::AllocBstr("c"), platform::ComError);
        try {
            platform::AllocBstr("d");
            ADD_FAILURE() << "the fault stays until it goes";
        } catch (const platform::ComError& error) {
            EXPECT_EQ(error.Error(), E_OUTOFMEMORY);
        }
    }
    platform::Bstr after("e");
    EXPECT_EQ(after.Ansi(), "e");
}

}  // namespace
