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

class CCmdTarget;

// One call of a message-map handler: the message, and where its answer goes.
struct AFX_HANDLERCALL {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    UINT id;      // the command or control id
    void* extra;  // CCmdUI* for command updates, AFX_NOTIFY* for notifications
    LRESULT result;
};

// A message-map entry's handler: calls the member function the entry names
// with the arguments unpacked from the call; answers whether it handled it.
using AFX_HANDLER = BOOL (*)(CCmdTarget* target, AFX_HANDLERCALL& call);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;  // control notification code (16 bits), CN_COMMAND or CN_UPDATE_COMMAND_UI
    UINT nID;
    UINT nLastID;
    AFX_HANDLER pfn;  // null ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();  // null for the root
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Filled when OnCmdMsg is only asked whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
};

#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))

// The base of the objects that receive commands (windows, threads, the
// application). Each class may have a message map (DECLARE_MESSAGE_MAP and
// BEGIN_MESSAGE_MAP in platform/afx_msgmap.h); a class's map is searched
// before its base class's.
class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Routes a command, a control notification (code), a command update
    // (CN_UPDATE_COMMAND_UI with the CCmdUI in extra) or a notification (code
    // MAKELONG(notification, WM_NOTIFY)) to the matching handler of the
    // message map. With handlerInfo set, only says whether there is one.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);

    // The hourglass while the program is busy (see CWaitCursor).
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor() {}

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
    // The first entry along the class chain for the message, code and id.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};
