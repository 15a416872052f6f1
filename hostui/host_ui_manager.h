// CHostUiManager: the book-keeper of the plug-in's registrations with the
// host's user interface. Made once by the application object over the host
// service provider and owned by it.
//
// Every registration goes to the host through one of the four UI interfaces
// on behalf of an owner id the host handed out. A registration the host
// accepts with exactly S_OK is recorded under its owner, so that
// UnregisterOwner withdraws everything the owner registered, item by item.
// Records and inner maps belong to the manager: one replaced under its key, a
// registration not recorded, and whatever is left when the manager goes are
// freed without a host call.
//
// An operation whose UI interface the host did not give answers
// E_NOINTERFACE without a call (a few answer E_FAIL or S_OK, as their lines
// say). A list or text that cannot be allocated answers E_OUTOFMEMORY.
//
// Owner keys are pointer-sized: windows and controls withdraw what is
// recorded under their own address beside their two owner ids. Host
// operations take the 32-bit ids the registrations were made with.
#pragma once

#include "frame/com_utils.h"
#include "hostui/ui_records.h"
#include "hostui/ui_variant.h"
#include "platform/afx.h"
#include "platform/host/ui_interfaces.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

using UiOwnerKey = std::uintptr_t;

// An owner map: per owner, the owner's records by their key within the
// owner. An owner's inner map exists while it holds a record.
template <typename Key, typename Record>
class CUiOwnerMap {
public:
    using Inner = std::map<Key, std::unique_ptr<Record>>;

    // Stores the record under the key, replacing (and freeing) what was there.
    void Store(UiOwnerKey owner, const Key& key, std::unique_ptr<Record> record) {
        m_owners[owner][key] = std::move(record);
    }
    Record* Find(UiOwnerKey owner, const Key& key) const {
        const auto inner = m_owners.find(owner);
        if (inner == m_owners.end()) {
            return nullptr;
        }
        const auto found = inner->second.find(key);
        return found != inner->second.end() ? found->second.get() : nullptr;
    }
    const Inner* FindOwner(UiOwnerKey owner) const {
        const auto inner = m_owners.find(owner);
        return inner != m_owners.end() ? &inner->second : nullptr;
    }
    // Takes the record out; the owner goes with its last record.
    std::unique_ptr<Record> Remove(UiOwnerKey owner, const Key& key) {
        const auto inner = m_owners.find(owner);
        if (inner == m_owners.end()) {
            return nullptr;
        }
        const auto found = inner->second.find(key);
        if (found == inner->second.end()) {
            return nullptr;
        }
        std::unique_ptr<Record> record = std::move(found->second);
        inner->second.erase(found);
        if (inner->second.empty()) {
            m_owners.erase(inner);
        }
        return record;
    }
    // Takes the owner's whole inner map out.
    Inner TakeOwner(UiOwnerKey owner) {
        Inner taken;
        if (const auto inner = m_owners.find(owner); inner != m_owners.end()) {
            taken = std::move(inner->second);
            m_owners.erase(inner);
        }
        return taken;
    }
    const std::map<UiOwnerKey, Inner>& Owners() const { return m_owners; }

private:
    std::map<UiOwnerKey, Inner> m_owners;
};

// The optional arrays of a toolbar registration through UI interface 2
// (operation 69).
struct UiToolbarArrays {
    UiIdArray buttons;  // none given (with no second ids): read from the toolbar resource
    UiIdArray second;
    const CStringArray* names = nullptr;
    UiIdArray third;
    UiIdArray fourth;
    UiIdArray fifth;
    UiIdArray sixth;
};

// The four optional arrays of a toolbar registered under one text
// (operation 48).
struct UiOptionalArrays {
    UiIdArray first;
    UiIdArray second;
    UiIdArray third;
    UiIdArray fourth;
};

class CHostUiManager {
public:
    explicit CHostUiManager(IHostServiceProvider* host);
    virtual ~CHostUiManager();
    CHostUiManager(const CHostUiManager&) = delete;
    CHostUiManager& operator=(const CHostUiManager&) = delete;

    IHostServiceProvider* GetHost() const { return m_host; }

    // Owner ids: the host writes a fresh one into the field (left 0 without
    // UI interface 1), and takes back the one the field holds.
    void AcquireOwnerId(DWORD* ownerId);
    void ReleaseOwnerId(DWORD* ownerId);

    // Windows (map 8) and resource instances (map 9). The removals act only
    // when the owner has exactly one entry; S_FALSE otherwise.
    [[nodiscard]] HRESULT AddWindow(DWORD owner, const CLSID* clsid, HWND window);
    [[nodiscard]] HRESULT AddResourceInstance(HINSTANCE instance, DWORD owner, const CLSID* clsid);
    [[nodiscard]] HRESULT RemoveWindow(DWORD owner);
    [[nodiscard]] HRESULT RemoveResourceInstance(DWORD owner);

    // Toolbars (map 6), kept under the toolbar resource id, or the second id
    // when that is 0. Without buttons or second ids AddToolbar reads the
    // button ids from the toolbar resource (E_FAIL when it cannot be
    // loaded). The sixth array goes, or else as many zeros as the third
    // count, and both the fifth and the sixth only when the fifth is given.
    [[nodiscard]] HRESULT AddToolbar(LPCSTR idText, LPCSTR caption, HINSTANCE instance, DWORD toolbarId,
                                     DWORD secondId, DWORD owner, const CLSID* clsid,
                                     const UiToolbarArrays& arrays = {});
    // Operation 48: the button ids from the resource (S_FALSE when it cannot
    // be loaded), or given.
    [[nodiscard]] HRESULT AddToolbarFromResource(LPCSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                                 DWORD owner, const CLSID* clsid,
                                                 const UiOptionalArrays& arrays = {});
    [[nodiscard]] HRESULT AddToolbarFromArrays(LPCSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                               DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                               const UiOptionalArrays& arrays = {});
    // Operations 82 (UI interface 3), 84 and 83 (UI interface 4).
    [[nodiscard]] HRESULT AddToolbarEx(LPCSTR idText, LPCSTR caption, HINSTANCE instance, DWORD toolbarId,
                                       DWORD secondId, DWORD owner, const CLSID* clsid, const UiIdArray& buttons);
    [[nodiscard]] HRESULT AddToolbarEx2(LPCSTR idText, LPCSTR caption, HINSTANCE instance, DWORD toolbarId,
                                        DWORD secondId, DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                        DWORD extra);
    [[nodiscard]] HRESULT AddToolbarEx3(LPCSTR idText, LPCSTR caption, LPCSTR third, HINSTANCE instance,
                                        DWORD toolbarId, DWORD secondId, DWORD owner, const CLSID* clsid,
                                        const UiIdArray& buttons);

    // Id-text items (map 5), kept under their key text (KeyText). A menu
    // that cannot be loaded gives S_FALSE without a host call.
    [[nodiscard]] HRESULT AddIdItemFromMenu(LPCSTR idText, HINSTANCE instance, DWORD menuId, DWORD owner,
                                            const CLSID* clsid, LPCSTR firstText, LPCSTR secondText, DWORD flags);
    // Operation 9 with the caller's arrays.
    [[nodiscard]] HRESULT AddIdItemFromArrays(LPCSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner,
                                              const CLSID* clsid, const UiIdArray& ids, const UiIdArray& secondIds,
                                              const CStringArray* names, LPCSTR firstText, LPCSTR secondText,
                                              DWORD flags);
    // Operation 10 with the items' texts and ids (the ids go twice).
    [[nodiscard]] HRESULT AddIdItem(LPCSTR idText, const CStringArray& itemTexts, const UiIdArray& ids,
                                    DWORD numericId, DWORD owner, const CLSID* clsid, LPCSTR firstText,
                                    LPCSTR secondText, DWORD flags);
    // Operation 10 with every array given by the caller.
    [[nodiscard]] HRESULT AddIdItemEx(LPCSTR idText, const CStringArray& itemTexts, const UiIdArray& ids,
                                      DWORD numericId, DWORD owner, const CLSID* clsid, const UiIdArray& secondIds,
                                      const UiIdArray& thirdIds, const CStringArray* names, LPCSTR firstText,
                                      LPCSTR secondText, DWORD flags);
    // Operation 10 with the content of an item list; its numeric id is the
    // list id, so the item follows the list (RefreshListMenus).
    [[nodiscard]] HRESULT AddIdItemFromList(LPCSTR idText, DWORD listId, DWORD owner, const CLSID* clsid,
                                            LPCSTR firstText, LPCSTR secondText, DWORD flags);
    [[nodiscard]] HRESULT RemoveIdItem(LPCSTR idText, DWORD numericId, DWORD owner);
    // Withdraws every item of the owner with that id text (only those whose
    // flags have 0x4 with onlyFlagged).
    void RemoveIdItemsByText(LPCSTR idText, DWORD owner, BOOL onlyFlagged);
    [[nodiscard]] virtual HRESULT InvokeIdItem(LPCSTR idText, DWORD numericId, DWORD owner);
    // The id text followed by the numeric id in lower-case hexadecimal
    // without leading zeros, all in lower case (by characters of the ANSI
    // code page, so a double-byte character stays itself).
    static std::string KeyText(LPCSTR idText, DWORD numericId);

    // Command texts (map 3) and command groups (map 2).
    [[nodiscard]] HRESULT SetCommandText(DWORD commandId, LPCSTR text, DWORD owner);
    [[nodiscard]] HRESULT RemoveCommandText(DWORD commandId, DWORD owner);
    [[nodiscard]] HRESULT AddCommandGroupFromMenu(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                                  const CLSID* clsid);
    [[nodiscard]] HRESULT AddCommandGroup(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                          const CLSID* clsid, const UiIdArray& ids, const UiIdArray& secondIds,
                                          const CStringArray* names);
    [[nodiscard]] HRESULT RemoveCommandGroup(DWORD groupId, DWORD owner);

    // Withdraws everything recorded under the owner, maps 1, 2, 3, 4, 5, 7,
    // 6, 9, 8, 10 in this order; the host's answers are not checked.
    void UnregisterOwner(UiOwnerKey owner);
    void UnregisterAllOwners();

    // Menus (map 4). A menu that cannot be loaded gives S_FALSE without a
    // host call; the menu's command ids are those of CollectMenuItems.
    [[nodiscard]] HRESULT AddMenu(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid);
    [[nodiscard]] HRESULT AddMenuEx(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                    LPCSTR firstText, LPCSTR secondText, DWORD flags);
    [[nodiscard]] HRESULT AddMenuWithIds(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                         const UiIdArray& ids, const UiIdArray& secondIds,
                                         const CStringArray* names);
    [[nodiscard]] HRESULT AddMenuWithIdsEx(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                           const UiIdArray& ids, const UiIdArray& secondIds,
                                           const CStringArray* names, LPCSTR firstText, LPCSTR secondText,
                                           DWORD flags);
    [[nodiscard]] HRESULT AddTextMenu(const CStringArray& texts, const UiIdArray& ids, DWORD menuKey, DWORD owner,
                                      const CLSID* clsid, LPCSTR firstText, LPCSTR secondText, DWORD flags);
    // The second id array always goes, built from its count and pointer.
    [[nodiscard]] HRESULT AddTextMenuEx(const CStringArray& texts, const UiIdArray& ids, DWORD menuKey, DWORD owner,
                                        const CLSID* clsid, const UiIdArray& secondIds, const UiIdArray& thirdIds,
                                        const CStringArray* secondTexts, LPCSTR firstText, LPCSTR secondText,
                                        DWORD flags);
    // A menu of the item list's content, kept under the list id so that it
    // follows the list's changes.
    [[nodiscard]] HRESULT AddListMenu(DWORD listId, DWORD owner, const CLSID* clsid, LPCSTR firstText,
                                      LPCSTR secondText, DWORD flags);
    [[nodiscard]] HRESULT RemoveMenu(DWORD menuKey, DWORD owner);
    [[nodiscard]] HRESULT RemoveMenuEx(DWORD menuKey, DWORD owner);

    // Accelerator tables (map 7). A table that cannot be loaded gives S_FALSE
    // without a host call; its ids are every entry's command, duplicates kept.
    [[nodiscard]] HRESULT AddAccelerators(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid);
    [[nodiscard]] HRESULT AddAcceleratorsWithIds(HINSTANCE instance, DWORD tableId, DWORD owner,
                                                 const CLSID* clsid, const UiIdArray& ids,
                                                 const UiIdArray& secondIds, const CStringArray* names);
    [[nodiscard]] HRESULT RemoveAccelerators(DWORD tableId, DWORD owner);

    // Named command lists (map 10): each name is kept under itself.
    [[nodiscard]] HRESULT AddNamedCommands(DWORD owner, const CLSID* clsid, const UiIdArray& ids,
                                           const CStringArray& names);
    [[nodiscard]] HRESULT RemoveNamedCommands(DWORD owner, const CStringArray& names);

    // Popups and popup items (map 1).
    [[nodiscard]] HRESULT CreatePopup(LPCSTR text, DWORD second, DWORD third, DWORD fourth);
    [[nodiscard]] HRESULT ReleasePopup(DWORD popup);
    [[nodiscard]] HRESULT AddPopupItem(DWORD itemId, DWORD owner, DWORD eighth);
    [[nodiscard]] HRESULT AddPopupItemEx(DWORD popup, DWORD itemId, DWORD third, LPCSTR text, DWORD fifth,
                                         DWORD sixth, DWORD owner, DWORD eighth);
    // Operation 22, then 19 for a popup item whatever 22 answered.
    [[nodiscard]] HRESULT RemovePopupItem(DWORD itemId, DWORD owner);

    // Named toolbars (map 6, operation 24). A toolbar resource that cannot be
    // loaded gives S_FALSE without a host call.
    [[nodiscard]] HRESULT AddNamedToolbar(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                          DWORD owner, const CLSID* clsid);
    [[nodiscard]] HRESULT AddNamedToolbarEx(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                            DWORD owner, const CLSID* clsid, const UiIdArray& first,
                                            const UiIdArray& second, const UiIdArray& third);
    [[nodiscard]] HRESULT AddNamedToolbarWithIds(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                                 DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                                 const UiIdArray& secondIds, const CStringArray* names);
    [[nodiscard]] HRESULT AddNamedToolbarWithIdsEx(LPCSTR name, HINSTANCE instance, DWORD toolbarId,
                                                   DWORD secondId, DWORD owner, const CLSID* clsid,
                                                   const UiIdArray& buttons, const UiIdArray& secondIds,
                                                   const CStringArray* names, const UiIdArray& first,
                                                   const UiIdArray& second, const UiIdArray& third);
    [[nodiscard]] HRESULT RemoveToolbar(DWORD toolbarId, DWORD secondId, DWORD owner);

    // Dynamic item lists (map 11): not owned; they live until the manager
    // goes. Each change sends the list to the menus and id-text items built
    // from it.
    [[nodiscard]] HRESULT CreateItemList(DWORD listId, DWORD firstId, DWORD capacity, BOOL explicitIds);
    // S_FALSE without the list, for an empty text or a full list; E_FAIL for
    // an id that does not fit the list and for a position past the last
    // item (the list is then unchanged). Placement 1, an empty list or the
    // position after the last item append; otherwise the item goes before
    // the one at the position, and with placement 0 the items are then
    // sorted by their texts (CompareItemTexts, stable: equal texts keep
    // their order). Every item keeps its own texts and id.
    [[nodiscard]] HRESULT InsertItem(DWORD listId, LPCSTR itemText, LPCSTR secondText, int position,
                                     DWORD placement, LPCSTR thirdText, DWORD commandId);
    // A null text empties the list; else the first item with that text goes.
    [[nodiscard]] HRESULT RemoveItem(DWORD listId, LPCSTR itemText);
    [[nodiscard]] HRESULT GetItemSecondText(DWORD listId, DWORD commandId, CString* text);
    [[nodiscard]] HRESULT FindItemId(DWORD listId, LPCSTR itemText, LPCSTR secondText, DWORD* commandId);
    [[nodiscard]] HRESULT RefreshListMenus(DWORD listId);
    // A copy of the list stored under the id (false when there is none).
    bool GetItemList(DWORD listId, CUiItemList& list) const;
    // A list's texts and command ids as the host's arrays, both empty for a
    // list that is missing or holds nothing; throws platform::ComError.
    struct ItemListArgs {
        CVariantArg texts;
        CVariantArg ids;
    };
    ItemListArgs GetItemListArgs(DWORD listId) const;

    // The forwarders to UI interface 2 (operations 61 to 64).
    [[nodiscard]] virtual HRESULT Forward61(DWORD first, DWORD second, DWORD third, DWORD fourth, DWORD fifth,
                                            DWORD sixth, const UiIdArray& ids1, const UiIdArray& ids2,
                                            const UiIdArray& ids3, const UiIdArray& ids4, const UiIdArray& ids5);
    [[nodiscard]] virtual HRESULT SetValue62(DWORD value);
    [[nodiscard]] virtual HRESULT SetValue63(DWORD value);
    // The flag goes as 0xFFFFFFFF when non-zero, else 0.
    [[nodiscard]] virtual HRESULT SetFlag64(DWORD value, BOOL flag);

    // Single host calls: one call each, nothing recorded.
    [[nodiscard]] HRESULT FireCommand(HWND window, DWORD code);
    [[nodiscard]] HRESULT QueryCommandState(HWND window, DWORD* state);
    [[nodiscard]] HRESULT SetIdText(DWORD number, LPCSTR text);
    [[nodiscard]] HRESULT SetTextPair(LPCSTR first, LPCSTR second);
    [[nodiscard]] HRESULT SetTextValue53(LPCSTR text, DWORD value);
    [[nodiscard]] HRESULT SetTextValue54(LPCSTR text, DWORD value);
    // The point goes as x and y in the low and high 16-bit halves.
    [[nodiscard]] HRESULT ShowAtPoint(LPCSTR text, POINT point);
    [[nodiscard]] HRESULT SetToolbarValue85(DWORD first, DWORD second);
    [[nodiscard]] HRESULT QueryToolbar86();
    [[nodiscard]] HRESULT RegisterItem51(LPCSTR first, LPCSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                         DWORD sixth);
    [[nodiscard]] HRESULT SetValues15(DWORD first, DWORD second, DWORD third);
    [[nodiscard]] HRESULT SetItemText20(DWORD value, LPCSTR text, DWORD third, DWORD fourth, DWORD fifth);
    // List outs receive the host's texts or ids appended (a string array
    // out is first sized to them); a text out is set only when given.
    [[nodiscard]] HRESULT GetTexts25(DWORD first, DWORD second, DWORD third, DWORD fourth, CStringArray& texts,
                                     CString* text);
    // An array without texts goes as the empty VARIANT.
    [[nodiscard]] HRESULT SetTexts26(DWORD first, DWORD second, DWORD third, DWORD fourth,
                                     const CStringArray& texts, LPCSTR text);
    [[nodiscard]] HRESULT SetText27(LPCSTR text);
    [[nodiscard]] HRESULT GetNames38(CStringList& names);
    [[nodiscard]] HRESULT GetIds39(LPCSTR text, CUintList& ids);
    [[nodiscard]] HRESULT SetTextValue40(LPCSTR text, DWORD value);
    [[nodiscard]] HRESULT SetText41(LPCSTR text);
    [[nodiscard]] HRESULT SetValue42(DWORD first, DWORD second);
    [[nodiscard]] HRESULT SetValue43(DWORD first, DWORD second);
    [[nodiscard]] HRESULT SetValue47(DWORD first, DWORD second);
    [[nodiscard]] HRESULT Notify49();
    [[nodiscard]] HRESULT SetTextValue56(LPCSTR text, DWORD value);
    [[nodiscard]] HRESULT SetValue57(DWORD first, DWORD second);
    [[nodiscard]] HRESULT SetTextPair58(LPCSTR first, LPCSTR second);
    // The text goes in and comes back; E_FAIL without UI interface 2.
    [[nodiscard]] HRESULT EditText59(LPCSTR first, LPCSTR second, DWORD third, DWORD fourth, DWORD fifth,
                                     DWORD sixth, CString* text);
    // The value read from the address goes.
    [[nodiscard]] HRESULT SetTextValue60(LPCSTR text, const DWORD* value);
    // These four answer S_OK whatever the host answers (also without UI
    // interface 2).
    [[nodiscard]] HRESULT Notify65();
    [[nodiscard]] HRESULT Notify66();
    [[nodiscard]] HRESULT Notify67();
    [[nodiscard]] HRESULT Notify68();
    [[nodiscard]] HRESULT SetText70(LPCSTR text);
    [[nodiscard]] HRESULT SetText71(LPCSTR text);
    [[nodiscard]] HRESULT SetTextValue72(LPCSTR text, DWORD value);
    // The value out is written only on S_OK.
    [[nodiscard]] HRESULT GetValue73(LPCSTR text, DWORD* value);
    [[nodiscard]] HRESULT SetTextValue74(LPCSTR text, DWORD value);
    [[nodiscard]] HRESULT GetNameLists75(CStringList& first, CStringList& second);
    [[nodiscard]] HRESULT GetIds76(LPCSTR text, CUintList& ids);
    [[nodiscard]] HRESULT GetTexts77(DWORD first, DWORD second, CStringArray& texts, CString* text);
    [[nodiscard]] HRESULT SetTexts78(DWORD first, DWORD second, const CStringArray* texts, LPCSTR text);
    // These two answer E_FAIL without UI interface 2.
    [[nodiscard]] HRESULT SetValue79(DWORD value);
    [[nodiscard]] HRESULT SetText80(LPCSTR text);
    [[nodiscard]] HRESULT Notify81();
    // The text out is set when the result is not negative.
    [[nodiscard]] HRESULT GetText88(DWORD first, DWORD second, CString* text);

    // What is recorded, for the owner's withdrawal and for tests.
    const CUiOwnerMap<DWORD, CUiPopupRecord>& PopupItems() const { return m_popupItems; }
    const CUiOwnerMap<DWORD, CUiCommandRecord>& CommandGroups() const { return m_commandGroups; }
    const CUiOwnerMap<DWORD, CUiCommandRecord>& CommandTexts() const { return m_commandTexts; }
    const CUiOwnerMap<DWORD, CUiMenuRecord>& Menus() const { return m_menus; }
    const CUiOwnerMap<std::string, CUiIdTextRecord>& IdItems() const { return m_idItems; }
    const CUiOwnerMap<DWORD, CUiToolbarRecord>& Toolbars() const { return m_toolbars; }
    const CUiOwnerMap<DWORD, CUiAccelRecord>& AcceleratorTables() const { return m_accelerators; }
    const CUiOwnerMap<void*, CUiHandleRecord>& Windows() const { return m_windows; }
    const CUiOwnerMap<void*, CUiHandleRecord>& ResourceInstances() const { return m_instances; }
    const CUiOwnerMap<std::string, CString>& NamedCommands() const { return m_namedCommands; }

private:
    // Calls the host through one UI interface: E_NOINTERFACE without it, the
    // allocation's error when an argument could not be made.
    template <typename Interface, typename Call>
    static HRESULT CallHost(Interface* ui, Call call);

    HRESULT AddToolbarWithText(LPCSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId, DWORD owner,
                               const CLSID* clsid, const CVariantArg& buttons, const UiOptionalArrays& arrays);
    // Operation 9 with the ids of a loaded menu.
    HRESULT AddIdItemWithIds(LPCSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner, const CLSID* clsid,
                             const CVariantArg& ids, const CVariantArg& secondIds, const CVariantArg& names,
                             LPCSTR firstText, LPCSTR secondText, DWORD flags);
    HRESULT AddIdItemWithTexts(LPCSTR idText, const CVariantArg& texts, const CVariantArg& ids, DWORD numericId,
                               DWORD owner, const CLSID* clsid, const CVariantArg& secondIds,
                               const CVariantArg& thirdIds, const CVariantArg& names, LPCSTR firstText,
                               LPCSTR secondText, DWORD flags);
    HRESULT AddMenuWithArrays(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                              const CVariantArg& ids, const CVariantArg& secondIds, const CVariantArg& names,
                              LPCSTR firstText, LPCSTR secondText, DWORD flags);
    HRESULT AddTextMenuWithArrays(const CVariantArg& texts, const CVariantArg& ids, DWORD menuKey, DWORD owner,
                                  const CLSID* clsid, const CVariantArg& secondIds, const CVariantArg& thirdIds,
                                  const CVariantArg& secondTexts, LPCSTR firstText, LPCSTR secondText,
                                  DWORD flags);
    HRESULT AddNamedToolbarWithArrays(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                      DWORD owner, const CLSID* clsid, const CVariantArg& buttons,
                                      const CVariantArg& secondIds, const CVariantArg& names,
                                      const UiIdArray& first, const UiIdArray& second, const UiIdArray& third);
    HRESULT AddAcceleratorsWithArrays(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid,
                                      const CVariantArg& ids, const CVariantArg& secondIds,
                                      const CVariantArg& names);
    HRESULT AddCommandGroupWithArrays(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                      const CLSID* clsid, const CVariantArg& ids, const CVariantArg& secondIds,
                                      const CVariantArg& names);
    // A toolbar record under its key, on exactly S_OK.
    void RecordToolbar(HRESULT result, DWORD toolbarId, DWORD secondId, DWORD owner);
    // The record under the key text, on exactly S_OK.
    void RecordIdItem(HRESULT result, LPCSTR idText, DWORD numericId, DWORD owner, const CLSID* clsid,
                      LPCSTR firstText, LPCSTR secondText, DWORD flags);
    HRESULT RemoveHandle(CUiOwnerMap<void*, CUiHandleRecord>& map, DWORD owner, bool window);
    void RefreshMenusOf(const CUiItemList& list);
    void RefreshIdItemsOf(const CUiItemList& list);
    // Stores the list back and sends it to what was built from it.
    HRESULT StoreAndRefresh(CUiItemList list);
    HRESULT ReleasePopupIfUnused(DWORD popup);

    IHostServiceProvider* m_host;
    // The eleven maps, in field order.
    CUiOwnerMap<DWORD, CUiPopupRecord> m_popupItems;            // 1
    CUiOwnerMap<DWORD, CUiCommandRecord> m_commandGroups;       // 2
    CUiOwnerMap<DWORD, CUiCommandRecord> m_commandTexts;        // 3
    CUiOwnerMap<DWORD, CUiMenuRecord> m_menus;                  // 4
    CUiOwnerMap<std::string, CUiIdTextRecord> m_idItems;        // 5
    CUiOwnerMap<DWORD, CUiToolbarRecord> m_toolbars;            // 6
    CUiOwnerMap<DWORD, CUiAccelRecord> m_accelerators;          // 7
    CUiOwnerMap<void*, CUiHandleRecord> m_windows;              // 8
    CUiOwnerMap<void*, CUiHandleRecord> m_instances;            // 9
    CUiOwnerMap<std::string, CString> m_namedCommands;          // 10
    std::map<DWORD, CUiItemList> m_itemLists;                   // 11
    // The four UI interfaces, borrowed; null when the host gave none.
    IHUiRegistration* m_ui1 = nullptr;
    IHUiRegistration2* m_ui2 = nullptr;
    IHUiRegistration3* m_ui3 = nullptr;
    IHUiRegistration4* m_ui4 = nullptr;
};

// The order of item texts: multibyte-aware, case-sensitive, by bytes;
// negative, 0 or positive.
int CompareItemTexts(const CString& first, const CString& second);
