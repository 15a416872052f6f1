#include "frame/host_profile_accessor.h"

#include "frame/host_conversions.h"

#include "platform/bstr.h"
#include "platform/format.h"

#include <cstdlib>

namespace {

BSTR Copy(const char* text) {
    return platform::AllocBstr(text != nullptr ? text : "");
}

// A whole leading decimal number, as "%ld" scans it: blanks, a sign, digits.
bool ScanLong(const std::string& text, LONG& value) {
    const char* start = text.c_str();
    while (*start == ' ' || *start == '\t' || *start == '\n' || *start == '\r') {
        ++start;
    }
    char* end = nullptr;
    const long long parsed = std::strtoll(start, &end, 10);
    if (end == start) {
        return false;
    }
    value = static_cast<LONG>(parsed);
    return true;
}

}  // namespace

CHostProfileAccessor::CHostProfileAccessor(IHWorkspaceStorage* storage, const char* first, const char* second,
                                           const char* third, const CLSID& clsid)
    : m_storage(storage), m_identifiers{Copy(first), Copy(second), Copy(third)}, m_keyPrefix(ClsidToText(&clsid)) {}

CHostProfileAccessor::~CHostProfileAccessor() {
    for (BSTR& identifier : m_identifiers) {
        SysFreeString(identifier);
    }
}

CString CHostProfileAccessor::MakeKey(const char* name) const {
    return m_keyPrefix + (name != nullptr ? name : "");
}

HRESULT CHostProfileAccessor::Write(Scope scope, BSTR key, BSTR value) {
    if (m_storage == nullptr) {
        return E_FAIL;
    }
    return scope == Scope::First
               ? m_storage->WriteText(m_identifiers[0], m_identifiers[1], m_identifiers[2], key, value)
               : m_storage->WriteText2(m_identifiers[0], m_identifiers[1], m_identifiers[2], key, value);
}

HRESULT CHostProfileAccessor::Read(Scope scope, BSTR key, BSTR* value) {
    if (m_storage == nullptr) {
        return E_FAIL;
    }
    return scope == Scope::First
               ? m_storage->ReadText(m_identifiers[0], m_identifiers[1], m_identifiers[2], key, value)
               : m_storage->ReadText2(m_identifiers[0], m_identifiers[1], m_identifiers[2], key, value);
}

HRESULT CHostProfileAccessor::WriteText(Scope scope, const char* name, const char* value) {
    platform::Bstr key(MakeKey(name).Str());
    platform::Bstr text(std::string_view(value != nullptr ? value : ""));
    return Write(scope, key.Get(), text.Get());
}

HRESULT CHostProfileAccessor::ReadText(Scope scope, const char* name, const char* defaultValue, CString& value) {
    platform::Bstr key(MakeKey(name).Str());
    platform::Bstr text;
    if (Read(scope, key.Get(), text.Out()) == S_OK) {
        value = text.Ansi().c_str();
    } else {
        value = defaultValue;
    }
    return S_OK;
}

HRESULT CHostProfileAccessor::ReadNumber(Scope scope, const char* name, LONG defaultValue, LONG& value) {
    CString text;
    const HRESULT result = ReadText(scope, name, platform::Format("%1ld", defaultValue).c_str(), text);
    if (!ScanLong(text.Str(), value)) {
        value = defaultValue;
    }
    return result;
}

HRESULT CHostProfileAccessor::WriteString(const char* name, const char* value) {
    return WriteText(Scope::First, name, value);
}

HRESULT CHostProfileAccessor::ReadString(const char* name, const char* defaultValue, CString& value) {
    return ReadText(Scope::First, name, defaultValue, value);
}

HRESULT CHostProfileAccessor::WriteInt(const char* name, LONG value) {
    return WriteText(Scope::First, name, platform::Format("%1ld", value).c_str());
}

HRESULT CHostProfileAccessor::ReadInt(const char* name, LONG defaultValue, LONG& value) {
    return ReadNumber(Scope::First, name, defaultValue, value);
}

HRESULT CHostProfileAccessor::WriteString2(const char* name, const char* value) {
    return WriteText(Scope::Second, name, value);
}

HRESULT CHostProfileAccessor::ReadString2(const char* name, const char* defaultValue, CString& value) {
    return ReadText(Scope::Second, name, defaultValue, value);
}

HRESULT CHostProfileAccessor::WriteInt2(const char* name, LONG value) {
    return WriteText(Scope::Second, name, platform::Format("%1ld", value).c_str());
}

HRESULT CHostProfileAccessor::ReadInt2(const char* name, LONG defaultValue, LONG& value) {
    return ReadNumber(Scope::Second, name, defaultValue, value);
}

CHostProfileAccessorEx::CHostProfileAccessorEx(IHWorkspaceStorage* storage, const char* first, const char* second,
                                               const char* third, const char* fourth, CLSID clsid)
    : CHostProfileAccessor(storage, first, second, third, clsid),
      m_identifiersEx{Copy(first), Copy(second), Copy(third), Copy(fourth)} {}

CHostProfileAccessorEx::~CHostProfileAccessorEx() {
    for (BSTR& identifier : m_identifiersEx) {
        SysFreeString(identifier);
    }
}

HRESULT CHostProfileAccessorEx::Write(Scope scope, BSTR key, BSTR value) {
    if (m_storage == nullptr) {
        return E_FAIL;
    }
    return scope == Scope::First
               ? m_storage->WriteSessionText(m_identifiersEx[0], m_identifiersEx[1], m_identifiersEx[3], key, value)
               : m_storage->WriteSessionText2(m_identifiersEx[0], m_identifiersEx[1], m_identifiersEx[3], key,
                                                value);
}

HRESULT CHostProfileAccessorEx::Read(Scope scope, BSTR key, BSTR* value) {
    if (m_storage == nullptr) {
        return E_FAIL;
    }
    return scope == Scope::First
               ? m_storage->ReadSessionText(m_identifiersEx[0], m_identifiersEx[1], m_identifiersEx[3], key, value)
               : m_storage->ReadSessionText2(m_identifiersEx[0], m_identifiersEx[1], m_identifiersEx[3], key,
                                               value);
}
