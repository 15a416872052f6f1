#include "platform/crt_strings.h"

#include <cctype>
#include <cstdint>

namespace {

int FoldedDifference(const char* a, const char* b, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const int x = std::tolower(static_cast<unsigned char>(a[i]));
        const int y = std::tolower(static_cast<unsigned char>(b[i]));
        if (x != y || x == 0) {
            return x - y;
        }
    }
    return 0;
}

char* WriteDigits(std::uint32_t value, bool negative, char* buffer, int radix) {
    if (radix < 2 || radix > 36) {
        buffer[0] = '\0';
        return buffer;
    }
    char digits[34];
    int count = 0;
    do {
        const std::uint32_t digit = value % static_cast<std::uint32_t>(radix);
        digits[count++] = static_cast<char>(digit < 10 ? '0' + digit : 'a' + (digit - 10));
        value /= static_cast<std::uint32_t>(radix);
    } while (value != 0);
    char* out = buffer;
    if (negative) {
        *out++ = '-';
    }
    while (count > 0) {
        *out++ = digits[--count];
    }
    *out = '\0';
    return buffer;
}

char* SignedToText(std::int32_t value, char* buffer, int radix) {
    const bool negative = radix == 10 && value < 0;
    const std::uint32_t magnitude =
        negative ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
    return WriteDigits(magnitude, negative, buffer, radix);
}

}  // namespace

int _stricmp(const char* a, const char* b) {
    return FoldedDifference(a, b, static_cast<std::size_t>(-1));
}

int _strnicmp(const char* a, const char* b, std::size_t count) {
    return FoldedDifference(a, b, count);
}

char* _itoa(int value, char* buffer, int radix) {
    return SignedToText(value, buffer, radix);
}

char* _ltoa(LONG value, char* buffer, int radix) {
    return SignedToText(value, buffer, radix);
}
