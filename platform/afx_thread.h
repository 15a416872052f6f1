// Threads under the class library's names. A worker thread runs a function
// with one argument; AfxEndThread called anywhere inside it ends the thread as
// if the function had returned.
#pragma once

#include "platform/afx_object.h"
#include "platform/sync.h"

#include <atomic>

class CWnd;

// Ends the calling worker thread with the exit code; never returns.
[[noreturn]] void AfxEndThread(UINT exitCode, BOOL deleteThread = 1);

#ifndef _WIN32
#define THREAD_PRIORITY_NORMAL 0
#define CREATE_SUSPENDED 0x00000004u
#endif

using AFX_THREADPROC = UINT (*)(LPVOID parameter);

class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread() = default;
    CWinThread(AFX_THREADPROC procedure, LPVOID parameter);
    ~CWinThread() override;
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    // Starts the thread (held back until ResumeThread with CREATE_SUSPENDED).
    BOOL CreateThread(DWORD flags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    DWORD ResumeThread();
    int GetThreadPriority() const { return THREAD_PRIORITY_NORMAL; }
    BOOL SetThreadPriority(int) { return TRUE; }
    // The thread's exit code, or STILL_ACTIVE (259) while it runs.
    DWORD GetExitCode() const { return exitCode_; }
    virtual void Delete();

    // A handle that is signalled when the thread has ended: its function has
    // returned (or AfxEndThread has unwound it) and its exit code is set;
    // after that the thread runs only the layer's own exit, so a module whose
    // code the thread ran may unload. It can be waited on with
    // WaitForSingleObject, on both builds; a thread object that deletes
    // itself closes it, so an owner that waits clears m_bAutoDelete first.
    HANDLE m_hThread = nullptr;
    // The id GetCurrentThreadId answers on the thread (and thread messages
    // are posted to), set when the thread is made.
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;
    CWnd* m_pMainWnd = nullptr;
    CWnd* m_pActiveWnd = nullptr;

private:
    friend void AfxEndThread(UINT exitCode, BOOL deleteThread);
    void Run();

    AFX_THREADPROC procedure_ = nullptr;
    LPVOID parameter_ = nullptr;
    std::atomic<DWORD> exitCode_{259};
    HANDLE resume_ = nullptr;  // released by ResumeThread for a suspended start
};

// Starts a worker thread; the thread object deletes itself when the thread
// ends unless m_bAutoDelete is cleared (set CREATE_SUSPENDED to do that before
// it runs).
CWinThread* AfxBeginThread(AFX_THREADPROC procedure, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD flags = 0, LPSECURITY_ATTRIBUTES security = nullptr);
// The calling thread's thread object: a worker's own, else the program's
// application object.
CWinThread* AfxGetThread();
// The calling thread's main window, else the application's. In a program
// without the class library's application (a host made otherwise, which
// loads a module built on the layer), the host's main window: the first
// top-level, unowned, visible window of the calling thread; null when the
// thread has none.
CWnd* AfxGetMainWnd();
