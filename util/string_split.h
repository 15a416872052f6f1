// Splitting texts into string lists and arrays. A separator, escape or white
// space is recognised only where it stands as a single-byte character, so the
// trail byte of a double-byte character never splits a text.
#pragma once

#include "platform/afx.h"

#include <vector>

using CIntList = CList<int, int>;

// Appends every part, empty ones included (separators + 1 parts); a null or
// empty text appends nothing. Answers the number of parts.
int SplitToStringList(LPCSTR text, CStringList& list, char separator);
// The same, but after max - 1 parts the rest (separators included) is the
// last part; max <= 1 gives the whole text.
int SplitToStringListMax(LPCSTR text, CStringList& list, char separator, int max);
// Splits at white space; empty parts are dropped except the last, which is
// always appended. A null text appends nothing.
int SplitAtWhitespace(LPCSTR text, CStringList& list);
// As SplitToStringList; an escape before the separator or before another
// escape is removed and the character after it kept as an ordinary one. Any
// other escape is an ordinary character.
int SplitEscaped(LPCSTR text, CStringList& list, char separator, char escape);

// The same into an array sized to the number of parts.
int SplitToStringArray(LPCSTR text, CStringArray& array, char separator);
int SplitToStringArrayMax(LPCSTR text, CStringArray& array, char separator, int max);
int SplitAtWhitespaceToArray(LPCSTR text, CStringArray& array);
int SplitEscapedToArray(LPCSTR text, CStringArray& array, char separator, char escape);

// Multi-strings: texts each ended by a NUL, one more NUL after the last.
// Appends each text; answers the list's count, -1 for a null buffer.
int MultiStringToList(const char* multiString, CStringList& list);
int MultiStringToArray(const char* multiString, CStringArray& array);
// The number of texts, -1 for a null buffer.
int CountMultiStringItems(const char* multiString);

// When the text is not empty and holds the separator: left is what precedes
// its first occurrence, right what follows it; otherwise both stay.
void SplitAtFirstText(LPCSTR text, LPCSTR separator, CString& left, CString& right);
// Empties the list; a non-empty text is split at every occurrence of the
// separator text (an empty separator splits nothing), the last part always
// appended.
void SplitAtText(LPCSTR text, LPCSTR separator, CStringList& list);
// left = the first index bytes, right = from index + 1 on; nothing for an
// empty text or an index of -1.
void SplitAtIndex(LPCSTR text, int index, CString& left, CString& right);
// Empties the list and appends atoi of every '|'-separated part.
void TextToIntList(LPCSTR text, CIntList& list);
