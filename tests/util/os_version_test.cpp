#include "util/os_version.h"

#include "tests/platform/code_page_scope.h"
#include "tests/support/sides.h"

#include <gtest/gtest.h>

namespace {

OSVERSIONINFOA Version(DWORD platform, DWORD major, DWORD minor) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    version.dwPlatformId = platform;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    return version;
}

TEST(OsVersion, PlatformAndVersionRules) {
    struct Case {
        OSVERSIONINFOA version;
        BOOL nt;
        BOOL windows9x;
        BOOL windows2000;
        BOOL nt4OrOlder;
    };
    const Case cases[] = {
        {Version(VER_PLATFORM_WIN32_NT, 3, 51), TRUE, FALSE, FALSE, TRUE},
        {Version(VER_PLATFORM_WIN32_NT, 4, 0), TRUE, FALSE, FALSE, TRUE},
        {Version(VER_PLATFORM_WIN32_NT, 4, 1), TRUE, FALSE, FALSE, FALSE},
        {Version(VER_PLATFORM_WIN32_NT, 5, 0), TRUE, FALSE, TRUE, FALSE},
        {Version(VER_PLATFORM_WIN32_NT, 5, 1), TRUE, FALSE, FALSE, FALSE},
        {Version(VER_PLATFORM_WIN32_WINDOWS, 4, 0), FALSE, TRUE, FALSE, FALSE},
        {Version(VER_PLATFORM_WIN32s, 3, 1), FALSE, FALSE, FALSE, FALSE},
    };
    for (const Case& c : cases) {
        const auto& v = c.version;
        EXPECT_EQ(IsWindowsNT(v), c.nt) << v.dwPlatformId << " " << v.dwMajorVersion << "." << v.dwMinorVersion;
        EXPECT_EQ(IsWindows9x(v), c.windows9x) << v.dwMajorVersion << "." << v.dwMinorVersion;
        EXPECT_EQ(IsWindows2000(v), c.windows2000) << v.dwMajorVersion << "." << v.dwMinorVersion;
        EXPECT_EQ(IsWindowsNT4OrOlder(v), c.nt4OrOlder) << v.dwMajorVersion << "." << v.dwMinorVersion;
    }
}

TEST(OsVersion, TheSystemIsAnNtSystem) {
    EXPECT_TRUE(IsWindowsNT());
    EXPECT_FALSE(IsWindows9x());
    EXPECT_FALSE(IsWindowsNT4OrOlder());
}

TEST(OsVersion, JapaneseLocaleFollowsTheSystemLanguage) {
    EXPECT_EQ(IsJapaneseSystemLocale() != FALSE, PRIMARYLANGID(GetSystemDefaultLangID()) == LANG_JAPANESE);
}

TEST(OsVersion, JapaneseLocaleWithTheJapaneseCodePage) {
    Q3V_SKIP_ON_WINDOWS("the system's language is the system's own, not the layer's code page");
    EXPECT_FALSE(IsJapaneseSystemLocale());
    AnsiCodePageScope scope(932);
    EXPECT_TRUE(IsJapaneseSystemLocale());
}

}  // namespace
