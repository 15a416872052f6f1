#include "platform/afx_thread.h"

#include "platform/afx_app.h"
#include "platform/afx_wnd.h"
#include "platform/windows_ui.h"

#include <thread>

namespace {

thread_local CWinThread* currentThread = nullptr;

// Thrown by AfxEndThread and caught where the thread started, so that the
// thread's stack unwinds as if its function had returned.
struct ThreadExit {
    UINT exitCode;
    bool deleteThread;
};

BOOL CALLBACK TakeMainWindow(HWND window, LPARAM found) {
    if (::GetWindow(window, GW_OWNER) != nullptr || ::IsWindowVisible(window) == FALSE ||
        (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The calling thread's top-level, unowned, visible window, first in the
// system's order.
HWND ThreadMainWindow() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &TakeMainWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread(AFX_THREADPROC procedure, LPVOID parameter) : procedure_(procedure), parameter_(parameter) {}

CWinThread::~CWinThread() {
    if (m_hThread != nullptr) {
        CloseHandle(m_hThread);
    }
    if (resume_ != nullptr) {
        CloseHandle(resume_);
    }
}

BOOL CWinThread::CreateThread(DWORD flags, UINT, LPSECURITY_ATTRIBUTES) {
    if (procedure_ == nullptr || m_hThread != nullptr) {
        return FALSE;
    }
    m_hThread = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    if ((flags & CREATE_SUSPENDED) != 0) {
        resume_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    }
    // The thread's id is the one its messages are posted to, known when the
    // thread is made (as the system's is): the new thread gives it before it
    // runs anything else.
    const HANDLE started = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    try {
        std::thread([this, started] {
            m_nThreadID = GetCurrentThreadId();
            SetEvent(started);
            Run();
        }).detach();
    } catch (const std::system_error&) {
        CloseHandle(started);
        CloseHandle(m_hThread);
        m_hThread = nullptr;
        return FALSE;
    }
    WaitForSingleObject(started, INFINITE);
    CloseHandle(started);
    return TRUE;
}

DWORD CWinThread::ResumeThread() {
    if (resume_ == nullptr) {
        return 0;
    }
    SetEvent(resume_);
    return 1;
}

void CWinThread::Delete() {
    if (m_bAutoDelete) {
        delete this;
    }
}

void CWinThread::Run() {
    currentThread = this;
    if (resume_ != nullptr) {
        WaitForSingleObject(resume_, INFINITE);
    }
    UINT exitCode = 0;
    bool deleteThread = true;
    try {
        exitCode = procedure_(parameter_);
    } catch (const ThreadExit& exit) {
        exitCode = exit.exitCode;
        deleteThread = exit.deleteThread;
    }
    currentThread = nullptr;
    exitCode_ = exitCode;
    const bool autoDelete = m_bAutoDelete && deleteThread;
    SetEvent(m_hThread);
    if (autoDelete) {
        Delete();
    }
}

CWinThread* AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int, UINT stackSize, DWORD flags,
                           LPSECURITY_ATTRIBUTES security) {
    auto* thread = new CWinThread(procedure, parameter);
    if (!thread->CreateThread(flags, stackSize, security)) {
        delete thread;
        return nullptr;
    }
    return thread;
}

void AfxEndThread(UINT exitCode, BOOL deleteThread) {
    throw ThreadExit{exitCode, deleteThread != FALSE};
}

CWinThread* AfxGetThread() {
    if (currentThread != nullptr) {
        return currentThread;
    }
    return AfxGetAppModuleState()->m_pCurrentWinApp;
}

CWnd* AfxGetMainWnd() {
    CWinThread* thread = AfxGetThread();
    if (thread == nullptr) {
        const HWND host = ThreadMainWindow();
        return host != nullptr ? CWnd::FromHandle(host) : nullptr;
    }
    if (thread->m_pMainWnd == nullptr && thread != AfxGetAppModuleState()->m_pCurrentWinApp &&
        AfxGetAppModuleState()->m_pCurrentWinApp != nullptr) {
        return AfxGetAppModuleState()->m_pCurrentWinApp->m_pMainWnd;
    }
    return thread->m_pMainWnd;
}
