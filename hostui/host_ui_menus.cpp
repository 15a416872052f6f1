// The manager's menus, accelerator tables, named command lists, popup items
// and named toolbars.
#include "hostui/host_ui_manager.h"

#include "hostui/host_ui_manager_calls.h"

#include <vector>

using hostui_detail::IdsOf;
using hostui_detail::LoadedAccelerators;
using hostui_detail::LoadedMenu;
using hostui_detail::MenuCommandIds;
using hostui_detail::ToolbarKey;

namespace {

// The flags of a menu registered without any.
constexpr DWORD kDefaultMenuFlags = 1;

}  // namespace

HRESULT CHostUiManager::AddMenuWithArrays(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                          const CVariantArg& ids, const CVariantArg& secondIds,
                                          const CVariantArg& names, LPCSTR firstText, LPCSTR secondText,
                                          DWORD flags) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr first = TextArg(firstText);
        const platform::Bstr second = TextArg(secondText);
        return ui.AddMenu(instance, menuId, owner, clsid, ids.Value(), secondIds.Value(), names.Value(), first.Get(),
                          second.Get(), flags);
    });
    if (result == S_OK) {
        m_menus.Store(owner, menuId,
                      std::make_unique<CUiMenuRecord>(menuId, owner, clsid, firstText, secondText, flags, 0));
    }
    return result;
}

HRESULT CHostUiManager::AddMenu(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid) {
    return AddMenuEx(instance, menuId, owner, clsid, nullptr, nullptr, kDefaultMenuFlags);
}

HRESULT CHostUiManager::AddMenuEx(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                  LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    const LoadedMenu menu(LoadMenuFromInstance(instance, menuId));
    if (menu.Get() == nullptr) {
        return S_FALSE;
    }
    try {
        const CVariantArg empty;
        return AddMenuWithArrays(instance, menuId, owner, clsid, CVariantArg::Ids(MenuCommandIds(menu.Get())), empty,
                                 empty, firstText, secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddMenuWithIds(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                       const UiIdArray& ids, const UiIdArray& secondIds, const CStringArray* names) {
    return AddMenuWithIdsEx(instance, menuId, owner, clsid, ids, secondIds, names, nullptr, nullptr,
                            kDefaultMenuFlags);
}

HRESULT CHostUiManager::AddMenuWithIdsEx(HINSTANCE instance, DWORD menuId, DWORD owner, const CLSID* clsid,
                                         const UiIdArray& ids, const UiIdArray& secondIds, const CStringArray* names,
                                         LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    try {
        return AddMenuWithArrays(instance, menuId, owner, clsid, CVariantArg::Ids(ids.count, ids.ids),
                                 CVariantArg::OptionalIds(secondIds), CVariantArg::OptionalTexts(names), firstText,
                                 secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddTextMenuWithArrays(const CVariantArg& texts, const CVariantArg& ids, DWORD menuKey,
                                              DWORD owner, const CLSID* clsid, const CVariantArg& secondIds,
                                              const CVariantArg& thirdIds, const CVariantArg& secondTexts,
                                              LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr first = TextArg(firstText);
        const platform::Bstr second = TextArg(secondText);
        return ui.AddTextMenu(texts.Value(), ids.Value(), menuKey, owner, clsid, secondIds.Value(), thirdIds.Value(),
                              secondTexts.Value(), first.Get(), second.Get(), flags);
    });
    if (result == S_OK) {
        m_menus.Store(owner, menuKey,
                      std::make_unique<CUiMenuRecord>(menuKey, owner, clsid, firstText, secondText, flags, 0));
    }
    return result;
}

HRESULT CHostUiManager::AddTextMenu(const CStringArray& texts, const UiIdArray& ids, DWORD menuKey, DWORD owner,
                                    const CLSID* clsid, LPCSTR firstText, LPCSTR secondText, DWORD flags) {
    try {
        const CVariantArg idArg = CVariantArg::OptionalIds(ids);
        const CVariantArg empty;
        return AddTextMenuWithArrays(CVariantArg::Texts(texts), idArg, menuKey, owner, clsid, idArg, empty, empty,
                                     firstText, secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddTextMenuEx(const CStringArray& texts, const UiIdArray& ids, DWORD menuKey, DWORD owner,
                                      const CLSID* clsid, const UiIdArray& secondIds, const UiIdArray& thirdIds,
                                      const CStringArray* secondTexts, LPCSTR firstText, LPCSTR secondText,
                                      DWORD flags) {
    try {
        return AddTextMenuWithArrays(CVariantArg::Texts(texts), CVariantArg::OptionalIds(ids), menuKey, owner, clsid,
                                     CVariantArg::Ids(secondIds.count, secondIds.ids),
                                     CVariantArg::OptionalIds(thirdIds), CVariantArg::OptionalTexts(secondTexts),
                                     firstText, secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddListMenu(DWORD listId, DWORD owner, const CLSID* clsid, LPCSTR firstText,
                                    LPCSTR secondText, DWORD flags) {
    try {
        const ItemListArgs list = GetItemListArgs(listId);
        const CVariantArg empty;
        return AddTextMenuWithArrays(list.texts, list.ids, listId, owner, clsid, list.ids, empty, empty, firstText,
                                     secondText, flags);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::RemoveMenu(DWORD menuKey, DWORD owner) {
    return RemoveMenuEx(menuKey, owner);
}

HRESULT CHostUiManager::RemoveMenuEx(DWORD menuKey, DWORD owner) {
    if (m_menus.Find(owner, menuKey) == nullptr) {
        return S_FALSE;
    }
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveMenu(menuKey, owner); });
    if (result == S_OK) {
        m_menus.Remove(owner, menuKey);
    }
    return result;
}

HRESULT CHostUiManager::AddAcceleratorsWithArrays(HINSTANCE instance, DWORD tableId, DWORD owner,
                                                  const CLSID* clsid, const CVariantArg& ids,
                                                  const CVariantArg& secondIds, const CVariantArg& names) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return ui.AddAccelerators(instance, tableId, owner, clsid, ids.Value(), secondIds.Value(), names.Value());
    });
    if (result == S_OK) {
        m_accelerators.Store(owner, tableId, std::make_unique<CUiAccelRecord>(tableId, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::AddAccelerators(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid) {
    CUintList commands;
    {
        const LoadedAccelerators table(LoadAcceleratorsFromInstance(instance, tableId));
        if (table.Get() == nullptr) {
            return S_FALSE;
        }
        CollectAccelCommands(table.Get(), &commands);
    }  // the table goes as soon as its commands are copied
    try {
        const CVariantArg empty;
        return AddAcceleratorsWithArrays(instance, tableId, owner, clsid, CVariantArg::Ids(IdsOf(commands)), empty,
                                         empty);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddAcceleratorsWithIds(HINSTANCE instance, DWORD tableId, DWORD owner, const CLSID* clsid,
                                               const UiIdArray& ids, const UiIdArray& secondIds,
                                               const CStringArray* names) {
    try {
        return AddAcceleratorsWithArrays(instance, tableId, owner, clsid, CVariantArg::Ids(ids.count, ids.ids),
                                         CVariantArg::OptionalIds(secondIds), CVariantArg::OptionalTexts(names));
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::RemoveAccelerators(DWORD tableId, DWORD owner) {
    if (m_accelerators.Find(owner, tableId) == nullptr) {
        return S_FALSE;
    }
    const HRESULT result =
        CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.RemoveAccelerators(tableId, owner); });
    if (result == S_OK) {
        m_accelerators.Remove(owner, tableId);
    }
    return result;
}

HRESULT CHostUiManager::AddNamedCommands(DWORD owner, const CLSID* clsid, const UiIdArray& ids,
                                         const CStringArray& names) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const CVariantArg idArg = CVariantArg::Ids(ids.count, ids.ids);
        const CVariantArg nameArg = CVariantArg::Texts(names);
        return ui.AddNamedCommands(owner, clsid, idArg.Value(), nameArg.Value());
    });
    if (result == S_OK) {
        for (INT_PTR i = 0; i < names.GetSize(); ++i) {
            m_namedCommands.Store(owner, names[i].Str(), std::make_unique<CString>(names[i]));
        }
    }
    return result;
}

HRESULT CHostUiManager::RemoveNamedCommands(DWORD owner, const CStringArray& names) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const CVariantArg nameArg = CVariantArg::Texts(names);
        return ui.RemoveNamedCommands(owner, nameArg.Value());
    });
    if (result == S_OK) {
        for (INT_PTR i = 0; i < names.GetSize(); ++i) {
            m_namedCommands.Remove(owner, names[i].Str());
        }
    }
    return result;
}

HRESULT CHostUiManager::CreatePopup(LPCSTR text, DWORD second, DWORD third, DWORD fourth) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr textArg = TextArg(text);
        return ui.CreatePopup(textArg.Get(), second, third, fourth);
    });
}

HRESULT CHostUiManager::ReleasePopup(DWORD popup) {
    return CallHost(m_ui1, [&](IHUiRegistration& ui) { return ui.ReleasePopup(popup); });
}

HRESULT CHostUiManager::AddPopupItem(DWORD itemId, DWORD owner, DWORD eighth) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr empty("");
        return ui.AddPopupItem(0, itemId, 0, empty.Get(), 0, 0, owner, eighth);
    });
    if (result == S_OK) {
        m_popupItems.Store(owner, itemId, std::make_unique<CUiPopupRecord>(itemId, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::AddPopupItemEx(DWORD popup, DWORD itemId, DWORD third, LPCSTR text, DWORD fifth,
                                       DWORD sixth, DWORD owner, DWORD eighth) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const platform::Bstr textArg = TextArg(text);
        return ui.AddPopupItem(popup, itemId, third, textArg.Get(), fifth, sixth, owner, eighth);
    });
    if (result == S_OK) {
        m_popupItems.Store(owner, itemId, std::make_unique<CUiPopupRecord>(popup, itemId, sixth, owner, 0));
    }
    return result;
}

HRESULT CHostUiManager::RemovePopupItem(DWORD itemId, DWORD owner) {
    const CUiPopupRecord* record = m_popupItems.Find(owner, itemId);
    if (record == nullptr) {
        return S_FALSE;
    }
    const DWORD popup = record->popup;
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return ui.RemovePopupItem(popup, itemId, record->sixth, owner);
    });
    if (popup != 0) {
        static_cast<void>(ReleasePopup(popup));  // whatever the removal answered
    }
    if (result == S_OK) {
        m_popupItems.Remove(owner, itemId);
    }
    return result;
}

HRESULT CHostUiManager::AddNamedToolbarWithArrays(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                                  DWORD owner, const CLSID* clsid, const CVariantArg& buttons,
                                                  const CVariantArg& secondIds, const CVariantArg& names,
                                                  const UiIdArray& first, const UiIdArray& second,
                                                  const UiIdArray& third) {
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        const CVariantArg firstArg = CVariantArg::OptionalIds(first);
        const CVariantArg secondArg = CVariantArg::OptionalIds(second);
        const CVariantArg thirdArg = CVariantArg::OptionalIds(third);
        const platform::Bstr nameArg = TextArg(name);
        return ui.AddNamedToolbar(nameArg.Get(), instance, toolbarId, secondId, owner, clsid, buttons.Value(),
                                  secondIds.Value(), names.Value(), firstArg.Value(), secondArg.Value(),
                                  thirdArg.Value());
    });
    RecordToolbar(result, toolbarId, secondId, owner);
    return result;
}

HRESULT CHostUiManager::AddNamedToolbar(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                        DWORD owner, const CLSID* clsid) {
    return AddNamedToolbarEx(name, instance, toolbarId, secondId, owner, clsid, {}, {}, {});
}

HRESULT CHostUiManager::AddNamedToolbarEx(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                          DWORD owner, const CLSID* clsid, const UiIdArray& first,
                                          const UiIdArray& second, const UiIdArray& third) {
    const ToolbarResourceData resource = LoadToolbarFromInstance(instance, ToolbarKey(toolbarId, secondId));
    if (resource.data == nullptr) {
        return S_FALSE;
    }
    CUintList ids;
    CollectToolbarButtons(resource.data, resource.size, &ids, TRUE);
    try {
        const CVariantArg empty;
        return AddNamedToolbarWithArrays(name, instance, toolbarId, secondId, owner, clsid,
                                         CVariantArg::Ids(IdsOf(ids)), empty, empty, first, second, third);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::AddNamedToolbarWithIds(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                               DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                               const UiIdArray& secondIds, const CStringArray* names) {
    return AddNamedToolbarWithIdsEx(name, instance, toolbarId, secondId, owner, clsid, buttons, secondIds, names, {},
                                    {}, {});
}

HRESULT CHostUiManager::AddNamedToolbarWithIdsEx(LPCSTR name, HINSTANCE instance, DWORD toolbarId, DWORD secondId,
                                                 DWORD owner, const CLSID* clsid, const UiIdArray& buttons,
                                                 const UiIdArray& secondIds, const CStringArray* names,
                                                 const UiIdArray& first, const UiIdArray& second,
                                                 const UiIdArray& third) {
    try {
        return AddNamedToolbarWithArrays(name, instance, toolbarId, secondId, owner, clsid,
                                         CVariantArg::Ids(buttons.count, buttons.ids),
                                         CVariantArg::OptionalIds(secondIds), CVariantArg::OptionalTexts(names), first,
                                         second, third);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
}

HRESULT CHostUiManager::RemoveToolbar(DWORD toolbarId, DWORD secondId, DWORD owner) {
    const DWORD key = ToolbarKey(toolbarId, secondId);
    const CUiToolbarRecord* record = m_toolbars.Find(owner, key);
    if (record == nullptr) {
        return S_FALSE;
    }
    const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
        return ui.RemoveToolbar(record->toolbarId, record->secondId, owner);
    });
    if (result == S_OK) {
        m_toolbars.Remove(owner, key);
    }
    return result;
}
