// CUiSelComboBox: an editable combo box that remembers the labels used last.
// The remembered labels are one text in the host's data manager under the
// key "MRULABELS_DATAMANAGER_KEY", scoped by the host session's names, so
// every dialog that uses the control shares one list: most recent first, at
// most 20, compared with case. A text that holds a refused character is not
// taken: the control beeps and puts the last accepted text back. It keeps the
// edit selection it saw last, which the buttons beside it read once they
// have taken the focus.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

class CUiSelComboBox : public CComboBox {
    DECLARE_DYNAMIC(CUiSelComboBox)

public:
    static constexpr int kMaxMruLabels = 20;

    explicit CUiSelComboBox(IHostServiceProvider* host = nullptr);

    void SetHost(IHostServiceProvider* host);
    void SetRefusedChars(LPCSTR chars);
    // The edit selection saved at the last validation or focus.
    void GetSavedSel(int& start, int& end) const;

    // The remembered labels (empty without a host or its services).
    void LoadMruLabels(CStringList& list);
    // Stores the labels; nothing without a host or its services.
    void SaveMruLabels(const CStringList& list);
    // Appends the remembered labels to the list (when the window exists) and,
    // with the flag, selects the first.
    void FillFromMru(BOOL selectFirst);
    // Moves the current text to the head of the remembered labels and stores
    // them; an empty text changes nothing.
    void AddToMru();

    // The first item from start (negative: 0) to the end equal to the text
    // with case; not exact, the combo box's own prefix search. -1 when none.
    int Find(int start, LPCSTR text, BOOL exact) const;
    // The same, selecting what was found.
    int Select(int start, LPCSTR text, BOOL exact);

    const CString& CurrentText() const { return m_currentText; }

protected:
    afx_msg BOOL OnEditChange();
    afx_msg BOOL OnSelChange();
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnSetFocus(CWnd* previous);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    // Takes the window text unless it holds a refused character (then beeps
    // and puts the last accepted text back), and saves the edit selection.
    void Validate();
    void SaveEditSelection();

    IHostServiceProvider* m_host;
    int m_selStart = 0;
    int m_selEnd = 0;
    CString m_refusedChars;
    CString m_currentText;
    CString m_lastAccepted;
};
