#include "platform/clock.h"
#include "platform/sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

TEST(CriticalSection, IsReentrantAndExcludesOtherThreads) {
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    EnterCriticalSection(&section);
    EnterCriticalSection(&section);  // the owner may enter again
    std::atomic<bool> otherGotIn{true};
    std::thread([&] { otherGotIn = TryEnterCriticalSection(&section) != FALSE; }).join();
    EXPECT_FALSE(otherGotIn);
    LeaveCriticalSection(&section);
    std::thread([&] { otherGotIn = TryEnterCriticalSection(&section) != FALSE; }).join();
    EXPECT_FALSE(otherGotIn);  // still held once
    LeaveCriticalSection(&section);
    std::thread([&] {
        otherGotIn = TryEnterCriticalSection(&section) != FALSE;
        if (otherGotIn) {
            LeaveCriticalSection(&section);
        }
    }).join();
    EXPECT_TRUE(otherGotIn);
    DeleteCriticalSection(&section);
}

TEST(Event, ManualResetStaysSignalledAutoResetReleasesOneWait) {
    HANDLE manual = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE automatic = CreateEventA(nullptr, FALSE, TRUE, nullptr);
    ASSERT_NE(manual, nullptr);
    ASSERT_NE(automatic, nullptr);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);
    SetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_OBJECT_0);
    ResetEvent(manual);
    EXPECT_EQ(WaitForSingleObject(manual, 0), WAIT_TIMEOUT);

    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(automatic, 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(manual));
    EXPECT_TRUE(CloseHandle(automatic));
}

TEST(Event, NamedEventsAreSharedUntilTheLastHandleCloses) {
    HANDLE created = CreateEventA(nullptr, TRUE, FALSE, "q3v-test-named");
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    HANDLE again = CreateEventA(nullptr, FALSE, TRUE, "q3v-test-named");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE opened = OpenEventA(EVENT_ALL_ACCESS, FALSE, "q3v-test-named");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(WaitForSingleObject(opened, 0), WAIT_TIMEOUT);  // the second create kept the first's state
    SetEvent(again);
    EXPECT_EQ(WaitForSingleObject(created, 0), WAIT_OBJECT_0);
    CloseHandle(created);
    CloseHandle(again);
    CloseHandle(opened);
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, "q3v-test-named"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
}

TEST(Event, BadHandlesAreRefused) {
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    CloseHandle(event);
    EXPECT_FALSE(SetEvent(event));
    EXPECT_FALSE(CloseHandle(event));
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_FAILED);
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, nullptr), nullptr);
}

TEST(Event, TimedWaitOnTheVirtualClockTimesOutAtOnce) {
    platform::VirtualClock clock(0, 0);
    HANDLE event = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 1000), WAIT_TIMEOUT);
    EXPECT_EQ(clock.Now(), 1000u);
    SetEvent(event);
    EXPECT_EQ(WaitForSingleObject(event, 1000), WAIT_OBJECT_0);
    EXPECT_EQ(clock.Now(), 1000u);
    CloseHandle(event);
}

TEST(Event, SetFromAnotherThreadEndsAnInfiniteWait) {
    HANDLE event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    std::thread setter([event] { SetEvent(event); });
    EXPECT_EQ(WaitForSingleObject(event, INFINITE), WAIT_OBJECT_0);
    setter.join();
    EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);  // auto reset took the signal
    CloseHandle(event);
}

}  // namespace
