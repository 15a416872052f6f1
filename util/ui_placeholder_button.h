// CUiPlaceholderButtonEB: a push button beside an edit control or a label
// combo box (its buddy). A click pops up a menu of placeholder descriptions:
// the offered keywords in their order (37 in the list stands for a
// separator), then the host's custom placeholders in a sub-menu. Choosing one
// puts "$(" name ")" in place of the buddy's selection, the caret after it.
// A custom placeholder named "UIPHCBPASSON" is not inserted: its command goes
// to the notify window. The button's image is icon 109, found along the
// class library's resource search.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

#include <memory>

class CPlaceholderExpander;
class CUiSelComboBox;

class CUiPlaceholderButtonEB : public CButton {
    DECLARE_DYNAMIC(CUiPlaceholderButtonEB)

public:
    static constexpr UINT kFirstCommand = 33411;
    static constexpr UINT kLastCommand = 33510;
    static constexpr int kSeparatorEntry = 37;

    // keywords: placeholder indexes ended by 0, not owned. Either the host (a
    // temporary expander is made over it) or an expander (not owned).
    CUiPlaceholderButtonEB(CEdit* buddy, const int* keywords, IHostServiceProvider* host, CWnd* notify);
    CUiPlaceholderButtonEB(CEdit* buddy, const int* keywords, CPlaceholderExpander* expander, CWnd* notify);
    CUiPlaceholderButtonEB(CUiSelComboBox* buddy, const int* keywords, IHostServiceProvider* host, CWnd* notify);
    CUiPlaceholderButtonEB(CUiSelComboBox* buddy, const int* keywords, CPlaceholderExpander* expander,
                           CWnd* notify);
    ~CUiPlaceholderButtonEB() override;

    void SetBuddyEdit(CEdit* buddy) { m_buddyEdit = buddy; }
    void SetBuddyCombo(CUiSelComboBox* buddy) { m_buddyCombo = buddy; }
    void SetKeywordList(const int* keywords) { m_keywords = keywords; }
    const int* GetKeywordList() const { return m_keywords; }
    void SetHost(IHostServiceProvider* host) { m_host = host; }
    void SetExpander(CPlaceholderExpander* expander) { m_expander = expander; }

    // Builds the menu anew (with its command map) and answers it.
    CMenu* ShowPlaceholderMenu();
    // A chosen menu entry.
    void InsertPlaceholder(UINT id);

protected:
    void PreSubclassWindow() override;
    afx_msg void OnClicked();

    DECLARE_MESSAGE_MAP()

private:
    // The buddy: the edit control when set, else the combo box; with neither
    // these do nothing (the text reads as empty).
    CString BuddyText() const;
    void SetBuddyText(LPCSTR text);
    void GetBuddySelection(int& start, int& end) const;
    void SetBuddySelection(int start, int end);
    void FocusBuddy();
    void AddCustomPlaceholders(UINT& nextId);

    CEdit* m_buddyEdit = nullptr;
    CUiSelComboBox* m_buddyCombo = nullptr;
    const int* m_keywords;
    std::unique_ptr<CMenu> m_mainMenu;
    std::unique_ptr<CMenu> m_customMenu;
    IHostServiceProvider* m_host = nullptr;
    CPlaceholderExpander* m_expander = nullptr;
    CWnd* m_notifyWindow;
    CMap<UINT, UINT, CString, LPCSTR> m_commands{10};
};
