// The workspace key/value accessor: texts and integers kept in the host's
// workspace storage under keys made of a class-id prefix and a name. The
// session load and save build one on the stack for the length of the call.
#pragma once

#include "platform/afx.h"
#include "platform/host/storage_interfaces.h"

class CHostProfileAccessor {
public:
    // identifiers: the texts the host passed to the session call.
    CHostProfileAccessor(IHWorkspaceStorage* storage, const char* first, const char* second, const char* third,
                         const CLSID& clsid);
    virtual ~CHostProfileAccessor();
    CHostProfileAccessor(const CHostProfileAccessor&) = delete;
    CHostProfileAccessor& operator=(const CHostProfileAccessor&) = delete;

    // Scope 1. Reads answer S_OK; a key the host does not answer with exactly
    // S_OK reads as the default.
    virtual HRESULT WriteString(const char* name, const char* value);
    virtual HRESULT ReadString(const char* name, const char* defaultValue, CString& value);
    virtual HRESULT WriteInt(const char* name, LONG value);
    virtual HRESULT ReadInt(const char* name, LONG defaultValue, LONG& value);
    // Scope 2.
    virtual HRESULT WriteString2(const char* name, const char* value);
    virtual HRESULT ReadString2(const char* name, const char* defaultValue, CString& value);
    virtual HRESULT WriteInt2(const char* name, LONG value);
    virtual HRESULT ReadInt2(const char* name, LONG defaultValue, LONG& value);

    // The prefix followed directly by the name.
    CString MakeKey(const char* name) const;

protected:
    enum class Scope { First, Second };
    virtual HRESULT Write(Scope scope, BSTR key, BSTR value);
    virtual HRESULT Read(Scope scope, BSTR key, BSTR* value);
    HRESULT WriteText(Scope scope, const char* name, const char* value);
    HRESULT ReadText(Scope scope, const char* name, const char* defaultValue, CString& value);
    HRESULT ReadNumber(Scope scope, const char* name, LONG defaultValue, LONG& value);

    IHWorkspaceStorage* m_storage;
    BSTR m_identifiers[3];
    CString m_keyPrefix;
};

// The accessor of the target's session load and save: the same operations
// over the storage's session slots, with the first, second and fourth of the
// four identifier texts.
class CHostProfileAccessorEx : public CHostProfileAccessor {
public:
    CHostProfileAccessorEx(IHWorkspaceStorage* storage, const char* first, const char* second, const char* third,
                           const char* fourth, CLSID clsid);
    ~CHostProfileAccessorEx() override;

protected:
    HRESULT Write(Scope scope, BSTR key, BSTR value) override;
    HRESULT Read(Scope scope, BSTR key, BSTR* value) override;

private:
    BSTR m_identifiersEx[4];
};
