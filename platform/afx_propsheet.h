// Property sheets and their pages.
//
// A sheet is a dialog window of its own (caption and buttons) with its pages
// as child dialogs, each made the first time it is shown. Turning to another
// page asks the page that is left (OnKillActive, which saves and validates its
// fields) and may be refused; the page turned to is told (OnSetActive, which
// loads its fields again after the first time). OK applies every page that
// has been shown (OnApply, then OnOK) and ends the sheet with IDOK; Cancel
// asks the active page (OnQueryCancel), resets the pages (OnReset, then
// OnCancel) and ends with IDCANCEL. In wizard mode the buttons are Back,
// Next (or Finish) and Cancel, set by SetWizardButtons; Finish asks the page
// (OnWizardFinish) and ends with ID_WIZFINISH without applying the pages.
//
// That is the headless window system's sheet, which the class library lays
// out itself. On the system's windows the sheet is the system's own
// (PropertySheetA, its pages from the same templates): the pages hear of it
// through its notifications (PSN_SETACTIVE, PSN_KILLACTIVE, PSN_APPLY, ...),
// which reach the same handlers, and the sheet's methods are its PSM_
// messages.
#pragma once

#include "platform/afx_dialog.h"
#include "platform/common_controls.h"

#include <string>
#include <vector>

class CPropertySheet;

namespace platform::wnd {
struct HeadlessSheets;
struct SystemSheets;
}  // namespace platform::wnd

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)

public:
    explicit CPropertyPage(UINT templateId, UINT captionId = 0);
    explicit CPropertyPage(LPCSTR templateName, UINT captionId = 0);

    PROPSHEETPAGEA m_psp{};

    // The fields were loaded when the page was made; later showings load
    // them again.
    virtual BOOL OnSetActive() {
        if (firstSetActive_) {
            firstSetActive_ = false;
        } else {
            UpdateData(FALSE);
        }
        return TRUE;
    }
    // Saves and validates the fields; FALSE keeps the sheet on the page.
    virtual BOOL OnKillActive() { return UpdateData(TRUE); }
    virtual BOOL OnApply();
    virtual void OnReset();
    virtual BOOL OnQueryCancel();
    // 0 turns to the next (or previous) page, -1 stays, a page's template id
    // turns to that page.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    virtual BOOL OnWizardFinish();
    void OnOK() override;
    void OnCancel() override;

    void SetModified(BOOL changed = TRUE);
    // Sends the sheet's pages the message (PSM_QUERYSIBLINGS) in order until
    // one answers non-zero; answers that.
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // The page's title: its caption string, else its template's caption.
    CString GetTitle() const;

    // The system's sheet tells its pages through notifications.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;

private:
    friend class CPropertySheet;
    friend struct platform::wnd::SystemSheets;
    // A wizard step's answer as the system's sheet takes it: a page's template
    // id turns to that page.
    LRESULT WizardStepAnswer(LRESULT answer);
    CString title_;
    bool firstSetActive_ = true;
};

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)

public:
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(LPCSTR caption, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    PROPSHEETHEADERA m_psh{};

    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    void RemovePage(CPropertyPage* page);
    int GetPageCount() const;
    CPropertyPage* GetPage(int index) const;
    int GetPageIndex(CPropertyPage* page) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // Turns to the page, as a click on its tab does: FALSE when the page that
    // is left refuses, or there is no such page.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(LPCSTR text, UINT style = 0);
    void SetWizardMode();
    BOOL IsWizard() const;
    void SetWizardButtons(DWORD flags);
    void SetFinishText(LPCSTR text);
    BOOL PressButton(int button);
    void EndDialog(int result);

    // IDOK, IDCANCEL, ID_WIZFINISH; -1 without pages or when a page's
    // template is missing.
    virtual INT_PTR DoModal();
    // Makes the sheet's buttons and shows its first page (m_psh.nStartPage).
    virtual BOOL OnInitDialog();

    // A page's title, for the UI driver.
    std::string GetPageTitle(int index) const;

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend struct platform::wnd::HeadlessSheets;
    friend struct platform::wnd::SystemSheets;
    // The headless window system's sheet: a dialog window of the layer's
    // own, with its buttons and the pages as child dialogs.
    INT_PTR RunHeadless(HWND owner);
    void Construct(CWnd* parent, UINT selectPage);
    bool MakePage(int index);
    bool TurnTo(int index, bool askLeaving);
    void Layout();
    bool ApplyAll();
    void Ok();
    void Cancel();
    void WizardStep(bool forward);
    void Finish();
    void ShowButton(int id, bool show, bool enable);
    HWND MakeButton(int id, const char* text, int x, int y);

    std::vector<CPropertyPage*> pages_;
    CWnd* parent_ = nullptr;
    int active_ = -1;
    std::string caption_;
    std::string finishText_ = "Finish";
    DWORD wizardButtons_ = PSWIZB_NEXT;
    // The system's own sheet runs: the methods are its PSM_ messages.
    bool systemSheet_ = false;
};
