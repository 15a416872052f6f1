#include "util/string_split.h"

#include "tests/platform/code_page_scope.h"
#include "tests/util/list_helpers.h"

#include <gtest/gtest.h>

namespace {

using test_lists::Items;
using test_lists::Texts;

// In 932, "\x83\x7C" is one character whose trail byte is '|', and "\x95\x5C"
// one whose trail byte is '\\'.
constexpr const char* kPo = "\x83\x7C";
constexpr const char* kTable = "\x95\x5C";

TEST(SplitToStringList, KeepsEmptyPartsAndCountsThem) {
    struct Case {
        const char* text;
        int parts;
        Texts items;
    };
    const Case cases[] = {
        {"a||b", 3, {"a", "", "b"}},
        {"a|", 2, {"a", ""}},
        {"|", 2, {"", ""}},
        {"abc", 1, {"abc"}},
        {"", 0, {}},
        {nullptr, 0, {}},
    };
    for (const Case& c : cases) {
        CStringList list;
        EXPECT_EQ(SplitToStringList(c.text, list, '|'), c.parts) << (c.text ? c.text : "(null)");
        EXPECT_EQ(Items(list), c.items) << (c.text ? c.text : "(null)");
    }
    CStringList colons;
    colons.AddTail("kept");
    EXPECT_EQ(SplitToStringList("x:y", colons, ':'), 2);
    EXPECT_EQ(Items(colons), (Texts{"kept", "x", "y"}));  // appended
}

TEST(SplitToStringList, TrailBytesNeverSplit) {
    AnsiCodePageScope scope(932);
    const std::string text = std::string(kPo) + "|x" + kPo;
    CStringList list;
    EXPECT_EQ(SplitToStringList(text.c_str(), list, '|'), 2);
    EXPECT_EQ(Items(list), (Texts{kPo, std::string("x") + kPo}));

    CStringList escaped;
    const std::string path = std::string(kTable) + "\\|b";
    EXPECT_EQ(SplitEscaped(path.c_str(), escaped, '|', '\\'), 1);  // the escape after the trail byte
    EXPECT_EQ(Items(escaped), (Texts{std::string(kTable) + "|b"}));
}

TEST(SplitToStringList, MaxPartsKeepTheRestWhole) {
    struct Case {
        int max;
        Texts items;
    };
    const Case cases[] = {
        {3, {"a", "b", "c|d"}},
        {2, {"a", "b|c|d"}},
        {1, {"a|b|c|d"}},
        {0, {"a|b|c|d"}},
        {9, {"a", "b", "c", "d"}},
    };
    for (const Case& c : cases) {
        CStringList list;
        EXPECT_EQ(SplitToStringListMax("a|b|c|d", list, '|', c.max), static_cast<int>(c.items.size())) << c.max;
        EXPECT_EQ(Items(list), c.items) << c.max;
    }
}

TEST(SplitAtWhitespace, DropsEmptyPartsButTheLast) {
    CStringList list;
    EXPECT_EQ(SplitAtWhitespace("a  b ", list), 3);
    EXPECT_EQ(Items(list), (Texts{"a", "b", ""}));
    CStringArray array;
    EXPECT_EQ(SplitAtWhitespaceToArray(" x\ty", array), 2);
    EXPECT_EQ(Items(array), (Texts{"x", "y"}));
}

TEST(SplitEscaped, EscapesOnlyTheSeparatorAndItself) {
    struct Case {
        const char* text;
        Texts items;
    };
    const Case cases[] = {
        {"a\\|b|c", {"a|b", "c"}},
        {"a\\\\|b", {"a\\", "b"}},
        {"a\\x|b", {"a\\x", "b"}},
        {"a\\", {"a\\"}},
    };
    for (const Case& c : cases) {
        CStringList list;
        SplitEscaped(c.text, list, '|', '\\');
        EXPECT_EQ(Items(list), c.items) << c.text;
    }
}

TEST(SplitToStringArray, SizesTheArrayToTheParts) {
    CStringArray array;
    array.Add("old");
    EXPECT_EQ(SplitToStringArray("a|b", array, '|'), 2);
    EXPECT_EQ(Items(array), (Texts{"a", "b"}));
    EXPECT_EQ(SplitToStringArrayMax("a|b|c", array, '|', 2), 2);
    EXPECT_EQ(Items(array), (Texts{"a", "b|c"}));
    EXPECT_EQ(SplitEscapedToArray("x\\|y", array, '|', '\\'), 1);
    EXPECT_EQ(Items(array), (Texts{"x|y"}));
}

TEST(MultiStrings, ReadUntilTheEmptyText) {
    const char multi[] = "one\0two\0\0ignored";
    CStringList list;
    EXPECT_EQ(MultiStringToList(multi, list), 2);
    EXPECT_EQ(Items(list), (Texts{"one", "two"}));
    EXPECT_EQ(CountMultiStringItems(multi), 2);
    EXPECT_EQ(CountMultiStringItems(""), 0);
    EXPECT_EQ(CountMultiStringItems(nullptr), -1);
    EXPECT_EQ(MultiStringToList(nullptr, list), -1);
    CStringArray array;
    EXPECT_EQ(MultiStringToArray(multi, array), 2);
}

TEST(SplitAtText, SplitsAtEveryOccurrence) {
    CStringList list;
    list.AddTail("old");
    SplitAtText("a--b--c", "--", list);
    EXPECT_EQ(Items(list), (Texts{"a", "b", "c"}));
    SplitAtText("--", "--", list);
    EXPECT_EQ(Items(list), (Texts{"", ""}));
    SplitAtText("abc", "", list);
    EXPECT_EQ(Items(list), (Texts{"abc"}));
    SplitAtText("", "-", list);
    EXPECT_TRUE(list.IsEmpty());

    CString left = "L";
    CString right = "R";
    SplitAtFirstText("key=value=x", "=", left, right);
    EXPECT_EQ(left, "key");
    EXPECT_EQ(right, "value=x");
    SplitAtFirstText("novalue", "=", left, right);
    EXPECT_EQ(left, "key");  // unchanged

    SplitAtIndex("abc", 1, left, right);
    EXPECT_EQ(left, "a");
    EXPECT_EQ(right, "c");
    SplitAtIndex("abc", -1, left, right);
    EXPECT_EQ(left, "a");
    SplitAtIndex("abc", 7, left, right);
    EXPECT_EQ(left, "abc");
    EXPECT_EQ(right, "");
}

TEST(TextToIntList, ReadsEveryPartWithAtoi) {
    CIntList list;
    list.AddTail(99);
    TextToIntList("1|x|-3", list);
    std::vector<int> values;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        values.push_back(list.GetNext(position));
    }
    EXPECT_EQ(values, (std::vector<int>{1, 0, -3}));
}

}  // namespace
