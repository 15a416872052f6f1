#include "platform/afx_thread.h"
#include "platform/afx_time.h"
#include "platform/clock.h"
#include "platform/sync.h"
#include "platform/windows_ui.h"

#include <gtest/gtest.h>

#include <atomic>

namespace {

struct Shared {
    HANDLE go = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> steps{0};
    std::atomic<CWinThread*> seenThread{nullptr};
    std::atomic<DWORD> seenThreadId{0};
    ~Shared() { CloseHandle(go); }
};

UINT CountAndReturn(LPVOID parameter) {
    auto* shared = static_cast<Shared*>(parameter);
    shared->seenThread = AfxGetThread();
    shared->seenThreadId = GetCurrentThreadId();
    WaitForSingleObject(shared->go, INFINITE);
    ++shared->steps;
    return 7;
}

void EndFromDeepInside(Shared* shared) {
    ++shared->steps;
    AfxEndThread(42, FALSE);
}

UINT EndsEarly(LPVOID parameter) {
    auto* shared = static_cast<Shared*>(parameter);
    EndFromDeepInside(shared);
    ++shared->steps;  // never reached
    return 1;
}

TEST(WorkerThread, RunsItsFunctionAndSignalsItsEnd) {
    Shared shared;
    CWinThread* thread = AfxBeginThread(CountAndReturn, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    SetEvent(shared.go);
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(shared.steps, 1);
    EXPECT_EQ(shared.seenThread.load(), thread);
    // The id known from the start is the one the thread itself sees.
    EXPECT_EQ(shared.seenThreadId.load(), thread->m_nThreadID);
    EXPECT_NE(thread->m_nThreadID, GetCurrentThreadId());
    EXPECT_EQ(thread->GetExitCode(), 7u);
    delete thread;
}

TEST(WorkerThread, AfxEndThreadUnwindsToTheStart) {
    Shared shared;
    CWinThread* thread = AfxBeginThread(EndsEarly, &shared, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(shared.steps, 1);
    EXPECT_EQ(thread->GetExitCode(), 42u);
    delete thread;
}

TEST(WorkerThread, TheMainThreadHasNoWorkerObject) {
    EXPECT_EQ(AfxBeginThread(nullptr, nullptr), nullptr);
    CWinThread* main = AfxGetThread();
    EXPECT_TRUE(main == nullptr || main->IsKindOf(RUNTIME_CLASS(CWinThread)));
}

TEST(CTime, PartsFormatAndTheVirtualClock) {
    const CTime time(2026, 12, 9, 19, 54, 30);
    EXPECT_EQ(time.GetYear(), 2026);
    EXPECT_EQ(time.GetMonth(), 12);
    EXPECT_EQ(time.GetDay(), 9);
    EXPECT_EQ(time.GetHour(), 19);
    EXPECT_EQ(time.GetMinute(), 54);
    EXPECT_EQ(time.GetSecond(), 30);
    EXPECT_EQ(time.GetDayOfWeek(), 4);  // a Wednesday
    EXPECT_EQ(time.Format("%Y-%m-%d %H:%M:%S"), "2026-12-09 19:54:30");
    EXPECT_EQ(time.Format(""), "");

    platform::VirtualClock clock(0, 0);
    const CTime before = CTime::GetCurrentTime();
    clock.Advance(61'000);
    EXPECT_EQ(CTime::GetCurrentTime().GetTime() - before.GetTime(), 61);
    const FILETIME fileTime = platform::UnixSecondsToFileTime(before.GetTime());
    EXPECT_EQ(CTime(fileTime), before);
}

}  // namespace
