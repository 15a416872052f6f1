#include "util/refused_chars.h"

#include "util/mbcs.h"

#include <algorithm>

bool ContainsAnyChar(LPCSTR text, LPCSTR set) {
    if (text == nullptr || set == nullptr) {
        return false;
    }
    for (const char* wanted = set; *wanted != '\0'; wanted = mbcs::Next(wanted)) {
        const std::size_t bytes = mbcs::CharBytes(wanted);
        for (const char* c = text; *c != '\0'; c = mbcs::Next(c)) {
            if (mbcs::CharBytes(c) == bytes && std::equal(wanted, wanted + bytes, c)) {
                return true;
            }
        }
    }
    return false;
}
