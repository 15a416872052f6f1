#include "util/custom_placeholder.h"

#include "util/variant_list.h"
#include "tests/util/variant_helpers.h"

#include <gtest/gtest.h>

namespace {

using test_variants::FillTexts;
using test_variants::OwnedVariant;

TEST(CustomPlaceholders, RecordsCompareAllThreeTexts) {
    const CCustomPlaceholderInfo a("N", "D", "V");
    CCustomPlaceholderInfo b;
    EXPECT_EQ(b.m_name, "");
    b = a;
    EXPECT_TRUE(a == b);
    b.m_value = "W";
    EXPECT_TRUE(a != b);
}

TEST(CustomPlaceholders, MapRoundTripInTheHostsForm) {
    CCustomPlaceholderMap map;
    SetCustomPlaceholder(map, new CCustomPlaceholderInfo("BOARD", "The board", "KB-1"));
    SetCustomPlaceholder(map, new CCustomPlaceholderInfo("CHIP", "The chip", "Vk3"));
    SetCustomPlaceholder(map, new CCustomPlaceholderInfo("CHIP", "The chip", "Vk3a"));  // replaces (and deletes)
    ASSERT_EQ(map.GetCount(), 2);

    OwnedVariant value;
    CustomPlaceholderMapToVariant(map, value.Get());
    EXPECT_EQ(value.Get().vt, 0x2008);
    {
        const variant_list::Reader reader(value.Get(), 0x2008);
        ASSERT_EQ(reader.Count(), 8u);
        CString text;
        EXPECT_TRUE(reader.Text(0, text));  // description, name, value of the first in map order
        EXPECT_TRUE(reader.Text(5, text));
    }
    {
        // The last quarter stays unfilled.
        VARIANT* elements = nullptr;
        ASSERT_EQ(SafeArrayAccessData(value.Get().parray, reinterpret_cast<void**>(&elements)), S_OK);
        EXPECT_EQ(elements[5].vt, VT_BSTR);
        EXPECT_EQ(elements[6].vt, VT_EMPTY);
        EXPECT_EQ(elements[7].vt, VT_EMPTY);
        SafeArrayUnaccessData(value.Get().parray);
    }
    CCustomPlaceholderMap back;
    VariantToCustomPlaceholderMap(value.Get(), back);
    ASSERT_EQ(back.GetCount(), 2);
    CCustomPlaceholderInfo* chip = nullptr;
    ASSERT_TRUE(back.Lookup("CHIP", chip));
    EXPECT_EQ(chip->m_value, "Vk3a");
    EXPECT_EQ(chip->m_description, "The chip");

    CCustomPlaceholderList list;
    VariantToCustomPlaceholderList(value.Get(), list);
    EXPECT_EQ(list.GetCount(), 2);
    OwnedVariant fromList;
    CustomPlaceholderListToVariant(list, fromList.Get());
    CCustomPlaceholderList again;
    VariantToCustomPlaceholderList(fromList.Get(), again);
    EXPECT_TRUE(CompareCustomPlaceholderLists(list, again));
    again.GetTail()->m_name = "other";
    EXPECT_FALSE(CompareCustomPlaceholderLists(list, again));

    DeleteCustomPlaceholders(map);
    DeleteCustomPlaceholders(back);
    DeleteCustomPlaceholders(list);
    DeleteCustomPlaceholders(again);
}

TEST(CustomPlaceholders, MalformedListsAreIgnored) {
    CCustomPlaceholderMap map;
    OwnedVariant empty;
    VariantToCustomPlaceholderMap(empty.Get(), map);
    OwnedVariant five;
    FillTexts(five, {"d", "n", "v", "x", "y"});
    VariantToCustomPlaceholderMap(five.Get(), map);
    OwnedVariant four;
    FillTexts(four, {"d", "n", "v", ""});
    four.Get().vt = VT_ARRAY | VT_UINT;
    VariantToCustomPlaceholderMap(four.Get(), map);
    four.Get().vt = VT_ARRAY | VT_BSTR;
    EXPECT_TRUE(map.IsEmpty());
    VariantToCustomPlaceholderMap(four.Get(), map);  // four texts: one placeholder
    EXPECT_EQ(map.GetCount(), 1);
    DeleteCustomPlaceholders(map);
}

}  // namespace
