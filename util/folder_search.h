// Searching folders: sub-folders, contents, sizes, files by extension, and
// ordering lists of file paths.
#pragma once

#include "platform/afx.h"

// Appends the sub-folders (not ".", "..", hidden or system ones) as full
// paths, and with recurse their sub-folders after each; a list that was empty
// before is sorted at the end (ascending, without regard to case).
void ListSubfolders(LPCSTR folder, CStringList& subfolders, BOOL recurse);
// The folder must exist and one of the two lists be given: files go to the
// file list, sub-folders to the folder list (and are searched with recurse),
// except, at the top level, those whose lower-cased path is in exclusions.
BOOL CollectFolderContents(LPCSTR folder, CStringList* files, CStringList* folders, const CStringList* exclusions,
                           BOOL recurse);
// The sum of the files' lengths; sub-folders go to the list (when given) and,
// with recurse, count too.
ULONGLONG GetFolderSize(LPCSTR folder, BOOL recurse, CStringList* folders);
// The folder holds a file whose lower-cased extension equals the given text,
// or any file when the text starts with '*'.
BOOL FolderHasFileWithExtension(LPCSTR folder, LPCSTR extension);
// Appends, breadth first, the files whose last four characters are '.' and
// the extension (without regard to case). Answers 0.
int FindFilesWithExtension(LPCSTR folder, LPCSTR extension, BOOL recurse, CStringList& files);
// FALSE when the folder does not exist; TRUE when it holds nothing but "."
// and "..".
BOOL IsFolderEmpty(LPCSTR folder);
// By size, then path ("%010d|%s" keys compared without case); files whose
// status cannot be read drop out.
void SortFilesBySize(CStringList& files);
// The paths whose leaf name occurs once, in the order of their leaf names,
// then the others in the order of their paths; with case when withCase is
// set, else without.
void GroupByLeafName(CStringList& files, BOOL withCase);
