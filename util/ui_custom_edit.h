// CUiCustomEditCtrl: an edit control that refuses, with a beep, every change
// (typed or pasted) that would bring into its text a refused character, a
// refused word or a placeholder ("$(" name ")") that is neither one of its
// offered keywords nor a custom placeholder of the host; text and caret stay
// as they were.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

#include <memory>

class CPlaceholderExpander;

class CUiCustomEditCtrl : public CEdit {
    DECLARE_DYNAMIC(CUiCustomEditCtrl)

public:
    // The characters a file name cannot hold, and the same with the colon.
    static constexpr char kDefaultRefusedChars[] = ".\\/*?\"<>|";
    static constexpr char kDefaultRefusedCharsWithColon[] = ".\\/:*?\"<>|";

    // keywords: placeholder indexes ended by 0, or null for no placeholder
    // check; not owned. A word list is copied.
    CUiCustomEditCtrl(const int* keywords, IHostServiceProvider* host);
    CUiCustomEditCtrl(LPCSTR refusedChars, const CStringList* refusedWords, const int* keywords,
                      IHostServiceProvider* host);
    CUiCustomEditCtrl(const CStringList* refusedWords, const int* keywords, IHostServiceProvider* host);

    const CString& GetRefusedChars() const { return m_refusedChars; }
    void SetRefusedChars(LPCSTR chars) { m_refusedChars = chars; }
    const CStringList* GetRefusedWords() const { return m_refusedWords.get(); }
    // The list is copied; null leaves the control without words.
    void SetRefusedWords(const CStringList* words);
    const int* GetKeywordList() const { return m_keywords; }
    void SetKeywordList(const int* keywords) { m_keywords = keywords; }
    void SetHost(IHostServiceProvider* host) { m_host = host; }
    // An expander to check placeholders with when there is no host; not owned.
    void SetExpander(CPlaceholderExpander* expander) { m_expander = expander; }

    // Whether the control refuses the text.
    [[nodiscard]] BOOL IsRefused(LPCSTR text) const;

    // The field's data exchange: saving reads the text; loading shows it only
    // when it is not refused (else the last accepted text stays).
    void ExchangeText(CDataExchange* exchange, int id, CString& text);

protected:
    void PreSubclassWindow() override;
    afx_msg void OnUpdate();
    afx_msg BOOL OnChange();
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);

    DECLARE_MESSAGE_MAP()

private:
    void SaveSelection();

    CString m_refusedChars;
    std::unique_ptr<CStringList> m_refusedWords;
    const int* m_keywords;
    IHostServiceProvider* m_host;
    CPlaceholderExpander* m_expander = nullptr;
    CString m_lastAccepted;
    int m_selStart = 0;
    int m_selEnd = 0;
    BOOL m_restore = FALSE;
};
