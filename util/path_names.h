// File names: numbered series, extensions, quotes and slashes, 8.3 forms,
// and shortened display forms of long paths.
#pragma once

#include "platform/afx.h"

// The first free name of the series path-without-extension ".001" to ".998"
// (free: ResolveAndTestPath finds no file there); FALSE when all are taken.
BOOL MakeNumberedFileName(LPCSTR path, CString& out);
// The first count free names of that series; the number found.
int MakeNumberedFileNames(LPCSTR path, int count, CStringArray& out);
// The first free name of path-up-to-its-extension's-dot + prefix + "01" to
// "98" (a '.' is added when the path has no extension).
BOOL MakeNumberedExtension(LPCSTR path, char prefix, CString& out);
// A '.' after the last backslash that is not the last character.
BOOL HasExtension(LPCSTR path);
// A path with a '.' after its last backslash stays (or gets the extension
// after a final '.'); otherwise "." and the extension are added. TRUE only
// when the path already had an extension.
BOOL AddExtension(LPCSTR path, LPCSTR extension, CString& out);
CString ForwardToBackslash(LPCSTR path);
// Every '"' removed.
CString UnquotePath(LPCSTR path);
// The system's short form of the path (quotes removed first); "" on failure.
CString GetShortPath(LPCSTR path);
// Whether the path (quotes removed) breaks the 8.3 rules: a blank, a title of
// more than 8 or an extension of more than 3 characters, or a folder of 12 or
// more characters, with an extension of more than 3, or of more than 8
// without a '.'. FALSE for an empty path.
BOOL IsNot83Path(LPCSTR path);
// root + the first folders + "...\\" + the last folders + leaf; the whole path
// when the two counts cover every folder. FALSE for no valid full path.
BOOL AbbreviatePath(LPCSTR path, int firstCount, int lastCount, CString& out);
// A form of the path of at most width characters that keeps its top and its
// deepest folders around "...", as far as they fit.
void AbbreviatePathToWidth(LPCSTR path, CString& out, int width);
// A form of at most width characters: the root, "..." and as many folders as
// fit around them, alternately the deepest and the top-most, then the leaf.
// A width below 4 leaves out untouched.
void FitPathToWidth(LPCSTR path, CString& out, int width);
// The path of an existing file spelled as the shell shows each component, a
// drive root in upper case. FALSE when there is no such file.
BOOL GetDisplayPath(LPCSTR path, CString& out);
