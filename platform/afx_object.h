// The class library's root: CObject with run-time class information, and
// CCmdTarget, the base of objects that receive commands.
#pragma once

#include "platform/wintypes.h"

class CObject;
class CArchive;
class CDumpContext;

struct CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    CObject* (*m_pfnCreateObject)();  // null unless the class is dynamically creatable
    const CRuntimeClass* m_pBaseClass;

    CObject* CreateObject() const;
    BOOL IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    virtual const CRuntimeClass* GetRuntimeClass() const;
    virtual ~CObject() = default;
    virtual void Serialize(CArchive& archive);
    virtual void AssertValid() const;
    virtual void Dump(CDumpContext& context) const;

    BOOL IsKindOf(const CRuntimeClass* runtimeClass) const;

    static const CRuntimeClass classCObject;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(className) (&className::class##className)

#define DECLARE_DYNAMIC(className)               \
public:                                          \
    static const CRuntimeClass class##className; \
    const CRuntimeClass* GetRuntimeClass() const override;

#define DECLARE_DYNCREATE(className) \
    DECLARE_DYNAMIC(className)       \
    static CObject* CreateObject();

#define IMPLEMENT_DYNAMIC(className, baseClassName)                                                        \
    const CRuntimeClass className::class##className = {#className, static_cast<int>(sizeof(className)), \
                                                       nullptr, RUNTIME_CLASS(baseClassName)};           \
    const CRuntimeClass* className::GetRuntimeClass() const { return RUNTIME_CLASS(className); }

#define IMPLEMENT_DYNCREATE(className, baseClassName)                                                      \
    CObject* className::CreateObject() { return new className; }                                          \
    const CRuntimeClass className::class##className = {#className, static_cast<int>(sizeof(className)), \
                                                       className::CreateObject, RUNTIME_CLASS(baseClassName)}; \
    const CRuntimeClass* className::GetRuntimeClass() const { return RUNTIME_CLASS(className); }

// The base of the objects that receive commands (windows, threads, the
// application).
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;
};
