#include "platform/com.h"

#include "tests/platform/com_fakes.h"
#include "tests/support/sides.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <vector>

namespace {

constexpr LONG kLongMin = std::numeric_limits<LONG>::min();
constexpr LONG kLongMax = std::numeric_limits<LONG>::max();

TEST(SafeArrayCreate, RefusesNoDimensionsNoBoundsAndTypesWithoutElements) {
    SAFEARRAYBOUND bound{4, 0};
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 0, &bound));
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 1, nullptr));
    // 15 is unassigned; 36, a record, needs its description (which only
    // SafeArrayCreateEx takes).
    for (const VARTYPE vt : {VARTYPE{VT_EMPTY}, VARTYPE{VT_NULL}, VARTYPE{15}, VARTYPE{36}, VARTYPE{VT_ARRAY | VT_I4},
                             VARTYPE{VT_BYREF | VT_I4}, VARTYPE{0x0FFF}}) {
        EXPECT_EQ(nullptr, SafeArrayCreate(vt, 1, &bound)) << vt;
        EXPECT_EQ(nullptr, SafeArrayCreateVector(vt, 0, 4)) << vt;
    }
}

TEST(SafeArrayCreate, RefusesASizeThatOverflows) {
    Q3V_SKIP_ON_WINDOWS_64("64-bit Wine multiplies the bounds in 32 bits: the size wraps to 4 GiB, which it "
                           "allocates and fills");
    const ULONG most = std::numeric_limits<ULONG>::max();
    SAFEARRAYBOUND bounds[] = {{most, 0}, {most, 0}, {most, 0}};
    EXPECT_EQ(nullptr, SafeArrayCreate(VT_I4, 3, bounds));
}

// The four bytes just before the descriptor.
std::uint32_t WordBefore(SAFEARRAY* array) {
    std::uint32_t stored = 0;
    std::memcpy(&stored, reinterpret_cast<const unsigned char*>(array) - sizeof(stored), sizeof(stored));
    return stored;
}

// Element sizes, feature flags and the element type as Windows records them:
// the type sits in the four bytes just before the descriptor, except for an
// array of interfaces, which records the interface id in the 16 bytes before
// it instead. A vector is marked as made by SafeArrayCreateVector.
TEST(SafeArrayCreate, DescribesEachElementType) {
    struct Case {
        VARTYPE vt;
        UINT size;
        USHORT features;
    };
    const Case cases[] = {
        {VT_VARIANT, sizeof(VARIANT), FADF_HAVEVARTYPE | FADF_VARIANT},
        {VT_BSTR, sizeof(BSTR), FADF_HAVEVARTYPE | FADF_BSTR},
        {VT_UNKNOWN, sizeof(IUnknown*), FADF_HAVEIID | FADF_UNKNOWN},
        {VT_I1, 1, FADF_HAVEVARTYPE},
        {VT_UI1, 1, FADF_HAVEVARTYPE},
        {VT_I2, 2, FADF_HAVEVARTYPE},
        {VT_UI2, 2, FADF_HAVEVARTYPE},
        {VT_BOOL, 2, FADF_HAVEVARTYPE},
        {VT_I4, 4, FADF_HAVEVARTYPE},
        {VT_UI4, 4, FADF_HAVEVARTYPE},
        {VT_INT, 4, FADF_HAVEVARTYPE},
        {VT_UINT, 4, FADF_HAVEVARTYPE},
        {VT_ERROR, 4, FADF_HAVEVARTYPE},
        {VT_R4, 4, FADF_HAVEVARTYPE},
        {VT_I8, 8, FADF_HAVEVARTYPE},
        {VT_UI8, 8, FADF_HAVEVARTYPE},
        {VT_R8, 8, FADF_HAVEVARTYPE},
        {VT_CY, 8, FADF_HAVEVARTYPE},
        {VT_DATE, 8, FADF_HAVEVARTYPE},
        {VT_DECIMAL, 16, FADF_HAVEVARTYPE},
        {VT_INT_PTR, sizeof(void*), FADF_HAVEVARTYPE},
        {VT_UINT_PTR, sizeof(void*), FADF_HAVEVARTYPE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.vt);
        SAFEARRAYBOUND bound{3, 0};
        OwnedArray array(SafeArrayCreate(c.vt, 1, &bound));
        OwnedArray vector(SafeArrayCreateVector(c.vt, 0, 3));
        ASSERT_TRUE(array && vector);
        EXPECT_EQ(c.features, array->fFeatures);
        EXPECT_EQ(FADF_CREATEVECTOR | c.features, vector->fFeatures);
        for (SAFEARRAY* made : {array.get(), vector.get()}) {
            EXPECT_EQ(1u, SafeArrayGetDim(made));
            EXPECT_EQ(c.size, SafeArrayGetElemsize(made));
            EXPECT_EQ(0u, made->cLocks);
            VARTYPE vt = 0;
            EXPECT_EQ(S_OK, SafeArrayGetVartype(made, &vt));
            EXPECT_EQ(c.vt, vt);
            if (c.vt == VT_UNKNOWN) {
                IID iid{};
                std::memcpy(&iid, reinterpret_cast<const unsigned char*>(made) - sizeof(iid), sizeof(iid));
                EXPECT_EQ(IID_IUnknown, iid);
            } else {
                EXPECT_EQ(c.vt, WordBefore(made));
            }
        }
    }
}

TEST(SafeArrayCreate, StartsWithEmptyElements) {
    OwnedArray variants(SafeArrayCreateVector(VT_VARIANT, 0, 2));
    OwnedArray texts(SafeArrayCreateVector(VT_BSTR, 0, 2));
    ASSERT_TRUE(variants && texts);
    LONG index = 1;
    OwnedVariant variant;
    EXPECT_EQ(S_OK, SafeArrayGetElement(variants.get(), &index, &variant.value));
    EXPECT_EQ(VT_EMPTY, variant.value.vt);
    BSTR text = SysAllocString(OLESTR("overwritten"));
    OwnedBstr previous(text);
    EXPECT_EQ(S_OK, SafeArrayGetElement(texts.get(), &index, &text));
    EXPECT_EQ(nullptr, text);
}

TEST(SafeArrayBounds, AnswerLowerAndUpperBoundsPerDimension) {
    struct Case {
        LONG lowerBound;
        ULONG elements;
        LONG upperBound;
    };
    const Case cases[] = {{0, 4, 3}, {-2, 5, 2}, {1, 1, 1}, {3, 0, 2}, {kLongMin, 1, kLongMin}};
    for (const Case& c : cases) {
        OwnedArray array(SafeArrayCreateVector(VT_I4, c.lowerBound, c.elements));
        ASSERT_NE(nullptr, array);
        LONG bound = 99;
        EXPECT_EQ(S_OK, SafeArrayGetLBound(array.get(), 1, &bound));
        EXPECT_EQ(c.lowerBound, bound);
        EXPECT_EQ(S_OK, SafeArrayGetUBound(array.get(), 1, &bound));
        EXPECT_EQ(c.upperBound, bound) << c.lowerBound << " " << c.elements;
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetLBound(array.get(), 0, &bound));
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetUBound(array.get(), 2, &bound));
    }
}

TEST(SafeArrayElements, PlainValuesGoInAndOutAndLieInOrder) {
    OwnedArray array(SafeArrayCreateVector(VT_I4, -2, 5));
    ASSERT_NE(nullptr, array);
    for (LONG index = -2; index <= 2; ++index) {
        LONG value = index * 10;
        ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, &value));
    }
    LONG index = 1;
    LONG value = 0;
    EXPECT_EQ(S_OK, SafeArrayGetElement(array.get(), &index, &value));
    EXPECT_EQ(10, value);

    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayAccessData(array.get(), &data));
    const auto* values = static_cast<const LONG*>(data);
    EXPECT_EQ((std::vector<LONG>{-20, -10, 0, 10, 20}), std::vector<LONG>(values, values + 5));
    EXPECT_EQ(1u, array->cLocks);
    EXPECT_EQ(S_OK, SafeArrayUnaccessData(array.get()));
    EXPECT_EQ(0u, array->cLocks);
}

TEST(SafeArrayElements, IndicesOutsideTheBoundsAreRefused) {
    OwnedArray array(SafeArrayCreateVector(VT_BSTR, -2, 5));
    ASSERT_NE(nullptr, array);
    OwnedBstr text(SysAllocString(OLESTR("x")));
    for (LONG index : {LONG{-3}, LONG{3}, kLongMin, kLongMax}) {
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayPutElement(array.get(), &index, text.get())) << index;
        BSTR out = nullptr;
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetElement(array.get(), &index, &out)) << index;
        EXPECT_EQ(nullptr, out);
    }
    EXPECT_EQ(0u, array->cLocks);

    OwnedArray empty(SafeArrayCreateVector(VT_I4, 0, 0));
    ASSERT_NE(nullptr, empty);
    LONG index = 0;
    LONG value = 1;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayPutElement(empty.get(), &index, &value));
}

// The array keeps its own copies: the caller's BSTR stays the caller's, and
// what comes out is a new copy the caller frees.
TEST(SafeArrayElements, BstrsAreCopiedInAndOut) {
    OwnedArray array(SafeArrayCreateVector(VT_BSTR, 0, 2));
    ASSERT_NE(nullptr, array);
    LONG index = 0;
    {
        OwnedBstr text(SysAllocString(OLESTR("first")));
        ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, text.get()));
        EXPECT_NE(text.get(), static_cast<BSTR*>(array->pvData)[0]);
    }
    OwnedBstr replacement(SysAllocString(OLESTR("second")));
    ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, replacement.get()));  // frees "first"

    BSTR out = nullptr;
    ASSERT_EQ(S_OK, SafeArrayGetElement(array.get(), &index, &out));
    OwnedBstr owned(out);
    EXPECT_NE(static_cast<BSTR*>(array->pvData)[0], out);
    EXPECT_EQ(u"second", TextOf(out));

    // A null BSTR is the empty text and may be stored: as an empty text.
    ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, nullptr));
    const BSTR stored = static_cast<BSTR*>(array->pvData)[0];
    EXPECT_NE(nullptr, stored);
    EXPECT_EQ(0u, SysStringLen(stored));
}

TEST(SafeArrayElements, VariantsHoldingBstrsRoundTrip) {
    OwnedArray array(SafeArrayCreateVector(VT_VARIANT, 1, 3));
    ASSERT_NE(nullptr, array);
    const std::u16string texts[] = {u"alpha", u"", u"gamma\u30BD"};
    for (LONG index = 1; index <= 3; ++index) {
        OwnedVariant element;
        element.value.vt = VT_BSTR;
        element.value.bstrVal = SysAllocString(OleTextOf(texts[index - 1]));
        ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, &element.value));
    }
    for (LONG index = 1; index <= 3; ++index) {
        OwnedVariant out;
        ASSERT_EQ(S_OK, SafeArrayGetElement(array.get(), &index, &out.value));
        ASSERT_EQ(VT_BSTR, out.value.vt);
        EXPECT_EQ(texts[index - 1], TextOf(out.value.bstrVal));
        EXPECT_NE(static_cast<VARIANT*>(array->pvData)[index - 1].bstrVal, out.value.bstrVal);
    }
}

TEST(SafeArrayElements, InterfacesGainAReferenceForEveryHolder) {
    CountingUnknown first;
    CountingUnknown second;
    {
        OwnedArray array(SafeArrayCreateVector(VT_UNKNOWN, 0, 2));
        ASSERT_NE(nullptr, array);
        LONG index = 0;
        ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, &first));
        EXPECT_EQ(2u, first.References());
        ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, &second));  // replaces first
        EXPECT_EQ(1u, first.References());
        EXPECT_EQ(2u, second.References());

        IUnknown* out = nullptr;
        ASSERT_EQ(S_OK, SafeArrayGetElement(array.get(), &index, &out));
        EXPECT_EQ(&second, out);
        EXPECT_EQ(3u, second.References());
        out->Release();

        index = 1;
        ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), &index, &second));
        EXPECT_EQ(3u, second.References());
    }
    EXPECT_EQ(1u, first.References());
    EXPECT_EQ(1u, second.References());
}

TEST(SafeArrayLocks, ALockedArrayCannotBeDestroyed) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_BSTR, 0, 1);
    ASSERT_NE(nullptr, array);
    void* data = nullptr;
    ASSERT_EQ(S_OK, SafeArrayLock(array));
    ASSERT_EQ(S_OK, SafeArrayAccessData(array, &data));
    EXPECT_EQ(2u, array->cLocks);
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(array));
    EXPECT_EQ(S_OK, SafeArrayUnaccessData(array));
    EXPECT_EQ(DISP_E_ARRAYISLOCKED, SafeArrayDestroy(array));
    EXPECT_EQ(S_OK, SafeArrayUnlock(array));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnlock(array));
    EXPECT_EQ(E_UNEXPECTED, SafeArrayUnaccessData(array));
    EXPECT_EQ(0u, array->cLocks);
    EXPECT_EQ(S_OK, SafeArrayDestroy(array));
}

// Bounds are given and asked for with the first dimension first; the
// descriptor keeps them in reverse, and the first dimension varies fastest.
TEST(SafeArrayDimensions, TwoDimensionsFollowTheWindowsLayout) {
    SAFEARRAYBOUND bounds[] = {{2, 1}, {3, 10}};
    OwnedArray array(SafeArrayCreate(VT_I4, 2, bounds));
    ASSERT_NE(nullptr, array);
    EXPECT_EQ(2u, SafeArrayGetDim(array.get()));
    const SAFEARRAYBOUND* stored = array->rgsabound;
    EXPECT_EQ(3u, stored[0].cElements);
    EXPECT_EQ(10, stored[0].lLbound);
    EXPECT_EQ(2u, stored[1].cElements);
    EXPECT_EQ(1, stored[1].lLbound);

    struct Bounds {
        UINT dim;
        LONG lower;
        LONG upper;
    };
    for (const Bounds& b : {Bounds{1, 1, 2}, Bounds{2, 10, 12}}) {
        LONG bound = 0;
        EXPECT_EQ(S_OK, SafeArrayGetLBound(array.get(), b.dim, &bound));
        EXPECT_EQ(b.lower, bound);
        EXPECT_EQ(S_OK, SafeArrayGetUBound(array.get(), b.dim, &bound));
        EXPECT_EQ(b.upper, bound);
    }
    LONG bound = 0;
    EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetLBound(array.get(), 3, &bound));

    for (LONG column = 10; column <= 12; ++column) {
        for (LONG row = 1; row <= 2; ++row) {
            LONG indices[] = {row, column};
            LONG value = row * 100 + column;
            ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), indices, &value));
        }
    }
    const auto* values = static_cast<const LONG*>(array->pvData);
    EXPECT_EQ((std::vector<LONG>{110, 210, 111, 211, 112, 212}), std::vector<LONG>(values, values + 6));

    struct Outside {
        LONG row;
        LONG column;
    };
    for (const Outside& o : {Outside{0, 10}, Outside{3, 10}, Outside{1, 9}, Outside{1, 13}, Outside{10, 1}}) {
        LONG indices[] = {o.row, o.column};
        LONG value = 0;
        EXPECT_EQ(DISP_E_BADINDEX, SafeArrayGetElement(array.get(), indices, &value)) << o.row << "," << o.column;
    }
}

TEST(SafeArrayDimensions, ReleasesEveryElementOfEveryDimension) {
    CountingUnknown object;
    SAFEARRAYBOUND bounds[] = {{2, 0}, {2, 0}};
    {
        OwnedArray array(SafeArrayCreate(VT_UNKNOWN, 2, bounds));
        ASSERT_NE(nullptr, array);
        for (LONG row = 0; row < 2; ++row) {
            for (LONG column = 0; column < 2; ++column) {
                LONG indices[] = {row, column};
                ASSERT_EQ(S_OK, SafeArrayPutElement(array.get(), indices, &object));
            }
        }
        EXPECT_EQ(5u, object.References());
    }
    EXPECT_EQ(1u, object.References());
}

TEST(SafeArrayArguments, NullArgumentsAreRefused) {
    OwnedArray array(SafeArrayCreateVector(VT_I4, 0, 1));
    ASSERT_NE(nullptr, array);
    LONG index = 0;
    LONG bound = 0;
    VARTYPE vt = 0;
    void* data = nullptr;
    EXPECT_EQ(S_OK, SafeArrayDestroy(nullptr));
    EXPECT_EQ(0u, SafeArrayGetDim(nullptr));
    EXPECT_EQ(0u, SafeArrayGetElemsize(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetLBound(nullptr, 1, &bound));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetLBound(array.get(), 1, nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetUBound(nullptr, 1, &bound));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetUBound(array.get(), 1, nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetVartype(nullptr, &vt));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetVartype(array.get(), nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayAccessData(nullptr, &data));
    EXPECT_EQ(E_INVALIDARG, SafeArrayAccessData(array.get(), nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayUnaccessData(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayLock(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayUnlock(nullptr));
    EXPECT_EQ(E_INVALIDARG, SafeArrayPutElement(nullptr, &index, &bound));
    EXPECT_EQ(E_INVALIDARG, SafeArrayPutElement(array.get(), nullptr, &bound));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetElement(nullptr, &index, &bound));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetElement(array.get(), nullptr, &bound));
    EXPECT_EQ(E_INVALIDARG, SafeArrayGetElement(array.get(), &index, nullptr));
    EXPECT_EQ(0u, array->cLocks);
}

// Only BSTR and interface elements may be put from a null value.
TEST(SafeArrayArguments, ANullValueForPlainElementsIsRefused) {
    Q3V_SKIP_ON_WINDOWS("the system's SafeArrayPutElement does not check this pointer (it faults)");
    OwnedArray array(SafeArrayCreateVector(VT_I4, 0, 1));
    ASSERT_NE(nullptr, array);
    LONG index = 0;
    EXPECT_EQ(E_INVALIDARG, SafeArrayPutElement(array.get(), &index, nullptr));
    EXPECT_EQ(0u, array->cLocks);
}

}  // namespace
