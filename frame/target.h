// CTarget: the base of the plug-in's target object. It implements the host
// interfaces through which the host registers and attaches the target, keeps
// the host service provider and the host services it asks for at attach, and
// answers error texts through the host's error-code table.
#pragma once

#include "platform/host/interfaces.h"

#include <string>

class CTarget : public IHRegistryClient, public IHComponent, public IHErrorReporter {
public:
    CTarget() = default;
    virtual ~CTarget() = default;
    CTarget(const CTarget&) = delete;
    CTarget& operator=(const CTarget&) = delete;

    // IHComponent
    HRESULT STDMETHODCALLTYPE OnHostEvent(const GUID* eventId) override;
    HRESULT STDMETHODCALLTYPE Attach(IHostServiceProvider* host, WORD flag) override;
    HRESULT STDMETHODCALLTYPE OnHostReady() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnHostClosing() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Detach(WORD flag) override;

    // IHErrorReporter
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;

    IHostServiceProvider* GetHost() const { return m_host; }
    IHErrorCodeTable* GetErrorCodeTable() const { return m_errorCodeTable; }
    IUnknown* GetDebugSession() const { return m_debugSession; }
    const std::string& GetTargetName() const { return m_targetName; }

protected:
    std::string m_targetName;
    IHostServiceProvider* m_host = nullptr;        // kept from Attach, not reference-counted
    IHErrorCodeTable* m_errorCodeTable = nullptr;  // the host's error-text service
    IUnknown* m_debugSession = nullptr;            // the further host service, for the derived target
};
