#include "platform/clock.h"

#include <gtest/gtest.h>

namespace {

TEST(VirtualClock, EachReadAdvancesByTheReadStep) {
    platform::VirtualClock clock(5000, 3);
    EXPECT_EQ(GetTickCount(), 5003u);
    EXPECT_EQ(GetTickCount(), 5006u);
    clock.SetReadStep(0);
    EXPECT_EQ(GetTickCount(), 5006u);
    EXPECT_EQ(clock.Now(), 5006u);
}

TEST(VirtualClock, SleepPassesVirtualTimeAndIsCounted) {
    platform::VirtualClock clock(0, 0);
    Sleep(30'000);
    Sleep(0);
    Sleep(250);
    EXPECT_EQ(GetTickCount(), 30'250u);
    EXPECT_EQ(clock.SleptMilliseconds(), 30'250u);
    clock.Advance(750);
    EXPECT_EQ(clock.Now(), 31'000u);
}

TEST(VirtualClock, BusyWaitOnTheTickCountEnds) {
    platform::VirtualClock clock;
    const DWORD start = GetTickCount();
    int reads = 0;
    while (GetTickCount() - start < 20'000) {
        ++reads;
    }
    EXPECT_GE(reads, 1);
    EXPECT_LE(reads, 20'000);
}

TEST(VirtualClock, SecondsFollowTheTicks) {
    platform::VirtualClock clock(0, 0);
    std::int64_t first = 0;
    ClockTime(&first);
    clock.Advance(5'000);
    EXPECT_EQ(ClockTime(nullptr), first + 5);
}

TEST(VirtualClock, RealClockIsBackAfterUninstall) {
    {
        platform::VirtualClock clock;
        EXPECT_TRUE(platform::IsClockVirtual());
    }
    EXPECT_FALSE(platform::IsClockVirtual());
    platform::AdvanceVirtualClock(1'000'000);  // does nothing to the real clock
    const DWORD before = GetTickCount();
    EXPECT_LT(GetTickCount() - before, 1'000'000u);
}

}  // namespace
