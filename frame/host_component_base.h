// CHostComponentBase: the base of a host component other than the target (the
// UI component). It attaches to the host, keeps the host services it asks for,
// owns the component's window object and answers error texts.
#pragma once

#include "platform/host/interfaces.h"

// What a component's window object offers its owner: destruction of its window
// under the application's module state, then deletion through its virtual
// destructor.
class CHostComponentWindow {
public:
    virtual ~CHostComponentWindow() = default;
    virtual void DestroyUnderAppModuleState() = 0;
};

class CHostComponentBase : public IHRegistryClient, public IHComponent, public IHErrorReporter {
public:
    CHostComponentBase() = default;
    virtual ~CHostComponentBase();
    CHostComponentBase(const CHostComponentBase&) = delete;
    CHostComponentBase& operator=(const CHostComponentBase&) = delete;

    // Builds the component's window object and keeps it; supplied by the
    // derived component.
    virtual BOOL CreateWindowObject() = 0;
    virtual void DestroyWindowObject();

    // IHComponent
    HRESULT STDMETHODCALLTYPE Attach(IHostServiceProvider* host, WORD flag) override;
    HRESULT STDMETHODCALLTYPE OnHostReady() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnHostClosing() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Detach(WORD flag) override;

    // IHErrorReporter
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;

    IHostServiceProvider* GetHost() const { return m_host; }
    CHostComponentWindow* GetWindowObject() const { return m_windowObject; }

protected:
    IHostServiceProvider* m_host = nullptr;
    IUnknown* m_hostObject = nullptr;              // from the host object's own QueryInterface
    IHErrorCodeTable* m_errorCodeTable = nullptr;  // the host's error-text service
    IUnknown* m_uiService = nullptr;               // the further service, for the derived component
    CHostComponentWindow* m_windowObject = nullptr;
};
