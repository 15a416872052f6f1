// The status-page base (a page of the host's status window) and the I/O
// register handler.
#pragma once

#include "frame/target_handler.h"

#include "platform/host/target_interfaces.h"

class CTargetStatus : public IHStatusClient, public IHEventReceiver {
public:
    // Registers the page with the host as a status client for its lifetime.
    CTargetStatus(LPCSTR pageName, IHostServiceProvider* host, DWORD value);
    virtual ~CTargetStatus();
    CTargetStatus(const CTargetStatus&) = delete;
    CTargetStatus& operator=(const CTargetStatus&) = delete;

    // Supplied by each page. The base's bodies (the base page's own answers)
    // may be called explicitly by a derived page.
    HRESULT STDMETHODCALLTYPE GetItemCount(GUID pageId, DWORD* count) override = 0;
    HRESULT STDMETHODCALLTYPE GetItemText(GUID pageId, DWORD row, BSTR* text) override = 0;
    HRESULT STDMETHODCALLTYPE GetPageInfo(GUID* pageId, BSTR* name, BSTR* firstTitle, BSTR* secondTitle,
                                          DWORD* firstWidth, DWORD* secondWidth) override = 0;

    HRESULT STDMETHODCALLTYPE OnEvent(const GUID*) override { return S_OK; }

    const CString& GetPageName() const { return m_pageName; }
    DWORD GetValue() const { return m_value; }

protected:
    CString m_pageName;
    IHostServiceProvider* m_host;
    DWORD m_value;
};

// Offers the host the path of the I/O register files. The target registers
// and withdraws its IHTIO part.
class CTargetIO : public CTargetHandler, public IHTIO {
public:
    CTargetIO(LPCSTR path, DWORD value, IHostServiceProvider* host);
    ~CTargetIO() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetIOFilePath(BSTR* path) override;
    HRESULT STDMETHODCALLTYPE GetIOValue(DWORD* value) override;

private:
    BSTR m_path;
    DWORD m_value;
};
