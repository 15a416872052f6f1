#include "util/ui_list_helpers.h"

#include "platform/mbstring.h"
#include "util/ui_text_helpers.h"

#include <vector>

namespace {

bool Empty(LPCSTR text) {
    return text == nullptr || *text == '\0';
}

bool SameWithCase(LPCSTR a, LPCSTR b) {
    return _mbscmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b)) == 0;
}

// The control's exact search, walked on with case when asked; the search
// wraps round to the start, which ends the walk.
template <typename Control>
int FindExact(LPCSTR text, const Control* control, BOOL caseSensitive) {
    if (control == nullptr || Empty(text)) {
        return -1;
    }
    if (!caseSensitive) {
        return control->FindStringExact(-1, text);
    }
    for (int start = -1;;) {
        const int found = control->FindStringExact(start, text);
        if (found < 0 || found <= start) {
            return -1;
        }
        CString item;
        if constexpr (std::is_same_v<Control, CListBox>) {
            control->GetText(found, item);
        } else {
            control->GetLBText(found, item);
        }
        if (SameWithCase(item, text)) {
            return found;
        }
        start = found;
    }
}

template <typename Each>
void ForSelected(const CListBox* list, Each each) {
    if (list == nullptr) {
        return;
    }
    if (IsMultipleSelection(list)) {
        const int count = list->GetSelCount();
        if (count >= 0) {
            std::vector<int> items(static_cast<std::size_t>(count));
            const int got = count > 0 ? list->GetSelItems(count, items.data()) : 0;
            for (int i = 0; i < got && i < count; ++i) {
                each(items[static_cast<std::size_t>(i)]);
            }
            return;
        }
    }
    if (const int current = list->GetCurSel(); current >= 0) {
        each(current);
    }
}

// A row of the first column with everything that travels with it.
struct RowData {
    char text[1024] = {};
    LVITEMA item{};
};

bool ReadRow(const CListCtrl* list, int row, RowData& data) {
    data.item = LVITEMA{};
    data.item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_STATE | LVIF_PARAM;
    data.item.iItem = row;
    data.item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    data.item.pszText = data.text;
    data.item.cchTextMax = sizeof(data.text);
    return list->GetItem(&data.item) != FALSE;
}

// The whole first-column text: a row's text travels whole, however long.
CString FirstCell(const CListCtrl* list, int row) {
    std::vector<char> buffer(1024);
    for (;;) {
        const int copied = list->GetItemText(row, 0, buffer.data(), static_cast<int>(buffer.size()));
        if (copied + 1 < static_cast<int>(buffer.size())) {
            return CString(buffer.data());
        }
        buffer.assign(buffer.size() * 2, '\0');
    }
}

BOOL ExchangeRows(CListCtrl* list, int row, int other) {
    list->SetRedraw(FALSE);
    RowData first;
    RowData second;
    ReadRow(list, row, first);
    ReadRow(list, other, second);
    const CString firstText = FirstCell(list, row);
    const CString secondText = FirstCell(list, other);
    first.item.iItem = other;
    first.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(firstText));
    second.item.iItem = row;
    second.item.pszText = const_cast<LPSTR>(static_cast<LPCSTR>(secondText));
    list->SetItem(&first.item);
    list->SetItem(&second.item);
    list->SetItemState(other, LVIS_SELECTED, LVIS_SELECTED);
    list->SetRedraw(TRUE);
    return TRUE;
}

}  // namespace

BOOL IsMultipleSelection(const CWnd* control) {
    return control != nullptr && (control->GetStyle() & (LBS_MULTIPLESEL | LBS_EXTENDEDSEL)) != 0 ? TRUE : FALSE;
}

int FindListBoxStringExact(LPCSTR text, const CListBox* list, BOOL caseSensitive) {
    return FindExact(text, list, caseSensitive);
}

void GetListBoxSelectedIndexes(CIntList& indexes, const CListBox* list) {
    ForSelected(list, [&](int index) { indexes.AddTail(index); });
}

void GetListBoxSelectedTexts(CStringList& texts, const CListBox* list) {
    ForSelected(list, [&](int index) {
        CString text;
        list->GetText(index, text);
        texts.AddTail(text);
    });
}

void GetListBoxTexts(CStringList& texts, const CListBox* list) {
    if (list == nullptr) {
        return;
    }
    const int count = list->GetCount();
    for (int index = 0; index < count; ++index) {
        CString text;
        list->GetText(index, text);
        if (!text.IsEmpty()) {
            texts.AddTail(text);
        }
    }
}

BOOL GetListBoxTextsAt(const CIntList& indexes, CStringList* texts, const CListBox* list) {
    if (list == nullptr || texts == nullptr) {
        return FALSE;
    }
    for (POSITION at = indexes.GetHeadPosition(); at != nullptr;) {
        CString text;
        list->GetText(indexes.GetNext(at), text);
        texts->AddTail(text);
    }
    return texts->IsEmpty() ? FALSE : TRUE;
}

void GetListBoxEntryNames(CStringList& names, const CListBox* list) {
    try {
        CStringList texts;
        GetListBoxTexts(texts, list);
        for (POSITION at = texts.GetHeadPosition(); at != nullptr;) {
            const CString key = GetEqualsPairKey(texts.GetNext(at));
            if (!key.IsEmpty()) {
                names.AddTail(key);
            }
        }
    } catch (CException*) {
        names.RemoveAll();
        throw;
    }
}

CString GetListBoxItemText(int index, CString* buffer, const CListBox* list) {
    if (buffer == nullptr) {
        return CString();
    }
    buffer->Empty();
    if (list != nullptr && index >= 0 && index < list->GetCount()) {
        list->GetText(index, *buffer);
    }
    return *buffer;
}

int GetListBoxSelectionCount(const CListBox* list) {
    if (list == nullptr) {
        return 0;
    }
    if (IsMultipleSelection(list)) {
        return list->GetSelCount();
    }
    return GetListBoxFocusedSelection(list) >= 0 ? 1 : 0;
}

int GetListBoxFocusedSelection(const CListBox* list) {
    if (list == nullptr || list->GetCount() <= 0) {
        return -1;
    }
    const int candidate = IsMultipleSelection(list) ? list->GetCaretIndex() : list->GetCurSel();
    return candidate >= 0 && list->GetSel(candidate) >= 1 ? candidate : -1;
}

int SelectListBoxIndex(int index, CListBox* list) {
    if (list == nullptr || index < 0) {
        return -1;
    }
    return IsMultipleSelection(list) ? list->SetSel(index, TRUE) : list->SetCurSel(index);
}

void SelectListBoxString(LPCSTR text, CListBox* list) {
    const int index = FindListBoxStringExact(text, list, TRUE);
    if (index < 0) {
        return;
    }
    if (IsMultipleSelection(list)) {
        list->SetCaretIndex(index, TRUE);
    } else {
        list->SetCurSel(index);
    }
}

void AddListBoxStringUnique(LPCSTR text, CListBox* list) {
    if (list != nullptr && !Empty(text) && FindListBoxStringExact(text, list, TRUE) < 0) {
        list->AddString(text);
    }
}

void FillListBoxFromList(const CStringList& texts, CListBox* list) {
    for (POSITION at = texts.GetHeadPosition(); at != nullptr;) {
        AddListBoxStringUnique(texts.GetNext(at), list);
    }
}

void RemoveListBoxString(LPCSTR text, CListBox* list, BOOL caseSensitive) {
    const int index = FindListBoxStringExact(text, list, caseSensitive);
    if (index >= 0) {
        list->DeleteString(static_cast<UINT>(index));
    }
}

void RemoveListBoxStrings(const CStringList& texts, CListBox* list, BOOL caseSensitive) {
    for (POSITION at = texts.GetHeadPosition(); at != nullptr;) {
        RemoveListBoxString(texts.GetNext(at), list, caseSensitive);
    }
}

void RenameListBoxString(LPCSTR oldText, LPCSTR newText, CListBox* list) {
    if (Empty(oldText) || Empty(newText)) {
        return;
    }
    const int index = FindListBoxStringExact(oldText, list, TRUE);
    if (index < 0) {
        return;
    }
    list->DeleteString(static_cast<UINT>(index));
    list->AddString(newText);
    const int added = FindListBoxStringExact(newText, list, TRUE);
    if (added >= 0) {
        list->SetSel(added, TRUE);
    }
}

int FindComboBoxStringExact(LPCSTR text, const CComboBox* combo, BOOL caseSensitive) {
    return FindExact(text, combo, caseSensitive);
}

void AddComboBoxStringUnique(LPCSTR text, CComboBox* combo) {
    if (combo != nullptr && !Empty(text) && FindComboBoxStringExact(text, combo, TRUE) < 0) {
        combo->AddString(text);
    }
}

void AddComboBoxStringWithData(LPCSTR text, DWORD data, CComboBox* combo) {
    if (combo == nullptr || Empty(text) || FindComboBoxStringExact(text, combo, TRUE) >= 0) {
        return;
    }
    const int index = combo->AddString(text);
    if (index >= 0) {
        combo->SetItemData(index, data);
    }
}

void FillComboBoxFromList(const CStringList& texts, CComboBox* combo) {
    for (POSITION at = texts.GetHeadPosition(); at != nullptr;) {
        AddComboBoxStringUnique(texts.GetNext(at), combo);
    }
}

void FillComboBoxFromArrays(const CStringArray& texts, const CDWordArray& data, CComboBox* combo) {
    for (INT_PTR index = 0; index < texts.GetSize() && index < data.GetSize(); ++index) {
        if (texts[index].IsEmpty()) {
            return;
        }
        AddComboBoxStringWithData(texts[index], data[index], combo);
    }
}

void RemoveComboBoxString(LPCSTR text, CComboBox* combo, BOOL caseSensitive) {
    const int index = FindComboBoxStringExact(text, combo, caseSensitive);
    if (index >= 0) {
        combo->DeleteString(static_cast<UINT>(index));
    }
}

void RemoveComboBoxStrings(const CStringList& texts, CComboBox* combo, BOOL caseSensitive) {
    for (POSITION at = texts.GetHeadPosition(); at != nullptr;) {
        RemoveComboBoxString(texts.GetNext(at), combo, caseSensitive);
    }
}

int GetComboBoxItemDataByText(LPCSTR text, DWORD& data, const CComboBox* combo) {
    const int index = combo != nullptr ? combo->FindString(-1, text) : -1;
    if (index < 0) {
        return 1;
    }
    const auto value = static_cast<LONG_PTR>(combo->GetItemData(index));
    if (value == CB_ERR) {
        data = 0;
        return 1;
    }
    data = static_cast<DWORD>(value);
    return 0;
}

int SelectComboBoxByItemData(DWORD value, CComboBox* combo) {
    if (combo == nullptr) {
        return -1;
    }
    for (int index = 0; index < combo->GetCount(); ++index) {
        if (static_cast<DWORD>(combo->GetItemData(index)) == value) {
            combo->SetCurSel(index);
            return 0;
        }
    }
    return -1;
}

void DeleteComboBoxByItemData(DWORD value, CComboBox* combo) {
    if (combo == nullptr) {
        return;
    }
    for (int index = 0; index < combo->GetCount(); ++index) {
        if (static_cast<DWORD>(combo->GetItemData(index)) == value) {
            combo->DeleteString(static_cast<UINT>(index));
            return;
        }
    }
}

int GetFirstSelectedRow(const CListCtrl* list) {
    return list != nullptr ? list->GetNextItem(-1, LVNI_SELECTED) : -1;
}

BOOL MoveRowUp(CListCtrl* list, int row) {
    if (list == nullptr || row < 1 || row >= list->GetItemCount()) {
        return FALSE;
    }
    return ExchangeRows(list, row, row - 1);
}

BOOL MoveRowDown(CListCtrl* list, int row) {
    if (list == nullptr || row < 0 || row >= list->GetItemCount() - 1) {
        return FALSE;
    }
    return ExchangeRows(list, row, row + 1);
}

BOOL MoveRowToTop(CListCtrl* list, int row) {
    BOOL moved = FALSE;
    if (list == nullptr || row < 1) {
        return FALSE;
    }
    for (int at = row; at >= 1; --at) {
        moved = MoveRowUp(list, at);
    }
    return moved;
}

BOOL MoveRowToBottom(CListCtrl* list, int row) {
    BOOL moved = FALSE;
    if (list == nullptr || row < 0) {
        return FALSE;
    }
    for (int at = row; at < list->GetItemCount() - 1; ++at) {
        moved = MoveRowDown(list, at);
    }
    return moved;
}

void CollectTreeItems(const CTreeCtrl* tree, HTREEITEM parent, CTreeItemList& items) {
    if (tree == nullptr) {
        return;
    }
    for (HTREEITEM child = tree->GetNextItem(parent, TVGN_CHILD); child != nullptr;
         child = tree->GetNextItem(child, TVGN_NEXT)) {
        items.AddTail(child);
        CollectTreeItems(tree, child, items);
    }
}
