#include "platform/afx_time.h"

#include "platform/clock.h"

#include <ctime>
#include <mutex>

namespace {

// The run time's local-time conversion keeps one shared result.
std::mutex& LocalTimeMutex() {
    static std::mutex mutex;
    return mutex;
}

std::tm LocalParts(std::int64_t seconds) {
    std::lock_guard lock(LocalTimeMutex());
    const std::time_t time = static_cast<std::time_t>(seconds);
    const std::tm* parts = std::localtime(&time);
    return parts != nullptr ? *parts : std::tm{};
}

}  // namespace

CTime::CTime(int year, int month, int day, int hour, int minute, int second, int daylightSaving) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    parts.tm_isdst = daylightSaving;
    std::lock_guard lock(LocalTimeMutex());
    const std::time_t time = std::mktime(&parts);
    seconds_ = time == static_cast<std::time_t>(-1) ? 0 : static_cast<std::int64_t>(time);
}

CTime::CTime(const FILETIME& fileTime) : seconds_(platform::FileTimeToUnixSeconds(fileTime)) {}

CTime CTime::GetCurrentTime() {
    return CTime(ClockTime(nullptr));
}

int CTime::GetYear() const {
    return LocalParts(seconds_).tm_year + 1900;
}

int CTime::GetMonth() const {
    return LocalParts(seconds_).tm_mon + 1;
}

int CTime::GetDay() const {
    return LocalParts(seconds_).tm_mday;
}

int CTime::GetHour() const {
    return LocalParts(seconds_).tm_hour;
}

int CTime::GetMinute() const {
    return LocalParts(seconds_).tm_min;
}

int CTime::GetSecond() const {
    return LocalParts(seconds_).tm_sec;
}

int CTime::GetDayOfWeek() const {
    return LocalParts(seconds_).tm_wday + 1;
}

CString CTime::Format(const char* format) const {
    if (format == nullptr || *format == '\0') {
        return CString();
    }
    const std::tm parts = LocalParts(seconds_);
    char text[256];
    const std::size_t length = std::strftime(text, sizeof(text), format, &parts);
    return CString(text, static_cast<int>(length));
}
