#include "frame/com_utils.h"

#include "util/variant_list.h"
#include "platform/bstr.h"
#include "util/file_time.h"
#include "tests/util/list_helpers.h"
#include "tests/util/variant_helpers.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using test_lists::Fill;
using test_lists::Items;
using test_variants::FillTexts;
using test_variants::OwnedVariant;
using test_variants::Texts;
using Strings = std::vector<std::string>;

TEST(CComUtilsStrings, ListRoundTripWithVariantElements) {
    CStringList list;
    Fill(list, {"one", "", "three"});
    OwnedVariant value;
    CComUtils::StringListToSafeArray(list, value.Get());
    ASSERT_EQ(value.Get().vt, 8200);
    SAFEARRAY* array = value.Get().parray;
    ASSERT_NE(array, nullptr);
    VARTYPE elements = VT_EMPTY;
    EXPECT_EQ(SafeArrayGetVartype(array, &elements), S_OK);
    EXPECT_EQ(elements, VT_VARIANT);
    EXPECT_EQ(SafeArrayGetDim(array), 1u);
    LONG lower = -1;
    SafeArrayGetLBound(array, 1, &lower);
    EXPECT_EQ(lower, 0);
    VARIANT* data = nullptr;
    ASSERT_EQ(SafeArrayAccessData(array, reinterpret_cast<void**>(&data)), S_OK);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(data[i].vt, VT_BSTR);
    }
    SafeArrayUnaccessData(array);

    CStringList back;
    back.AddTail("kept");
    CComUtils::VariantToStringList(value.Get(), &back);
    EXPECT_EQ(Items(back), (Strings{"kept", "one", "", "three"}));
    CComUtils::VariantToStringList(value.Get(), nullptr);

    CStringArray array2;
    array2.Add("old");
    array2.Add("older");
    array2.Add("oldest");
    array2.Add("gone");
    CComUtils::VariantToStringArray(value.Get(), array2);
    EXPECT_EQ(Items(array2), (Strings{"one", "", "three"}));
    OwnedVariant fromArray;
    CComUtils::StringArrayToVariant(array2, fromArray.Get());
    EXPECT_EQ(Texts(fromArray.Get()), (Strings{"one", "", "three"}));

    CStringList viaFree;
    SafeArrayToStringList(value.Get(), viaFree);
    EXPECT_EQ(viaFree.GetCount(), 3);
    OwnedVariant viaFreeOut;
    StringListToSafeArray(viaFree, viaFreeOut.Get());
    EXPECT_EQ(Texts(viaFreeOut.Get()), Texts(value.Get()));
}

TEST(CComUtilsStrings, EmptyListsAndWrongTypes) {
    CStringList empty;
    OwnedVariant value;
    CComUtils::StringListToSafeArray(empty, value.Get());
    EXPECT_EQ(value.Get().vt, 8200);
    EXPECT_EQ(test_variants::Count(value.Get(), 8200), 0);

    CUIntArray numbers;
    numbers.Add(5);
    OwnedVariant numeric;
    CComUtils::UintListToVariant(numbers, numeric.Get());
    CStringList list;
    list.AddTail("kept");
    CComUtils::VariantToStringList(numeric.Get(), &list);
    EXPECT_EQ(Items(list), (Strings{"kept"}));
}

TEST(CComUtilsRecords, PairsTriplesAndQuadsTakeWholeRecords) {
    OwnedVariant five;
    FillTexts(five, {"a", "b", "c", "d", "e"});
    OwnedVariant four;
    FillTexts(four, {"a", "b", "c", "d"});

    CStringPairList pairs;
    CComUtils::SafeArrayToStringPairList(five.Get(), pairs);
    EXPECT_TRUE(pairs.IsEmpty());
    CComUtils::SafeArrayToStringPairList(four.Get(), pairs);
    ASSERT_EQ(pairs.GetCount(), 2);
    EXPECT_EQ(pairs.GetHead(), DOUBLESTRING_STRUCT("a", "b"));
    EXPECT_EQ(pairs.GetTail(), DOUBLESTRING_STRUCT("c", "d"));
    CStringPairArray pairArray;
    CComUtils::SafeArrayToStringPairArray(five.Get(), pairArray);
    EXPECT_EQ(pairArray.GetSize(), 2);
    OwnedVariant pairsOut;
    CComUtils::StringPairListToSafeArray(pairs, pairsOut.Get());
    EXPECT_EQ(Texts(pairsOut.Get()), (Strings{"a", "b", "c", "d"}));

    OwnedVariant seven;
    FillTexts(seven, {"1", "2", "3", "4", "5", "6", "7"});
    CStringTripleArray tripleArray;
    CComUtils::SafeArrayToStringTripleArray(seven.Get(), tripleArray);
    EXPECT_EQ(tripleArray.GetSize(), 2);
    CStringTripleList triples;
    CComUtils::SafeArrayToStringTripleList(seven.Get(), triples);
    EXPECT_TRUE(triples.IsEmpty());
    OwnedVariant triplesOut;
    CComUtils::StringTripleArrayToSafeArray(tripleArray, triplesOut.Get());
    EXPECT_EQ(Texts(triplesOut.Get()), (Strings{"1", "2", "3", "4", "5", "6"}));
    triples.AddTail(tripleArray[0]);
    CComUtils::StringTripleListToSafeArray(triples, triplesOut.Fresh());
    EXPECT_EQ(Texts(triplesOut.Get()), (Strings{"1", "2", "3"}));

    OwnedVariant eight;
    FillTexts(eight, {"1", "2", "3", "4", "5", "6", "7", "8"});
    OwnedVariant nine;
    FillTexts(nine, {"1", "2", "3", "4", "5", "6", "7", "8", "9"});
    CStringQuadArray quadArray;
    CComUtils::SafeArrayToStringQuadArray(eight.Get(), quadArray);
    EXPECT_EQ(quadArray.GetSize(), 2);
    CComUtils::SafeArrayToStringQuadArray(nine.Get(), quadArray);
    EXPECT_EQ(quadArray.GetSize(), 2);
    CStringQuadList quads;
    CComUtils::SafeArrayToStringQuadList(nine.Get(), quads);
    EXPECT_TRUE(quads.IsEmpty());
    quads.AddTail(QUADSTRING_STRUCT("a", "b", "c", "d"));
    OwnedVariant quadsOut;
    CComUtils::StringQuadListToSafeArray(quads, quadsOut.Get());
    EXPECT_EQ(Texts(quadsOut.Get()), (Strings{"a", "b", "c", "d"}));
}

TEST(CComUtilsRecords, TextsWithValues) {
    CStringUintList records;
    records.AddTail(USTRINGUINT_STRUCT("all", 0xFFFFFFFFu));
    OwnedVariant value;
    CComUtils::StringUintListToVariant(records, value.Get());
    EXPECT_EQ(Texts(value.Get()), (Strings{"all", "-1"}));
    CStringUintList back;
    CComUtils::VariantToStringUintList(value.Get(), back);
    ASSERT_EQ(back.GetCount(), 1);
    EXPECT_EQ(back.GetHead().value, 0xFFFFFFFFu);

    OwnedVariant three;
    FillTexts(three, {"a", "1", "b"});
    CComUtils::VariantToStringUintList(three.Get(), back);
    EXPECT_EQ(back.GetCount(), 1);
    OwnedVariant four;
    FillTexts(four, {"a", "1", "b", "x"});
    CComUtils::VariantToStringUintList(four.Get(), back);
    EXPECT_EQ(back.GetCount(), 3);
    EXPECT_EQ(back.GetTail().value, 0u);  // a text that is no number reads as 0

    CDoubleStringUintList doubles;
    doubles.AddTail(DOUBLESTRINGUINT_STRUCT("x", "y", 7));
    CComUtils::DoubleStringUintListToVariant(doubles, value.Fresh());
    CDoubleStringUintList doublesBack;
    CComUtils::VariantToDoubleStringUintList(value.Get(), doublesBack);
    ASSERT_EQ(doublesBack.GetCount(), 1);
    EXPECT_EQ(doublesBack.GetHead(), doubles.GetHead());
}

TEST(CComUtilsNumbers, UnsignedIntegersBytesAndSignedIntegers) {
    CDWordArray words;
    words.Add(1);
    words.Add(0xFFFFFFFFu);
    OwnedVariant value;
    CComUtils::DWordArrayToVariant(words, value.Get());
    EXPECT_EQ(value.Get().vt, 8215);
    CDWordArray into;
    into.Add(10);
    into.Add(20);
    CComUtils::VariantToDWordArray(value.Get(), into);
    ASSERT_EQ(into.GetSize(), 4);
    EXPECT_EQ(into[0], 10u);
    EXPECT_EQ(into[3], 0xFFFFFFFFu);

    CUintList list;
    CComUtils::VariantToUintCList(value.Get(), &list);
    CComUtils::VariantToUintCList(value.Get(), nullptr);
    EXPECT_EQ(list.GetCount(), 2);
    CUintList empty;
    OwnedVariant emptyOut;
    CComUtils::UintCListToVariant(empty, emptyOut.Get());
    EXPECT_EQ(emptyOut.Get().vt, 8215);
    EXPECT_EQ(test_variants::Count(emptyOut.Get(), 8215), 0);

    CByteArray bytes;
    bytes.Add(0x12);
    bytes.Add(0xFF);
    OwnedVariant byteList;
    CComUtils::ByteArrayToSafeArray(bytes, byteList.Get());
    EXPECT_EQ(byteList.Get().vt, 8209);
    std::unique_ptr<BYTE[]> buffer;
    DWORD length = 99;
    CComUtils::VariantToByteBuffer(byteList.Get(), buffer, length);
    ASSERT_EQ(length, 2u);
    EXPECT_EQ(buffer[1], 0xFF);
    CByteArray back;
    CComUtils::SafeArrayToByteArray(byteList.Get(), back);
    EXPECT_EQ(back.GetSize(), 2);

    OwnedVariant noBytes;
    CComUtils::ByteBufferToVariant(nullptr, 0, noBytes.Get());
    buffer.reset();
    CComUtils::VariantToByteBuffer(noBytes.Get(), buffer, length);
    EXPECT_EQ(length, 0u);
    EXPECT_NE(buffer, nullptr);  // a new, empty buffer

    CInt32Array ints;
    ints.Add(-5);
    OwnedVariant intList;
    CComUtils::IntArrayToVariant(ints, intList.Get());
    EXPECT_EQ(intList.Get().vt, 8195);
    CInt32Array intsBack;
    CComUtils::VariantToIntArray(intList.Get(), intsBack);
    ASSERT_EQ(intsBack.GetSize(), 1);
    EXPECT_EQ(intsBack[0], -5);
    CComUtils::VariantToIntArray(byteList.Get(), intsBack);  // another type
    EXPECT_EQ(intsBack.GetSize(), 1);
}

TEST(CComUtilsMaps, StringMapsAndNamedMaps) {
    CMapStringToString map;
    map.SetAt("k", "v");
    OwnedVariant value;
    CComUtils::StringMapToVariant(map, value.Get());
    EXPECT_EQ(Texts(value.Get()), (Strings{"k", "v"}));
    CMapStringToString back;
    CComUtils::VariantToStringMap(value.Get(), back);
    CString text;
    EXPECT_TRUE(back.Lookup("k", text));
    EXPECT_EQ(text, "v");

    CNamedStringMaps named;
    CMapStringToString emptyMap;
    named.SetAt("A", &emptyMap);
    CComUtils::NamedStringMapsToVariant(named, value.Fresh());
    EXPECT_EQ(Texts(value.Get()), (Strings{"A", "0"}));
}

TEST(CComUtilsMaps, NamedMapsStopAtABadCount) {
    OwnedVariant value;
    FillTexts(value, {"A", "2", "k", "v", "B", "5", "x"});
    CNamedStringMaps maps;
    CComUtils::VariantToNamedStringMaps(value.Get(), maps);
    ASSERT_EQ(maps.GetCount(), 1);
    CMapStringToString* a = nullptr;
    ASSERT_TRUE(maps.Lookup("A", a));
    CString text;
    EXPECT_TRUE(a->Lookup("k", text));
    EXPECT_EQ(text, "v");
    delete a;

    CNamedStringMaps odd;
    FillTexts(value, {"A", "1", "k"});
    CComUtils::VariantToNamedStringMaps(value.Get(), odd);
    ASSERT_TRUE(odd.Lookup("A", a));
    EXPECT_TRUE(a->IsEmpty());
    delete a;
}

// A repeated key replaced its map's pointer and left the old map to leak.
TEST(CComUtilsMaps, ARepeatedKeyRefillsItsMap) {
    OwnedVariant value;
    FillTexts(value, {"A", "2", "k", "1", "A", "2", "j", "2"});
    CNamedStringMaps maps;
    CMapStringToString existing;
    existing.SetAt("old", "x");
    maps.SetAt("A", &existing);
    CComUtils::VariantToNamedStringMaps(value.Get(), maps);
    CMapStringToString* a = nullptr;
    ASSERT_TRUE(maps.Lookup("A", a));
    EXPECT_EQ(a, &existing);
    CString text;
    EXPECT_EQ(existing.GetCount(), 1);
    EXPECT_TRUE(existing.Lookup("j", text));
    EXPECT_EQ(text, "2");
}

TEST(CComUtilsFileTimes, RoundTripThroughTheHostText) {
    const CFileTime time(0x01D2A3B4, 1);
    OwnedVariant value;
    CComUtils::FileTimeToVariant(time, value.Get());
    EXPECT_EQ(Texts(value.Get()), (Strings{"100000004b3a2d10"}));
    CFileTime back;
    CComUtils::VariantToFileTime(value.Get(), back);
    EXPECT_EQ(back, time);

    OwnedVariant two;
    FillTexts(two, {"100000004b3a2d10", "0"});
    CFileTime unchanged(5, 6);
    CComUtils::VariantToFileTime(two.Get(), unchanged);
    EXPECT_EQ(unchanged, CFileTime(5, 6));
}

TEST(CComUtilsStrings, BstrToStringArrayNarrowsAndSplitsAtNuls) {
    const OLECHAR text[] = {u'a', 0x00E9, 0, 0, 0x0141, u'b', 0};
    const BSTR bstr = SysAllocStringLen(text, 6);
    CStringArray array;
    array.Add("old");
    CComUtils::BstrToStringArray(bstr, array);
    EXPECT_EQ(Items(array), (Strings{"a\xE9", "Ab"}));  // U+0141 narrows to its low byte 0x41
    SysFreeString(bstr);
    CComUtils::BstrToStringArray(nullptr, array);
    EXPECT_TRUE(array.IsEmpty());
}

// A list of count elements whose odd-numbered elements the host left
// unfilled (VT_EMPTY); fill writes each even-numbered one.
template <typename Fill>
void ListWithGaps(OwnedVariant& out, std::size_t count, VARTYPE type, Fill fill) {
    variant_list::Writer writer(count);
    for (std::size_t i = 0; i < count; i += 2) {
        fill(writer, i);
    }
    writer.Finish(out.Get(), type);
}

TEST(CComUtilsLists, AnUnfilledElementReadsAsAnEmptyOrZeroValue) {
    OwnedVariant texts;
    ListWithGaps(texts, 4, 8200, [](variant_list::Writer& writer, std::size_t i) {
        writer.Text(i, i == 0 ? "a" : "c");
    });
    CStringList list;
    CComUtils::SafeArrayToStringList(texts.Get(), list);
    EXPECT_EQ(Items(list), (Strings{"a", "", "c", ""}));
    CStringArray array;
    CComUtils::VariantToStringArray(texts.Get(), array);
    EXPECT_EQ(Items(array), (Strings{"a", "", "c", ""}));
    CStringPairList pairs;
    CComUtils::SafeArrayToStringPairList(texts.Get(), pairs);
    ASSERT_EQ(pairs.GetCount(), 2);
    EXPECT_EQ(pairs.GetTail().second, "");

    OwnedVariant uints;
    ListWithGaps(uints, 3, 8215, [](variant_list::Writer& writer, std::size_t i) {
        writer.Uint(i, static_cast<UINT>(i + 5));
    });
    CUintList numbers;
    CComUtils::VariantToUintCList(uints.Get(), numbers);
    ASSERT_EQ(numbers.GetCount(), 3);
    EXPECT_EQ(numbers.GetHead(), 5u);
    EXPECT_EQ(numbers.GetAt(numbers.FindIndex(1)), 0u);
    EXPECT_EQ(numbers.GetTail(), 7u);

    OwnedVariant bytes;
    ListWithGaps(bytes, 2, 8209, [](variant_list::Writer& writer, std::size_t i) { writer.Byte(i, 0x7F); });
    CByteArray byteArray;
    CComUtils::SafeArrayToByteArray(bytes.Get(), byteArray);
    ASSERT_EQ(byteArray.GetSize(), 2);
    EXPECT_EQ(byteArray[0], 0x7F);
    EXPECT_EQ(byteArray[1], 0);

    OwnedVariant ints;
    ListWithGaps(ints, 2, 8195, [](variant_list::Writer& writer, std::size_t i) { writer.Int(i, -3); });
    CInt32Array intArray;
    CComUtils::VariantToIntArray(ints.Get(), intArray);
    ASSERT_EQ(intArray.GetSize(), 2);
    EXPECT_EQ(intArray[0], -3);
    EXPECT_EQ(intArray[1], 0);
}

TEST(CComUtilsStrings, MalformedListsAreLeftAlone) {
    // An element of another kind in a string list.
    variant_list::Writer writer(2);
    writer.Text(0, "a");
    writer.Int(1, 3);
    OwnedVariant mixed;
    writer.Finish(mixed.Get(), 8200);
    CStringList list;
    CComUtils::SafeArrayToStringList(mixed.Get(), list);
    EXPECT_TRUE(list.IsEmpty());
    CNamedStringMaps maps;
    CComUtils::VariantToNamedStringMaps(mixed.Get(), maps);
    EXPECT_TRUE(maps.IsEmpty());

    // A two-dimensional array.
    SAFEARRAYBOUND bounds[2] = {{2, 0}, {2, 0}};
    OwnedVariant square;
    square.Get().vt = 8200;
    square.Get().parray = SafeArrayCreate(VT_VARIANT, 2, bounds);
    CComUtils::SafeArrayToStringList(square.Get(), list);
    EXPECT_TRUE(list.IsEmpty());

    // A list type without an array, and an array of something other than VARIANTs.
    OwnedVariant noArray;
    noArray.Get().vt = 8200;
    noArray.Get().parray = nullptr;
    CComUtils::SafeArrayToStringList(noArray.Get(), list);
    EXPECT_TRUE(list.IsEmpty());
    SAFEARRAYBOUND bound{2, 0};
    OwnedVariant ofTexts;
    ofTexts.Get().vt = 8200;
    ofTexts.Get().parray = SafeArrayCreate(VT_BSTR, 1, &bound);
    CComUtils::SafeArrayToStringList(ofTexts.Get(), list);
    EXPECT_TRUE(list.IsEmpty());
}

}  // namespace
