#include "platform/mbstring.h"

#include <cstring>

#undef _mbsstr

unsigned char* PlatformMbsstr(const unsigned char* text, const unsigned char* search) {
    const std::size_t length = std::strlen(reinterpret_cast<const char*>(search));
    for (const unsigned char* p = text;; p += _ismbblead(*p) && p[1] != 0 ? 2 : 1) {
        if (std::strncmp(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(search), length) == 0) {
            return const_cast<unsigned char*>(p);
        }
        if (*p == 0) {
            return nullptr;
        }
    }
}
