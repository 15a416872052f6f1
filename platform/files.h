// File-system functions of the Windows kernel that take Windows paths: file
// attributes and directory search.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>

#ifndef _WIN32

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};
using LPFILETIME = FILETIME*;

#define FILE_ATTRIBUTE_READONLY 0x00000001u
#define FILE_ATTRIBUTE_HIDDEN 0x00000002u
#define FILE_ATTRIBUTE_SYSTEM 0x00000004u
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010u
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020u
#define FILE_ATTRIBUTE_NORMAL 0x00000080u
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define ERROR_NO_MORE_FILES 18L

struct WIN32_FIND_DATAA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
using LPWIN32_FIND_DATAA = WIN32_FIND_DATAA*;

// The attributes of a file or folder, or INVALID_FILE_ATTRIBUTES (the last
// error then says why). Names that start with a dot read as hidden.
DWORD GetFileAttributesA(LPCSTR fileName);

// Directory search with the wildcards "*" and "?", matched without regard to
// case. The entries "." and ".." are found as on Windows. A pattern that
// matches nothing answers INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
BOOL FindClose(HANDLE search);

#endif

namespace platform {

// File times are 100-nanosecond intervals since 1601; seconds since 1970 map
// onto them exactly.
FILETIME UnixSecondsToFileTime(std::int64_t seconds, std::uint32_t nanoseconds = 0);
std::int64_t FileTimeToUnixSeconds(const FILETIME& time);

}  // namespace platform
