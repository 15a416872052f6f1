// The PC-break handler base: implements the host's IHTPCBreakClient over an
// array of break objects, naming each breakpoint by its slot. Removing a
// breakpoint empties its slot without moving the others, so an index stays
// valid for the life of its breakpoint. The derived handler decides whether a
// breakpoint may be set and makes and disposes of the break objects.
#pragma once

#include "frame/target_handler.h"

#include "platform/host/target_interfaces.h"

// What the base needs of a break object.
class CBreakObject : public CObject {
public:
    DWORD GetAddress() const { return m_address; }
    BOOL IsEnabled() const { return m_enabled != 0 ? TRUE : FALSE; }
    virtual HRESULT Enable() = 0;
    virtual HRESULT Disable() = 0;

protected:
    DWORD m_address = 0;
    DWORD m_enabled = 0;
};

class CTargetBreak : public CTargetHandler, public IHTPCBreakClient {
public:
    explicit CTargetBreak(IHostServiceProvider* host);
    ~CTargetBreak() override;

    // Deletes every break object, last slot first.
    HRESULT OnTargetClose() override;
    virtual HRESULT OptionalOperation(DWORD) { return E_NOTIMPL; }
    virtual CBreakObject* GetBreakObject(LONG index) const;
    // Non-zero refuses every new breakpoint.
    virtual BOOL IsBreakRefused() { return FALSE; }
    // Sets object to a new break object, or leaves it null; may throw a class
    // library exception.
    virtual HRESULT CreateBreakObject(DWORD address, const GUID& ownerId, BSTR text, CBreakObject** object) = 0;
    virtual void DeleteBreakObject(CBreakObject* object) = 0;

    // The occupied slots.
    DWORD CountBreaks() const;

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHTPCBreakClient
    HRESULT STDMETHODCALLTYPE AddBreak(DWORD address, GUID ownerId, BSTR text, DWORD* index) override;
    HRESULT STDMETHODCALLTYPE EnableBreak(LONG index, WORD enable) override;
    HRESULT STDMETHODCALLTYPE IsBreakEnabled(LONG index, WORD* enabled) override;
    HRESULT STDMETHODCALLTYPE RemoveBreak(LONG index) override;
    HRESULT STDMETHODCALLTYPE GetBreakInfo(DWORD, GUID*, BSTR*, DWORD*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE FindBreak(DWORD address, DWORD* index) override;

private:
    CObArray m_breaks;  // owned break objects; null for an emptied slot
};
