#include "events/event_column_wnd.h"

#include "config/break_channels.h"
#include "events/target_event_vk3.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/target_vk3.h"

#include <algorithm>

namespace {

constexpr DWORD kNoMenu = static_cast<DWORD>(-1);
// The items of a channel sub-menu, by position.
constexpr UINT kAddItem = 0;
constexpr UINT kEditItem = 1;
constexpr UINT kRemoveItem = 2;

CTargetEventVk3* EventHandler() {
    CTargetVk3* target = GetTarget();
    return target != nullptr ? target->GetEventHandler() : nullptr;
}

bool Protocol234() {
    return g_protocolType >= 2 && g_protocolType <= 4;
}

// The channels the menu's sub-menus stand for.
int MenuPositions() {
    if (g_deviceValues.hwBreak == 1) {
        return 4;
    }
    return Protocol234() ? 8 : 2;
}

// The channel sub-menus that can be checked and whose items are set.
int CheckablePositions() {
    if (g_deviceValues.hwBreak == 1) {
        return 4;
    }
    if (Protocol234()) {
        return static_cast<int>(std::min<DWORD>(g_deviceValues.addressBreakCount, 8));
    }
    return 2;
}

}  // namespace

#define Q3V_CHANNEL_COMMANDS(n)                                 \
    ON_COMMAND(res_id::kCmdChannelAdd[n], OnAdd<n>)            \
    ON_COMMAND(res_id::kCmdChannelEdit[n], OnEdit<n>)          \
    ON_COMMAND(res_id::kCmdChannelRemove[n], OnRemove<n>)

BEGIN_MESSAGE_MAP(CEventColumnWnd, CInstanceDataContainerWnd)
    Q3V_CHANNEL_COMMANDS(0)
    Q3V_CHANNEL_COMMANDS(1)
    Q3V_CHANNEL_COMMANDS(2)
    Q3V_CHANNEL_COMMANDS(3)
    Q3V_CHANNEL_COMMANDS(4)
    Q3V_CHANNEL_COMMANDS(5)
    Q3V_CHANNEL_COMMANDS(6)
    Q3V_CHANNEL_COMMANDS(7)
END_MESSAGE_MAP()

#undef Q3V_CHANNEL_COMMANDS

CEventColumnWnd::CEventColumnWnd(IHostServiceProvider* host) : CInstanceDataContainerWnd(host, nullptr) {}

HRESULT CEventColumnWnd::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (iid == IID_IUnknown || iid == IID_IHWorkSpaceClient) {
        *object = static_cast<IHWorkSpaceClient*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

template <int Channel>
void CEventColumnWnd::OnAdd() {
    if (CTargetEventVk3* events = EventHandler()) {
        static_cast<void>(events->SetChannelCondition(Channel, m_menuStart, m_menuEnd));
    }
}

template <int Channel>
void CEventColumnWnd::OnEdit() {
    if (CTargetEventVk3* events = EventHandler()) {
        static_cast<void>(events->RefreshChannel(Channel));  // opens the channel's sheet
    }
}

template <int Channel>
void CEventColumnWnd::OnRemove() {
    if (CTargetEventVk3* events = EventHandler()) {
        static_cast<void>(events->ActivateChannel(Channel));
    }
}

UINT CEventColumnWnd::MenuResourceId() {
    if (g_deviceValues.hwBreak == 1) {
        return res_id::kChannelMenu4;
    }
    if (!Protocol234()) {
        return res_id::kChannelMenu2;
    }
    switch (g_deviceValues.addressBreakCount) {
        case 2:
            return res_id::kChannelMenu2;
        case 4:
            return res_id::kChannelMenu4Plain;
        case 5:
            return res_id::kChannelMenu5;
        case 6:
            return res_id::kChannelMenu6;
        case 7:
            return res_id::kChannelMenu7;
        case 8:
            return res_id::kChannelMenu8;
        default:
            return res_id::kChannelMenu4Plain;
    }
}

HRESULT CEventColumnWnd::ShowChannelMenu(DWORD start, DWORD end, LONG x, LONG y) {
    // The menus are the plug-in's resources.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CMenu menu;
    if (!menu.LoadMenu(MenuResourceId())) {
        return 0;
    }
    m_menuStart = start;
    m_menuEnd = end;
    CMenu* channelMenu = menu.GetSubMenu(0);
    if (start == kNoMenu || channelMenu == nullptr) {
        return 0;
    }
    UpdateChannelMenu(*channelMenu);
    static_cast<void>(channelMenu->TrackPopupMenu(TPM_RIGHTBUTTON, x, y, this));  // a dismissed menu does nothing
    menu.DestroyMenu();
    return 0;
}

void CEventColumnWnd::UpdateChannelMenu(CMenu& channelMenu) {
    CTargetEventVk3* events = EventHandler();
    const bool registered = events != nullptr && events->IsListRegistered(CTargetEventVk3::kChannelList);
    const int found = registered ? events->FindChannelByAddress(m_menuStart, m_menuEnd, -1) : -1;
    const int positions = MenuPositions();
    const int foundLimit = positions == 8 ? 8 : 4;
    const bool foundChannel = found >= 0 && found < foundLimit;
    for (int i = 0; i < positions; ++i) {
        bool gray = !registered || foundChannel;
        if (registered && !foundChannel) {
            gray = events->Record(i).conditionFlag != 0;
            const BreakChannelRecord& third = g_breakChannels[2];
            if (g_deviceValues.hwBreak == 1 && i == 3 && third.enable == 1 && third.kind == kBreakKindDataAccess) {
                gray = true;
            }
        }
        if (gray) {
            channelMenu.EnableMenuItem(static_cast<UINT>(i), MF_BYPOSITION | MF_GRAYED);
        }
    }
    int checked = -1;
    if (registered && found >= 0 && found < CheckablePositions()) {
        checked = found;
        channelMenu.EnableMenuItem(static_cast<UINT>(found), MF_BYPOSITION | MF_ENABLED);
        channelMenu.CheckMenuItem(static_cast<UINT>(found), MF_BYPOSITION | MF_CHECKED);
    }
    UpdateChannelItems(channelMenu, checked);
}

void CEventColumnWnd::UpdateChannelItems(CMenu& channelMenu, int checked) {
    for (int i = 0; i < CheckablePositions(); ++i) {
        CMenu* channel = channelMenu.GetSubMenu(i);
        if (channel == nullptr) {
            continue;  // the menu has fewer channels than the device counts
        }
        if (i == checked) {
            channel->EnableMenuItem(kAddItem, MF_BYPOSITION | MF_GRAYED);
        } else {
            channel->EnableMenuItem(kEditItem, MF_BYPOSITION | MF_GRAYED);
            channel->EnableMenuItem(kRemoveItem, MF_BYPOSITION | MF_GRAYED);
        }
    }
}
