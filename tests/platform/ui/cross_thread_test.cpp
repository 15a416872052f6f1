// Messages between threads: a worker thread talks to a modal dialog that the
// test's thread runs, and ends it by sending WM_CLOSE, as the connect thread
// does with its progress dialog. Nothing here waits on a clock: every wait
// is for an event or a message.
#include "platform/afx.h"
#include "platform/sync.h"
#include "tests/platform/ui/test_resources.h"
#include "tests/support/test_ui.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

using namespace uitest;
using testsupport::TestUi;

constexpr UINT kAskThread = WM_APP + 1;
constexpr UINT kAskBack = WM_APP + 2;
constexpr UINT kWorkerQuestion = WM_APP + 3;

struct Event {
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~Event() { CloseHandle(handle); }
};

// The dialog a connect procedure runs behind: Cancel and the close box do
// nothing until the worker has handed over its result.
class ConnectingDialog : public CDialog {
public:
    ConnectingDialog() : CDialog(kPlainDialog) {}

    Event go;                    // lets the worker finish
    std::atomic<bool> closeAllowed{false};
    std::atomic<int> result{0};
    std::atomic<DWORD> closedOnThread{0};
    std::atomic<LRESULT> closeAnswered{-1};
    CWinThread* worker = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        worker = AfxBeginThread(Connect, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        worker->m_bAutoDelete = FALSE;
        worker->ResumeThread();
        return TRUE;
    }

    void OnCancel() override {
        if (closeAllowed) {
            CDialog::OnCancel();
        }
    }

    afx_msg void OnClose() {
        closedOnThread = GetCurrentThreadId();
        if (closeAllowed) {
            CWnd::OnClose();  // a dialog's default close is its Cancel
        }
    }

    afx_msg LRESULT OnAskThread(WPARAM, LPARAM) { return static_cast<LRESULT>(GetCurrentThreadId()); }

    static UINT Connect(LPVOID parameter) {
        auto* dialog = static_cast<ConnectingDialog*>(parameter);
        WaitForSingleObject(dialog->go.handle, INFINITE);
        dialog->result = 5;
        dialog->closeAllowed = true;
        dialog->closeAnswered = ::SendMessageA(dialog->m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ConnectingDialog, CDialog)
    ON_WM_CLOSE()
    ON_MESSAGE(kAskThread, OnAskThread)
END_MESSAGE_MAP()

TEST(CrossThread, AWorkerClosesAModalDialogWithWmClose) {
    TestUi ui;
    int closingChecks = 0;
    ConnectingDialog dialog;
    ui.OnDialog(kPlainDialog)
        .PressCancel()
        .Close()
        .Do([&dialog](platform::UiDialog& person) {
            EXPECT_TRUE(person.IsOpen());  // the person cannot leave yet
            SetEvent(dialog.go.handle);
        })
        .WaitForClose()
        .AtClose([&](platform::UiDialog& person) {
            // Once it has ended, before it goes: still a window, on its thread.
            ++closingChecks;
            EXPECT_TRUE(IsWindow(person.Window()));
            EXPECT_FALSE(person.IsOpen());
            EXPECT_EQ(dialog.closedOnThread, GetCurrentThreadId());
        });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(closingChecks, 1);
    ASSERT_NE(dialog.worker, nullptr);
    EXPECT_EQ(WaitForSingleObject(dialog.worker->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(dialog.result, 5);
    EXPECT_EQ(dialog.closedOnThread, GetCurrentThreadId());  // the handler ran on the dialog's thread
    EXPECT_EQ(dialog.closeAnswered, 0);  // the sender waited for the answer
    delete dialog.worker;
}

TEST(CrossThread, WithoutADriverTheDialogWaitsForItsProgram) {
    ConnectingDialog dialog;
    SetEvent(dialog.go.handle);  // the default Cancel is refused until the worker is done
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(WaitForSingleObject(dialog.worker->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(dialog.result, 5);
    delete dialog.worker;
}

// A window of the worker's own, which the dialog's handler asks in turn.
class WorkerWindow : public CWnd {
protected:
    afx_msg LRESULT OnQuestion(WPARAM wParam, LPARAM) { return static_cast<LRESULT>(wParam) * 2; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WorkerWindow, CWnd)
    ON_MESSAGE(kWorkerQuestion, OnQuestion)
END_MESSAGE_MAP()

class AskingDialog : public CDialog {
public:
    AskingDialog() : CDialog(kPlainDialog) {}

    std::atomic<DWORD> answeredOn{0};
    std::atomic<LRESULT> backAndForth{0};
    std::atomic<DWORD> workerThread{0};
    CWinThread* worker = nullptr;

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        worker = AfxBeginThread(Ask, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
        worker->m_bAutoDelete = FALSE;
        worker->ResumeThread();
        return TRUE;
    }

    // Asks the worker's window while the worker waits for this answer.
    afx_msg LRESULT OnAskBack(WPARAM wParam, LPARAM lParam) {
        return ::SendMessageA(reinterpret_cast<HWND>(lParam), kWorkerQuestion, wParam, 0) + 1;
    }

    static UINT Ask(LPVOID parameter) {
        auto* dialog = static_cast<AskingDialog*>(parameter);
        dialog->workerThread = GetCurrentThreadId();
        dialog->answeredOn = static_cast<DWORD>(::SendMessageA(dialog->m_hWnd, kAskThread, 0, 0));
        WorkerWindow own;
        own.CreateEx(0, nullptr, "worker", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0);
        dialog->backAndForth = ::SendMessageA(dialog->m_hWnd, kAskBack, 20, reinterpret_cast<LPARAM>(own.m_hWnd));
        own.DestroyWindow();
        ::SendMessageA(dialog->m_hWnd, WM_CLOSE, 0, 0);
        return 0;
    }

    afx_msg LRESULT OnAskThread(WPARAM, LPARAM) { return static_cast<LRESULT>(GetCurrentThreadId()); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(AskingDialog, CDialog)
    ON_MESSAGE(kAskThread, OnAskThread)
    ON_MESSAGE(kAskBack, OnAskBack)
END_MESSAGE_MAP()

TEST(CrossThread, SentMessagesRunOnTheWindowsThreadInBothDirections) {
    TestUi ui;
    ui.OnDialog(kPlainDialog).WaitForClose();
    AskingDialog dialog;
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_EQ(WaitForSingleObject(dialog.worker->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(dialog.answeredOn, GetCurrentThreadId());
    EXPECT_NE(dialog.workerThread, GetCurrentThreadId());
    // The dialog's handler asked the worker's window while the worker waited
    // for it: served on the worker, no deadlock.
    EXPECT_EQ(dialog.backAndForth, 41);
    delete dialog.worker;
}

TEST(CrossThread, AWindowWhoseThreadHasEndedAnswersAtOnce) {
    HWND orphan = nullptr;
    // Joined, so the thread has wholly ended when the test goes on.
    std::thread([&orphan] {
        orphan = CreateWindowExA(0, nullptr, "left behind", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr,
                                 nullptr);
    }).join();
    ASSERT_NE(orphan, nullptr);
    // A send waits for nobody and fails.
    SetLastError(0);
    EXPECT_EQ(SendMessageA(orphan, WM_GETTEXTLENGTH, 0, 0), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
    EXPECT_FALSE(PostMessageA(orphan, WM_NULL, 0, 0));
    EXPECT_FALSE(DestroyWindow(orphan));  // not this thread's window
}

TEST(CrossThread, ThreadMessagesWaitForTheirThreadsReader) {
    struct Shared {
        DWORD reader = 0;
        Event posted;
    } shared;
    shared.reader = GetCurrentThreadId();
    platform::ProcessWaitingMessages();  // the reader's queue exists
    CWinThread* poster = AfxBeginThread(
        [](LPVOID parameter) -> UINT {
            auto* state = static_cast<Shared*>(parameter);
            PostThreadMessageA(state->reader, WM_USER + 1, 0, 77);
            SetEvent(state->posted.handle);
            return 0;
        },
        &shared);
    ASSERT_NE(poster, nullptr);
    ASSERT_EQ(WaitForSingleObject(shared.posted.handle, INFINITE), WAIT_OBJECT_0);
    MSG message{};
    ASSERT_TRUE(platform::TakeThreadMessage(message));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(message.lParam, 77);
    EXPECT_EQ(message.hwnd, nullptr);
    EXPECT_FALSE(platform::TakeThreadMessage(message));
    EXPECT_FALSE(PostThreadMessageA(0xFFFFFFF0u, WM_USER, 0, 0));  // no such thread
}

}  // namespace
