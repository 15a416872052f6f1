#include "platform/com.h"

#include "tests/platform/com_fakes.h"
#include "tests/support/sides.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

VARIANT Bstr(const OLECHAR* text) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_BSTR;
    value.bstrVal = SysAllocString(text);
    return value;
}

VARIANT Unknown(IUnknown* object) {
    VARIANT value;
    VariantInit(&value);
    value.vt = VT_UNKNOWN;
    value.punkVal = object;
    return value;
}

TEST(Variant, InitMakesItEmpty) {
    VARIANT value;
    value.vt = VT_I4;
    VariantInit(&value);
    EXPECT_EQ(VT_EMPTY, value.vt);
}

TEST(VariantClear, ReleasesWhatItOwnsAndLeavesItEmpty) {
    CountingUnknown object;
    object.AddRef();  // the reference the VARIANT owns
    VARIANT value = Unknown(&object);
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_EQ(VT_EMPTY, value.vt);
    EXPECT_EQ(1u, object.References());

    value = Bstr(OLESTR("owned"));  // a leak shows in the sanitizer run
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_EQ(VT_EMPTY, value.vt);

    value = Unknown(nullptr);
    EXPECT_EQ(S_OK, VariantClear(&value));

    value.vt = VT_I4;
    value.lVal = 7;
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_EQ(VT_EMPTY, value.vt);
}

// A by-reference VARIANT points at values it does not own.
TEST(VariantClear, ReleasesNothingByReference) {
    CountingUnknown object;
    IUnknown* reference = &object;
    OwnedBstr text(SysAllocString(OLESTR("not owned")));
    BSTR textReference = text.get();
    struct Case {
        VARTYPE vt;
        void* target;
    };
    const Case cases[] = {{VT_UNKNOWN | VT_BYREF, &reference}, {VT_BSTR | VT_BYREF, &textReference}};
    for (const Case& c : cases) {
        VARIANT value;
        value.vt = c.vt;
        value.byref = c.target;
        EXPECT_EQ(S_OK, VariantClear(&value));
        EXPECT_EQ(VT_EMPTY, value.vt);
    }
    EXPECT_EQ(1u, object.References());
    EXPECT_EQ(u"not owned", TextOf(text.get()));
}

TEST(VariantClear, DestroysAnOwnedArray) {
    CountingUnknown object;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    ASSERT_NE(nullptr, array);
    LONG index = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, &index, &object));
    ASSERT_EQ(2u, object.References());

    VARIANT value;
    value.vt = VT_ARRAY | VT_UNKNOWN;
    value.parray = array;
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_EQ(VT_EMPTY, value.vt);
    EXPECT_EQ(1u, object.References());
}

// A locked array is left to whoever holds the lock, and the VARIANT is
// emptied all the same: clearing it again cannot destroy the array.
TEST(VariantClear, LeavesALockedArrayToItsLockHolder) {
    CountingUnknown object;
    SAFEARRAY* array = SafeArrayCreateVector(VT_UNKNOWN, 0, 2);
    ASSERT_NE(nullptr, array);
    LONG index = 1;
    ASSERT_EQ(S_OK, SafeArrayPutElement(array, &index, &object));

    VARIANT value;
    value.vt = VT_ARRAY | VT_UNKNOWN;
    value.parray = array;
    ASSERT_EQ(S_OK, SafeArrayLock(array));
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, VariantClear(&value));
    EXPECT_EQ(VT_EMPTY, value.vt);
    EXPECT_EQ(S_OK, VariantClear(&value));
    EXPECT_EQ(2u, object.References());

    ASSERT_EQ(S_OK, SafeArrayUnlock(array));
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
    EXPECT_EQ(1u, object.References());
}

TEST(VariantClear, EmptiesEveryPlainType) {
    const VARTYPE cases[] = {VT_EMPTY, VT_NULL, VT_I2, VT_I4, VT_R4, VT_R8, VT_CY, VT_DATE, VT_ERROR, VT_BOOL,
                             VT_DECIMAL, VT_I1, VT_UI1, VT_UI2, VT_UI4, VT_I8, VT_UI8, VT_INT, VT_UINT,
                             VT_VARIANT};  // a plain VT_VARIANT holds nothing, but is a type all the same
    for (const VARTYPE vt : cases) {
        VARIANT value;
        value.vt = vt;
        value.llVal = 0;
        EXPECT_EQ(S_OK, VariantClear(&value)) << vt;
        EXPECT_EQ(VT_EMPTY, value.vt) << vt;
    }
}

// Types that are no VARIANT type are refused and the VARIANT left alone.
TEST(VariantClear, RefusesUnknownTypes) {
    const VARTYPE cases[] = {
        15,                      // unassigned
        VT_INT_PTR,              // an array element type only
        0x0FFF,
        VT_ARRAY | VT_EMPTY,
        VT_BYREF | VT_NULL,
        0x1000 | VT_I4,          // a counted vector
        0x8000 | VT_I4,
    };
    for (const VARTYPE vt : cases) {
        VARIANT value;
        value.vt = vt;
        EXPECT_EQ(DISP_E_BADVARTYPE, VariantClear(&value)) << vt;
        EXPECT_EQ(vt, value.vt);
    }
}

TEST(VariantArguments, NullVariantsAreRefused) {
    Q3V_SKIP_ON_WINDOWS("the system's VariantClear and VariantCopy do not check these pointers (they fault)");
    VARIANT value;
    VariantInit(&value);
    EXPECT_EQ(E_INVALIDARG, VariantClear(nullptr));
    EXPECT_EQ(E_INVALIDARG, VariantCopy(nullptr, &value));
    EXPECT_EQ(E_INVALIDARG, VariantCopy(&value, nullptr));
}

TEST(VariantCopy, CopiesABstrDeeply) {
    OwnedVariant source;
    source.value = Bstr(OLESTR("deep"));
    OwnedVariant copy;
    ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source.value));
    ASSERT_EQ(VT_BSTR, copy.value.vt);
    EXPECT_NE(source.value.bstrVal, copy.value.bstrVal);
    EXPECT_EQ(S_OK, VariantClear(&source.value));
    EXPECT_EQ(u"deep", TextOf(copy.value.bstrVal));
}

TEST(VariantCopy, KeepsAnOddByteLengthAndMakesANullBstrEmpty) {
    OwnedVariant odd;
    odd.value.vt = VT_BSTR;
    odd.value.bstrVal = SysAllocStringByteLen("abc", 3);
    OwnedVariant null;
    null.value.vt = VT_BSTR;
    null.value.bstrVal = nullptr;
    for (OwnedVariant* source : {&odd, &null}) {
        OwnedVariant copy;
        ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source->value));
        EXPECT_EQ(VT_BSTR, copy.value.vt);
        EXPECT_NE(nullptr, copy.value.bstrVal);
        EXPECT_EQ(SysStringByteLen(source->value.bstrVal), SysStringByteLen(copy.value.bstrVal));
    }
}

TEST(VariantCopy, CopiesPlainValues) {
    OwnedVariant source;
    source.value.vt = VT_R8;
    source.value.dblVal = 2.5;
    OwnedVariant copy;
    ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source.value));
    EXPECT_EQ(VT_R8, copy.value.vt);
    EXPECT_EQ(2.5, copy.value.dblVal);
}

TEST(VariantCopy, AddsAReferenceToAnInterface) {
    CountingUnknown object;
    VARIANT source = Unknown(&object);  // the test's own reference
    {
        OwnedVariant copy;
        ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source));
        EXPECT_EQ(&object, copy.value.punkVal);
        EXPECT_EQ(2u, object.References());
    }
    EXPECT_EQ(1u, object.References());
}

TEST(VariantCopy, ClearsTheDestinationFirst) {
    CountingUnknown held;
    held.AddRef();
    OwnedVariant destination;
    destination.value = Unknown(&held);
    OwnedVariant source;
    source.value = Bstr(OLESTR("new"));
    ASSERT_EQ(S_OK, VariantCopy(&destination.value, &source.value));
    EXPECT_EQ(1u, held.References());
    EXPECT_EQ(u"new", TextOf(destination.value.bstrVal));

    // A BSTR in the destination is freed too (the sanitizer run sees a leak).
    OwnedVariant number;
    number.value.vt = VT_I4;
    number.value.lVal = 5;
    ASSERT_EQ(S_OK, VariantCopy(&destination.value, &number.value));
    EXPECT_EQ(VT_I4, destination.value.vt);
    EXPECT_EQ(5, destination.value.lVal);
}

// The destination is cleared first; a locked array there fails the copy and
// leaves the destination empty.
TEST(VariantCopy, OntoALockedArrayFailsAndLeavesTheDestinationEmpty) {
    SAFEARRAY* held = SafeArrayCreateVector(VT_I4, 0, 2);
    ASSERT_NE(nullptr, held);
    ASSERT_EQ(S_OK, SafeArrayLock(held));
    OwnedVariant destination;
    destination.value.vt = VT_ARRAY | VT_I4;
    destination.value.parray = held;
    OwnedVariant source;
    source.value.vt = VT_I4;
    source.value.lVal = 3;
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, VariantCopy(&destination.value, &source.value));
    EXPECT_EQ(VT_EMPTY, destination.value.vt);
    ASSERT_EQ(S_OK, SafeArrayUnlock(held));
    EXPECT_EQ(S_OK, SafeArrayDestroy(held));
}

// Null texts in a copied array stay null: only SafeArrayPutElement turns a
// null text into an empty one.
TEST(VariantCopy, KeepsTheNullTextsOfACopiedArray) {
    OwnedVariant source;
    source.value.vt = VT_ARRAY | VT_BSTR;
    source.value.parray = SafeArrayCreateVector(VT_BSTR, 0, 2);
    ASSERT_NE(nullptr, source.value.parray);
    LONG index = 1;
    OwnedBstr text(SysAllocString(OLESTR("second")));
    ASSERT_EQ(S_OK, SafeArrayPutElement(source.value.parray, &index, text.get()));
    OwnedVariant copy;
    ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source.value));
    const auto* copied = static_cast<const BSTR*>(copy.value.parray->pvData);
    EXPECT_EQ(nullptr, copied[0]);
    EXPECT_EQ(u"second", TextOf(copied[1]));
}

TEST(VariantCopy, CopiesAnArrayDeeply) {
    CountingUnknown object;
    OwnedVariant source;
    source.value.vt = VT_ARRAY | VT_VARIANT;
    source.value.parray = SafeArrayCreateVector(VT_VARIANT, 1, 2);
    ASSERT_NE(nullptr, source.value.parray);
    std::pair<LONG, VARIANT> elements[] = {{1, Bstr(OLESTR("first"))}, {2, Unknown(&object)}};
    for (auto& [index, element] : elements) {
        LONG at = index;
        ASSERT_EQ(S_OK, SafeArrayPutElement(source.value.parray, &at, &element));
    }
    SysFreeString(elements[0].second.bstrVal);
    ASSERT_EQ(2u, object.References());

    OwnedVariant copy;
    ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source.value));
    ASSERT_EQ(VT_ARRAY | VT_VARIANT, copy.value.vt);
    ASSERT_NE(source.value.parray, copy.value.parray);
    EXPECT_EQ(3u, object.References());
    const auto* original = static_cast<const VARIANT*>(source.value.parray->pvData);
    const auto* copied = static_cast<const VARIANT*>(copy.value.parray->pvData);
    EXPECT_NE(original[0].bstrVal, copied[0].bstrVal);
    EXPECT_EQ(u"first", TextOf(copied[0].bstrVal));
    EXPECT_EQ(&object, copied[1].punkVal);

    EXPECT_EQ(S_OK, VariantClear(&source.value));
    EXPECT_EQ(2u, object.References());
    EXPECT_EQ(u"first", TextOf(copied[0].bstrVal));
    EXPECT_EQ(S_OK, VariantClear(&copy.value));
    EXPECT_EQ(1u, object.References());
}

TEST(VariantCopy, CopiesAReferenceAsItIs) {
    CountingUnknown object;
    IUnknown* reference = &object;
    VARIANT source;
    source.vt = VT_UNKNOWN | VT_BYREF;
    source.byref = &reference;
    OwnedVariant copy;
    ASSERT_EQ(S_OK, VariantCopy(&copy.value, &source));
    EXPECT_EQ(VT_UNKNOWN | VT_BYREF, copy.value.vt);
    EXPECT_EQ(&reference, copy.value.byref);
    EXPECT_EQ(1u, object.References());
}

TEST(VariantCopy, RefusesABadTypeAndLeavesTheDestination) {
    OwnedVariant destination;
    destination.value.vt = VT_I4;
    destination.value.lVal = 42;
    VARIANT bad;
    bad.vt = 0x0FFF;
    EXPECT_EQ(DISP_E_BADVARTYPE, VariantCopy(&destination.value, &bad));
    EXPECT_EQ(VT_I4, destination.value.vt);
    EXPECT_EQ(42, destination.value.lVal);

    // Copying onto itself changes nothing.
    destination.value = Bstr(OLESTR("self"));
    const BSTR before = destination.value.bstrVal;
    EXPECT_EQ(S_OK, VariantCopy(&destination.value, &destination.value));
    EXPECT_EQ(before, destination.value.bstrVal);
    EXPECT_EQ(u"self", TextOf(destination.value.bstrVal));
}

}  // namespace
