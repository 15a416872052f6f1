#include "util/mbcs.h"

#include <cstring>

namespace mbcs {
namespace {

const unsigned char* U(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}

}  // namespace

const char* FindChar(const char* text, char c) {
    if (text == nullptr || c == '\0') {
        return nullptr;
    }
    return reinterpret_cast<const char*>(_mbschr(U(text), static_cast<unsigned char>(c)));
}

const char* FindLastChar(const char* text, char c) {
    if (text == nullptr || c == '\0') {
        return nullptr;
    }
    return reinterpret_cast<const char*>(_mbsrchr(U(text), static_cast<unsigned char>(c)));
}

int FindText(const char* text, const char* part, int from) {
    if (text == nullptr || part == nullptr || from < 0 || static_cast<std::size_t>(from) > std::strlen(text)) {
        return -1;
    }
    const unsigned char* found = _mbsstr(U(text + from), U(part));
    return found == nullptr ? -1 : static_cast<int>(found - U(text));
}

int FindTextNoCase(const char* text, const char* part, int from) {
    if (text == nullptr || part == nullptr || from < 0 || static_cast<std::size_t>(from) > std::strlen(text)) {
        return -1;
    }
    const std::size_t length = std::strlen(part);
    const char* end = text + std::strlen(text);
    for (const char* p = text + from;; p = Next(p)) {
        if (static_cast<std::size_t>(end - p) >= length && _mbsnbicmp(U(p), U(part), length) == 0) {
            return static_cast<int>(p - text);
        }
        if (*p == '\0') {
            return -1;
        }
    }
}

const char* LastChars(const char* text, int n) {
    const char* end = text + std::strlen(text);
    if (n < 1) {
        return end;
    }
    int count = 0;
    for (const char* p = text; *p != '\0'; p = Next(p)) {
        ++count;
    }
    const char* p = text;
    for (int i = 0; i < count - n; ++i) {
        p = Next(p);
    }
    return p;
}

std::size_t BoundaryAtOrBefore(const char* text, std::size_t offset) {
    std::size_t boundary = 0;
    for (const char* p = text; *p != '\0';) {
        const std::size_t next = static_cast<std::size_t>(Next(p) - text);
        if (next > offset) {
            break;
        }
        boundary = next;
        p = text + next;
    }
    return boundary;
}

}  // namespace mbcs
