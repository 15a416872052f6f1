#include "startup/connection_progress_dlg.h"

#include "res/resource_ids.h"
#include "config/host_window.h"

#include "platform/common_controls.h"

namespace {

// Plays from the first frame to the last, repeating without end.
void PlayWithoutEnd(HWND animation) {
    ::SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, static_cast<WORD>(-1)));
}

CDlgConnectionProgress* OpenProgressDialog() {
    return dynamic_cast<CDlgConnectionProgress*>(GetOpenConnectionDialog());
}

}  // namespace

BEGIN_MESSAGE_MAP(CDlgConnectionProgress, CDlgConnection)
    ON_BN_CLICKED(res_id::kConnectCancel, OnCancelButton)
END_MESSAGE_MAP()

CDlgConnectionProgress::CDlgConnectionProgress(CTarget* target, CWnd* parent)
    : CDlgConnection(target, res_id::kConnectingDialog, parent) {}

BOOL CDlgConnectionProgress::OnInitDialog() {
    CDlgConnection::OnInitDialog();
    m_cancelRequest = 0;
    const HWND animation = ::GetDlgItem(GetSafeHwnd(), res_id::kConnectAnimation);
    ::SendMessageA(animation, ACM_OPEN, reinterpret_cast<WPARAM>(AfxGetResourceHandle()),
                   reinterpret_cast<LPARAM>(MAKEINTRESOURCE(res_id::kConnectAnimationResource)));
    PlayWithoutEnd(animation);
    return TRUE;
}

void CDlgConnectionProgress::OnCancelButton() {
    RequestCancel();
}

void CDlgConnectionProgress::AppendLog(const char* text) {
    std::string shown;
    {
        std::lock_guard lock(m_logMutex);
        const std::string line = text != nullptr ? text : "";
        m_log += line;
        if (line.empty() || line.back() != '\n') {
            m_log += "\r\n";
        }
        shown = m_log;
    }
    // Sent outside the lock: the dialog's thread may be the one waiting for
    // it otherwise.
    ::SendMessageA(::GetDlgItem(GetSafeHwnd(), res_id::kConnectLog), WM_SETTEXT, 0,
                   reinterpret_cast<LPARAM>(shown.c_str()));
}

std::string CDlgConnectionProgress::LogText() const {
    std::lock_guard lock(m_logMutex);
    return m_log;
}

void AppendConnectLog(const char* text) {
    if (CDlgConnectionProgress* dialog = OpenProgressDialog()) {
        dialog->AppendLog(text);
    }
}

bool IsConnectCancelRequested() {
    const CDlgConnectionProgress* dialog = OpenProgressDialog();
    return dialog != nullptr && dialog->IsCancelRequested();
}

void SetConnectAnimation(bool playing) {
    CDlgConnectionProgress* dialog = OpenProgressDialog();
    if (dialog == nullptr) {
        return;
    }
    const HWND animation = ::GetDlgItem(dialog->GetSafeHwnd(), res_id::kConnectAnimation);
    if (playing) {
        PlayWithoutEnd(animation);
    } else {
        ::SendMessageA(animation, ACM_STOP, 0, 0);
    }
}
