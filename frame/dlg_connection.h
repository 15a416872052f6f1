// CDlgConnection: the modal dialog shown while the target connects. Its
// initialisation starts the connect thread on the owning target; the person
// cannot close it (Cancel, Escape, the close box) until the connect procedure
// has handed it a result with EnableCancel. The progress dialog that the
// target shows derives from it.
#pragma once

#include "platform/afx.h"

#include <atomic>

class CTarget;

class CDlgConnection : public CDialog {
public:
    CDlgConnection(CTarget* target, LPCSTR templateName, CWnd* parent = nullptr);
    CDlgConnection(CTarget* target, UINT templateId, CWnd* parent = nullptr);
    // Awaits the end of the connect thread it started: the thread may still
    // be on its way out (its close finds the window gone) when the dialog
    // has closed, and nothing of the connect may outlive the dialog. Then
    // the target forgets it.
    ~CDlgConnection() override;

    // Keeps the connect result and allows the dialog to close. Called on the
    // connect thread when the connect procedure is done.
    void EnableCancel(DWORD result);
    // Valid once EnableCancel has been called.
    DWORD GetConnectResult() const { return m_connectResult; }

protected:
    // Starts the connect thread.
    BOOL OnInitDialog() override;
    void OnCancel() override;
    afx_msg void OnClose();

    DECLARE_MESSAGE_MAP()

private:
    // Written by the connect thread, read by the dialog's: the result is
    // stored before the flag that publishes it.
    std::atomic<DWORD> m_connectResult{0};
    std::atomic<BOOL> m_closeAllowed{FALSE};
    CTarget* m_target;  // not owned
};
