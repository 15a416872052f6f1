// CViewColumnBase: the "Event" columns of the host's source and disassembly
// views, made by the target when the firmware has no event function. The
// target creates them after its handlers have opened and destroys them at
// teardown. This is its first form: the columns, their marks and menus come
// with the event-column subsystem; until then there is nothing to register.
#pragma once

#include "platform/host/interfaces.h"

class CViewColumnBase {
public:
    explicit CViewColumnBase(IHostServiceProvider* host) : m_host(host) {}
    virtual ~CViewColumnBase() = default;
    CViewColumnBase(const CViewColumnBase&) = delete;
    CViewColumnBase& operator=(const CViewColumnBase&) = delete;

    // The target's initialisation: a negative result ends it.
    virtual HRESULT Create() { return 1; }
    // The target's teardown, before the object is deleted.
    virtual HRESULT Destroy() { return 1; }
    // The channel marks of the views: one shown for a channel's address, one
    // removed, and every enabled channel's mark removed and its channel sent
    // again (after a download). Empty until the columns show marks.
    virtual void AddChannelMark(DWORD /*address*/, DWORD /*channel*/, DWORD /*enabled*/) {}
    virtual void RemoveChannelMark(DWORD /*address*/, DWORD /*channel*/) {}
    virtual void RemoveEnabledChannels(DWORD /*resend*/) {}

    IHostServiceProvider* GetHost() const { return m_host; }

private:
    IHostServiceProvider* m_host;
};
