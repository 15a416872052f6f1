// CDlgConnectionProgress, "Connecting": the modal dialog shown while the
// target connects, with its animation and the connect log. Its
// initialisation starts the connect thread (the base's); the connect thread
// appends log lines and tests the cancel request while the dialog is open.
//
// The Cancel button is created hidden and disabled and nothing shows it; its
// command still sets the cancel request, which the boot steps test after the
// link has opened.
#pragma once

#include "frame/dlg_connection.h"

#include <atomic>
#include <mutex>
#include <string>

class CDlgConnectionProgress : public CDlgConnection {
public:
    explicit CDlgConnectionProgress(CTarget* target, CWnd* parent = nullptr);

    // Appends one line ("\r\n" added unless it ends with a line feed) and
    // shows the whole log in the edit control. Any thread, while the dialog
    // is open.
    void AppendLog(const char* text);
    std::string LogText() const;
    // Sets the cancel request (the Cancel button's command).
    virtual void RequestCancel() { m_cancelRequest = 1; }
    bool IsCancelRequested() const { return m_cancelRequest != 0; }

protected:
    // The base's (the connect thread starts), then the cancel request
    // cleared and the animation playing without end.
    BOOL OnInitDialog() override;
    // Enter does not close the dialog.
    void OnOK() override {}
    afx_msg void OnCancelButton();

    DECLARE_MESSAGE_MAP()

private:
    mutable std::mutex m_logMutex;
    std::string m_log;
    std::atomic<DWORD> m_cancelRequest{0};
};

// The open connecting dialog's log line; nothing without an open dialog.
void AppendConnectLog(const char* text);
// The open connecting dialog's cancel request; false without one.
bool IsConnectCancelRequested();
// Stops (playing false) or plays the open dialog's animation.
void SetConnectAnimation(bool playing);
