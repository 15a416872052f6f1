#include "platform/clock.h"
#include "platform/sync.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
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
    for (HANDLE bad : {event, HANDLE{}}) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(SetEvent(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(ResetEvent(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(WaitForSingleObject(bad, 0), WAIT_FAILED);
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
        SetLastError(ERROR_SUCCESS);
        EXPECT_FALSE(CloseHandle(bad));
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    }
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, nullptr), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    SetLastError(ERROR_SUCCESS);
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, ""), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
}

// Names are case-sensitive and live in the session's namespace ("Local\\",
// the same as no prefix) unless they start with "Global\\".
TEST(Event, NamesLiveInTheSessionOrTheGlobalNamespace) {
    HANDLE plain = CreateEventA(nullptr, TRUE, FALSE, "q3v-test-space");
    ASSERT_NE(plain, nullptr);
    HANDLE local = CreateEventA(nullptr, TRUE, FALSE, "Local\\q3v-test-space");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    HANDLE global = CreateEventA(nullptr, TRUE, FALSE, "Global\\q3v-test-space");
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_SUCCESS));
    SetEvent(local);
    EXPECT_EQ(WaitForSingleObject(plain, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(global, 0), WAIT_TIMEOUT);
    EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, "Q3V-TEST-SPACE"), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    for (HANDLE handle : {plain, local, global}) {
        CloseHandle(handle);
    }
}

TEST(Event, MalformedNamesAreRefused) {
    struct Case {
        std::string name;
        DWORD error;
    };
    const Case cases[] = {
        {"a\\b", ERROR_PATH_NOT_FOUND},           // no such namespace
        {"local\\q3v", ERROR_PATH_NOT_FOUND},     // the namespaces' names are case-sensitive too
        {"Global\\a\\b", ERROR_PATH_NOT_FOUND},
        {"\\q3v", ERROR_BAD_PATHNAME},
        {"Local\\", ERROR_INVALID_NAME},
        {std::string(MAX_PATH, 'n'), ERROR_FILENAME_EXCED_RANGE},
        {"Local\\" + std::string(MAX_PATH - 6, 'n'), ERROR_FILENAME_EXCED_RANGE},
    };
    for (const Case& c : cases) {
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(CreateEventA(nullptr, TRUE, FALSE, c.name.c_str()), nullptr) << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name;
        SetLastError(ERROR_SUCCESS);
        EXPECT_EQ(OpenEventA(EVENT_ALL_ACCESS, FALSE, c.name.c_str()), nullptr) << c.name;
        EXPECT_EQ(GetLastError(), c.error) << c.name;
    }
    HANDLE longest = CreateEventA(nullptr, TRUE, FALSE, std::string(MAX_PATH - 1, 'n').c_str());
    EXPECT_NE(longest, nullptr);
    CloseHandle(longest);
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
