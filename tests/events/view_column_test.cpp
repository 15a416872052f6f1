// The view column's channel menus by device: which menu resource, how many
// channel sub-menus it holds with their three commands, and how many entries
// the column keeps.
#include "events/event_column_wnd.h"
#include "events/view_column_base.h"
#include "res/resource_ids.h"
#include "tests/events/events_fixture.h"

#include "platform/afx.h"

namespace eventstest {
namespace {

// The commands of each channel sub-menu of a menu, in order.
std::vector<std::vector<UINT>> Commands(UINT menuId) {
    CMenu menu;
    if (!menu.LoadMenu(menuId)) {
        return {};
    }
    std::vector<std::vector<UINT>> channels;
    CMenu* column = menu.GetSubMenu(0);
    for (UINT i = 0; column != nullptr && i < column->GetMenuItemCount(); ++i) {
        std::vector<UINT> ids;
        CMenu* channel = column->GetSubMenu(static_cast<int>(i));
        for (UINT j = 0; channel != nullptr && j < channel->GetMenuItemCount(); ++j) {
            ids.push_back(channel->GetMenuItemID(static_cast<int>(j)));
        }
        channels.push_back(ids);
    }
    return channels;
}

TEST_F(EventsTest, TheChannelMenuAndTheEntriesFollowTheDevice) {
    struct Case {
        DWORD hwBreak, protocolType, channels;
        UINT menu;
        std::size_t subMenus;
        DWORD entries;
    };
    const Case cases[] = {
        {1, 1, 2, 3082, 4, 4}, {1, 3, 8, 3082, 4, 4},  // the hardware break: four whatever the count
        {0, 0, 8, 3081, 2, 2}, {0, 1, 6, 3081, 2, 2},  // protocol types 0 and 1: two
        {0, 2, 2, 3081, 2, 2}, {0, 2, 4, 3083, 4, 4}, {0, 3, 5, 3086, 5, 5}, {0, 4, 6, 3084, 6, 6},
        {0, 2, 7, 3087, 7, 7}, {0, 3, 8, 3085, 8, 8},
        {0, 2, 3, 3083, 4, 3}, {0, 4, 12, 3083, 4, 8},  // other counts: the four-channel menu
    };
    for (const Case& c : cases) {
        UseDevice(c.hwBreak, c.protocolType, c.channels);
        EXPECT_EQ(CEventColumnWnd::MenuResourceId(), c.menu) << c.hwBreak << " " << c.protocolType << " " << c.channels;
        const auto commands = Commands(c.menu);
        ASSERT_EQ(commands.size(), c.subMenus) << c.menu;
        for (std::size_t n = 0; n < commands.size(); ++n) {
            EXPECT_EQ(commands[n], (std::vector<UINT>{res_id::kCmdChannelAdd[n], res_id::kCmdChannelEdit[n],
                                                      res_id::kCmdChannelRemove[n]}))
                << c.menu << " channel " << n;
        }
        CViewColumnBase columns(&host_);
        EXPECT_EQ(columns.GetChannelCount(), c.entries);
    }
}

TEST_F(EventsTest, RemovingTheEnabledChannelsNeedsTheFlag) {
    CViewColumnBase columns(&host_);
    ASSERT_EQ(columns.Create(), 1);
    EXPECT_EQ(columns.Create(), 0) << "once";
    Working(0).enable = 1;
    EXPECT_EQ(columns.RemoveEnabledChannels(0), 0);
    EXPECT_EQ(columns.RemoveEnabledChannels(1), 0);
    EXPECT_EQ(Working(0).enable, 1u) << "the condition stays";
    EXPECT_EQ(columns.Destroy(), 1);
    EXPECT_TRUE(columns.Entries().empty());
}

}  // namespace
}  // namespace eventstest
