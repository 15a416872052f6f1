// Calendar time: the local time, and conversions between calendar dates and
// file times (100-nanosecond intervals since 1601, UTC unless said local).
#pragma once

#include "platform/files.h"
#include "platform/wintypes.h"

#ifndef _WIN32

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;      // 1 to 12
    WORD wDayOfWeek;  // 0 Sunday to 6 Saturday
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};
using LPSYSTEMTIME = SYSTEMTIME*;

// The current local date and time, to the millisecond.
void GetLocalTime(LPSYSTEMTIME time);
// FALSE (ERROR_INVALID_PARAMETER) for a date that does not exist (February 30,
// April 31, month 0, hour 24) or lies outside the file times (1601 to
// September 30828); February 29 of a common year is taken as March 1, as the
// system's check has it. The day of the week is ignored.
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);
// FALSE for a time with its top bit set.
BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
// Moves a UTC file time by the time zone's current bias (daylight saving as
// it is now, whatever the date converted), as Windows does.
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime);

#endif
