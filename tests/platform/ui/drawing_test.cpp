// Drawing on recording device contexts: owner-drawn rows, the text measure,
// bitmaps and image lists.
#include "platform/afx.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace uitest;
using platform::DrawCall;
using platform::DrawKind;

// A list control that draws its rows itself: a fill in the row's colours,
// then its first cell's text, and a focus rectangle on the focused row.
class OwnerDrawnList : public CListCtrl {
public:
    void DrawItem(LPDRAWITEMSTRUCT item) override {
        CDC* dc = CDC::FromHandle(item->hDC);
        const int row = static_cast<int>(item->itemID);
        const bool selected = (GetItemState(row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
        dc->SetTextColor(GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
        dc->SetBkColor(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        CBrush fill(GetSysColor(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
        dc->FillRect(&item->rcItem, &fill);
        CRect label;
        GetItemRect(row, &label, LVIR_LABEL);
        label.DeflateRect(2, 0);
        dc->DrawText(GetItemText(row, 0), &label, DT_VCENTER | DT_SINGLELINE | DT_NOCLIP | DT_NOPREFIX);
        if ((item->itemState & ODS_FOCUS) != 0) {
            dc->DrawFocusRect(&item->rcItem);
        }
    }
};

TEST(Drawing, AnOwnerDrawnListDrawsEachRowThroughItsParent) {
    CDialog dialog(kControlsDialog);
    ASSERT_TRUE(dialog.Create(kControlsDialog));
    OwnerDrawnList list;
    ASSERT_TRUE(list.SubclassDlgItem(kReport, &dialog));
    list.InsertColumn(0, "Name", LVCFMT_LEFT, 80);
    list.InsertItem(0, "alpha");
    list.InsertItem(1, "beta");
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    const std::vector<DrawCall> calls = platform::PaintWindow(list.m_hWnd);
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].kind, DrawKind::FillRect);
    EXPECT_EQ(calls[0].rect, CRect(0, 20, 80, 36));
    EXPECT_EQ(calls[0].fillColor, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(calls[1].kind, DrawKind::DrawText);
    EXPECT_EQ(calls[1].text, "alpha");
    EXPECT_EQ(calls[1].rect, CRect(2, 20, 78, 36));
    EXPECT_EQ(calls[1].flags, 0x924u);
    EXPECT_EQ(calls[1].textColor, GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(calls[2].fillColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(calls[3].text, "beta");
    EXPECT_EQ(calls[3].textColor, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(calls[3].backColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(calls[4].kind, DrawKind::FocusRect);
    EXPECT_EQ(calls[4].rect, CRect(0, 36, 80, 52));
    dialog.DestroyWindow();
}

TEST(Drawing, TheTextMeasureIsAFixedCell) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    EXPECT_EQ(dc.GetTextExtent("abc"), CSize(3 * platform::kCharWidth, platform::kLineHeight));
    EXPECT_EQ(dc.GetTextExtent(""), CSize(0, platform::kLineHeight));
    CRect rect(10, 10, 10, 10);
    EXPECT_EQ(dc.DrawText("four", &rect, DT_CALCRECT), platform::kLineHeight);
    EXPECT_EQ(rect, CRect(10, 10, 10 + 4 * platform::kCharWidth, 10 + platform::kLineHeight));
    EXPECT_TRUE(platform::DrawingOf(dc).empty());  // measuring draws nothing
    EXPECT_TRUE(dc.TextOut(1, 2, "hi"));
    const auto calls = platform::DrawingOf(dc);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].rect, CRect(1, 2, 1 + 2 * platform::kCharWidth, 2 + platform::kLineHeight));
    EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(MulDiv(10, 72, 96), 8);  // 7.5 rounds up
    EXPECT_EQ(MulDiv(-10, 72, 96), -8);
}

TEST(Drawing, BitmapsCombineThroughMemoryDeviceContexts) {
    const HDC screen = GetDC(nullptr);
    const HDC work = CreateCompatibleDC(screen);
    const HDC source = CreateCompatibleDC(screen);
    const HBITMAP image = LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCE(kToolbarBitmap));
    const HBITMAP canvas = CreateCompatibleBitmap(screen, 16, 16);
    const HGDIOBJ previousCanvas = SelectObject(work, canvas);
    const HGDIOBJ previousImage = SelectObject(source, image);
    EXPECT_NE(previousCanvas, nullptr);  // the stock bitmap of a new device context
    SetBkColor(work, RGB(255, 255, 255));
    EXPECT_TRUE(BitBlt(work, 0, 0, 16, 15, source, 16, 0, SRCINVERT));
    EXPECT_TRUE(StretchBlt(screen, 5, 5, 32, 30, work, 0, 0, 16, 15, SRCCOPY));
    EXPECT_FALSE(BitBlt(work, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));

    const auto drawn = platform::DrawingOf(work);
    ASSERT_EQ(drawn.size(), 1u);
    EXPECT_EQ(drawn[0].kind, DrawKind::BitBlt);
    EXPECT_EQ(drawn[0].source, image);
    EXPECT_EQ(drawn[0].sourceRect, CRect(16, 0, 32, 15));
    EXPECT_EQ(drawn[0].flags, SRCINVERT);
    EXPECT_EQ(drawn[0].backColor, RGB(255, 255, 255));
    const auto stretched = platform::DrawingOf(screen);
    ASSERT_EQ(stretched.size(), 1u);
    EXPECT_EQ(stretched[0].kind, DrawKind::StretchBlt);
    EXPECT_EQ(stretched[0].rect, CRect(5, 5, 37, 35));
    EXPECT_EQ(stretched[0].source, canvas);

    RECT clip{};
    EXPECT_NE(GetClipBox(work, &clip), 0);
    EXPECT_EQ(clip.right, 16);
    SelectObject(work, previousCanvas);
    SelectObject(source, previousImage);
    EXPECT_TRUE(DeleteObject(canvas));
    EXPECT_TRUE(DeleteObject(image));
    EXPECT_FALSE(DeleteObject(image));
    DeleteDC(work);
    DeleteDC(source);
    ReleaseDC(nullptr, screen);
    EXPECT_TRUE(platform::DrawingOf(screen).empty());  // a released device context is gone
    EXPECT_FALSE(TextOutA(screen, 0, 0, "x", 1));
}

TEST(Drawing, FillsBrushesAndSystemColours) {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const RECT rect{0, 0, 10, 10};
    // A system colour's index plus one stands for its brush.
    EXPECT_EQ(FillRect(dc, &rect, reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_HIGHLIGHT + 1))), 1);
    dc.FillSolidRect(&rect, RGB(1, 2, 3));
    CBrush brush(RGB(9, 9, 9));
    dc.SelectObject(&brush);
    EXPECT_TRUE(dc.PatBlt(0, 0, 4, 4, PATCOPY));
    EXPECT_EQ(FillRect(dc, &rect, nullptr), 0);
    const auto calls = platform::DrawingOf(dc);
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].fillColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(calls[1].fillColor, RGB(1, 2, 3));
    EXPECT_EQ(calls[2].kind, DrawKind::PatBlt);
    EXPECT_EQ(calls[2].fillColor, RGB(9, 9, 9));
}

TEST(Drawing, BitmapsAndFontsKeepWhatTheyWereMadeWith) {
    const BYTE bits[4] = {0xF0, 0x0F, 0xAA, 0x55};
    BITMAP description{0, 16, 2, 2, 1, 1, const_cast<BYTE*>(bits)};
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmapIndirect(&description));
    BYTE read[4] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof(read), read), 4u);
    EXPECT_EQ(read[2], 0xAA);
    const BYTE changed[2] = {1, 2};
    EXPECT_EQ(bitmap.SetBitmapBits(sizeof(changed), changed), 2u);
    bitmap.GetBitmapBits(sizeof(read), read);
    EXPECT_EQ(read[1], 2);
    EXPECT_EQ(read[3], 0x55);

    LOGFONTA wanted{};
    wanted.lfHeight = -12;
    std::strcpy(wanted.lfFaceName, "Courier");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&wanted));
    LOGFONTA back{};
    EXPECT_EQ(font.GetLogFont(&back), static_cast<int>(sizeof(LOGFONTA)));
    EXPECT_EQ(back.lfHeight, -12);
    EXPECT_STREQ(back.lfFaceName, "Courier");
    EXPECT_EQ(CreateBitmap(0, 1, 1, 1, nullptr), nullptr);
}

TEST(Drawing, ABitmapFileIsReadRowsFromTheTop) {
    // 2 by 2 pixels at 8 bits: rows of 4 bytes in the file, from the bottom.
    std::string file = "BM";
    const auto put32 = [&file](std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            file += static_cast<char>((value >> shift) & 0xFF);
        }
    };
    put32(14 + 40 + 8);
    put32(0);
    put32(14 + 40);  // the pixels' offset
    put32(40);
    put32(2);   // width
    put32(2);   // height: bottom-up
    file += '\x01';
    file += '\x00';  // planes
    file += '\x08';
    file += '\x00';  // bits per pixel
    for (int field = 0; field < 6; ++field) {
        put32(0);
    }
    file += std::string("\x03\x04\x00\x00", 4);  // the bottom row
    file += std::string("\x01\x02\x00\x00", 4);  // the top row
    testing_support::TempFolder folder;
    folder.Write("tiny.bmp", file);
    const auto bitmap = static_cast<HBITMAP>(
        LoadImageA(nullptr, folder.Windows("tiny.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(bitmap, nullptr);
    BYTE bits[4] = {};
    EXPECT_EQ(GetBitmapBits(bitmap, sizeof(bits), bits), 4);
    EXPECT_EQ(bits[0], 1);  // the top row first, padded to 16 bits
    EXPECT_EQ(bits[1], 2);
    EXPECT_EQ(bits[2], 3);
    DeleteObject(bitmap);
    folder.Write("broken.bmp", "BM and nothing else");
    EXPECT_EQ(LoadImageA(nullptr, folder.Windows("broken.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    EXPECT_EQ(LoadImageA(nullptr, folder.Windows("missing.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
}

TEST(Drawing, ImageListsCountAndDrawTheirImages) {
    CImageList list;
    ASSERT_TRUE(list.Create(16, 15, ILC_COLOR4 | ILC_MASK, 1, 1));
    CBitmap strip;
    ASSERT_TRUE(strip.LoadBitmap(kToolbarBitmap));
    EXPECT_EQ(list.Add(&strip, nullptr), 0);  // 32 pixels wide: two images
    EXPECT_EQ(list.GetImageCount(), 2);
    const HICON icon = list.ExtractIcon(1);
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(list.Add(icon), 2);
    EXPECT_EQ(list.ExtractIcon(5), nullptr);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    EXPECT_TRUE(list.Draw(&dc, 1, CPoint(3, 4), ILD_SELECTED));
    EXPECT_FALSE(list.Draw(&dc, 9, CPoint(0, 0), ILD_NORMAL));
    const auto calls = platform::DrawingOf(dc);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, DrawKind::Image);
    EXPECT_EQ(calls[0].image, 1);
    EXPECT_EQ(calls[0].rect, CRect(3, 4, 19, 19));
    EXPECT_EQ(calls[0].flags, ILD_SELECTED);
    DestroyIcon(icon);
}

}  // namespace
