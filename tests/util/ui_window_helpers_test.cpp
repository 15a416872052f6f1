// The dialog library's window, font and geometry helpers, its context help,
// its validation feedback and its icons.
#include "util/ui_icon_helpers.h"
#include "util/ui_validation.h"
#include "util/ui_window_helpers.h"

#include "platform/module.h"
#include "tests/platform/files/bitmap_files.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_ui.h"
#include "tests/util/test_resources.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace utiltest;
using testsupport::TestUi;

TEST(FontSizes, PointsAndPixelsAtNinetySixDotsPerInch) {
    struct Case {
        int points;
        int height;
    };
    for (const Case& entry : {Case{8, -10}, Case{9, -12}, Case{10, -13}, Case{12, -16}, Case{-12, -16}}) {
        EXPECT_EQ(PointsToFontHeight(entry.points), entry.height) << entry.points;
    }
    struct Pixels {
        int pixels;
        int points;
    };
    for (const Pixels& entry : {Pixels{10, 8}, Pixels{11, 8}, Pixels{13, 10}, Pixels{16, 12}, Pixels{-16, 12}}) {
        EXPECT_EQ(PixelsToPoints(entry.pixels), entry.points) << entry.pixels;
    }
    LOGFONTA font{};
    font.lfHeight = -13;
    std::memset(font.lfFaceName, 'F', sizeof(font.lfFaceName));  // not terminated
    EXPECT_EQ(GetLogFontPointSize(font), 10);
    LOGFONTA copy{};
    CopyLogFont(font, copy);
    EXPECT_EQ(copy.lfHeight, -13);
    EXPECT_EQ(std::string(copy.lfFaceName), std::string(LF_FACESIZE - 1, 'F'));
}

TEST(LoadedLibrary, RegistersItsTwoMessages) {
    EXPECT_NE(g_comboExNewItemMessage, 0u);
    EXPECT_EQ(g_comboExNewItemMessage, RegisterWindowMessageA("ComboExNewItem"));
    EXPECT_EQ(g_comboExApplyMessage, RegisterWindowMessageA("ComboExApply"));
    EXPECT_NE(g_comboExApplyMessage, g_comboExNewItemMessage);
    EXPECT_EQ(g_uiLibraryMarker, 0x5243414Du);
}

// The application's main window for the length of a test.
class MainWindow : public ::testing::Test {
protected:
    void TearDown() override { AfxGetApp()->m_pMainWnd = nullptr; }
    void Use(CWnd& window) { AfxGetApp()->m_pMainWnd = &window; }

    static HMONITOR WINAPI SomeMonitor(HWND, DWORD) { return reinterpret_cast<HMONITOR>(1); }
    static BOOL WINAPI OwnWorkArea(HMONITOR, LPMONITORINFO information) {
        information->rcWork = RECT{1, 2, 3, 4};
        return information->cbSize == 40;
    }
    static BOOL WINAPI FailingInfo(HMONITOR, LPMONITORINFO) { return FALSE; }
};

TEST_F(MainWindow, ItsAreaIsItsRectangleOrWhenMaximisedTheWorkArea) {
    RECT area{};
    EXPECT_FALSE(GetMainWindowArea(area));  // no main window
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Host", WS_POPUP, CRect(10, 20, 410, 320), nullptr, 0));
    Use(frame);
    ASSERT_TRUE(GetMainWindowArea(area));
    EXPECT_EQ(CRect(area), CRect(10, 20, 410, 320));

    frame.ShowWindow(SW_MAXIMIZE);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    ASSERT_TRUE(GetMainWindowArea(area));  // through the monitor functions of "User32"
    EXPECT_EQ(CRect(area), CRect(work));

    OSVERSIONINFOA current{};
    current.dwPlatformId = VER_PLATFORM_WIN32_NT;
    current.dwMajorVersion = 6;
    OSVERSIONINFOA nt4 = current;
    nt4.dwMajorVersion = 4;
    GetMainWindowArea(area, current, &SomeMonitor, &OwnWorkArea);
    EXPECT_EQ(CRect(area), CRect(1, 2, 3, 4));  // the monitor's work area
    GetMainWindowArea(area, nt4, &SomeMonitor, &OwnWorkArea);
    EXPECT_EQ(CRect(area), CRect(work));  // an old system asks the system
    GetMainWindowArea(area, current, &SomeMonitor, &FailingInfo);
    EXPECT_EQ(CRect(area), CRect(work));
    GetMainWindowArea(area, current, nullptr, &OwnWorkArea);
    EXPECT_EQ(CRect(area), CRect(work));
    frame.DestroyWindow();
}

TEST_F(MainWindow, TheMdiFramesClientWindow) {
    RECT rect{};
    CWnd plain;
    ASSERT_TRUE(plain.CreateEx(0, nullptr, "Plain", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    Use(plain);
    EXPECT_EQ(GetMainFrameMember(), nullptr);
    EXPECT_FALSE(GetMDIClientRect(rect, FALSE));

    CMDIFrameWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, nullptr, "Host", WS_POPUP, CRect(100, 50, 500, 450), nullptr, 0));
    ASSERT_TRUE(frame.CreateClient());
    Use(frame);
    CWnd* client = GetMainFrameMember();
    ASSERT_NE(client, nullptr);
    EXPECT_EQ(client->GetSafeHwnd(), frame.m_hWndMDIClient);
    ASSERT_TRUE(GetMDIClientRect(rect, FALSE));
    EXPECT_EQ(CRect(rect), CRect(100, 50, 500, 450));
    ASSERT_TRUE(GetMDIClientRect(rect, TRUE));
    EXPECT_EQ(CRect(rect), CRect(0, 0, 400, 400));
    frame.DestroyWindow();
    plain.DestroyWindow();
}

class Counted : public CObject {
public:
    explicit Counted(int& deleted) : deleted_(deleted) {}
    ~Counted() override { ++deleted_; }

private:
    int& deleted_;
};

TEST(ObjectCollections, TheirItemsAreDeletedAndTheyEmptied) {
    int deleted = 0;
    CObList list;
    list.AddTail(new Counted(deleted));
    list.AddTail(static_cast<CObject*>(nullptr));
    list.AddTail(new Counted(deleted));
    DeleteObListItems(&list);
    EXPECT_EQ(deleted, 2);
    EXPECT_TRUE(list.IsEmpty());
    CMapStringToOb map;
    map.SetAt("a", new Counted(deleted));
    map.SetAt("b", nullptr);
    DeleteObMapItems(&map);
    EXPECT_EQ(deleted, 3);
    EXPECT_TRUE(map.IsEmpty());
    DeleteObListItems(nullptr);
    DeleteObMapItems(nullptr);
}

TEST(WindowTextWidth, TheWidestLine) {
    CWnd window;
    ASSERT_TRUE(window.CreateEx(0, nullptr, "abc", WS_POPUP, CRect(0, 0, 100, 100), nullptr, 0));
    EXPECT_EQ(GetWindowTextWidth(&window), 3 * platform::kCharWidth);
    window.SetWindowText("ab\nlonger line\nx");
    EXPECT_EQ(GetWindowTextWidth(&window), 11 * platform::kCharWidth);
    window.SetWindowText("");
    EXPECT_EQ(GetWindowTextWidth(&window), 0);
    window.DestroyWindow();
}

// A dialog that answers the class library's help hit test.
class HelpedDialog : public CDialog {
public:
    HelpedDialog() : CDialog(kValidationDialog) {}
    afx_msg LRESULT OnHelpHitTest(WPARAM, LPARAM) { return 0x20055; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpedDialog, CDialog)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

TEST(ContextHelp, ModeHitTestOrTheSupportLibrary) {
    TestUi ui;
    HelpedDialog dialog;
    ASSERT_TRUE(dialog.Create(kValidationDialog));
    HELPINFO help{};
    help.cbSize = sizeof(help);
    help.iCtrlId = kCheckedEdit;

    ui.HoldKey(VK_F1);
    ui.HoldKey(VK_SHIFT);
    EXPECT_TRUE(HandleContextHelp(&dialog, &help, FALSE));
    ui.HoldKey(VK_SHIFT, false);
    EXPECT_TRUE(HandleContextHelp(&dialog, &help, FALSE));
    const auto calls = ui.HelpCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, platform::HelpKind::ContextHelpMode);
    EXPECT_EQ(calls[1].kind, platform::HelpKind::WinHelp);
    EXPECT_EQ(calls[1].command, HELP_CONTEXT);
    EXPECT_EQ(calls[1].data, 0x20055u);

    // Kept loaded by the test, so that what it was given can be read back.
    const HMODULE support = LoadLibraryA("Ovd.dll");
    ASSERT_NE(support, nullptr);
    const auto lastCall = platform::GetProcAddressAs<int (*)(HWND*, HWND*, DWORD*)>(support, "OvdTestLastCall");
    ASSERT_NE(lastCall, nullptr);
    EXPECT_TRUE(HandleContextHelp(&dialog, &help, TRUE));  // F1 held, but no hit test
    ui.HoldKey(VK_F1, false);
    EXPECT_TRUE(HandleContextHelp(&dialog, &help, FALSE));
    HWND shownFor = nullptr;
    HWND control = nullptr;
    DWORD reserved = 9;
    EXPECT_EQ(lastCall(&shownFor, &control, &reserved), 2);
    EXPECT_EQ(shownFor, dialog.GetSafeHwnd());
    EXPECT_EQ(control, dialog.GetDlgItem(kCheckedEdit)->GetSafeHwnd());
    EXPECT_EQ(reserved, 0u);
    EXPECT_EQ(ui.HelpCalls().size(), 2u);
    FreeLibrary(support);
    dialog.DestroyWindow();
}

class Validation : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(kValidationDialog));
        rows = static_cast<CListCtrl*>(dialog.GetDlgItem(kCheckedRows));
        rows->InsertColumn(0, "Name", LVCFMT_LEFT, 50);
        rows->InsertColumn(1, "Value", LVCFMT_LEFT, 50);
        const char* cells[][2] = {{"a", "x"}, {"b", "y"}, {"c", "z"}};
        for (int row = 0; row < 3; ++row) {
            rows->InsertItem(row, cells[row][0]);
            rows->SetItemText(row, 1, cells[row][1]);
        }
        for (int id : {kCheckedList, kCheckedMultiList}) {
            for (const char* item : {"one", "two", "three"}) {
                static_cast<CListBox*>(dialog.GetDlgItem(id))->AddString(item);
            }
        }
    }
    void TearDown() override { dialog.DestroyWindow(); }

    void Show(DWORD id, DWORD kind, std::initializer_list<const char*> entries) {
        CValidationMessage message;
        message.m_text = "Check this field.";
        for (const char* entry : entries) {
            message.m_entries.AddTail(entry);
        }
        ShowValidationError(message, CValidationControl{id, kind}, &dialog);
    }
    HWND Control(int id) { return dialog.GetDlgItem(id)->GetSafeHwnd(); }

    TestUi ui;
    CDialog dialog;
    CListCtrl* rows = nullptr;
};

TEST_F(Validation, AnEditFieldIsFocusedWithItsWholeTextSelected) {
    dialog.SetDlgItemText(kCheckedEdit, "hello");
    Show(kCheckedEdit, kValidationEdit, {});
    const auto boxes = ui.MessageBoxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Check this field.");
    EXPECT_EQ(boxes[0].Buttons(), MB_OK);
    EXPECT_EQ(GetFocus(), Control(kCheckedEdit));
    DWORD start = 9;
    DWORD end = 9;
    SendMessageA(Control(kCheckedEdit), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 5u);
}

TEST_F(Validation, ListControlRowsOfTheEntriesAreSelected) {
    rows->SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    Show(kCheckedRows, kValidationListControlAlt, {"B", "cz", "none"});
    EXPECT_EQ(GetFocus(), Control(kCheckedRows));
    EXPECT_EQ(rows->GetItemState(0, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));  // kept
    EXPECT_EQ(rows->GetItemState(1, LVIS_SELECTED), static_cast<UINT>(LVIS_SELECTED));
    EXPECT_EQ(rows->GetItemState(2, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
}

TEST_F(Validation, ListBoxesSelectTheirEntries) {
    auto* single = static_cast<CListBox*>(dialog.GetDlgItem(kCheckedList));
    auto* multiple = static_cast<CListBox*>(dialog.GetDlgItem(kCheckedMultiList));
    Show(kCheckedList, kValidationListBox, {"TWO", "one"});
    EXPECT_EQ(single->GetCurSel(), 1);  // the first entry only, ignoring case
    Show(kCheckedList, kValidationListBoxAlt2, {"none"});
    EXPECT_EQ(single->GetCurSel(), -1);
    multiple->SetSel(0, TRUE);
    Show(kCheckedMultiList, kValidationListBoxAlt, {"three", "none", "Two"});
    EXPECT_EQ(multiple->GetSel(0), 0);
    EXPECT_EQ(multiple->GetSel(1), 1);
    EXPECT_EQ(multiple->GetSel(2), 1);
    EXPECT_EQ(GetFocus(), Control(kCheckedMultiList));
}

TEST_F(Validation, AComboBoxLosesItsEditSelection) {
    auto* combo = static_cast<CComboBox*>(dialog.GetDlgItem(kCheckedCombo));
    combo->SetWindowText("abc");
    combo->SetEditSel(0, 3);
    Show(kCheckedCombo, kValidationComboBox, {});
    const DWORD selection = combo->GetEditSel();
    EXPECT_EQ(LOWORD(selection), HIWORD(selection));
}

TEST_F(Validation, WithoutADialogNothingAndWithoutTheControlOnlyTheMessage) {
    CValidationMessage message;
    message.m_text = "x";
    ShowValidationError(message, CValidationControl{kCheckedEdit, kValidationEdit}, nullptr);
    EXPECT_TRUE(ui.MessageBoxes().empty());
    const HWND before = GetFocus();
    Show(4711, kValidationEdit, {});
    EXPECT_EQ(ui.MessageBoxes().size(), 1u);
    EXPECT_EQ(GetFocus(), before);
    Show(kCheckedEdit, 'Z', {});  // any other kind: focused, nothing marked
    EXPECT_EQ(GetFocus(), Control(kCheckedEdit));
}

TEST(IconHelpers, FromResourceBitmapsAndBitmapFiles) {
    testing_support::TempFolder folder;
    folder.Write("image.bmp", test_bitmaps::SmallBitmap());
    folder.Write("mask.bmp", test_bitmaps::SmallBitmap());
    const std::string image = folder.Windows("image.bmp");
    const std::string mask = folder.Windows("mask.bmp");
    const std::string missing = folder.Windows("missing.bmp");

    const HICON icons[] = {
        MakeIconFromBitmaps(kImageBitmap, kMaskBitmap),
        MakeIconFromBitmapFiles(image.c_str(), mask.c_str()),
        MakeIconFromFileAndBitmap(image.c_str(), kMaskBitmap),
        MakeIconFromBitmapAndFile(kImageBitmap, mask.c_str()),
    };
    for (HICON icon : icons) {
        EXPECT_NE(icon, nullptr);
        EXPECT_TRUE(DestroyIcon(icon));
    }
    EXPECT_EQ(MakeIconFromBitmaps(kImageBitmap, 4711), nullptr);
    EXPECT_EQ(MakeIconFromBitmapFiles(image.c_str(), missing.c_str()), nullptr);
    EXPECT_EQ(MakeIconFromFileAndBitmap(missing.c_str(), kMaskBitmap), nullptr);
}

}  // namespace
