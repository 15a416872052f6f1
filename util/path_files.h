// Whether files and folders exist, what they allow, their sizes and times,
// and creating and deleting folder trees.
#pragma once

#include "platform/afx.h"
#include "util/file_time.h"

// A path that is no valid full path is joined to the current directory. Then:
// nothing there (writable 1: a file may be made there) and a folder
// (writable 0) answer 0; a file answers 1, writable unless it is read-only.
// A path that is still no valid full path answers 0, writable 0.
BOOL ResolveAndTestPath(LPCSTR path, BOOL* writable = nullptr);
// 1 for an existing folder. creatable says whether the path could be made a
// folder: 0 for an invalid folder path or a file on the way, 1 when the
// nearest existing ancestor is a folder.
BOOL FolderExists(LPCSTR path, BOOL* creatable = nullptr);
BOOL IsDirectory(LPCSTR path);
BOOL CanOpenForReading(LPCSTR path);
BOOL IsReadWriteAccessible(LPCSTR path);
BOOL IsWritableOrMissing(LPCSTR path);
BOOL IsReadOnlyFile(LPCSTR path);
// For an existing file: 0 on success, -1 when it fails; 0 for a missing one.
int SetReadOnly(LPCSTR path);
int SetWritable(LPCSTR path);
// On the NT platform, whether the file is a program; elsewhere always TRUE.
BOOL IsExecutableFile(LPCSTR path);
// The size, 0 when the file's status cannot be read.
ULONGLONG GetFileLength(LPCSTR path);
// The file's last-write time in local time: 0 on success, 1 on failure with
// "Cannot access file %s,%s\n" (the path and the system's text for the error)
// in message, or on the debugger output when message is null.
int GetFileModifiedTime(LPCSTR path, CFileTime& time, CString* message = nullptr);
// 1 when the file does not exist or its time cannot be read; else text is the
// local last-write time as CFileTime::Format writes it, and 0.
int GetFileModifiedTimeText(LPCSTR path, CString& text);

// Creates the folder and the missing ones above it (at most 20 levels).
BOOL CreateFolderTree(LPCSTR path);
// Deletes the files in the folder and, with recurse, empties and removes its
// sub-folders; the folder itself stays.
void DeleteDirectoryTree(LPCSTR folder, BOOL recurse);
// "" when it cannot be read.
CString GetCurrentDirectoryText();
BOOL ChangeCurrentDirectory(LPCSTR path, CString& previous);
