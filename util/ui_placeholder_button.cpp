#include "util/ui_placeholder_button.h"

#include "util/custom_placeholder.h"
#include "util/placeholder_expander.h"
#include "util/placeholder_keywords.h"
#include "util/ui_sel_combo_box.h"

#include <algorithm>

namespace {

constexpr UINT kButtonIcon = 109;
// The custom placeholder whose command goes to the notify window.
constexpr char kPassOnName[] = "UIPHCBPASSON";

}  // namespace

IMPLEMENT_DYNAMIC(CUiPlaceholderButtonEB, CButton)

BEGIN_MESSAGE_MAP(CUiPlaceholderButtonEB, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnClicked)
    ON_COMMAND_RANGE(CUiPlaceholderButtonEB::kFirstCommand, CUiPlaceholderButtonEB::kLastCommand, InsertPlaceholder)
END_MESSAGE_MAP()

CUiPlaceholderButtonEB::CUiPlaceholderButtonEB(CEdit* buddy, const int* keywords, IHostServiceProvider* host,
                                               CWnd* notify)
    : m_buddyEdit(buddy), m_keywords(keywords), m_host(host), m_notifyWindow(notify) {}

CUiPlaceholderButtonEB::CUiPlaceholderButtonEB(CEdit* buddy, const int* keywords, CPlaceholderExpander* expander,
                                               CWnd* notify)
    : m_buddyEdit(buddy), m_keywords(keywords), m_expander(expander), m_notifyWindow(notify) {}

CUiPlaceholderButtonEB::CUiPlaceholderButtonEB(CUiSelComboBox* buddy, const int* keywords,
                                               IHostServiceProvider* host, CWnd* notify)
    : m_buddyCombo(buddy), m_keywords(keywords), m_host(host), m_notifyWindow(notify) {}

CUiPlaceholderButtonEB::CUiPlaceholderButtonEB(CUiSelComboBox* buddy, const int* keywords,
                                               CPlaceholderExpander* expander, CWnd* notify)
    : m_buddyCombo(buddy), m_keywords(keywords), m_expander(expander), m_notifyWindow(notify) {}

CUiPlaceholderButtonEB::~CUiPlaceholderButtonEB() = default;

void CUiPlaceholderButtonEB::PreSubclassWindow() {
    CButton::PreSubclassWindow();
    const LPCSTR name = MAKEINTRESOURCE(kButtonIcon);
    SetIcon(::LoadIconA(AfxFindResourceHandle(name, RT_GROUP_ICON), name));
}

CMenu* CUiPlaceholderButtonEB::ShowPlaceholderMenu() {
    m_customMenu.reset();
    m_mainMenu = std::make_unique<CMenu>();
    m_commands.RemoveAll();
    m_mainMenu->CreatePopupMenu();
    UINT id = kFirstCommand;
    for (const int* entry = m_keywords; entry != nullptr && *entry != 0 && id <= kLastCommand; ++entry, ++id) {
        if (*entry == kSeparatorEntry) {
            m_mainMenu->AppendMenu(MF_SEPARATOR);  // it still uses up its id
            continue;
        }
        m_mainMenu->AppendMenu(MF_STRING, id, PlaceholderDescription(*entry));
        m_commands.SetAt(id, PlaceholderToken(*entry, FALSE));
    }
    AddCustomPlaceholders(id);
    return m_mainMenu.get();
}

void CUiPlaceholderButtonEB::AddCustomPlaceholders(UINT& nextId) {
    CCustomPlaceholderMap placeholders;
    if (m_host != nullptr) {
        CPlaceholderExpander(m_host).ListPlaceholders(placeholders);
    } else if (m_expander != nullptr) {
        m_expander->ListPlaceholders(placeholders);
    }
    if (placeholders.IsEmpty()) {
        return;
    }
    m_customMenu = std::make_unique<CMenu>();
    m_customMenu->CreatePopupMenu();
    for (POSITION at = placeholders.GetStartPosition(); at != nullptr && nextId <= kLastCommand; ++nextId) {
        CString name;
        CCustomPlaceholderInfo* record = nullptr;
        placeholders.GetNextAssoc(at, name, record);
        m_customMenu->AppendMenu(MF_STRING, nextId, record->m_description);
        m_commands.SetAt(nextId, record->m_name);
    }
    m_mainMenu->AppendMenu(MF_SEPARATOR);
    m_mainMenu->AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(m_customMenu->GetSafeHmenu()),
                           "Custom placeholders");
    DeleteCustomPlaceholders(placeholders);
}

void CUiPlaceholderButtonEB::OnClicked() {
    CMenu* menu = ShowPlaceholderMenu();
    POINT cursor{};
    GetCursorPos(&cursor);
    menu->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON, cursor.x, cursor.y, this);
}

void CUiPlaceholderButtonEB::InsertPlaceholder(UINT id) {
    CString name;
    m_commands.Lookup(id, name);
    if (name == kPassOnName) {
        if (m_notifyWindow != nullptr) {
            m_notifyWindow->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0);
        }
        return;
    }
    const CString text = BuddyText();
    int start = 0;
    int end = 0;
    GetBuddySelection(start, end);
    start = std::clamp(start, 0, text.GetLength());
    end = std::clamp(end, start, text.GetLength());
    const CString front = text.Left(start) + "$(" + name + ")";
    const CString result = front + text.Mid(end);
    SetBuddyText(result);
    if (BuddyText() == result) {
        SetBuddySelection(front.GetLength(), front.GetLength());
    }
    FocusBuddy();
}

CString CUiPlaceholderButtonEB::BuddyText() const {
    CString text;
    if (m_buddyEdit != nullptr) {
        m_buddyEdit->GetWindowText(text);
    } else if (m_buddyCombo != nullptr) {
        m_buddyCombo->GetWindowText(text);
    }
    return text;
}

void CUiPlaceholderButtonEB::SetBuddyText(LPCSTR text) {
    if (m_buddyEdit != nullptr) {
        m_buddyEdit->SetWindowText(text);
    } else if (m_buddyCombo != nullptr) {
        m_buddyCombo->SetWindowText(text);
    }
}

void CUiPlaceholderButtonEB::GetBuddySelection(int& start, int& end) const {
    if (m_buddyEdit != nullptr) {
        m_buddyEdit->GetSel(start, end);
    } else if (m_buddyCombo != nullptr) {
        m_buddyCombo->GetSavedSel(start, end);
    }
}

void CUiPlaceholderButtonEB::SetBuddySelection(int start, int end) {
    if (m_buddyEdit != nullptr) {
        m_buddyEdit->SetSel(start, end);
    } else if (m_buddyCombo != nullptr) {
        m_buddyCombo->SetEditSel(start, end);
    }
}

void CUiPlaceholderButtonEB::FocusBuddy() {
    if (m_buddyEdit != nullptr) {
        m_buddyEdit->SetFocus();
    } else if (m_buddyCombo != nullptr) {
        m_buddyCombo->SetFocus();
    }
}
