// Message maps: which member function handles which message, command or
// notification, declared per class.
//
//     class CSampleDialog : public CDialog {
//         ...
//         afx_msg void OnNameChanged();
//         DECLARE_MESSAGE_MAP()
//     };
//     BEGIN_MESSAGE_MAP(CSampleDialog, CDialog)
//         ON_EN_CHANGE(IDC_NAME, OnNameChanged)
//         ON_WM_CLOSE()
//     END_MESSAGE_MAP()
//
// Each entry keeps a small function that unpacks the message's arguments and
// calls the member function by name, so a handler's signature is checked by
// the compiler. The table of a class is searched first, then its base
// class's.
#pragma once

#include "platform/afx_object.h"
#include "platform/windows_ui.h"

class CMenu;
class CWnd;

#define afx_msg

// The arguments of a WM_NOTIFY handler.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// A command's user-interface state being asked for: the menu item or the
// window it shows in is updated by the ON_UPDATE_COMMAND_UI handler.
class CCmdUI {
public:
    virtual ~CCmdUI() = default;

    UINT m_nID = 0;
    UINT m_nIndex = 0;           // the menu item's position
    CMenu* m_pMenu = nullptr;    // the menu holding the item, or null
    CMenu* m_pSubMenu = nullptr;
    CWnd* m_pOther = nullptr;    // the window showing the command, or null
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;

    virtual void Enable(BOOL on = TRUE);
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE);
    virtual void SetText(LPCSTR text);
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks the target's update handler; with disableIfNoHandler, a command
    // that has neither an update nor a command handler is disabled.
    BOOL DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler);
};

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                        \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                          \
        using ThisClass [[maybe_unused]] = theClass;                           \
        using TheBaseClass = baseClass;                                        \
        static const AFX_MSGMAP_ENTRY messageEntries[] = {
#define END_MESSAGE_MAP()                                                       \
            {0, 0, 0, 0, nullptr}};                                            \
        static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, messageEntries}; \
        return &messageMap;                                                    \
    }

// The handler of an entry: unpacks the call for the member function.
#define Q3V_HANDLER(...) [](CCmdTarget* target, AFX_HANDLERCALL& call) -> BOOL { \
    [[maybe_unused]] auto* self = static_cast<ThisClass*>(target);                \
    static_cast<void>(call);                                                      \
    __VA_ARGS__                                                                   \
}

// Commands and control notifications.
#define ON_COMMAND(id, memberFxn) \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(id), static_cast<UINT>(id), Q3V_HANDLER(self->memberFxn(); return TRUE;)},
#define ON_COMMAND_RANGE(firstId, lastId, memberFxn)                                     \
    {WM_COMMAND, CN_COMMAND, static_cast<UINT>(firstId), static_cast<UINT>(lastId), \
     Q3V_HANDLER(self->memberFxn(call.id); return TRUE;)},
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                          \
    {WM_COMMAND, CN_UPDATE_COMMAND_UI, static_cast<UINT>(id), static_cast<UINT>(id), \
     Q3V_HANDLER(self->memberFxn(static_cast<CCmdUI*>(call.extra)); return TRUE;)},
#define ON_CONTROL(code, id, memberFxn)                                            \
    {WM_COMMAND, static_cast<UINT>(code), static_cast<UINT>(id), static_cast<UINT>(id), \
     Q3V_HANDLER(self->memberFxn(); return TRUE;)},
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_NOTIFY(code, id, memberFxn)                                                              \
    {WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(code)), static_cast<UINT>(id), static_cast<UINT>(id), \
     Q3V_HANDLER(auto* notify = static_cast<AFX_NOTIFY*>(call.extra);                               \
                 self->memberFxn(notify->pNMHDR, notify->pResult); return TRUE;)},

// Notifications reflected back to the control that sent them. The _EX forms'
// handlers answer TRUE to keep the notification from the parent, FALSE to let
// the parent handle it too.
#define ON_CONTROL_REFLECT(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0, Q3V_HANDLER(self->memberFxn(); return TRUE;)},
#define ON_CONTROL_REFLECT_EX(code, memberFxn) \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<UINT>(code), 0, 0, Q3V_HANDLER(return self->memberFxn();)},
#define ON_NOTIFY_REFLECT(code, memberFxn)                                                         \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(code)), 0, 0,                \
     Q3V_HANDLER(auto* notify = static_cast<AFX_NOTIFY*>(call.extra);                               \
                 self->memberFxn(notify->pNMHDR, notify->pResult); return TRUE;)},
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                      \
    {WM_REFLECT_BASE + WM_NOTIFY, static_cast<UINT>(static_cast<WORD>(code)), 0, 0,                \
     Q3V_HANDLER(auto* notify = static_cast<AFX_NOTIFY*>(call.extra);                               \
                 return self->memberFxn(notify->pNMHDR, notify->pResult);)},

// Window messages.
#define ON_MESSAGE(message, memberFxn) \
    {static_cast<UINT>(message), 0, 0, 0, Q3V_HANDLER(call.result = self->memberFxn(call.wParam, call.lParam); return TRUE;)},
#define ON_WM_CREATE() \
    {WM_CREATE, 0, 0, 0, Q3V_HANDLER(call.result = self->OnCreate(reinterpret_cast<LPCREATESTRUCT>(call.lParam)); return TRUE;)},
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, 0, Q3V_HANDLER(self->OnDestroy(); return TRUE;)},
#define ON_WM_NCDESTROY() {WM_NCDESTROY, 0, 0, 0, Q3V_HANDLER(self->OnNcDestroy(); return TRUE;)},
#define ON_WM_CLOSE() {WM_CLOSE, 0, 0, 0, Q3V_HANDLER(self->OnClose(); return TRUE;)},
#define ON_WM_SHOWWINDOW()                                                                         \
    {WM_SHOWWINDOW, 0, 0, 0,                                                                       \
     Q3V_HANDLER(self->OnShowWindow(static_cast<BOOL>(call.wParam), static_cast<UINT>(call.lParam)); return TRUE;)},
#define ON_WM_SIZE()                                                                              \
    {WM_SIZE, 0, 0, 0,                                                                            \
     Q3V_HANDLER(self->OnSize(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); return TRUE;)},
#define ON_WM_ERASEBKGND()                                                                        \
    {WM_ERASEBKGND, 0, 0, 0,                                                                      \
     Q3V_HANDLER(call.result = self->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(call.wParam))); return TRUE;)},
#define ON_WM_HELPINFO() \
    {WM_HELP, 0, 0, 0, Q3V_HANDLER(call.result = self->OnHelpInfo(reinterpret_cast<HELPINFO*>(call.lParam)); return TRUE;)},
#define ON_WM_SYSCOMMAND() \
    {WM_SYSCOMMAND, 0, 0, 0, Q3V_HANDLER(self->OnSysCommand(static_cast<UINT>(call.wParam), call.lParam); return TRUE;)},
#define ON_WM_DRAWITEM()                                                                        \
    {WM_DRAWITEM, 0, 0, 0,                                                                      \
     Q3V_HANDLER(self->OnDrawItem(static_cast<int>(call.wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(call.lParam)); \
                 call.result = TRUE; return TRUE;)},
#define Q3V_ON_MOUSE(message, memberFxn)                                                          \
    {message, 0, 0, 0,                                                                            \
     Q3V_HANDLER(self->memberFxn(static_cast<UINT>(call.wParam),                                  \
                                 CPoint(GET_X_LPARAM(call.lParam), GET_Y_LPARAM(call.lParam)));   \
                 return TRUE;)},
#define ON_WM_LBUTTONDOWN() Q3V_ON_MOUSE(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() Q3V_ON_MOUSE(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() Q3V_ON_MOUSE(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() Q3V_ON_MOUSE(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() Q3V_ON_MOUSE(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() Q3V_ON_MOUSE(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define Q3V_ON_KEY(message, memberFxn)                                                            \
    {message, 0, 0, 0,                                                                            \
     Q3V_HANDLER(self->memberFxn(static_cast<UINT>(call.wParam), LOWORD(call.lParam), HIWORD(call.lParam)); \
                 return TRUE;)},
#define ON_WM_KEYDOWN() Q3V_ON_KEY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() Q3V_ON_KEY(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() Q3V_ON_KEY(WM_CHAR, OnChar)
#define ON_WM_SETFOCUS() \
    {WM_SETFOCUS, 0, 0, 0, Q3V_HANDLER(self->OnSetFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))); return TRUE;)},
#define ON_WM_KILLFOCUS() \
    {WM_KILLFOCUS, 0, 0, 0, Q3V_HANDLER(self->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(call.wParam))); return TRUE;)},
