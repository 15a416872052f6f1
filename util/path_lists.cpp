#include "util/path_lists.h"

#include "util/string_lists.h"

void MergeStringListsNoCase(CStringList& list, const CStringList& other) {
    for (POSITION position = other.GetHeadPosition(); position != nullptr;) {
        AddStringNoCase(list, other.GetNext(position));
    }
}

BOOL AddStringNoCase(CStringList& list, LPCSTR text) {
    return AddUniqueString(&list, text, FALSE);
}

BOOL ContainsStringNoCase(const CStringList& list, LPCSTR text) {
    return ContainsString(list, text, FALSE);
}

BOOL StringListsEqualNoCase(const CStringList& list, const CStringList& other) {
    if (list.GetCount() != other.GetCount()) {
        return FALSE;
    }
    for (POSITION position = other.GetHeadPosition(); position != nullptr;) {
        if (!ContainsStringNoCase(list, other.GetNext(position))) {
            return FALSE;
        }
    }
    return TRUE;
}
