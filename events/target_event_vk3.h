// CTargetEventVk3: the event-condition handler, which serves the host's
// event-condition list and keeps the event conditions in the session
// ("T_EVENT_" keys). This is its frame: the conditions, their records and
// their keys come with the event subsystem; until then a session save
// writes nothing and a load reads nothing.
#pragma once

#include "target/served_handler.h"

#include "platform/host/handler_interfaces.h"

class CHostProfileAccessor;

class CTargetEventVk3 : public CServedHandler<IHTBreakListServer> {
public:
    explicit CTargetEventVk3(IHostServiceProvider* host) : CServedHandler(host, IID_IHTBreakListServer) {}

    // The target's session save: the event conditions.
    virtual HRESULT SaveSession(CHostProfileAccessor& accessor) { return SaveEventConditions(accessor); }
    // The target's session load.
    virtual HRESULT LoadSession(CHostProfileAccessor&) { return S_OK; }
    virtual HRESULT SaveEventConditions(CHostProfileAccessor&) { return S_OK; }
    // The break manager's PC breaks changed their enable state (one by its
    // PC list position, or all): the handler's copy of them follows.
    virtual void SetPcBreakEnable(DWORD, WORD) {}
    virtual void SetAllPcBreaksEnable(WORD) {}

    // The handler's condition records after a channel change of the
    // break-condition set, and back into the set's sheets before the set
    // re-sends its channels. Empty until the handler keeps records.
    virtual void ApplyEventState() {}
    virtual void CopyEventState() {}
    // The two row words the set's list rows carry.
    void SetRowWords(DWORD first, DWORD second) {
        m_rowWord1 = first;
        m_rowWord2 = second;
    }
    DWORD RowWord1() const { return m_rowWord1; }
    DWORD RowWord2() const { return m_rowWord2; }

private:
    DWORD m_rowWord1 = 0;
    DWORD m_rowWord2 = 0;
};
