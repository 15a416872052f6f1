#include "util/placeholder_text.h"

#include "util/mbcs.h"
#include "util/path_form.h"
#include "util/placeholder_keywords.h"

#include <cstring>

namespace {

// Replacing goes on at most this often, however the texts combine.
constexpr int kMaxReplacements = 100'000;

bool IsChar(const char* p, char c) {
    return mbcs::CharBytes(p) == 1 && *p == c;
}

bool IsAllowed(int index, const int* allowed) {
    for (const int* p = allowed; p != nullptr && *p != 0; ++p) {
        if (*p == index) {
            return true;
        }
    }
    return false;
}

bool IsCustom(const CString& name, const CCustomPlaceholderMap& first, const CCustomPlaceholderMap& second) {
    CCustomPlaceholderInfo* record = nullptr;
    return first.Lookup(name, record) || second.Lookup(name, record);
}

// The first occurrence of token at or after from (a character boundary)
// that is not preceded by '$'; -1 when none.
int FindToken(const char* text, const CString& token, int from) {
    for (int found = mbcs::FindText(text, token, from); found >= 0;
         found = mbcs::FindText(text, token, static_cast<int>(mbcs::Next(text + found) - text))) {
        const char* previous = found > 0 ? reinterpret_cast<const char*>(
                                               _mbsdec(reinterpret_cast<const unsigned char*>(text),
                                                       reinterpret_cast<const unsigned char*>(text + found)))
                                         : nullptr;
        if (previous == nullptr || !IsChar(previous, '$')) {
            return found;
        }
    }
    return -1;
}

// The tokens of a keyword: "$(" long name ")" and, when it has one, "$("
// short code ")".
struct Tokens {
    CString longToken;
    CString shortToken;
};

Tokens TokensOf(int index) {
    Tokens tokens;
    if (index >= 0 && index < kPlaceholderCount) {
        tokens.longToken = CString("$(") + g_placeholderKeywords[index] + ")";
        if (index < kDeviceDetails) {
            tokens.shortToken = CString("$(") + g_placeholderShortCodes[index] + ")";
        }
    }
    return tokens;
}

// The first token of the keyword at or after from; its length in length.
int FindKeywordToken(const char* text, const Tokens& tokens, int from, int& length) {
    const int atLong = tokens.longToken.IsEmpty() ? -1 : FindToken(text, tokens.longToken, from);
    const int atShort = tokens.shortToken.IsEmpty() ? -1 : FindToken(text, tokens.shortToken, from);
    if (atLong < 0 && atShort < 0) {
        return -1;
    }
    const bool useLong = atShort < 0 || (atLong >= 0 && atLong <= atShort);
    length = useLong ? tokens.longToken.GetLength() : tokens.shortToken.GetLength();
    return useLong ? atLong : atShort;
}

BOOL UsesRange(LPCSTR text, int first, int last) {
    for (int index = first; index <= last; ++index) {
        if (ContainsKeyword(text, index)) {
            return TRUE;
        }
    }
    return FALSE;
}

}  // namespace

int SplitAtPlaceholder(LPCSTR text, CString& before, CString& name, CString& after, int start) {
    if (text == nullptr || CharCount(text) < 4 || start < 0 || static_cast<std::size_t>(start) > std::strlen(text)) {
        return 1;
    }
    // The character before each "$(" is examined, even before the start.
    const char* previous = nullptr;
    const char* open = nullptr;
    for (const char* p = text; *p != '\0'; previous = p, p = mbcs::Next(p)) {
        if (p - text >= start && IsChar(p, '$') && IsChar(p + 1, '(') &&
            (previous == nullptr || !IsChar(previous, '$'))) {
            open = p;
            break;
        }
    }
    if (open == nullptr || CharCount(open) < 4) {
        return 1;
    }
    const char* close = mbcs::FindChar(open + 2, ')');
    if (close == nullptr) {
        return 1;
    }
    before = CString(text, static_cast<int>(open - text));
    name = CString(open + 2, static_cast<int>(close - open - 2));
    after = close + 1;
    return 0;
}

int CheckPlaceholderNames(LPCSTR text, const int* allowed, const CCustomPlaceholderMap& first,
                          const CCustomPlaceholderMap& second) {
    CString working = text != nullptr ? text : "";
    CString before;
    CString name;
    CString after;
    while (SplitAtPlaceholder(working, before, name, after, 0) == 0) {
        const int index = FindAnyKeyword(name);
        if (index >= 0 ? !IsAllowed(index, allowed) : !IsCustom(name, first, second)) {
            return 0;
        }
        working = before + after;
    }
    return 1;
}

CString ReplaceKeyword(LPCSTR text, LPCSTR replacement, int index) {
    CString result = text != nullptr ? text : "";
    const CString with = replacement != nullptr ? replacement : "";
    const Tokens tokens = TokensOf(index);
    int ignored = 0;
    const bool insertsToken = FindKeywordToken(with, tokens, 0, ignored) >= 0;
    int from = 0;
    for (int count = 0; count < kMaxReplacements; ++count) {
        int length = 0;
        const int found = FindKeywordToken(result, tokens, from, length);
        if (found < 0) {
            break;
        }
        result = result.Left(found) + with + result.Mid(found + length);
        from = insertsToken ? found + with.GetLength() : 0;
    }
    return result;
}

BOOL ContainsKeyword(LPCSTR text, int index) {
    int length = 0;
    return text != nullptr && FindKeywordToken(text, TokensOf(index), 0, length) >= 0 ? TRUE : FALSE;
}

BOOL ContainsAnyKeyword(LPCSTR text, const int* indexes) {
    for (const int* p = indexes; p != nullptr && *p != 0; ++p) {
        if (ContainsKeyword(text, *p)) {
            return TRUE;
        }
    }
    return FALSE;
}

BOOL UsesFileKeywords(LPCSTR text) {
    return UsesRange(text, kFullFile, kExtension);
}

BOOL UsesWorkspaceKeywords(LPCSTR text) {
    return UsesRange(text, kWorkspaceDir, kConfigDir);
}

BOOL UsesProjectKeywords(LPCSTR text) {
    return UsesRange(text, kProjectDir, kConfigDir);
}

BOOL UsesConfigKeywords(LPCSTR text) {
    return UsesRange(text, kConfigName, kConfigDir);
}
