// String-list operations for lists of paths, without regard to case.
#pragma once

#include "platform/afx.h"

// Appends every string of other that the list lacks.
void MergeStringListsNoCase(CStringList& list, const CStringList& other);
// Appends text unless the list holds it; TRUE when appended.
BOOL AddStringNoCase(CStringList& list, LPCSTR text);
BOOL ContainsStringNoCase(const CStringList& list, LPCSTR text);
// Equal counts, and every string of other in the list.
BOOL StringListsEqualNoCase(const CStringList& list, const CStringList& other);
