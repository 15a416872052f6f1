#include "util/string_lists.h"

#include "tests/util/list_helpers.h"

#include <gtest/gtest.h>

namespace {

using test_lists::Fill;
using test_lists::Items;
using test_lists::Texts;

TEST(StringLists, AddUniqueStringByFlag) {
    CStringList list;
    Fill(list, {"abc"});
    EXPECT_FALSE(AddUniqueString(&list, "ABC", FALSE));
    EXPECT_TRUE(AddUniqueString(&list, "ABC", TRUE));
    EXPECT_FALSE(AddUniqueString(&list, "ABC", TRUE));
    EXPECT_FALSE(AddUniqueString(nullptr, "x", TRUE));
    EXPECT_FALSE(AddUniqueString(&list, nullptr, TRUE));
    EXPECT_EQ(Items(list), (Texts{"abc", "ABC"}));
}

TEST(StringLists, MergeRemoveAndMove) {
    CStringList list;
    Fill(list, {"a", "B"});
    CStringList other;
    Fill(other, {"b", "", "c", "C"});
    EXPECT_TRUE(MergeStringLists(&list, other, FALSE));
    EXPECT_EQ(Items(list), (Texts{"a", "B", "c"}));
    EXPECT_FALSE(MergeStringLists(nullptr, other, FALSE));

    CStringList repeated;
    Fill(repeated, {"x", "X", "y", "x"});
    EXPECT_TRUE(RemoveString(repeated, "x", TRUE, FALSE));
    EXPECT_EQ(Items(repeated), (Texts{"X", "y", "x"}));
    EXPECT_TRUE(RemoveString(repeated, "x", FALSE, TRUE));
    EXPECT_EQ(Items(repeated), (Texts{"y"}));
    EXPECT_FALSE(RemoveString(repeated, "z", TRUE, TRUE));

    CStringList groups;
    Fill(groups, {"a", "A", "b", "a"});
    RemoveDuplicateStrings(groups, FALSE);
    EXPECT_EQ(Items(groups), (Texts{"a", "b"}));

    CStringList texts;
    Fill(texts, {"B"});
    CStringList from;
    Fill(from, {"a", "b", "b"});
    RemoveListedStrings(texts, from, TRUE);  // non-zero: ignoring case
    EXPECT_EQ(Items(from), (Texts{"a", "b"}));

    EXPECT_TRUE(MoveStringToHead(from, "B", FALSE));
    EXPECT_EQ(Items(from), (Texts{"B", "a"}));
    EXPECT_FALSE(MoveStringToHead(from, "z", FALSE));
    EXPECT_EQ(Items(from), (Texts{"B", "a"}));
    EXPECT_TRUE(ContainsString(from, "b", FALSE));
    EXPECT_FALSE(ContainsString(from, "b", TRUE));
}

TEST(StringLists, FindsAndLookups) {
    CStringList list;
    Fill(list, {"", "One", "two"});
    EXPECT_EQ(FindInStringList(list, "two"), 2);
    EXPECT_EQ(FindInStringList(list, "TWO"), -1);
    EXPECT_EQ(list.GetAt(FindNoCase(list, "ONE")), "One");
    EXPECT_EQ(FindStringPosition("", list, FALSE), nullptr);  // empty strings are skipped
    EXPECT_NE(FindStringPosition("", list, TRUE), nullptr);
    const char* const table[] = {"x", "y", nullptr};
    EXPECT_EQ(FindInTextTable(table, "y"), 1);
    EXPECT_EQ(FindInTextTable(table, "z"), -1);
    CStringArray array;
    array.Add("p");
    EXPECT_EQ(FindInStringArray(array, "p"), 0);
    EXPECT_EQ(GetStringArrayItem(array, 0), "p");
    EXPECT_EQ(GetStringArrayItem(array, 1), "");
    EXPECT_EQ(GetStringArrayItem(array, -1), "");

    CStringList keys;
    Fill(keys, {"k1", "k2"});
    CStringList values;
    Fill(values, {"v1", "v2"});
    CString value;
    EXPECT_TRUE(LookupParallel(keys, values, "k2", value));
    EXPECT_EQ(value, "v2");
    values.RemoveTail();
    EXPECT_FALSE(LookupParallel(keys, values, "k1", value));

    CStringList replaced;
    Fill(replaced, {"a", "A", "b"});
    const BOOL exact = FALSE;
    EXPECT_EQ(ReplaceMatchingStrings(replaced, "a", "z", exact), 2);
    EXPECT_EQ(Items(replaced), (Texts{"z", "z", "b"}));
}

TEST(StringLists, CopiesAndDifferences) {
    CStringList a;
    Fill(a, {"x", "Y", "z"});
    CStringList b;
    Fill(b, {"y", "z", "w"});
    CStringList onlyInB;
    CStringList onlyInA;
    DiffStringLists(a, b, onlyInB, onlyInA, FALSE);  // 0: with case
    EXPECT_EQ(Items(onlyInB), (Texts{"y", "w"}));
    EXPECT_EQ(Items(onlyInA), (Texts{"x", "Y"}));
    onlyInA.RemoveAll();
    onlyInB.RemoveAll();
    DiffStringLists(a, b, onlyInB, onlyInA, TRUE);
    EXPECT_EQ(Items(onlyInB), (Texts{"w"}));
    EXPECT_EQ(Items(onlyInA), (Texts{"x"}));

    CStringList missing;
    AddMissingStrings(a, b, missing);
    EXPECT_EQ(Items(missing), (Texts{"x", "Y"}));

    CStringList merged;
    MergeUniqueNoCase(a, b, merged);
    EXPECT_EQ(merged.GetCount(), 4);
    EXPECT_NE(merged.Find("y"), nullptr);  // the later one replaced "Y"
    EXPECT_EQ(merged.Find("Y"), nullptr);

    CStringArray array;
    AppendListToArray(a, array);
    EXPECT_EQ(Items(array), Items(a));
    CStringList copy;
    AppendStringList(copy, a);
    EXPECT_TRUE(SameStringLists(copy, a));
    const char* const table[] = {"t", nullptr};
    TableToStringList(table, copy);
    EXPECT_EQ(copy.GetTail(), "t");
    EXPECT_TRUE(AddStringSafe(&copy, "u"));
    EXPECT_FALSE(AddStringSafe(nullptr, "u"));
}

TEST(StringLists, Comparisons) {
    CStringList a;
    Fill(a, {"a", "b"});
    CStringList b;
    Fill(b, {"b", "a"});
    CStringList upper;
    Fill(upper, {"B", "A"});
    CStringList twice;
    Fill(twice, {"a", "a"});
    EXPECT_FALSE(SameStringLists(a, b));
    EXPECT_TRUE(SameStringSets(a, b));
    EXPECT_FALSE(SameStringSets(twice, a));
    EXPECT_FALSE(SameStringSetsNoOrder(a, upper, FALSE));
    EXPECT_TRUE(SameStringSetsNoOrder(a, upper, TRUE));
    EXPECT_TRUE(HasDuplicate(twice));
    EXPECT_FALSE(HasDuplicate(a));
    CStringList mixed;
    Fill(mixed, {"a", "A"});
    EXPECT_FALSE(HasDuplicate(mixed));
    EXPECT_TRUE(HasDuplicateNoCase(mixed));

    CMapStringToString first;
    first.SetAt("k", "v");
    CMapStringToString second;
    second.SetAt("k", "v");
    EXPECT_TRUE(SameStringMaps(first, second));
    second.SetAt("k", "w");
    EXPECT_FALSE(SameStringMaps(first, second));

    CStringPairList pairs;
    pairs.AddTail(DOUBLESTRING_STRUCT("a", "1"));
    CStringPairList samePairs;
    samePairs.AddTail(DOUBLESTRING_STRUCT("a", "1"));
    EXPECT_TRUE(SamePairLists(pairs, samePairs));
    samePairs.GetHead().second = "2";
    EXPECT_FALSE(SamePairLists(pairs, samePairs));

    CStringTripleList triples;
    triples.AddTail(TRIPLESTRING_STRUCT("a", "b", "c"));
    EXPECT_TRUE(ContainsTriple(triples, TRIPLESTRING_STRUCT("a", "b", "c")));
    EXPECT_FALSE(ContainsTriple(triples, TRIPLESTRING_STRUCT("a", "b", "C")));
    CStringTripleList others;
    others.AddTail(TRIPLESTRING_STRUCT("x", "y", "z"));
    CStringTripleList onlyInOthers;
    CStringTripleList onlyInTriples;
    DiffTripleLists(triples, others, onlyInOthers, onlyInTriples);
    EXPECT_EQ(onlyInOthers.GetHead().first, "x");
    EXPECT_EQ(onlyInTriples.GetHead().first, "a");
}

TEST(StringLists, KeyValueLists) {
    CMapStringToString map;
    map.SetAt("k", "v");
    CStringList list;
    MapToKeyValueList(map, list);
    EXPECT_EQ(Items(list), (Texts{"k", "v"}));

    CMapStringToString back;
    EXPECT_EQ(KeyValueListToMap(list, back), 0);
    EXPECT_TRUE(SameStringMaps(map, back));

    CStringList repeated;
    Fill(repeated, {"k", "1", "k", "2"});
    CMapStringToString emptied;
    EXPECT_EQ(KeyValueListToMap(repeated, emptied), 1);
    EXPECT_TRUE(emptied.IsEmpty());

    CStringList odd;
    Fill(odd, {"k", "1", "j"});
    CMapStringToString untouched;
    untouched.SetAt("x", "y");
    EXPECT_EQ(KeyValueListToMap(odd, untouched), 1);
    EXPECT_EQ(untouched.GetCount(), 1);
}

}  // namespace
