#include "frame/target_handler.h"

#include "platform/bstr.h"

CTargetCfg::CTargetCfg(LPCSTR systemName, LPCSTR kind, LPCSTR version, LPCSTR secondName,
                       IHostServiceProvider* host)
    : CTargetHandler(host), m_systemName(systemName), m_secondName(secondName) {
    CString description;
    description.Format("%s\n%s\n%s", static_cast<const char*>(m_systemName), kind != nullptr ? kind : "",
                       version != nullptr ? version : "");
    m_description = description.AllocSysString();
}

CTargetCfg::~CTargetCfg() {
    SysFreeString(m_description);
}

HRESULT CTargetCfg::GetDescription(BSTR* description) {
    if (description == nullptr) {
        return E_POINTER;
    }
    *description = SysAllocStringLen(m_description, SysStringLen(m_description));
    return S_OK;
}
