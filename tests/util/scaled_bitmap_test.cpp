// The transparent, stretched bitmap draw of the command images, followed
// through every device context it makes.
#include "util/scaled_bitmap.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using platform::DrawKind;

TEST(DrawScaledBitmap, CombinesImageAndMaskOverTheBackgroundThenStretchesOnce) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "toolbar", WS_POPUP, CRect(0, 0, 100, 40), nullptr, 0));
    CDC* target = window.GetDC();
    CBitmap image;
    CBitmap mask;
    ASSERT_TRUE(image.CreateBitmap(16, 16, 1, 32, nullptr));
    ASSERT_TRUE(mask.CreateBitmap(16, 16, 1, 1, nullptr));

    std::vector<platform::JournalEntry> entries;
    {
        platform::DrawingJournal journal;
        DrawScaledBitmap(target, &image, &mask, 5, 6, 16, 16, 24, 20);
        entries = journal.Entries();
    }
    ASSERT_EQ(entries.size(), 5u);
    const HDC combined = entries[0].dc;
    ASSERT_NE(combined, target->GetSafeHdc());
    struct Expected {
        DWORD rop;
        HANDLE source;
    };
    const Expected blits[] = {
        {SRCCOPY, nullptr},  // the target's background (its window DC has no bitmap)
        {SRCINVERT, image.GetSafeHandle()},
        {SRCAND, mask.GetSafeHandle()},
        {SRCINVERT, image.GetSafeHandle()},
    };
    for (int i = 0; i < 4; ++i) {
        const platform::DrawCall& call = entries[static_cast<std::size_t>(i)].call;
        SCOPED_TRACE(i);
        EXPECT_EQ(entries[static_cast<std::size_t>(i)].dc, combined);
        EXPECT_EQ(call.kind, DrawKind::BitBlt);
        EXPECT_EQ(call.flags, blits[i].rop);
        EXPECT_EQ(call.source, blits[i].source);
        EXPECT_EQ(call.rect.left, 0);
        EXPECT_EQ(call.rect.right, 16);
        EXPECT_EQ(call.rect.bottom, 16);
    }
    EXPECT_EQ(entries[0].call.sourceRect.left, 5);  // the area under the image
    EXPECT_EQ(entries[0].call.sourceRect.top, 6);
    EXPECT_EQ(entries[2].call.backColor, RGB(255, 255, 255));  // white mask pixels become all ones

    const platform::JournalEntry& stretch = entries[4];
    EXPECT_EQ(stretch.dc, target->GetSafeHdc());
    EXPECT_EQ(stretch.call.kind, DrawKind::StretchBlt);
    EXPECT_EQ(stretch.call.flags, SRCCOPY);
    EXPECT_EQ(stretch.call.rect.left, 5);
    EXPECT_EQ(stretch.call.rect.top, 6);
    EXPECT_EQ(stretch.call.rect.right, 29);
    EXPECT_EQ(stretch.call.rect.bottom, 26);
    EXPECT_EQ(stretch.call.sourceRect.right, 16);
    EXPECT_EQ(stretch.call.sourceRect.bottom, 16);

    // Its device contexts and its bitmap are gone; the caller's bitmaps stay.
    EXPECT_EQ(GetDeviceCaps(combined, BITSPIXEL), 0);
    BITMAP description{};
    EXPECT_EQ(GetObjectA(stretch.call.source, sizeof(description), &description), 0);
    EXPECT_NE(GetObjectA(image.GetSafeHandle(), sizeof(description), &description), 0);
    EXPECT_EQ(description.bmWidth, 16);
    window.ReleaseDC(target);
    window.DestroyWindow();
}

// Without a mask there is nothing to combine: the image itself is stretched
// onto the target, opaque. Without an image nothing is drawn.
TEST(DrawScaledBitmap, AnImageWithoutAMaskIsStretchedAsItIs) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "toolbar", WS_POPUP, CRect(0, 0, 100, 40), nullptr, 0));
    CDC* target = window.GetDC();
    CBitmap image;
    ASSERT_TRUE(image.CreateBitmap(16, 16, 1, 32, nullptr));

    std::vector<platform::JournalEntry> entries;
    {
        platform::DrawingJournal journal;
        DrawScaledBitmap(target, &image, nullptr, 5, 6, 16, 16, 24, 20);
        DrawScaledBitmap(target, nullptr, &image, 5, 6, 16, 16, 24, 20);
        entries = journal.Entries();
    }
    ASSERT_EQ(entries.size(), 1u);
    const platform::JournalEntry& stretch = entries[0];
    EXPECT_EQ(stretch.dc, target->GetSafeHdc());
    EXPECT_EQ(stretch.call.kind, DrawKind::StretchBlt);
    EXPECT_EQ(stretch.call.flags, SRCCOPY);
    EXPECT_EQ(stretch.call.source, image.GetSafeHandle());
    EXPECT_EQ(CRect(stretch.call.rect), CRect(5, 6, 29, 26));
    EXPECT_EQ(CRect(stretch.call.sourceRect), CRect(0, 0, 16, 16));
    // The caller's image is still its own.
    BITMAP description{};
    EXPECT_NE(GetObjectA(image.GetSafeHandle(), sizeof(description), &description), 0);
    window.ReleaseDC(target);
    window.DestroyWindow();
}

}  // namespace
