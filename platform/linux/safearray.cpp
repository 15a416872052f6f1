#include "platform/com.h"

#include "platform/linux/com_internal.h"

#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <vector>

// Layout as on Windows: the descriptor holds the bounds of its dimensions in
// reverse order (rgsabound[0] is the last dimension), and what the elements
// are sits just before the descriptor: the interface id in the 16 bytes
// before it for an array of interfaces (FADF_HAVEIID), the element type in
// the four bytes before it otherwise (FADF_HAVEVARTYPE). Indices are given
// with the first dimension first, and the first dimension varies fastest in
// memory.
namespace {

// Room in front of the descriptor for an interface id, keeping the
// descriptor aligned; its last four bytes hold the VARTYPE.
constexpr std::size_t kHeaderSize = sizeof(IID);
constexpr std::size_t kVartypeOffset = kHeaderSize - sizeof(DWORD);
constexpr ULONG kMaxLocks = 0xFFFF;

struct ElementType {
    ULONG size;
    USHORT features;
};

std::optional<ElementType> ElementTypeOf(VARTYPE vt) {
    switch (vt) {
        case VT_VARIANT:
            return ElementType{sizeof(VARIANT), FADF_HAVEVARTYPE | FADF_VARIANT};
        case VT_BSTR:
            return ElementType{sizeof(BSTR), FADF_HAVEVARTYPE | FADF_BSTR};
        case VT_UNKNOWN:
            return ElementType{sizeof(IUnknown*), FADF_HAVEIID | FADF_UNKNOWN};
        case VT_I1:
        case VT_UI1:
            return ElementType{1, FADF_HAVEVARTYPE};
        case VT_I2:
        case VT_UI2:
        case VT_BOOL:
            return ElementType{2, FADF_HAVEVARTYPE};
        case VT_I4:
        case VT_UI4:
        case VT_INT:
        case VT_UINT:
        case VT_ERROR:
        case VT_R4:
            return ElementType{4, FADF_HAVEVARTYPE};
        case VT_I8:
        case VT_UI8:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
            return ElementType{8, FADF_HAVEVARTYPE};
        case VT_DECIMAL:
            return ElementType{sizeof(DECIMAL), FADF_HAVEVARTYPE};
        case VT_INT_PTR:
        case VT_UINT_PTR:
            return ElementType{sizeof(void*), FADF_HAVEVARTYPE};
        default:
            return std::nullopt;
    }
}

unsigned char* BlockOf(SAFEARRAY* array) {
    return reinterpret_cast<unsigned char*>(array) - kHeaderSize;
}

// The element type: interfaces for an array that records an interface id
// (only IUnknown is offered here), else the type recorded before the
// descriptor.
VARTYPE StoredVartype(SAFEARRAY* array) {
    if ((array->fFeatures & FADF_HAVEIID) != 0) {
        return VT_UNKNOWN;
    }
    DWORD vt = 0;
    std::memcpy(&vt, BlockOf(array) + kVartypeOffset, sizeof(vt));
    return static_cast<VARTYPE>(vt);
}

// The bounds of dimension `dimension` (1-based, as callers count).
SAFEARRAYBOUND& BoundOf(SAFEARRAY* array, UINT dimension) {
    SAFEARRAYBOUND* stored = array->rgsabound;
    return stored[array->cDims - dimension];
}

std::size_t ElementCount(SAFEARRAY* array) {
    std::size_t count = 1;
    for (UINT dimension = 1; dimension <= array->cDims; ++dimension) {
        count *= BoundOf(array, dimension).cElements;
    }
    return count;
}

// The element's position in the data, or nothing when an index is out of its
// dimension's range.
std::optional<std::size_t> ElementIndex(SAFEARRAY* array, const LONG* indices) {
    std::size_t position = 0;
    std::size_t stride = 1;
    for (UINT dimension = 1; dimension <= array->cDims; ++dimension) {
        const SAFEARRAYBOUND& bound = BoundOf(array, dimension);
        const std::int64_t offset = std::int64_t{indices[dimension - 1]} - bound.lLbound;
        if (offset < 0 || offset >= std::int64_t{bound.cElements}) {
            return std::nullopt;
        }
        position += static_cast<std::size_t>(offset) * stride;
        stride *= bound.cElements;
    }
    return position;
}

unsigned char* ElementAt(SAFEARRAY* array, std::size_t index) {
    return static_cast<unsigned char*>(array->pvData) + index * array->cbElements;
}

void ReleaseElements(SAFEARRAY* array) {
    const std::size_t count = ElementCount(array);
    for (std::size_t index = 0; index < count; ++index) {
        unsigned char* element = ElementAt(array, index);
        if ((array->fFeatures & FADF_BSTR) != 0) {
            SysFreeString(*reinterpret_cast<BSTR*>(element));
        } else if ((array->fFeatures & FADF_UNKNOWN) != 0) {
            if (IUnknown* object = *reinterpret_cast<IUnknown**>(element)) {
                object->Release();
            }
        } else if ((array->fFeatures & FADF_VARIANT) != 0) {
            VariantClear(reinterpret_cast<VARIANT*>(element));
        }
    }
}

// A fresh copy of a BSTR, keeping its byte length; E_OUTOFMEMORY when it
// cannot be made. A null BSTR copies to null.
HRESULT CopyBstr(BSTR source, BSTR& copy) {
    copy = nullptr;
    if (source == nullptr) {
        return S_OK;
    }
    copy = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source), SysStringByteLen(source));
    return copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

// What SafeArrayPutElement stores for a BSTR: a copy, and an empty text for a
// null one, as Windows stores.
HRESULT CopyBstrForPut(BSTR source, BSTR& copy) {
    if (source != nullptr) {
        return CopyBstr(source, copy);
    }
    copy = SysAllocStringLen(nullptr, 0);
    return copy != nullptr ? S_OK : E_OUTOFMEMORY;
}

// Stores a copy of value (in the form SafeArrayPutElement takes it) in an
// element, releasing what the element held.
HRESULT PutCopy(SAFEARRAY* array, unsigned char* element, void* value) {
    switch (StoredVartype(array)) {
        case VT_BSTR: {
            BSTR copy = nullptr;
            if (const HRESULT result = CopyBstrForPut(static_cast<BSTR>(value), copy); FAILED(result)) {
                return result;
            }
            auto* slot = reinterpret_cast<BSTR*>(element);
            SysFreeString(*slot);
            *slot = copy;
            return S_OK;
        }
        case VT_UNKNOWN: {
            auto* object = static_cast<IUnknown*>(value);
            if (object != nullptr) {
                object->AddRef();
            }
            auto* slot = reinterpret_cast<IUnknown**>(element);
            if (*slot != nullptr) {
                (*slot)->Release();
            }
            *slot = object;
            return S_OK;
        }
        case VT_VARIANT:
            return VariantCopy(reinterpret_cast<VARIANT*>(element), static_cast<const VARIANT*>(value));
        default:
            std::memcpy(element, value, array->cbElements);
            return S_OK;
    }
}

// Copies an element out to value, which the caller then owns; whatever value
// held before is overwritten, not released.
HRESULT GetCopy(SAFEARRAY* array, unsigned char* element, void* value) {
    switch (StoredVartype(array)) {
        case VT_BSTR:
            return CopyBstr(*reinterpret_cast<BSTR*>(element), *static_cast<BSTR*>(value));
        case VT_UNKNOWN: {
            IUnknown* object = *reinterpret_cast<IUnknown**>(element);
            if (object != nullptr) {
                object->AddRef();
            }
            *static_cast<IUnknown**>(value) = object;
            return S_OK;
        }
        case VT_VARIANT: {
            auto* copy = static_cast<VARIANT*>(value);
            VariantInit(copy);
            return VariantCopy(copy, reinterpret_cast<VARIANT*>(element));
        }
        default:
            std::memcpy(value, element, array->cbElements);
            return S_OK;
    }
}

// Runs an element operation with the array locked, so it cannot be destroyed
// underneath.
template <typename Operation>
HRESULT WithElement(SAFEARRAY* array, LONG* indices, Operation operation) {
    const std::optional<std::size_t> index = ElementIndex(array, indices);
    if (!index) {
        return DISP_E_BADINDEX;
    }
    if (const HRESULT locked = SafeArrayLock(array); FAILED(locked)) {
        return locked;
    }
    const HRESULT result = operation(ElementAt(array, *index));
    SafeArrayUnlock(array);
    return result;
}

bool TakesNullValue(SAFEARRAY* array) {
    const VARTYPE vt = StoredVartype(array);
    return vt == VT_BSTR || vt == VT_UNKNOWN;
}

}  // namespace

namespace {

SAFEARRAY* CreateArray(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds, USHORT extraFeatures) {
    const std::optional<ElementType> type = ElementTypeOf(vt);
    if (!type || dims == 0 || dims > std::numeric_limits<USHORT>::max() || bounds == nullptr) {
        return nullptr;
    }
    std::size_t count = 1;
    for (UINT dimension = 0; dimension < dims; ++dimension) {
        const std::size_t elements = bounds[dimension].cElements;
        if (elements != 0 && count > std::numeric_limits<std::size_t>::max() / type->size / elements) {
            return nullptr;
        }
        count *= elements;
    }
    const std::size_t descriptorSize = offsetof(SAFEARRAY, rgsabound) + dims * sizeof(SAFEARRAYBOUND);
    auto* block = static_cast<unsigned char*>(std::calloc(1, kHeaderSize + descriptorSize));
    if (block == nullptr) {
        return nullptr;
    }
    void* data = nullptr;
    if (count != 0) {
        // Zeroed elements are empty: null BSTRs and interfaces, VT_EMPTY VARIANTs.
        data = std::calloc(count, type->size);
        if (data == nullptr) {
            std::free(block);
            return nullptr;
        }
    }
    if ((type->features & FADF_HAVEIID) != 0) {
        std::memcpy(block, &IID_IUnknown, sizeof(IID_IUnknown));
    } else {
        const DWORD storedVt = vt;
        std::memcpy(block + kVartypeOffset, &storedVt, sizeof(storedVt));
    }
    auto* array = reinterpret_cast<SAFEARRAY*>(block + kHeaderSize);
    array->cDims = static_cast<USHORT>(dims);
    array->fFeatures = static_cast<USHORT>(type->features | extraFeatures);
    array->cbElements = type->size;
    array->cLocks = 0;
    array->pvData = data;
    for (UINT dimension = 1; dimension <= dims; ++dimension) {
        BoundOf(array, dimension) = bounds[dimension - 1];
    }
    return array;
}

}  // namespace

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds) {
    return CreateArray(vt, dims, bounds, 0);
}

SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements) {
    SAFEARRAYBOUND bound{elements, lowerBound};
    return CreateArray(vt, 1, &bound, FADF_CREATEVECTOR);
}

HRESULT SafeArrayDestroy(SAFEARRAY* array) {
    if (array == nullptr) {
        return S_OK;
    }
    if (array->cLocks != 0) {
        return DISP_E_ARRAYISLOCKED;
    }
    ReleaseElements(array);
    std::free(array->pvData);
    std::free(BlockOf(array));
    return S_OK;
}

UINT SafeArrayGetDim(SAFEARRAY* array) {
    return array != nullptr ? array->cDims : 0;
}

UINT SafeArrayGetElemsize(SAFEARRAY* array) {
    return array != nullptr ? array->cbElements : 0;
}

HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound) {
    if (array == nullptr || bound == nullptr) {
        return E_INVALIDARG;
    }
    if (dim == 0 || dim > array->cDims) {
        return DISP_E_BADINDEX;
    }
    *bound = BoundOf(array, dim).lLbound;
    return S_OK;
}

HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound) {
    if (array == nullptr || bound == nullptr) {
        return E_INVALIDARG;
    }
    if (dim == 0 || dim > array->cDims) {
        return DISP_E_BADINDEX;
    }
    const SAFEARRAYBOUND& stored = BoundOf(array, dim);
    // An empty dimension answers one below its lower bound.
    *bound = static_cast<LONG>(std::int64_t{stored.lLbound} + stored.cElements - 1);
    return S_OK;
}

HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt) {
    if (array == nullptr || vt == nullptr || (array->fFeatures & (FADF_HAVEVARTYPE | FADF_HAVEIID)) == 0) {
        return E_INVALIDARG;
    }
    *vt = StoredVartype(array);
    return S_OK;
}

HRESULT SafeArrayLock(SAFEARRAY* array) {
    if (array == nullptr) {
        return E_INVALIDARG;
    }
    if (array->cLocks >= kMaxLocks) {
        return E_UNEXPECTED;
    }
    ++array->cLocks;
    return S_OK;
}

HRESULT SafeArrayUnlock(SAFEARRAY* array) {
    if (array == nullptr) {
        return E_INVALIDARG;
    }
    if (array->cLocks == 0) {
        return E_UNEXPECTED;
    }
    --array->cLocks;
    return S_OK;
}

HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data) {
    if (array == nullptr || data == nullptr) {
        return E_INVALIDARG;
    }
    if (const HRESULT locked = SafeArrayLock(array); FAILED(locked)) {
        return locked;
    }
    *data = array->pvData;
    return S_OK;
}

HRESULT SafeArrayUnaccessData(SAFEARRAY* array) {
    return SafeArrayUnlock(array);
}

HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value) {
    if (array == nullptr || indices == nullptr || (value == nullptr && !TakesNullValue(array))) {
        return E_INVALIDARG;
    }
    return WithElement(array, indices, [&](unsigned char* element) { return PutCopy(array, element, value); });
}

HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value) {
    if (array == nullptr || indices == nullptr || value == nullptr) {
        return E_INVALIDARG;
    }
    return WithElement(array, indices, [&](unsigned char* element) { return GetCopy(array, element, value); });
}

namespace platform::detail {

HRESULT CopySafeArray(SAFEARRAY* source, SAFEARRAY** copy) {
    *copy = nullptr;
    if (source == nullptr) {
        return S_OK;
    }
    std::vector<SAFEARRAYBOUND> bounds;
    for (UINT dimension = 1; dimension <= source->cDims; ++dimension) {
        bounds.push_back(BoundOf(source, dimension));
    }
    SAFEARRAY* result = SafeArrayCreate(StoredVartype(source), source->cDims, bounds.data());
    if (result == nullptr) {
        return E_OUTOFMEMORY;
    }
    const std::size_t count = ElementCount(source);
    for (std::size_t index = 0; index < count; ++index) {
        unsigned char* from = ElementAt(source, index);
        unsigned char* to = ElementAt(result, index);
        HRESULT put = S_OK;
        if ((source->fFeatures & FADF_BSTR) != 0) {
            // Unlike SafeArrayPutElement, a copy keeps a null BSTR null.
            put = CopyBstr(*reinterpret_cast<BSTR*>(from), *reinterpret_cast<BSTR*>(to));
        } else {
            // The put form of an element: interfaces go by value, the rest by
            // address.
            void* value = from;
            if ((source->fFeatures & FADF_UNKNOWN) != 0) {
                std::memcpy(&value, from, sizeof(value));
            }
            put = PutCopy(result, to, value);
        }
        if (FAILED(put)) {
            SafeArrayDestroy(result);
            return put;
        }
    }
    *copy = result;
    return S_OK;
}

}  // namespace platform::detail
