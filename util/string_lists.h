// Operations on string lists, arrays and maps. Each compare flag says which
// of its values means an exact compare (with case) and which a compare that
// ignores case; they differ from function to function.
#pragma once

#include "util/string_records.h"
#include "platform/afx.h"

// Appends text unless an equal string is present: TRUE when appended; FALSE
// for a missing list or text. exact 0 compares ignoring case.
BOOL AddUniqueString(CStringList* list, LPCSTR text, BOOL exact);
// Appends each non-empty string of other that the list lacks; FALSE for a
// missing list. exact non-zero compares with case.
BOOL MergeStringLists(CStringList* list, const CStringList& other, BOOL exact);
// Removes the first match (every match with all): TRUE when one went. exact
// non-zero compares with case.
BOOL RemoveString(CStringList& list, LPCSTR text, BOOL exact, BOOL all);
// Keeps the first of each group of equal strings, in order.
void RemoveDuplicateStrings(CStringList& list, BOOL exact);
// For each text, the first match in the list is removed; noCase non-zero
// compares ignoring case.
void RemoveListedStrings(const CStringList& texts, CStringList& list, BOOL noCase);
BOOL ContainsString(const CStringList& list, LPCSTR text, BOOL exact);
// Moves the first match to the head as the given text; FALSE (and the list
// unchanged) when absent.
BOOL MoveStringToHead(CStringList& list, LPCSTR text, BOOL exact);

// Exact finds: the index, -1 when absent.
int FindInStringList(const CStringList& list, LPCSTR text);
int FindInStringArray(const CStringArray& array, LPCSTR text);
// A table of texts ended by a null entry.
int FindInTextTable(const char* const* table, LPCSTR text);
// The first string equal ignoring case, or null.
POSITION FindNoCase(const CStringList& list, LPCSTR text);
// exact non-zero: the exact find; 0: ignoring case, empty strings skipped.
POSITION FindStringPosition(LPCSTR text, const CStringList& list, BOOL exact);
// The element, or "" outside 0 to count - 1.
CString GetStringArrayItem(const CStringArray& array, INT_PTR index);
// Lists of equal count: the value at the key's position (exact).
BOOL LookupParallel(const CStringList& keys, const CStringList& values, LPCSTR key, CString& value);
// Every string equal to text becomes the replacement; the count replaced.
int ReplaceMatchingStrings(CStringList& list, LPCSTR text, LPCSTR replacement, const BOOL& exact);

void AppendStringList(CStringList& list, const CStringList& other);
void AppendListToArray(const CStringList& list, CStringArray& array);
void TableToStringList(const char* const* table, CStringList& list);
// FALSE without a list or when the class library throws.
BOOL AddStringSafe(CStringList* list, LPCSTR text);
// The strings of the list absent from other (exact) appended to out.
void AddMissingStrings(const CStringList& list, const CStringList& other, CStringList& out);
// onlyInB: strings of b absent from a; onlyInA: strings of a absent from b;
// noCase 0 compares with case.
void DiffStringLists(const CStringList& a, const CStringList& b, CStringList& onlyInB, CStringList& onlyInA,
                     BOOL noCase);
// The strings of both, one per lower-cased key (a later one replaces an
// earlier one), in the key map's order.
void MergeUniqueNoCase(const CStringList& a, const CStringList& b, CStringList& out);

BOOL HasDuplicate(const CStringList& list);
BOOL HasDuplicateNoCase(const CStringList& list);
// Equal item by item (exact) and equally long.
BOOL SameStringLists(const CStringList& a, const CStringList& b);
// Equal counts, no duplicates in a, every string of b in a (exact).
BOOL SameStringSets(const CStringList& a, const CStringList& b);
// Equal counts, every string of a in b; noCase non-zero ignores case.
BOOL SameStringSetsNoOrder(const CStringList& a, const CStringList& b, BOOL noCase);
// Equal counts, every key of a in b with an equal value.
BOOL SameStringMaps(const CMapStringToString& a, const CMapStringToString& b);
BOOL SamePairLists(const CStringPairList& a, const CStringPairList& b);
BOOL ContainsTriple(const CStringTripleList& list, const TRIPLESTRING_STRUCT& triple);
void DiffTripleLists(const CStringTripleList& a, const CStringTripleList& b, CStringTripleList& onlyInB,
                     CStringTripleList& onlyInA);

// key, value, key, value ... in the map's order, appended.
void MapToKeyValueList(const CMapStringToString& map, CStringList& list);
// Sets the pairs of the list into the map: 0 on success; 1 for an odd count,
// or when a key is already in the map (the map is then emptied).
int KeyValueListToMap(const CStringList& list, CMapStringToString& map);
