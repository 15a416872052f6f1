// Host events as the plug-in raises them, the base of objects that receive
// host events, and the collector a host lookup fills.
#pragma once

#include "platform/afx.h"
#include "platform/host/lookup_interfaces.h"
#include "platform/host/target_interfaces.h"

#include <memory>
#include <string>
#include <vector>

// A GUID argument of a host event (a status page's id, for one).
class CHostEventArg {
public:
    explicit CHostEventArg(const GUID& value) : m_value(value) {}
    virtual ~CHostEventArg() = default;
    const GUID& GetValue() const { return m_value; }

private:
    GUID m_value;
};

// The notice handed to the host: the event id with the argument pointer
// directly behind it.
class CHostEvent {
public:
    explicit CHostEvent(const GUID& id, const CHostEventArg* argument = nullptr)
        : m_notice{id, argument != nullptr ? &argument->GetValue() : nullptr} {}
    virtual ~CHostEvent() = default;
    const HostEventNotice* GetNotice() const { return &m_notice; }

private:
    HostEventNotice m_notice;
};

// The base of objects that receive host events.
class CEventReceiverSink : public IHEventReceiver {
public:
    CEventReceiverSink() = default;
    virtual ~CEventReceiverSink() = default;
    CEventReceiverSink(const CEventReceiverSink&) = delete;
    CEventReceiverSink& operator=(const CEventReceiverSink&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
};

// Collects the name and value pairs of one host lookup.
class CHostNameValueCollector : public IHNameValueCollector {
public:
    CHostNameValueCollector(const char* queryName, DWORD queryId);
    virtual ~CHostNameValueCollector();
    CHostNameValueCollector(const CHostNameValueCollector&) = delete;
    CHostNameValueCollector& operator=(const CHostNameValueCollector&) = delete;

    HRESULT STDMETHODCALLTYPE GetQueryName(BSTR* name) override;
    HRESULT STDMETHODCALLTYPE GetQueryId(DWORD* id) override;
    // Append to the first and the second list; E_OUTOFMEMORY when a result
    // cannot be kept (the earlier ones stay).
    HRESULT STDMETHODCALLTYPE AddResult(BSTR name, DWORD value) override;
    HRESULT STDMETHODCALLTYPE AddResult2(BSTR name, DWORD value) override;

    // The second list, which the lookup reads.
    int GetCount() const { return static_cast<int>(m_second.size()); }
    CString GetName(int index) const;
    DWORD GetValue(int index) const;

private:
    struct Result {
        std::string name;
        DWORD value;
    };
    static HRESULT Append(std::vector<Result>& list, BSTR name, DWORD value);

    BSTR m_queryName;
    DWORD m_queryId;
    std::vector<Result> m_first;
    std::vector<Result> m_second;
};
