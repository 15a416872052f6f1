// The dialog library's list-box, combo-box, list-control and tree helpers on
// the layer's real controls.
#include "util/ui_list_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class ListHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP, CRect(0, 0, 300, 300), nullptr, 0));
        ASSERT_TRUE(single.Create(WS_CHILD | LBS_NOTIFY, CRect(0, 0, 100, 100), &parent, 1));
        ASSERT_TRUE(multiple.Create(WS_CHILD | LBS_EXTENDEDSEL, CRect(0, 0, 100, 100), &parent, 2));
        ASSERT_TRUE(combo.Create(WS_CHILD | CBS_DROPDOWN, CRect(0, 0, 100, 100), &parent, 3));
        ASSERT_TRUE(rows.Create(WS_CHILD | LVS_REPORT, CRect(0, 0, 200, 100), &parent, 4));
        rows.InsertColumn(0, "Name", LVCFMT_LEFT, 100);
        rows.InsertColumn(1, "Value", LVCFMT_LEFT, 100);
    }
    void TearDown() override { parent.DestroyWindow(); }

    static std::vector<std::string> Items(const CListBox& list) {
        std::vector<std::string> items;
        for (int i = 0; i < list.GetCount(); ++i) {
            CString text;
            list.GetText(i, text);
            items.push_back(text.Str());
        }
        return items;
    }
    static std::vector<std::string> Items(const CComboBox& box) {
        std::vector<std::string> items;
        for (int i = 0; i < box.GetCount(); ++i) {
            CString text;
            box.GetLBText(i, text);
            items.push_back(text.Str());
        }
        return items;
    }
    static std::vector<int> Values(const CIntList& list) {
        std::vector<int> values;
        for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
            values.push_back(list.GetNext(at));
        }
        return values;
    }
    static std::vector<std::string> Texts(const CStringList& list) {
        std::vector<std::string> texts;
        for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
            texts.push_back(list.GetNext(at).Str());
        }
        return texts;
    }
    void AddRow(int row, const std::string& name, const char* value, int image, LPARAM data) {
        rows.InsertItem(row, name.c_str(), image);
        rows.SetItemText(row, 1, value);
        rows.SetItemData(row, static_cast<DWORD_PTR>(data));
    }

    CWnd parent;
    CListBox single;
    CListBox multiple;
    CComboBox combo;
    CListCtrl rows;
};

TEST_F(ListHelpers, ExactFindsWithAndWithoutCase) {
    for (const char* item : {"abc", "ABC"}) {
        single.AddString(item);
        combo.AddString(item);
    }
    EXPECT_EQ(FindListBoxStringExact("ABC", &single, TRUE), 1);
    EXPECT_EQ(FindListBoxStringExact("ABC", &single, FALSE), 0);
    EXPECT_EQ(FindListBoxStringExact("Abc", &single, TRUE), -1);  // the search wraps: no endless walk
    EXPECT_EQ(FindListBoxStringExact("", &single, TRUE), -1);
    EXPECT_EQ(FindListBoxStringExact("abc", nullptr, TRUE), -1);
    EXPECT_EQ(FindComboBoxStringExact("ABC", &combo, TRUE), 1);
    EXPECT_EQ(FindComboBoxStringExact("ABC", &combo, FALSE), 0);
}

TEST_F(ListHelpers, FillingAddsEachTextOnceWithCase) {
    CStringList texts;
    for (const char* text : {"a", "A", "a", ""}) {
        texts.AddTail(text);
    }
    FillListBoxFromList(texts, &single);
    EXPECT_EQ(Items(single), (std::vector<std::string>{"a", "A"}));
    FillComboBoxFromList(texts, &combo);
    EXPECT_EQ(Items(combo), (std::vector<std::string>{"a", "A"}));

    CComboBox arrays;
    ASSERT_TRUE(arrays.Create(WS_CHILD | CBS_DROPDOWNLIST, CRect(0, 0, 100, 100), &parent, 5));
    CStringArray names;
    CDWordArray data;
    for (const char* name : {"x", "", "y"}) {
        names.Add(name);
    }
    data.Add(7);
    data.Add(8);
    data.Add(9);
    FillComboBoxFromArrays(names, data, &arrays);
    EXPECT_EQ(Items(arrays), std::vector<std::string>{"x"});
    EXPECT_EQ(arrays.GetItemData(0), 7u);
    // The data array's end stops the fill too.
    names.RemoveAll();
    names.Add("p");
    names.Add("q");
    data.SetSize(1);
    FillComboBoxFromArrays(names, data, &arrays);
    EXPECT_EQ(Items(arrays), (std::vector<std::string>{"x", "p"}));
}

TEST_F(ListHelpers, SelectionsOfSingleAndMultipleListBoxes) {
    for (const char* item : {"one", "two=2", "", "three=3"}) {
        single.AddString(item);
        multiple.AddString(item);
    }
    CIntList indexes;
    GetListBoxSelectedIndexes(indexes, &single);
    EXPECT_TRUE(indexes.IsEmpty());
    EXPECT_EQ(GetListBoxSelectionCount(&single), 0);
    EXPECT_EQ(SelectListBoxIndex(1, &single), 1);
    GetListBoxSelectedIndexes(indexes, &single);
    EXPECT_EQ(Values(indexes), std::vector<int>{1});
    EXPECT_EQ(GetListBoxSelectionCount(&single), 1);
    EXPECT_EQ(GetListBoxFocusedSelection(&single), 1);
    EXPECT_EQ(SelectListBoxIndex(-1, &single), -1);

    SelectListBoxIndex(1, &multiple);
    SelectListBoxIndex(3, &multiple);  // adds to the selection
    CStringList selected;
    GetListBoxSelectedTexts(selected, &multiple);
    EXPECT_EQ(Texts(selected), (std::vector<std::string>{"two=2", "three=3"}));
    EXPECT_EQ(GetListBoxSelectionCount(&multiple), 2);
    multiple.SetCaretIndex(3);
    EXPECT_EQ(GetListBoxFocusedSelection(&multiple), 3);
    multiple.SetCaretIndex(0);
    EXPECT_EQ(GetListBoxFocusedSelection(&multiple), -1);  // the caret item is not selected
    SelectListBoxString("one", &multiple);  // a multiple box only moves its caret
    EXPECT_EQ(multiple.GetCaretIndex(), 0);
    EXPECT_EQ(multiple.GetSel(0), 0);
    SelectListBoxString("three=3", &single);
    EXPECT_EQ(single.GetCurSel(), 3);

    CStringList texts;
    GetListBoxTexts(texts, &single);
    EXPECT_EQ(Texts(texts), (std::vector<std::string>{"one", "two=2", "three=3"}));
    CStringList names;
    GetListBoxEntryNames(names, &single);
    EXPECT_EQ(Texts(names), (std::vector<std::string>{"two", "three"}));
    CIntList at;
    at.AddTail(3);
    at.AddTail(0);
    CStringList picked;
    EXPECT_TRUE(GetListBoxTextsAt(at, &picked, &single));
    EXPECT_EQ(Texts(picked), (std::vector<std::string>{"three=3", "one"}));
    EXPECT_FALSE(GetListBoxTextsAt(at, nullptr, &single));
    CString buffer = "stale";
    EXPECT_EQ(GetListBoxItemText(1, &buffer, &single).Str(), "two=2");
    EXPECT_EQ(GetListBoxItemText(9, &buffer, &single).Str(), "");
    EXPECT_EQ(buffer.Str(), "");
    EXPECT_EQ(GetListBoxItemText(1, nullptr, &single).Str(), "");
}

TEST_F(ListHelpers, RemovingAndRenaming) {
    for (const char* item : {"Alpha", "alpha", "beta"}) {
        multiple.AddString(item);
        combo.AddString(item);
    }
    RemoveListBoxString("alpha", &multiple, TRUE);
    EXPECT_EQ(Items(multiple), (std::vector<std::string>{"Alpha", "beta"}));
    RenameListBoxString("beta", "gamma", &multiple);
    EXPECT_EQ(Items(multiple), (std::vector<std::string>{"Alpha", "gamma"}));
    EXPECT_EQ(multiple.GetSel(1), 1);
    RenameListBoxString("none", "delta", &multiple);
    EXPECT_EQ(Items(multiple), (std::vector<std::string>{"Alpha", "gamma"}));
    CStringList gone;
    gone.AddTail("ALPHA");
    gone.AddTail("beta");
    RemoveComboBoxStrings(gone, &combo, FALSE);
    EXPECT_EQ(Items(combo), std::vector<std::string>{"alpha"});
}

TEST_F(ListHelpers, ComboBoxItemData) {
    AddComboBoxStringWithData("Abc", 5, &combo);
    AddComboBoxStringWithData("xyz", 6, &combo);
    AddComboBoxStringWithData("Abc", 9, &combo);  // present: not added, data kept
    DWORD data = 77;
    EXPECT_EQ(GetComboBoxItemDataByText("ab", data, &combo), 0);
    EXPECT_EQ(data, 5u);
    data = 77;
    EXPECT_EQ(GetComboBoxItemDataByText("q", data, &combo), 1);
    EXPECT_EQ(data, 77u);
    EXPECT_EQ(SelectComboBoxByItemData(6, &combo), 0);
    EXPECT_EQ(combo.GetCurSel(), 1);
    EXPECT_EQ(SelectComboBoxByItemData(8, &combo), -1);
    DeleteComboBoxByItemData(5, &combo);
    EXPECT_EQ(Items(combo), std::vector<std::string>{"xyz"});
}

TEST_F(ListHelpers, MovingRowsCarriesTheirFirstCellStateAndData) {
    const std::string longName(1500, 'L');
    AddRow(0, "r0", "v0", 0, 100);
    AddRow(1, "r1", "v1", 1, 101);
    AddRow(2, "r2", "v2", 2, 102);
    AddRow(3, longName, "v3", 3, 103);
    rows.SetItemState(3, LVIS_FOCUSED, LVIS_FOCUSED);
    EXPECT_FALSE(MoveRowUp(&rows, 0));
    EXPECT_FALSE(MoveRowDown(&rows, 3));
    EXPECT_FALSE(MoveRowUp(nullptr, 1));
    EXPECT_EQ(GetFirstSelectedRow(&rows), -1);

    EXPECT_TRUE(MoveRowToTop(&rows, 3));
    EXPECT_EQ(rows.GetItemText(0, 0).Str().size(), 1023u);  // the library's own reader stops at 1023
    char whole[2048] = {};
    rows.GetItemText(0, 0, whole, sizeof(whole));
    EXPECT_EQ(std::string(whole), longName);  // moved whole
    EXPECT_EQ(rows.GetItemData(0), 103u);
    EXPECT_EQ(rows.GetItemState(0, LVIS_SELECTED | LVIS_FOCUSED), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(rows.GetItemText(1, 0).Str(), "r0");
    EXPECT_EQ(rows.GetItemText(3, 0).Str(), "r2");
    // The other columns stay where they were.
    EXPECT_EQ(rows.GetItemText(0, 1).Str(), "v0");
    EXPECT_EQ(GetFirstSelectedRow(&rows), 0);

    EXPECT_TRUE(MoveRowToBottom(&rows, 0));
    EXPECT_EQ(rows.GetItemData(3), 103u);
    EXPECT_FALSE(MoveRowToBottom(&rows, 3));
    EXPECT_FALSE(MoveRowToTop(&rows, 0));
}

TEST_F(ListHelpers, TreeItemsDepthFirst) {
    CTreeCtrl tree;
    ASSERT_TRUE(tree.Create(WS_CHILD, CRect(0, 0, 100, 100), &parent, 6));
    const HTREEITEM a = tree.InsertItem("a");
    const HTREEITEM a1 = tree.InsertItem("a1", a);
    const HTREEITEM a1x = tree.InsertItem("a1x", a1);
    const HTREEITEM a2 = tree.InsertItem("a2", a);
    const HTREEITEM b = tree.InsertItem("b");
    CTreeItemList items;
    CollectTreeItems(&tree, TVI_ROOT, items);
    std::vector<HTREEITEM> order;
    for (POSITION at = items.GetHeadPosition(); at != nullptr;) {
        order.push_back(items.GetNext(at));
    }
    EXPECT_EQ(order, (std::vector<HTREEITEM>{a, a1, a1x, a2, b}));
}

}  // namespace
