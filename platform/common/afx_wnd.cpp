#include "platform/afx_wnd.h"

#include "platform/afx_app.h"
#include "platform/afx_controls.h"
#include "platform/common/afx_internal.h"
#include "platform/common/window_backend.h"

#include <vector>

namespace {

using platform::wnd::Backend;

// The messages being handled on this thread, each on the stack of the call
// that handles it and linked to the one it interrupted: what Default and
// ReflectLastMsg work on. (Thread-locals here have no destructors: the
// Windows build's emulated ones may be freed before those would run.)
struct CurrentMessage {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    const CurrentMessage* outer;
};
thread_local const CurrentMessage* currentMessage = nullptr;
thread_local HWND lockoutWindow = nullptr;

class MessageScope {
public:
    MessageScope(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
        : message_{window, message, wParam, lParam, currentMessage} {
        currentMessage = &message_;
    }
    ~MessageScope() { currentMessage = message_.outer; }
    MessageScope(const MessageScope&) = delete;
    MessageScope& operator=(const MessageScope&) = delete;

private:
    CurrentMessage message_;
};

// Whether an update handler leaves a command enabled, without showing
// anything.
class TestCmdUI : public CCmdUI {
public:
    void Enable(BOOL on) override {
        enabled = on != FALSE;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetText(LPCSTR) override {}
    bool enabled = true;
};

}  // namespace

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

HWND AfxGetLockoutNotifyWindow() {
    return lockoutWindow;
}

namespace platform::afx {

HWND SwapLockoutWindow(HWND window) {
    const HWND previous = lockoutWindow;
    lockoutWindow = window;
    return previous;
}

}  // namespace platform::afx

LRESULT AfxCallWndProc(CWnd* object, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageScope scope(window, message, wParam, lParam);
    return object->WindowProc(message, wParam, lParam);
}

CWnd::~CWnd() {
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this && !::DestroyWindow(m_hWnd)) {
        Detach();  // another thread's window: at least it no longer calls this object
    }
}

CWnd* CWnd::FromHandlePermanent(HWND window) {
    return window != nullptr ? Backend().Permanent(window) : nullptr;
}

CWnd* CWnd::FromHandle(HWND window) {
    return window != nullptr ? Backend().Temporary(window) : nullptr;
}

BOOL CWnd::Attach(HWND window) {
    if (m_hWnd != nullptr || window == nullptr) {
        return FALSE;
    }
    return Backend().Attach(*this, window) ? TRUE : FALSE;
}

HWND CWnd::Detach() {
    const HWND window = m_hWnd;
    if (window != nullptr) {
        Backend().Detach(*this);
    }
    m_hWnd = nullptr;
    return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
    if (!Attach(window)) {
        return FALSE;
    }
    PreSubclassWindow();
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    const HWND item = parent != nullptr ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    return item != nullptr ? SubclassWindow(item) : FALSE;
}

HWND CWnd::UnsubclassWindow() {
    return Detach();
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    return CreateEx(0, className, windowName, style | WS_CHILD, rect, parent, id);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                    CWnd* parent, UINT id, LPVOID parameter) {
    return CreateEx(exStyle, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent != nullptr ? parent->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), parameter);
}

BOOL CWnd::CreateEx(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID parameter) {
    if (m_hWnd != nullptr) {
        return FALSE;
    }
    platform::wnd::CreateParameters parameters;
    parameters.exStyle = exStyle;
    parameters.className = className != nullptr && !IS_INTRESOURCE(className) ? className : "";
    parameters.text = windowName != nullptr ? windowName : "";
    parameters.style = style;
    parameters.rect = RECT{x, y, x + width, y + height};
    parameters.parent = parent;
    parameters.id = static_cast<UINT>(reinterpret_cast<UINT_PTR>(idOrMenu));
    parameters.instance = AfxGetInstanceHandle();
    parameters.parameter = parameter;
    return Backend().Create(this, parameters) != nullptr ? TRUE : FALSE;
}

BOOL CWnd::DestroyWindow() {
    return m_hWnd != nullptr ? ::DestroyWindow(m_hWnd) : FALSE;
}

DWORD CWnd::GetStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
}

DWORD CWnd::GetExStyle() const {
    return static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE));
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT) {
    const DWORD style = GetStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, GWL_STYLE, static_cast<LONG>(changed));
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT) {
    const DWORD style = GetExStyle();
    const DWORD changed = (style & ~remove) | add;
    if (changed == style) {
        return FALSE;
    }
    ::SetWindowLongA(m_hWnd, GWL_EXSTYLE, static_cast<LONG>(changed));
    return TRUE;
}

BOOL CWnd::EnableWindow(BOOL enable) {
    return ::EnableWindow(m_hWnd, enable);
}

BOOL CWnd::IsWindowEnabled() const {
    return ::IsWindowEnabled(m_hWnd);
}

BOOL CWnd::ShowWindow(int command) {
    return ::ShowWindow(m_hWnd, command);
}

BOOL CWnd::IsWindowVisible() const {
    return ::IsWindowVisible(m_hWnd);
}

BOOL CWnd::IsZoomed() const {
    return ::IsZoomed(m_hWnd);
}

void CWnd::SetWindowText(LPCSTR text) {
    ::SetWindowTextA(m_hWnd, text);
}

int CWnd::GetWindowText(LPSTR buffer, int size) const {
    return ::GetWindowTextA(m_hWnd, buffer, size);
}

void CWnd::GetWindowText(CString& text) const {
    const int length = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, text.GetBufferSetLength(length), length + 1);
    text.ReleaseBuffer();
}

int CWnd::GetWindowTextLength() const {
    return ::GetWindowTextLengthA(m_hWnd);
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font != nullptr ? font->m_hObject : nullptr), redraw);
}

CFont* CWnd::GetFont() const {
    return CFont::FromHandle(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)));
}

int CWnd::GetDlgCtrlID() const {
    return ::GetDlgCtrlID(m_hWnd);
}

int CWnd::SetDlgCtrlID(int id) {
    return static_cast<int>(::SetWindowLongA(m_hWnd, GWL_ID, id));
}

CWnd* CWnd::GetParent() const {
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::GetOwner() const {
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER) != nullptr ? ::GetWindow(m_hWnd, GW_OWNER)
                                                                 : ::GetParent(m_hWnd));
}

void CWnd::SetOwner(CWnd* owner) {
    if (m_hWnd != nullptr) {
        Backend().SetOwner(m_hWnd, owner != nullptr ? owner->m_hWnd : nullptr);
    }
}

CWnd* CWnd::GetWindow(UINT relation) const {
    return FromHandle(::GetWindow(m_hWnd, relation));
}

CWnd* CWnd::GetTopLevelParent() const {
    HWND top = m_hWnd;
    for (HWND parent = platform::wnd::ParentOf(top); parent != nullptr; parent = platform::wnd::ParentOf(top)) {
        top = parent;
    }
    return FromHandle(top);
}

CWnd* CWnd::GetDlgItem(int id) const {
    return FromHandle(::GetDlgItem(m_hWnd, id));
}

void CWnd::GetDlgItem(int id, HWND* window) const {
    if (window != nullptr) {
        *window = ::GetDlgItem(m_hWnd, id);
    }
}

CWnd* CWnd::GetDescendantWindow(int id, BOOL onlyPermanent) const {
    std::vector<HWND> children;
    platform::wnd::ForEachChild(m_hWnd, [&children](HWND child) { children.push_back(child); });
    for (HWND child : children) {
        if (::GetDlgCtrlID(child) == id) {
            CWnd* found = onlyPermanent ? FromHandlePermanent(child) : FromHandle(child);
            if (found != nullptr) {
                return found;
            }
        }
    }
    for (HWND child : children) {
        if (CWnd* inner = FromHandle(child); inner != nullptr) {
            if (CWnd* found = inner->GetDescendantWindow(id, onlyPermanent)) {
                return found;
            }
        }
    }
    return nullptr;
}

void CWnd::SetDlgItemText(int id, LPCSTR text) {
    ::SetDlgItemTextA(m_hWnd, id, text);
}

int CWnd::GetDlgItemText(int id, LPSTR buffer, int size) const {
    return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, buffer, size));
}

int CWnd::GetDlgItemText(int id, CString& text) const {
    text.Empty();
    if (CWnd* item = GetDlgItem(id)) {
        item->GetWindowText(text);
    }
    return text.GetLength();
}

void CWnd::CheckDlgButton(int id, UINT check) {
    ::CheckDlgButton(m_hWnd, id, check);
}

UINT CWnd::IsDlgButtonChecked(int id) const {
    return ::IsDlgButtonChecked(m_hWnd, id);
}

void CWnd::CheckRadioButton(int firstId, int lastId, int checkId) {
    ::CheckRadioButton(m_hWnd, firstId, lastId, checkId);
}

int CWnd::GetCheckedRadioButton(int firstId, int lastId) {
    for (int id = firstId; id <= lastId; ++id) {
        if (::IsDlgButtonChecked(m_hWnd, id) == BST_CHECKED) {
            return id;
        }
    }
    return 0;
}

LRESULT CWnd::SendDlgItemMessage(int id, UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendDlgItemMessageA(m_hWnd, id, message, wParam, lParam);
}

CWnd* CWnd::GetFocus() {
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetFocus() {
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetActiveWindow() {
    return FromHandle(::GetActiveWindow());
}

CWnd* CWnd::SetActiveWindow() {
    return FromHandle(::SetActiveWindow(m_hWnd));
}

BOOL CWnd::SetForegroundWindow() {
    return ::SetForegroundWindow(m_hWnd);
}

void CWnd::GetWindowRect(LPRECT rect) const {
    ::GetWindowRect(m_hWnd, rect);
}

void CWnd::GetClientRect(LPRECT rect) const {
    ::GetClientRect(m_hWnd, rect);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::MoveWindow(LPCRECT rect, BOOL repaint) {
    if (rect != nullptr) {
        ::MoveWindow(m_hWnd, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, repaint);
    }
}

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) {
    return ::SetWindowPos(m_hWnd, insertAfter != nullptr ? insertAfter->m_hWnd : nullptr, x, y, width, height,
                          flags);
}

void CWnd::ScreenToClient(LPPOINT point) const {
    ::ScreenToClient(m_hWnd, point);
}

void CWnd::ScreenToClient(LPRECT rect) const {
    if (rect != nullptr) {
        ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->left));
        ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(&rect->right));
    }
}

void CWnd::CenterWindow(CWnd* alternate) {
    RECT area{};
    HWND over = alternate != nullptr ? alternate->m_hWnd : ::GetWindow(m_hWnd, GW_OWNER);
    if (over == nullptr) {
        over = platform::wnd::ParentOf(m_hWnd);
    }
    if (over == nullptr || !::GetWindowRect(over, &area)) {
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    }
    RECT own{};
    ::GetWindowRect(m_hWnd, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    POINT topLeft{(area.left + area.right - width) / 2, (area.top + area.bottom - height) / 2};
    if (const HWND parent = platform::wnd::ParentOf(m_hWnd)) {
        ::ScreenToClient(parent, &topLeft);
    }
    ::MoveWindow(m_hWnd, topLeft.x, topLeft.y, width, height, FALSE);
}

void CWnd::Invalidate(BOOL erase) {
    ::InvalidateRect(m_hWnd, nullptr, erase);
}

void CWnd::UpdateWindow() {
    ::UpdateWindow(m_hWnd);
}

void CWnd::SetRedraw(BOOL redraw) {
    SendMessage(WM_SETREDRAW, static_cast<WPARAM>(redraw), 0);
}

CDC* CWnd::GetDC() {
    return CDC::FromHandle(::GetDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* dc) {
    if (dc == nullptr) {
        return 0;
    }
    const HDC handle = dc->m_hDC;
    const int released = ::ReleaseDC(m_hWnd, handle);
    platform::afx::DropTemporaryDC(handle);
    return released;
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL deep, BOOL onlyPermanent) {
    std::vector<HWND> children;
    platform::wnd::ForEachChild(m_hWnd, [&children](HWND child) { children.push_back(child); });
    for (HWND child : children) {
        if (!onlyPermanent || FromHandlePermanent(child) != nullptr) {
            ::SendMessageA(child, message, wParam, lParam);
        }
        if (deep) {
            if (CWnd* inner = FromHandle(child)) {
                inner->SendMessageToDescendants(message, wParam, lParam, deep, onlyPermanent);
            }
        }
    }
}

int CWnd::MessageBox(LPCSTR text, LPCSTR caption, UINT type) {
    return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

void CWnd::WinHelp(DWORD_PTR data, UINT command) {
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(data, command);
    } else {
        ::WinHelpA(m_hWnd, nullptr, command, data);
    }
}

void CWnd::DoDataExchange(CDataExchange*) {}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) {
        result = DefWindowProc(message, wParam, lParam);
    }
    return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LRESULT answer = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) {
            return FALSE;
        }
        answer = 1;
    } else if (message == WM_NOTIFY) {
        if (lParam == 0 || !OnNotify(wParam, lParam, &answer)) {
            return FALSE;
        }
    } else {
        const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, 0, 0);
        if (entry == nullptr) {
            return FALSE;
        }
        AFX_HANDLERCALL call{message, wParam, lParam, 0, nullptr, 0};
        if (!entry->pfn(this, call)) {
            return FALSE;
        }
        answer = call.result;
    }
    if (result != nullptr) {
        *result = answer;
    }
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return m_hWnd != nullptr ? Backend().CallDefault(m_hWnd, message, wParam, lParam) : 0;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const UINT id = LOWORD(wParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    int code = HIWORD(wParam);
    if (control == nullptr) {
        // A menu or accelerator command runs only while its update handler
        // leaves it enabled.
        if (id == 0) {
            return FALSE;
        }
        TestCmdUI test;
        test.m_nID = id;
        OnCmdMsg(id, static_cast<int>(CN_UPDATE_COMMAND_UI), &test, nullptr);
        if (!test.enabled) {
            return TRUE;
        }
        code = CN_COMMAND;
    } else {
        if (lockoutWindow == m_hWnd) {
            return TRUE;  // the window is exchanging its data
        }
        if (ReflectLastMsg(control)) {
            return TRUE;  // the control handled its own notification
        }
        if (id == 0) {
            return FALSE;
        }
    }
    return OnCmdMsg(id, code, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* result) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header == nullptr) {
        return FALSE;
    }
    if (lockoutWindow == m_hWnd) {
        return TRUE;
    }
    if (ReflectLastMsg(header->hwndFrom, result)) {
        return TRUE;
    }
    AFX_NOTIFY notify{result, header};
    return OnCmdMsg(static_cast<UINT>(header->idFrom), MAKELONG(header->code, WM_NOTIFY), &notify, nullptr);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return ReflectChildNotify(message, wParam, lParam, result);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message == WM_COMMAND) {
        if (!OnCmdMsg(0, MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), nullptr, nullptr)) {
            return FALSE;
        }
        if (result != nullptr) {
            *result = 1;
        }
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header == nullptr) {
            return FALSE;
        }
        LRESULT ignored = 0;
        AFX_NOTIFY notify{result != nullptr ? result : &ignored, header};
        return OnCmdMsg(0, MAKELONG(header->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, nullptr);
    }
    return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, result);
}

BOOL CWnd::ReflectLastMsg(HWND child, LRESULT* result) {
    CWnd* object = FromHandlePermanent(child);
    if (object == nullptr || currentMessage == nullptr) {
        return FALSE;
    }
    const CurrentMessage message = *currentMessage;
    return object->OnChildNotify(message.message, message.wParam, message.lParam, result);
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
    if (currentMessage == nullptr) {
        return 0;
    }
    const CurrentMessage message = *currentMessage;
    return DefWindowProc(message.message, message.wParam, message.lParam);
}

int CWnd::OnCreate(LPCREATESTRUCT) {
    return static_cast<int>(Default());
}

void CWnd::OnDestroy() {
    Default();
}

void CWnd::OnNcDestroy() {
    Default();
    // A thread's main window that goes is no longer its main window.
    if (CWinThread* thread = AfxGetThread(); thread != nullptr && thread->m_pMainWnd == this) {
        thread->m_pMainWnd = nullptr;
    }
    Detach();
    PostNcDestroy();
}

void CWnd::OnClose() {
    Default();
}

BOOL CWnd::OnHelpInfo(HELPINFO*) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnShowWindow(BOOL, UINT) {
    Default();
}

void CWnd::OnSize(UINT, int, int) {
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*) {
    return static_cast<BOOL>(Default());
}

void CWnd::OnSysCommand(UINT, LPARAM) {
    Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item) {
    if (item != nullptr && ReflectLastMsg(item->hwndItem)) {
        return;  // the control draws itself
    }
    Default();
}

void CWnd::OnLButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnLButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDown(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonUp(UINT, CPoint) {
    Default();
}

void CWnd::OnRButtonDblClk(UINT, CPoint) {
    Default();
}

void CWnd::OnKeyDown(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnKeyUp(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnChar(UINT, UINT, UINT) {
    Default();
}

void CWnd::OnSetFocus(CWnd*) {
    Default();
}

void CWnd::OnKillFocus(CWnd*) {
    Default();
}

int AfxMessageBox(LPCSTR text, UINT type, UINT) {
    if ((type & MB_ICONMASK) == 0) {
        switch (type & MB_TYPEMASK) {
        case MB_OK:
        case MB_OKCANCEL:
            type |= MB_ICONEXCLAMATION;
            break;
        case MB_YESNO:
        case MB_YESNOCANCEL:
            type |= MB_ICONQUESTION;
            break;
        default:
            break;
        }
    }
    HWND owner = ::GetActiveWindow();
    if (owner == nullptr) {
        CWnd* main = AfxGetMainWnd();
        owner = main != nullptr ? main->m_hWnd : nullptr;
    }
    return ::MessageBoxA(owner, text, AfxGetAppName(), type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    CString prompt;
    if (!prompt.LoadString(promptId)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    return AfxMessageBox(prompt, type, helpId == static_cast<UINT>(-1) ? promptId : helpId);
}
