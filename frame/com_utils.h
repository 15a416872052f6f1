// CComUtils: conversions between the class library's collections and the
// list VARIANTs that cross the host boundary (see frame/variant_list.h).
//
// Writers create a new array; the VARIANT then belongs to the caller, who
// clears it. Readers append to (or, where said, fill) the caller's container,
// and leave it unchanged for an empty VARIANT, one of another type, a list
// whose array is no one-dimensional array of VARIANTs, or one with an element
// of the wrong kind. Numbers inside string lists are "%d" texts read back as
// the run time's atoi reads them. A text that cannot be allocated throws
// platform::ComError(E_OUTOFMEMORY).
#pragma once

#include "util/string_records.h"
#include "platform/afx.h"
#include "platform/com.h"

#include <memory>

class CFileTime;

using CUintList = CList<UINT, UINT>;
using CInt32Array = CArray<LONG, LONG>;
// Named string maps: the maps pointed to belong to the owner of the map.
using CNamedStringMaps = CMap<CString, LPCSTR, CMapStringToString*, CMapStringToString*>;

class CComUtils : public CObject {
public:
    CComUtils() = default;
    ~CComUtils() override = default;

    // Unsigned integers (VT_ARRAY | VT_UINT).
    static void VariantToUintList(const VARIANT& list, CUIntArray* array);
    static void VariantToDWordArray(const VARIANT& list, CDWordArray& array);
    static void VariantToUintCList(const VARIANT& list, CUintList* values);
    static void VariantToUintCList(const VARIANT& list, CUintList& values);
    static void UintListToVariant(const CUIntArray& array, VARIANT& out);
    static void DWordArrayToVariant(const CDWordArray& array, VARIANT& out);
    static void UintCListToVariant(const CUintList& values, VARIANT& out);

    // Strings (VT_ARRAY | VT_BSTR).
    static void VariantToStringList(const VARIANT& list, CStringList* strings);
    // Sizes the array to the element count, then sets each element.
    static void VariantToStringArray(const VARIANT& list, CStringArray& array);
    static void SafeArrayToStringList(const VARIANT& list, CStringList& strings);
    static void StringListToSafeArray(const CStringList& strings, VARIANT& out);
    static void StringArrayToVariant(const CStringArray& array, VARIANT& out);
    // Empties the array, then adds each run of characters between NULs (the
    // whole stored length of the BSTR is read), each character narrowed to
    // its low byte; empty runs add nothing.
    static void BstrToStringArray(BSTR text, CStringArray& array);

    // String records, a fixed number of texts per record.
    // Pairs: the list form reads only an even count; the array form reads the
    // whole pairs and ignores a last odd text.
    static void SafeArrayToStringPairList(const VARIANT& list, CStringPairList& pairs);
    static void SafeArrayToStringPairArray(const VARIANT& list, CStringPairArray& pairs);
    static void StringPairListToSafeArray(const CStringPairList& pairs, VARIANT& out);
    // Triples: the list form reads only a multiple of 3; the array form reads
    // the whole triples.
    static void SafeArrayToStringTripleList(const VARIANT& list, CStringTripleList& triples);
    static void SafeArrayToStringTripleArray(const VARIANT& list, CStringTripleArray& triples);
    static void StringTripleListToSafeArray(const CStringTripleList& triples, VARIANT& out);
    static void StringTripleArrayToSafeArray(const CStringTripleArray& triples, VARIANT& out);
    // Quads: both forms read only a multiple of 4 (first to fourth in order).
    static void SafeArrayToStringQuadList(const VARIANT& list, CStringQuadList& quads);
    static void SafeArrayToStringQuadArray(const VARIANT& list, CStringQuadArray& quads);
    static void StringQuadListToSafeArray(const CStringQuadList& quads, VARIANT& out);
    // Text and value (2 per record), two texts and value (3 per record).
    static void VariantToStringUintList(const VARIANT& list, CStringUintList& records);
    static void StringUintListToVariant(const CStringUintList& records, VARIANT& out);
    static void VariantToDoubleStringUintList(const VARIANT& list, CDoubleStringUintList& records);
    static void DoubleStringUintListToVariant(const CDoubleStringUintList& records, VARIANT& out);

    // Maps: key, value, key, value ... in the map's order. Reading sets the
    // pairs as KeyValueListToMap does (an odd count leaves the map as it is,
    // a key already there empties it).
    static void StringMapToVariant(const CMapStringToString& map, VARIANT& out);
    static void VariantToStringMap(const VARIANT& list, CMapStringToString& map);
    // Per entry: its key, the number N of texts as "%d", then the entry's map
    // as N texts. Reading stops at a group whose count is negative or more
    // than the texts left; a key read again has its map refilled in place.
    static void NamedStringMapsToVariant(const CNamedStringMaps& maps, VARIANT& out);
    static void VariantToNamedStringMaps(const VARIANT& list, CNamedStringMaps& maps);

    // A file time as its one host text (CFileTime::FormatHex); reading takes
    // exactly one text and both halves.
    static void FileTimeToVariant(const CFileTime& time, VARIANT& out);
    static void VariantToFileTime(const VARIANT& list, CFileTime& time);

    // Bytes (VT_ARRAY | VT_UI1) and signed integers (VT_ARRAY | VT_I4).
    // The byte buffer is new (empty for no elements) and belongs to the caller.
    static void VariantToByteBuffer(const VARIANT& list, std::unique_ptr<BYTE[]>& buffer, DWORD& length);
    static void ByteArrayToSafeArray(const CByteArray& bytes, VARIANT& out);
    static void ByteBufferToVariant(const BYTE* bytes, DWORD count, VARIANT& out);
    static void SafeArrayToByteArray(const VARIANT& list, CByteArray& bytes);
    static void IntArrayToVariant(const CInt32Array& values, VARIANT& out);
    static void VariantToIntArray(const VARIANT& list, CInt32Array& values);
};

// The same as the CComUtils members, for the host-service wrappers.
void SafeArrayToStringList(const VARIANT& list, CStringList& strings);
void StringListToSafeArray(const CStringList& strings, VARIANT& out);
