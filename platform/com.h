// COM and OLE automation values: GUIDs, IUnknown, BSTR, VARIANT, SAFEARRAY.
//
// The Windows build uses the system's OLE automation; on Linux the layer
// implements the same functions on 16-bit characters with the same rules
// (length-prefixed BSTRs, VARIANT ownership, one-dimensional SAFEARRAYs).
#pragma once

#include "platform/wintypes.h"

#ifdef _WIN32

#include <objbase.h>
#include <oleauto.h>

// The flag of an array made by SafeArrayCreateVector, which the MinGW headers
// leave out.
#ifndef FADF_CREATEVECTOR
#define FADF_CREATEVECTOR 0x2000
#endif

#else  // Linux

struct GUID {
    std::uint32_t Data1;
    std::uint16_t Data2;
    std::uint16_t Data3;
    std::uint8_t Data4[8];
};
static_assert(sizeof(GUID) == 16);

using IID = GUID;
using CLSID = GUID;
using REFGUID = const GUID&;
using REFIID = const IID&;
using REFCLSID = const CLSID&;
using LPCLSID = CLSID*;

inline bool operator==(const GUID& a, const GUID& b) {
    return a.Data1 == b.Data1 && a.Data2 == b.Data2 && a.Data3 == b.Data3 &&
           a.Data4[0] == b.Data4[0] && a.Data4[1] == b.Data4[1] && a.Data4[2] == b.Data4[2] &&
           a.Data4[3] == b.Data4[3] && a.Data4[4] == b.Data4[4] && a.Data4[5] == b.Data4[5] &&
           a.Data4[6] == b.Data4[6] && a.Data4[7] == b.Data4[7];
}
inline bool operator!=(const GUID& a, const GUID& b) { return !(a == b); }
inline BOOL IsEqualGUID(REFGUID a, REFGUID b) { return a == b ? TRUE : FALSE; }
inline BOOL IsEqualIID(REFIID a, REFIID b) { return IsEqualGUID(a, b); }
inline BOOL IsEqualCLSID(REFCLSID a, REFCLSID b) { return IsEqualGUID(a, b); }

inline constexpr IID IID_IUnknown = {0x00000000, 0x0000, 0x0000, {0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

struct IUnknown {
    virtual HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) = 0;
    virtual ULONG STDMETHODCALLTYPE AddRef() = 0;
    virtual ULONG STDMETHODCALLTYPE Release() = 0;

protected:
    ~IUnknown() = default;
};

using OLECHAR = WCHAR;
using LPOLESTR = OLECHAR*;
using LPCOLESTR = const OLECHAR*;
using BSTR = OLECHAR*;
#define OLESTR(text) u##text

// Text form of class ids: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". As on
// Windows, a malformed text fails with CO_E_CLASSSTRING (CLSIDFromString) or
// CO_E_IIDSTRING (IIDFromString; E_INVALIDARG when it is not 38 characters
// long), and the fields read before the fault stay stored; a CLSID text
// without the opening brace clears the result. A null text stands for the
// null id.
HRESULT StringFromCLSID(REFCLSID clsid, LPOLESTR* text);
HRESULT CLSIDFromString(LPCOLESTR text, LPCLSID clsid);
HRESULT IIDFromString(LPCOLESTR text, IID* iid);
void* CoTaskMemAlloc(SIZE_T size);
void CoTaskMemFree(void* memory);

#define CO_E_CLASSSTRING (static_cast<HRESULT>(0x800401F3u))
#define CO_E_IIDSTRING (static_cast<HRESULT>(0x800401F4u))
#define DISP_E_BADVARTYPE (static_cast<HRESULT>(0x80020008u))
#define DISP_E_ARRAYISLOCKED (static_cast<HRESULT>(0x8002000Du))
#define DISP_E_BADINDEX (static_cast<HRESULT>(0x8002000Bu))
#define E_UNEXPECTED (static_cast<HRESULT>(0x8000FFFFu))

// BSTR: a length-prefixed, NUL-terminated UTF-16 text; null is the empty text.
BSTR SysAllocString(const OLECHAR* text);
BSTR SysAllocStringLen(const OLECHAR* text, UINT length);
BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length);
void SysFreeString(BSTR text);
UINT SysStringLen(BSTR text);
UINT SysStringByteLen(BSTR text);

// VARIANT
using VARTYPE = std::uint16_t;
using VARIANT_BOOL = std::int16_t;
#define VARIANT_TRUE (static_cast<VARIANT_BOOL>(-1))
#define VARIANT_FALSE (static_cast<VARIANT_BOOL>(0))

enum VARENUM : VARTYPE {
    VT_EMPTY = 0,
    VT_NULL = 1,
    VT_I2 = 2,
    VT_I4 = 3,
    VT_R4 = 4,
    VT_R8 = 5,
    VT_CY = 6,
    VT_DATE = 7,
    VT_BSTR = 8,
    VT_ERROR = 10,
    VT_BOOL = 11,
    VT_VARIANT = 12,
    VT_UNKNOWN = 13,
    VT_DECIMAL = 14,
    VT_I1 = 16,
    VT_UI1 = 17,
    VT_UI2 = 18,
    VT_UI4 = 19,
    VT_I8 = 20,
    VT_UI8 = 21,
    VT_INT = 22,
    VT_UINT = 23,
    VT_INT_PTR = 37,  // array elements only
    VT_UINT_PTR = 38,
    VT_ARRAY = 0x2000,
    VT_BYREF = 0x4000,
};

struct SAFEARRAYBOUND {
    ULONG cElements;
    LONG lLbound;
};

struct SAFEARRAY {
    USHORT cDims;
    USHORT fFeatures;
    ULONG cbElements;
    ULONG cLocks;
    PVOID pvData;
    SAFEARRAYBOUND rgsabound[1];
};
using LPSAFEARRAY = SAFEARRAY*;

#define FADF_HAVEIID 0x0040
#define FADF_HAVEVARTYPE 0x0080
#define FADF_BSTR 0x0100
#define FADF_UNKNOWN 0x0200
#define FADF_VARIANT 0x0800
#define FADF_CREATEVECTOR 0x2000

// A 96-bit scaled integer; in a VARIANT it takes the whole record, its first
// field overlaying the type.
struct DECIMAL {
    USHORT wReserved;
    BYTE scale;
    BYTE sign;
    ULONG Hi32;
    ULONGLONG Lo64;
};
static_assert(sizeof(DECIMAL) == 16);

struct VARIANT {
    VARTYPE vt;
    WORD wReserved1;
    WORD wReserved2;
    WORD wReserved3;
    union {
        LONGLONG llVal;
        ULONGLONG ullVal;
        LONG lVal;
        float fltVal;
        double dblVal;
        double date;
        BYTE bVal;
        SHORT iVal;
        VARIANT_BOOL boolVal;
        HRESULT scode;
        CHAR cVal;
        USHORT uiVal;
        ULONG ulVal;
        INT intVal;
        UINT uintVal;
        BSTR bstrVal;
        IUnknown* punkVal;
        SAFEARRAY* parray;
        VARIANT* pvarVal;
        PVOID byref;
    };
};
using VARIANTARG = VARIANT;
using LPVARIANT = VARIANT*;

void VariantInit(VARIANT* value);
// Releases what the VARIANT owns and leaves it VT_EMPTY. An array that is
// locked is not destroyed: the call fails with DISP_E_ARRAYISLOCKED, and the
// VARIANT is left VT_EMPTY all the same, as on Windows.
HRESULT VariantClear(VARIANT* value);
// A deep copy; a null BSTR copies to an empty one, as on Windows.
HRESULT VariantCopy(VARIANT* destination, const VARIANT* source);

SAFEARRAY* SafeArrayCreate(VARTYPE vt, UINT dims, SAFEARRAYBOUND* bounds);
SAFEARRAY* SafeArrayCreateVector(VARTYPE vt, LONG lowerBound, ULONG elements);
HRESULT SafeArrayDestroy(SAFEARRAY* array);
UINT SafeArrayGetDim(SAFEARRAY* array);
UINT SafeArrayGetElemsize(SAFEARRAY* array);
HRESULT SafeArrayGetLBound(SAFEARRAY* array, UINT dim, LONG* bound);
HRESULT SafeArrayGetUBound(SAFEARRAY* array, UINT dim, LONG* bound);
HRESULT SafeArrayGetVartype(SAFEARRAY* array, VARTYPE* vt);
HRESULT SafeArrayAccessData(SAFEARRAY* array, void** data);
HRESULT SafeArrayUnaccessData(SAFEARRAY* array);
HRESULT SafeArrayLock(SAFEARRAY* array);
HRESULT SafeArrayUnlock(SAFEARRAY* array);
// Element access copies: a BSTR or VARIANT element is copied in and out, an
// interface element gains a reference. SafeArrayPutElement takes a BSTR or
// IUnknown value itself (not its address), and it may be null (a null BSTR is
// stored as an empty one, as on Windows). Indices list the first dimension
// first.
HRESULT SafeArrayPutElement(SAFEARRAY* array, LONG* indices, void* value);
HRESULT SafeArrayGetElement(SAFEARRAY* array, LONG* indices, void* value);

#endif  // _WIN32
