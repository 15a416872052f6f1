// Tests of the operating system's platform and version, and of the system
// locale. Each reads the version through GetVersionExA; the forms that take a
// version record hold the rules.
#pragma once

#include "platform/sysinfo.h"

// The system's version; a record of zeros when it cannot be read, which no
// test takes for any platform.
OSVERSIONINFOA SystemVersion();

BOOL IsWindowsNT();
BOOL IsWindows9x();
BOOL IsWindows2000();
BOOL IsWindowsNT4OrOlder();
// The system's default language is Japanese.
BOOL IsJapaneseSystemLocale();

BOOL IsWindowsNT(const OSVERSIONINFOA& version);
BOOL IsWindows9x(const OSVERSIONINFOA& version);
BOOL IsWindows2000(const OSVERSIONINFOA& version);
BOOL IsWindowsNT4OrOlder(const OSVERSIONINFOA& version);
