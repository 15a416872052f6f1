// The records the UI registration manager keeps of every registration the
// host accepted, and the dynamic item lists from which menus are built. A
// record belongs to the manager from the host's S_OK to the removal that
// withdraws it; the removal calls pass its values back to the host.
#pragma once

#include "platform/afx.h"

#include <cstddef>
#include <vector>

// Owner and reserved word, first in every record. The reserved word is
// always 0 in this program.
struct CUiRecord {
    CUiRecord(DWORD owner, DWORD reserved) : owner(owner), reserved(reserved) {}

    DWORD owner;
    DWORD reserved;
};

// Windows (map 8) and resource instances (map 9).
struct CUiHandleRecord : CUiRecord {
    CUiHandleRecord(void* handle, DWORD owner, DWORD reserved) : CUiRecord(owner, reserved), handle(handle) {}

    void* handle;
};

// Menus (map 4): the menu resource id, or the menu key or list id given at
// registration.
struct CUiMenuRecord : CUiRecord {
    // A null text is kept as the empty text.
    CUiMenuRecord(DWORD menuKey, DWORD owner, const CLSID* clsid, LPCSTR firstText, LPCSTR secondText, DWORD flags,
                  DWORD reserved)
        : CUiRecord(owner, reserved),
          menuKey(menuKey),
          clsid(clsid),
          firstText(firstText != nullptr ? firstText : ""),
          secondText(secondText != nullptr ? secondText : ""),
          flags(flags) {}

    DWORD menuKey;
    const CLSID* clsid;
    CString firstText;
    CString secondText;
    DWORD flags;
};

// Id-text items (map 5): the menu key holds the item's numeric id.
struct CUiIdTextRecord : CUiMenuRecord {
    CUiIdTextRecord(LPCSTR idText, DWORD numericId, DWORD owner, const CLSID* clsid, LPCSTR firstText,
                    LPCSTR secondText, DWORD flags, DWORD reserved)
        : CUiMenuRecord(numericId, owner, clsid, firstText, secondText, flags, reserved),
          idText(idText != nullptr ? idText : "") {}

    DWORD NumericId() const { return menuKey; }

    CString idText;
};

// Accelerator tables (map 7): the two texts stay empty.
struct CUiAccelRecord : CUiRecord {
    CUiAccelRecord(DWORD tableId, DWORD owner, DWORD reserved) : CUiRecord(owner, reserved), tableId(tableId) {}

    DWORD tableId;
    DWORD zero = 0;
    CString firstText;
    CString secondText;
};

// Toolbars (map 6).
struct CUiToolbarRecord : CUiRecord {
    CUiToolbarRecord(DWORD toolbarId, DWORD secondId, DWORD owner, DWORD reserved)
        : CUiRecord(owner, reserved), toolbarId(toolbarId), secondId(secondId) {}

    DWORD toolbarId;
    DWORD secondId;
};

// Popup items (map 1): popup handle 0 for an item outside any popup; the
// sixth value of the registering call, kept for its removal.
struct CUiPopupRecord : CUiRecord {
    CUiPopupRecord(DWORD itemId, DWORD owner, DWORD reserved) : CUiPopupRecord(0, itemId, 0, owner, reserved) {}
    CUiPopupRecord(DWORD popup, DWORD itemId, DWORD sixth, DWORD owner, DWORD reserved)
        : CUiRecord(owner, reserved), popup(popup), itemId(itemId), sixth(sixth) {}

    DWORD popup;
    DWORD itemId;
    DWORD sixth;
};

// Command groups (map 2) and command texts (map 3, menu id 0).
struct CUiCommandRecord : CUiRecord {
    CUiCommandRecord(DWORD id, DWORD menuId, DWORD owner, DWORD reserved)
        : CUiRecord(owner, reserved), id(id), menuId(menuId) {}

    DWORD id;
    DWORD menuId;
};

// A dynamic item list (map 11): numbered menu items a caller keeps up to date.
// The four per-item lists are parallel. Without explicit ids the item at
// position p has the command id first + p and 0xFFFFFFFF in the id list;
// with them, each item carries its own id, from first to first + capacity.
struct CUiItemList {
    static constexpr DWORD kNoExplicitId = 0xFFFFFFFFu;

    CUiItemList() = default;
    CUiItemList(DWORD listId, DWORD firstId, DWORD capacity) : listId(listId), firstId(firstId), capacity(capacity) {}

    std::size_t Count() const { return itemTexts.size(); }
    // The command id of the item at the position.
    DWORD CommandIdAt(std::size_t position) const {
        return explicitIds ? commandIds[position] : firstId + static_cast<DWORD>(position);
    }
    // Whether an id lies in the list's range, first to first + capacity.
    bool InRange(DWORD id) const {
        return id >= firstId && static_cast<unsigned long long>(id) <= static_cast<unsigned long long>(firstId) + capacity;
    }

    DWORD listId = 0;
    DWORD firstId = 0;
    DWORD capacity = 0;
    std::vector<CString> itemTexts;
    std::vector<CString> secondTexts;
    std::vector<CString> thirdTexts;
    BOOL explicitIds = FALSE;
    std::vector<DWORD> commandIds;
};
