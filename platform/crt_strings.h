// The C run time's Windows-only string and number functions.
#pragma once

#include "platform/wintypes.h"

#ifdef _WIN32

#include <stdlib.h>
#include <string.h>

#else

#include <cstddef>

// Compare as the Windows run time does: both texts folded to lower case
// (ASCII), so '_' sorts before the letters; the answer is the difference of
// the first unequal folded bytes.
int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, std::size_t count);

// The digits of value in radix (2 to 36, lower-case letters) into buffer; a
// negative value is written with '-' only in radix 10, else as its unsigned
// 32-bit form.
char* _itoa(int value, char* buffer, int radix);
char* _ltoa(LONG value, char* buffer, int radix);

#endif
