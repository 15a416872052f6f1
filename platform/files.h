// File-system functions of the Windows kernel that take Windows paths: file
// attributes, directory search, folders, deleting, opening files and their
// times, the binary type of a program file and the current directory.
#pragma once

#include "platform/sync.h"
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
// Only FILE_ATTRIBUTE_READONLY has an effect here: set, the file loses its
// write permission; clear, it gains the owner's.
BOOL SetFileAttributesA(LPCSTR fileName, DWORD attributes);

// Directory search with the wildcards "*" and "?", matched without regard to
// case. The entries "." and ".." are found as on Windows. A pattern that
// matches nothing answers INVALID_HANDLE_VALUE with ERROR_FILE_NOT_FOUND.
HANDLE FindFirstFileA(LPCSTR pattern, LPWIN32_FIND_DATAA data);
BOOL FindNextFileA(HANDLE search, LPWIN32_FIND_DATAA data);
BOOL FindClose(HANDLE search);

#define ERROR_SHARING_VIOLATION 32L
#define ERROR_FILE_EXISTS 80L
#define ERROR_DIR_NOT_EMPTY 145L
#define ERROR_BAD_EXE_FORMAT 193L
#define ERROR_DIRECTORY 267L

// Folders and deleting. A missing file answers ERROR_FILE_NOT_FOUND, a missing
// folder on the way ERROR_PATH_NOT_FOUND. Deleting a read-only file or a
// folder is refused with ERROR_ACCESS_DENIED; removing a folder that is not
// empty with ERROR_DIR_NOT_EMPTY, and one that is a file with ERROR_DIRECTORY.
BOOL CreateDirectoryA(LPCSTR path, LPSECURITY_ATTRIBUTES attributes);
BOOL RemoveDirectoryA(LPCSTR path);
BOOL DeleteFileA(LPCSTR path);

#define GENERIC_READ 0x80000000u
#define GENERIC_WRITE 0x40000000u
#define FILE_SHARE_READ 0x00000001u
#define FILE_SHARE_WRITE 0x00000002u
#define FILE_SHARE_DELETE 0x00000004u
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5

// Opens a file (never a folder: ERROR_ACCESS_DENIED) for reading, writing or
// both; a read-only file is not opened for writing. Sharing is not enforced.
// The handle is closed with CloseHandle.
HANDLE CreateFileA(LPCSTR fileName, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES attributes,
                   DWORD creation, DWORD flags, HANDLE templateFile);
// The file's creation (status change), last-access and last-write times;
// any output may be null.
BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite);

#define SCS_32BIT_BINARY 0
#define SCS_DOS_BINARY 1
#define SCS_WOW_BINARY 2
#define SCS_64BIT_BINARY 6

// The kind of a program file. Besides the Windows formats, the layer's own
// modules and programs (ELF images, the stand-ins for Windows modules here)
// are 32- or 64-bit binaries. Any other file: FALSE with ERROR_BAD_EXE_FORMAT.
BOOL GetBinaryTypeA(LPCSTR fileName, LPDWORD type);

// The layer's file system has no 8.3 names: an existing file or folder is its
// own short form. The length written, the size needed (with the NUL) when the
// buffer is too small, or 0 for a missing path.
DWORD GetShortPathNameA(LPCSTR longPath, LPSTR shortPath, DWORD size);

#define DRIVE_UNKNOWN 0
#define DRIVE_NO_ROOT_DIR 1
#define DRIVE_REMOVABLE 2
#define DRIVE_FIXED 3
#define DRIVE_REMOTE 4
#define DRIVE_CDROM 5
#define DRIVE_RAMDISK 6

// The one drive here, Z: (also for a null root: the current drive), is fixed;
// any other root has no drive.
UINT GetDriveTypeA(LPCSTR rootPath);

// The current directory as a Windows path: its length, or the size it needs
// (with the NUL) when the buffer is too small.
DWORD GetCurrentDirectoryA(DWORD size, LPSTR buffer);
BOOL SetCurrentDirectoryA(LPCSTR path);

#endif

namespace platform {

// File times are 100-nanosecond intervals since 1601; seconds since 1970 map
// onto them exactly.
FILETIME UnixSecondsToFileTime(std::int64_t seconds, std::uint32_t nanoseconds = 0);
std::int64_t FileTimeToUnixSeconds(const FILETIME& time);

}  // namespace platform
