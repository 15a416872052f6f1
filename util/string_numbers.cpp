#include "util/string_numbers.h"

#include "platform/crt_strings.h"

#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <cstring>

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

int ReadInt(LPCSTR text) {
    if (text == nullptr) {
        return 0;
    }
    LPCSTR p = text;
    while (std::isspace(static_cast<unsigned char>(*p))) {
        ++p;
    }
    const bool negative = *p == '-';
    if (*p == '-' || *p == '+') {
        ++p;
    }
    std::uint32_t value = 0;
    for (; *p >= '0' && *p <= '9'; ++p) {
        value = value * 10u + static_cast<std::uint32_t>(*p - '0');
    }
    return static_cast<int>(negative ? 0u - value : value);
}

BOOL IsDecimalText(LPCSTR text, int* value) {
    if (text == nullptr || *text == '\0') {
        return FALSE;
    }
    for (LPCSTR p = text; *p != '\0'; ++p) {
        if (*p < '0' || *p > '9') {
            return FALSE;
        }
    }
    if (value != nullptr) {
        *value = ReadInt(text);
    }
    return TRUE;
}

DWORD ParseHexText(LPCSTR text) {
    DWORD value = 0;
    for (LPCSTR p = text != nullptr ? text : ""; *p != '\0'; ++p) {
        const int digit = HexDigitValue(*p);
        if (digit < 0) {
            return 0;
        }
        value = (value << 4) | static_cast<DWORD>(digit);
    }
    return value;
}

BOOL IsHexText(LPCSTR text) {
    if (text == nullptr) {
        return FALSE;
    }
    LPCSTR digits = text;
    if ((text[0] == 'H' || text[0] == 'h') && text[1] == '\'') {
        digits = text + 2;
    } else if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        digits = text + 2;
    }
    if (*digits == '\0') {
        return FALSE;
    }
    for (LPCSTR p = digits; *p != '\0'; ++p) {
        if (HexDigitValue(*p) < 0) {
            return FALSE;
        }
    }
    return TRUE;
}

CString IntToText(int value) {
    char text[16];
    return _itoa(value, text, 10);
}

void PadLeftWithZeros(CString& text, int width) {
    if (text.GetLength() < width) {
        text = CString('0', width - text.GetLength()) + text;
    }
}

CString GuidToHexText(const GUID& guid) {
    const auto bigEndian = [&](int first) {
        return (static_cast<DWORD>(guid.Data4[first]) << 24) | (static_cast<DWORD>(guid.Data4[first + 1]) << 16) |
               (static_cast<DWORD>(guid.Data4[first + 2]) << 8) | guid.Data4[first + 3];
    };
    CString text;
    text.Format("%08lx%04x%04x%08lx%08lx", static_cast<DWORD>(guid.Data1), guid.Data2, guid.Data3, bigEndian(0),
                bigEndian(4));
    return text;
}
