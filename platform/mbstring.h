// The C run time's multibyte string functions. They follow the layer's ANSI
// code page: in the double-byte code page (932) a lead byte and its trail byte
// are one character, so a trail byte equal to '\\' or '|' is never found on its
// own; in the single-byte default (1252) every byte is a character.
//
// Case rules as the run time has them: single bytes fold in ASCII only; in 932
// the double-byte full-width Latin, Greek, Cyrillic letters and Roman numerals
// fold as well. Comparisons answer -1, 0 or 1.
#pragma once

#include "platform/wintypes.h"

#include <cstddef>

#ifdef _WIN32

#include <mbctype.h>
#include <mbstring.h>

// The character-type masks of <mbctype.h> have names that the standard
// library uses for template parameters.
#undef _MS
#undef _MP
#undef _M1
#undef _M2
#undef _SBUP
#undef _SBLOW

// The run time under Wine searches bytes, not characters; the layer's search
// steps over whole characters as the Windows run time documents it.
unsigned char* PlatformMbsstr(const unsigned char* text, const unsigned char* search);
#define _mbsstr PlatformMbsstr

#else

#define _MBC_SINGLE 0
#define _MBC_LEAD 1
#define _MBC_TRAIL 2
#define _MBC_ILLEGAL (-1)

// Stepping. A lead byte followed by the terminating NUL is one byte.
unsigned char* _mbsinc(const unsigned char* current);
// The character before current, found by walking from start; null when
// current is not after start.
unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current);
std::size_t _mbslen(const unsigned char* text);
// The character code at text: lead byte * 256 + trail byte, or the byte.
unsigned int _mbsnextc(const unsigned char* text);

// Searching, on character boundaries. A character code of 0 finds the
// terminating NUL; an empty search text finds the start.
unsigned char* _mbschr(const unsigned char* text, unsigned int character);
unsigned char* _mbsrchr(const unsigned char* text, unsigned int character);
unsigned char* _mbsstr(const unsigned char* text, const unsigned char* search);
unsigned char* _mbspbrk(const unsigned char* text, const unsigned char* characters);

// Case, in place.
unsigned char* _mbslwr(unsigned char* text);
unsigned char* _mbsupr(unsigned char* text);

// Comparisons by character code.
int _mbscmp(const unsigned char* a, const unsigned char* b);
int _mbsicmp(const unsigned char* a, const unsigned char* b);
// At most count bytes; a double-byte character cut by the count compares by
// its lead byte.
int _mbsnbcmp(const unsigned char* a, const unsigned char* b, std::size_t count);
int _mbsnbicmp(const unsigned char* a, const unsigned char* b, std::size_t count);

// The type of the byte at index count, walking from the start: _MBC_SINGLE,
// _MBC_LEAD, _MBC_TRAIL, or _MBC_ILLEGAL for a bad trail byte or an index
// past the terminating NUL.
int _mbsbtype(const unsigned char* text, std::size_t count);

// Character tests on a character code, as the system classifies the
// character in the current code page (non-zero for yes).
int _ismbblead(unsigned int byte);
int _ismbcalpha(unsigned int character);
int _ismbcspace(unsigned int character);

#endif
