#include "platform/afx_collections.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Items(const CStringList& list) {
    std::vector<std::string> items;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        items.emplace_back(list.GetNext(position).Str());
    }
    return items;
}

using Texts = std::vector<std::string>;

TEST(CStringList, KeepsInsertionOrderAndFindsByValue) {
    CStringList list;
    list.AddTail("b");
    list.AddHead("a");
    const POSITION c = list.AddTail("c");
    list.InsertBefore(c, "b2");
    list.InsertAfter(c, "d");
    list.InsertBefore(nullptr, "first");
    list.InsertAfter(nullptr, "last");
    EXPECT_EQ(Items(list), (Texts{"first", "a", "b", "b2", "c", "d", "last"}));
    EXPECT_EQ(list.GetCount(), 7);
    EXPECT_EQ(list.GetAt(list.Find("c")), "c");
    EXPECT_EQ(list.Find("missing"), nullptr);
    EXPECT_EQ(list.Find("a", list.Find("a")), nullptr);  // the search starts after the given position
    EXPECT_EQ(list.GetAt(list.FindIndex(2)), "b");
    EXPECT_EQ(list.FindIndex(7), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
}

TEST(CStringList, RemovingWhileWalkingAndAtTheEnds) {
    CStringList list;
    for (const char* item : {"keep1", "drop", "keep2", "drop"}) {
        list.AddTail(item);
    }
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const POSITION current = position;
        if (list.GetNext(position) == "drop") {
            list.RemoveAt(current);
        }
    }
    EXPECT_EQ(Items(list), (Texts{"keep1", "keep2"}));
    EXPECT_EQ(list.RemoveHead(), "keep1");
    EXPECT_EQ(list.RemoveTail(), "keep2");
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_THROW(list.GetHead(), std::out_of_range);
    CStringList other;
    other.AddTail("x");
    other.AddTail("y");
    list.AddTail(&other);
    list.AddHead(&other);
    EXPECT_EQ(Items(list), (Texts{"x", "y", "x", "y"}));
}

TEST(CArray, GrowsInsertsAndRemoves) {
    CDWordArray array;
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_EQ(array.Add(10), 0);
    EXPECT_EQ(array.Add(30), 1);
    array.InsertAt(1, 20);
    array.SetAtGrow(5, 60);
    EXPECT_EQ(array.GetSize(), 6);
    EXPECT_EQ(array[3], 0u);  // new elements are zero
    array.RemoveAt(3, 2);
    const DWORD expected[] = {10, 20, 30, 60};
    ASSERT_EQ(array.GetSize(), 4);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(array.GetAt(i), expected[i]);
    }
    EXPECT_THROW(array.GetAt(4), std::out_of_range);
    EXPECT_THROW(array.GetAt(-1), std::out_of_range);
    EXPECT_THROW(array.RemoveAt(3, 2), std::out_of_range);
    array.InsertAt(6, 7, 2);  // past the end: the gap is filled with zeros
    EXPECT_EQ(array.GetSize(), 8);
    EXPECT_EQ(array[5], 0u);
    EXPECT_EQ(array[7], 7u);
}

TEST(CArray, CopyAndAppend) {
    CStringArray first;
    first.Add("a");
    CStringArray second;
    second.Add("b");
    second.Add("c");
    EXPECT_EQ(first.Append(second), 1);
    EXPECT_EQ(first.GetSize(), 3);
    second.Copy(first);
    EXPECT_EQ(second.GetSize(), 3);
    EXPECT_EQ(second[2], "c");
}

TEST(CMap, LookupReplaceAndRemove) {
    CMapStringToString map;
    CString value;
    EXPECT_FALSE(map.Lookup("key", value));
    map.SetAt("key", "one");
    map["key"] = "two";
    EXPECT_EQ(map.GetCount(), 1);
    EXPECT_TRUE(map.Lookup("key", value));
    EXPECT_EQ(value, "two");
    EXPECT_FALSE(map.Lookup("KEY", value));  // keys compare exactly
    EXPECT_TRUE(map.RemoveKey("key"));
    EXPECT_FALSE(map.RemoveKey("key"));
    EXPECT_TRUE(map.IsEmpty());
}

TEST(CMap, WalksBucketsUpwardAndNewestFirstWithinABucket) {
    CMap<int, int, int, int> map;
    // Integer keys hash to their value shifted right by four: 0x00 and 0x05
    // share bucket 0, 0x10 is in bucket 1, 0x20 in bucket 2.
    map[0x20] = 3;
    map[0x00] = 0;
    map[0x10] = 2;
    map[0x05] = 1;
    std::vector<int> keys;
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        int key = 0;
        int value = 0;
        map.GetNextAssoc(position, key, value);
        keys.push_back(key);
    }
    EXPECT_EQ(keys, (std::vector<int>{0x05, 0x00, 0x10, 0x20}));
    EXPECT_EQ(map.GetHashTableSize(), 17u);
}

TEST(CMap, AHashTableSizeIsSetOnlyWhileEmpty) {
    CMapStringToPtr map;
    map.InitHashTable(31);
    EXPECT_EQ(map.GetHashTableSize(), 31u);
    map["a"] = nullptr;
    map.InitHashTable(7);
    EXPECT_EQ(map.GetHashTableSize(), 31u);
    EXPECT_EQ(HashKey("ab"), (static_cast<UINT>('a') << 5) + 'a' + 'b');
}

}  // namespace
