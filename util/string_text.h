// Searching texts, their characters and case, and rewriting them. Every walk
// steps over whole multibyte characters; "character" means a whole one,
// "byte" a byte.
#pragma once

#include "platform/afx.h"

#include <memory>

// The byte offset of the first occurrence of part (starting on a character
// boundary), -1 when absent.
int FindSubstring(LPCSTR text, LPCSTR part);
// The last character, or the text itself when it is empty.
LPCSTR LastCharPointer(LPCSTR text);
// The last single-byte occurrence of c; null for a null text or none.
LPCSTR FindLastChar(LPCSTR text, char c);
// The n-th occurrence of c (counted from 1); null when n < 1, the text is
// null, or there are fewer occurrences.
LPCSTR FindNthChar(LPCSTR text, char c, int n);
// A zero-filled buffer the size of the start text holding the characters from
// start through the character at end (inclusive); empty when start lies after
// end or the text is empty.
std::unique_ptr<char[]> CopyTextRange(LPCSTR start, LPCSTR end);
void AssignTextRange(LPCSTR start, LPCSTR end, CString& out);

// The first n characters when the text is longer than n bytes, else the text.
CString LeftChars(LPCSTR text, int n);
// The part before / after the last occurrence of c; empty when c is absent,
// the text is empty, or nothing precedes (before) / follows (after) it.
CString TextBeforeLast(LPCSTR text, char c);
CString TextAfterLast(LPCSTR text, char c);
// When the text begins with the prefix (ignoring case): rest = what follows,
// TRUE. Both must be non-empty.
BOOL StripPrefix(LPCSTR text, LPCSTR prefix, CString& rest);
// When the first occurrence of the suffix (ignoring case) ends the text:
// front = what precedes it, TRUE.
BOOL StripSuffix(LPCSTR text, LPCSTR suffix, CString& front);
CString MakeLowerCopy(LPCSTR text);
// Removes every single-byte occurrence of c.
void RemoveChar(CString& text, char c);
// A text longer than length becomes its first (length - 3) bytes (never half
// a character) and "..."; a length below 3 counts as 3.
CString ShortenWithDots(LPCSTR text, int length);
// Every occurrence replaced, searching on after each replacement; an empty
// find text replaces nothing.
CString ReplaceAll(LPCSTR text, LPCSTR find, LPCSTR replacement);
// Occurrences found ignoring case, one at a time; the search starts again at
// the beginning after each replacement. When the replacement itself holds the
// find text, the search instead goes on after the inserted text, which
// restarting would find again and again.
CString ReplaceAllNoCase(LPCSTR text, LPCSTR find, LPCSTR replacement);
// c becomes escape + c, and escape becomes escape + escape.
CString EscapeChar(LPCSTR text, char c, char escape);
// Each doubled c becomes one.
CString UndoubleChar(LPCSTR text, char c);
// When the text holds a double quote anywhere, its first and last characters
// are dropped.
CString UnquoteText(LPCSTR text);
CString CrLfToLf(LPCSTR text);
CString SpacesText(int n);

// Whether the byte at index is a single-byte character.
BOOL IsSingleByteChar(LPCSTR text, int index);
// The bytes of the character at p (1 or 2), and of all characters of a text.
int CharByteCount(LPCSTR p);
int TextByteCount(LPCSTR text);
// Any multibyte space; empty or only spaces.
BOOL ContainsWhitespace(LPCSTR text);
BOOL IsBlankText(LPCSTR text);
