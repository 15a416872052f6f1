// The manager's dynamic item lists and the menus and id-text items that
// follow them through the host.
#include "hostui/host_ui_manager.h"

#include "tests/hostui/test_resources.h"
#include "tests/hostui/ui_fixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace hostuitest;

constexpr DWORD kNone = CUiItemList::kNoExplicitId;

class ItemLists : public ManagerFixture {
protected:
    // The list's items as "text/second/third/id".
    std::vector<std::string> Items(DWORD listId) {
        CUiItemList list;
        EXPECT_TRUE(manager.GetItemList(listId, list));
        std::vector<std::string> items;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            items.push_back(list.itemTexts[i].Str() + "/" + list.secondTexts[i].Str() + "/" +
                            list.thirdTexts[i].Str() + "/" + std::to_string(list.commandIds[i]));
        }
        EXPECT_EQ(list.secondTexts.size(), list.Count());
        EXPECT_EQ(list.thirdTexts.size(), list.Count());
        EXPECT_EQ(list.commandIds.size(), list.Count());
        return items;
    }
};

TEST_F(ItemLists, ItemsWithoutExplicitIdsAreNumberedFromTheFirstId) {
    constexpr DWORD kFirst = 0x9000;
    ASSERT_EQ(manager.CreateItemList(1, kFirst, 5, FALSE), S_OK);
    ASSERT_EQ(manager.InsertItem(1, "x", nullptr, 0, 1, "", kNone), S_OK);
    ASSERT_EQ(manager.InsertItem(1, "y", nullptr, 0, 1, "", kNone), S_OK);
    DWORD id = 0;
    EXPECT_EQ(manager.FindItemId(1, "Y", nullptr, &id), S_OK);  // case does not matter
    EXPECT_EQ(id, kFirst + 1);
    EXPECT_EQ(manager.FindItemId(1, nullptr, "X", &id), S_OK);
    EXPECT_EQ(id, kFirst);
    EXPECT_EQ(manager.FindItemId(1, "x", "y", &id), E_FAIL);  // both must match
    EXPECT_EQ(manager.FindItemId(1, "z", nullptr, &id), E_FAIL);
    CString text;
    EXPECT_EQ(manager.GetItemSecondText(1, kFirst + 1, &text), S_OK);
    EXPECT_EQ(text.Str(), "y");  // the second text defaults to the item text
    EXPECT_EQ(manager.GetItemSecondText(1, kFirst + 5, &text), E_FAIL);  // in range, no such item
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(manager.GetItemSecondText(1, kFirst + 6, &text), S_FALSE);  // out of range
    EXPECT_EQ(manager.InsertItem(1, "z", nullptr, 0, 1, "", kFirst), E_FAIL);  // no explicit ids here
    EXPECT_EQ(Items(1), (std::vector<std::string>{"x/x//4294967295", "y/y//4294967295"}));
}

TEST_F(ItemLists, ExplicitIdsLieFromFirstToFirstPlusCapacityAndAFullListTakesNoMore) {
    struct Case {
        DWORD id;
        HRESULT answer;
    };
    const Case cases[] = {{100, S_OK}, {104, S_OK}, {99, E_FAIL}, {105, E_FAIL}, {kNone, E_FAIL}};
    ASSERT_EQ(manager.CreateItemList(2, 100, 4, TRUE), S_OK);
    for (const Case& c : cases) {
        EXPECT_EQ(manager.InsertItem(2, "item", nullptr, 0, 1, "", c.id), c.answer) << c.id;
    }
    ASSERT_EQ(manager.InsertItem(2, "three", nullptr, 0, 1, "", 101), S_OK);
    ASSERT_EQ(manager.InsertItem(2, "four", nullptr, 0, 1, "", 102), S_OK);
    EXPECT_EQ(manager.InsertItem(2, "five", nullptr, 0, 1, "", 103), S_FALSE);
    DWORD id = 0;
    EXPECT_EQ(manager.FindItemId(2, "FOUR", nullptr, &id), S_OK);
    EXPECT_EQ(id, 102u);
    CString text;
    EXPECT_EQ(manager.GetItemSecondText(2, 104, &text), S_OK);
    EXPECT_EQ(text.Str(), "item");
}

TEST_F(ItemLists, MissingListsAndArgumentsAnswerSFalse) {
    ASSERT_EQ(manager.CreateItemList(3, 10, 5, FALSE), S_OK);
    CString text;
    DWORD id = 0;
    EXPECT_EQ(manager.InsertItem(4, "x", nullptr, 0, 1, "", kNone), S_FALSE);
    EXPECT_EQ(manager.InsertItem(3, "", nullptr, 0, 1, "", kNone), S_FALSE);
    EXPECT_EQ(manager.InsertItem(3, nullptr, nullptr, 0, 1, "", kNone), S_FALSE);
    EXPECT_EQ(manager.RemoveItem(4, nullptr), S_FALSE);
    EXPECT_EQ(manager.RemoveItem(3, "absent"), S_FALSE);
    EXPECT_EQ(manager.GetItemSecondText(4, 10, &text), S_FALSE);
    EXPECT_EQ(manager.GetItemSecondText(3, 10, nullptr), S_FALSE);
    EXPECT_EQ(manager.FindItemId(4, "x", nullptr, &id), S_FALSE);
    EXPECT_EQ(manager.FindItemId(3, "x", nullptr, nullptr), S_FALSE);
    EXPECT_EQ(manager.FindItemId(3, nullptr, nullptr, &id), S_FALSE);
    EXPECT_EQ(manager.RefreshListMenus(4), S_FALSE);
    EXPECT_TRUE(ui.Calls().empty());
}

TEST_F(ItemLists, PlacementZeroSortsUnlessTheItemGoesAfterTheLast) {
    ASSERT_EQ(manager.CreateItemList(5, 10, 10, FALSE), S_OK);
    for (const char* text : {"c", "a"}) {
        ASSERT_EQ(manager.InsertItem(5, text, nullptr, 0, 1, "", kNone), S_OK);
    }
    ASSERT_EQ(manager.InsertItem(5, "b", nullptr, 2, 0, "", kNone), S_OK);  // at the end: no sorting
    EXPECT_EQ(Items(5), (std::vector<std::string>{"c/c//4294967295", "a/a//4294967295", "b/b//4294967295"}));
    ASSERT_EQ(manager.InsertItem(5, "B", "second", 0, 0, "third", kNone), S_OK);  // sorted in with the others
    EXPECT_EQ(Items(5), (std::vector<std::string>{"B/second/third/4294967295", "a/a//4294967295",
                                                  "b/b//4294967295", "c/c//4294967295"}));
    ASSERT_EQ(manager.InsertItem(5, "z", nullptr, 1, 2, "", kNone), S_OK);  // before item 1, not sorted
    EXPECT_EQ(Items(5)[1], "z/z//4294967295");
}

// Equal texts: each item keeps its own second text, third text and id
// (before, every item of that text took the last one's).
TEST_F(ItemLists, ReorderingKeepsEachItemsOwnFieldsAlsoForEqualTexts) {
    ASSERT_EQ(manager.CreateItemList(6, 100, 10, TRUE), S_OK);
    ASSERT_EQ(manager.InsertItem(6, "same", "first", 0, 1, "1", 101), S_OK);
    ASSERT_EQ(manager.InsertItem(6, "other", "o", 0, 1, "o", 102), S_OK);
    ASSERT_EQ(manager.InsertItem(6, "same", "second", 1, 2, "2", 103), S_OK);
    ASSERT_EQ(manager.InsertItem(6, "same", "new", 0, 0, "3", 104), S_OK);  // sorted: stable
    EXPECT_EQ(Items(6), (std::vector<std::string>{"other/o/o/102", "same/new/3/104", "same/first/1/101",
                                                  "same/second/2/103"}));
    DWORD id = 0;
    EXPECT_EQ(manager.FindItemId(6, nullptr, "SECOND", &id), S_OK);
    EXPECT_EQ(id, 103u);
}

// A position past the last item: refused, the list as it was and the host
// not told (before, the item was lost and S_OK answered).
TEST_F(ItemLists, APositionPastTheLastItemIsRefusedAndChangesNothing) {
    ASSERT_EQ(manager.CreateItemList(7, 10, 10, FALSE), S_OK);
    ASSERT_EQ(manager.InsertItem(7, "a", nullptr, 0, 1, "", kNone), S_OK);
    ASSERT_EQ(manager.AddListMenu(7, owner, clsid, nullptr, nullptr, 1), S_OK);
    ui.ClearCalls();
    for (const DWORD placement : {0u, 2u}) {
        EXPECT_EQ(manager.InsertItem(7, "b", nullptr, 2, placement, "", kNone), E_FAIL);
        EXPECT_EQ(manager.InsertItem(7, "b", nullptr, -1, placement, "", kNone), E_FAIL);
    }
    EXPECT_EQ(Items(7), (std::vector<std::string>{"a/a//4294967295"}));
    EXPECT_TRUE(ui.Calls().empty());
    manager.UnregisterOwner(owner);
}

TEST_F(ItemLists, RemovingTakesTheFirstItemOfThatExactText) {
    ASSERT_EQ(manager.CreateItemList(8, 20, 10, TRUE), S_OK);
    ASSERT_EQ(manager.InsertItem(8, "a", "1", 0, 1, "", 21), S_OK);
    ASSERT_EQ(manager.InsertItem(8, "b", "2", 0, 1, "", 22), S_OK);
    ASSERT_EQ(manager.InsertItem(8, "a", "3", 0, 1, "", 23), S_OK);
    EXPECT_EQ(manager.RemoveItem(8, "A"), S_FALSE);  // case counts here
    ASSERT_EQ(manager.RemoveItem(8, "a"), S_OK);
    EXPECT_EQ(Items(8), (std::vector<std::string>{"b/2//22", "a/3//23"}));
    ASSERT_EQ(manager.RemoveItem(8, nullptr), S_OK);
    EXPECT_TRUE(Items(8).empty());
}

TEST_F(ItemLists, CreatingAListAgainDiscardsItsItems) {
    ASSERT_EQ(manager.CreateItemList(9, 10, 10, FALSE), S_OK);
    ASSERT_EQ(manager.InsertItem(9, "a", nullptr, 0, 1, "", kNone), S_OK);
    ASSERT_EQ(manager.CreateItemList(9, 50, 2, TRUE), S_OK);
    CUiItemList list;
    ASSERT_TRUE(manager.GetItemList(9, list));
    EXPECT_EQ(list.Count(), 0u);
    EXPECT_EQ(list.firstId, 50u);
    EXPECT_TRUE(list.explicitIds);
}

TEST_F(ItemLists, AListMenuFollowsItsList) {
    ASSERT_EQ(manager.CreateItemList(10, 0x9000, 5, FALSE), S_OK);
    ASSERT_EQ(manager.AddListMenu(10, owner, clsid, "f", "s", 2), S_OK);
    EXPECT_EQ(LastArguments(), (std::vector<std::string>{"VT_EMPTY", "VT_EMPTY", "10", "1", "UI component", "VT_EMPTY",
                                                         "VT_EMPTY", "VT_EMPTY", "\"f\"", "\"s\"", "2"}));
    ui.ClearCalls();
    ASSERT_EQ(manager.InsertItem(10, "one", nullptr, 0, 1, "t1", kNone), S_OK);
    EXPECT_EQ(ui.Ops(), (std::vector<int>{31, 89}));
    EXPECT_EQ(LastArguments(),
              (std::vector<std::string>{"VT_ARRAY|VT_BSTR {\"one\"}", "VT_ARRAY|VT_UINT {36864}", "10", "1",
                                        "UI component", "VT_ARRAY|VT_UINT {36864}", "VT_EMPTY", "VT_EMPTY",
                                        "VT_ARRAY|VT_BSTR {\"t1\"}", "\"f\"", "\"s\"", "6"}));
    const auto owners = ui.Owners();
    ASSERT_EQ(owners.at(owner).menus.at(10).items.size(), 1u);
    EXPECT_EQ(owners.at(owner).menus.at(10).items[0].text, "one");
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ArgumentsOf(ui.Calls()), (std::vector<std::vector<std::string>>{{"10", "1"}}));
}

TEST_F(ItemLists, EmptyingAListBehindAMenuSendsEmptiesAndKeepsTheStoredFlags) {
    ASSERT_EQ(manager.CreateItemList(11, 0x9000, 5, FALSE), S_OK);
    ASSERT_EQ(manager.InsertItem(11, "one", nullptr, 0, 1, "", kNone), S_OK);
    ASSERT_EQ(manager.AddListMenu(11, owner, clsid, nullptr, nullptr, 1), S_OK);
    ui.ClearCalls();
    ASSERT_EQ(manager.RemoveItem(11, nullptr), S_OK);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{
                  {"11", "1"},
                  {"VT_EMPTY", "VT_EMPTY", "11", "1", "UI component", "VT_EMPTY", "VT_EMPTY", "VT_EMPTY",
                   "VT_ARRAY|VT_BSTR {}", "\"\"", "\"\"", "5"}}));
    const CUiMenuRecord* record = manager.Menus().Find(owner, 11);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->flags, 1u);  // the 0x4 went to the host only
    manager.UnregisterOwner(owner);
}

TEST_F(ItemLists, AResourceMenuUnderAListsIdFollowsTheListToo) {
    ASSERT_EQ(manager.AddMenu(Program(), kComponentMenu, owner, clsid), S_OK);
    ASSERT_EQ(manager.CreateItemList(kComponentMenu, 0x9100, 3, FALSE), S_OK);
    ui.ClearCalls();
    ASSERT_EQ(manager.InsertItem(kComponentMenu, "listed", nullptr, 0, 1, "", kNone), S_OK);
    EXPECT_EQ(ui.Ops(), (std::vector<int>{31, 89}));
    EXPECT_EQ(ui.Owners().at(owner).menus.at(kComponentMenu).items[0].text, "listed");
    manager.UnregisterOwner(owner);
}

TEST_F(ItemLists, AMenuTheHostWillNotTakeBackIsNoLongerWithdrawn) {
    ASSERT_EQ(manager.CreateItemList(12, 0x9000, 5, FALSE), S_OK);
    ASSERT_EQ(manager.AddListMenu(12, owner, clsid, nullptr, nullptr, 1), S_OK);
    ui.ScriptResult(89, E_FAIL);
    ASSERT_EQ(manager.InsertItem(12, "one", nullptr, 0, 1, "", kNone), S_OK);
    EXPECT_EQ(manager.Menus().Find(owner, 12), nullptr);
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_TRUE(ui.Calls().empty());
    // The host still holds it, taken out: it is the host's to drop now.
    EXPECT_TRUE(ui.Owners().at(owner).menus.at(12).takenOut);
}

TEST_F(ItemLists, IdTextItemsOfAListFollowItThroughTheirRemovalAndAddition) {
    ASSERT_EQ(manager.CreateItemList(14, 0x9000, 5, FALSE), S_OK);
    ASSERT_EQ(manager.AddIdItemFromList("Recent", 14, owner, clsid, "a", "b", 1), S_OK);
    EXPECT_EQ(LastArguments(), (std::vector<std::string>{"\"Recent\"", "VT_EMPTY", "VT_EMPTY", "14", "1",
                                                         "UI component", "VT_EMPTY", "VT_EMPTY", "VT_EMPTY", "\"a\"",
                                                         "\"b\"", "1"}));
    ui.ClearCalls();
    ASSERT_EQ(manager.InsertItem(14, "file", nullptr, 0, 1, "", kNone), S_OK);
    EXPECT_EQ(ArgumentsOf(ui.Calls()),
              (std::vector<std::vector<std::string>>{
                  {"\"Recent\"", "14", "1"},
                  {"\"Recent\"", "VT_ARRAY|VT_BSTR {\"file\"}", "VT_ARRAY|VT_UINT {36864}", "14", "1",
                   "UI component", "VT_ARRAY|VT_UINT {36864}", "VT_EMPTY", "VT_EMPTY", "\"a\"", "\"b\"", "5"}}));
    EXPECT_EQ(manager.IdItems().Find(owner, "recente")->flags, 1u);
    ui.ClearCalls();
    manager.UnregisterOwner(owner);
    EXPECT_EQ(ui.Ops(), (std::vector<int>{11}));
}

}  // namespace
