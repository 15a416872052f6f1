// Joining string lists into texts and multi-strings.
#pragma once

#include "platform/afx.h"
#include "util/string_split.h"
#include "util/text_buffer.h"

#include <memory>
#include <vector>

// Texts each ended by a NUL, with one more NUL after the last; an empty list
// gives the single NUL.
using MultiString = std::vector<char>;
// A map from a name to the list of its extensions.
using CStringListMap = CMap<CString, LPCSTR, CStringList*, CStringList*>;
using CStringListPtrList = CList<CStringList*, CStringList*>;

// The items with the separator between them; an empty list gives "".
CString JoinStringList(const CStringList& list, char separator);
CString JoinStringListWithText(const CStringList& list, LPCSTR separator);
// The same into a growable text buffer made with the given step.
std::unique_ptr<CTextBuffer> JoinStringListBuffered(const CStringList& list, char separator, int bufferSize);
// Each item escaped (EscapeChar with separator and escape), then joined.
CString JoinEscaped(const CStringList& list, char separator, char escape);
// first + separator + second when both are given, else "".
CString JoinTwoTexts(LPCSTR first, LPCSTR second, char separator);
// Each value as "%d", joined with '|'.
CString IntListToText(const CIntList& list);

MultiString ListToMultiString(const CStringList& list);
MultiString ArrayToMultiString(const CStringArray& array);
// Each list's texts NUL-ended, one more NUL after each list, a final NUL.
MultiString ListsToMultiString(const CStringListPtrList& lists);
// key + separator + value per entry, in the map's order.
MultiString MapToMultiString(const CMapStringToString& map, char separator);
// key + value of every entry, without separators.
CString MapToConcatenatedText(const CMapStringToString& map);

// "All Files (*.*)|*.*|", then for each name the map holds (in list order)
// "Name (*.ext1; *.ext2)|*.ext1;*.ext2|" with the extensions lower-cased,
// then a final "|".
CString BuildFileFilter(const CStringList& names, const CStringListMap& extensions);
