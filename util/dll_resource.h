// The plug-in's resource module: a module that answers four exports telling
// its type and versions, and that the plug-in loads its dialogs, menus,
// bitmaps and strings from once it has been checked.
#pragma once

#include "platform/afx.h"

// The exports a resource module offers (by these names, WINAPI).
using GetDLLTextFunction = DWORD(WINAPI*)(LPSTR buffer, DWORD* size);
using GetDLLInterfaceVersionFunction = DWORD(WINAPI*)(DWORD* major, DWORD* minor);
using GetDLLOrdinalVersionFunction = DWORD(WINAPI*)(DWORD* ordinal);

class CDllResource : public CObject {
public:
    CDllResource() = default;
    explicit CDllResource(const char* path) : m_path(path) {}
    ~CDllResource() override;
    CDllResource(const CDllResource&) = delete;
    // Copies everything; a loaded module is loaded once more, so that each
    // object holds its own reference.
    virtual CDllResource& Assign(const CDllResource& other);

    // Loads the module and reads its type and versions: 0, or 1 when it
    // cannot be loaded (with the message).
    int Load(CString& message);

    virtual int GetDLLInterfaceVersion(CString& message);
    virtual int GetDLLOrdinalVersion(CString& message);
    virtual int GetDLLProductVersion(CString& message);
    virtual int GetDLLType(CString& message);

    HMODULE GetModule() const { return m_module; }
    const CString& GetPath() const { return m_path; }
    const CString& GetType() const { return m_type; }
    const CString& GetProductVersion() const { return m_productVersion; }
    DWORD GetInterfaceMajor() const { return m_interfaceMajor; }
    DWORD GetInterfaceMinor() const { return m_interfaceMinor; }
    DWORD GetOrdinalVersion() const { return m_ordinalVersion; }
    BOOL IsInterfaceAtLeast(DWORD major, DWORD minor) const;
    BOOL IsInterfaceEqual(DWORD major, DWORD minor) const;
    CString GetInterfaceVersionText() const;
    CString GetOrdinalVersionText() const;

private:
    // A text export: called with 1,024 bytes, and once more with the size it
    // asks for when that is too small; a size above 64 KiB is a failed read.
    CString ReadText(const char* exportName) const;

    HMODULE m_module = nullptr;
    CString m_path;
    CString m_productVersion;
    CString m_type;
    DWORD m_interfaceMajor = 0;
    DWORD m_interfaceMinor = 0;
    DWORD m_ordinalVersion = 0;
};

// Loads and checks the resource module and makes it the resource module of
// the plug-in's module state. Null (with the message) when it cannot be loaded
// or is not a resource module of interface 1.0, ordinal 1, product "1.0".
CDllResource* LoadResourceDll(const char* name, CString& message);
