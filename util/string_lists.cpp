#include "util/string_lists.h"

#include "util/string_compare.h"
#include "util/string_text.h"

#include <cstring>
#include <new>

namespace {

// The first string of the list equal to text, or null.
POSITION FindEqual(const CStringList& list, LPCSTR text, bool exact) {
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const POSITION current = position;
        if (text_compare::Equal(list.GetNext(position), text, exact)) {
            return current;
        }
    }
    return nullptr;
}

int IndexOf(const CStringList& list, LPCSTR text) {
    int index = 0;
    for (POSITION position = list.GetHeadPosition(); position != nullptr; ++index) {
        if (std::strcmp(list.GetNext(position), text) == 0) {
            return index;
        }
    }
    return -1;
}

BOOL HasDuplicate(const CStringList& list, bool exact) {
    for (POSITION outer = list.GetHeadPosition(); outer != nullptr;) {
        const CString& text = list.GetNext(outer);
        for (POSITION inner = outer; inner != nullptr;) {
            if (text_compare::Equal(text, list.GetNext(inner), exact)) {
                return TRUE;
            }
        }
    }
    return FALSE;
}

template <typename List, typename Record>
bool ContainsRecord(const List& list, const Record& record) {
    return list.Find(record) != nullptr;
}

}  // namespace

BOOL AddUniqueString(CStringList* list, LPCSTR text, BOOL exact) {
    if (list == nullptr || text == nullptr || FindEqual(*list, text, exact != FALSE) != nullptr) {
        return FALSE;
    }
    list->AddTail(text);
    return TRUE;
}

BOOL MergeStringLists(CStringList* list, const CStringList& other, BOOL exact) {
    if (list == nullptr) {
        return FALSE;
    }
    for (POSITION position = other.GetHeadPosition(); position != nullptr;) {
        const CString& text = other.GetNext(position);
        if (!text.IsEmpty() && FindEqual(*list, text, exact != FALSE) == nullptr) {
            list->AddTail(text);
        }
    }
    return TRUE;
}

BOOL RemoveString(CStringList& list, LPCSTR text, BOOL exact, BOOL all) {
    BOOL removed = FALSE;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const POSITION current = position;
        if (text_compare::Equal(list.GetNext(position), text, exact != FALSE)) {
            list.RemoveAt(current);
            removed = TRUE;
            if (!all) {
                break;
            }
        }
    }
    return removed;
}

void RemoveDuplicateStrings(CStringList& list, BOOL exact) {
    CStringList kept;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const CString& text = list.GetNext(position);
        if (FindEqual(kept, text, exact != FALSE) == nullptr) {
            kept.AddTail(text);
        }
    }
    list.RemoveAll();
    list.AddTail(&kept);
}

void RemoveListedStrings(const CStringList& texts, CStringList& list, BOOL noCase) {
    for (POSITION position = texts.GetHeadPosition(); position != nullptr;) {
        if (const POSITION found = FindEqual(list, texts.GetNext(position), noCase == FALSE)) {
            list.RemoveAt(found);
        }
    }
}

BOOL ContainsString(const CStringList& list, LPCSTR text, BOOL exact) {
    return text != nullptr && FindEqual(list, text, exact != FALSE) != nullptr ? TRUE : FALSE;
}

BOOL MoveStringToHead(CStringList& list, LPCSTR text, BOOL exact) {
    const POSITION found = text != nullptr ? FindEqual(list, text, exact != FALSE) : nullptr;
    if (found == nullptr) {
        return FALSE;
    }
    list.RemoveAt(found);
    list.AddHead(text);
    return TRUE;
}

int FindInStringList(const CStringList& list, LPCSTR text) {
    return text != nullptr ? IndexOf(list, text) : -1;
}

int FindInStringArray(const CStringArray& array, LPCSTR text) {
    for (INT_PTR i = 0; text != nullptr && i < array.GetSize(); ++i) {
        if (std::strcmp(array[i], text) == 0) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int FindInTextTable(const char* const* table, LPCSTR text) {
    for (int i = 0; table != nullptr && text != nullptr && table[i] != nullptr; ++i) {
        if (std::strcmp(table[i], text) == 0) {
            return i;
        }
    }
    return -1;
}

POSITION FindNoCase(const CStringList& list, LPCSTR text) {
    return text != nullptr ? FindEqual(list, text, false) : nullptr;
}

POSITION FindStringPosition(LPCSTR text, const CStringList& list, BOOL exact) {
    if (text == nullptr) {
        return nullptr;
    }
    if (exact) {
        return list.Find(text);
    }
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const POSITION current = position;
        const CString& item = list.GetNext(position);
        if (!item.IsEmpty() && text_compare::Equal(item, text, false)) {
            return current;
        }
    }
    return nullptr;
}

CString GetStringArrayItem(const CStringArray& array, INT_PTR index) {
    return index >= 0 && index < array.GetSize() ? array[index] : CString();
}

BOOL LookupParallel(const CStringList& keys, const CStringList& values, LPCSTR key, CString& value) {
    if (key == nullptr || keys.GetCount() != values.GetCount()) {
        return FALSE;
    }
    const int index = IndexOf(keys, key);
    if (index < 0) {
        return FALSE;
    }
    value = values.GetAt(values.FindIndex(index));
    return TRUE;
}

int ReplaceMatchingStrings(CStringList& list, LPCSTR text, LPCSTR replacement, const BOOL& exact) {
    int count = 0;
    for (POSITION position = list.GetHeadPosition(); text != nullptr && position != nullptr;) {
        const POSITION current = position;
        if (text_compare::Equal(list.GetNext(position), text, exact != FALSE)) {
            list.SetAt(current, replacement != nullptr ? replacement : "");
            ++count;
        }
    }
    return count;
}

void AppendStringList(CStringList& list, const CStringList& other) {
    list.AddTail(&other);
}

void AppendListToArray(const CStringList& list, CStringArray& array) {
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        array.Add(list.GetNext(position));
    }
}

void TableToStringList(const char* const* table, CStringList& list) {
    for (int i = 0; table != nullptr && table[i] != nullptr; ++i) {
        list.AddTail(table[i]);
    }
}

BOOL AddStringSafe(CStringList* list, LPCSTR text) {
    if (list == nullptr) {
        return FALSE;
    }
    try {
        list->AddTail(text);
    } catch (CException* exception) {
        exception->Delete();
        return FALSE;
    } catch (const std::bad_alloc&) {
        return FALSE;
    }
    return TRUE;
}

void AddMissingStrings(const CStringList& list, const CStringList& other, CStringList& out) {
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const CString& text = list.GetNext(position);
        if (IndexOf(other, text) < 0) {
            out.AddTail(text);
        }
    }
}

void DiffStringLists(const CStringList& a, const CStringList& b, CStringList& onlyInB, CStringList& onlyInA,
                     BOOL noCase) {
    const bool exact = noCase == FALSE;
    for (POSITION position = b.GetHeadPosition(); position != nullptr;) {
        const CString& text = b.GetNext(position);
        if (FindEqual(a, text, exact) == nullptr) {
            onlyInB.AddTail(text);
        }
    }
    for (POSITION position = a.GetHeadPosition(); position != nullptr;) {
        const CString& text = a.GetNext(position);
        if (FindEqual(b, text, exact) == nullptr) {
            onlyInA.AddTail(text);
        }
    }
}

void MergeUniqueNoCase(const CStringList& a, const CStringList& b, CStringList& out) {
    CMapStringToString byKey;
    for (const CStringList* list : {&a, &b}) {
        for (POSITION position = list->GetHeadPosition(); position != nullptr;) {
            const CString& text = list->GetNext(position);
            byKey.SetAt(MakeLowerCopy(text), text);
        }
    }
    for (POSITION position = byKey.GetStartPosition(); position != nullptr;) {
        CString key;
        CString text;
        byKey.GetNextAssoc(position, key, text);
        out.AddTail(text);
    }
}

BOOL HasDuplicate(const CStringList& list) {
    return HasDuplicate(list, true);
}

BOOL HasDuplicateNoCase(const CStringList& list) {
    return HasDuplicate(list, false);
}

BOOL SameStringLists(const CStringList& a, const CStringList& b) {
    if (a.GetCount() != b.GetCount()) {
        return FALSE;
    }
    for (POSITION x = a.GetHeadPosition(), y = b.GetHeadPosition(); x != nullptr;) {
        if (a.GetNext(x) != b.GetNext(y)) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SameStringSets(const CStringList& a, const CStringList& b) {
    if (a.GetCount() != b.GetCount() || HasDuplicate(a)) {
        return FALSE;
    }
    for (POSITION position = b.GetHeadPosition(); position != nullptr;) {
        if (IndexOf(a, b.GetNext(position)) < 0) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SameStringSetsNoOrder(const CStringList& a, const CStringList& b, BOOL noCase) {
    if (a.GetCount() != b.GetCount()) {
        return FALSE;
    }
    for (POSITION position = a.GetHeadPosition(); position != nullptr;) {
        if (FindEqual(b, a.GetNext(position), noCase == FALSE) == nullptr) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SameStringMaps(const CMapStringToString& a, const CMapStringToString& b) {
    if (a.GetCount() != b.GetCount()) {
        return FALSE;
    }
    for (POSITION position = a.GetStartPosition(); position != nullptr;) {
        CString key;
        CString value;
        CString other;
        a.GetNextAssoc(position, key, value);
        if (!b.Lookup(key, other) || other != value) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL SamePairLists(const CStringPairList& a, const CStringPairList& b) {
    if (a.GetCount() != b.GetCount()) {
        return FALSE;
    }
    for (POSITION x = a.GetHeadPosition(), y = b.GetHeadPosition(); x != nullptr;) {
        if (!(a.GetNext(x) == b.GetNext(y))) {
            return FALSE;
        }
    }
    return TRUE;
}

BOOL ContainsTriple(const CStringTripleList& list, const TRIPLESTRING_STRUCT& triple) {
    return ContainsRecord(list, triple) ? TRUE : FALSE;
}

void DiffTripleLists(const CStringTripleList& a, const CStringTripleList& b, CStringTripleList& onlyInB,
                     CStringTripleList& onlyInA) {
    for (POSITION position = b.GetHeadPosition(); position != nullptr;) {
        const TRIPLESTRING_STRUCT& triple = b.GetNext(position);
        if (!ContainsRecord(a, triple)) {
            onlyInB.AddTail(triple);
        }
    }
    for (POSITION position = a.GetHeadPosition(); position != nullptr;) {
        const TRIPLESTRING_STRUCT& triple = a.GetNext(position);
        if (!ContainsRecord(b, triple)) {
            onlyInA.AddTail(triple);
        }
    }
}

void MapToKeyValueList(const CMapStringToString& map, CStringList& list) {
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        CString key;
        CString value;
        map.GetNextAssoc(position, key, value);
        list.AddTail(key);
        list.AddTail(value);
    }
}

int KeyValueListToMap(const CStringList& list, CMapStringToString& map) {
    if (list.GetCount() % 2 != 0) {
        return 1;
    }
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        const CString& key = list.GetNext(position);
        const CString& value = list.GetNext(position);
        CString existing;
        if (map.Lookup(key, existing)) {
            map.RemoveAll();
            return 1;
        }
        map.SetAt(key, value);
    }
    return 0;
}
