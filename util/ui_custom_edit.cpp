#include "util/ui_custom_edit.h"

#include "util/mbcs.h"
#include "util/placeholder_expander.h"
#include "util/refused_chars.h"

namespace {

std::unique_ptr<CStringList> CopyOf(const CStringList* words) {
    if (words == nullptr) {
        return nullptr;
    }
    auto copy = std::make_unique<CStringList>();
    copy->AddTail(words);
    return copy;
}

}  // namespace

IMPLEMENT_DYNAMIC(CUiCustomEditCtrl, CEdit)

BEGIN_MESSAGE_MAP(CUiCustomEditCtrl, CEdit)
    ON_CONTROL_REFLECT(EN_UPDATE, OnUpdate)
    ON_CONTROL_REFLECT_EX(EN_CHANGE, OnChange)
    ON_WM_LBUTTONUP()
    ON_WM_KEYUP()
END_MESSAGE_MAP()

CUiCustomEditCtrl::CUiCustomEditCtrl(const int* keywords, IHostServiceProvider* host)
    : m_refusedChars(kDefaultRefusedChars), m_keywords(keywords), m_host(host) {}

CUiCustomEditCtrl::CUiCustomEditCtrl(LPCSTR refusedChars, const CStringList* refusedWords, const int* keywords,
                                     IHostServiceProvider* host)
    : m_refusedChars(refusedChars), m_refusedWords(CopyOf(refusedWords)), m_keywords(keywords), m_host(host) {}

CUiCustomEditCtrl::CUiCustomEditCtrl(const CStringList* refusedWords, const int* keywords, IHostServiceProvider* host)
    : m_refusedChars(kDefaultRefusedCharsWithColon), m_refusedWords(CopyOf(refusedWords)), m_keywords(keywords),
      m_host(host) {}

void CUiCustomEditCtrl::SetRefusedWords(const CStringList* words) {
    m_refusedWords = CopyOf(words);
}

BOOL CUiCustomEditCtrl::IsRefused(LPCSTR text) const {
    if (ContainsAnyChar(text, m_refusedChars)) {
        return TRUE;
    }
    if (m_refusedWords != nullptr) {
        for (POSITION at = m_refusedWords->GetHeadPosition(); at != nullptr;) {
            const CString& word = m_refusedWords->GetNext(at);
            // An empty word would refuse every text: it refuses nothing.
            if (!word.IsEmpty() && mbcs::FindText(text, word) >= 0) {
                return TRUE;
            }
        }
    }
    if (m_keywords == nullptr) {
        return FALSE;
    }
    if (m_host != nullptr) {
        CPlaceholderExpander expander(m_host);
        return !expander.CheckText(text, m_keywords);
    }
    if (m_expander != nullptr) {
        return !m_expander->CheckText(text, m_keywords);
    }
    return TRUE;  // placeholders to check and nothing to check them with
}

void CUiCustomEditCtrl::ExchangeText(CDataExchange* exchange, int id, CString& text) {
    if (exchange->m_bSaveAndValidate) {
        DDX_Text(exchange, id, text);
        return;
    }
    exchange->PrepareEditCtrl(id);
    SetWindowText(IsRefused(text) ? m_lastAccepted : text);
    GetWindowText(m_lastAccepted);
}

void CUiCustomEditCtrl::PreSubclassWindow() {
    CEdit::PreSubclassWindow();
    // What the field holds already is what a refused change goes back to.
    GetWindowText(m_lastAccepted);
    SaveSelection();
}

void CUiCustomEditCtrl::SaveSelection() {
    GetSel(m_selStart, m_selEnd);
}

void CUiCustomEditCtrl::OnUpdate() {
    CString text;
    GetWindowText(text);
    // The text being put back is accepted as it stands, even where the rules
    // would refuse it (a keyword list with nothing to check it refuses
    // everything): refusing it again would put it back for ever.
    if (text != m_lastAccepted && IsRefused(text)) {
        MessageBeep(0xFFFFFFFF);
        m_restore = TRUE;
        SetWindowText(m_lastAccepted);
    }
}

BOOL CUiCustomEditCtrl::OnChange() {
    GetWindowText(m_lastAccepted);
    if (m_restore) {
        SetSel(m_selStart, m_selEnd);
    } else {
        SaveSelection();
    }
    m_restore = FALSE;
    return FALSE;  // the dialog sees the change too
}

void CUiCustomEditCtrl::OnLButtonUp(UINT flags, CPoint point) {
    SaveSelection();
    CEdit::OnLButtonUp(flags, point);
}

void CUiCustomEditCtrl::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    SaveSelection();
    CEdit::OnKeyUp(key, repeat, flags);
}
