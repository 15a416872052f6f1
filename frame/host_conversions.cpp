#include "frame/host_conversions.h"

#include "platform/bstr.h"

#include <cstring>
#include <vector>

namespace {

char clsidText[40];

// A SAFEARRAY of VARIANT elements made from the values, each converted by
// fill. An array or an element that cannot be made throws
// platform::ComError(E_OUTOFMEMORY), with what was made freed.
template <typename Value, typename Fill>
SAFEARRAY* MakeVariantArray(const std::vector<Value>& values, Fill fill) {
    SAFEARRAY* array = SafeArrayCreateVector(VT_VARIANT, 0, static_cast<ULONG>(values.size()));
    if (array == nullptr) {
        throw platform::ComError(E_OUTOFMEMORY);
    }
    try {
        for (std::size_t i = 0; i < values.size(); ++i) {
            VARIANT element;
            VariantInit(&element);
            fill(element, values[i]);
            LONG index = static_cast<LONG>(i);
            SafeArrayPutElement(array, &index, &element);  // the array takes its own copy
            VariantClear(&element);
        }
    } catch (const platform::ComError&) {
        SafeArrayDestroy(array);
        throw;
    }
    return array;
}

void PutTexts(VARIANT* out, const std::vector<std::string>& texts) {
    if (out == nullptr) {
        return;
    }
    SAFEARRAY* array = MakeVariantArray(texts, [](VARIANT& element, const std::string& text) {
        element.bstrVal = platform::AllocBstr(text);
        element.vt = VT_BSTR;
    });
    out->vt = static_cast<VARTYPE>(VT_ARRAY | VT_BSTR);
    out->parray = array;
}

void PutUints(VARIANT* out, const std::vector<DWORD>& values) {
    if (out == nullptr) {
        return;
    }
    VariantInit(out);
    SAFEARRAY* array = MakeVariantArray(values, [](VARIANT& element, DWORD value) {
        element.vt = VT_UINT;
        element.uintVal = value;
    });
    out->vt = static_cast<VARTYPE>(VT_ARRAY | VT_UINT);
    out->parray = array;
}

}  // namespace

const char* ClsidToText(const CLSID* clsid) {
    std::memset(clsidText, 0, sizeof(clsidText));
    LPOLESTR wide = nullptr;
    if (clsid == nullptr || FAILED(StringFromCLSID(*clsid, &wide)) || wide == nullptr) {
        clsidText[0] = '0';
        return clsidText;
    }
    const std::string text = platform::BstrToAnsi(platform::Bstr(wide).Get());
    CoTaskMemFree(wide);
    if (text.size() != 38) {
        clsidText[0] = '0';
        return clsidText;
    }
    std::memcpy(clsidText, text.c_str(), text.size() + 1);
    return clsidText;
}

BOOL TextToClsid(const char* text, CLSID* clsid) {
    if (text == nullptr || clsid == nullptr) {
        return FALSE;
    }
    const platform::Bstr wide{std::string_view(text)};
    CLSID parsed{};
    if (FAILED(CLSIDFromString(wide.Get(), &parsed))) {
        return FALSE;
    }
    *clsid = parsed;
    return TRUE;
}

void StringListToVariantArray(VARIANT* out, const CStringList& list) {
    std::vector<std::string> texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        texts.push_back(list.GetNext(position).Str());
    }
    PutTexts(out, texts);
}

void StringArrayToVariantArray(VARIANT* out, const CStringArray& array) {
    std::vector<std::string> texts;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        texts.push_back(array[i].Str());
    }
    PutTexts(out, texts);
}

void UintsToVariantArray(VARIANT* out, DWORD count, const DWORD* values) {
    std::vector<DWORD> list;
    if (values != nullptr) {
        list.assign(values, values + count);
    }
    PutUints(out, list);
}

void ListToVariantArray(VARIANT* out, const CList<UINT, UINT>& list) {
    std::vector<DWORD> values;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        values.push_back(list.GetNext(position));
    }
    PutUints(out, values);
}
