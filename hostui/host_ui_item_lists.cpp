// The manager's dynamic item lists and the menus and id-text items that
// follow them.
#include "hostui/host_ui_manager.h"

#include "hostui/host_ui_manager_calls.h"
#include "platform/mbstring.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

namespace {

// Placements of InsertItem: sorted among the others, or at the end.
constexpr DWORD kPlacementSorted = 0;
constexpr DWORD kPlacementAppend = 1;
// The flag a menu or id-text item is put back with after a change of its list.
constexpr DWORD kRefreshedFlag = 0x4;

const unsigned char* Bytes(const CString& text) {
    return reinterpret_cast<const unsigned char*>(static_cast<LPCSTR>(text));
}

bool SameText(const CString& text, LPCSTR wanted) {
    return _mbsicmp(Bytes(text), reinterpret_cast<const unsigned char*>(wanted)) == 0;
}

// The list's items rebuilt in the order given by positions of the old ones.
void Reorder(CUiItemList& list, const std::vector<std::size_t>& order) {
    CUiItemList sorted(list.listId, list.firstId, list.capacity);
    sorted.explicitIds = list.explicitIds;
    for (const std::size_t position : order) {
        sorted.itemTexts.push_back(list.itemTexts[position]);
        sorted.secondTexts.push_back(list.secondTexts[position]);
        sorted.thirdTexts.push_back(list.thirdTexts[position]);
        sorted.commandIds.push_back(list.commandIds[position]);
    }
    list = std::move(sorted);
}

// The VARIANTs a list sends: its item texts and command ids (both empty for
// a list without items) and its third texts (an array also without items).
struct ListArguments {
    explicit ListArguments(const CUiItemList& list) {
        if (list.Count() == 0) {
            thirdTexts = CVariantArg::Texts(std::vector<CString>());
            return;
        }
        std::vector<DWORD> commandIds;
        for (std::size_t i = 0; i < list.Count(); ++i) {
            commandIds.push_back(list.CommandIdAt(i));
        }
        texts = CVariantArg::Texts(list.itemTexts);
        thirdTexts = CVariantArg::Texts(list.thirdTexts);
        ids = CVariantArg::Ids(commandIds);
    }

    CVariantArg texts;
    CVariantArg thirdTexts;
    CVariantArg ids;
    CVariantArg empty;
};

}  // namespace

int CompareItemTexts(const CString& first, const CString& second) {
    return _mbscmp(Bytes(first), Bytes(second));
}

bool CHostUiManager::GetItemList(DWORD listId, CUiItemList& list) const {
    const auto found = m_itemLists.find(listId);
    if (found == m_itemLists.end()) {
        return false;
    }
    list = found->second;
    return true;
}

CHostUiManager::ItemListArgs CHostUiManager::GetItemListArgs(DWORD listId) const {
    const auto found = m_itemLists.find(listId);
    if (found == m_itemLists.end() || found->second.Count() == 0) {
        return {};
    }
    const CUiItemList& list = found->second;
    std::vector<DWORD> commandIds;
    for (std::size_t i = 0; i < list.Count(); ++i) {
        commandIds.push_back(list.CommandIdAt(i));
    }
    return {CVariantArg::Texts(list.itemTexts), CVariantArg::Ids(commandIds)};
}

HRESULT CHostUiManager::CreateItemList(DWORD listId, DWORD firstId, DWORD capacity, BOOL explicitIds) {
    CUiItemList list(listId, firstId, capacity);
    list.explicitIds = explicitIds;
    m_itemLists[listId] = std::move(list);
    return S_OK;
}

HRESULT CHostUiManager::InsertItem(DWORD listId, LPCSTR itemText, LPCSTR secondText, int position, DWORD placement,
                                   LPCSTR thirdText, DWORD commandId) {
    CUiItemList list;
    if (!GetItemList(listId, list) || itemText == nullptr || itemText[0] == '\0' || list.Count() >= list.capacity) {
        return S_FALSE;
    }
    if (list.explicitIds ? commandId == CUiItemList::kNoExplicitId || !list.InRange(commandId)
                         : commandId != CUiItemList::kNoExplicitId) {
        return E_FAIL;
    }
    const std::size_t count = list.Count();
    const bool append = placement == kPlacementAppend || count == 0 || position == static_cast<int>(count);
    if (!append && (position < 0 || position > static_cast<int>(count))) {
        return E_FAIL;  // past the last item: nothing to insert before
    }
    const auto at = append ? count : static_cast<std::size_t>(position);
    const auto offset = static_cast<std::ptrdiff_t>(at);
    list.itemTexts.insert(list.itemTexts.begin() + offset, itemText);
    list.secondTexts.insert(list.secondTexts.begin() + offset, secondText != nullptr ? secondText : itemText);
    list.thirdTexts.insert(list.thirdTexts.begin() + offset, thirdText != nullptr ? thirdText : "");
    list.commandIds.insert(list.commandIds.begin() + offset, commandId);
    if (!append && placement == kPlacementSorted) {
        // Each item keeps its own texts and id; equal texts keep their order.
        std::vector<std::size_t> order(list.Count());
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(), [&list](std::size_t a, std::size_t b) {
            return CompareItemTexts(list.itemTexts[a], list.itemTexts[b]) < 0;
        });
        Reorder(list, order);
    }
    return StoreAndRefresh(std::move(list));
}

HRESULT CHostUiManager::RemoveItem(DWORD listId, LPCSTR itemText) {
    CUiItemList list;
    if (!GetItemList(listId, list)) {
        return S_FALSE;
    }
    if (itemText == nullptr) {
        list.itemTexts.clear();
        list.secondTexts.clear();
        list.thirdTexts.clear();
        list.commandIds.clear();
    } else {
        const auto found = std::find_if(list.itemTexts.begin(), list.itemTexts.end(),
                                        [itemText](const CString& text) { return text == itemText; });
        if (found == list.itemTexts.end()) {
            return S_FALSE;
        }
        const auto offset = found - list.itemTexts.begin();
        list.itemTexts.erase(found);
        list.secondTexts.erase(list.secondTexts.begin() + offset);
        list.thirdTexts.erase(list.thirdTexts.begin() + offset);
        list.commandIds.erase(list.commandIds.begin() + offset);
    }
    return StoreAndRefresh(std::move(list));
}

HRESULT CHostUiManager::StoreAndRefresh(CUiItemList list) {
    const DWORD listId = list.listId;
    m_itemLists[listId] = std::move(list);
    return RefreshListMenus(listId);
}

HRESULT CHostUiManager::GetItemSecondText(DWORD listId, DWORD commandId, CString* text) {
    CUiItemList list;
    if (!GetItemList(listId, list) || text == nullptr || !list.InRange(commandId)) {
        return S_FALSE;
    }
    text->Empty();
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if (list.CommandIdAt(i) == commandId) {
            *text = list.secondTexts[i];
            break;
        }
    }
    return text->IsEmpty() ? E_FAIL : S_OK;
}

HRESULT CHostUiManager::FindItemId(DWORD listId, LPCSTR itemText, LPCSTR secondText, DWORD* commandId) {
    CUiItemList list;
    if (!GetItemList(listId, list) || commandId == nullptr || (itemText == nullptr && secondText == nullptr)) {
        return S_FALSE;
    }
    for (std::size_t i = 0; i < list.Count(); ++i) {
        if ((itemText == nullptr || SameText(list.itemTexts[i], itemText)) &&
            (secondText == nullptr || SameText(list.secondTexts[i], secondText))) {
            *commandId = list.CommandIdAt(i);
            return S_OK;
        }
    }
    return E_FAIL;
}

HRESULT CHostUiManager::RefreshListMenus(DWORD listId) {
    CUiItemList list;
    if (!GetItemList(listId, list)) {
        return S_FALSE;
    }
    try {
        RefreshMenusOf(list);
        RefreshIdItemsOf(list);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
    return S_OK;
}

void CHostUiManager::RefreshMenusOf(const CUiItemList& list) {
    const ListArguments arguments(list);
    // Every owner's menu of the list is taken out first, then put back.
    std::vector<std::pair<UiOwnerKey, CUiMenuRecord*>> menus;
    for (const auto& [owner, records] : m_menus.Owners()) {
        if (const auto found = records.find(list.listId); found != records.end()) {
            menus.emplace_back(owner, found->second.get());
        }
    }
    std::vector<std::unique_ptr<CUiMenuRecord>> takenOut(menus.size());
    for (std::size_t i = 0; i < menus.size(); ++i) {
        const CUiMenuRecord& record = *menus[i].second;
        const HRESULT result = CallHost(
            m_ui1, [&record](IHUiRegistration& ui) { return ui.TakeOutMenu(record.menuKey, record.owner); });
        if (result == S_OK) {
            takenOut[i] = m_menus.Remove(menus[i].first, list.listId);
        }
    }
    for (std::size_t i = 0; i < menus.size(); ++i) {
        const CUiMenuRecord& record = *menus[i].second;
        const HRESULT result = CallHost(m_ui4, [&](IHUiRegistration4& ui) {
            const platform::Bstr first(record.firstText.Str());
            const platform::Bstr second(record.secondText.Str());
            return ui.PutBackMenu(arguments.texts.Value(), arguments.ids.Value(), record.menuKey, record.owner,
                                  record.clsid, arguments.ids.Value(), arguments.empty.Value(),
                                  arguments.empty.Value(), arguments.thirdTexts.Value(), first.Get(), second.Get(),
                                  record.flags | kRefreshedFlag);
        });
        // A menu the host would not take back is no longer the manager's to
        // withdraw: its record is freed with takenOut.
        if (result == S_OK && takenOut[i] != nullptr) {
            m_menus.Store(menus[i].first, list.listId, std::move(takenOut[i]));
        }
    }
}

void CHostUiManager::RefreshIdItemsOf(const CUiItemList& list) {
    const ListArguments arguments(list);
    std::vector<std::pair<UiOwnerKey, std::string>> items;
    for (const auto& [owner, records] : m_idItems.Owners()) {
        for (const auto& [key, record] : records) {
            if (record->NumericId() == list.listId) {
                items.emplace_back(owner, key);
            }
        }
    }
    // The records are taken out of the map while the host withdraws them and
    // stored back when it takes them again; one it keeps out of its
    // withdrawal stays in place.
    std::vector<std::unique_ptr<CUiIdTextRecord>> takenOut(items.size());
    std::vector<const CUiIdTextRecord*> records(items.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CUiIdTextRecord& record = *m_idItems.Find(items[i].first, items[i].second);
        records[i] = &record;
        const HRESULT result = CallHost(m_ui1, [&record](IHUiRegistration& ui) {
            const platform::Bstr idText(record.idText.Str());
            return ui.RemoveIdItem(idText.Get(), record.NumericId(), record.owner);
        });
        if (result == S_OK) {
            takenOut[i] = m_idItems.Remove(items[i].first, items[i].second);
        }
    }
    for (std::size_t i = 0; i < items.size(); ++i) {
        const CUiIdTextRecord& record = *records[i];
        const HRESULT result = CallHost(m_ui1, [&](IHUiRegistration& ui) {
            const platform::Bstr idText(record.idText.Str());
            const platform::Bstr first(record.firstText.Str());
            const platform::Bstr second(record.secondText.Str());
            return ui.AddIdItemWithTexts(idText.Get(), arguments.texts.Value(), arguments.ids.Value(),
                                         record.NumericId(), record.owner, record.clsid, arguments.ids.Value(),
                                         arguments.empty.Value(), arguments.empty.Value(), first.Get(), second.Get(),
                                         record.flags | kRefreshedFlag);
        });
        if (result == S_OK && takenOut[i] != nullptr) {
            m_idItems.Store(items[i].first, items[i].second, std::move(takenOut[i]));
        }
    }
}
