#include "util/string_sort.h"

#include "tests/util/list_helpers.h"

#include <gtest/gtest.h>

namespace {

using test_lists::Fill;
using test_lists::Items;
using test_lists::Texts;

std::vector<DWORD> Values(const CDWordArray& array) {
    std::vector<DWORD> values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        values.push_back(array[i]);
    }
    return values;
}

TEST(StringSort, ListsWithAndWithoutCase) {
    CStringList list;
    Fill(list, {"b", "_x", "B", "a", "A"});
    EXPECT_EQ(SortStringList(list, TRUE), 0);
    EXPECT_EQ(Items(list), (Texts{"A", "B", "_x", "a", "b"}));
    SortStringList(list, FALSE);  // equal strings keep their order
    EXPECT_EQ(Items(list), (Texts{"_x", "A", "a", "B", "b"}));
    SortStringListDescending(list, FALSE);
    EXPECT_EQ(Items(list), (Texts{"b", "B", "a", "A", "_x"}));
}

TEST(StringSort, PairsAndParallelArrays) {
    CStringPairList pairs;
    pairs.AddTail(DOUBLESTRING_STRUCT("b", "1"));
    pairs.AddTail(DOUBLESTRING_STRUCT("a", "2"));
    SortPairList(pairs, TRUE, TRUE);
    EXPECT_EQ(pairs.GetHead().first, "a");
    SortPairList(pairs, FALSE, TRUE);
    EXPECT_EQ(pairs.GetHead().second, "1");

    CStringArray names;
    CStringArray values;
    for (const char* name : {"c", "a", "b"}) {
        names.Add(name);
    }
    for (const char* value : {"3", "1", "2"}) {
        values.Add(value);
    }
    SortParallelArrays(names, values, TRUE);
    EXPECT_EQ(Items(names), (Texts{"a", "b", "c"}));
    EXPECT_EQ(Items(values), (Texts{"1", "2", "3"}));
    values.Add("extra");
    names.SetAt(0, "z");
    SortParallelArrays(names, values, TRUE);  // different sizes: unchanged
    EXPECT_EQ(Items(names), (Texts{"z", "b", "c"}));
}

TEST(StringSort, IndexPermutations) {
    CStringArray array;
    for (const char* text : {"b", "A", "a", "C"}) {
        array.Add(text);
    }
    CDWordArray indexes;
    SortIndexes(array, indexes);
    EXPECT_EQ(Values(indexes), (std::vector<DWORD>{1, 2, 0, 3}));
    const BOOL exact = TRUE;
    SortIndexesEx(array, indexes, exact, TRUE);
    EXPECT_EQ(Values(indexes), (std::vector<DWORD>{1, 3, 2, 0}));
    SortIndexesEx(array, indexes, exact, FALSE);
    EXPECT_EQ(Values(indexes), (std::vector<DWORD>{0, 2, 3, 1}));

    CStringArray secondary;
    for (const char* text : {"1", "z", "y", "0"}) {
        secondary.Add(text);
    }
    SortIndexesByTwoKeys(array, &secondary, indexes);
    EXPECT_EQ(Values(indexes), (std::vector<DWORD>{2, 1, 0, 3}));
    SortIndexesByTwoKeys(array, nullptr, indexes);
    EXPECT_EQ(Values(indexes), (std::vector<DWORD>{1, 2, 0, 3}));
}

}  // namespace
