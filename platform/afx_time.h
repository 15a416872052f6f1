// CTime: a point in time to the second, in local time for its parts and texts.
#pragma once

#include "platform/afx_string.h"
#include "platform/files.h"

#include <cstdint>

class CTime {
public:
    CTime() = default;
    explicit CTime(std::int64_t seconds) : seconds_(seconds) {}
    // Local time; daylightSaving -1 lets the run time decide.
    CTime(int year, int month, int day, int hour, int minute, int second, int daylightSaving = -1);
    explicit CTime(const FILETIME& fileTime);

    // Now, on the platform layer's clock.
    static CTime GetCurrentTime();

    std::int64_t GetTime() const { return seconds_; }
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 Sunday to 7 Saturday
    // strftime's conversions on the local time.
    CString Format(const char* format) const;

    bool operator==(const CTime& other) const { return seconds_ == other.seconds_; }
    bool operator!=(const CTime& other) const { return seconds_ != other.seconds_; }
    bool operator<(const CTime& other) const { return seconds_ < other.seconds_; }
    bool operator>(const CTime& other) const { return seconds_ > other.seconds_; }

private:
    std::int64_t seconds_ = 0;
};
