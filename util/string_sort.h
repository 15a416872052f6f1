// Sorting string lists and arrays, ascending unless said otherwise. Sorts are
// stable: equal strings keep their order.
#pragma once

#include "util/string_records.h"
#include "platform/afx.h"

// exact non-zero: the multibyte order with case; 0: ignoring case. Answers 0.
int SortStringList(CStringList& list, BOOL exact);
int SortStringListDescending(CStringList& list, BOOL exact);
// By the first (byFirst non-zero) or the second string.
void SortPairList(CStringPairList& list, BOOL byFirst, BOOL exact);
// The pairs (a[i], b[i]) sorted by a; arrays of different sizes stay as they are.
void SortParallelArrays(CStringArray& a, CStringArray& b, BOOL exact);
// The permutation that sorts the array ignoring case: indexes[k] is the index
// of the k-th string.
void SortIndexes(const CStringArray& array, CDWordArray& indexes);
// exact non-zero: strcmp order, else ignoring case; descending when ascending
// is 0.
void SortIndexesEx(const CStringArray& array, CDWordArray& indexes, const BOOL& exact, BOOL ascending);
// By the primary strings ignoring case, ties by the secondary (may be null).
void SortIndexesByTwoKeys(const CStringArray& primary, const CStringArray* secondary, CDWordArray& indexes);
