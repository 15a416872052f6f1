// CWnd: the class library's window object, over a window of the window
// system in use (platform/common/window_backend.h).
//
// An object attached to a window (by creating it, Attach or SubclassWindow)
// sees every message of the window first, through its message map; what it
// does not handle goes on to the window class's own behaviour
// (DefWindowProc; on the system's windows, the window's own procedure, which
// the object's procedure replaced while the window was made). Commands
// (WM_COMMAND) are routed through OnCommand: a
// control's notification is first reflected to the control's own object,
// then offered to the parent's map; a menu or accelerator command runs only
// when its update handler leaves it enabled. For a window that has no object,
// FromHandle answers a temporary one of the window's class (a CComboBox for a
// combo box, a CEdit for an edit control, ...), which lives until the window
// is destroyed.
#pragma once

#include "platform/afx_exceptions.h"
#include "platform/afx_geometry.h"
#include "platform/afx_msgmap.h"
#include "platform/afx_string.h"
#include "platform/gdi.h"
#include "platform/ui.h"

#include <optional>
#include <string>

class CDataExchange;
class CDC;
class CFont;
class CMenu;

class CWnd : public CCmdTarget {
    DECLARE_DYNCREATE(CWnd)

public:
    CWnd() = default;
    ~CWnd() override;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    operator HWND() const { return m_hWnd; }  // NOLINT: the class library converts implicitly
    HWND GetSafeHwnd() const { return m_hWnd; }

    // The object attached to a window, or null.
    static CWnd* FromHandlePermanent(HWND window);
    // The attached object, else a temporary one of the window's class; null
    // for a null or unknown handle.
    static CWnd* FromHandle(HWND window);

    BOOL Attach(HWND window);
    HWND Detach();
    BOOL SubclassWindow(HWND window);
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    HWND UnsubclassWindow();
    virtual void PreSubclassWindow();

    // Creates the window with this object attached before it gets WM_CREATE.
    // A null class name makes a generic window.
    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                          CWnd* parent, UINT id, LPVOID parameter = nullptr);
    BOOL CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                  int height, HWND parent, HMENU idOrMenu, LPVOID parameter = nullptr);
    virtual BOOL DestroyWindow();

    DWORD GetStyle() const;
    DWORD GetExStyle() const;
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int command);
    BOOL IsWindowVisible() const;
    BOOL IsZoomed() const;
    void SetWindowText(LPCSTR text);
    int GetWindowText(LPSTR buffer, int size) const;
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    void SetFont(CFont* font, BOOL redraw = TRUE);
    CFont* GetFont() const;
    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);

    CWnd* GetParent() const;
    CWnd* GetOwner() const;
    void SetOwner(CWnd* owner);
    CWnd* GetWindow(UINT relation) const;
    CWnd* GetTopLevelParent() const;
    CWnd* GetDlgItem(int id) const;
    void GetDlgItem(int id, HWND* window) const;
    // A descendant with the id, searched breadth first (children before
    // grandchildren); with onlyPermanent, one that has an object.
    CWnd* GetDescendantWindow(int id, BOOL onlyPermanent = FALSE) const;
    void SetDlgItemText(int id, LPCSTR text);
    int GetDlgItemText(int id, LPSTR buffer, int size) const;
    int GetDlgItemText(int id, CString& text) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;
    void CheckRadioButton(int firstId, int lastId, int checkId);
    int GetCheckedRadioButton(int firstId, int lastId);
    LRESULT SendDlgItemMessage(int id, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

    static CWnd* GetFocus();
    CWnd* SetFocus();
    static CWnd* GetActiveWindow();
    CWnd* SetActiveWindow();
    BOOL SetForegroundWindow();

    void GetWindowRect(LPRECT rect) const;
    void GetClientRect(LPRECT rect) const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags);
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    // Centres the window over the alternate window, its owner or parent, or
    // the screen.
    void CenterWindow(CWnd* alternate = nullptr);
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);
    CDC* GetDC();
    int ReleaseDC(CDC* dc);

    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    // Sends the message to every child (and, with deep, every descendant);
    // with onlyPermanent, only to those that have an object.
    void SendMessageToDescendants(UINT message, WPARAM wParam = 0, LPARAM lParam = 0, BOOL deep = TRUE,
                                  BOOL onlyPermanent = FALSE);
    // A message box owned by this window; a null caption is the application's
    // name.
    int MessageBox(LPCSTR text, LPCSTR caption = nullptr, UINT type = MB_OK);
    // WinHelp with the application's help file.
    void WinHelp(DWORD_PTR data, UINT command = HELP_CONTEXT);

    // Data exchange with the window's controls: loads them (FALSE) or saves
    // and validates them (TRUE); FALSE when a field failed.
    inline BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* exchange);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    // A notification this control sent, reflected back from its parent.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    BOOL ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    // Offers the message being handled to the object of the child it came
    // from; TRUE when the child handled it.
    static BOOL ReflectLastMsg(HWND child, LRESULT* result = nullptr);
    // After the window is gone (WM_NCDESTROY); a window object that deletes
    // itself does it here.
    virtual void PostNcDestroy();

    // The window class's own handling of the message being handled.
    LRESULT Default();

    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnDestroy();
    afx_msg void OnNcDestroy();
    afx_msg void OnClose();
    afx_msg BOOL OnHelpInfo(HELPINFO* help);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnSize(UINT type, int width, int height);
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSysCommand(UINT command, LPARAM lParam);
    afx_msg void OnDrawItem(int id, LPDRAWITEMSTRUCT item);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnRButtonDown(UINT flags, CPoint point);
    afx_msg void OnRButtonUp(UINT flags, CPoint point);
    afx_msg void OnRButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg void OnKeyUp(UINT key, UINT repeat, UINT flags);
    afx_msg void OnChar(UINT key, UINT repeat, UINT flags);
    afx_msg void OnSetFocus(CWnd* previous);
    afx_msg void OnKillFocus(CWnd* next);

    DECLARE_MESSAGE_MAP()

private:
    friend LRESULT AfxCallWndProc(CWnd* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// Thrown by CDataExchange::Fail and caught by UpdateData; the failing field
// has shown why before.
class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
};

// Thrown where it is written, being inline: in the Windows build every
// module carries its own unwinder, so an exception must be thrown and caught
// within one module. The data exchange's failure therefore lives entirely in
// the module of the code that exchanges (this header's inline functions).
[[noreturn]] inline void AfxThrowUserException() {
    throw new CUserException;
}

namespace platform::afx {

// The control of the exchange, or null (reported to the debugger output).
HWND ExchangeControl(CWnd* window, int id);
// A failed field gets the focus, an edit control's text selected.
void FocusFailedControl(HWND control, BOOL edit);
HWND SwapLockoutWindow(HWND window);

// Holds control notifications to the window back while it exchanges its data.
class LockoutScope {
public:
    explicit LockoutScope(HWND window) : previous_(SwapLockoutWindow(window)) {}
    ~LockoutScope() { SwapLockoutWindow(previous_); }
    LockoutScope(const LockoutScope&) = delete;
    LockoutScope& operator=(const LockoutScope&) = delete;

private:
    HWND previous_;
};

}  // namespace platform::afx

// The exchange of one window's fields: the direction, and the control that
// was exchanged last, which Fail gives back the focus.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    BOOL m_bSaveAndValidate;
    CWnd* m_pDlgWnd;
    HWND m_hWndLastControl = nullptr;
    BOOL m_bEditLastControl = FALSE;

    // The control with the id, made the last control; an id with no control
    // fails the exchange.
    HWND PrepareCtrl(int id) {
        const HWND control = platform::afx::ExchangeControl(m_pDlgWnd, id);
        if (control == nullptr) {
            AfxThrowUserException();
        }
        m_hWndLastControl = control;
        m_bEditLastControl = FALSE;
        return control;
    }
    HWND PrepareEditCtrl(int id) {
        const HWND control = PrepareCtrl(id);
        m_bEditLastControl = TRUE;
        return control;
    }
    // Ends a failed exchange: the last control gets the focus (an edit
    // control's text is selected) and the exchange stops (UpdateData answers
    // FALSE).
    [[noreturn]] void Fail() {
        platform::afx::FocusFailedControl(m_hWndLastControl, m_bEditLastControl);
        AfxThrowUserException();
    }
};

inline BOOL CWnd::UpdateData(BOOL saveAndValidate) {
    CDataExchange exchange(this, saveAndValidate);
    platform::afx::LockoutScope lockout(m_hWnd);
    try {
        DoDataExchange(&exchange);
    } catch (CUserException* failed) {
        failed->Delete();  // the field already said why
        return FALSE;
    }
    return TRUE;
}

// Runs a message through the object's WindowProc, keeping it as the message
// being handled (for Default) meanwhile.
LRESULT AfxCallWndProc(CWnd* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Control notifications are not dispatched to this window while it loads or
// saves its data (UpdateData), so a control that changes during the exchange
// does not call back into the exchange. Null when none is locked out.
HWND AfxGetLockoutNotifyWindow();

// A message box owned by the active window, captioned with the application's
// name. Without an icon in the type, OK and OK/Cancel boxes get the
// exclamation mark and Yes/No boxes the question mark, as the class library
// gives them. The prompt by id is a string of the current module's
// resources; a missing string shows nothing and answers 0.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
int AfxMessageBox(UINT promptId, UINT type = MB_OK, UINT helpId = UINT(-1));

// The hourglass for the length of a scope. There is no screen: it is only
// counted, so tests and drivers can tell whether one is up
// (platform::WaitCursorShown).
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore() {}
};

namespace platform {

bool WaitCursorShown();

// A command's state as the window's update handler (ON_UPDATE_COMMAND_UI)
// leaves it: what a host asks before it shows the command in its menus and
// toolbars. A command without an update handler is enabled when there is a
// handler for the command itself.
struct CommandState {
    bool updated = false;  // an update handler ran
    bool enabled = true;
    int check = 0;
    std::optional<std::string> text;
};
CommandState QueryCommandState(HWND window, UINT id);

}  // namespace platform
