// The command ids read out of menus, accelerator tables and toolbar
// resources, and the item list's copies.
#include "hostui/ui_records.h"
#include "hostui/ui_resource_helpers.h"
#include "platform/module.h"
#include "res/resource_ids.h"
#include "tests/hostui/test_resources.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace hostuitest;

HINSTANCE Program() {
    return GetModuleHandleA(nullptr);
}

std::vector<UINT> Ids(const CUintList& list) {
    std::vector<UINT> ids;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        ids.push_back(list.GetNext(position));
    }
    return ids;
}

std::vector<std::string> Texts(const CStringList& list) {
    std::vector<std::string> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        texts.push_back(list.GetNext(position).Str());
    }
    return texts;
}

class LoadedMenu {
public:
    explicit LoadedMenu(UINT id) : menu_(LoadMenuFromInstance(Program(), id)) {}
    ~LoadedMenu() { DestroyMenu(menu_); }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
    HMENU Get() const { return menu_; }

private:
    HMENU menu_;
};

TEST(MenuHelpers, ThePluginMenuGivesItsFourCommandsDepthFirst) {
    const LoadedMenu menu(res_id::kUiMenu);
    ASSERT_NE(menu.Get(), nullptr);
    CUintList ids;
    CollectMenuItems(menu.Get(), nullptr, &ids);
    EXPECT_EQ(Ids(ids), (std::vector<UINT>{32773, 32869, 32870, 32778}));
}

TEST(MenuHelpers, OnlyItemsInRangeWithATextCountAndLongTextsAreCutTo127) {
    const LoadedMenu menu(kEdgeMenu);
    CStringList texts;
    CUintList ids;
    CollectMenuItems(menu.Get(), &texts, &ids);
    EXPECT_EQ(Ids(ids), (std::vector<UINT>{0x7000, 0xEFFF, 0x7002, 0x7003}));
    EXPECT_EQ(Texts(texts), (std::vector<std::string>{"First", "Last", "Inner", LongItemText().substr(0, 127)}));
}

TEST(MenuHelpers, ItemTextsAreReadByPosition) {
    const LoadedMenu menu(kComponentMenu);
    CString text = "old";
    EXPECT_EQ(GetMenuItemTextByPosition(menu.Get(), 1, &text, MF_BYPOSITION), 4);
    EXPECT_EQ(text.Str(), "&Run");
    EXPECT_EQ(GetMenuItemTextByPosition(menu.Get(), 1, nullptr, MF_BYPOSITION), 0);
    EXPECT_EQ(GetMenuItemTextByPosition(menu.Get(), 7, &text, MF_BYPOSITION), 0);  // no such item
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(GetMenuItemText(CMenu::FromHandle(menu.Get()), kRun, text, MF_BYCOMMAND), 4);
    EXPECT_EQ(text.Str(), "&Run");
}

TEST(MenuHelpers, PositionsAreFoundAtTheTopLevelOnly) {
    const LoadedMenu menu(kComponentMenu);
    EXPECT_EQ(FindMenuItemPosition(menu.Get(), kRun), 1);
    EXPECT_EQ(FindMenuItemPosition(menu.Get(), kOpen), -1);  // only inside "&File"
}

TEST(MenuHelpers, AMenuTheInstanceDoesNotHoldIsNotLoadedAndTheResourceHandleStays) {
    const HINSTANCE before = AfxGetResourceHandle();
    EXPECT_EQ(LoadMenuFromInstance(Program(), kMissing), nullptr);
    EXPECT_EQ(LoadAcceleratorsFromInstance(Program(), kMissing), nullptr);
    EXPECT_EQ(LoadToolbarFromInstance(Program(), kMissing).data, nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), before);
}

TEST(AcceleratorHelpers, EveryEntrysCommandInTableOrderWithDuplicates) {
    const HACCEL table = LoadAcceleratorsFromInstance(Program(), kAccelerators);
    ASSERT_NE(table, nullptr);
    CUintList ids;
    CollectAccelCommands(table, &ids);
    EXPECT_EQ(Ids(ids), (std::vector<UINT>{kOpen, kClose, kOpen}));
    std::unique_ptr<ACCEL[]> entries;
    EXPECT_EQ(CopyAccelTable(table, entries), 3);
    EXPECT_EQ(entries[2].key, 'P');
    DestroyAcceleratorTable(table);
    // A table that is gone has no entries: the array is left as it was.
    std::unique_ptr<ACCEL[]> untouched;
    EXPECT_EQ(CopyAccelTable(table, untouched), 0);
    EXPECT_EQ(untouched, nullptr);
}

TEST(ToolbarHelpers, ButtonsAreReadWithinTheResourcesSize) {
    struct Case {
        const char* name;
        std::vector<BYTE> bytes;
        BOOL skipSeparators;
        std::vector<UINT> ids;
    };
    const Case cases[] = {
        {"separators skipped", {1, 0, 16, 0, 15, 0, 3, 0, 0x04, 0x80, 0, 0, 0x05, 0x80}, TRUE, {0x8004, 0x8005}},
        {"separators kept", {1, 0, 16, 0, 15, 0, 3, 0, 0x04, 0x80, 0, 0, 0x05, 0x80}, FALSE, {0x8004, 0, 0x8005}},
        {"version 2", {2, 0, 16, 0, 15, 0, 1, 0, 0x04, 0x80}, TRUE, {}},
        {"no header", {}, TRUE, {}},
        {"half a header", {1, 0, 16, 0}, TRUE, {}},
        {"header only", {1, 0, 16, 0, 15, 0, 0, 0}, TRUE, {}},
        {"count past the end", {1, 0, 16, 0, 15, 0, 2, 0, 0x04, 0x80}, TRUE, {}},
        {"odd byte after the ids", {1, 0, 16, 0, 15, 0, 1, 0, 0x04, 0x80, 0x99}, TRUE, {0x8004}},
    };
    for (const Case& c : cases) {
        CUintList ids;
        CollectToolbarButtons(c.bytes.data(), static_cast<DWORD>(c.bytes.size()), &ids, c.skipSeparators);
        EXPECT_EQ(Ids(ids), c.ids) << c.name;
    }
    const BYTE bytes[] = {1, 0, 16, 0, 15, 0, 1, 0, 0x04, 0x80};
    CollectToolbarButtons(bytes, sizeof(bytes), nullptr, TRUE);  // no list: nothing to do
}

TEST(ToolbarHelpers, AResourceIsLoadedWithItsSize) {
    const ToolbarResourceData debug = LoadToolbarFromInstance(Program(), res_id::kDebugToolbar);
    ASSERT_NE(debug.data, nullptr);
    EXPECT_EQ(debug.size, 12u);  // four header words and two ids
    const ToolbarResourceData shortOne = LoadToolbarFromInstance(Program(), kToolbarShort);
    ASSERT_NE(shortOne.data, nullptr);
    EXPECT_EQ(shortOne.size, 3u);
}

TEST(ItemListCopies, ACopyHoldsExactlyTheSourcesItemsAndASelfAssignmentChangesNothing) {
    CUiItemList five(1, 100, 10);
    CUiItemList three(2, 200, 4);
    three.explicitIds = TRUE;
    for (int i = 0; i < 5; ++i) {
        five.itemTexts.emplace_back("five");
        five.secondTexts.emplace_back("5");
        five.thirdTexts.emplace_back("");
        five.commandIds.push_back(CUiItemList::kNoExplicitId);
    }
    for (int i = 0; i < 3; ++i) {
        three.itemTexts.emplace_back("three");
        three.secondTexts.emplace_back("3");
        three.thirdTexts.emplace_back("t");
        three.commandIds.push_back(200 + static_cast<DWORD>(i));
    }
    CUiItemList& same = five;
    five = same;
    EXPECT_EQ(five.Count(), 5u);
    five = three;
    EXPECT_EQ(five.listId, 2u);
    EXPECT_EQ(five.firstId, 200u);
    EXPECT_EQ(five.capacity, 4u);
    EXPECT_TRUE(five.explicitIds);
    EXPECT_EQ(five.Count(), 3u);
    EXPECT_EQ(five.secondTexts.size(), 3u);
    EXPECT_EQ(five.thirdTexts.size(), 3u);
    EXPECT_EQ(five.commandIds, (std::vector<DWORD>{200, 201, 202}));
}

TEST(ItemListCopies, TheRangeRunsFromFirstToFirstPlusCapacityWithoutWrapping) {
    const CUiItemList list(1, 0xFFFFFFF0u, 0x20);
    EXPECT_TRUE(list.InRange(0xFFFFFFF0u));
    EXPECT_TRUE(list.InRange(0xFFFFFFFFu));
    EXPECT_FALSE(list.InRange(0x0000000Fu));  // first + capacity wraps past 32 bits
    EXPECT_FALSE(list.InRange(0xFFFFFFEFu));
}

}  // namespace
