// CMenu: the class library's menu object over a menu handle. A menu object
// destroys its menu when it goes, unless it was detached; the objects
// FromHandle and GetSubMenu answer are temporary ones that the class library
// keeps until their menu is destroyed.
#pragma once

#include "platform/afx_object.h"
#include "platform/afx_string.h"
#include "platform/windows_ui.h"

class CWnd;

class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)

public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }  // NOLINT: the class library converts implicitly
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU menu);

    BOOL Attach(HMENU menu);
    HMENU Detach();
    // Loads the menu from the module that holds it along the class library's
    // resource search (the current module's resources first).
    BOOL LoadMenu(UINT id);
    BOOL LoadMenu(LPCSTR name);
    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrPopup = 0, LPCSTR text = nullptr);
    UINT GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    int GetMenuString(UINT item, LPSTR buffer, int size, UINT flags) const;
    int GetMenuString(UINT item, CString& text, UINT flags) const;
    CMenu* GetSubMenu(int position) const;
    UINT EnableMenuItem(UINT item, UINT enable);
    UINT CheckMenuItem(UINT item, UINT check);
    // A popup menu the UI driver chooses from; the choice reaches the owner
    // as a command (or is answered, with TPM_RETURNCMD).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT rect = nullptr);
};
