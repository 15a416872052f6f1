// Menus: items with their ids, texts and states, nested popups, menus from
// resources, and the popup menu a person chooses from (through the UI
// driver).
#include "platform/resources.h"
#include "platform/ui.h"
#include "platform/ui/dispatch.h"
#include "platform/ui/window_table.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <mutex>

namespace {

constexpr UINT kStateBits = MF_GRAYED | MF_DISABLED | MF_CHECKED;

struct MenuItem {
    UINT id = 0;
    std::string text;
    UINT flags = 0;  // MF_SEPARATOR, MF_POPUP and the state bits
    HMENU popup = nullptr;
};

struct Menu {
    bool popup = false;
    std::vector<MenuItem> items;
};

class MenuTable {
public:
    std::mutex mutex;

    HMENU Add(bool popup) {
        const auto handle = reinterpret_cast<HMENU>(next_);
        next_ += 4;
        menus_[handle].popup = popup;
        return handle;
    }
    Menu* Find(HMENU menu) {
        const auto found = menus_.find(menu);
        return found != menus_.end() ? &found->second : nullptr;
    }
    void Remove(HMENU menu) {
        Menu* found = Find(menu);
        if (found == nullptr) {
            return;
        }
        const std::vector<MenuItem> items = std::move(found->items);
        menus_.erase(menu);
        for (const MenuItem& item : items) {
            Remove(item.popup);
        }
    }

private:
    std::map<HMENU, Menu> menus_;
    std::uintptr_t next_ = 0x200000;
};

MenuTable& Menus() {
    static MenuTable* table = new MenuTable;  // menus may outlive static destruction order
    return *table;
}

// The item a command id or a position names: a command is also looked for in
// the popups, depth first. Needs the table's lock.
MenuItem* FindItem(HMENU menu, UINT item, UINT flags) {
    Menu* found = Menus().Find(menu);
    if (found == nullptr) {
        return nullptr;
    }
    if ((flags & MF_BYPOSITION) != 0) {
        return item < found->items.size() ? &found->items[item] : nullptr;
    }
    for (MenuItem& entry : found->items) {
        if ((entry.flags & MF_POPUP) != 0) {
            if (MenuItem* inner = FindItem(entry.popup, item, flags)) {
                return inner;
            }
        } else if ((entry.flags & MF_SEPARATOR) == 0 && entry.id == item) {
            return &entry;
        }
    }
    return nullptr;
}

std::vector<platform::MenuItemView> ViewOf(HMENU menu) {
    std::vector<platform::MenuItemView> view;
    const Menu* found = Menus().Find(menu);
    if (found == nullptr) {
        return view;
    }
    for (const MenuItem& item : found->items) {
        platform::MenuItemView entry;
        entry.text = item.text;
        entry.separator = (item.flags & MF_SEPARATOR) != 0;
        entry.grayed = (item.flags & (MF_GRAYED | MF_DISABLED)) != 0;
        entry.checked = (item.flags & MF_CHECKED) != 0;
        if ((item.flags & MF_POPUP) != 0) {
            entry.items = ViewOf(item.popup);
        } else if (!entry.separator) {
            entry.id = item.id;
        }
        view.push_back(std::move(entry));
    }
    return view;
}

// Whether a person can choose the command in the menu: an enabled command
// item, not a popup or a separator.
bool Choosable(const std::vector<platform::MenuItemView>& items, UINT id) {
    for (const platform::MenuItemView& item : items) {
        if (!item.items.empty() && Choosable(item.items, id)) {
            return true;
        }
        if (item.id == id && !item.separator && !item.grayed && item.items.empty()) {
            return true;
        }
    }
    return false;
}

BOOL InvalidMenu() {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
}

}  // namespace

HMENU CreateMenu() {
    std::lock_guard lock(Menus().mutex);
    return Menus().Add(false);
}

HMENU CreatePopupMenu() {
    std::lock_guard lock(Menus().mutex);
    return Menus().Add(true);
}

BOOL DestroyMenu(HMENU menu) {
    std::lock_guard lock(Menus().mutex);
    if (Menus().Find(menu) == nullptr) {
        return InvalidMenu();
    }
    Menus().Remove(menu);
    return TRUE;
}

BOOL IsMenu(HMENU menu) {
    std::lock_guard lock(Menus().mutex);
    return Menus().Find(menu) != nullptr ? TRUE : FALSE;
}

HMENU LoadMenuA(HINSTANCE module, LPCSTR name) {
    const platform::MenuResource* resource = platform::FindMenuResource(module, platform::ResourceId(name));
    if (resource == nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return nullptr;
    }
    // Each entry's level nests: at most one level deeper than the items
    // open, which is the level of a popup's items right after the popup.
    std::lock_guard lock(Menus().mutex);
    const HMENU top = Menus().Add(false);
    std::vector<HMENU> open = {top};
    for (const platform::MenuEntry& entry : resource->items) {
        if (entry.level < 0 || entry.level >= static_cast<int>(open.size())) {
            Menus().Remove(top);
            SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
            return nullptr;
        }
        open.resize(static_cast<std::size_t>(entry.level) + 1);
        MenuItem item;
        item.flags = entry.flags & (MF_SEPARATOR | MF_POPUP | kStateBits);
        item.text = (item.flags & MF_SEPARATOR) != 0 || entry.text == nullptr ? "" : entry.text;
        item.id = (item.flags & (MF_POPUP | MF_SEPARATOR)) != 0 ? 0 : entry.id;
        if ((item.flags & MF_POPUP) != 0) {
            item.popup = Menus().Add(true);
        }
        Menus().Find(open.back())->items.push_back(item);
        if (item.popup != nullptr) {
            open.push_back(item.popup);
        }
    }
    return top;
}

BOOL AppendMenuA(HMENU menu, UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    std::lock_guard lock(Menus().mutex);
    Menu* found = Menus().Find(menu);
    if (found == nullptr) {
        return InvalidMenu();
    }
    MenuItem item;
    item.flags = flags & (MF_SEPARATOR | MF_POPUP | kStateBits);
    if ((flags & MF_POPUP) != 0) {
        item.popup = reinterpret_cast<HMENU>(idOrPopup);
        if (Menus().Find(item.popup) == nullptr) {
            return InvalidMenu();
        }
    } else {
        item.id = static_cast<UINT>(idOrPopup);
    }
    if ((flags & MF_SEPARATOR) == 0 && text != nullptr) {
        item.text = text;
    }
    found->items.push_back(item);
    return TRUE;
}

int GetMenuItemCount(HMENU menu) {
    std::lock_guard lock(Menus().mutex);
    const Menu* found = Menus().Find(menu);
    if (found == nullptr) {
        InvalidMenu();
        return -1;
    }
    return static_cast<int>(found->items.size());
}

UINT GetMenuItemID(HMENU menu, int position) {
    std::lock_guard lock(Menus().mutex);
    const MenuItem* item = position >= 0 ? FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION) : nullptr;
    if (item == nullptr || (item->flags & MF_POPUP) != 0) {
        return 0xFFFFFFFFu;
    }
    return (item->flags & MF_SEPARATOR) != 0 ? 0 : item->id;
}

HMENU GetSubMenu(HMENU menu, int position) {
    std::lock_guard lock(Menus().mutex);
    const MenuItem* item = position >= 0 ? FindItem(menu, static_cast<UINT>(position), MF_BYPOSITION) : nullptr;
    return item != nullptr ? item->popup : nullptr;
}

int GetMenuStringA(HMENU menu, UINT item, LPSTR buffer, int size, UINT flags) {
    std::lock_guard lock(Menus().mutex);
    const MenuItem* found = FindItem(menu, item, flags);
    if (found == nullptr) {
        return 0;
    }
    if (buffer == nullptr || size <= 0) {
        return static_cast<int>(found->text.size());
    }
    const std::size_t count = std::min<std::size_t>(found->text.size(), static_cast<std::size_t>(size - 1));
    std::memcpy(buffer, found->text.data(), count);
    buffer[count] = '\0';
    return static_cast<int>(count);
}

BOOL EnableMenuItem(HMENU menu, UINT item, UINT flags) {
    // Answers the item's previous state bits, -1 when there is no such item.
    std::lock_guard lock(Menus().mutex);
    MenuItem* found = FindItem(menu, item, flags);
    if (found == nullptr) {
        return -1;
    }
    const UINT previous = found->flags & (MF_GRAYED | MF_DISABLED);
    found->flags = (found->flags & ~(MF_GRAYED | MF_DISABLED)) | (flags & (MF_GRAYED | MF_DISABLED));
    return static_cast<BOOL>(previous);
}

DWORD CheckMenuItem(HMENU menu, UINT item, UINT flags) {
    std::lock_guard lock(Menus().mutex);
    MenuItem* found = FindItem(menu, item, flags);
    if (found == nullptr) {
        return 0xFFFFFFFFu;
    }
    const DWORD previous = found->flags & MF_CHECKED;
    found->flags = (found->flags & ~MF_CHECKED) | (flags & MF_CHECKED);
    return previous;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, LPCRECT) {
    platform::MenuRequest request;
    {
        std::lock_guard lock(Menus().mutex);
        if (Menus().Find(menu) == nullptr) {
            return InvalidMenu();
        }
        request.items = ViewOf(menu);
    }
    if (platform::ui::FindWindowRecord(owner) == nullptr) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return FALSE;
    }
    request.owner = owner;
    request.flags = flags;
    request.at = POINT{x, y};
    const UINT chosen = platform::ActiveUiDriver().OnPopupMenu(request);
    if (chosen == 0 || !Choosable(request.items, chosen)) {
        return FALSE;  // dismissed
    }
    if ((flags & TPM_RETURNCMD) != 0) {
        return static_cast<BOOL>(chosen);
    }
    // The choice reaches the owner as a command, queued as the system does.
    platform::ui::Post(owner, WM_COMMAND, MAKEWPARAM(chosen, 0), 0);
    return TRUE;
}
