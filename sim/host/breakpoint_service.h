// The simulated host's breakpoint list (IHBreakpointService): the PC Stop
// breaks of the target, which the plug-in asks the host to add, enable and
// remove and which the person sets in the host's editor. Each request is
// answered by calling the target's IHTPCBreakClient back at once, unless a
// test switches the call back off or has the next requests refused.
#pragma once

#include "platform/host/breakpoint_interfaces.h"
#include "platform/host/target_interfaces.h"

#include <functional>
#include <mutex>
#include <string>
#include <vector>

namespace simhost {

class CallLog;

class HostBreakpointService : public IHBreakpointService {
public:
    // One breakpoint of the host's list: the target's id for it.
    struct Breakpoint {
        DWORD address = 0;
        GUID owner{};
        std::string text;
        DWORD id = 0;
        bool enabled = true;
    };

    // client: the target's PC-break client as registered with the host.
    HostBreakpointService(CallLog& log, std::function<IHTPCBreakClient*()> client)
        : log_(log), client_(std::move(client)) {}
    virtual ~HostBreakpointService() = default;

    // Off: requests are recorded and answered S_OK, the target is not called.
    void SetCallBack(bool callBack) { callBack_ = callBack; }
    // The next n requests are refused (E_FAIL) without calling the target.
    void RefuseNext(int count) { refuseNext_ = count; }
    // The next n add requests are refused (E_FAIL) without calling the
    // target; other requests are answered as usual.
    void RefuseNextAdds(int count) { refuseNextAdds_ = count; }
    std::vector<Breakpoint> Breakpoints() const;

    // A target session has started: the host keeps its breakpoints from one
    // session to the next, and hands each to the new target again. Each gets
    // the target's new id, a disabled one is disabled again, and one the
    // target refuses leaves the list.
    void HandOverToTarget();

    // The person sets, enables and removes a breakpoint in the host's editor.
    HRESULT SetUserBreakpoint(DWORD address, DWORD* id);
    HRESULT EnableUserBreakpoint(DWORD id, bool enable);
    HRESULT RemoveUserBreakpoint(DWORD id);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE AddBreakpoint(DWORD address, GUID ownerId, BSTR text, DWORD* word) override;
    HRESULT STDMETHODCALLTYPE EnableBreakpoint(DWORD id, WORD flag) override;
    HRESULT STDMETHODCALLTYPE RemoveBreakpoint(DWORD id) override;

private:
    // Whether a request is refused (and counts it); adds also by their own
    // count.
    bool Refused(bool add = false);
    HRESULT Add(DWORD address, const GUID& owner, BSTR text, DWORD* id);
    HRESULT Enable(DWORD id, bool enable);
    HRESULT Remove(DWORD id);

    CallLog& log_;
    std::function<IHTPCBreakClient*()> client_;
    mutable std::mutex mutex_;
    std::vector<Breakpoint> breakpoints_;
    bool callBack_ = true;
    int refuseNext_ = 0;
    int refuseNextAdds_ = 0;
};

}  // namespace simhost
