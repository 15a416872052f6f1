// What the software breakpoints ask of the rest of the target: the
// configuration's CPU-type code, the session-modified mark, the run flag,
// the top address, the monitor's breakpoint command and the memory
// handler's block operations, and the host event a file action raises.
//
// The break code reaches them only through BreakServices(), which is the
// target object unless a test installs its own (CBreakServicesScope).
#pragma once

#include "platform/afx.h"

class CBreakServices {
public:
    virtual ~CBreakServices() = default;

    // The configuration handler's CPU-type code (0 without one).
    virtual DWORD GetCpuTypeCode() const = 0;
    // Marks the target's session modified.
    virtual void SetModified() = 0;
    // The target component's class id: the owner id of the PC stop breaks
    // the plug-in makes itself.
    virtual const CLSID& GetComponentClassId() const = 0;
    // The run-control handler's run flag.
    virtual bool IsProgramRunning() const = 0;
    // The highest address a PC or sequence break may have (the memory
    // map's first limit).
    virtual DWORD GetTopAddress() const = 0;
    // The highest address an access or data break may have (its second).
    virtual DWORD GetDataLimit() const = 0;
    // The monitor engine's software-breakpoint command (kSetBreakpoint,
    // kClearBreakpoint: the one at the address); nothing without a monitor
    // engine. The monitor's answer is not read.
    static constexpr DWORD kSetBreakpoint = 0;
    static constexpr DWORD kClearBreakpoint = 1;
    virtual void BreakpointCommand(DWORD mode, DWORD address) = 0;
    // The memory handler's block operations over [start, end]; negative
    // without a memory handler.
    virtual HRESULT ReadMemoryBlock(DWORD start, DWORD end, BYTE* buffer) = 0;
    virtual HRESULT WriteMemoryBlock(DWORD start, DWORD end, BYTE* buffer) = 0;
    // Hands the host the event and waits (a bounded time) for it to be taken.
    virtual void RaiseHostEvent(const GUID& eventId) = 0;
};

CBreakServices& BreakServices();

// Installs other services for its lifetime (tests), the earlier ones after.
class CBreakServicesScope {
public:
    explicit CBreakServicesScope(CBreakServices& services);
    ~CBreakServicesScope();
    CBreakServicesScope(const CBreakServicesScope&) = delete;
    CBreakServicesScope& operator=(const CBreakServicesScope&) = delete;

private:
    CBreakServices* m_previous;
};
