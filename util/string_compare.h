// Text equality with or without regard to case, as the string utilities'
// compare flags choose: exact is strcmp, otherwise the multibyte compare that
// ignores case.
#pragma once

#include "platform/mbstring.h"

#include <cstring>

namespace text_compare {

inline bool Equal(const char* a, const char* b, bool exact) {
    if (exact) {
        return std::strcmp(a, b) == 0;
    }
    return _mbsicmp(reinterpret_cast<const unsigned char*>(a), reinterpret_cast<const unsigned char*>(b)) == 0;
}

// Negative, zero or positive, as strcmp (exact) or _mbsicmp.
inline int Compare(const char* a, const char* b, bool exact) {
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    return exact ? _mbscmp(x, y) : _mbsicmp(x, y);
}

}  // namespace text_compare
