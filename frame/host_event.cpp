#include "frame/host_event.h"

#include "platform/bstr.h"

HRESULT CEventReceiverSink::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHEventReceiver)) {
        *object = static_cast<IHEventReceiver*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

CHostNameValueCollector::CHostNameValueCollector(const char* queryName, DWORD queryId)
    : m_queryName(platform::AllocBstr(queryName != nullptr ? queryName : "")), m_queryId(queryId) {}

CHostNameValueCollector::~CHostNameValueCollector() {
    SysFreeString(m_queryName);
}

HRESULT CHostNameValueCollector::GetQueryName(BSTR* name) {
    if (name == nullptr) {
        return E_POINTER;
    }
    *name = SysAllocStringLen(m_queryName, SysStringLen(m_queryName));
    return S_OK;
}

HRESULT CHostNameValueCollector::GetQueryId(DWORD* id) {
    if (id == nullptr) {
        return E_POINTER;
    }
    *id = m_queryId;
    return S_OK;
}

HRESULT CHostNameValueCollector::Append(std::vector<Result>& list, BSTR name, DWORD value) {
    try {
        list.push_back({platform::BstrToAnsi(name), value});
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    }
    return S_OK;
}

HRESULT CHostNameValueCollector::AddResult(BSTR name, DWORD value) {
    return Append(m_first, name, value);
}

HRESULT CHostNameValueCollector::AddResult2(BSTR name, DWORD value) {
    return Append(m_second, name, value);
}

CString CHostNameValueCollector::GetName(int index) const {
    if (index < 0 || index >= GetCount()) {
        return CString();
    }
    return CString(m_second[static_cast<std::size_t>(index)].name);
}

DWORD CHostNameValueCollector::GetValue(int index) const {
    if (index < 0 || index >= GetCount()) {
        return 0;
    }
    return m_second[static_cast<std::size_t>(index)].value;
}
