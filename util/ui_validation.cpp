#include "util/ui_validation.h"

#include "util/ui_custom_list.h"
#include "util/ui_list_helpers.h"

namespace {

void MarkListRows(const CValidationMessage& message, HWND control) {
    auto* list = static_cast<CListCtrl*>(CWnd::FromHandle(control));
    const UINT state = IsMultipleSelection(list) ? LVIS_SELECTED : LVIS_SELECTED | LVIS_FOCUSED;
    for (POSITION at = message.m_entries.GetHeadPosition(); at != nullptr;) {
        const int row = FindListRowByText(*list, message.m_entries.GetNext(at));
        if (row >= 0) {
            list->SetItemState(row, state, state);
        }
    }
}

void MarkListBoxItems(const CValidationMessage& message, HWND control) {
    auto* list = static_cast<CListBox*>(CWnd::FromHandle(control));
    if (!IsMultipleSelection(list)) {
        if (!message.m_entries.IsEmpty()) {
            list->SetCurSel(FindListBoxStringExact(message.m_entries.GetHead(), list, FALSE));
        }
        return;
    }
    list->SetSel(-1, FALSE);
    for (POSITION at = message.m_entries.GetHeadPosition(); at != nullptr;) {
        const int index = FindListBoxStringExact(message.m_entries.GetNext(at), list, FALSE);
        if (index >= 0) {
            list->SetSel(index, TRUE);
        }
    }
}

}  // namespace

void ShowValidationError(const CValidationMessage& message, const CValidationControl& control, CWnd* dialog) {
    if (dialog == nullptr) {
        return;
    }
    AfxMessageBox(message.m_text, MB_OK);
    HWND field = nullptr;
    dialog->GetDlgItem(static_cast<int>(control.m_id), &field);
    if (field == nullptr) {
        return;
    }
    dialog->SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(field), 1);
    switch (control.m_kind) {
    case kValidationEdit:
        SendMessageA(field, EM_SETSEL, 0, -1);
        SendMessageA(field, EM_SCROLLCARET, 0, 0);
        break;
    case kValidationListControl:
    case kValidationListControlAlt:
        MarkListRows(message, field);
        break;
    case kValidationListBox:
    case kValidationListBoxAlt:
    case kValidationListBoxAlt2:
        MarkListBoxItems(message, field);
        break;
    case kValidationComboBox:
        SendMessageA(field, CB_SETEDITSEL, 0, MAKELPARAM(-1, -1));
        break;
    default:
        break;
    }
}
