#include "util/string_text.h"

#include "util/mbcs.h"

#include <algorithm>
#include <cstring>

namespace {

const unsigned char* U(const char* text) {
    return reinterpret_cast<const unsigned char*>(text);
}

bool IsSingleByte(const char* p, char c) {
    return mbcs::CharBytes(p) == 1 && *p == c;
}

// Replacing goes on at most this often, however the texts combine.
constexpr int kMaxReplacements = 100'000;

}  // namespace

int FindSubstring(LPCSTR text, LPCSTR part) {
    return mbcs::FindText(text, part);
}

LPCSTR LastCharPointer(LPCSTR text) {
    if (text == nullptr) {
        return nullptr;
    }
    LPCSTR last = text;
    for (LPCSTR p = text; *p != '\0'; p = mbcs::Next(p)) {
        last = p;
    }
    return last;
}

LPCSTR FindLastChar(LPCSTR text, char c) {
    return mbcs::FindLastChar(text, c);
}

LPCSTR FindNthChar(LPCSTR text, char c, int n) {
    if (text == nullptr || n < 1) {
        return nullptr;
    }
    LPCSTR found = text;
    for (int i = 0; i < n; ++i) {
        found = mbcs::FindChar(i == 0 ? text : found + 1, c);
        if (found == nullptr) {
            return nullptr;
        }
    }
    return found;
}

std::unique_ptr<char[]> CopyTextRange(LPCSTR start, LPCSTR end) {
    const std::size_t size = start != nullptr ? std::strlen(start) + 1 : 1;
    auto buffer = std::make_unique<char[]>(size);  // zero-filled
    if (start == nullptr || end == nullptr || *start == '\0' || start > end) {
        return buffer;
    }
    // Through the whole character at end, never past the text's NUL.
    const std::size_t last = std::min(static_cast<std::size_t>(end - start), size - 1);
    const std::size_t stop = last < size - 1 ? last + mbcs::CharBytes(start + last) : last;
    std::memcpy(buffer.get(), start, std::min(stop, size - 1));
    return buffer;
}

void AssignTextRange(LPCSTR start, LPCSTR end, CString& out) {
    out = CopyTextRange(start, end).get();
}

CString LeftChars(LPCSTR text, int n) {
    if (text == nullptr) {
        return CString();
    }
    if (n < 0 || std::strlen(text) <= static_cast<std::size_t>(n)) {
        return text;
    }
    LPCSTR p = text;
    for (int i = 0; i < n && *p != '\0'; ++i) {
        p = mbcs::Next(p);
    }
    return CString(text, static_cast<int>(p - text));
}

CString TextBeforeLast(LPCSTR text, char c) {
    LPCSTR found = mbcs::FindLastChar(text, c);
    if (found == nullptr || found[1] == '\0') {
        return CString();
    }
    return CString(text, static_cast<int>(found - text));
}

CString TextAfterLast(LPCSTR text, char c) {
    LPCSTR found = mbcs::FindLastChar(text, c);
    if (found == nullptr || found[1] == '\0') {
        return CString();
    }
    return CString(found + 1);
}

BOOL StripPrefix(LPCSTR text, LPCSTR prefix, CString& rest) {
    if (text == nullptr || prefix == nullptr || *text == '\0' || *prefix == '\0') {
        return FALSE;
    }
    const std::size_t length = std::strlen(prefix);
    if (std::strlen(text) < length || _mbsnbicmp(U(text), U(prefix), length) != 0) {
        return FALSE;
    }
    rest = text + length;
    return TRUE;
}

BOOL StripSuffix(LPCSTR text, LPCSTR suffix, CString& front) {
    if (text == nullptr || suffix == nullptr || *text == '\0' || *suffix == '\0') {
        return FALSE;
    }
    const int found = mbcs::FindTextNoCase(text, suffix);
    if (found < 0 || static_cast<std::size_t>(found) + std::strlen(suffix) != std::strlen(text)) {
        return FALSE;
    }
    front = CString(text, found);
    return TRUE;
}

CString MakeLowerCopy(LPCSTR text) {
    CString copy = text;
    _mbslwr(reinterpret_cast<unsigned char*>(copy.GetBuffer()));
    copy.ReleaseBuffer();
    return copy;
}

void RemoveChar(CString& text, char c) {
    CString kept;
    for (LPCSTR p = text; *p != '\0'; p = mbcs::Next(p)) {
        if (!IsSingleByte(p, c)) {
            kept += CString(p, static_cast<int>(mbcs::CharBytes(p)));
        }
    }
    text = kept;
}

CString ShortenWithDots(LPCSTR text, int length) {
    if (text == nullptr) {
        return CString();
    }
    length = std::max(length, 3);
    if (std::strlen(text) <= static_cast<std::size_t>(length)) {
        return text;
    }
    const std::size_t kept = mbcs::BoundaryAtOrBefore(text, static_cast<std::size_t>(length - 3));
    return CString(text, static_cast<int>(kept)) + "...";
}

CString ReplaceAll(LPCSTR text, LPCSTR find, LPCSTR replacement) {
    if (text == nullptr) {
        return CString();
    }
    if (find == nullptr || *find == '\0') {
        return text;
    }
    const CString with = replacement;
    const int findLength = static_cast<int>(std::strlen(find));
    CString result;
    int start = 0;
    for (int found; (found = mbcs::FindText(text, find, start)) >= 0; start = found + findLength) {
        result += CString(text + start, found - start) + with;
    }
    return result + (text + start);
}

CString ReplaceAllNoCase(LPCSTR text, LPCSTR find, LPCSTR replacement) {
    if (text == nullptr) {
        return CString();
    }
    CString result = text;
    if (find == nullptr || *find == '\0') {
        return result;
    }
    const CString with = replacement;
    const int findLength = static_cast<int>(std::strlen(find));
    const bool insertsFindText = mbcs::FindTextNoCase(with, find) >= 0;
    int start = 0;
    for (int count = 0; count < kMaxReplacements; ++count) {
        const int found = mbcs::FindTextNoCase(result, find, start);
        if (found < 0) {
            break;
        }
        result = result.Left(found) + with + result.Mid(found + findLength);
        start = insertsFindText ? found + with.GetLength() : 0;
    }
    return result;
}

CString EscapeChar(LPCSTR text, char c, char escape) {
    CString result;
    for (LPCSTR p = text != nullptr ? text : ""; *p != '\0'; p = mbcs::Next(p)) {
        if (IsSingleByte(p, c) || IsSingleByte(p, escape)) {
            result += escape;
        }
        result += CString(p, static_cast<int>(mbcs::CharBytes(p)));
    }
    return result;
}

CString UndoubleChar(LPCSTR text, char c) {
    CString result;
    for (LPCSTR p = text != nullptr ? text : ""; *p != '\0';) {
        LPCSTR next = mbcs::Next(p);
        result += CString(p, static_cast<int>(next - p));
        p = IsSingleByte(p, c) && IsSingleByte(next, c) ? next + 1 : next;
    }
    return result;
}

CString UnquoteText(LPCSTR text) {
    if (text == nullptr || mbcs::FindChar(text, '"') == nullptr) {
        return text;
    }
    LPCSTR first = mbcs::Next(text);
    LPCSTR last = LastCharPointer(text);
    return first < last ? CString(first, static_cast<int>(last - first)) : CString();
}

CString CrLfToLf(LPCSTR text) {
    return ReplaceAll(text, "\r\n", "\n");
}

CString SpacesText(int n) {
    return n > 0 ? CString(' ', n) : CString();
}

BOOL IsSingleByteChar(LPCSTR text, int index) {
    if (text == nullptr || index < 0 || static_cast<std::size_t>(index) >= std::strlen(text)) {
        return FALSE;
    }
    return _mbsbtype(U(text), static_cast<std::size_t>(index)) == _MBC_SINGLE ? TRUE : FALSE;
}

int CharByteCount(LPCSTR p) {
    return p == nullptr || *p == '\0' ? 0 : static_cast<int>(mbcs::CharBytes(p));
}

int TextByteCount(LPCSTR text) {
    int count = 0;
    for (LPCSTR p = text != nullptr ? text : ""; *p != '\0'; p = mbcs::Next(p)) {
        count += CharByteCount(p);
    }
    return count;
}

BOOL ContainsWhitespace(LPCSTR text) {
    for (LPCSTR p = text != nullptr ? text : ""; *p != '\0'; p = mbcs::Next(p)) {
        if (_ismbcspace(_mbsnextc(U(p))) != 0) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL IsBlankText(LPCSTR text) {
    for (LPCSTR p = text != nullptr ? text : ""; *p != '\0'; p = mbcs::Next(p)) {
        if (_ismbcspace(_mbsnextc(U(p))) == 0) {
            return FALSE;
        }
    }
    return TRUE;
}
