#include "util/os_version.h"

#include <cstdlib>

OSVERSIONINFOA SystemVersion() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) {
        version = OSVERSIONINFOA{};
    }
    return version;
}

BOOL IsWindowsNT(const OSVERSIONINFOA& version) {
    return version.dwPlatformId == VER_PLATFORM_WIN32_NT ? TRUE : FALSE;
}

BOOL IsWindows9x(const OSVERSIONINFOA& version) {
    return version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? TRUE : FALSE;
}

BOOL IsWindows2000(const OSVERSIONINFOA& version) {
    return IsWindowsNT(version) && version.dwMajorVersion == 5 && version.dwMinorVersion == 0 ? TRUE : FALSE;
}

BOOL IsWindowsNT4OrOlder(const OSVERSIONINFOA& version) {
    return IsWindowsNT(version) &&
                   (version.dwMajorVersion < 4 || (version.dwMajorVersion == 4 && version.dwMinorVersion == 0))
               ? TRUE
               : FALSE;
}

BOOL IsWindowsNT() {
    return IsWindowsNT(SystemVersion());
}

BOOL IsWindows9x() {
    return IsWindows9x(SystemVersion());
}

BOOL IsWindows2000() {
    return IsWindows2000(SystemVersion());
}

BOOL IsWindowsNT4OrOlder() {
    return IsWindowsNT4OrOlder(SystemVersion());
}

BOOL IsJapaneseSystemLocale() {
    char text[16] = {};
    if (GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTLANGUAGE, text, sizeof(text)) == 0) {
        return FALSE;
    }
    const unsigned long language = std::strtoul(text, nullptr, 16);
    return PRIMARYLANGID(language) == LANG_JAPANESE ? TRUE : FALSE;
}
