// Text, name-pair and path helpers of the dialog library.
#pragma once

#include "platform/afx.h"

// Separator flags of SplitTextByFlags and JoinTextByFlags (may be combined).
inline constexpr DWORD kSplitAtBlank = 2;
inline constexpr DWORD kSplitAtComma = 4;
inline constexpr DWORD kSplitAtZero = 8;

// Splits length bytes at the flagged separators: each token ended by a
// separator is appended (an empty one too), the last one when not empty; two
// separators in a row end the split. With clear, the list is emptied first.
// 1 when the list then holds anything; 0 for no list or no separator flag.
BOOL SplitTextByFlags(const char* buffer, int length, CStringList* list, DWORD flags, BOOL clear);
// Appends the list's texts to the text, separated by a blank (flag 2), else a
// comma (4), else a zero byte (8); an empty text simply becomes the first.
// 1 when the list holds anything; 0 for no text or no separator flag.
BOOL JoinTextByFlags(CString* text, const CStringList& list, DWORD flags);

// first + separator + second when both are given, else "".
CString JoinPair(LPCSTR first, LPCSTR second, char separator);
CString JoinPipePair(LPCSTR first, LPCSTR second);
CString JoinEqualsPair(LPCSTR first, LPCSTR second);
// The part before / after the last separator; empty when the text is missing
// or empty, holds no separator, or ends with it.
CString GetPairKey(LPCSTR text, char separator);
CString GetPipePairKey(LPCSTR text);
CString GetEqualsPairKey(LPCSTR text);
CString GetPairValue(LPCSTR text, char separator);
CString GetPipePairValue(LPCSTR text);
CString GetEqualsPairValue(LPCSTR text);

// The first occurrence of part (with case, whole characters) at or after
// start, as a position in the whole text; -1 when either text is empty,
// start is not below the text's length, or there is none.
int FindTextFrom(LPCSTR text, LPCSTR part, int start);
// Appends every "$(" ... ")" of the text, unless a '$' stands before it.
void CollectPlaceholderTokens(LPCSTR text, CStringList& tokens);
// Every occurrence of every non-empty word becomes the replacement; a word
// listed earlier wins where words overlap, and what the replacement brings in
// is never searched. Nothing changes for an empty replacement, or when the
// text, a word or the replacement holds the marker character 7.
void ReplaceWords(CString& text, const CStringList& words, LPCSTR replacement);

// The part after the last '.'; empty without one or when it ends the text.
CString GetFileExtension(LPCSTR text);
CString GetPathLeafFromText(LPCSTR text);
CString GetPathFolderFromText(LPCSTR text);
// folder (with a backslash when a name follows), name, extension (only with
// a name; the caller includes the period).
CString BuildFilePath(LPCSTR folder, LPCSTR name, LPCSTR extension);
// The parts _splitpath gives (drive, folder through the last '\\' or '/',
// name, extension from its last '.'), each cut to its standard size (drive 2,
// folder, name and extension 255 bytes, never half a character); null
// outputs are skipped.
void SplitPathToTexts(LPCSTR path, CString* drive, CString* folder, CString* name, CString* extension);
