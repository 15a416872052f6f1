#include "frame/host_component_base.h"

CHostComponentBase::~CHostComponentBase() {
    delete m_windowObject;
}

HRESULT CHostComponentBase::Attach(IHostServiceProvider* host, WORD flag) {
    if (host == nullptr) {
        return E_FAIL;
    }
    if (flag == 0) {
        return S_OK;
    }
    m_host = host;
    // The results are not checked: a host without a service leaves it null.
    m_host->QueryInterface(IID_IHHostObject, reinterpret_cast<void**>(&m_hostObject));
    m_host->QueryService(IID_IHErrorCodeTable, reinterpret_cast<void**>(&m_errorCodeTable));
    m_host->QueryService(IID_IHUiService, reinterpret_cast<void**>(&m_uiService));
    CreateWindowObject();
    return S_OK;
}

HRESULT CHostComponentBase::Detach(WORD flag) {
    if (m_host == nullptr) {
        return E_FAIL;
    }
    if (flag == 0) {
        return S_OK;
    }
    DestroyWindowObject();
    m_host = nullptr;
    m_hostObject = nullptr;
    m_errorCodeTable = nullptr;
    m_uiService = nullptr;
    return S_OK;
}

void CHostComponentBase::DestroyWindowObject() {
    if (m_windowObject == nullptr) {
        return;
    }
    m_windowObject->DestroyUnderAppModuleState();
    delete m_windowObject;
    m_windowObject = nullptr;
}

HRESULT CHostComponentBase::GetErrorText(HRESULT code, BSTR* text) {
    if (m_errorCodeTable == nullptr) {
        return E_FAIL;  // not attached, or the host offers no error-code table
    }
    return m_errorCodeTable->GetErrorText(code, text);
}
