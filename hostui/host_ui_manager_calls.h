// The host call of the UI registration manager's operations and the scoped
// resources they load (kept to the manager's own sources).
#pragma once

#include "hostui/host_ui_manager.h"
#include "hostui/ui_resource_helpers.h"
#include "platform/bstr.h"

#include <vector>

template <typename Interface, typename Call>
HRESULT CHostUiManager::CallHost(Interface* ui, Call call) {
    if (ui == nullptr) {
        return E_NOINTERFACE;
    }
    try {
        return call(*ui);
    } catch (const platform::ComError& error) {
        return error.Error();  // an argument could not be allocated; nothing was called
    }
}

namespace hostui_detail {

// A loaded menu, destroyed on every exit.
class LoadedMenu {
public:
    explicit LoadedMenu(HMENU menu) : m_menu(menu) {}
    ~LoadedMenu() {
        if (m_menu != nullptr) {
            DestroyMenu(m_menu);
        }
    }
    LoadedMenu(const LoadedMenu&) = delete;
    LoadedMenu& operator=(const LoadedMenu&) = delete;
    HMENU Get() const { return m_menu; }

private:
    HMENU m_menu;
};

// A loaded accelerator table, destroyed on every exit.
class LoadedAccelerators {
public:
    explicit LoadedAccelerators(HACCEL table) : m_table(table) {}
    ~LoadedAccelerators() {
        if (m_table != nullptr) {
            DestroyAcceleratorTable(m_table);
        }
    }
    LoadedAccelerators(const LoadedAccelerators&) = delete;
    LoadedAccelerators& operator=(const LoadedAccelerators&) = delete;
    HACCEL Get() const { return m_table; }

private:
    HACCEL m_table;
};

// The id a toolbar is kept and loaded under.
inline DWORD ToolbarKey(DWORD toolbarId, DWORD secondId) {
    return toolbarId != 0 ? toolbarId : secondId;
}

// The ids of a list as an array, in list order.
inline std::vector<DWORD> IdsOf(const CUintList& list) {
    std::vector<DWORD> ids(static_cast<std::size_t>(list.GetCount()));
    CopyUintListToArray(list, ids.data());
    return ids;
}

// The command ids of a menu (CollectMenuItems, ids only).
inline std::vector<DWORD> MenuCommandIds(HMENU menu) {
    CUintList ids;
    CollectMenuItems(menu, nullptr, &ids);
    return IdsOf(ids);
}

}  // namespace hostui_detail
