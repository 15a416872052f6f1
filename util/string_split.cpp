#include "util/string_split.h"

#include "util/mbcs.h"
#include "util/string_numbers.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

bool IsSingleByte(const char* p, char c) {
    return mbcs::CharBytes(p) == 1 && *p == c;
}

// The parts of a text at each single-byte separator; after maxParts - 1
// parts (when maxParts > 0) the rest is the last part.
int Split(LPCSTR text, CStringList& list, char separator, int maxParts) {
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    int parts = 0;
    const char* start = text;
    for (const char* p = text; *p != '\0'; p = mbcs::Next(p)) {
        if (maxParts > 0 && parts == maxParts - 1) {
            break;
        }
        if (IsSingleByte(p, separator)) {
            list.AddTail(CString(start, static_cast<int>(p - start)));
            ++parts;
            start = p + 1;
        }
    }
    list.AddTail(start);
    return parts + 1;
}

int CopyToArray(const CStringList& list, CStringArray& array) {
    array.SetSize(list.GetCount());
    INT_PTR index = 0;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        array.SetAt(index++, list.GetNext(position));
    }
    return static_cast<int>(list.GetCount());
}

}  // namespace

int SplitToStringList(LPCSTR text, CStringList& list, char separator) {
    return Split(text, list, separator, 0);
}

int SplitToStringListMax(LPCSTR text, CStringList& list, char separator, int max) {
    return Split(text, list, separator, max <= 1 ? 1 : max);
}

int SplitAtWhitespace(LPCSTR text, CStringList& list) {
    if (text == nullptr) {
        return 0;
    }
    int parts = 0;
    const char* start = text;
    for (const char* p = text; *p != '\0'; p = mbcs::Next(p)) {
        if (mbcs::CharBytes(p) == 1 && std::isspace(static_cast<unsigned char>(*p))) {
            if (p > start) {
                list.AddTail(CString(start, static_cast<int>(p - start)));
                ++parts;
            }
            start = p + 1;
        }
    }
    list.AddTail(start);
    return parts + 1;
}

int SplitEscaped(LPCSTR text, CStringList& list, char separator, char escape) {
    if (text == nullptr || *text == '\0') {
        return 0;
    }
    int parts = 0;
    CString part;
    for (const char* p = text; *p != '\0';) {
        const char* next = mbcs::Next(p);
        if (IsSingleByte(p, escape) && (IsSingleByte(next, separator) || IsSingleByte(next, escape))) {
            part += *next;
            p = next + 1;
            continue;
        }
        if (IsSingleByte(p, separator)) {
            list.AddTail(part);
            part.Empty();
            ++parts;
        } else {
            part += CString(p, static_cast<int>(next - p));
        }
        p = next;
    }
    list.AddTail(part);
    return parts + 1;
}

int SplitToStringArray(LPCSTR text, CStringArray& array, char separator) {
    CStringList list;
    SplitToStringList(text, list, separator);
    return CopyToArray(list, array);
}

int SplitToStringArrayMax(LPCSTR text, CStringArray& array, char separator, int max) {
    CStringList list;
    SplitToStringListMax(text, list, separator, max);
    return CopyToArray(list, array);
}

int SplitAtWhitespaceToArray(LPCSTR text, CStringArray& array) {
    CStringList list;
    SplitAtWhitespace(text, list);
    return CopyToArray(list, array);
}

int SplitEscapedToArray(LPCSTR text, CStringArray& array, char separator, char escape) {
    CStringList list;
    SplitEscaped(text, list, separator, escape);
    return CopyToArray(list, array);
}

int MultiStringToList(const char* multiString, CStringList& list) {
    if (multiString == nullptr) {
        return -1;
    }
    for (const char* p = multiString; *p != '\0'; p += std::strlen(p) + 1) {
        list.AddTail(p);
    }
    return static_cast<int>(list.GetCount());
}

int MultiStringToArray(const char* multiString, CStringArray& array) {
    CStringList list;
    if (MultiStringToList(multiString, list) < 0) {
        return -1;
    }
    return CopyToArray(list, array);
}

int CountMultiStringItems(const char* multiString) {
    if (multiString == nullptr) {
        return -1;
    }
    int count = 0;
    for (const char* p = multiString; *p != '\0'; p += std::strlen(p) + 1) {
        ++count;
    }
    return count;
}

void SplitAtFirstText(LPCSTR text, LPCSTR separator, CString& left, CString& right) {
    if (text == nullptr || *text == '\0' || separator == nullptr || *separator == '\0') {
        return;
    }
    const int found = mbcs::FindText(text, separator);
    if (found < 0) {
        return;
    }
    left = CString(text, found);
    right = text + found + std::strlen(separator);
}

void SplitAtText(LPCSTR text, LPCSTR separator, CStringList& list) {
    list.RemoveAll();
    if (text == nullptr || *text == '\0') {
        return;
    }
    const int separatorLength = separator != nullptr ? static_cast<int>(std::strlen(separator)) : 0;
    int start = 0;
    while (separatorLength > 0) {
        const int found = mbcs::FindText(text, separator, start);
        if (found < 0) {
            break;
        }
        list.AddTail(CString(text + start, found - start));
        start = found + separatorLength;
    }
    list.AddTail(text + start);
}

void SplitAtIndex(LPCSTR text, int index, CString& left, CString& right) {
    if (text == nullptr || *text == '\0' || index < 0) {
        return;
    }
    const int length = static_cast<int>(std::strlen(text));
    left = CString(text, std::min(index, length));
    right = index + 1 < length ? CString(text + index + 1) : CString();
}

void TextToIntList(LPCSTR text, CIntList& list) {
    list.RemoveAll();
    CStringList parts;
    SplitToStringList(text, parts, '|');
    for (POSITION position = parts.GetHeadPosition(); position != nullptr;) {
        list.AddTail(ReadInt(parts.GetNext(position)));
    }
}
