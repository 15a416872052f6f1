#include "platform/sysinfo.h"

#include "tests/platform/code_page_scope.h"
#include "tests/support/sides.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(SystemInformation, ReportsAnNtVersionToACorrectlySizedRecord) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    ASSERT_EQ(sizeof(version), 148u);
    ASSERT_TRUE(GetVersionExA(&version));
    EXPECT_EQ(version.dwPlatformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(version.dwMajorVersion, 5u);

    version.dwOSVersionInfoSize = 100;
    EXPECT_FALSE(GetVersionExA(&version));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
}

TEST(SystemInformation, DefaultLanguageAsFourHexadecimalDigits) {
    char text[16] = {};
    const int written = GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTLANGUAGE, text, sizeof(text));
    EXPECT_EQ(written, 5);
    EXPECT_EQ(std::strtoul(text, nullptr, 16), GetSystemDefaultLangID());
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTLANGUAGE, nullptr, 0), 5);
}

TEST(SystemInformation, TheDefaultLanguageFollowsTheCodePage) {
    Q3V_SKIP_ON_WINDOWS("the system's language is the system's own, not the layer's code page");
    EXPECT_EQ(PRIMARYLANGID(GetSystemDefaultLangID()), LANG_ENGLISH);
    AnsiCodePageScope scope(932);
    EXPECT_EQ(PRIMARYLANGID(GetSystemDefaultLangID()), LANG_JAPANESE);
    char text[16] = {};
    GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTLANGUAGE, text, sizeof(text));
    EXPECT_STREQ(text, "0411");
}

TEST(SystemInformation, WindowsFoldersAnswerTheirLengthOrTheSizeTheyNeed) {
    char windows[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryA(windows, MAX_PATH);
    ASSERT_GT(length, 0u);
    EXPECT_EQ(length, std::strlen(windows));
    EXPECT_EQ(windows[1], ':');
    EXPECT_EQ(GetWindowsDirectoryA(windows, 3), length + 1);

    char system[MAX_PATH] = {};
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    EXPECT_EQ(systemLength, std::strlen(system));
    EXPECT_EQ(std::string(system).rfind(std::string(windows) + "\\", 0), 0u) << system;
    EXPECT_EQ(GetSystemDirectoryA(system, 3), systemLength + 1);
}

TEST(SystemInformation, UserNameCountsItsNul) {
    char name[256] = {};
    DWORD size = sizeof(name);
    ASSERT_TRUE(GetUserNameA(name, &size));
    EXPECT_GT(std::strlen(name), 0u);
    EXPECT_EQ(size, std::strlen(name) + 1);

    DWORD small = 1;
    char tiny[1];
    EXPECT_FALSE(GetUserNameA(tiny, &small));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(small, size);
}

TEST(SystemInformation, ComputerNameCountsWithoutItsNul) {
    char name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = sizeof(name);
    ASSERT_TRUE(GetComputerNameA(name, &size));
    EXPECT_EQ(size, std::strlen(name));
    EXPECT_GT(size, 0u);
    EXPECT_EQ(std::string(name).find('.'), std::string::npos);

    DWORD small = 1;
    char tiny[1];
    EXPECT_FALSE(GetComputerNameA(tiny, &small));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_BUFFER_OVERFLOW));
    EXPECT_EQ(small, size + 1);
}

}  // namespace
