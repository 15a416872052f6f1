#include "platform/afx_menu.h"

#include "platform/afx_app.h"
#include "platform/afx_wnd.h"
#include "platform/common/afx_temporary.h"

namespace {

platform::afx::TemporaryObjects<CMenu, HMENU>& Temporaries() {
    static platform::afx::TemporaryObjects<CMenu, HMENU> temporaries(
        [](HMENU menu) { return ::IsMenu(menu) != FALSE; }, [](CMenu& object, HMENU menu) { object.m_hMenu = menu; });
    return temporaries;
}

}  // namespace

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu() {
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu) {
    return Temporaries().Get(menu);
}

BOOL CMenu::Attach(HMENU menu) {
    if (m_hMenu != nullptr || menu == nullptr) {
        return FALSE;
    }
    m_hMenu = menu;
    return TRUE;
}

HMENU CMenu::Detach() {
    const HMENU menu = m_hMenu;
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::LoadMenu(UINT id) {
    return LoadMenu(MAKEINTRESOURCE(id));
}

BOOL CMenu::LoadMenu(LPCSTR name) {
    if (m_hMenu != nullptr) {
        return FALSE;
    }
    m_hMenu = ::LoadMenuA(AfxFindResourceHandle(name, RT_MENU), name);
    return m_hMenu != nullptr ? TRUE : FALSE;
}

BOOL CMenu::CreateMenu() {
    return m_hMenu == nullptr && (m_hMenu = ::CreateMenu()) != nullptr ? TRUE : FALSE;
}

BOOL CMenu::CreatePopupMenu() {
    return m_hMenu == nullptr && (m_hMenu = ::CreatePopupMenu()) != nullptr ? TRUE : FALSE;
}

BOOL CMenu::DestroyMenu() {
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    const HMENU menu = Detach();
    Temporaries().Drop(menu);
    return ::DestroyMenu(menu);
}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR idOrPopup, LPCSTR text) {
    return ::AppendMenuA(m_hMenu, flags, idOrPopup, text);
}

UINT CMenu::GetMenuItemCount() const {
    return static_cast<UINT>(::GetMenuItemCount(m_hMenu));
}

UINT CMenu::GetMenuItemID(int position) const {
    return ::GetMenuItemID(m_hMenu, position);
}

int CMenu::GetMenuString(UINT item, LPSTR buffer, int size, UINT flags) const {
    return ::GetMenuStringA(m_hMenu, item, buffer, size, flags);
}

int CMenu::GetMenuString(UINT item, CString& text, UINT flags) const {
    const int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
    ::GetMenuStringA(m_hMenu, item, text.GetBufferSetLength(length), length + 1, flags);
    text.ReleaseBuffer();
    return text.GetLength();
}

CMenu* CMenu::GetSubMenu(int position) const {
    return FromHandle(::GetSubMenu(m_hMenu, position));
}

UINT CMenu::EnableMenuItem(UINT item, UINT enable) {
    return static_cast<UINT>(::EnableMenuItem(m_hMenu, item, enable));
}

UINT CMenu::CheckMenuItem(UINT item, UINT check) {
    return static_cast<UINT>(::CheckMenuItem(m_hMenu, item, check));
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect) {
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner != nullptr ? owner->m_hWnd : nullptr, rect);
}
