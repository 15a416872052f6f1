// Moving paths from one base folder to another, and checking output paths.
#pragma once

#include "platform/afx.h"

// With GetPathBelow: out = the new base, or the new base joined with the rest
// below the old one, and TRUE; otherwise out = path and FALSE.
BOOL RebaseFilePath(LPCSTR path, LPCSTR oldBase, LPCSTR newBase, CString& out);
// 1 when the path does not lie within the old base; else out is the path with
// the old base replaced by the new one, and 0.
int RebaseIfWithin(LPCSTR path, LPCSTR oldBase, LPCSTR newBase, CString& out);
// The old part (searched without regard to case, a trailing backslash of
// either part dropped) replaced by the new part; the path itself when absent.
CString ReplacePathPart(LPCSTR path, LPCSTR oldPart, LPCSTR newPart);
// RebaseIfWithin on every entry (the values of a map); entries outside the
// old base are copied unchanged.
void RebaseStringList(LPCSTR oldBase, LPCSTR newBase, const CStringList& list, CStringList& out);
void RebaseStringMap(LPCSTR oldBase, LPCSTR newBase, const CMapStringToString& map, CMapStringToString& out);
// The path moved from the old base to the new: the new base for the old base
// itself, RebaseIfWithin for a path within it, and for any other path the
// same way up and down from the new base as from the old (the path itself
// when the bases have no common root with it). Answers 0.
int MapPathBetweenBases(LPCSTR path, LPCSTR oldBase, LPCSTR newBase, CString& out);
// problem becomes 1 for a path that is no valid full path, one whose existing
// folder holds a read-only file or a folder at its place, or one whose folder
// neither exists nor can be created. foldersToCreate receives the missing
// folders that can be created. Answers 0.
int CheckOutputPaths(const CStringList& paths, CStringList& foldersToCreate, BOOL& problem);
