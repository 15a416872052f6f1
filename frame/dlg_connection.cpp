#include "frame/dlg_connection.h"

#include "frame/target.h"

BEGIN_MESSAGE_MAP(CDlgConnection, CDialog)
    ON_WM_CLOSE()
END_MESSAGE_MAP()

CDlgConnection::CDlgConnection(CTarget* target, LPCSTR templateName, CWnd* parent)
    : CDialog(templateName, parent), m_target(target) {}

CDlgConnection::CDlgConnection(CTarget* target, UINT templateId, CWnd* parent)
    : CDialog(templateId, parent), m_target(target) {}

CDlgConnection::~CDlgConnection() {
    if (m_target != nullptr) {
        m_target->AwaitConnectThread();
        m_target->ForgetConnectionDialog(this);
    }
}

void CDlgConnection::EnableCancel(DWORD result) {
    m_connectResult = result;
    m_closeAllowed = TRUE;
}

BOOL CDlgConnection::OnInitDialog() {
    CDialog::OnInitDialog();
    m_target->StartConnectThread(this);
    return TRUE;
}

void CDlgConnection::OnCancel() {
    if (m_closeAllowed) {
        CDialog::OnCancel();
    }
}

void CDlgConnection::OnClose() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    if (m_closeAllowed) {
        CDialog::OnClose();  // a dialog's default close is its Cancel
    }
}
