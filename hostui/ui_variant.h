// The VARIANT and BSTR arguments of the UI registration manager's host calls:
// each is made for one call and freed after it. Lists go as the conversions
// of the host boundary make them (ids VT_ARRAY|VT_UINT, texts
// VT_ARRAY|VT_BSTR); an argument left out goes as VT_EMPTY; an absent text as
// the empty text.
#pragma once

#include "frame/host_conversions.h"
#include "platform/afx.h"
#include "platform/bstr.h"

#include <vector>

// A count of ids and where they are; an array whose pointer is null was not
// given.
struct UiIdArray {
    DWORD count = 0;
    const DWORD* ids = nullptr;

    bool Given() const { return ids != nullptr; }
};

// Owns one VARIANT and clears it on every exit.
class CVariantArg {
public:
    CVariantArg() { VariantInit(&m_value); }
    ~CVariantArg() { VariantClear(&m_value); }
    CVariantArg(CVariantArg&& other) noexcept : m_value(other.m_value) { VariantInit(&other.m_value); }
    CVariantArg& operator=(CVariantArg&& other) noexcept {
        if (this != &other) {
            VariantClear(&m_value);
            m_value = other.m_value;
            VariantInit(&other.m_value);
        }
        return *this;
    }
    CVariantArg(const CVariantArg&) = delete;
    CVariantArg& operator=(const CVariantArg&) = delete;

    // The value as a by-value argument; the holder keeps ownership.
    VARIANT Value() const { return m_value; }
    const VARIANT& Get() const { return m_value; }
    // Clears the value and answers its address for the host to fill.
    VARIANT* Out() {
        VariantClear(&m_value);
        return &m_value;
    }

    static CVariantArg Ids(DWORD count, const DWORD* ids) {
        CVariantArg arg;
        UintsToVariantArray(&arg.m_value, count, ids);
        return arg;
    }
    static CVariantArg Ids(const std::vector<DWORD>& ids) {
        return Ids(static_cast<DWORD>(ids.size()), ids.data());
    }
    // The ids when the array was given, else the empty VARIANT.
    static CVariantArg OptionalIds(const UiIdArray& ids) {
        return ids.Given() ? Ids(ids.count, ids.ids) : CVariantArg();
    }
    static CVariantArg Texts(const CStringArray& texts) {
        CVariantArg arg;
        StringArrayToVariantArray(&arg.m_value, texts);
        return arg;
    }
    static CVariantArg Texts(const std::vector<CString>& texts) {
        CStringArray array;
        for (const CString& text : texts) {
            array.Add(text);
        }
        return Texts(array);
    }
    static CVariantArg OptionalTexts(const CStringArray* texts) { return texts != nullptr ? Texts(*texts) : CVariantArg(); }

private:
    VARIANT m_value;
};

// A BSTR argument: the text, or the empty text for a null one.
inline platform::Bstr TextArg(LPCSTR text) {
    return platform::Bstr(text != nullptr ? text : "");
}
