// What the system says about itself: its version, its default language, its
// Windows and system folders, the user's and the computer's names.
#pragma once

#include "platform/wintypes.h"

#ifndef _WIN32

struct OSVERSIONINFOA {
    DWORD dwOSVersionInfoSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformId;
    CHAR szCSDVersion[128];
};
using LPOSVERSIONINFOA = OSVERSIONINFOA*;
static_assert(sizeof(OSVERSIONINFOA) == 148);

#define VER_PLATFORM_WIN32s 0
#define VER_PLATFORM_WIN32_WINDOWS 1
#define VER_PLATFORM_WIN32_NT 2

// The layer reports the NT platform, version 6.1 (build 7601, "Service Pack
// 1"), as Wine does by default. The size field must be 148, else FALSE with
// ERROR_INSUFFICIENT_BUFFER.
BOOL GetVersionExA(LPOSVERSIONINFOA information);

using LANGID = WORD;
using LCID = DWORD;
using LCTYPE = DWORD;
#define LANG_ENGLISH 0x09
#define LANG_JAPANESE 0x11
#define PRIMARYLANGID(language) (static_cast<WORD>(language) & 0x3FF)
#define LOCALE_USER_DEFAULT 0x0400
#define LOCALE_SYSTEM_DEFAULT 0x0800
#define LOCALE_IDEFAULTLANGUAGE 0x00000009
#ifndef ERROR_INVALID_FLAGS
#define ERROR_INVALID_FLAGS 1004L
#endif

// The system's default language follows the layer's ANSI code page, as a
// Windows system's code page follows its language: Japanese (0x0411) with 932,
// English (United States, 0x0409) otherwise.
LANGID GetSystemDefaultLangID();
// LOCALE_IDEFAULTLANGUAGE only: the language as four hexadecimal digits. The
// characters written with the NUL, or the size needed when size is 0.
int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR buffer, int size);

// "C:\windows" and "C:\windows\system32", the folders of Wine's default
// prefix: the length written, or the size needed (with the NUL) when the
// buffer is too small.
UINT GetWindowsDirectoryA(LPSTR buffer, UINT size);
UINT GetSystemDirectoryA(LPSTR buffer, UINT size);

#define ERROR_BUFFER_OVERFLOW 111L
#define MAX_COMPUTERNAME_LENGTH 15

// The user's login name. size is in/out: on success the characters written
// with the NUL; when too small, FALSE (ERROR_INSUFFICIENT_BUFFER) and the size
// needed.
BOOL GetUserNameA(LPSTR buffer, LPDWORD size);
// The host name before its first '.', in upper case, at most 15 characters.
// size is in/out: on success the characters written without the NUL; when too
// small, FALSE (ERROR_BUFFER_OVERFLOW) and the size needed with the NUL.
BOOL GetComputerNameA(LPSTR buffer, LPDWORD size);

#endif
