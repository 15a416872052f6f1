// Walking ANSI texts in the layer's code page one whole character at a time,
// so that a trail byte equal to '\\', '|' or '$' is never taken for that
// character.
#pragma once

#include "platform/mbstring.h"

#include <cstddef>

namespace mbcs {

inline bool IsLeadByte(char c) {
    return _ismbblead(static_cast<unsigned char>(c)) != 0;
}

// The bytes of the character at p: 2 for a lead byte with its trail byte,
// else 1 (a lead byte at the end of the text is a character of its own).
inline std::size_t CharBytes(const char* p) {
    return IsLeadByte(*p) && p[1] != '\0' ? 2 : 1;
}

// The next character; never steps past the terminating NUL.
inline const char* Next(const char* p) {
    return *p == '\0' ? p : p + CharBytes(p);
}

// The first or last occurrence of a single-byte character, or null.
const char* FindChar(const char* text, char c);
const char* FindLastChar(const char* text, char c);
// The first occurrence of part that starts on a character boundary at or after
// from (a byte offset on a boundary), as a byte offset; -1 when none. An empty
// part is found at from.
int FindText(const char* text, const char* part, int from = 0);
// The same, comparing without regard to case (ASCII, and the double-byte
// letters of the code page).
int FindTextNoCase(const char* text, const char* part, int from = 0);
// The start of the last n characters of text (the text itself when it has
// no more than n, its end for n < 1).
const char* LastChars(const char* text, int n);
// The byte offset of the character boundary at or before offset.
std::size_t BoundaryAtOrBefore(const char* text, std::size_t offset);

}  // namespace mbcs
