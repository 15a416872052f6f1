#include "frame/target.h"

HRESULT CTarget::OnHostEvent(const GUID*) {
    return S_OK;
}

HRESULT CTarget::Attach(IHostServiceProvider* host, WORD flag) {
    if (flag == 0) {
        return S_OK;
    }
    if (host == nullptr) {
        return E_FAIL;  // nothing to attach to
    }
    m_host = host;
    // The results are not checked: a host without a service leaves it null.
    m_host->QueryService(IID_IHErrorCodeTable, reinterpret_cast<void**>(&m_errorCodeTable));
    m_host->QueryService(IID_IHDebugSession, reinterpret_cast<void**>(&m_debugSession));
    return S_OK;
}

HRESULT CTarget::Detach(WORD flag) {
    if (flag != 0) {
        m_host = nullptr;
        m_errorCodeTable = nullptr;
        m_debugSession = nullptr;
    }
    return S_OK;
}

HRESULT CTarget::GetErrorText(HRESULT code, BSTR* text) {
    if (m_errorCodeTable == nullptr) {
        return E_FAIL;  // not attached, or the host offers no error-code table
    }
    return m_errorCodeTable->GetErrorText(code, text);
}
