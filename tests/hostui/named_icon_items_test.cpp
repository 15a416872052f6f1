// The named icon item table: slots and the order of addition, names,
// defaults, searches, client lists and images.
#include "hostui/named_icon_items.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

int Add(CNamedIconItemTable& table, const char* name, LONG* index = nullptr, void* client = nullptr,
        DWORD flags = 0, DWORD marker = 0, LONG extent = 20) {
    LONG ignored = -1;
    return table.AddItem(index != nullptr ? index : &ignored, 7, client, 1, "text", -1, extent, -1, 0, 0xC0C0C0,
                         flags, marker, name);
}

std::vector<LONG> Order(const CNamedIconItemTable& table) {
    std::vector<LONG> order;
    for (POSITION position = table.GetFirstPosition(); position != nullptr;) {
        order.push_back(table.GetNextItem(position)->GetIndex());
    }
    return order;
}

// A bitmap of width x height pixels at the depth, its bytes counting up.
void MakeBitmap(CBitmap& bitmap, int width, int height, UINT bitsPerPixel) {
    std::vector<BYTE> bits(static_cast<std::size_t>((width * static_cast<int>(bitsPerPixel) + 15) / 16 * 2 * height));
    for (std::size_t i = 0; i < bits.size(); ++i) {
        bits[i] = static_cast<BYTE>(i + 1);
    }
    ASSERT_TRUE(bitmap.CreateBitmap(width, height, 1, bitsPerPixel, bits.data()));
}

std::vector<BYTE> BitsOf(const CBitmap& bitmap, DWORD size) {
    std::vector<BYTE> bits(size);
    bitmap.GetBitmapBits(size, bits.data());
    return bits;
}

TEST(NamedIconItems, AFreedSlotGoesToTheNextItemWhileTheOrderKeepsTheAdditions) {
    CNamedIconItemTable table;
    LONG p = -1;
    LONG q = -1;
    LONG r = -1;
    LONG s = -1;
    ASSERT_EQ(Add(table, "P", &p), 1);
    ASSERT_EQ(Add(table, "Q", &q), 1);
    ASSERT_EQ(Add(table, "R", &r), 1);
    table.RemoveItem(q);
    ASSERT_EQ(Add(table, "S", &s), 1);
    EXPECT_EQ(std::vector<LONG>({p, q, r, s}), std::vector<LONG>({0, 1, 2, 1}));
    EXPECT_EQ(Order(table), (std::vector<LONG>{0, 2, 1}));
    EXPECT_EQ(table.GetSlotCount(), 3);
    EXPECT_EQ(table.GetItemAt(1)->GetName().Str(), "S");
    table.DeleteItemAt(2);
    table.DeleteItemAt(7);   // outside the slots: nothing
    table.DeleteItemAt(-1);
    EXPECT_EQ(table.HasItem(2), 0);
    EXPECT_EQ(table.GetSlotCount(), 3);
    table.RemoveAll();
    EXPECT_EQ(table.GetSlotCount(), 0);
    EXPECT_EQ(table.GetFirstPosition(), nullptr);
}

TEST(NamedIconItems, ANameIsTakenOnceButEmptyNamesRepeat) {
    CNamedIconItemTable table;
    EXPECT_EQ(Add(table, "P"), 1);
    EXPECT_EQ(Add(table, "P"), 0);
    EXPECT_EQ(Add(table, "p"), 1);  // names are compared exactly
    EXPECT_EQ(Add(table, ""), 1);
    EXPECT_EQ(Add(table, ""), 1);
    EXPECT_EQ(Add(table, nullptr), 1);
    LONG index = -1;
    EXPECT_EQ(table.FindItemByName("", &index), 0);  // also with items of empty names
    EXPECT_EQ(table.FindItemByName(nullptr, &index), 0);
    EXPECT_EQ(table.FindItemByName("p", &index), 1);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(table.FindItemByName("Q", &index), 0);
}

TEST(NamedIconItems, AnEmptySlotAnswersItsDefaultsWhichAreNotANewItemsOwn) {
    CNamedIconItemTable table;
    LONG index = -1;
    ASSERT_EQ(table.AddItem(&index, 0, nullptr, 1, "", -1, 20, -1, 0, 0xC0C0C0, 0, 0, "x"), 1);
    EXPECT_EQ(table.GetItemValue3(index), 0u);
    EXPECT_EQ(table.GetItemColour(index), 0xC0C0C0u);
    table.DeleteItemAt(index);
    for (const LONG slot : {index, LONG{5}, LONG{-3}}) {  // an empty slot, and indices outside the slots
        EXPECT_EQ(table.GetItemValue1(slot), 0u) << slot;
        EXPECT_EQ(table.GetItemValue2(slot), -1) << slot;
        EXPECT_EQ(table.GetItemExtent(slot), 20) << slot;
        EXPECT_EQ(table.GetItemValue3(slot), 20u) << slot;
        EXPECT_EQ(table.GetItemColour(slot), 20u) << slot;
        EXPECT_EQ(table.GetItemFlags(slot), 0u) << slot;
        EXPECT_EQ(table.GetItemData(slot), 0u) << slot;
        EXPECT_TRUE(table.GetItemText(slot).IsEmpty()) << slot;
        EXPECT_EQ(table.GetItemList(slot), nullptr) << slot;
        EXPECT_EQ(table.AddItemClient(slot, &table), 0) << slot;
        EXPECT_EQ(table.GetItemImageCount(slot), -1) << slot;
        LONG value = 9;
        EXPECT_EQ(table.QueryItemExtent(slot, &value), 0) << slot;
        EXPECT_EQ(value, 9);
        table.SetItemExtent(slot, 1);
    }
}

TEST(NamedIconItems, AnItemKeepsWhatItWasGiven) {
    CNamedIconItemTable table;
    int client = 0;
    LONG index = -1;
    ASSERT_EQ(table.AddItem(&index, 0xD0, &client, 3, "the text", 4, 30, 5, 6, 0x123456, 0x20, 1, "named"), 1);
    const CNamedIconItem* item = table.GetItemAt(index);
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetData(), 0xD0u);
    EXPECT_EQ(item->GetValue1(), 3u);
    EXPECT_EQ(item->GetText().Str(), "the text");
    EXPECT_EQ(item->GetValue2(), 4);
    EXPECT_EQ(item->GetExtent(), 30);
    EXPECT_EQ(item->GetInitialExtent(), 30);
    EXPECT_EQ(item->GetValue4(), 5);
    EXPECT_EQ(item->GetValue3(), 6u);
    EXPECT_EQ(item->GetColour(), 0x123456u);
    EXPECT_EQ(item->GetFlags(), 0x20u);
    EXPECT_EQ(item->GetMarker(), 1u);
    EXPECT_EQ(table.GetItemList(index)->GetHead(), &client);
    table.SetItemExtent(index, 40);
    table.SetItemValue4(index, 41);
    table.SetItemInitialExtent(index, 42);
    LONG value = 0;
    EXPECT_EQ(table.QueryItemExtent(index, &value), 1);
    EXPECT_EQ(value, 40);
    EXPECT_EQ(table.QueryItemValue4(index, &value), 1);
    EXPECT_EQ(value, 41);
    EXPECT_EQ(table.QueryItemInitialExtent(index, &value), 1);
    EXPECT_EQ(value, 42);
}

TEST(NamedIconItems, SearchesGoInSlotOrder) {
    CNamedIconItemTable table;
    EXPECT_EQ(table.FindMarkedItem(), -1);
    EXPECT_EQ(table.FindItemWithFlag40(), -1);
    Add(table, "a", nullptr, nullptr, 0x20, 0, 10);
    Add(table, "b", nullptr, nullptr, 0x40, 1, 11);
    Add(table, "c", nullptr, nullptr, 0x60, 1, 12);
    EXPECT_EQ(table.FindMarkedItem(), 1);
    EXPECT_EQ(table.FindItemWithFlag40(), 1);
    EXPECT_EQ(table.GetTotalExtent(), 33);
    CList<LONG, LONG> indices;
    indices.AddTail(99);  // the list is not emptied first
    EXPECT_EQ(table.CollectItemsWithFlag20(indices), 2);
    std::vector<LONG> collected;
    for (POSITION position = indices.GetHeadPosition(); position != nullptr;) {
        collected.push_back(indices.GetNext(position));
    }
    EXPECT_EQ(collected, (std::vector<LONG>{99, 0, 2}));
    CList<LONG, LONG> none;
    table.RemoveItem(0);
    table.RemoveItem(2);
    EXPECT_EQ(table.CollectItemsWithFlag20(none), -1);
}

TEST(NamedIconItems, ClientListsMergeWithEachPointerOnce) {
    CNamedIconItemTable table;
    int p = 0;
    int q = 0;
    int r = 0;
    LONG first = -1;
    LONG second = -1;
    Add(table, "first", &first, &p);
    table.AddItemClient(first, &q);
    Add(table, "second", &second, &q);
    EXPECT_EQ(table.AddItemClient(second, &r), 1);
    CPtrArray merged;
    merged.Add(&table);  // emptied first
    table.MergeClientLists(merged);
    ASSERT_EQ(merged.GetSize(), 3);
    EXPECT_EQ(merged[0], &p);
    EXPECT_EQ(merged[1], &q);
    EXPECT_EQ(merged[2], &r);
}

TEST(NamedIconItems, ImageIndicesAreNeverReused) {
    CNamedIconItemTable table;
    LONG index = -1;
    Add(table, "images", &index);
    CBitmap image;
    MakeBitmap(image, 16, 16, 4);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.AddItemImages(index, &image, nullptr), i);
    }
    EXPECT_EQ(table.RemoveItemImage(index, 1), 0);
    EXPECT_EQ(table.AddItemImages(index, &image, nullptr), 3);
    EXPECT_EQ(table.GetItemImageCount(index), 4);
    CBitmap copy;
    EXPECT_EQ(table.GetItemImages(index, 1, &copy, nullptr), 0);  // removed
    table.RemoveAllItemImages(index);
    EXPECT_EQ(table.GetItemImages(index, 0, &copy, nullptr), 0);
    EXPECT_EQ(table.GetItemImageCount(index), 4);
    EXPECT_EQ(table.AddItemImages(index, nullptr, &image), -1);
}

TEST(NamedIconItems, ImagesAndMasksAreCopiedWhole) {
    CNamedIconItemTable table;
    LONG index = -1;
    Add(table, "images", &index);
    CBitmap image;
    CBitmap mask;
    MakeBitmap(image, 16, 16, 32);  // exactly 1,024 bytes
    MakeBitmap(mask, 16, 16, 1);
    ASSERT_EQ(table.AddItemImages(index, &image, &mask), 0);
    ASSERT_EQ(table.AddItemImages(index, &image, nullptr), 1);
    CBitmap imageCopy;
    CBitmap maskCopy;
    ASSERT_EQ(table.GetItemImages(index, 0, &imageCopy, &maskCopy), 1);
    BITMAP description{};
    imageCopy.GetBitmap(&description);
    EXPECT_EQ(description.bmWidth, 16);
    EXPECT_EQ(description.bmBitsPixel, 32);
    EXPECT_EQ(BitsOf(imageCopy, kNamedIconImageBytes), BitsOf(image, kNamedIconImageBytes));
    EXPECT_EQ(BitsOf(maskCopy, 32), BitsOf(mask, 32));
    CBitmap second;
    CBitmap untouched;
    ASSERT_EQ(table.GetItemImages(index, 1, &second, &untouched), 1);
    EXPECT_EQ(untouched.GetSafeHandle(), nullptr);  // no mask: the caller's bitmap stays empty
    CBitmap held;
    MakeBitmap(held, 2, 2, 1);
    EXPECT_EQ(table.GetItemImages(index, 0, &held, nullptr), 0);  // the caller's bitmap must be empty
}

TEST(NamedIconItems, ImagesWithMoreThanTheBuffersBytesAreRefusedNotCut) {
    CNamedIconItemTable table;
    LONG index = -1;
    Add(table, "images", &index);
    CBitmap large;
    MakeBitmap(large, 17, 16, 32);
    CBitmap small;
    MakeBitmap(small, 16, 16, 4);
    EXPECT_EQ(table.AddItemImages(index, &large, nullptr), -1);
    EXPECT_EQ(table.AddItemImages(index, &small, &large), -1);
    EXPECT_EQ(table.GetItemImageCount(index), 0);
    CBitmap empty;
    EXPECT_EQ(table.AddItemImages(index, &empty, nullptr), -1);  // holds no bitmap
}

TEST(NamedIconItems, DrawingAnImageCombinesItWithItsMask) {
    CNamedIconItemTable table;
    LONG index = -1;
    Add(table, "images", &index);
    CBitmap image;
    CBitmap mask;
    MakeBitmap(image, 16, 16, 4);
    MakeBitmap(mask, 16, 16, 1);
    ASSERT_EQ(table.AddItemImages(index, &image, &mask), 0);
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "draw", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CDC* dc = window.GetDC();
    EXPECT_EQ(table.DrawItemImage(index, 0, dc, 4, 5, 32, 32), 0);
    EXPECT_EQ(table.DrawItemImage(index, 9, dc, 4, 5, 32, 32), 0);  // no such image: nothing drawn
    EXPECT_EQ(table.DrawItemImage(7, 0, dc, 4, 5, 32, 32), 0);
    const std::vector<platform::DrawCall> drawn = platform::DrawingOf(dc->GetSafeHdc());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].kind, platform::DrawKind::StretchBlt);
    EXPECT_EQ(CRect(drawn[0].rect), CRect(4, 5, 36, 37));
    EXPECT_EQ(CRect(drawn[0].sourceRect), CRect(0, 0, 16, 16));
    window.ReleaseDC(dc);
    window.DestroyWindow();
}

TEST(NamedIconItems, AnImageAddedWithoutAMaskIsDrawnWithoutTransparency) {
    CNamedIconItemTable table;
    LONG index = -1;
    Add(table, "images", &index);
    CBitmap image;
    MakeBitmap(image, 16, 16, 4);
    ASSERT_EQ(table.AddItemImages(index, &image, nullptr), 0);
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "draw", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    CDC* dc = window.GetDC();
    EXPECT_EQ(table.DrawItemImage(index, 0, dc, 4, 5, 32, 32), 0);
    const std::vector<platform::DrawCall> drawn = platform::DrawingOf(dc->GetSafeHdc());
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].kind, platform::DrawKind::StretchBlt);
    EXPECT_EQ(drawn[0].flags, static_cast<UINT>(SRCCOPY));
    EXPECT_EQ(CRect(drawn[0].rect), CRect(4, 5, 36, 37));
    EXPECT_EQ(CRect(drawn[0].sourceRect), CRect(0, 0, 16, 16));
    window.ReleaseDC(dc);
    window.DestroyWindow();
}

}  // namespace
