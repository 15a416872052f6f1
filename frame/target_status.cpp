#include "frame/target_status.h"

#include "platform/bstr.h"

namespace {

constexpr DWORD kDefaultColumnWidth = 150;

}  // namespace

CTargetStatus::CTargetStatus(LPCSTR pageName, IHostServiceProvider* host, DWORD value)
    : m_pageName(pageName), m_host(host), m_value(value) {
    if (m_host != nullptr) {
        m_host->RegisterClient(IID_IHStatusClient, static_cast<IHStatusClient*>(this));
    }
}

CTargetStatus::~CTargetStatus() {
    if (m_host != nullptr) {
        m_host->UnregisterClient(IID_IHStatusClient, static_cast<IHStatusClient*>(this));
    }
}

HRESULT CTargetStatus::GetItemCount(GUID pageId, DWORD* count) {
    if (count != nullptr) {
        *count = 0;
    }
    return IsEqualGUID(pageId, GUID_Q3vStatusBasePage) ? S_OK : E_FAIL;
}

HRESULT CTargetStatus::GetItemText(GUID pageId, DWORD, BSTR* text) {
    if (text != nullptr) {
        *text = SysAllocString(OLESTR(""));
    }
    return IsEqualGUID(pageId, GUID_Q3vStatusBasePage) ? S_OK : E_FAIL;
}

HRESULT CTargetStatus::GetPageInfo(GUID* pageId, BSTR* name, BSTR* firstTitle, BSTR* secondTitle,
                                       DWORD* firstWidth, DWORD* secondWidth) {
    if (pageId != nullptr) {
        *pageId = GUID_Q3vStatusBasePage;
    }
    for (BSTR* text : {name, firstTitle, secondTitle}) {
        if (text != nullptr) {
            *text = SysAllocString(OLESTR(" "));
        }
    }
    for (DWORD* width : {firstWidth, secondWidth}) {
        if (width != nullptr) {
            *width = kDefaultColumnWidth;
        }
    }
    return S_OK;
}

CTargetIO::CTargetIO(LPCSTR path, DWORD value, IHostServiceProvider* host)
    : CTargetHandler(host), m_path(platform::AllocBstr(path != nullptr ? path : "")), m_value(value) {}

CTargetIO::~CTargetIO() {
    SysFreeString(m_path);
}

HRESULT CTargetIO::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTIO)) {
        *object = static_cast<IHTIO*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT CTargetIO::GetIOFilePath(BSTR* path) {
    if (path == nullptr) {
        return E_POINTER;
    }
    *path = SysAllocStringLen(m_path, SysStringLen(m_path));
    return S_OK;
}

HRESULT CTargetIO::GetIOValue(DWORD* value) {
    if (value == nullptr) {
        return E_POINTER;
    }
    *value = m_value;
    return S_OK;
}
