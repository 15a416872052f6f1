#include "util/string_record_lists.h"

#include "util/variant_list.h"
#include "util/string_numbers.h"

#include <vector>

namespace {

template <typename Record>
BOOL ListsEqual(const CList<Record*, Record*>& a, const CList<Record*, Record*>& b) {
    if (a.GetCount() != b.GetCount()) {
        return FALSE;
    }
    for (POSITION x = a.GetHeadPosition(), y = b.GetHeadPosition(); x != nullptr;) {
        const Record* first = a.GetNext(x);
        const Record* second = b.GetNext(y);
        if (first != second && (first == nullptr || second == nullptr || !(*first == *second))) {
            return FALSE;
        }
    }
    return TRUE;
}

}  // namespace

void QuadStringListToVariant(const CQuadStringPtrList& list, VARIANT& out) {
    std::vector<CString> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        if (const QUADSTRING_STRUCT* record = list.GetNext(position)) {
            texts.insert(texts.end(), {record->third, record->second, record->fourth, record->first});
        }
    }
    variant_list::WriteTexts(texts, out);
}

void VariantToQuadStringList(const VARIANT& list, CQuadStringPtrList& out) {
    std::vector<CString> texts;
    if (!variant_list::ReadTexts(list, 4, texts)) {
        return;
    }
    for (std::size_t i = 0; i < texts.size(); i += 4) {
        out.AddTail(new QUADSTRING_STRUCT(texts[i + 3], texts[i + 1], texts[i], texts[i + 2]));
    }
}

BOOL QuadStringListsEqual(const CQuadStringPtrList& a, const CQuadStringPtrList& b) {
    return ListsEqual(a, b);
}

void DoubleStringUintListToVariant(const CDoubleStringUintPtrList& list, VARIANT& out) {
    std::vector<CString> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        if (const DOUBLESTRINGUINT_STRUCT* record = list.GetNext(position)) {
            texts.insert(texts.end(), {record->first, record->second, variant_list::NumberText(record->value)});
        }
    }
    variant_list::WriteTexts(texts, out);
}

void VariantToDoubleStringUintList(const VARIANT& list, CDoubleStringUintPtrList& out) {
    std::vector<CString> texts;
    if (!variant_list::ReadTexts(list, 3, texts)) {
        return;
    }
    for (std::size_t i = 0; i < texts.size(); i += 3) {
        out.AddTail(new DOUBLESTRINGUINT_STRUCT(texts[i], texts[i + 1], static_cast<UINT>(ReadInt(texts[i + 2]))));
    }
}

BOOL DoubleStringUintListsEqual(const CDoubleStringUintPtrList& a, const CDoubleStringUintPtrList& b) {
    return ListsEqual(a, b);
}
