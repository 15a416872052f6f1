#include "util/string_join.h"

#include "util/string_split.h"
#include "tests/util/list_helpers.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using test_lists::Fill;
using test_lists::Items;
using test_lists::Texts;

std::string Bytes(const MultiString& multi) {
    return std::string(multi.begin(), multi.end());
}

TEST(JoinStringList, SeparatorsOnlyBetweenItems) {
    CStringList empty;
    EXPECT_EQ(JoinStringList(empty, '|'), "");
    CStringList single;
    Fill(single, {""});
    EXPECT_EQ(JoinStringList(single, '|'), "");
    CStringList list;
    Fill(list, {"a", "b"});
    EXPECT_EQ(JoinStringList(list, '|'), "a|b");
    EXPECT_EQ(JoinStringList(list, ':'), "a:b");
    EXPECT_EQ(JoinStringListWithText(list, ", "), "a, b");
    EXPECT_STREQ(JoinStringListBuffered(list, ';', 4)->GetText(), "a;b");

    CStringList back;
    SplitToStringList(JoinStringList(list, '|'), back, '|');
    EXPECT_EQ(Items(back), Items(list));
}

TEST(JoinEscaped, RoundTripsThroughSplitEscaped) {
    CStringList list;
    Fill(list, {"a|b", "c\\", "", "d"});
    const CString joined = JoinEscaped(list, '|', '\\');
    EXPECT_EQ(joined, "a\\|b|c\\\\||d");
    CStringList back;
    SplitEscaped(joined, back, '|', '\\');
    EXPECT_EQ(Items(back), Items(list));
}

TEST(JoinTexts, TwoTextsAndIntegers) {
    EXPECT_EQ(JoinTwoTexts("a", "b", ':'), "a:b");
    EXPECT_EQ(JoinTwoTexts("a", nullptr, ':'), "");
    CIntList numbers;
    numbers.AddTail(1);
    numbers.AddTail(-2);
    EXPECT_EQ(IntListToText(numbers), "1|-2");
}

TEST(MultiStrings, FromListsArraysAndMaps) {
    CStringList empty;
    EXPECT_EQ(Bytes(ListToMultiString(empty)), std::string(1, '\0'));
    CStringList list;
    Fill(list, {"a", "bc"});
    EXPECT_EQ(Bytes(ListToMultiString(list)), std::string("a\0bc\0\0", 6));
    CStringArray array;
    array.Add("x");
    EXPECT_EQ(Bytes(ArrayToMultiString(array)), std::string("x\0\0", 3));

    CStringList second;
    Fill(second, {"z"});
    CStringListPtrList lists;
    lists.AddTail(&list);
    lists.AddTail(&second);
    EXPECT_EQ(Bytes(ListsToMultiString(lists)), std::string("a\0bc\0\0z\0\0\0", 10));

    CMapStringToString map;
    map.SetAt("k", "v");
    EXPECT_EQ(Bytes(MapToMultiString(map, '=')), std::string("k=v\0\0", 5));
    EXPECT_EQ(MapToConcatenatedText(map), "kv");
}

TEST(BuildFileFilter, NamesWithLowerCasedExtensions) {
    CStringList names;
    Fill(names, {"Object", "Unknown"});
    CStringList extensions;
    Fill(extensions, {"MOT", "hex"});
    CStringListMap map;
    map.SetAt("Object", &extensions);
    EXPECT_EQ(BuildFileFilter(names, map), "All Files (*.*)|*.*|Object (*.mot; *.hex)|*.mot;*.hex||");
    CStringList none;
    EXPECT_EQ(BuildFileFilter(none, map), "All Files (*.*)|*.*||");
}

}  // namespace
