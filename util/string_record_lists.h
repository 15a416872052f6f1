// The host's record arrays of the string records: QUADSTRING_STRUCT (4 texts
// per record, in the order third, second, fourth, first) and
// DOUBLESTRINGUINT_STRUCT (first, second, value).
#pragma once

#include "util/string_records.h"
#include "platform/com.h"

// Heap records that the list's owner deletes.
using CQuadStringPtrList = CList<QUADSTRING_STRUCT*, QUADSTRING_STRUCT*>;
using CDoubleStringUintPtrList = CList<DOUBLESTRINGUINT_STRUCT*, DOUBLESTRINGUINT_STRUCT*>;

void QuadStringListToVariant(const CQuadStringPtrList& list, VARIANT& out);
// Appends a new record per 4 texts. A VARIANT of another type, a count that is
// no multiple of 4 or an element that is no text adds nothing.
void VariantToQuadStringList(const VARIANT& list, CQuadStringPtrList& out);
// Equal counts and equal records (every text exactly) at every position.
BOOL QuadStringListsEqual(const CQuadStringPtrList& a, const CQuadStringPtrList& b);

void DoubleStringUintListToVariant(const CDoubleStringUintPtrList& list, VARIANT& out);
// Appends a new record per 3 texts, the value read as atoi reads it.
void VariantToDoubleStringUintList(const VARIANT& list, CDoubleStringUintPtrList& out);
BOOL DoubleStringUintListsEqual(const CDoubleStringUintPtrList& a, const CDoubleStringUintPtrList& b);
