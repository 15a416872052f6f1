// The forms of Windows paths and their validity.
//
// A path is an ANSI text in the code page; every scan steps over whole
// characters, so a trail byte equal to '\\' is never a separator. The
// backslash alone separates; '/' is an invalid character. Lengths count
// characters unless they say bytes; the longest path has 260.
//
// Drive form: a letter, ':' and '\\' (the root), then the rest.
// UNC form: "\\\\", a server name and '\\' (the root), then the rest.
#pragma once

#include "platform/afx.h"

inline constexpr int kMaxPathLength = 260;

// One of the seven invalid characters * ? / < > | ".
BOOL HasInvalidPathChars(LPCSTR text);
// Exactly a letter and ':'.
BOOL IsDriveSpec(LPCSTR text);
BOOL IsDrivePath(LPCSTR text);
// Drive form required; rest is set only when the path has a fourth character.
BOOL SplitDrivePath(LPCSTR path, CString& letter, CString& rest);
BOOL IsUncPath(LPCSTR text);
BOOL SplitUncPath(LPCSTR path, CString& server, CString& rest);
// A drive root ("D:\\") or a server root ("\\\\server\\").
BOOL IsRootPath(LPCSTR path);
// Non-empty, no invalid character, at most one ':'.
BOOL IsValidPathText(LPCSTR text);
// Drive or UNC form that _fullpath leaves exactly as it is.
BOOL IsCanonicalFullPath(LPCSTR path);
BOOL GetCanonicalFullPath(LPCSTR path, CString& fullPath);
// 4 to 260 characters, valid text, drive or UNC form with a rest that is
// neither empty nor "\\", and canonical (no ".", "..", doubled backslash...).
BOOL IsValidFullPath(LPCSTR path);
// 3 to 260 characters (bytes for the upper bound), valid text, drive or UNC
// form, canonical, and a trailing backslash only on a root.
BOOL IsValidFolderPath(LPCSTR path);
// folder + "\\temp.tmp" is a valid full path.
BOOL IsValidFolderForTempFile(LPCSTR folder);
// Non-empty, no invalid character, no '\\', ':' or '.'; a plain name has no
// blank either.
BOOL IsValidBaseName(LPCSTR text);
BOOL IsValidPlainName(LPCSTR text);

// The root and rest of a path in drive or UNC form: false for any other path.
// The rest follows the root's backslash (empty for a bare root).
struct PathRoot {
    CString root;
    CString rest;
    bool isUnc = false;
};
bool ParsePathRoot(LPCSTR path, PathRoot& parsed);

// The number of characters of a text.
int CharCount(LPCSTR text);
// The last character is a backslash (not the trail byte of another one).
bool EndsWithBackslash(LPCSTR text);
