// Menus, popup menus, accelerator tables, toolbars and bitmaps from the
// resources.
#include "platform/afx.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace uitest;

// A menu walked depth first, each popup's items before the entries after it,
// collecting the ids of the command items in the command range: the walk the
// registration of a menu with the host makes.
void CollectCommands(HMENU menu, std::vector<UINT>& ids) {
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        if (const HMENU popup = GetSubMenu(menu, position)) {
            CollectCommands(popup, ids);
        }
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof(text), MF_BYPOSITION);
        const UINT id = GetMenuItemID(menu, position);
        if (id >= 0x7000 && id <= 0xEFFF && text[0] != '\0') {
            ids.push_back(id);
        }
    }
}

TEST(Menu, LoadedFromTheResourcesWithItsNesting) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kContextMenu));
    EXPECT_EQ(menu.GetMenuItemCount(), 2u);
    EXPECT_EQ(menu.GetMenuItemID(0), 0xFFFFFFFFu);  // a popup
    CMenu* edit = menu.GetSubMenu(0);
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->GetMenuItemCount(), 5u);
    EXPECT_EQ(edit->GetMenuItemID(0), kCopyCommand);
    EXPECT_EQ(edit->GetMenuItemID(2), 0u);  // a separator
    EXPECT_EQ(edit->GetMenuItemID(9), 0xFFFFFFFFu);
    CString text;
    edit->GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_EQ(text, "&Paste");
    EXPECT_EQ(GetMenuStringA(menu, kNestedCommand, nullptr, 0, MF_BYCOMMAND), 7);  // a length query finds it nested
    char cut[4] = {};
    EXPECT_EQ(GetMenuStringA(menu, kNestedCommand, cut, sizeof(cut), MF_BYCOMMAND), 3);
    EXPECT_STREQ(cut, "&Ne");
    // The states the resource gave, as the calls that change them answer.
    EXPECT_EQ(edit->EnableMenuItem(kGrayedCommand, MF_BYCOMMAND | MF_GRAYED), MF_GRAYED);
    EXPECT_EQ(menu.CheckMenuItem(kNestedCommand, MF_BYCOMMAND | MF_CHECKED), MF_CHECKED);

    std::vector<UINT> ids;
    CollectCommands(menu, ids);
    EXPECT_EQ(ids, (std::vector<UINT>{kCopyCommand, kPasteCommand, kGrayedCommand, kNestedCommand, 32810}));
}

TEST(Menu, ABadMenuIsNotLoaded) {
    EXPECT_EQ(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCE(kBadMenu)), nullptr);
    EXPECT_EQ(LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCE(4711)), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
    CMenu menu;
    EXPECT_FALSE(menu.LoadMenu(4711));
    EXPECT_EQ(GetMenuItemCount(nullptr), -1);
    EXPECT_FALSE(DestroyMenu(nullptr));
}

TEST(Menu, EnableAndCheckAnswerThePreviousState) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(kContextMenu));
    EXPECT_EQ(menu.EnableMenuItem(kGrayedCommand, MF_BYCOMMAND | MF_ENABLED), MF_GRAYED);
    EXPECT_EQ(menu.EnableMenuItem(kGrayedCommand, MF_BYCOMMAND | MF_GRAYED), MF_ENABLED);
    EXPECT_EQ(menu.GetSubMenu(0)->EnableMenuItem(0, MF_BYPOSITION | MF_DISABLED), MF_ENABLED);
    EXPECT_EQ(menu.EnableMenuItem(kCopyCommand, MF_BYCOMMAND | MF_DISABLED), MF_DISABLED);
    EXPECT_EQ(menu.CheckMenuItem(kNestedCommand, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu.CheckMenuItem(kNestedCommand, MF_BYCOMMAND | MF_CHECKED), MF_UNCHECKED);
    EXPECT_EQ(menu.EnableMenuItem(9999, MF_BYCOMMAND), 0xFFFFFFFFu);
    EXPECT_EQ(menu.CheckMenuItem(9999, MF_BYCOMMAND), 0xFFFFFFFFu);
}

TEST(Menu, BuiltAtRunTimeAndDestroyedWithItsPopups) {
    CMenu main;
    ASSERT_TRUE(main.CreatePopupMenu());
    const HMENU custom = CreatePopupMenu();
    ASSERT_TRUE(main.AppendMenu(MF_STRING, 33411, "Configuration folder"));
    ASSERT_TRUE(main.AppendMenu(MF_SEPARATOR));
    ASSERT_TRUE(AppendMenuA(custom, MF_STRING, 33413, "Mine"));
    ASSERT_TRUE(main.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(custom), "Custom placeholders"));
    EXPECT_FALSE(main.AppendMenu(MF_POPUP, 12345, "not a menu"));
    EXPECT_EQ(main.GetMenuItemCount(), 3u);
    EXPECT_EQ(main.GetSubMenu(2)->m_hMenu, custom);
    main.DestroyMenu();
    EXPECT_FALSE(IsMenu(custom));
}

// A window that hears the commands a popup menu sends it.
class MenuOwner : public CWnd {
public:
    std::vector<UINT> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
        commands.push_back(LOWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

class PopupMenuTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
        ASSERT_TRUE(menu.LoadMenu(kContextMenu));
    }
    void TearDown() override { owner.DestroyWindow(); }

    CMenu* Popup() { return menu.GetSubMenu(0); }

    MenuOwner owner;
    CMenu menu;
};

TEST_F(PopupMenuTest, TheDriversChoiceReachesTheOwnerAsACommand) {
    testsupport::TestUi ui;
    ui.ChooseNextMenuItem(kNestedCommand);
    EXPECT_TRUE(Popup()->TrackPopupMenu(TPM_LEFTALIGN, 40, 50, &owner));
    EXPECT_TRUE(owner.commands.empty());  // queued, as the system does
    platform::ProcessWaitingMessages();
    EXPECT_EQ(owner.commands, (std::vector<UINT>{kNestedCommand}));

    const auto shown = ui.Menus();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].owner, owner.m_hWnd);
    EXPECT_EQ(shown[0].at.x, 40);
    EXPECT_EQ(shown[0].at.y, 50);
    ASSERT_EQ(shown[0].items.size(), 5u);
    EXPECT_EQ(shown[0].items[0].text, "&Copy");
    EXPECT_EQ(shown[0].items[0].id, kCopyCommand);
    EXPECT_TRUE(shown[0].items[2].separator);
    EXPECT_TRUE(shown[0].items[3].grayed);
    EXPECT_TRUE(shown[0].items[4].items[0].checked);
}

TEST_F(PopupMenuTest, WithReturnCmdTheChoiceIsTheAnswer) {
    testsupport::TestUi ui;
    ui.ChooseNextMenuItem(kCopyCommand);
    EXPECT_EQ(static_cast<UINT>(TrackPopupMenu(*Popup(), TPM_RETURNCMD | TPM_NONOTIFY, 0, 0, 0, owner, nullptr)),
              kCopyCommand);
    platform::ProcessWaitingMessages();
    EXPECT_TRUE(owner.commands.empty());
}

TEST_F(PopupMenuTest, ADismissedMenuOrAnItemThatCannotBeChosenSendsNothing) {
    platform::ScriptedUiDriver ui;
    EXPECT_FALSE(Popup()->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &owner));  // no choice scripted: dismissed
    ui.ChooseNextMenuItem(kGrayedCommand);
    EXPECT_FALSE(Popup()->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &owner));
    ui.ChooseNextMenuItem(32810);  // not in this popup
    EXPECT_FALSE(Popup()->TrackPopupMenu(TPM_LEFTALIGN, 0, 0, &owner));
    platform::ProcessWaitingMessages();
    EXPECT_TRUE(owner.commands.empty());
    EXPECT_EQ(ui.Failures().size(), 2u);
    EXPECT_FALSE(TrackPopupMenu(nullptr, 0, 0, 0, 0, owner, nullptr));
    EXPECT_FALSE(TrackPopupMenu(*Popup(), 0, 0, 0, 0, nullptr, nullptr));  // no owner to tell
}

TEST(Accelerators, CopiedOutOfTheirTable) {
    const HACCEL table = LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCE(kAccelerators));
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 3);
    ACCEL entries[3] = {};
    EXPECT_EQ(CopyAcceleratorTableA(table, entries, 2), 2);
    EXPECT_EQ(entries[0].cmd, kCopyCommand);
    EXPECT_EQ(entries[1].key, 'V');
    EXPECT_EQ(entries[1].fVirt, FVIRTKEY | FCONTROL);
    EXPECT_EQ(entries[2].cmd, 0);  // not asked for
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 0);
    EXPECT_FALSE(DestroyAcceleratorTable(table));
    EXPECT_EQ(LoadAcceleratorsA(AfxGetResourceHandle(), MAKEINTRESOURCE(999)), nullptr);
}

TEST(Toolbar, ItsResourceBytesAreTheWindowsForm) {
    const HINSTANCE module = AfxFindResourceHandle(MAKEINTRESOURCE(kToolbar), RT_TOOLBAR);
    const HRSRC found = FindResourceA(module, MAKEINTRESOURCE(kToolbar), RT_TOOLBAR);
    ASSERT_NE(found, nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(kToolbar), RT_TOOLBAR), found);  // one record per resource
    const auto* words = static_cast<const WORD*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(words, nullptr);
    ASSERT_EQ(SizeofResource(module, found), 14u);
    const std::vector<WORD> read(words, words + 7);
    EXPECT_EQ(read, (std::vector<WORD>{1, 16, 15, 3, 32772, 0, 32773}));  // version, size, count, ids
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(999), RT_TOOLBAR), nullptr);
    EXPECT_EQ(FindResourceA(module, MAKEINTRESOURCE(kToolbar), RT_MENU), nullptr);
    EXPECT_NE(FindResourceA(module, MAKEINTRESOURCE(kContextMenu), RT_MENU), nullptr);
    EXPECT_EQ(LockResource(nullptr), nullptr);
}

TEST(Bitmap, LoadedWithItsBits) {
    CBitmap bitmap;
    ASSERT_TRUE(bitmap.LoadBitmap(kToolbarBitmap));
    BITMAP info{};
    ASSERT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 32);
    EXPECT_EQ(info.bmHeight, 15);
    EXPECT_EQ(info.bmBitsPixel, 4);
    EXPECT_EQ(info.bmWidthBytes, 16);
    BYTE bits[1024] = {};
    EXPECT_EQ(bitmap.GetBitmapBits(sizeof(bits), bits), 240u);
    EXPECT_EQ(bits[0], 0x01);
    EXPECT_EQ(bits[7], 0xEF);
    EXPECT_EQ(bitmap.GetBitmapBits(4, bits), 4u);
    CBitmap missing;
    EXPECT_FALSE(missing.LoadBitmap(999));
}

}  // namespace
