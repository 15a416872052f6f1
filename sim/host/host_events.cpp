#include "sim/host/host_events.h"

#include "sim/host/query_answer.h"
#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/sync.h"

namespace simhost {
namespace {

// One event object, signalled for good, stands for "handled": every wait on
// it returns at once.
constexpr char kHandledEventName[] = "simhost-event-handled";

// "Function name not found": the lookup's answer when no name matches.
constexpr HRESULT kNameNotFound = static_cast<HRESULT>(0x80043040u);

void EnsureHandledEvent() {
    static const HANDLE handled = [] {
        const HANDLE event = CreateEventA(nullptr, TRUE, TRUE, kHandledEventName);
        return event;
    }();
    static_cast<void>(handled);
}

}  // namespace

std::string HandledEventName() {
    EnsureHandledEvent();
    return kHandledEventName;
}

HRESULT HostEventService::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHostEventService*>(this), iid, IID_IHostEventService, object);
}

HRESULT HostEventService::RaiseEvent(const GUID* eventId, DWORD value, BSTR* eventName) {
    if (eventId == nullptr || eventName == nullptr) {
        return E_POINTER;
    }
    log_.Add("RaiseEvent", IdName(*eventId) + "|" + std::to_string(value));
    EnsureHandledEvent();
    *eventName = platform::AllocBstr(kHandledEventName);
    return S_OK;
}

void NameLookup::DefineName(const std::string& name, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    names_.emplace_back(name, value);
}

HRESULT NameLookup::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHNameLookup*>(this), iid, IID_IHNameLookup, object);
}

HRESULT NameLookup::LookupNames(IHNameValueCollector* collector) {
    if (collector == nullptr) {
        return E_POINTER;
    }
    platform::Bstr queryName;
    collector->GetQueryName(queryName.Out());
    const std::string query = queryName.Ansi();
    log_.Add("LookupNames", query);
    std::lock_guard lock(mutex_);
    bool found = false;
    for (const auto& [name, value] : names_) {
        if (name.rfind(query, 0) == 0) {
            platform::Bstr text(name);
            collector->AddResult2(text.Get(), value);
            found = true;
        }
    }
    return found ? S_OK : kNameNotFound;
}

}  // namespace simhost
