// Test doubles and owners for OLE automation values.
#pragma once

#include "platform/com.h"

#include <memory>
#include <string>

// An interface that counts its references instead of deleting itself, so a
// test can check that every AddRef met its Release. The test owns it.
class CountingUnknown final : public IUnknown {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (!IsEqualIID(iid, IID_IUnknown)) {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        *object = this;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
    ULONG STDMETHODCALLTYPE Release() override { return --references_; }

    // 1 while only the test holds it.
    ULONG References() const { return references_; }

private:
    ULONG references_ = 1;
};

struct BstrFree {
    void operator()(OLECHAR* text) const { SysFreeString(text); }
};
using OwnedBstr = std::unique_ptr<OLECHAR, BstrFree>;

struct ArrayDestroy {
    void operator()(SAFEARRAY* array) const { SafeArrayDestroy(array); }
};
using OwnedArray = std::unique_ptr<SAFEARRAY, ArrayDestroy>;

// A VARIANT that is cleared when the test ends.
struct OwnedVariant {
    OwnedVariant() { VariantInit(&value); }
    ~OwnedVariant() { VariantClear(&value); }
    OwnedVariant(const OwnedVariant&) = delete;
    OwnedVariant& operator=(const OwnedVariant&) = delete;

    VARIANT value;
};

// OLECHAR is char16_t on Linux and wchar_t on Windows: both hold UTF-16 code
// units, so a test compares texts as std::u16string on either side.
inline const char16_t* Utf16Of(const OLECHAR* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline const OLECHAR* OleTextOf(const std::u16string& text) {
    return reinterpret_cast<const OLECHAR*>(text.c_str());
}

// The counted text of a BSTR, embedded NULs included.
inline std::u16string TextOf(BSTR text) {
    return text != nullptr ? std::u16string(Utf16Of(text), SysStringLen(text)) : std::u16string();
}
