#include "platform/afx_dialog.h"

#include "platform/afx_app.h"
#include "platform/common/window_backend.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCE(templateId)), m_nIDHelp(templateId), m_pParentWnd(parent) {}

CDialog::CDialog(LPCSTR templateName, CWnd* parent)
    : m_lpszTemplateName(templateName), m_nIDHelp(platform::ResourceId(templateName)), m_pParentWnd(parent) {}

UINT CDialog::TemplateId() const {
    return platform::ResourceId(m_lpszTemplateName);
}

HINSTANCE CDialog::TemplateModule() const {
    const UINT id = TemplateId();
    if (id == 0) {
        return nullptr;
    }
    const LPCSTR name = MAKEINTRESOURCE(id);
    const HINSTANCE module = AfxFindResourceHandle(name, RT_DIALOG);
    return FindResourceA(module, name, RT_DIALOG) != nullptr ? module : nullptr;
}

const platform::DialogResource* CDialog::FindTemplate() const {
    return platform::FindDialogResource(TemplateModule(), TemplateId());
}

HWND CDialog::PreModal() const {
    if (m_pParentWnd != nullptr && m_pParentWnd->m_hWnd != nullptr) {
        return m_pParentWnd->GetTopLevelParent()->m_hWnd;
    }
    CWnd* main = AfxGetMainWnd();
    return main != nullptr ? main->m_hWnd : nullptr;
}

INT_PTR CDialog::DoModal() {
    const HINSTANCE module = TemplateModule();
    if (module == nullptr || m_hWnd != nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return -1;
    }
    // The owner is disabled while the dialog runs, as for a person it is.
    const HWND owner = PreModal();
    const bool disableOwner = owner != nullptr && ::IsWindowEnabled(owner);
    if (disableOwner) {
        ::EnableWindow(owner, FALSE);
    }
    m_nModalResult = -1;
    INT_PTR result = -1;
    platform::wnd::WindowBackend& windows = platform::wnd::Backend();
    const HWND window = windows.CreateDialogFrom(module, TemplateId(), owner, this, platform::wnd::DialogMode::Modal);
    if (window != nullptr) {
        windows.RunModal(window);
        result = windows.EndResult(window).value_or(m_nModalResult);
        if (::IsWindow(window)) {
            ::DestroyWindow(window);
        }
    }
    if (disableOwner) {
        ::EnableWindow(owner, TRUE);
    }
    return result;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
    return Create(MAKEINTRESOURCE(templateId), parent);
}

BOOL CDialog::Create(LPCSTR templateName, CWnd* parent) {
    m_lpszTemplateName = templateName;
    m_nIDHelp = platform::ResourceId(templateName);
    m_pParentWnd = parent;
    const HINSTANCE module = TemplateModule();
    if (module == nullptr || m_hWnd != nullptr) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return FALSE;
    }
    const HWND owner = parent != nullptr ? parent->m_hWnd : PreModal();
    const HWND window =
        platform::wnd::Backend().CreateDialogFrom(module, TemplateId(), owner, this, platform::wnd::DialogMode::Modeless);
    return window != nullptr ? TRUE : FALSE;
}

void CDialog::EndDialog(int result) {
    m_nModalResult = result;
    if (m_hWnd != nullptr) {
        ::EndDialog(m_hWnd, result);
    }
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM) {
    return OnInitDialog();
}

void CDialog::GotoDlgCtrl(CWnd* control) {
    if (control != nullptr) {
        SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), 1);
    }
}

void CDialog::NextDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const {
    SendMessage(WM_NEXTDLGCTL, 1, 0);
}

void CDialog::SetDefID(UINT id) {
    SendMessage(DM_SETDEFID, id, 0);
}

DWORD CDialog::GetDefID() const {
    return static_cast<DWORD>(SendMessage(DM_GETDEFID, 0, 0));
}

void CDialog::MapDialogRect(LPRECT rect) const {
    ::MapDialogRect(m_hWnd, rect);
}
