#include "startup/download_progress.h"

#include "res/resource_ids.h"
#include "startup/dialog_placement.h"
#include "config/host_window.h"

#include "platform/afx_controls.h"

CDownloadProgressDlg::CDownloadProgressDlg() : CDialog(res_id::kDownloadProgressDialog) {}

BOOL CDownloadProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetPreferredOwnerWindow(GetSafeHwnd());  // the update's messages are owned by it
    CenterOnHostWindow(*this);
    if (auto* bar = static_cast<CProgressCtrl*>(GetDlgItem(res_id::kDownloadProgress))) {
        bar->SetRange(0, 100);
        bar->SetPos(0);
    }
    return TRUE;
}

CDownloadProgress::CDownloadProgress() {
    m_dialog.Create(res_id::kDownloadProgressDialog);
}

CDownloadProgress::~CDownloadProgress() {
    if (m_dialog.GetSafeHwnd() != nullptr) {
        m_dialog.DestroyWindow();
    }
}

void CDownloadProgress::SetPercent(int percent) {
    if (m_dialog.GetSafeHwnd() != nullptr) {
        m_dialog.SendDlgItemMessage(res_id::kDownloadProgress, PBM_SETPOS, static_cast<WPARAM>(percent), 0);
    }
}
