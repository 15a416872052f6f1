// Splitting Windows paths into folder, leaf, title and extension, and joining
// a folder and a name. Every scan steps over whole characters.
#pragma once

#include "platform/afx.h"

// Fails on a root and on a path in neither drive nor UNC form. When the part
// after the root holds a backslash, the leaf is what follows the last
// backslash and the folder what precedes it; otherwise the folder is the root
// (with its backslash) and the leaf the rest.
BOOL SplitPath(LPCSTR path, CString& folder, CString& leaf);
// The folder part of SplitPath; folder is untouched on failure.
BOOL GetParentFolder(LPCSTR path, CString& folder);
// The folder of a valid full path, else "".
CString GetPathFolder(LPCSTR path);
// What follows the last backslash; without one, what follows the first ':';
// with neither, the whole text.
CString GetPathLeaf(LPCSTR path);
// What follows the last '.' when it comes after the last backslash; else "".
CString GetPathExtension(LPCSTR path);
// What precedes the last '.'; the whole text when there is no '.' or the last
// backslash comes after it; "" when the '.' is the first character.
CString RemoveExtension(LPCSTR path);
CString GetPathTitle(LPCSTR path);
// FALSE without a backslash. The leaf follows the last backslash; the folder
// precedes it, with a backslash added when it is a drive letter and colon
// ("D:") or a single backslash.
BOOL SplitAtLastBackslash(LPCSTR path, CString& folder, CString& leaf);
// Joins with exactly one backslash between folder and name.
CString CombinePath(LPCSTR folder, LPCSTR name);
void EnsureTrailingBackslash(CString& path);
void RemoveTrailingBackslash(CString& path);
CString RemoveTrailingBackslashCopy(LPCSTR path);
void StripTrailingBackslashInPlace(char* path);
// Walks up with GetParentFolder until a root, at most 50 steps.
BOOL GetRootPath(LPCSTR path, CString& root);
// Both with a trailing backslash and in lower case: the folder text occurs
// anywhere in the path text.
BOOL IsPathWithin(LPCSTR path, LPCSTR folder);
// Both in lower case: when the path starts with the base, rest is the lower-
// cased remainder without one leading backslash ("" for equal lengths).
BOOL GetPathBelow(LPCSTR path, LPCSTR base, CString& rest);
// The last, or the n-th (from 1), backslash; null when there is none.
LPCSTR FindLastBackslash(LPCSTR text);
LPCSTR FindNthBackslash(LPCSTR text, int n);
BOOL EqualsNoCase(LPCSTR a, LPCSTR b);
