// CInstanceDataContainerWnd: the generic container window of the plug-in's
// UI: an invisible child of the host's main window that holds the host's
// services, two host owner ids and a list of child controls. Its WM_DESTROY
// withdraws everything registered under the window and its owner ids; its
// destructor gives the ids back.
#pragma once

#include "frame/host_component_base.h"
#include "hostui/host_ui_manager.h"
#include "hostui/instance_data_ctrl.h"
#include "platform/afx.h"

#include <array>
#include <memory>
#include <vector>

// Two linked controls: the one without style bit 0x1 first.
struct CInstanceDataCtrlPair {
    CInstanceDataCtrl* first = nullptr;
    CInstanceDataCtrl* second = nullptr;
};

class CInstanceDataContainerWnd : public CWnd, public CHostComponentWindow {
public:
    // The user messages a child sends its container, the child's window
    // handle in wParam.
    static constexpr UINT kRemoveChildMessage = WM_USER + 1;
    static constexpr UINT kNotifyChildMessage = WM_USER + 3;
    static constexpr UINT kRefreshChildMessage = WM_USER + 4;

    // Asks the host for the six services (with a host) and the manager for
    // two owner ids (with a manager).
    CInstanceDataContainerWnd(IHostServiceProvider* host, CHostUiManager* manager);
    ~CInstanceDataContainerWnd() override;

    // Creates the window under the application's module state: no class or
    // window name, WS_CHILD only (never visible), an empty rectangle, child id
    // 1, the current thread's main window as parent (in a host that is not
    // built on the class library, its top-level, unowned, visible window).
    // Without a main window nothing is made: FALSE, and the debugger output
    // says so.
    BOOL CreateUnderAppModuleState();
    // Destroys the children, then the window under the application's module
    // state.
    void DestroyUnderAppModuleState() override;

    // Each child is withdrawn from the host, its window destroyed and the
    // child deleted, in list order; the list is emptied.
    virtual void DestroyAllChildren();
    virtual void RefreshAllChildren();
    // For the child behind the window handle: withdrawn, destroyed, removed
    // from the list and deleted. Only a child of the list is: the window
    // deletes none it does not own. Answers 1 whatever the handle.
    virtual LRESULT RemoveChild(WPARAM childWindow, LPARAM);
    // The child behind the handle tells the host its command 39533. Answers 1.
    virtual LRESULT NotifyChild(WPARAM childWindow, LPARAM);
    // The child behind the handle refreshes its data. Answers 1.
    LRESULT RefreshChild(WPARAM childWindow, LPARAM);

    // The pair a child in the list belongs to: it takes the second slot when
    // its style has bit 0x1, else the first; the other slot gets its linked
    // control when that is in the list and linked back to it. FALSE for a
    // child not in the list or null arguments.
    BOOL GetLinkedPair(CInstanceDataCtrl* child, CInstanceDataCtrlPair* pair) const;
    // The pair of every child, each pair once: the pairs of the children
    // without bit 0x1, then those of the children with it that no such pair
    // holds.
    void FindLinkedPairs(std::vector<CInstanceDataCtrlPair>& pairs) const;

    IHostServiceProvider* GetHost() const { return m_host; }
    IUnknown* GetService(std::size_t index) const { return m_services.at(index); }
    CHostUiManager* GetUiManager() const { return m_uiManager; }
    DWORD GetOwnerId1() const { return m_ownerId1; }
    DWORD GetOwnerId2() const { return m_ownerId2; }
    std::size_t ChildCount() const { return m_children.size(); }

protected:
    afx_msg void OnDestroy();

    DECLARE_MESSAGE_MAP()

    // The control behind a window handle, or null.
    static CInstanceDataCtrl* ControlOf(WPARAM childWindow);
    bool HoldsChild(const CInstanceDataCtrl* child) const;

    IHostServiceProvider* m_host;
    std::array<IUnknown*, 6> m_services{};  // borrowed; the derived windows use them
    CHostUiManager* m_uiManager;
    DWORD m_ownerId1 = 0;
    DWORD m_ownerId2 = 0;
    // The child controls, owned; derived windows add theirs.
    std::vector<std::unique_ptr<CInstanceDataCtrl>> m_children;
};
