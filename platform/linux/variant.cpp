#include "platform/com.h"

#include "platform/linux/com_internal.h"

namespace {

constexpr VARTYPE kTypeMask = 0x0FFF;
constexpr VARTYPE kModifierMask = 0xF000;

bool IsPlainType(VARTYPE vt) {
    switch (vt) {
        case VT_EMPTY:
        case VT_NULL:
        case VT_I2:
        case VT_I4:
        case VT_R4:
        case VT_R8:
        case VT_CY:
        case VT_DATE:
        case VT_BSTR:
        case VT_ERROR:
        case VT_BOOL:
        case VT_UNKNOWN:
        case VT_DECIMAL:
        case VT_I1:
        case VT_UI1:
        case VT_UI2:
        case VT_UI4:
        case VT_I8:
        case VT_UI8:
        case VT_INT:
        case VT_UINT:
            return true;
        default:
            return false;
    }
}

// A by-reference VARIANT points at a value someone else owns.
bool OwnsValue(VARTYPE vt) {
    return (vt & VT_BYREF) == 0;
}

}  // namespace

namespace platform::detail {

bool IsKnownVariantType(VARTYPE vt) {
    const VARTYPE type = vt & kTypeMask;
    const VARTYPE modifiers = vt & kModifierMask;
    if (modifiers == 0) {
        // A plain VT_VARIANT holds nothing, but Windows clears and copies it
        // like any other type.
        return IsPlainType(type) || type == VT_VARIANT;
    }
    if ((modifiers & ~(VT_ARRAY | VT_BYREF)) != 0 || type == VT_EMPTY || type == VT_NULL) {
        return false;
    }
    return type == VT_VARIANT || IsPlainType(type);
}

}  // namespace platform::detail

void VariantInit(VARIANT* value) {
    if (value != nullptr) {
        value->vt = VT_EMPTY;
    }
}

HRESULT VariantClear(VARIANT* value) {
    if (value == nullptr) {
        return E_INVALIDARG;
    }
    if (!platform::detail::IsKnownVariantType(value->vt)) {
        return DISP_E_BADVARTYPE;
    }
    HRESULT result = S_OK;
    if (OwnsValue(value->vt)) {
        if ((value->vt & VT_ARRAY) != 0) {
            // A locked array is left to whoever holds the lock; the VARIANT is
            // emptied all the same.
            result = SafeArrayDestroy(value->parray);
        } else if (value->vt == VT_BSTR) {
            SysFreeString(value->bstrVal);
        } else if (value->vt == VT_UNKNOWN && value->punkVal != nullptr) {
            value->punkVal->Release();
        }
    }
    value->vt = VT_EMPTY;
    return result;
}

HRESULT VariantCopy(VARIANT* destination, const VARIANT* source) {
    if (destination == nullptr || source == nullptr) {
        return E_INVALIDARG;
    }
    if (destination == source) {
        return S_OK;
    }
    if (!platform::detail::IsKnownVariantType(source->vt)) {
        return DISP_E_BADVARTYPE;
    }
    if (const HRESULT cleared = VariantClear(destination); FAILED(cleared)) {
        return cleared;
    }
    VARIANT copy = *source;
    if (OwnsValue(source->vt)) {
        if ((source->vt & VT_ARRAY) != 0) {
            if (const HRESULT result = platform::detail::CopySafeArray(source->parray, &copy.parray);
                FAILED(result)) {
                return result;
            }
        } else if (source->vt == VT_BSTR) {
            // By bytes, so that a BSTR of odd byte length keeps its length; a
            // null BSTR becomes an empty one.
            copy.bstrVal = SysAllocStringByteLen(reinterpret_cast<LPCSTR>(source->bstrVal),
                                                 SysStringByteLen(source->bstrVal));
            if (copy.bstrVal == nullptr) {
                return E_OUTOFMEMORY;
            }
        } else if (source->vt == VT_UNKNOWN && source->punkVal != nullptr) {
            source->punkVal->AddRef();
        }
    }
    *destination = copy;
    return S_OK;
}
