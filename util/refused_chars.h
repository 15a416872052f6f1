// Whether a text holds a character of a set, both walked one whole character
// at a time: a double-byte character whose trail byte equals '\\' or '|'
// never counts as that character.
#pragma once

#include "platform/wintypes.h"

// A null or empty set holds nothing.
[[nodiscard]] bool ContainsAnyChar(LPCSTR text, LPCSTR set);
