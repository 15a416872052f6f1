// The owner-drawn list control, painted as the system would paint it (its
// parent draws each row), and the monitor look-ups.
#include "util/ui_custom_list.h"

#include "util/monitor_functions.h"
#include "tests/platform/code_page_scope.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using platform::DrawCall;
using platform::DrawKind;

constexpr UINT kTextFormat = 0x924;

class CustomList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 300, 200), nullptr, 0));
    }
    void TearDown() override { parent.DestroyWindow(); }

    // Columns of 60 (left), 60 (right) and 50 (centred) pixels.
    void Make(CUiCustomListCtrl& list, int width = 200, DWORD style = LVS_REPORT | LVS_OWNERDRAWFIXED) {
        ASSERT_TRUE(list.Create(style | WS_CHILD | WS_VISIBLE, CRect(0, 0, width, 150), &parent, 7));
        list.InsertColumn(0, "Name", LVCFMT_LEFT, 60);
        list.InsertColumn(1, "Value", LVCFMT_RIGHT, 60);
        list.InsertColumn(2, "Note", LVCFMT_CENTER, 50);
    }
    static void AddRow(CUiCustomListCtrl& list, int row, const char* a, const char* b, const char* c) {
        list.InsertItem(row, a);
        list.SetItemText(row, 1, b);
        list.SetItemText(row, 2, c);
    }
    static std::vector<DrawCall> Texts(const std::vector<DrawCall>& calls) {
        std::vector<DrawCall> texts;
        for (const DrawCall& call : calls) {
            if (call.kind == DrawKind::DrawText) {
                texts.push_back(call);
            }
        }
        return texts;
    }

    CWnd parent;
};

TEST_F(CustomList, PaintsRowsWithHighlightEllipsesAlignmentAndFocus) {
    CUiCustomListCtrl list;
    Make(list);
    AddRow(list, 0, "alpha", "right", "a long value");
    AddRow(list, 1, "a much longer label", "", "x");
    list.SetItemState(1, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);

    const std::vector<DrawCall> calls = platform::PaintWindow(list.m_hWnd);
    ASSERT_EQ(calls.size(), 8u);
    EXPECT_EQ(calls[0].kind, DrawKind::FillRect);
    EXPECT_EQ(calls[0].fillColor, list.GetBkColor());
    EXPECT_EQ(calls[0].rect, CRect(0, 20, 170, 36));

    struct Expected {
        std::size_t call;
        const char* text;
        CRect rect;
        UINT format;
    };
    const Expected texts[] = {
        {1, "alpha", CRect(2, 20, 58, 36), kTextFormat},                // fits within 60 less 4
        {2, "right", CRect(66, 20, 114, 36), kTextFormat | DT_RIGHT},  // unshortened: its column's alignment
        {3, "a l...", CRect(126, 20, 164, 36), kTextFormat},           // shortened: left, reserve 12
        {5, "a much...", CRect(2, 36, 58, 52), kTextFormat},           // reserve 4
        {6, "x", CRect(126, 36, 164, 52), kTextFormat | DT_CENTER},    // the empty cell between drew nothing
    };
    for (const Expected& expected : texts) {
        const DrawCall& call = calls[expected.call];
        SCOPED_TRACE(expected.text);
        EXPECT_EQ(call.kind, DrawKind::DrawText);
        EXPECT_EQ(call.text, expected.text);
        EXPECT_EQ(call.rect, expected.rect);
        EXPECT_EQ(call.flags, expected.format);
    }
    EXPECT_EQ(calls[1].textColor, list.GetTextColor());
    EXPECT_EQ(calls[4].kind, DrawKind::FillRect);
    EXPECT_EQ(calls[4].fillColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(calls[5].textColor, GetSysColor(COLOR_HIGHLIGHTTEXT));
    EXPECT_EQ(calls[5].backColor, GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(calls[7].kind, DrawKind::FocusRect);
    EXPECT_EQ(calls[7].rect, CRect(0, 36, 170, 52));
    EXPECT_EQ(calls[7].backColor, list.GetBkColor());
}

TEST_F(CustomList, ASelectedRowsImageIsBlendedUnlessSwitchedOffOrDisabled) {
    CUiCustomListCtrl list;
    Make(list);
    CImageList images;
    ASSERT_TRUE(images.Create(16, 16, ILC_MASK, 1, 1));
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.CreateBitmap(16, 16, 1, 32, nullptr));
    images.Add(&bitmap, nullptr);
    list.SetImageList(&images, LVSIL_SMALL);
    list.InsertItem(0, "one", 0);
    list.InsertItem(1, "two", 0);
    list.SetItemState(1, LVIS_SELECTED, LVIS_SELECTED);

    const auto imageStyles = [&] {
        std::vector<UINT> styles;
        for (const DrawCall& call : platform::PaintWindow(list.m_hWnd)) {
            if (call.kind == DrawKind::Image) {
                styles.push_back(call.flags);
                EXPECT_EQ(call.rect.left, 0);
            }
        }
        return styles;
    };
    EXPECT_EQ(imageStyles(), (std::vector<UINT>{ILD_NORMAL, ILD_SELECTED}));
    list.SetSelectedImageBlend(FALSE);
    EXPECT_EQ(imageStyles(), (std::vector<UINT>{ILD_NORMAL, ILD_NORMAL}));
    list.SetSelectedImageBlend(TRUE);
    list.EnableWindow(FALSE);  // a disabled control highlights nothing
    EXPECT_EQ(imageStyles(), (std::vector<UINT>{ILD_NORMAL, ILD_NORMAL}));
    list.SetImageList(nullptr, LVSIL_SMALL);
}

TEST_F(CustomList, WithoutTheOwnerDrawStyleNothingIsDrawn) {
    CUiCustomListCtrl list;
    Make(list, 200, LVS_REPORT);
    list.InsertItem(0, "row");
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    DRAWITEMSTRUCT item{};
    item.hDC = dc.GetSafeHdc();
    list.DrawItem(&item);
    EXPECT_TRUE(platform::DrawingOf(dc).empty());
}

TEST_F(CustomList, TruncationKeepsWholeCharactersAndAtLeastTheFirst) {
    CUiCustomListCtrl list;
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    struct Case {
        const char* text;
        int width;
        int reserve;
        const char* shortened;
    };
    const Case cases[] = {
        {"", 0, 4, ""},
        {"abcd", 28, 4, "abcd"},   // 24 + 4 fits exactly
        {"abcde", 28, 4, "a..."},  // one character and the dots are 24 + 4
        {"abc", 10, 12, "a..."},   // too narrow for even one: the first stays
        {"x", 1, 0, "x..."},
    };
    for (const Case& entry : cases) {
        EXPECT_EQ(list.TruncateWithEllipsis(&dc, entry.text, entry.width, entry.reserve).Str(), entry.shortened)
            << entry.text << " in " << entry.width;
    }
    // A long cell of any length answers a new text of its own.
    const std::string longText(5000, 'w');
    const CString shortened = list.TruncateWithEllipsis(&dc, longText.c_str(), 60, 12);
    EXPECT_EQ(shortened.Str(), "wwwww...");
    {
        AnsiCodePageScope japanese(932);
        // Double-byte characters (12 pixels each) with a '\\' trail byte.
        const std::string wide = "\x95\x5C\x95\x5C\x95\x5C\x95\x5C\x95\x5C";
        EXPECT_EQ(list.TruncateWithEllipsis(&dc, wide.c_str(), 30, 12).Str(), "\x95\x5C...");
        EXPECT_EQ(list.TruncateWithEllipsis(&dc, wide.c_str(), 45, 4).Str(), "\x95\x5C...");
        EXPECT_EQ(list.TruncateWithEllipsis(&dc, wide.c_str(), 50, 4).Str(), "\x95\x5C\x95\x5C...");
        EXPECT_EQ(list.TruncateWithEllipsis(&dc, wide.c_str(), 64, 4).Str(), wide);
    }
}

TEST_F(CustomList, LongAndDoubleByteCellsPaintCleanly) {
    AnsiCodePageScope japanese(932);
    CUiCustomListCtrl list;
    Make(list);
    const std::string longCell(3000, 'z');
    std::string wideCell;
    for (int i = 0; i < 400; ++i) {
        wideCell += "\x83\x7C";
    }
    AddRow(list, 0, longCell.c_str(), wideCell.c_str(), longCell.c_str());
    const std::vector<DrawCall> texts = Texts(platform::PaintWindow(list.m_hWnd));
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "zzzzzz...");
    EXPECT_EQ(texts[1].text, "\x83\x7C\x83\x7C...");
    EXPECT_EQ(texts[2].text, "zzz...");
}

TEST_F(CustomList, AClickBelowTheRowsKeepsTheSelection) {
    CUiCustomListCtrl list;
    Make(list);
    AddRow(list, 0, "a", "", "");
    AddRow(list, 1, "b", "", "");
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    for (UINT message : {WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDBLCLK}) {
        list.SendMessage(message, MK_LBUTTON, MAKELPARAM(10, 120));
        EXPECT_TRUE(list.IsItemSelected(0)) << message;
    }
    list.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 40));  // on row 1
    EXPECT_FALSE(list.IsItemSelected(0));
    EXPECT_TRUE(list.IsItemSelected(1));
}

TEST_F(CustomList, RowQueries) {
    CUiCustomListCtrl list;
    Make(list);
    AddRow(list, 0, "a", "b", "c");
    AddRow(list, 1, "Main", "x", "");
    AddRow(list, 2, "other", "", "");
    EXPECT_EQ(list.GetColumnCount(), 3);
    EXPECT_EQ(list.GetColumnHeading(1).Str(), "Value");
    EXPECT_EQ(list.FindRowByText("ab"), 0);  // the first two cells joined
    EXPECT_EQ(list.FindRowByText("abc"), 0);
    EXPECT_EQ(list.FindRowByText("MAIN"), 1);
    EXPECT_EQ(list.FindRowByText("x"), 1);
    EXPECT_EQ(list.FindRowByText("bc"), -1);
    EXPECT_EQ(list.FindRowByText(""), 0);

    EXPECT_FALSE(list.HasSelection());
    list.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    list.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_TRUE(list.HasSelection());
    CIntList selected;
    EXPECT_EQ(list.GetSelectedItems(selected), 2);
    EXPECT_EQ(selected.GetHead(), 0);
    EXPECT_EQ(selected.GetTail(), 2);
    CIntList all;
    list.GetAllItems(all);
    EXPECT_EQ(all.GetCount(), 3);
    EXPECT_EQ(list.ClearItemStates(selected), 2);
    EXPECT_FALSE(list.HasSelection());
    EXPECT_EQ(list.GetItemState(2, LVIS_FOCUSED), 0u);
    EXPECT_TRUE(list.FocusItem(1));
    EXPECT_EQ(list.GetItemState(1, LVIS_FOCUSED), static_cast<UINT>(LVIS_FOCUSED));
    list.DeleteAllItems();
    EXPECT_FALSE(list.FocusItem(0));
}

TEST_F(CustomList, ColumnSizing) {
    CUiCustomListCtrl list;
    Make(list);
    AddRow(list, 0, "alpha", "", "");
    AddRow(list, 1, "a much longer label", "", "");
    list.FitLastColumn();
    EXPECT_EQ(list.GetColumnWidth(2), 200 - 120 - 4);
    list.AutoSizeColumn(0);
    EXPECT_EQ(list.GetColumnWidth(0), 19 * 6);  // the widest cell
    list.AutoSizeColumn(1);
    EXPECT_EQ(list.GetColumnWidth(1), 40);  // the smallest width

    CUiCustomListCtrl narrow;
    Make(narrow, 50);
    narrow.FitLastColumn();
    EXPECT_EQ(narrow.GetColumnWidth(2), 0);  // never below 0

    CUiCustomListCtrl single(TRUE);
    ASSERT_TRUE(single.Create(LVS_REPORT | WS_CHILD, CRect(0, 0, 100, 80), &parent, 8));
    single.FitLastColumn();  // no columns: nothing
    single.AutoSizeColumn(0);
    single.InsertColumn(0, "Only", LVCFMT_LEFT, 30);
    single.InsertItem(0, "row");  // the fit flag fits the last column
    EXPECT_EQ(single.GetColumnWidth(0), 96);
    single.AutoSizeColumn(0);
    EXPECT_EQ(single.GetColumnWidth(0), 96);  // the window less 4 beats 3 * 6 + 26
}

TEST(MonitorFunctions, TheLookUpsReachTheLayersOneMonitor) {
    ASSERT_NE(GetProcEnumDisplayMonitors(), nullptr);
    ASSERT_NE(GetProcMonitorFromWindow(), nullptr);
    ASSERT_NE(GetProcMonitorFromPoint(), nullptr);
    ASSERT_NE(GetProcGetMonitorInfo(), nullptr);
    ASSERT_NE(GetProcGetSystemMetrics(), nullptr);
    EXPECT_TRUE(HasMultipleMonitorSupport());
    EXPECT_EQ(GetVirtualScreenOrigin(), CPoint(0, 0));
    EXPECT_EQ(GetVirtualScreenSize(), CSize(1024, 768));
    CPtrList rects;
    EXPECT_TRUE(GetMonitorRects(rects));
    ASSERT_EQ(rects.GetCount(), 1);
    auto* screen = static_cast<RECT*>(rects.GetHead());
    EXPECT_EQ(CRect(*screen), CRect(0, 0, 1024, 768));
    delete screen;

    const HMONITOR monitor = GetProcMonitorFromPoint()(POINT{10, 10}, MONITOR_DEFAULTTONULL);
    ASSERT_NE(monitor, nullptr);
    EXPECT_EQ(GetProcMonitorFromPoint()(POINT{5000, 10}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(GetProcMonitorFromPoint()(POINT{5000, 10}, MONITOR_DEFAULTTONEAREST), monitor);
    MONITORINFO information{};
    information.cbSize = sizeof(information);
    ASSERT_TRUE(GetProcGetMonitorInfo()(monitor, &information));
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ(CRect(information.rcWork), CRect(work));
    information.cbSize = 20;
    EXPECT_FALSE(GetProcGetMonitorInfo()(monitor, &information));
}

// Metrics that say something else than the desktop, to see who answered.
int WINAPI OtherMetrics(int index) {
    return index == SM_CMONITORS ? 0 : 7;
}

BOOL WINAPI RefusingEnumeration(HDC, LPCRECT, MONITORENUMPROC, LPARAM) {
    return FALSE;
}

TEST(MonitorFunctions, OldSystemsAndMissingFunctionsFallBackToTheDesktop) {
    OSVERSIONINFOA nt4{};
    nt4.dwOSVersionInfoSize = sizeof(nt4);
    nt4.dwPlatformId = VER_PLATFORM_WIN32_NT;
    nt4.dwMajorVersion = 4;
    OSVERSIONINFOA windows98 = nt4;
    windows98.dwPlatformId = VER_PLATFORM_WIN32_WINDOWS;
    windows98.dwMinorVersion = 10;
    OSVERSIONINFOA current = nt4;
    current.dwMajorVersion = 6;
    current.dwMinorVersion = 1;
    const GetSystemMetricsProc metrics = &OtherMetrics;
    CRect desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);

    for (const OSVERSIONINFOA* old : {&nt4, &windows98}) {
        EXPECT_FALSE(HasMultipleMonitorSupport(*old, GetProcGetSystemMetrics()));
        EXPECT_EQ(GetVirtualScreenOrigin(*old, metrics), CPoint(0, 0));
        EXPECT_EQ(GetVirtualScreenSize(*old, metrics), desktop.Size());
        CPtrList rects;
        EXPECT_TRUE(GetMonitorRects(rects, *old, GetProcEnumDisplayMonitors()));
        ASSERT_EQ(rects.GetCount(), 1);
        EXPECT_EQ(CRect(*static_cast<RECT*>(rects.GetHead())), desktop);
        delete static_cast<RECT*>(rects.GetHead());
    }
    EXPECT_FALSE(HasMultipleMonitorSupport(current, nullptr));
    EXPECT_FALSE(HasMultipleMonitorSupport(current, metrics));  // no monitors counted
    EXPECT_EQ(GetVirtualScreenOrigin(current, metrics), CPoint(7, 7));
    EXPECT_EQ(GetVirtualScreenSize(current, nullptr), desktop.Size());
    // An enumeration that answers 0 gives the desktop too.
    const EnumDisplayMonitorsProc refusing = &RefusingEnumeration;
    CPtrList rects;
    EXPECT_TRUE(GetMonitorRects(rects, current, refusing));
    ASSERT_EQ(rects.GetCount(), 1);
    delete static_cast<RECT*>(rects.GetHead());

    RECT empty{5, 0, 5, 10};
    CPtrList kept;
    EXPECT_TRUE(AddMonitorRect(nullptr, nullptr, &empty, reinterpret_cast<LPARAM>(&kept)));
    EXPECT_EQ(kept.GetCount(), 0);  // no width: skipped
    EXPECT_FALSE(AddMonitorRect(nullptr, nullptr, &empty, 0));
}

}  // namespace
