#include "hostui/instance_data_container_wnd.h"

#include "platform/debug.h"

#include <algorithm>
#include <set>

namespace {

constexpr UINT kContainerId = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CInstanceDataContainerWnd, CWnd)
    ON_WM_DESTROY()
    ON_MESSAGE(CInstanceDataContainerWnd::kRemoveChildMessage, RemoveChild)
    ON_MESSAGE(CInstanceDataContainerWnd::kNotifyChildMessage, NotifyChild)
    ON_MESSAGE(CInstanceDataContainerWnd::kRefreshChildMessage, RefreshChild)
END_MESSAGE_MAP()

CInstanceDataContainerWnd::CInstanceDataContainerWnd(IHostServiceProvider* host, CHostUiManager* manager)
    : m_host(host), m_uiManager(manager) {
    if (host != nullptr) {
        // A service the host refuses leaves its field as the host left it.
        for (std::size_t i = 0; i < m_services.size(); ++i) {
            host->QueryService(*kContainerServiceIds[i], reinterpret_cast<void**>(&m_services[i]));
        }
    }
    if (manager != nullptr) {
        manager->AcquireOwnerId(&m_ownerId1);
        manager->AcquireOwnerId(&m_ownerId2);
    }
}

CInstanceDataContainerWnd::~CInstanceDataContainerWnd() {
    if (m_uiManager != nullptr) {
        m_uiManager->ReleaseOwnerId(&m_ownerId1);
        m_uiManager->ReleaseOwnerId(&m_ownerId2);
    }
    m_host = nullptr;
    m_services.fill(nullptr);
    m_children.clear();
}

BOOL CInstanceDataContainerWnd::CreateUnderAppModuleState() {
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    CWnd* main = AfxGetMainWnd();
    if (main == nullptr) {
        // A child window cannot be made without its parent: what the window
        // would register (menus, toolbar, the channel menu) is not.
        OutputDebugStringA(
            "CInstanceDataContainerWnd: the host has no main window on this thread (a top-level, unowned, visible "
            "window): the window is not made and registers nothing\n");
        return FALSE;
    }
    return CreateEx(0, nullptr, nullptr, WS_CHILD, CRect(0, 0, 0, 0), main, kContainerId);
}

void CInstanceDataContainerWnd::DestroyUnderAppModuleState() {
    DestroyAllChildren();
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

void CInstanceDataContainerWnd::OnDestroy() {
    CWnd::OnDestroy();
    if (m_uiManager == nullptr) {
        return;
    }
    m_uiManager->UnregisterOwner(reinterpret_cast<UiOwnerKey>(this));
    m_uiManager->UnregisterOwner(m_ownerId1);
    m_uiManager->UnregisterOwner(m_ownerId2);
}

void CInstanceDataContainerWnd::DestroyAllChildren() {
    for (auto& child : m_children) {
        child->UnregisterFromHost();
        child->DestroyControl();
        child.reset();
    }
    m_children.clear();
}

void CInstanceDataContainerWnd::RefreshAllChildren() {
    for (const auto& child : m_children) {
        child->RefreshData();
    }
}

CInstanceDataCtrl* CInstanceDataContainerWnd::ControlOf(WPARAM childWindow) {
    return dynamic_cast<CInstanceDataCtrl*>(CWnd::FromHandlePermanent(reinterpret_cast<HWND>(childWindow)));
}

bool CInstanceDataContainerWnd::HoldsChild(const CInstanceDataCtrl* child) const {
    return child != nullptr && std::any_of(m_children.begin(), m_children.end(),
                                           [child](const auto& held) { return held.get() == child; });
}

LRESULT CInstanceDataContainerWnd::RemoveChild(WPARAM childWindow, LPARAM) {
    CInstanceDataCtrl* child = ControlOf(childWindow);
    if (!HoldsChild(child)) {
        return 1;
    }
    child->UnregisterFromHost();
    child->DestroyControl();
    const auto held = std::find_if(m_children.begin(), m_children.end(),
                                   [child](const auto& entry) { return entry.get() == child; });
    m_children.erase(held);  // deletes the child
    return 1;
}

LRESULT CInstanceDataContainerWnd::NotifyChild(WPARAM childWindow, LPARAM) {
    if (CInstanceDataCtrl* child = ControlOf(childWindow)) {
        child->OnNotifyCommand();
    }
    return 1;
}

LRESULT CInstanceDataContainerWnd::RefreshChild(WPARAM childWindow, LPARAM) {
    if (CInstanceDataCtrl* child = ControlOf(childWindow)) {
        child->RefreshData();
    }
    return 1;
}

BOOL CInstanceDataContainerWnd::GetLinkedPair(CInstanceDataCtrl* child, CInstanceDataCtrlPair* pair) const {
    if (child == nullptr || pair == nullptr || !HoldsChild(child)) {
        return FALSE;
    }
    CInstanceDataCtrl* linked = child->GetLinkedControl();
    CInstanceDataCtrl* partner =
        HoldsChild(linked) && linked->GetLinkedControl() == child ? linked : nullptr;
    if (child->TestCtrlStyle(CInstanceDataCtrl::kSecondOfPairStyle) != 0) {
        *pair = {partner, child};
    } else {
        *pair = {child, partner};
    }
    return pair->first != nullptr || pair->second != nullptr ? TRUE : FALSE;
}

void CInstanceDataContainerWnd::FindLinkedPairs(std::vector<CInstanceDataCtrlPair>& pairs) const {
    // The seconds of the first-slot children's pairs are listed with them.
    std::set<const CInstanceDataCtrl*> paired;
    for (const auto& child : m_children) {
        CInstanceDataCtrlPair pair;
        if (child->TestCtrlStyle(CInstanceDataCtrl::kSecondOfPairStyle) == 0 && GetLinkedPair(child.get(), &pair) &&
            pair.second != nullptr) {
            paired.insert(pair.second);
        }
    }
    for (const auto& child : m_children) {
        CInstanceDataCtrlPair pair;
        if (paired.count(child.get()) == 0 && GetLinkedPair(child.get(), &pair)) {
            pairs.push_back(pair);
        }
    }
}
