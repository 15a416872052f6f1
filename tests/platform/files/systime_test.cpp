#include "platform/systime.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

std::uint64_t Ticks(const FILETIME& time) {
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

SYSTEMTIME Date(WORD year, WORD month, WORD day, WORD hour = 0, WORD minute = 0, WORD second = 0,
                WORD milliseconds = 0) {
    SYSTEMTIME time{};
    time.wYear = year;
    time.wMonth = month;
    time.wDay = day;
    time.wHour = hour;
    time.wMinute = minute;
    time.wSecond = second;
    time.wMilliseconds = milliseconds;
    return time;
}

TEST(SystemTime, ConvertsDatesToFileTimesAndBack) {
    struct Case {
        SYSTEMTIME date;
        std::uint64_t ticks;
        WORD dayOfWeek;
    };
    const Case cases[] = {
        {Date(1601, 1, 1), 0, 1},
        {Date(1970, 1, 1), 116'444'736'000'000'000ull, 4},
        {Date(2004, 2, 29, 23, 59, 59, 999), 127'225'727'999'990'000ull, 0},
        {Date(2005, 2, 3, 4, 5, 6, 7), 127'518'771'060'070'000ull, 4},
        {Date(30828, 9, 14, 2, 48, 5, 477), 0x7FFFFFFFFFFFE950ull, 4},
    };
    for (const Case& c : cases) {
        FILETIME fileTime{};
        ASSERT_TRUE(SystemTimeToFileTime(&c.date, &fileTime)) << c.date.wYear;
        EXPECT_EQ(Ticks(fileTime), c.ticks) << c.date.wYear;
        SYSTEMTIME back{};
        ASSERT_TRUE(FileTimeToSystemTime(&fileTime, &back));
        EXPECT_EQ(back.wYear, c.date.wYear);
        EXPECT_EQ(back.wMonth, c.date.wMonth);
        EXPECT_EQ(back.wDay, c.date.wDay);
        EXPECT_EQ(back.wHour, c.date.wHour);
        EXPECT_EQ(back.wMinute, c.date.wMinute);
        EXPECT_EQ(back.wSecond, c.date.wSecond);
        EXPECT_EQ(back.wMilliseconds, c.date.wMilliseconds);
        EXPECT_EQ(back.wDayOfWeek, c.dayOfWeek) << c.date.wYear;
    }
}

TEST(SystemTime, RefusesDatesThatDoNotExist) {
    const SYSTEMTIME bad[] = {
        Date(2005, 2, 30), Date(2005, 0, 3),          Date(2005, 13, 3),
        Date(2005, 2, 0),  Date(2005, 2, 3, 24),      Date(2005, 2, 3, 4, 60),
        Date(1600, 12, 31), Date(2005, 2, 3, 4, 5, 6, 1000), Date(2003, 4, 31),
    };
    for (const SYSTEMTIME& date : bad) {
        FILETIME fileTime{};
        EXPECT_FALSE(SystemTimeToFileTime(&date, &fileTime))
            << date.wYear << "-" << date.wMonth << "-" << date.wDay << " " << date.wHour;
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    }
    // February 29 of a common year passes as March 1, as the system has it.
    const SYSTEMTIME leapDay = Date(2003, 2, 29);
    FILETIME rolled{};
    ASSERT_TRUE(SystemTimeToFileTime(&leapDay, &rolled));
    SYSTEMTIME march{};
    FileTimeToSystemTime(&rolled, &march);
    EXPECT_EQ(march.wMonth, 3);
    EXPECT_EQ(march.wDay, 1);

    SYSTEMTIME date = Date(2005, 2, 3);
    date.wDayOfWeek = 9;  // ignored
    FILETIME fileTime{};
    EXPECT_TRUE(SystemTimeToFileTime(&date, &fileTime));

    const FILETIME topBit{0, 0x80000000u};
    SYSTEMTIME out{};
    EXPECT_FALSE(FileTimeToSystemTime(&topBit, &out));
}

TEST(SystemTime, LocalTimeIsACalendarDateAndLocalFileTimesKeepTheirBias) {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    FILETIME fileTime{};
    EXPECT_TRUE(SystemTimeToFileTime(&now, &fileTime));
    EXPECT_GE(now.wYear, 2020);

    FILETIME local{};
    ASSERT_TRUE(FileTimeToLocalFileTime(&fileTime, &local));
    const std::int64_t bias = static_cast<std::int64_t>(Ticks(local) - Ticks(fileTime));
    constexpr std::int64_t kTicksPerMinute = 600'000'000;
    EXPECT_EQ(bias % (15 * kTicksPerMinute), 0);
    EXPECT_LE(bias < 0 ? -bias : bias, 14 * 60 * kTicksPerMinute);
}

}  // namespace
