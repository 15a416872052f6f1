// The C run time's Windows-only functions that take Windows paths.
#pragma once

#include "platform/wintypes.h"

#include <cstdio>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#include <share.h>
#include <stdlib.h>
#include <sys/stat.h>

// The run time's path functions read texts in the system's code page; the
// layer's read them in its own (settable) ANSI code page, so that a
// double-byte character whose trail byte is '\\' is no separator.
char* PlatformFullPath(char* absolute, const char* relative, size_t maxLength);
void PlatformSplitPath(const char* path, char* drive, char* folder, char* name, char* extension);
#define _fullpath PlatformFullPath
#define _splitpath PlatformSplitPath

#else

#include <cstddef>

#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40

// Opens a file by Windows path, as the Windows run time does. Modes as
// fopen's; a mode without 'b' is text mode, in which reading turns each CR LF
// into a single LF and ends at a Ctrl-Z, writing turns each LF into CR LF, and
// fseek and ftell count the file's own bytes. The sharing flag is enforced
// among the files this process opens with _fsopen: an open that a current
// one does not share (or that does not share a current one's access) fails
// with EACCES. A folder fails with EACCES, a bad mode with EINVAL, a bad
// sharing flag without an error number.
FILE* _fsopen(const char* fileName, const char* mode, int shareFlag);

#define _MAX_PATH 260
#define _MAX_DRIVE 3
#define _MAX_DIR 256
#define _MAX_FNAME 256
#define _MAX_EXT 256

#define _S_IREAD 0x0100
#define _S_IWRITE 0x0080

// The path functions read texts in the layer's ANSI code page: a double-byte
// character whose trail byte is '\\' is no separator.
//
// The absolute form of a Windows path, written as the system writes it:
// relative to the current directory (or to the current drive's root for a
// leading backslash), '/' turned into '\\', empty, "." and ".." components
// folded (never above the drive root or the share of a UNC path), dots and
// blanks at the end of the last component dropped, a trailing backslash kept.
// Null (errno ERANGE) when the result and its NUL exceed maxLength; a null
// buffer gives a new one of _MAX_PATH bytes that the caller frees.
char* _fullpath(char* absolute, const char* relative, std::size_t maxLength);
// Splits a path into drive ("D:"), folder (through the last '\\' or '/'),
// name and extension (from the name's last '.'); any output may be null.
// The outputs are of the standard sizes (_MAX_DRIVE, _MAX_DIR, _MAX_FNAME,
// _MAX_EXT): a part that does not fit leaves every part empty, as Wine's run
// time does.
void _splitpath(const char* path, char* drive, char* folder, char* name, char* extension);
// 0 when the file or folder exists and allows the access: mode 0 existence,
// 2 writing, 4 reading, 6 both; writing is refused for a read-only file.
// Otherwise -1 with errno ENOENT or EACCES.
int _access(const char* path, int mode);
// _S_IWRITE makes the file writable, otherwise it becomes read-only. 0, or -1
// with errno ENOENT.
int _chmod(const char* path, int mode);
// The current directory as a Windows path (no trailing backslash except at a
// root). Null with errno ERANGE when it does not fit; a null buffer gives a
// new one of at least size bytes that the caller frees.
char* _getcwd(char* buffer, int size);
// 0, or -1 with errno ENOENT.
int _chdir(const char* path);

#define _S_IFDIR 0x4000
#define _S_IFREG 0x8000

// The status of a file or folder as the Windows run time gives it: the drive
// number (0 for A:, so 25 for the one drive Z: here), the kind and access in
// st_mode, and the size. (The times are left out: the C library here has
// macros of their names.)
struct _stat {
    unsigned int st_dev;
    unsigned short st_mode;
    long long st_size;
};
// 0, or -1 with errno ENOENT.
int _stat(const char* path, struct _stat* status);

#endif
