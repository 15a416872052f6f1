// Small helpers over numbers and arrays of arrays.
#pragma once

#include "platform/afx.h"

using CDWordArrayPtrArray = CArray<CDWordArray*, CDWordArray*>;

// For sorting 32-bit signed numbers with qsort: 0 when equal, 1 when the first
// is greater, -1 when it is smaller.
int CompareInt32(const void* first, const void* second);
// Appends to out each element array of the given size.
void CollectArraysOfSize(const CDWordArrayPtrArray& arrays, INT_PTR size, CDWordArrayPtrArray& out);
BOOL HasArrayOfSize(const CDWordArrayPtrArray& arrays, INT_PTR size);
