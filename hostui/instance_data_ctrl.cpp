#include "hostui/instance_data_ctrl.h"

#include "util/html_help.h"

#include <string>

namespace {

// The codes the host is given with the parent window's handle.
constexpr DWORD kToggleCode = 0x20;
constexpr DWORD kNotifyCode = 1;
constexpr DWORD kContextCode = 0x100;
// The state bits of the toggle command: shown unchecked only with 0x08 set
// and 0x10 clear.
constexpr DWORD kStateUncheckedBit = 0x08;
constexpr DWORD kStateCheckedBit = 0x10;
constexpr int kControlId = 1;

bool KeyDown(int key) {
    return (static_cast<unsigned short>(GetKeyState(key)) & 0x8000u) != 0;
}

}  // namespace

std::atomic<int> CInstanceDataCtrl::s_liveCount{0};

BEGIN_MESSAGE_MAP(CInstanceDataCtrl, CWnd)
    ON_WM_ERASEBKGND()
    ON_WM_SIZE()
    ON_WM_HELPINFO()
    ON_COMMAND(CInstanceDataCtrl::kToggleCommand, OnToggleCommand)
    ON_UPDATE_COMMAND_UI(CInstanceDataCtrl::kToggleCommand, OnUpdateToggleCommand)
    ON_COMMAND(CInstanceDataCtrl::kNotifyCommand, OnNotifyCommand)
    ON_UPDATE_COMMAND_UI(CInstanceDataCtrl::kNotifyCommand, OnUpdateNotifyCommand)
END_MESSAGE_MAP()

CInstanceDataCtrl::CInstanceDataCtrl(IHostServiceProvider* host, CHostUiManager* manager, DWORD style)
    : m_style(style), m_host(host), m_uiManager(manager) {
    if (host != nullptr) {
        // The results are not tested: a host without one leaves it null.
        host->QueryInterface(IID_IHHostObject, reinterpret_cast<void**>(&m_hostInterfaces[0]));
        for (std::size_t i = 1; i < m_hostInterfaces.size(); ++i) {
            host->QueryService(*kContainerServiceIds[i - 1], reinterpret_cast<void**>(&m_hostInterfaces[i]));
        }
    }
    if (manager != nullptr) {
        manager->AcquireOwnerId(&m_ownerId1);
        manager->AcquireOwnerId(&m_ownerId2);
    }
    ++s_liveCount;
}

CInstanceDataCtrl::~CInstanceDataCtrl() {
    if (m_uiManager != nullptr) {
        m_uiManager->ReleaseOwnerId(&m_ownerId1);
        m_uiManager->ReleaseOwnerId(&m_ownerId2);
    }
    --s_liveCount;
}

void CInstanceDataCtrl::ModifyCtrlStyle(DWORD bits, BOOL set) {
    m_style = set != FALSE ? (m_style | bits) : (m_style & ~bits);
}

void CInstanceDataCtrl::UnregisterFromHost() {
    if (m_uiManager == nullptr) {
        return;
    }
    m_uiManager->UnregisterOwner(reinterpret_cast<UiOwnerKey>(this));
    m_uiManager->UnregisterOwner(m_ownerId1);
    m_uiManager->UnregisterOwner(m_ownerId2);
}

BOOL CInstanceDataCtrl::CreateControl(HWND parent, HWND owner) {
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    const BOOL created =
        CreateEx(0, nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), CWnd::FromHandle(parent), kControlId);
    if (created != FALSE) {
        SetOwner(CWnd::FromHandle(owner));
    }
    return created;
}

void CInstanceDataCtrl::DestroyControl() {
    AFX_MANAGE_STATE(AfxGetAppModuleState());
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
}

BOOL CInstanceDataCtrl::OnEraseBkgnd(CDC* dc) {
    if (dc == nullptr) {
        return FALSE;
    }
    CRect clip;
    dc->GetClipBox(&clip);
    CBrush brush(GetSysColor(COLOR_WINDOW));
    CBrush* previous = dc->SelectObject(&brush);
    dc->PatBlt(clip.left, clip.top, clip.Width(), clip.Height(), PATCOPY);
    dc->SelectObject(previous);
    return TRUE;
}

void CInstanceDataCtrl::OnSize(UINT type, int width, int height) {
    CWnd::OnSize(type, width, height);
    CWnd* child = GetWindow(GW_CHILD);
    if (child == nullptr) {
        return;
    }
    CRect client;
    GetClientRect(&client);
    ::SetWindowPos(child->GetSafeHwnd(), HWND_TOP, 0, 0, client.Width(), client.Height(), SWP_SHOWWINDOW);
}

BOOL CInstanceDataCtrl::OnHelpInfo(HELPINFO*) {
    if (KeyDown(VK_F1) && KeyDown(VK_SHIFT)) {
        PostMessage(WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
        return TRUE;
    }
    return ShowHtmlHelpTopic(nullptr, GetHelpFileName(), HH_HELP_CONTEXT, GetHelpContextId()) != nullptr ? TRUE
                                                                                                          : FALSE;
}

void CInstanceDataCtrl::FireToHost(DWORD code) {
    if (m_uiManager == nullptr) {
        return;
    }
    CWnd* parent = GetParent();
    static_cast<void>(m_uiManager->FireCommand(parent != nullptr ? parent->GetSafeHwnd() : nullptr, code));
    // What the host does with the command is its own; there is nothing to show.
}

void CInstanceDataCtrl::OnToggleCommand() {
    FireToHost(kToggleCode);
}

void CInstanceDataCtrl::OnUpdateToggleCommand(CCmdUI* command) {
    DWORD state = 0;
    if (m_uiManager != nullptr) {
        CWnd* parent = GetParent();
        // A failed query leaves the state 0, which shows the command checked.
        static_cast<void>(m_uiManager->QueryCommandState(parent != nullptr ? parent->GetSafeHwnd() : nullptr, &state));
    }
    command->Enable(TRUE);
    const bool unchecked = (state & kStateCheckedBit) == 0 && (state & kStateUncheckedBit) != 0;
    command->SetCheck(unchecked ? 0 : 1);
}

void CInstanceDataCtrl::OnNotifyCommand() {
    FireToHost(kNotifyCode);
}

void CInstanceDataCtrl::OnUpdateNotifyCommand(CCmdUI* command) {
    command->Enable(TRUE);
}

void CInstanceDataCtrl::OnContextCommand() {
    FireToHost(kContextCode);
}

void CInstanceDataCtrl::OnUpdateEnable(CCmdUI* command) {
    command->Enable(TRUE);
}

HWND ShowHtmlHelpTopic(HWND window, LPCSTR helpFileName, UINT command, DWORD_PTR data) {
    if (helpFileName == nullptr || helpFileName[0] == '\0') {
        return nullptr;  // no file to open: help is not called
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    CWinApp* app = AfxGetApp();
    const std::string folder = app != nullptr && app->m_pszHelpFilePath != nullptr ? app->m_pszHelpFilePath : "";
    const std::string path = folder + helpFileName;
    return LoadHtmlHelp(window, path.c_str(), command, data);
}
