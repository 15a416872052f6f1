#include "sim/host/breakpoint_service.h"

#include "sim/host/call_log.h"

#include "platform/bstr.h"
#include "sim/host/query_answer.h"

#include <algorithm>
#include <cstdio>

namespace simhost {

HRESULT HostBreakpointService::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHBreakpointService*>(this), iid, IID_IHBreakpointService, object);
}

std::vector<HostBreakpointService::Breakpoint> HostBreakpointService::Breakpoints() const {
    std::lock_guard lock(mutex_);
    return breakpoints_;
}

bool HostBreakpointService::Refused(bool add) {
    std::lock_guard lock(mutex_);
    if (add && refuseNextAdds_ > 0) {
        --refuseNextAdds_;
        return true;
    }
    if (refuseNext_ <= 0) {
        return false;
    }
    --refuseNext_;
    return true;
}

HRESULT HostBreakpointService::Add(DWORD address, const GUID& owner, BSTR text, DWORD* id) {
    IHTPCBreakClient* client = client_();
    if (client == nullptr) {
        return E_FAIL;
    }
    DWORD made = 0;
    // The target is called without the lock: it may call the host again.
    const HRESULT result = client->AddBreak(address, owner, text, &made);
    if (result == S_OK) {
        std::lock_guard lock(mutex_);
        std::erase_if(breakpoints_, [&](const Breakpoint& one) { return one.address == address; });
        breakpoints_.push_back({address, owner, platform::BstrToAnsi(text), made, true});
        if (id != nullptr) {
            *id = made;
        }
    }
    return result;
}

HRESULT HostBreakpointService::Enable(DWORD id, bool enable) {
    IHTPCBreakClient* client = client_();
    const HRESULT result = client != nullptr ? client->EnableBreak(static_cast<LONG>(id), enable ? 1 : 0) : E_FAIL;
    if (result == S_OK) {
        std::lock_guard lock(mutex_);
        for (Breakpoint& one : breakpoints_) {
            one.enabled = one.id == id ? enable : one.enabled;
        }
    }
    return result;
}

HRESULT HostBreakpointService::Remove(DWORD id) {
    IHTPCBreakClient* client = client_();
    const HRESULT result = client != nullptr ? client->RemoveBreak(static_cast<LONG>(id)) : E_FAIL;
    std::lock_guard lock(mutex_);
    std::erase_if(breakpoints_, [id](const Breakpoint& one) { return one.id == id; });
    return result;
}

void HostBreakpointService::HandOverToTarget() {
    std::vector<Breakpoint> kept;
    {
        std::lock_guard lock(mutex_);
        kept.swap(breakpoints_);
    }
    for (const Breakpoint& one : kept) {
        const platform::Bstr text(one.text.c_str());
        DWORD id = 0;
        if (Add(one.address, one.owner, text.Get(), &id) == S_OK && !one.enabled) {
            static_cast<void>(Enable(id, false));  // refused: the list shows what the target has
        }
    }
}

HRESULT HostBreakpointService::AddBreakpoint(DWORD address, GUID ownerId, BSTR text, DWORD* word) {
    char detail[64];
    std::snprintf(detail, sizeof(detail), "%08X|%s", static_cast<unsigned>(address),
                  platform::BstrToAnsi(text).c_str());
    log_.Add("AddBreakpoint", detail);
    if (Refused(true)) {
        return E_FAIL;
    }
    if (!callBack_) {
        return S_OK;
    }
    return SUCCEEDED(Add(address, ownerId, text, word)) ? S_OK : E_FAIL;
}

HRESULT HostBreakpointService::EnableBreakpoint(DWORD id, WORD flag) {
    log_.Add("EnableBreakpoint", std::to_string(id) + "|" + std::to_string(flag));
    if (Refused()) {
        return E_FAIL;
    }
    return callBack_ ? Enable(id, flag == 1) : S_OK;
}

HRESULT HostBreakpointService::RemoveBreakpoint(DWORD id) {
    log_.Add("RemoveBreakpoint", std::to_string(id));
    if (Refused()) {
        return E_FAIL;
    }
    return callBack_ ? Remove(id) : S_OK;
}

HRESULT HostBreakpointService::SetUserBreakpoint(DWORD address, DWORD* id) {
    const platform::Bstr empty("");
    return Add(address, HostBreakpointOwnerId, empty.Get(), id);
}

HRESULT HostBreakpointService::EnableUserBreakpoint(DWORD id, bool enable) {
    return Enable(id, enable);
}

HRESULT HostBreakpointService::RemoveUserBreakpoint(DWORD id) {
    return Remove(id);
}

}  // namespace simhost
