// String-collection helpers of the dialog library, and the unique names and
// sorted positions that dialogs offer for new entries.
#pragma once

#include "platform/afx.h"

// exact non-zero: the list's own search, with case; 0: the first non-empty
// entry equal ignoring case. Null when absent.
POSITION FindListStringPosition(LPCSTR text, const CStringList& list, BOOL exact);
// Appends each source text the destination lacks (with case), in order;
// with clear the destination is emptied first.
void CopyStringListUnique(const CStringList& source, CStringList& destination, BOOL clear);
// Sets every key and value of the source into the destination; with clear
// the destination is emptied first.
void CopyStringMapItems(const CMapStringToString& source, CMapStringToString& destination, BOOL clear);
// Empties the list and appends the map's keys; answers the list's count (0
// for a missing map).
int GetStringMapKeys(const CMapStringToString* map, CStringList& keys);
// A name made of the base and a number that no name in use has (ignoring
// case): one above the highest number written after the base by the longest
// such names, else the first free number from 1.
CString MakeUniqueName(LPCSTR base, const CStringList& names);
// Where the text stands among the list's texts sorted in byte order: the
// index of its first equal entry; 0 for an empty text or list.
int GetSortedInsertIndex(const CStringList& list, LPCSTR text);
// qsort's comparator over pointers to text pointers (strcmp).
int CompareTextPointers(const void* first, const void* second);
