// Relative and absolute path arithmetic and path components. Every scan steps
// over whole characters; the backslash alone separates.
#pragma once

#include "platform/afx.h"

// The relative path applied to the base folder: a leading backslash starts at
// the base's root, "." is skipped, ".." goes up (never above the root). The
// result ends with a backslash only when the relative path did. FALSE for an
// empty text, a relative text in drive or UNC form, a base that is no valid
// folder path, or an invalid character.
BOOL MakeAbsolutePath(LPCSTR relative, LPCSTR base, CString& out);
// "." dropped and each ".." cancelling one component before it, joined again;
// a single component gets a trailing backslash, an empty path gives "".
CString NormalisePath(LPCSTR path);
// As ResolveAndTestPath, with the path normalised first: a path in drive or
// UNC form as it stands, any other joined to the current directory.
BOOL ResolveNormaliseAndTestPath(LPCSTR path, BOOL* writable = nullptr);
// The path relative to the base folder: 0 with the relative path (".."
// components up to a common ancestor, then down), 1 when both are no valid
// folder paths, more than levelLimit steps up are needed, or there is no
// common ancestor (out is then emptied). A root is no common ancestor: a
// walk up from the base that reaches one answers 1, unless the base lies
// within the path's folder.
int MakeRelativePath(LPCSTR path, LPCSTR base, CString& out, int levelLimit);
// The texts between backslashes; an empty component is joined onto the one
// after it as a leading backslash (so "\\\\server" stays one component); a
// trailing backslash adds nothing.
void SplitPathComponents(LPCSTR path, CStringList& components);
// SplitPath until a root: the leaf, the folder names from the deepest to the
// top, and the root.
BOOL SplitAllComponents(LPCSTR path, CString& leaf, CStringArray& folders, CString& root);
// The root, and every name below it from the top down (the leaf last); FALSE
// when a split fails or 50 levels pass.
BOOL SplitIntoComponents(LPCSTR path, CString& root, CStringArray& components);
// The four parts of _splitpath of a valid full path; any output may be null.
BOOL SplitFullPath(LPCSTR path, CString* drive, CString* folder, CString* name, CString* extension);
// The path itself or its nearest ancestor that is an existing folder (at most
// 100 levels up); FALSE when a file, a root or an unsplittable path comes
// first.
BOOL FindExistingAncestor(LPCSTR path, CString& folder);
// The file's folder lies in the folder (or is it), without regard to case.
BOOL IsFileInFolder(LPCSTR file, LPCSTR folder);
