// Small helpers over numbers, lists, maps, rectangles and version texts.
#pragma once

#include "platform/afx.h"
#include "util/string_join.h"

#include <memory>

using CValueList = CList<DWORD, DWORD>;

// qsort comparators of 32-bit values taken as signed (0 when equal).
int CompareValuesAscending(const void* first, const void* second);
int CompareValuesDescending(const void* first, const void* second);
void SortValueArray(CDWordArray& values, BOOL ascending);
// The index of the first smallest / largest / equal value; -1 for none.
int IndexOfMinimum(const CDWordArray& values);
int IndexOfMaximum(const CDWordArray& values);
int IndexOfValue(const CDWordArray& values, DWORD value);
// Distinct values forming one run from the smallest up; false when empty.
BOOL IsContiguousRun(const CDWordArray& values);
// Sorts such a run ascending (TRUE); anything else stays (FALSE).
BOOL SortContiguousRun(CDWordArray& values);
// The list's values followed by a terminating 0.
std::unique_ptr<DWORD[]> ValueListToArray(const CValueList& list);
BOOL ListsEqual(const CValueList& first, const CValueList& second);
// Both empty: TRUE, the flags untouched. Otherwise keysMatch says whether
// every key of the first is in the second (and the counts agree),
// valuesMatch whether their values agree too; TRUE when both do.
BOOL MapsEqual(const CMapStringToString& first, const CMapStringToString& second, BOOL* keysMatch = nullptr,
               BOOL* valuesMatch = nullptr);
BOOL RectContains(const RECT& outer, const RECT& inner);
// The hexadecimal digits needed to write the value (1 for 0).
int HexDigitCount(DWORD value);
// The first table size above the count, -1 beyond the table; the second form
// leaves room for a fifth more.
int NextTableSize(int count);
int NextTableSizeWithReserve(int count);
// "major.minor" in decimal digits: 0 with the numbers, else 1.
int ParseDottedVersion(LPCSTR text, int& major, int& minor);
// Major first, then minor; false when either text does not parse.
BOOL IsVersionLower(LPCSTR first, LPCSTR second);
BOOL IsVersionHigher(LPCSTR first, LPCSTR second);
// For each key of the list that the map holds: key "|" entry for each of
// its entries. The output is emptied first.
void CollectPrefixedValues(const CStringList& keys, const CStringListMap& map, CStringList& values);
// Copies every key and value (emptying the destination first with clear);
// the class library's exceptions pass on.
void CopyStringMap(const CMapStringToString& source, CMapStringToString& destination, BOOL clear);
