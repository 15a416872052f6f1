#include "platform/mbstring.h"

#include "platform/codepage.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace {

bool IsLead(unsigned char byte) {
    return IsDBCSLeadByte(byte) != FALSE;
}

bool IsDoubleByteCodePage() {
    return platform::AnsiCodePage() == 932;
}

bool IsTrail(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

// The bytes of the character at text: 2 for a lead byte with a byte behind
// it, else 1.
std::size_t CharBytes(const unsigned char* text) {
    return IsLead(text[0]) && text[1] != 0 ? 2 : 1;
}

unsigned int CharCode(const unsigned char* text) {
    if (IsLead(text[0])) {
        return (static_cast<unsigned int>(text[0]) << 8) | text[1];
    }
    return text[0];
}

// The UTF-16 character of a character code in the current code page; 0 when
// the code is no character there.
char16_t ToUnicode(unsigned int character) {
    std::string bytes;
    if (character > 0xFF) {
        if (!IsDoubleByteCodePage() || !IsLead(static_cast<unsigned char>(character >> 8)) ||
            !IsTrail(static_cast<unsigned char>(character))) {
            return 0;
        }
        bytes = {static_cast<char>(character >> 8), static_cast<char>(character)};
    } else {
        if (character == 0 || IsLead(static_cast<unsigned char>(character))) {
            return 0;
        }
        bytes = {static_cast<char>(character)};
    }
    const std::u16string wide = platform::AnsiToWide(bytes);
    return wide.size() == 1 ? wide[0] : 0;
}

struct Range {
    char16_t first;
    char16_t last;
};

// The letters of the two code pages, as the system classifies them.
constexpr Range kLetters[] = {
    {0x0041, 0x005A}, {0x0061, 0x007A}, {0x00C0, 0x00D6}, {0x00D8, 0x00F6}, {0x00F8, 0x00FF},
    {0x0152, 0x0153}, {0x0160, 0x0161}, {0x0178, 0x0178}, {0x017D, 0x017E}, {0x0192, 0x0192},
    {0x02C6, 0x02C6}, {0x0391, 0x0451}, {0x212B, 0x2179}, {0x3005, 0x3007}, {0x3041, 0x3093},
    {0x309D, 0x30F6}, {0x30FC, 0x30FE}, {0x4E00, 0x9FA0}, {0xF929, 0xFA2D}, {0xFF21, 0xFF3A},
    {0xFF41, 0xFF5A}, {0xFF66, 0xFF9F},
};

bool InRanges(char16_t character, const Range* first, const Range* last) {
    return std::any_of(first, last, [&](const Range& range) { return character >= range.first && character <= range.last; });
}

// Upper- and lower-case double-byte letters of 932 by their Unicode
// characters: the lower case lies offset above the upper case.
struct CasePair {
    char16_t firstUpper;
    char16_t lastUpper;
    char16_t offset;
};
constexpr CasePair kDoubleByteCases[] = {
    {0xFF21, 0xFF3A, 0x20},  // full-width Latin
    {0x0391, 0x03A9, 0x20},  // Greek
    {0x0410, 0x042F, 0x20},  // Cyrillic
    {0x0401, 0x0401, 0x50},  // Cyrillic Io
    {0x2160, 0x2169, 0x10},  // Roman numerals
};

unsigned int FromUnicode(char16_t character, unsigned int fallback) {
    const std::string bytes = platform::WideToAnsi(std::u16string(1, character));
    if (bytes.size() != 2) {
        return fallback;
    }
    return (static_cast<unsigned int>(static_cast<unsigned char>(bytes[0])) << 8) |
           static_cast<unsigned char>(bytes[1]);
}

unsigned int ToLower(unsigned int character) {
    if (character <= 0xFF) {
        return character >= 'A' && character <= 'Z' ? character + ('a' - 'A') : character;
    }
    const char16_t unicode = ToUnicode(character);
    for (const CasePair& pair : kDoubleByteCases) {
        if (unicode >= pair.firstUpper && unicode <= pair.lastUpper && unicode != 0x03A2) {
            return FromUnicode(static_cast<char16_t>(unicode + pair.offset), character);
        }
    }
    return character;
}

unsigned int ToUpper(unsigned int character) {
    if (character <= 0xFF) {
        return character >= 'a' && character <= 'z' ? character - ('a' - 'A') : character;
    }
    const char16_t unicode = ToUnicode(character);
    for (const CasePair& pair : kDoubleByteCases) {
        const char16_t firstLower = static_cast<char16_t>(pair.firstUpper + pair.offset);
        const char16_t lastLower = static_cast<char16_t>(pair.lastUpper + pair.offset);
        if (unicode >= firstLower && unicode <= lastLower && unicode != 0x03C2) {
            return FromUnicode(static_cast<char16_t>(unicode - pair.offset), character);
        }
    }
    return character;
}

// Rewrites each character of text with convert, in place. A converted
// double-byte character keeps its two bytes.
unsigned char* ConvertCase(unsigned char* text, unsigned int (*convert)(unsigned int)) {
    if (text == nullptr) {
        return nullptr;
    }
    for (unsigned char* p = text; *p != 0; p += CharBytes(p)) {
        const bool twoBytes = CharBytes(p) == 2;
        const unsigned int converted = convert(twoBytes ? CharCode(p) : p[0]);
        if (twoBytes) {
            p[0] = static_cast<unsigned char>(converted >> 8);
            p[1] = static_cast<unsigned char>(converted);
        } else {
            p[0] = static_cast<unsigned char>(converted);
        }
    }
    return text;
}

int Sign(long long value) {
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// Compares character by character over at most count bytes; fold maps each
// character code before the comparison.
int Compare(const unsigned char* a, const unsigned char* b, std::size_t count, unsigned int (*fold)(unsigned int)) {
    while (count > 0) {
        unsigned int x = CharCode(a);
        unsigned int y = CharCode(b);
        std::size_t xBytes = CharBytes(a);
        std::size_t yBytes = CharBytes(b);
        if (count == 1) {
            // The count ends inside a character: only its first byte counts.
            x = a[0];
            y = b[0];
            xBytes = yBytes = 1;
        }
        x = fold(x);
        y = fold(y);
        if (x != y) {
            return Sign(static_cast<long long>(x) - static_cast<long long>(y));
        }
        if (x == 0) {
            return 0;
        }
        count -= std::min(count, xBytes);
        a += xBytes;
        b += yBytes;
    }
    return 0;
}

unsigned int Unchanged(unsigned int character) {
    return character;
}

}  // namespace

unsigned char* _mbsinc(const unsigned char* current) {
    return const_cast<unsigned char*>(current + CharBytes(current));
}

unsigned char* _mbsdec(const unsigned char* start, const unsigned char* current) {
    if (start == nullptr || current == nullptr || start >= current) {
        return nullptr;
    }
    const unsigned char* previous = start;
    for (const unsigned char* p = start; p < current; p += CharBytes(p)) {
        previous = p;
        if (*p == 0) {
            break;
        }
    }
    return const_cast<unsigned char*>(previous);
}

std::size_t _mbslen(const unsigned char* text) {
    std::size_t count = 0;
    for (const unsigned char* p = text; *p != 0; ++p) {
        if (IsLead(*p) && *++p == 0) {
            break;  // a lead byte without its trail byte is no character
        }
        ++count;
    }
    return count;
}

unsigned int _mbsnextc(const unsigned char* text) {
    return CharCode(text);
}

unsigned char* _mbschr(const unsigned char* text, unsigned int character) {
    const unsigned char* p = text;
    for (; *p != 0; p += CharBytes(p)) {
        if (CharCode(p) == character) {
            return const_cast<unsigned char*>(p);
        }
    }
    return character == 0 ? const_cast<unsigned char*>(p) : nullptr;
}

unsigned char* _mbsrchr(const unsigned char* text, unsigned int character) {
    const unsigned char* found = nullptr;
    const unsigned char* p = text;
    for (; *p != 0; p += CharBytes(p)) {
        if (CharCode(p) == character) {
            found = p;
        }
    }
    return const_cast<unsigned char*>(character == 0 ? p : found);
}

unsigned char* _mbsstr(const unsigned char* text, const unsigned char* search) {
    const std::size_t length = std::strlen(reinterpret_cast<const char*>(search));
    for (const unsigned char* p = text;; p += CharBytes(p)) {
        if (std::strncmp(reinterpret_cast<const char*>(p), reinterpret_cast<const char*>(search), length) == 0) {
            return const_cast<unsigned char*>(p);
        }
        if (*p == 0) {
            return nullptr;
        }
    }
}

unsigned char* _mbspbrk(const unsigned char* text, const unsigned char* characters) {
    for (const unsigned char* p = text; *p != 0; p += CharBytes(p)) {
        for (const unsigned char* c = characters; *c != 0; c += CharBytes(c)) {
            if (CharCode(p) == CharCode(c)) {
                return const_cast<unsigned char*>(p);
            }
        }
    }
    return nullptr;
}

unsigned char* _mbslwr(unsigned char* text) {
    return ConvertCase(text, ToLower);
}

unsigned char* _mbsupr(unsigned char* text) {
    return ConvertCase(text, ToUpper);
}

int _mbscmp(const unsigned char* a, const unsigned char* b) {
    return Compare(a, b, static_cast<std::size_t>(-1), Unchanged);
}

int _mbsicmp(const unsigned char* a, const unsigned char* b) {
    return Compare(a, b, static_cast<std::size_t>(-1), ToLower);
}

int _mbsnbcmp(const unsigned char* a, const unsigned char* b, std::size_t count) {
    return Compare(a, b, count, Unchanged);
}

int _mbsnbicmp(const unsigned char* a, const unsigned char* b, std::size_t count) {
    return Compare(a, b, count, ToLower);
}

int _mbsbtype(const unsigned char* text, std::size_t count) {
    int previous = _MBC_SINGLE;
    for (std::size_t i = 0;; ++i) {
        const unsigned char byte = text[i];
        int type;
        if (previous == _MBC_LEAD) {
            type = IsTrail(byte) ? _MBC_TRAIL : _MBC_ILLEGAL;
        } else {
            type = IsLead(byte) ? _MBC_LEAD : _MBC_SINGLE;
        }
        if (i == count) {
            return type;
        }
        if (byte == 0) {
            return _MBC_ILLEGAL;  // the text ends before the index
        }
        previous = type;
    }
}

int _ismbblead(unsigned int byte) {
    return byte <= 0xFF && IsLead(static_cast<unsigned char>(byte)) ? 1 : 0;
}

int _ismbcalpha(unsigned int character) {
    const char16_t unicode = ToUnicode(character);
    return unicode != 0 && InRanges(unicode, std::begin(kLetters), std::end(kLetters)) ? 1 : 0;
}

int _ismbcspace(unsigned int character) {
    const char16_t unicode = ToUnicode(character);
    return (unicode >= 0x09 && unicode <= 0x0D) || unicode == 0x20 || unicode == 0xA0 || unicode == 0x3000 ? 1 : 0;
}
