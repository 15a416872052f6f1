// The manager's construction, owner ids, windows, resource instances,
// toolbars, id-text items, command texts and groups, and the withdrawal of an
// owner's registrations.
#include "hostui/host_ui_manager.h"

#include "hostui/host_ui_manager_calls.h"
#include "util/string_text.h"

#include <cstdio>
#include <set>
#include <vector>

using hostui_detail::IdsOf;
using hostui_detail::LoadedMenu;
using hostui_detail::MenuCommandIds;
using hostui_detail::ToolbarKey;

namespace {

// The flag of an id-text item that RemoveIdItemsByText may single out.
constexpr DWORD kIdItemFlag = 0x4;

template <typename Interface>
void AskForService(IHostServiceProvider* host, const IID& iid, Interface*& field) {
    void* service = nullptr;
    if (SUCCEEDED(host->QueryService(iid, &service))) {
        field = static_cast<Interface*>(service);
    }
}

}  // namespace

CHostUiManager::CHostUiManager(IHostServiceProvider* host) : m_host(host) {
    if (host == nullptr) {
        return;
    }
    AskForService(host, IID_IHUiRegistration4, m_ui4);
    AskForService(host, IID_IHUiRegistration3, m_ui3);
    AskForService(host, IID_IHUiRegistration2, m_ui2);
    AskForService(host, IID_IHUiRegistration, m_ui1);
}

// The maps go in the reverse order of their fields; what they still hold is
// freed without a host call, and the interfaces are not released.
CHostUiManager::~CHostUiManager() = default;

void CHostUiManager::AcquireOwnerId(DWORD* ownerId) {
    static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.AcquireOwnerId(ownerId); }));
}

void CHostUiManager::ReleaseOwnerId(DWORD* ownerId) {
    static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.ReleaseOwnerId(ownerId); }));
}

HRESULT CHostUiManager::AddWindow(DWORD owner, const CLSID* clsid, HWND window) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.AddWindow(owner, clsid, window); });
    if (result == S_OK) {
        m_windows.Store(owner, window, std::make_unique<CUiHandleRecord>(window, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::AddResourceInstance(HINSTANCE instance, DWORD owner, const CLSID* clsid) {
    const HRESULT result =
        CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.AddResourceInstance(instance, owner, clsid); });
    if (result == S_OK) {
        m_instances.Store(owner, instance, std::make_unique<CUiHandleRecord>(instance, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::RemoveHandle(CUiOwnerMap<void*, CUiHandleRecord>& map, DWORD owner, bool window) {
    const auto* entries = map.FindOwner(owner);
    if (entries == nullptr || entries->size() != 1) {
        return S_FALSE;
    }
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return window ? ui.RemoveWindow(owner) : ui.RemoveResourceInstance(owner);
    });
    if (result == S_OK) {
        map.TakeOwner(owner);
    }
    return result;
}

HRESULT CHostUiManager::RemoveWindow(DWORD owner) {
    return RemoveHandle(m_windows, owner, true);
}

HRESULT CHostUiManager::RemoveResourceInstance(DWORD owner) {
    return RemoveHandle(m_instances, owner, false);
}

void CHostUiManager::RecordToolbar(HRESULT result, DWORD toolbarId, DWORD secondId, DWORD owner) {
    if (result == S_OK) {
        m_toolbars.Store(owner, ToolbarKey(toolbarId, secondId),
                         std::make_unique<CUiToolbarRecord>(toolbarId, secondId, owner, 0));
    }
}

HRESULT CHostUiManager::AddToolbar(LPCSTR idText, LPCSTR caption, HINSTANCE instance, DWORD toolbarId,
                                   DWORD secondId, DWORD owner, const CLSID* clsid, const UiToolbarArrays& arrays) {
    std::vector<DWORD> resourceIds;
    const bool fromResource = arrays.buttons.count == 0 && arrays.second.count == 0;
    if (fromResource) {
        const ToolbarResourceData resource = LoadToolbarFromInstance(instance, ToolbarKey(toolbarId, secondId));
        if (resource.data == nullptr) {
            return E_FAIL;
        }
        CUintList ids;
        CollectToolbarButtons(resource.data, resource.size, &ids, TRUE);
        resourceIds = IdsOf(ids);
    }
    const HRESULT result = CallHost(m_ui2, [&](IHUiRegistration2& ui) {
        const CVariantArg buttons =
            fromResource ? CVariantArg::Ids(resourceIds) : CVariantArg::Ids(arrays.buttons.count, arrays.buttons.ids);
        const CVariantArg second = CVariantArg::OptionalIds(arrays.second);
        const CVariantArg names = CVariantArg::OptionalTexts(arrays.names);
        const CVariantArg third = CVariantArg::OptionalIds(arrays.third);
        const CVariantArg fourth = CVariantArg::OptionalIds(arrays.fourth);
        // The fifth and sixth go only with a fifth array; the sixth is then
        // the one given, or as many zeros as the third count.
        CVariantArg fifth;
        CVariantArg sixth;
        if (arrays.fifth.Given()) {
            fifth = CVariantArg::Ids(arrays.fifth.count, arrays.fifth.ids);
            if (arrays.sixth.Given()) {
                sixth = CVariantArg::Ids(arrays.sixth.count, arrays.sixth.ids);
            } else if (arrays.third.count > 0) {
                sixth = CVariantArg::Ids(std::vector<DWORD>(arrays.third.count, 0));
            }
        }
        const platform::Bstr idTextArg = TextArg(idText);
        const platform::Bstr captionArg = TextArg(caption);
        return ui.AddToolbar(idTextArg.Get(), captionArg.Get(), instance, toolbarId, secondId, owner, clsid,
                             buttons.Value(), second.Value(), names.Value(), third.Value(), fourth.Value(),
                             fifth.Value(), sixth.Value());
    });
    RecordToolbar(result, toolbarId, secondId, owner);
    return result;
}

HRESULT CHostUiManager::AddToolbarWithText(LPCSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                           DWORD owner, const CLSID* clsid, const CVariantArg& buttons,
                                           const UiOptionalArrays& arrays) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const CVariantArg empty;
        const CVariantArg first = CVariantArg::OptionalIds(arrays.first);
        const CVariantArg second = CVariantArg::OptionalIds(arrays.second);
        const CVariantArg third = CVariantArg::OptionalIds(arrays.third);
        const CVariantArg fourth = CVariantArg::OptionalIds(arrays.fourth);
        const platform::Bstr textArg = TextArg(text);
        return ui.AddToolbarWithText(textArg.Get(), instance, toolbarId, secondId, owner, clsid, buttons.Value(),
                                     empty.Value(), empty.Value(), first.Value(), second.Value(), third.Value(),
                                     fourth.Value());
    });
    RecordToolbar(result, toolbarId, secondId, owner);
    return result;
}

HRESULT CHostUiManager::AddToolbarFromResource(LPCSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                               DWORD owner, const CLSID* clsid, const UiOptionalArrays& arrays) {
    const ToolbarResourceData resource = LoadToolbarFromInstance(instance, ToolbarKey(toolbarId, secondId));
    if (resource.data == nullptr) {
        return S_FALSE;
    }
    CUintList ids;
    CollectToolbarButtons(resource.data, resource.size, &ids, TRUE);
    try {
        const CVariantArg buttons = CVariantArg::Ids(IdsOf(ids));
        return AddToolbarWithText(text, instance, toolbarId, secondId, owner, clsid, buttons, arrays);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddToolbarFromArrays(LPCSTR text, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                             DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                             const UiOptionalArrays& arrays) {
    try {
        const CVariantArg buttonIds = CVariantArg::Ids(buttons.count, buttons.ids);
        return AddToolbarWithText(text, instance, toolbarId, secondId, owner, clsid, buttonIds, arrays);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddToolbarEx(LPCSTR idText, LPCSTR caption, HINSTANCE instance, DWORD toolbarId,
                                     DWORD secondId, DWORD owner, const CLSID* clsid, const UiIdArray& buttons) {
    const HRESULT result = CallHost(m_ui3, [&](IHUiRegistration3& ui) {
        const CVariantArg ids = CVariantArg::Ids(buttons.count, buttons.ids);
        const platform::Bstr idTextArg = TextArg(idText);
        const platform::Bstr captionArg = TextArg(caption);
        return ui.AddToolbarEx(idTextArg.Get(), captionArg.Get(), instance, toolbarId, secondId, owner, clsid,
                               ids.Value());
    });
    RecordToolbar(result, toolbarId, secondId, owner);
    return result;
}

HRESULT CHostUiManager::AddToolbarEx2(LPCSTR idText, LPCSTR caption, HINSTANCE instance, DWORD toolbarId,
                                      DWORD secondId, DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                      DWORD extra) {
    const HRESULT result = CallHost(m_ui4, [&](IHUiRegistration4& ui) {
        const CVariantArg ids = CVariantArg::Ids(buttons.count, buttons.ids);
        const platform::Bstr idTextArg = TextArg(idText);
        const platform::Bstr captionArg = TextArg(caption);
        return ui.AddToolbarEx2(idTextArg.Get(), captionArg.Get(), instance, toolbarId, secondId, owner, clsid,
                                ids.Value(), extra);
    });
    RecordToolbar(result, toolbarId, secondId, owner);
    return result;
}

HRESULT CHostUiManager::AddToolbarEx3(LPCSTR idText, LPCSTR caption, LPCSTR third, HINSTANCE instance,
                                      DWORD toolbarId, DWORD secondId, DWORD owner, const CLSID* clsid,
                                      const UiIdArray& buttons) {
    const HRESULT result = CallHost(m_ui4, [&](IHUiRegistration4& ui) {
        const CVariantArg ids = CVariantArg::Ids(buttons.count, buttons.ids);
        const platform::Bstr idTextArg = TextArg(idText);
        const platform::Bstr captionArg = TextArg(caption);
        const platform::Bstr thirdArg = TextArg(third);
        return ui.AddToolbarEx3(idTextArg.Get(), captionArg.Get(), thirdArg.Get(), instance, toolbarId, secondId,
                                owner, clsid, ids.Value());
    });
    RecordToolbar(result, toolbarId, secondId, owner);
    return result;
}

std::string CHostUiManager::KeyText(LPCSTR idText, DWORD numericId) {
    char number[16];
    std::snprintf(number, sizeof(number), "%x", static_cast<unsigned>(numericId));
    // By whole characters: a double-byte character's trail byte may look
    // like an upper-case letter.
    return MakeLowerCopy((std::string(idText != nullptr ? idText : "") + number).c_str()).Str();
}

void CHostUiManager::RecordIdItem(HRESULT result, LPCSTR idText, DWORD numericId, DWORD owner, const CLSID* clsid,
                                  LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    if (result == S_OK) {
        m_idItems.Store(owner, KeyText(idText, numericId),
                        std::make_unique<CUiIdTextRecord>(idText, numericId, owner, clsid, firstText, secondText,
                                                          flags, 0));
    }
}

HRESULT CHostUiManager::AddIdItemWithIds(LPCSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner,
                                         const CLSID* clsid, const CVariantArg& ids, const CVariantArg& secondIds,
                                         const CVariantArg& names, LPCSTR firstText, LPCSTR secondText,
                                         DWORD flags) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr idTextArg = TextArg(idText);
        const platform::Bstr first = TextArg(firstText);
        const platform::Bstr second = TextArg(secondText);
        return ui.AddIdItem(idTextArg.Get(), instance, numericId, owner, clsid, ids.Value(), secondIds.Value(),
                            names.Value(), first.Get(), second.Get(), flags);
    });
    RecordIdItem(result, idText, numericId, owner, clsid, firstText, secondText, flags);
    return result;
}

HRESULT CHostUiManager::AddIdItemWithTexts(LPCSTR idText, const CVariantArg& texts, const CVariantArg& ids,
                                           DWORD numericId, DWORD owner, const CLSID* clsid,
                                           const CVariantArg& secondIds, const CVariantArg& thirdIds,
                                           const CVariantArg& names, LPCSTR firstText, LPCSTR secondText,
                                           DWORD flags) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr idTextArg = TextArg(idText);
        const platform::Bstr first = TextArg(firstText);
        const platform::Bstr second = TextArg(secondText);
        return ui.AddIdItemWithTexts(idTextArg.Get(), texts.Value(), ids.Value(), numericId, owner, clsid,
                                     secondIds.Value(), thirdIds.Value(), names.Value(), first.Get(), second.Get(),
                                     flags);
    });
    RecordIdItem(result, idText, numericId, owner, clsid, firstText, secondText, flags);
    return result;
}

HRESULT CHostUiManager::AddIdItemFromMenu(LPCSTR idText, HINSTANCE instance, DWORD menuId, DWORD owner,
                                          const CLSID* clsid, LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    const LoadedMenu menu(LoadMenuFromInstance(instance, menuId));
    if (menu.Get() == nullptr) {
        return S_FALSE;
    }
    try {
        const CVariantArg ids = CVariantArg::Ids(MenuCommandIds(menu.Get()));
        const CVariantArg empty;
        return AddIdItemWithIds(idText, instance, menuId, owner, clsid, ids, empty, empty, firstText, secondText,
                                flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddIdItemFromArrays(LPCSTR idText, HINSTANCE instance, DWORD numericId, DWORD owner,
                                            const CLSID* clsid, const UiIdArray& ids, const UiIdArray& secondIds,
                                            const CStringArray* names, LPCSTR firstText, LPCSTR secondText,
                                            DWORD flags) {
    try {
        return AddIdItemWithIds(idText, instance, numericId, owner, clsid, CVariantArg::Ids(ids.count, ids.ids),
                                CVariantArg::OptionalIds(secondIds), CVariantArg::OptionalTexts(names), firstText,
                                secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddIdItem(LPCSTR idText, const CStringArray& itemTexts, const UiIdArray& ids,
                                  DWORD numericId, DWORD owner, const CLSID* clsid, LPCSTR firstText,
                                  LPCSTR secondText, DWORD flags) {
    try {
        const CVariantArg idArg = CVariantArg::Ids(ids.count, ids.ids);
        const CVariantArg empty;
        return AddIdItemWithTexts(idText, CVariantArg::Texts(itemTexts), idArg, numericId, owner, clsid, idArg,
                                  empty, empty, firstText, secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddIdItemEx(LPCSTR idText, const CStringArray& itemTexts, const UiIdArray& ids,
                                    DWORD numericId, DWORD owner, const CLSID* clsid, const UiIdArray& secondIds,
                                    const UiIdArray& thirdIds, const CStringArray* names, LPCSTR firstText,
                                    LPCSTR secondText, DWORD flags) {
    try {
        return AddIdItemWithTexts(idText, CVariantArg::Texts(itemTexts), CVariantArg::Ids(ids.count, ids.ids),
                                  numericId, owner, clsid, CVariantArg::OptionalIds(secondIds),
                                  CVariantArg::OptionalIds(thirdIds), CVariantArg::OptionalTexts(names), firstText,
                                  secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddIdItemFromList(LPCSTR idText, DWORD listId, DWORD owner, const CLSID* clsid,
                                          LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    try {
        const ItemListArgs list = GetItemListArgs(listId);
        const CVariantArg empty;
        return AddIdItemWithTexts(idText, list.texts, list.ids, listId, owner, clsid, list.ids, empty, empty,
                                  firstText, secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::RemoveIdItem(LPCSTR idText, DWORD numericId, DWORD owner) {
    std::unique_ptr<CUiIdTextRecord> record = m_idItems.Remove(owner, KeyText(idText, numericId));
    if (record == nullptr) {
        return S_FALSE;
    }
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr idTextArg(record->idText.Str());
        return ui.RemoveIdItem(idTextArg.Get(), numericId, owner);
    });
}

void CHostUiManager::RemoveIdItemsByText(LPCSTR idText, DWORD owner, BOOL onlyFlagged) {
    const auto* items = m_idItems.FindOwner(owner);
    if (items == nullptr) {
        return;
    }
    const CString wanted = idText != nullptr ? idText : "";
    std::vector<std::string> keys;
    for (const auto& [key, record] : *items) {
        if (record->idText == wanted && (onlyFlagged == FALSE || (record->flags & kIdItemFlag) != 0)) {
            keys.push_back(key);
        }
    }
    for (const std::string& key : keys) {
        const std::unique_ptr<CUiIdTextRecord> record = m_idItems.Remove(owner, key);
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) {
            const platform::Bstr idTextArg(record->idText.Str());
            return ui.RemoveIdItem(idTextArg.Get(), record->NumericId(), owner);
        }));  // the item is forgotten whatever the host answers
    }
}

HRESULT CHostUiManager::InvokeIdItem(LPCSTR idText, DWORD numericId, DWORD owner) {
    if (m_idItems.Find(owner, KeyText(idText, numericId)) == nullptr) {
        return S_FALSE;
    }
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr idTextArg = TextArg(idText);
        return ui.InvokeIdItem(idTextArg.Get(), numericId, owner);
    });
}

HRESULT CHostUiManager::SetCommandText(DWORD commandId, LPCSTR text, DWORD owner) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr textArg = TextArg(text);
        return ui.SetCommandText(commandId, textArg.Get());
    });
    if (result == S_OK) {
        m_commandTexts.Store(owner, commandId, std::make_unique<CUiCommandRecord>(commandId, 0, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::RemoveCommandText(DWORD commandId, DWORD owner) {
    if (m_commandTexts.Find(owner, commandId) == nullptr) {
        return S_FALSE;
    }
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveCommandText(commandId); });
    if (result == S_OK) {
        m_commandTexts.Remove(owner, commandId);
    }
    return result;
}

HRESULT CHostUiManager::AddCommandGroupWithArrays(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                                  const CLSID* clsid, const CVariantArg& ids,
                                                  const CVariantArg& secondIds, const CVariantArg& names) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return ui.AddCommandGroup(groupId, instance, menuId, owner, clsid, ids.Value(), secondIds.Value(),
                                  names.Value());
    });
    if (result == S_OK) {
        m_commandGroups.Store(owner, groupId, std::make_unique<CUiCommandRecord>(groupId, menuId, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::AddCommandGroupFromMenu(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                                const CLSID* clsid) {
    const LoadedMenu menu(LoadMenuFromInstance(instance, menuId));
    if (menu.Get() == nullptr) {
        return S_FALSE;
    }
    try {
        const CVariantArg empty;
        return AddCommandGroupWithArrays(groupId, instance, menuId, owner, clsid,
                                         CVariantArg::Ids(MenuCommandIds(menu.Get())), empty, empty);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddCommandGroup(DWORD groupId, HINSTANCE instance, DWORD menuId, DWORD owner,
                                        const CLSID* clsid, const UiIdArray& ids, const UiIdArray& secondIds,
                                        const CStringArray* names) {
    try {
        return AddCommandGroupWithArrays(groupId, instance, menuId, owner, clsid, CVariantArg::Ids(ids.count, ids.ids),
                                         CVariantArg::OptionalIds(secondIds), CVariantArg::OptionalTexts(names));
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::RemoveCommandGroup(DWORD groupId, DWORD owner) {
    const std::unique_ptr<CUiCommandRecord> record = m_commandGroups.Remove(owner, groupId);
    if (record == nullptr) {
        return S_FALSE;
    }
    return CallHost(m_ui1,
                    [&](IHUiRegistration& ui) { return ui.RemoveCommandGroup(groupId, record->menuId, owner); });
}

HRESULT CHostUiManager::ReleasePopupIfUnused(DWORD popup) {
    LONG uses = 0;
    const HRESULT asked = CallHost(m_ui4, [&](IHUiRegistration4& ui) { return ui.GetPopupUseCount(popup, &uses); });
    if (FAILED(asked) || uses >= 1) {
        return S_FALSE;  // still in use, or the host could not say
    }
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.ReleasePopup(popup); });
}

void CHostUiManager::UnregisterOwner(UiOwnerKey owner) {
    // The host's answers are not checked: every record goes.
    for (const auto& entry : m_popupItems.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) {
            return ui.RemovePopupItem(record->popup, record->itemId, record->sixth, record->owner);
        }));
        if (record->popup != 0) {
            static_cast<void>(ReleasePopupIfUnused(record->popup));
        }
    }
    for (const auto& entry : m_commandGroups.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) {
            return ui.RemoveCommandGroup(record->id, record->menuId, record->owner);
        }));
    }
    for (const auto& entry : m_commandTexts.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveCommandText(record->id); }));
    }
    for (const auto& entry : m_menus.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(
            CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveMenu(record->menuKey, record->owner); }));
    }
    for (const auto& entry : m_idItems.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) {
            const platform::Bstr idText(record->idText.Str());
            return ui.RemoveIdItem(idText.Get(), record->NumericId(), record->owner);
        }));
    }
    for (const auto& entry : m_accelerators.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(
            m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveAccelerators(record->tableId, record->owner); }));
    }
    for (const auto& entry : m_toolbars.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) {
            return ui.RemoveToolbar(record->toolbarId, record->secondId, record->owner);
        }));
    }
    for (const auto& entry : m_instances.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(
            CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveResourceInstance(record->owner); }));
    }
    for (const auto& entry : m_windows.TakeOwner(owner)) {
        const auto& record = entry.second;
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveWindow(record->owner); }));
    }
    CStringArray names;
    for (const auto& entry : m_namedCommands.TakeOwner(owner)) {
        names.Add(*entry.second);
    }
    if (names.GetSize() != 0) {
        static_cast<void>(CallHost(m_ui1, [&](IHUiRegistration& ui) {
            const CVariantArg list = CVariantArg::Texts(names);
            return ui.RemoveNamedCommands(static_cast<DWORD>(owner), list.Value());
        }));
    }
}

void CHostUiManager::UnregisterAllOwners() {
    std::set<UiOwnerKey> owners;
    const auto collect = [&owners](const auto& map) {
        for (const auto& entry : map.Owners()) {
            owners.insert(entry.first);
        }
    };
    collect(m_popupItems);
    collect(m_commandGroups);
    collect(m_commandTexts);
    collect(m_menus);
    collect(m_idItems);
    collect(m_accelerators);
    collect(m_toolbars);
    collect(m_instances);
    collect(m_windows);
    collect(m_namedCommands);
    for (const UiOwnerKey owner : owners) {
        UnregisterOwner(owner);
    }
}
