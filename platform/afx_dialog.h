// CDialog and dialog data exchange.
//
// A modal dialog (DoModal) is built from its template, found by id along the
// class library's resource search (the current module state's resources
// first), initialised (OnInitDialog, which loads the fields with
// UpdateData(FALSE)), shown to the UI driver, and runs until EndDialog. OK
// saves the fields (UpdateData(TRUE)); a field that fails its exchange shows
// why in a message box, gets the focus, and keeps the dialog open. Cancel
// ends the dialog and leaves the fields as they were.
#pragma once

#include "platform/afx_exceptions.h"
#include "platform/afx_wnd.h"
#include "platform/resources.h"

#include <concepts>
#include <limits>
#include <string>

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)

public:
    CDialog() = default;
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);

    // IDOK, IDCANCEL or what EndDialog was given; -1 when the template
    // cannot be found or the dialog cannot be made.
    virtual INT_PTR DoModal();
    // A modeless dialog; shown when its template says WS_VISIBLE.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    BOOL Create(LPCSTR templateName, CWnd* parent = nullptr);
    void EndDialog(int result);

    // Loads the fields; TRUE gives the first control the focus.
    virtual BOOL OnInitDialog() {
        UpdateData(FALSE);
        return TRUE;
    }
    // Saves the fields and ends the dialog; a field that fails keeps it open.
    virtual void OnOK() {
        if (UpdateData(TRUE)) {
            EndDialog(IDOK);
        }
    }
    virtual void OnCancel();

    void GotoDlgCtrl(CWnd* control);
    void NextDlgCtrl() const;
    void PrevDlgCtrl() const;
    void SetDefID(UINT id);
    DWORD GetDefID() const;
    void MapDialogRect(LPRECT rect) const;

protected:
    friend class CPropertySheet;
    // The template by name or id (MAKEINTRESOURCE), and the help id (the
    // template id).
    LPCSTR m_lpszTemplateName = nullptr;
    UINT m_nIDHelp = 0;
    CWnd* m_pParentWnd = nullptr;
    int m_nModalResult = -1;

    // The owner of a dialog opened with this parent: the parent's top-level
    // window, else the main window.
    HWND PreModal() const;
    // The template's id (0 for a name that is none) and the module that
    // holds it along the class library's resource search (null when none
    // does).
    UINT TemplateId() const;
    HINSTANCE TemplateModule() const;
    // The template in that module's resource table, or null: what the
    // headless window system lays its dialogs out by.
    const platform::DialogResource* FindTemplate() const;
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()
};

// The exchange functions are inline, so that a failing field throws and the
// exchange catches within the module of the code that exchanges (see
// AfxThrowUserException).
namespace platform::afx {

std::string ControlText(HWND control);
// Sets the text only when it changes, so an unchanged field sends nothing.
void SetControlTextIfChanged(HWND control, const char* text);
bool IsRadioButton(HWND window);
HWND NextSibling(HWND window);
bool StartsGroup(HWND window);
// The message box of a field that failed (exclamation mark).
void ShowExchangeMessage(const char* text);
// Reads the whole numbers of DDX_Text; false for a text that is not a
// number of that kind or does not fit.
bool ParseDialogNumber(const char* text, bool isSigned, long long low, unsigned long long high, long long& value);

}  // namespace platform::afx

inline void DDX_Text(CDataExchange* exchange, int id, CString& value) {
    const HWND control = exchange->PrepareEditCtrl(id);
    if (exchange->m_bSaveAndValidate) {
        value = platform::afx::ControlText(control);
    } else {
        platform::afx::SetControlTextIfChanged(control, value);
    }
}

// Numbers: a text that is not a number of the field's type shows "Please
// enter an integer." (or "... a positive integer." for an unsigned field)
// and fails.
template <std::integral Number>
    requires(!std::same_as<Number, bool> && !std::same_as<Number, char>)
void DDX_Text(CDataExchange* exchange, int id, Number& value) {
    const HWND control = exchange->PrepareEditCtrl(id);
    constexpr bool isSigned = std::is_signed_v<Number>;
    if (!exchange->m_bSaveAndValidate) {
        const std::string text = isSigned ? std::to_string(static_cast<long long>(value))
                                          : std::to_string(static_cast<unsigned long long>(value));
        platform::afx::SetControlTextIfChanged(control, text.c_str());
        return;
    }
    long long parsed = 0;
    if (!platform::afx::ParseDialogNumber(platform::afx::ControlText(control).c_str(), isSigned,
                                          static_cast<long long>(std::numeric_limits<Number>::min()),
                                          static_cast<unsigned long long>(std::numeric_limits<Number>::max()),
                                          parsed)) {
        platform::afx::ShowExchangeMessage(isSigned ? "Please enter an integer." : "Please enter a positive integer.");
        exchange->Fail();
    }
    value = static_cast<Number>(parsed);
}

inline void DDX_Check(CDataExchange* exchange, int id, int& value) {
    const HWND control = exchange->PrepareCtrl(id);
    if (exchange->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageA(control, BM_SETCHECK, value >= 0 && value <= 2 ? static_cast<WPARAM>(value) : 0, 0);
    }
}

// The index of the checked button of the radio group that starts with the
// control (-1 when none is checked).
inline void DDX_Radio(CDataExchange* exchange, int id, int& value) {
    const HWND first = exchange->PrepareCtrl(id);
    if (exchange->m_bSaveAndValidate) {
        value = -1;
    }
    int index = 0;
    for (HWND button = first; button != nullptr && (button == first || !platform::afx::StartsGroup(button));
         button = platform::afx::NextSibling(button)) {
        if (!platform::afx::IsRadioButton(button)) {
            continue;
        }
        if (exchange->m_bSaveAndValidate) {
            if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED) {
                value = index;
            }
        } else {
            ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
        }
        ++index;
    }
}

inline void DDX_CBIndex(CDataExchange* exchange, int id, int& index) {
    const HWND control = exchange->PrepareCtrl(id);
    if (exchange->m_bSaveAndValidate) {
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    } else {
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
}

// Loading chooses the first item the text begins; with none, the text goes
// into the edit field (a drop-down list refuses a text that is not one of
// its items).
inline void DDX_CBString(CDataExchange* exchange, int id, CString& value) {
    const HWND control = exchange->PrepareCtrl(id);
    if (exchange->m_bSaveAndValidate) {
        value = platform::afx::ControlText(control);
        return;
    }
    const char* text = value;
    if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(text)) == CB_ERR) {
        platform::afx::SetControlTextIfChanged(control, text);
    }
}

// Attaches the control object to the dialog's control (once); a control that
// has an object already fails the exchange.
inline void DDX_Control(CDataExchange* exchange, int id, CWnd& control) {
    if (control.m_hWnd != nullptr) {
        return;
    }
    const HWND window = exchange->PrepareCtrl(id);
    if (!control.SubclassWindow(window)) {
        exchange->Fail();
    }
}

// Limits the edit control (loading); refuses a longer text (saving) with
// "Enter no more than %d characters.".
inline void DDV_MaxChars(CDataExchange* exchange, const CString& value, int count) {
    if (exchange->m_bSaveAndValidate) {
        if (value.GetLength() > count) {
            platform::afx::ShowExchangeMessage(
                ("Enter no more than " + std::to_string(count) + " characters.").c_str());
            exchange->Fail();
        }
    } else if (exchange->m_hWndLastControl != nullptr && exchange->m_bEditLastControl) {
        ::SendMessageA(exchange->m_hWndLastControl, EM_LIMITTEXT, static_cast<WPARAM>(count), 0);
    }
}
