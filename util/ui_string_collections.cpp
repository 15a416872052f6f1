#include "util/ui_string_collections.h"

#include "platform/mbstring.h"
#include "util/string_lists.h"
#include "util/string_numbers.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

// Pointers to the texts, sorted in byte order.
std::vector<const char*> SortedTexts(const CStringList& list) {
    std::vector<const char*> texts;
    texts.reserve(static_cast<std::size_t>(list.GetCount()));
    for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
        texts.push_back(list.GetNext(at));
    }
    if (!texts.empty()) {
        std::qsort(texts.data(), texts.size(), sizeof(const char*), &CompareTextPointers);
    }
    return texts;
}

bool DigitsOnly(const char* text) {
    if (*text == '\0') {
        return false;
    }
    for (; *text != '\0'; ++text) {
        if (*text < '0' || *text > '9') {
            return false;
        }
    }
    return true;
}

bool InUse(const CStringList& names, const CString& name) {
    return FindListStringPosition(name, names, FALSE) != nullptr;
}

// The number in decimal; it may pass 2^31 - 1 by one, so it is not a LONG.
CString Numbered(LPCSTR base, long long number) {
    return CString(base) + CString(std::to_string(number));
}

bool SameStartNoCase(const char* name, const char* base, std::size_t baseLength) {
    if (std::strlen(name) < baseLength) {
        return false;
    }
    const std::string start(name, baseLength);
    return _mbsicmp(reinterpret_cast<const unsigned char*>(start.c_str()),
                    reinterpret_cast<const unsigned char*>(base)) == 0;
}

}  // namespace

POSITION FindListStringPosition(LPCSTR text, const CStringList& list, BOOL exact) {
    return FindStringPosition(text, list, exact);
}

void CopyStringListUnique(const CStringList& source, CStringList& destination, BOOL clear) {
    if (clear) {
        destination.RemoveAll();
    }
    for (POSITION at = source.GetHeadPosition(); at != nullptr;) {
        const CString& text = source.GetNext(at);
        if (destination.Find(text) == nullptr) {
            destination.AddTail(text);
        }
    }
}

void CopyStringMapItems(const CMapStringToString& source, CMapStringToString& destination, BOOL clear) {
    if (clear) {
        destination.RemoveAll();
    }
    for (POSITION at = source.GetStartPosition(); at != nullptr;) {
        CString key;
        CString value;
        source.GetNextAssoc(at, key, value);
        destination.SetAt(key, value);
    }
}

int GetStringMapKeys(const CMapStringToString* map, CStringList& keys) {
    keys.RemoveAll();
    if (map == nullptr) {
        return 0;
    }
    for (POSITION at = map->GetStartPosition(); at != nullptr;) {
        CString key;
        CString value;
        map->GetNextAssoc(at, key, value);
        keys.AddTail(key);
    }
    return static_cast<int>(keys.GetCount());
}

CString MakeUniqueName(LPCSTR base, const CStringList& names) {
    const CString baseText = base != nullptr ? base : "";
    const std::size_t baseLength = static_cast<std::size_t>(baseText.GetLength());
    // The names that begin with the base (ignoring case), greatest first.
    std::vector<const char*> candidates;
    std::size_t longest = 0;
    for (const char* name : SortedTexts(names)) {
        if (SameStartNoCase(name, baseText, baseLength)) {
            candidates.insert(candidates.begin(), name);
            longest = std::max(longest, std::strlen(name));
        }
    }
    for (const char* candidate : candidates) {
        if (std::strlen(candidate) != longest) {
            continue;
        }
        const char* suffix = candidate + baseLength;
        if (!DigitsOnly(suffix)) {
            continue;
        }
        // Read as the Windows run time's atol reads (32 bits).
        const long long number = static_cast<long long>(ReadInt(suffix)) + 1;
        if (number <= 0) {
            continue;
        }
        const CString name = Numbered(baseText, number);
        if (!InUse(names, name)) {
            return name;
        }
    }
    // No candidate gave a free name: count on from 1 to the first free one.
    for (long long number = 1;; ++number) {
        const CString name = Numbered(baseText, number);
        if (!InUse(names, name)) {
            return name;
        }
    }
}

int GetSortedInsertIndex(const CStringList& list, LPCSTR text) {
    if (text == nullptr || *text == '\0' || list.IsEmpty()) {
        return 0;
    }
    CStringList all;
    all.AddTail(&list);
    all.AddTail(text);
    const std::vector<const char*> sorted = SortedTexts(all);
    for (std::size_t index = 0; index < sorted.size(); ++index) {
        if (std::strcmp(sorted[index], text) == 0) {
            return static_cast<int>(index);
        }
    }
    return 0;
}

int CompareTextPointers(const void* first, const void* second) {
    return std::strcmp(*static_cast<const char* const*>(first), *static_cast<const char* const*>(second));
}
