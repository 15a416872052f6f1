#include "util/ui_sel_combo_box.h"

#include "util/host_session_data.h"
#include "util/refused_chars.h"
#include "util/string_join.h"
#include "util/string_split.h"

namespace {

constexpr char kMruLabelsKey[] = "MRULABELS_DATAMANAGER_KEY";

}  // namespace

IMPLEMENT_DYNAMIC(CUiSelComboBox, CComboBox)

BEGIN_MESSAGE_MAP(CUiSelComboBox, CComboBox)
    ON_CONTROL_REFLECT_EX(CBN_EDITCHANGE, OnEditChange)
    ON_CONTROL_REFLECT_EX(CBN_SELCHANGE, OnSelChange)
    ON_WM_KEYUP()
    ON_WM_LBUTTONUP()
    ON_WM_SETFOCUS()
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

CUiSelComboBox::CUiSelComboBox(IHostServiceProvider* host) : m_host(host) {}

void CUiSelComboBox::SetHost(IHostServiceProvider* host) {
    m_host = host;
}

void CUiSelComboBox::SetRefusedChars(LPCSTR chars) {
    m_refusedChars = chars;
}

void CUiSelComboBox::GetSavedSel(int& start, int& end) const {
    start = m_selStart;
    end = m_selEnd;
}

void CUiSelComboBox::LoadMruLabels(CStringList& list) {
    list.RemoveAll();
    CString stored;
    if (ReadHostSessionText(m_host, kMruLabelsKey, stored)) {
        SplitToStringList(stored, list, '|');
    }
}

void CUiSelComboBox::SaveMruLabels(const CStringList& list) {
    // Nothing reads the outcome: the list is only a convenience.
    static_cast<void>(StoreHostSessionText(m_host, kMruLabelsKey, JoinStringList(list, '|')));
}

void CUiSelComboBox::FillFromMru(BOOL selectFirst) {
    if (m_hWnd == nullptr) {
        return;
    }
    CStringList labels;
    LoadMruLabels(labels);
    for (POSITION at = labels.GetHeadPosition(); at != nullptr;) {
        AddString(labels.GetNext(at));
    }
    if (selectFirst) {
        SetCurSel(0);
    }
}

void CUiSelComboBox::AddToMru() {
    if (m_currentText.IsEmpty()) {
        return;
    }
    CStringList labels;
    LoadMruLabels(labels);
    if (POSITION found = labels.Find(m_currentText); found != nullptr) {
        labels.RemoveAt(found);
    } else {
        while (labels.GetCount() >= kMaxMruLabels) {
            labels.RemoveTail();
        }
    }
    labels.AddHead(m_currentText);
    SaveMruLabels(labels);
}

int CUiSelComboBox::Find(int start, LPCSTR text, BOOL exact) const {
    if (!exact) {
        return FindString(start, text);
    }
    const CString wanted = text;
    const int count = GetCount();
    for (int index = start < 0 ? 0 : start; index < count; ++index) {
        CString item;
        GetLBText(index, item);
        if (item == wanted) {
            return index;
        }
    }
    return -1;
}

int CUiSelComboBox::Select(int start, LPCSTR text, BOOL exact) {
    if (!exact) {
        return SelectString(start, text);
    }
    const int found = Find(start, text, TRUE);
    if (found >= 0) {
        SetCurSel(found);
    }
    return found;
}

void CUiSelComboBox::Validate() {
    CString text;
    GetWindowText(text);
    if (ContainsAnyChar(text, m_refusedChars)) {
        MessageBeep(0xFFFFFFFF);
        // The caret goes back where it was with the text, not to the start.
        const int start = m_selStart;
        const int end = m_selEnd;
        SetWindowText(m_lastAccepted);
        SetEditSel(start, end);
    } else {
        m_lastAccepted = text;
        m_currentText = text;
    }
    SaveEditSelection();
}

void CUiSelComboBox::SaveEditSelection() {
    const DWORD selection = GetEditSel();
    if (static_cast<LONG>(selection) == CB_ERR) {
        m_selStart = m_selEnd = 0;
        return;
    }
    m_selStart = LOWORD(selection);
    m_selEnd = HIWORD(selection);
}

BOOL CUiSelComboBox::OnEditChange() {
    Validate();
    return FALSE;  // the dialog may follow the edits too
}

BOOL CUiSelComboBox::OnSelChange() {
    Validate();
    return FALSE;
}

void CUiSelComboBox::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    Validate();
    CComboBox::OnKeyUp(key, repeat, flags);
}

void CUiSelComboBox::OnLButtonUp(UINT flags, CPoint point) {
    Validate();
    CComboBox::OnLButtonUp(flags, point);
}

void CUiSelComboBox::OnSetFocus(CWnd* previous) {
    CComboBox::OnSetFocus(previous);
    SaveEditSelection();
}

LRESULT CUiSelComboBox::OnSetText(WPARAM, LPARAM lParam) {
    m_currentText = reinterpret_cast<LPCSTR>(lParam);
    m_selStart = 0;
    m_selEnd = m_currentText.GetLength();
    return Default();
}
