#include "frame/com_utils.h"

#include "util/variant_list.h"
#include "util/file_time.h"
#include "util/string_lists.h"
#include "util/string_numbers.h"

#include <vector>

namespace {

using variant_list::Reader;
using variant_list::Writer;

// The values of a list whose elements are all of one kind; false (and values
// untouched) when the list is refused.
template <typename Value, typename Get>
bool ReadValues(const VARIANT& list, VARTYPE type, std::vector<Value>& values, Get get) {
    const Reader reader(list, type);
    if (!reader.IsValid()) {
        return false;
    }
    std::vector<Value> read(reader.Count());
    for (std::size_t i = 0; i < read.size(); ++i) {
        if (!(reader.*get)(i, read[i])) {
            return false;
        }
    }
    values = std::move(read);
    return true;
}

bool ReadUints(const VARIANT& list, std::vector<UINT>& values) {
    return ReadValues(list, variant_list::kUints, values, &Reader::Uint);
}

// The texts of a string list; false when refused. Records need a whole
// number of them only where the caller checks the count.
bool ReadTexts(const VARIANT& list, std::vector<CString>& texts) {
    return variant_list::ReadTexts(list, 1, texts);
}

template <typename Container, typename Add>
void ForEach(const Container& list, Add add) {
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        add(list.GetNext(position));
    }
}

DWORD Number(const CString& text) {
    return static_cast<DWORD>(ReadInt(text));
}

}  // namespace

void CComUtils::VariantToUintList(const VARIANT& list, CUIntArray* array) {
    std::vector<UINT> values;
    if (array != nullptr && ReadUints(list, values)) {
        for (const UINT value : values) {
            array->Add(value);
        }
    }
}

void CComUtils::VariantToDWordArray(const VARIANT& list, CDWordArray& array) {
    CUIntArray values;
    VariantToUintList(list, &values);
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        array.Add(values[i]);
    }
}

void CComUtils::VariantToUintCList(const VARIANT& list, CUintList* values) {
    if (values != nullptr) {
        VariantToUintCList(list, *values);
    }
}

void CComUtils::VariantToUintCList(const VARIANT& list, CUintList& values) {
    std::vector<UINT> read;
    if (ReadUints(list, read)) {
        for (const UINT value : read) {
            values.AddTail(value);
        }
    }
}

void CComUtils::UintListToVariant(const CUIntArray& array, VARIANT& out) {
    Writer writer(static_cast<std::size_t>(array.GetSize()));
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        writer.Uint(static_cast<std::size_t>(i), array[i]);
    }
    writer.Finish(out, variant_list::kUints);
}

void CComUtils::DWordArrayToVariant(const CDWordArray& array, VARIANT& out) {
    CUIntArray values;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        values.Add(static_cast<UINT>(array[i]));
    }
    UintListToVariant(values, out);
}

void CComUtils::UintCListToVariant(const CUintList& values, VARIANT& out) {
    VariantInit(&out);
    Writer writer(static_cast<std::size_t>(values.GetCount()));
    std::size_t index = 0;
    ForEach(values, [&](UINT value) { writer.Uint(index++, value); });
    writer.Finish(out, variant_list::kUints);
}

void CComUtils::VariantToStringList(const VARIANT& list, CStringList* strings) {
    if (strings != nullptr) {
        SafeArrayToStringList(list, *strings);
    }
}

void CComUtils::VariantToStringArray(const VARIANT& list, CStringArray& array) {
    std::vector<CString> texts;
    if (!ReadTexts(list, texts)) {
        return;
    }
    array.SetSize(static_cast<INT_PTR>(texts.size()));
    for (std::size_t i = 0; i < texts.size(); ++i) {
        array[static_cast<INT_PTR>(i)] = texts[i];
    }
}

void CComUtils::SafeArrayToStringList(const VARIANT& list, CStringList& strings) {
    std::vector<CString> texts;
    if (ReadTexts(list, texts)) {
        for (const CString& text : texts) {
            strings.AddTail(text);
        }
    }
}

void CComUtils::StringListToSafeArray(const CStringList& strings, VARIANT& out) {
    std::vector<CString> texts;
    ForEach(strings, [&](const CString& text) { texts.push_back(text); });
    variant_list::WriteTexts(texts, out);
}

void CComUtils::StringArrayToVariant(const CStringArray& array, VARIANT& out) {
    std::vector<CString> texts;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        texts.push_back(array[i]);
    }
    variant_list::WriteTexts(texts, out);
}

void CComUtils::BstrToStringArray(BSTR text, CStringArray& array) {
    array.RemoveAll();
    CString entry;
    const UINT length = SysStringLen(text);
    for (UINT i = 0; i < length; ++i) {
        if (text[i] == 0) {
            if (!entry.IsEmpty()) {
                array.Add(entry);
                entry.Empty();
            }
        } else {
            entry += static_cast<char>(text[i] & 0xFF);
        }
    }
    if (!entry.IsEmpty()) {
        array.Add(entry);
    }
}

void CComUtils::SafeArrayToStringPairList(const VARIANT& list, CStringPairList& pairs) {
    std::vector<CString> texts;
    if (variant_list::ReadTexts(list, 2, texts)) {
        for (std::size_t i = 0; i < texts.size(); i += 2) {
            pairs.AddTail(DOUBLESTRING_STRUCT(texts[i], texts[i + 1]));
        }
    }
}

void CComUtils::SafeArrayToStringPairArray(const VARIANT& list, CStringPairArray& pairs) {
    std::vector<CString> texts;
    if (ReadTexts(list, texts)) {
        for (std::size_t i = 0; i + 1 < texts.size(); i += 2) {
            pairs.Add(DOUBLESTRING_STRUCT(texts[i], texts[i + 1]));
        }
    }
}

void CComUtils::StringPairListToSafeArray(const CStringPairList& pairs, VARIANT& out) {
    std::vector<CString> texts;
    ForEach(pairs, [&](const DOUBLESTRING_STRUCT& pair) { texts.insert(texts.end(), {pair.first, pair.second}); });
    variant_list::WriteTexts(texts, out);
}

void CComUtils::SafeArrayToStringTripleList(const VARIANT& list, CStringTripleList& triples) {
    std::vector<CString> texts;
    if (variant_list::ReadTexts(list, 3, texts)) {
        for (std::size_t i = 0; i < texts.size(); i += 3) {
            triples.AddTail(TRIPLESTRING_STRUCT(texts[i], texts[i + 1], texts[i + 2]));
        }
    }
}

void CComUtils::SafeArrayToStringTripleArray(const VARIANT& list, CStringTripleArray& triples) {
    std::vector<CString> texts;
    if (ReadTexts(list, texts)) {
        for (std::size_t i = 0; i + 2 < texts.size(); i += 3) {
            triples.Add(TRIPLESTRING_STRUCT(texts[i], texts[i + 1], texts[i + 2]));
        }
    }
}

void CComUtils::StringTripleListToSafeArray(const CStringTripleList& triples, VARIANT& out) {
    std::vector<CString> texts;
    ForEach(triples, [&](const TRIPLESTRING_STRUCT& triple) {
        texts.insert(texts.end(), {triple.first, triple.second, triple.third});
    });
    variant_list::WriteTexts(texts, out);
}

void CComUtils::StringTripleArrayToSafeArray(const CStringTripleArray& triples, VARIANT& out) {
    std::vector<CString> texts;
    for (INT_PTR i = 0; i < triples.GetSize(); ++i) {
        texts.insert(texts.end(), {triples[i].first, triples[i].second, triples[i].third});
    }
    variant_list::WriteTexts(texts, out);
}

void CComUtils::SafeArrayToStringQuadList(const VARIANT& list, CStringQuadList& quads) {
    std::vector<CString> texts;
    if (variant_list::ReadTexts(list, 4, texts)) {
        for (std::size_t i = 0; i < texts.size(); i += 4) {
            quads.AddTail(QUADSTRING_STRUCT(texts[i], texts[i + 1], texts[i + 2], texts[i + 3]));
        }
    }
}

void CComUtils::SafeArrayToStringQuadArray(const VARIANT& list, CStringQuadArray& quads) {
    std::vector<CString> texts;
    if (variant_list::ReadTexts(list, 4, texts)) {
        for (std::size_t i = 0; i < texts.size(); i += 4) {
            quads.Add(QUADSTRING_STRUCT(texts[i], texts[i + 1], texts[i + 2], texts[i + 3]));
        }
    }
}

void CComUtils::StringQuadListToSafeArray(const CStringQuadList& quads, VARIANT& out) {
    std::vector<CString> texts;
    ForEach(quads, [&](const QUADSTRING_STRUCT& quad) {
        texts.insert(texts.end(), {quad.first, quad.second, quad.third, quad.fourth});
    });
    variant_list::WriteTexts(texts, out);
}

void CComUtils::VariantToStringUintList(const VARIANT& list, CStringUintList& records) {
    std::vector<CString> texts;
    if (variant_list::ReadTexts(list, 2, texts)) {
        for (std::size_t i = 0; i < texts.size(); i += 2) {
            records.AddTail(USTRINGUINT_STRUCT(texts[i], Number(texts[i + 1])));
        }
    }
}

void CComUtils::StringUintListToVariant(const CStringUintList& records, VARIANT& out) {
    std::vector<CString> texts;
    ForEach(records, [&](const USTRINGUINT_STRUCT& record) {
        texts.insert(texts.end(), {record.text, variant_list::NumberText(record.value)});
    });
    variant_list::WriteTexts(texts, out);
}

void CComUtils::VariantToDoubleStringUintList(const VARIANT& list, CDoubleStringUintList& records) {
    std::vector<CString> texts;
    if (variant_list::ReadTexts(list, 3, texts)) {
        for (std::size_t i = 0; i < texts.size(); i += 3) {
            records.AddTail(DOUBLESTRINGUINT_STRUCT(texts[i], texts[i + 1], Number(texts[i + 2])));
        }
    }
}

void CComUtils::DoubleStringUintListToVariant(const CDoubleStringUintList& records, VARIANT& out) {
    std::vector<CString> texts;
    ForEach(records, [&](const DOUBLESTRINGUINT_STRUCT& record) {
        texts.insert(texts.end(), {record.first, record.second, variant_list::NumberText(record.value)});
    });
    variant_list::WriteTexts(texts, out);
}

void CComUtils::StringMapToVariant(const CMapStringToString& map, VARIANT& out) {
    CStringList texts;
    MapToKeyValueList(map, texts);
    StringListToSafeArray(texts, out);
}

void CComUtils::VariantToStringMap(const VARIANT& list, CMapStringToString& map) {
    CStringList texts;
    SafeArrayToStringList(list, texts);
    KeyValueListToMap(texts, map);
}

void CComUtils::NamedStringMapsToVariant(const CNamedStringMaps& maps, VARIANT& out) {
    CStringList texts;
    for (POSITION position = maps.GetStartPosition(); position != nullptr;) {
        CString key;
        CMapStringToString* map = nullptr;
        maps.GetNextAssoc(position, key, map);
        CStringList group;
        if (map != nullptr) {
            MapToKeyValueList(*map, group);
        }
        texts.AddTail(key);
        texts.AddTail(variant_list::NumberText(static_cast<DWORD>(group.GetCount())));
        texts.AddTail(&group);
    }
    StringListToSafeArray(texts, out);
}

void CComUtils::VariantToNamedStringMaps(const VARIANT& list, CNamedStringMaps& maps) {
    std::vector<CString> texts;
    if (!ReadTexts(list, texts)) {
        return;
    }
    std::size_t next = 0;
    while (texts.size() - next >= 2) {
        const CString& key = texts[next];
        const int count = ReadInt(texts[next + 1]);
        next += 2;
        if (count < 0 || static_cast<std::size_t>(count) > texts.size() - next) {
            return;
        }
        CStringList group;
        for (int i = 0; i < count; ++i) {
            group.AddTail(texts[next++]);
        }
        // A key read again keeps its map, emptied and filled anew: replacing
        // the pointer would orphan the map it pointed to.
        CMapStringToString* map = nullptr;
        if (maps.Lookup(key, map) && map != nullptr) {
            map->RemoveAll();
        } else {
            auto created = std::make_unique<CMapStringToString>();
            maps.SetAt(key, created.get());
            map = created.release();
        }
        KeyValueListToMap(group, *map);
    }
}

void CComUtils::FileTimeToVariant(const CFileTime& time, VARIANT& out) {
    variant_list::WriteTexts({time.FormatHex()}, out);
}

void CComUtils::VariantToFileTime(const VARIANT& list, CFileTime& time) {
    std::vector<CString> texts;
    if (!ReadTexts(list, texts) || texts.size() != 1) {
        return;
    }
    CString text = texts[0];
    text.MakeReverse();
    time = CFileTime(static_cast<LPCSTR>(text));
}

void CComUtils::VariantToByteBuffer(const VARIANT& list, std::unique_ptr<BYTE[]>& buffer, DWORD& length) {
    std::vector<BYTE> bytes;
    if (!ReadValues(list, variant_list::kBytes, bytes, &Reader::Byte)) {
        return;
    }
    buffer = std::make_unique<BYTE[]>(bytes.size());
    std::copy(bytes.begin(), bytes.end(), buffer.get());
    length = static_cast<DWORD>(bytes.size());
}

void CComUtils::ByteArrayToSafeArray(const CByteArray& bytes, VARIANT& out) {
    ByteBufferToVariant(bytes.GetData(), static_cast<DWORD>(bytes.GetSize()), out);
}

void CComUtils::ByteBufferToVariant(const BYTE* bytes, DWORD count, VARIANT& out) {
    Writer writer(bytes != nullptr ? count : 0);
    for (DWORD i = 0; bytes != nullptr && i < count; ++i) {
        writer.Byte(i, bytes[i]);
    }
    writer.Finish(out, variant_list::kBytes);
}

void CComUtils::SafeArrayToByteArray(const VARIANT& list, CByteArray& bytes) {
    std::vector<BYTE> read;
    if (ReadValues(list, variant_list::kBytes, read, &Reader::Byte)) {
        for (const BYTE byte : read) {
            bytes.Add(byte);
        }
    }
}

void CComUtils::IntArrayToVariant(const CInt32Array& values, VARIANT& out) {
    Writer writer(static_cast<std::size_t>(values.GetSize()));
    for (INT_PTR i = 0; i < values.GetSize(); ++i) {
        writer.Int(static_cast<std::size_t>(i), values[i]);
    }
    writer.Finish(out, variant_list::kInts);
}

void CComUtils::VariantToIntArray(const VARIANT& list, CInt32Array& values) {
    std::vector<LONG> read;
    if (ReadValues(list, variant_list::kInts, read, &Reader::Int)) {
        for (const LONG value : read) {
            values.Add(value);
        }
    }
}

void SafeArrayToStringList(const VARIANT& list, CStringList& strings) {
    CComUtils::SafeArrayToStringList(list, strings);
}

void StringListToSafeArray(const CStringList& strings, VARIANT& out) {
    CComUtils::StringListToSafeArray(strings, out);
}
