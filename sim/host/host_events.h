// The simulated host's event side: the event service that raises host events
// and names the event object that the plug-in then waits for, and the name
// lookup that answers name and value queries from a table tests fill.
#pragma once

#include "platform/host/lookup_interfaces.h"
#include "platform/host/target_interfaces.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace simhost {

class CallLog;

// The name of an event object that is signalled for good: a host event named
// after it counts as handled as soon as the plug-in waits for it.
std::string HandledEventName();

class HostEventService : public IHostEventService {
public:
    explicit HostEventService(CallLog& log) : log_(log) {}
    virtual ~HostEventService() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // Records the event and answers the name of an event object that is
    // already signalled: the host has handled it by the time the plug-in waits.
    HRESULT STDMETHODCALLTYPE RaiseEvent(const GUID* eventId, DWORD value, BSTR* eventName) override;

private:
    CallLog& log_;
};

class NameLookup : public IHNameLookup {
public:
    explicit NameLookup(CallLog& log) : log_(log) {}
    virtual ~NameLookup() = default;

    // Every name that begins with the query's name is a result, once for
    // each time it was defined; without one the lookup answers 0x80043040
    // ("Function name not found").
    void DefineName(const std::string& name, std::uint32_t value);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE LookupNames(IHNameValueCollector* collector) override;

private:
    CallLog& log_;
    std::mutex mutex_;
    std::vector<std::pair<std::string, std::uint32_t>> names_;
};

}  // namespace simhost
