#include "util/string_sort.h"

#include "platform/crt_strings.h"
#include "util/string_compare.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <numeric>
#include <vector>

namespace {

std::vector<CString> ToVector(const CStringList& list) {
    std::vector<CString> items;
    items.reserve(static_cast<std::size_t>(list.GetCount()));
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        items.push_back(list.GetNext(position));
    }
    return items;
}

void Refill(CStringList& list, const std::vector<CString>& items) {
    list.RemoveAll();
    for (const CString& item : items) {
        list.AddTail(item);
    }
}

void FillIndexes(const CStringArray& array, CDWordArray& indexes,
                 const std::function<bool(const char*, const char*)>& before) {
    std::vector<DWORD> order(static_cast<std::size_t>(array.GetSize()));
    std::iota(order.begin(), order.end(), DWORD{0});
    std::stable_sort(order.begin(), order.end(), [&](DWORD x, DWORD y) { return before(array[x], array[y]); });
    indexes.SetSize(static_cast<INT_PTR>(order.size()));
    for (std::size_t k = 0; k < order.size(); ++k) {
        indexes[static_cast<INT_PTR>(k)] = order[k];
    }
}

}  // namespace

int SortStringList(CStringList& list, BOOL exact) {
    std::vector<CString> items = ToVector(list);
    std::stable_sort(items.begin(), items.end(), [exact](const CString& a, const CString& b) {
        return text_compare::Compare(a, b, exact != FALSE) < 0;
    });
    Refill(list, items);
    return 0;
}

int SortStringListDescending(CStringList& list, BOOL exact) {
    SortStringList(list, exact);
    std::vector<CString> items = ToVector(list);
    std::reverse(items.begin(), items.end());
    Refill(list, items);
    return 0;
}

void SortPairList(CStringPairList& list, BOOL byFirst, BOOL exact) {
    std::vector<DOUBLESTRING_STRUCT> pairs;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        pairs.push_back(list.GetNext(position));
    }
    std::stable_sort(pairs.begin(), pairs.end(), [&](const DOUBLESTRING_STRUCT& a, const DOUBLESTRING_STRUCT& b) {
        return byFirst ? text_compare::Compare(a.first, b.first, exact != FALSE) < 0
                       : text_compare::Compare(a.second, b.second, exact != FALSE) < 0;
    });
    list.RemoveAll();
    for (const DOUBLESTRING_STRUCT& pair : pairs) {
        list.AddTail(pair);
    }
}

void SortParallelArrays(CStringArray& a, CStringArray& b, BOOL exact) {
    if (a.GetSize() != b.GetSize()) {
        return;
    }
    std::vector<std::pair<CString, CString>> pairs;
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        pairs.emplace_back(a[i], b[i]);
    }
    std::stable_sort(pairs.begin(), pairs.end(), [exact](const auto& x, const auto& y) {
        return text_compare::Compare(x.first, y.first, exact != FALSE) < 0;
    });
    for (std::size_t i = 0; i < pairs.size(); ++i) {
        a[static_cast<INT_PTR>(i)] = pairs[i].first;
        b[static_cast<INT_PTR>(i)] = pairs[i].second;
    }
}

void SortIndexes(const CStringArray& array, CDWordArray& indexes) {
    FillIndexes(array, indexes, [](const char* x, const char* y) { return _stricmp(x, y) < 0; });
}

void SortIndexesEx(const CStringArray& array, CDWordArray& indexes, const BOOL& exact, BOOL ascending) {
    const bool withCase = exact != FALSE;
    FillIndexes(array, indexes, [withCase, ascending](const char* x, const char* y) {
        const int order = withCase ? std::strcmp(x, y) : _stricmp(x, y);
        return ascending ? order < 0 : order > 0;
    });
}

void SortIndexesByTwoKeys(const CStringArray& primary, const CStringArray* secondary, CDWordArray& indexes) {
    std::vector<DWORD> order(static_cast<std::size_t>(primary.GetSize()));
    std::iota(order.begin(), order.end(), DWORD{0});
    const auto secondaryOf = [&](DWORD i) -> const char* {
        if (secondary == nullptr || static_cast<INT_PTR>(i) >= secondary->GetSize()) {
            return "";
        }
        return (*secondary)[i];
    };
    std::stable_sort(order.begin(), order.end(), [&](DWORD x, DWORD y) {
        const int first = _stricmp(primary[x], primary[y]);
        return first != 0 ? first < 0 : _stricmp(secondaryOf(x), secondaryOf(y)) < 0;
    });
    indexes.SetSize(static_cast<INT_PTR>(order.size()));
    for (std::size_t k = 0; k < order.size(); ++k) {
        indexes[static_cast<INT_PTR>(k)] = order[k];
    }
}
