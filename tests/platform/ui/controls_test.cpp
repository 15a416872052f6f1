// The controls keep their state and answer their messages as the system's
// do, and a person's actions on them notify the dialog.
#include "platform/afx.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace uitest;

// The controls dialog, run modeless, with a log of its notifications.
class ControlsDialog : public CDialog {
public:
    std::vector<std::string> log;

protected:
    afx_msg void OnListChanged() { log.push_back("list changed"); }
    afx_msg void OnMultiChanged() { log.push_back("multi changed"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ControlsDialog, CDialog)
    ON_LBN_SELCHANGE(kList, OnListChanged)
    ON_LBN_SELCHANGE(kMultiList, OnMultiChanged)
END_MESSAGE_MAP()

class ControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(kControlsDialog));
        dialog.ShowWindow(SW_SHOW);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    template <typename Control>
    Control& Item(int id) {
        return *static_cast<Control*>(dialog.GetDlgItem(id));
    }

    testsupport::TestUi ui;
    ControlsDialog dialog;
};

TEST_F(ControlsTest, ASingleSelectionListBox) {
    auto& list = Item<CListBox>(kList);
    list.AddString("beta");
    list.AddString("Alpha");
    list.AddString("gamma");
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_EQ(list.FindStringExact(-1, "ALPHA"), 1);  // without regard to case
    EXPECT_EQ(list.FindString(1, "g"), 2);
    EXPECT_EQ(list.FindString(2, "b"), 0);  // the search wraps round
    EXPECT_EQ(list.FindStringExact(-1, "delta"), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);
    EXPECT_EQ(list.SetCurSel(2), 2);
    EXPECT_EQ(list.GetSel(2), 1);
    EXPECT_EQ(list.GetSelCount(), LB_ERR);  // for multiple selection only
    EXPECT_EQ(list.SetCurSel(7), LB_ERR);
    EXPECT_EQ(list.GetCurSel(), LB_ERR);  // an index past the end clears the selection
    CString text;
    list.GetText(0, text);
    EXPECT_EQ(text, "beta");
    EXPECT_EQ(list.GetTextLen(9), LB_ERR);
    list.SetItemData(1, 0xABCD);
    list.SetCurSel(1);
    EXPECT_EQ(list.DeleteString(0), 2);
    EXPECT_EQ(list.GetCurSel(), 0);  // the selection moved up with its item
    EXPECT_EQ(list.GetItemData(0), 0xABCDu);
    EXPECT_TRUE(dialog.log.empty());  // programs are not notified of their own changes

    platform::UiDialog person(dialog.m_hWnd);
    EXPECT_TRUE(person.Select(kList, "gamma"));
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"list changed"}));
}

TEST_F(ControlsTest, AMultipleSelectionListBox) {
    auto& list = Item<CListBox>(kMultiList);
    for (const char* text : {"a", "b", "c", "d"}) {
        list.AddString(text);
    }
    EXPECT_EQ(list.SetCurSel(1), LB_ERR);  // for single selection only
    list.SetSel(1);
    list.SetSel(3);
    EXPECT_EQ(list.GetSelCount(), 2);
    int selected[4] = {};
    EXPECT_EQ(list.GetSelItems(4, selected), 2);
    EXPECT_EQ(selected[0], 1);
    EXPECT_EQ(selected[1], 3);
    EXPECT_EQ(list.GetSelItems(1, selected), 1);  // no more than asked for
    list.SetSel(-1, FALSE);
    EXPECT_EQ(list.GetSelCount(), 0);
    EXPECT_EQ(list.SetCaretIndex(2), 0);
    EXPECT_EQ(list.GetCaretIndex(), 2);

    platform::UiDialog person(dialog.m_hWnd);
    EXPECT_TRUE(person.Select(kMultiList, "a"));
    EXPECT_TRUE(person.Select(kMultiList, "c"));
    const platform::DialogView view = person.View();
    ASSERT_NE(view.Find(kMultiList), nullptr);
    EXPECT_EQ(view.Find(kMultiList)->selections, (std::vector<int>{0, 2}));
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"multi changed", "multi changed"}));
}

TEST(ComboBox, ItemsSearchesAndTheEditField) {
    const HWND parent =
        CreateWindowExA(0, nullptr, "parent", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    CComboBox sorted;
    ASSERT_TRUE(sorted.Create(CBS_DROPDOWN | CBS_SORT, CRect(0, 0, 80, 80), CWnd::FromHandle(parent), 1));
    for (const char* text : {"pear", "Apple", "plum", "banana"}) {
        sorted.AddString(text);
    }
    CString text;
    sorted.GetLBText(0, text);
    EXPECT_EQ(text, "Apple");
    sorted.GetLBText(3, text);
    EXPECT_EQ(text, "plum");
    EXPECT_EQ(sorted.FindString(-1, "P"), 2);
    EXPECT_EQ(sorted.FindString(2, "P"), 3);
    EXPECT_EQ(sorted.FindString(3, "p"), 2);  // wraps round
    EXPECT_EQ(sorted.FindStringExact(-1, "PLUM"), 3);
    EXPECT_EQ(sorted.SelectString(-1, "ban"), 1);
    sorted.GetWindowText(text);
    EXPECT_EQ(text, "banana");
    EXPECT_EQ(sorted.GetEditSel(), static_cast<DWORD>(MAKELONG(0, 6)));  // choosing selects the edit text
    sorted.SetEditSel(2, -1);
    EXPECT_EQ(sorted.GetEditSel(), static_cast<DWORD>(MAKELONG(2, 6)));
    sorted.SetWindowText("cherry");  // an editable combo box takes any text
    EXPECT_EQ(sorted.GetCurSel(), 1);
    EXPECT_EQ(sorted.SetItemData(9, 1), CB_ERR);
    EXPECT_EQ(sorted.GetItemData(9), static_cast<DWORD_PTR>(CB_ERR));
    EXPECT_EQ(sorted.DeleteString(1), 3);
    EXPECT_EQ(sorted.GetCurSel(), CB_ERR);

    CComboBox list;
    ASSERT_TRUE(list.Create(CBS_DROPDOWNLIST, CRect(0, 0, 80, 80), CWnd::FromHandle(parent), 2));
    list.AddString("one");
    list.AddString("two");
    EXPECT_EQ(list.GetEditSel(), static_cast<DWORD>(CB_ERR));  // a drop-down list has no edit field
    EXPECT_EQ(list.SetEditSel(0, 1), CB_ERR);
    EXPECT_EQ(list.LimitText(3), CB_ERR);
    EXPECT_EQ(list.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("TWO")), TRUE);  // one of its items
    EXPECT_EQ(list.GetCurSel(), 1);
    EXPECT_EQ(list.SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("three")), CB_ERR);
    list.GetWindowText(text);
    EXPECT_EQ(text, "two");
    EXPECT_EQ(list.SetCurSel(-1), CB_ERR);
    list.GetWindowText(text);
    EXPECT_EQ(text, "");
    DestroyWindow(parent);
}

TEST_F(ControlsTest, AnEditFieldsLimitSelectionAndReadOnlyState) {
    platform::UiDialog person(dialog.m_hWnd);
    auto& edit = Item<CEdit>(kSpinBuddy);
    edit.LimitText(5);
    EXPECT_TRUE(person.Type(kSpinBuddy, "123456"));
    CString text;
    edit.GetWindowText(text);
    EXPECT_EQ(text, "12345");  // the sixth key found no room
    int start = 0;
    int end = 0;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 5);
    edit.SetSel(1, 3);
    edit.ReplaceSel("xy");
    edit.GetWindowText(text);
    EXPECT_EQ(text, "1xy45");
    edit.SetSel(4, 100);  // past the end is the end
    edit.GetSel(start, end);
    EXPECT_EQ(end, 5);
    EXPECT_TRUE(person.Type(kSpinBuddy, "\b"));
    edit.GetWindowText(text);
    EXPECT_EQ(text, "1xy4");
    EXPECT_TRUE(edit.GetModify());
    edit.SetWindowText("set");  // a program's text resets the modified flag and may pass the limit
    EXPECT_FALSE(edit.GetModify());

    EXPECT_FALSE(person.SetText(kReadOnly, "x"));
    EXPECT_NE(person.Failure().find("read-only"), std::string::npos);
    EXPECT_TRUE(person.Type(kReadOnly, "x"));  // typing into it only beeps
    EXPECT_EQ(ui.Beeps().size(), 1u);
    EXPECT_EQ(person.Text(kReadOnly), "");
}

// Records the keys that reach an edit control, in order.
class KeyRecorder : public CEdit {
public:
    std::vector<std::pair<UINT, WPARAM>> keys;
    afx_msg void OnKeyDown(UINT key, UINT, UINT) {
        keys.emplace_back(WM_KEYDOWN, key);
        Default();
    }
    afx_msg void OnChar(UINT key, UINT, UINT) {
        keys.emplace_back(WM_CHAR, key);
        Default();
    }
    afx_msg void OnKeyUp(UINT key, UINT, UINT) {
        CString text;
        GetWindowText(text);
        keys.emplace_back(WM_KEYUP, static_cast<WPARAM>(text.GetLength()));  // what the key typed is in
        Default();
        static_cast<void>(key);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyRecorder, CEdit)
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
    ON_WM_KEYUP()
END_MESSAGE_MAP()

TEST_F(ControlsTest, TypingPressesTypesAndReleasesEachKey) {
    KeyRecorder edit;
    ASSERT_TRUE(edit.SubclassDlgItem(kSpinBuddy, &dialog));
    platform::UiDialog person(dialog.m_hWnd);
    EXPECT_TRUE(person.Type(kSpinBuddy, "a1"));
    const std::vector<std::pair<UINT, WPARAM>> expected = {
        {WM_KEYDOWN, 'A'}, {WM_CHAR, 'a'}, {WM_KEYUP, 1}, {WM_KEYDOWN, '1'}, {WM_CHAR, '1'}, {WM_KEYUP, 2}};
    EXPECT_EQ(edit.keys, expected);
    edit.UnsubclassWindow();
}

TEST_F(ControlsTest, ButtonsAndRadioGroups) {
    const HWND window = dialog.m_hWnd;
    EXPECT_EQ(SendDlgItemMessageA(window, kDisabled, BM_CLICK, 0, 0), 0);  // a disabled button takes no click
    const HWND parent =
        CreateWindowExA(0, nullptr, "radios", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr, nullptr, nullptr);
    const auto make = [parent](int id, DWORD style) {
        return CreateWindowExA(0, "Button", "", WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, parent,
                               reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    };
    make(1, BS_AUTORADIOBUTTON | WS_GROUP);
    make(2, BS_AUTORADIOBUTTON);
    make(3, BS_AUTORADIOBUTTON | WS_GROUP);  // a second group
    make(4, BS_AUTO3STATE | WS_GROUP);
    CheckDlgButton(parent, 1, BST_CHECKED);
    CheckDlgButton(parent, 3, BST_CHECKED);
    SendDlgItemMessageA(parent, 2, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(parent, 1), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(parent, 2), static_cast<UINT>(BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(parent, 3), static_cast<UINT>(BST_CHECKED));  // not of this group
    CheckRadioButton(parent, 1, 3, 1);
    EXPECT_EQ(IsDlgButtonChecked(parent, 2), static_cast<UINT>(BST_UNCHECKED));
    EXPECT_EQ(IsDlgButtonChecked(parent, 3), static_cast<UINT>(BST_UNCHECKED));
    SendDlgItemMessageA(parent, 4, BM_CLICK, 0, 0);
    SendDlgItemMessageA(parent, 4, BM_CLICK, 0, 0);
    EXPECT_EQ(IsDlgButtonChecked(parent, 4), static_cast<UINT>(BST_INDETERMINATE));
    DestroyWindow(parent);
}

TEST_F(ControlsTest, AReportListControl) {
    auto& report = Item<CListCtrl>(kReport);
    EXPECT_EQ(report.InsertColumn(0, "Name", LVCFMT_LEFT, 60), 0);
    EXPECT_EQ(report.InsertColumn(1, "Value", LVCFMT_RIGHT, 40), 1);
    LVCOLUMNA column{};
    column.mask = LVCF_WIDTH;
    EXPECT_FALSE(report.GetColumn(2, &column));  // how a column count is found
    char heading[8] = {};
    column.mask = LVCF_TEXT | LVCF_FMT;
    column.pszText = heading;
    column.cchTextMax = sizeof(heading);
    ASSERT_TRUE(report.GetColumn(1, &column));
    EXPECT_STREQ(heading, "Value");
    EXPECT_EQ(column.fmt, LVCFMT_RIGHT);

    EXPECT_EQ(report.InsertItem(0, "first"), 0);
    EXPECT_EQ(report.InsertItem(5, "second"), 1);  // past the end is the end
    EXPECT_EQ(report.InsertItem(0, "zeroth"), 0);
    report.SetItemText(1, 1, "42");
    report.SetItemData(2, 77);
    EXPECT_EQ(report.GetItemText(1, 0), "first");
    EXPECT_EQ(report.GetItemText(1, 1), "42");
    EXPECT_EQ(report.GetItemText(0, 1), "");
    EXPECT_EQ(report.GetItemData(2), 77u);
    EXPECT_EQ(report.GetNextItem(-1, LVNI_SELECTED), -1);

    report.SetItemState(0, LVIS_SELECTED, LVIS_SELECTED);
    report.SetItemState(2, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    EXPECT_EQ(report.GetSelectedCount(), 2u);
    EXPECT_EQ(report.GetNextItem(0, LVNI_SELECTED), 2);
    EXPECT_EQ(report.GetNextItem(-1, LVNI_FOCUSED), 2);
    report.SetItemState(1, LVIS_FOCUSED, LVIS_FOCUSED);  // one row at most has the focus
    EXPECT_EQ(report.GetItemState(2, LVIS_FOCUSED), 0u);

    // Rows lie below a 20-pixel header, 16 pixels each.
    CRect rect;
    ASSERT_TRUE(report.GetItemRect(1, &rect, LVIR_BOUNDS));
    EXPECT_EQ(rect, CRect(0, 36, 100, 52));
    UINT flags = 0;
    EXPECT_EQ(report.HitTest(CPoint(10, 40), &flags), 1);
    EXPECT_NE(flags & LVHT_ONITEM, 0u);
    EXPECT_EQ(report.HitTest(CPoint(10, 80), &flags), -1);
    EXPECT_EQ(flags, LVHT_NOWHERE);

    // A click selects only the row under it; a click below the rows clears.
    platform::UiDialog person(dialog.m_hWnd);
    EXPECT_TRUE(person.Select(kReport, "zeroth"));
    EXPECT_EQ(report.GetSelectedCount(), 1u);
    EXPECT_EQ(report.GetNextItem(-1, LVNI_SELECTED | LVNI_FOCUSED), 0);
    report.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 90));
    EXPECT_EQ(report.GetSelectedCount(), 0u);
    const platform::DialogView view = person.View();
    EXPECT_EQ(view.Find(kReport)->items, (std::vector<std::string>{"zeroth|", "first|42", "second|"}));

    EXPECT_EQ(report.GetStringWidth("abcd"), 4 * platform::kCharWidth);
    report.SetColumnWidth(0, LVSCW_AUTOSIZE);
    EXPECT_EQ(report.GetColumnWidth(0), 6 * platform::kCharWidth + 12);  // "zeroth" and "second"
    EXPECT_TRUE(report.DeleteItem(0));
    EXPECT_FALSE(report.DeleteItem(9));
    EXPECT_EQ(report.GetItemCount(), 2);
}

TEST_F(ControlsTest, ATreeControl) {
    auto& tree = Item<CTreeCtrl>(kTree);
    const HTREEITEM root = tree.InsertItem("root");
    const HTREEITEM second = tree.InsertItem("second", root);
    const HTREEITEM first = tree.InsertItem("first", root, TVI_FIRST);
    const HTREEITEM leaf = tree.InsertItem("leaf", second);
    tree.SetItemData(leaf, 5);
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetRootItem(), root);
    EXPECT_EQ(tree.GetChildItem(root), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_EQ(tree.GetNextSiblingItem(second), nullptr);
    EXPECT_EQ(tree.GetChildItem(second), leaf);
    EXPECT_EQ(tree.GetParentItem(leaf), second);
    EXPECT_EQ(tree.GetItemText(leaf), "leaf");
    EXPECT_EQ(tree.GetItemData(leaf), 5u);
    EXPECT_TRUE(tree.SelectItem(leaf));
    EXPECT_EQ(tree.GetSelectedItem(), leaf);
    EXPECT_EQ(tree.InsertItem("orphan", reinterpret_cast<HTREEITEM>(static_cast<ULONG_PTR>(999))), nullptr);
    EXPECT_TRUE(tree.DeleteItem(second));  // with its children
    EXPECT_EQ(tree.GetCount(), 2u);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr);
    EXPECT_EQ(tree.GetItemText(leaf), "");
    EXPECT_TRUE(tree.DeleteAllItems());
    EXPECT_EQ(tree.GetRootItem(), nullptr);
}

TEST_F(ControlsTest, SpinProgressAndAnimationControls) {
    auto& spin = Item<CSpinButtonCtrl>(kSpin);
    int lower = 0;
    int upper = 0;
    spin.GetRange(lower, upper);
    EXPECT_EQ(lower, 100);  // the system's initial range runs backwards
    EXPECT_EQ(upper, 0);
    spin.SetRange(0, 15);
    EXPECT_EQ(spin.SetPos(20), 0);
    EXPECT_EQ(spin.GetPos(), 15);
    EXPECT_EQ(spin.GetBuddy()->GetDlgCtrlID(), kSpinBuddy);  // the control made before it
    EXPECT_EQ(platform::UiDialog(dialog.m_hWnd).Text(kSpinBuddy), "15");

    auto& progress = Item<CProgressCtrl>(kProgress);
    progress.SetRange(0, 100);
    EXPECT_EQ(progress.SetPos(40), 0);
    EXPECT_EQ(progress.OffsetPos(70), 40);
    EXPECT_EQ(progress.GetPos(), 100);
    progress.SetStep(10);
    progress.StepIt();
    EXPECT_EQ(progress.GetPos(), 0);  // past the end it starts over

    auto& animation = Item<CAnimateCtrl>(kAnimation);
    EXPECT_FALSE(animation.Play(0, static_cast<UINT>(-1), static_cast<UINT>(-1)));  // nothing open
    EXPECT_FALSE(animation.Open(999));
    ASSERT_TRUE(animation.Open(kAnimationResource));
    EXPECT_FALSE(animation.Play(0, 8, 1));  // frames 0 to 7
    EXPECT_TRUE(animation.Play(0, static_cast<UINT>(-1), static_cast<UINT>(-1)));
    EXPECT_TRUE(animation.IsPlaying());
    EXPECT_TRUE(animation.Stop());
    EXPECT_FALSE(animation.IsPlaying());
    EXPECT_TRUE(animation.Close());
}

TEST(StaticControl, ShowsAnIconFromTheResources) {
    const HWND parent =
        CreateWindowExA(0, nullptr, "parent", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
    CStatic picture;
    ASSERT_TRUE(picture.Create("", WS_VISIBLE | SS_ICON, CRect(0, 0, 16, 16), CWnd::FromHandle(parent)));
    const HICON icon = LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(kIcon));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(picture.SetIcon(icon), nullptr);
    EXPECT_EQ(picture.GetIcon(), icon);
    EXPECT_EQ(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCE(9999)), nullptr);
    DestroyIcon(icon);
    DestroyWindow(parent);
}

}  // namespace
