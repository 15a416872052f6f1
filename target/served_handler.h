// The frame of the target's smaller handlers that each serve one host
// interface: the interface is registered with the host (as a server) while
// the handler exists, and a reporter of the handler's own answers the host's
// IHErrorReporter queries.
#pragma once

#include "frame/error_codes.h"
#include "frame/target_handler.h"

#include <memory>

template <typename Interface>
class CServedHandler : public CTargetHandler, public Interface {
public:
    CServedHandler(IHostServiceProvider* host, const IID& served)
        : CTargetHandler(host), m_served(served), m_reporter(std::make_unique<CErrorReporterImpl>(host)) {
        if (m_host != nullptr) {
            m_host->RegisterServer(m_served, static_cast<Interface*>(this));
        }
    }
    // The interface is withdrawn before the reporter goes.
    ~CServedHandler() override {
        if (m_host != nullptr) {
            m_host->UnregisterServer(m_served, static_cast<Interface*>(this));
        }
        m_reporter.reset();
    }

    // IUnknown and the served interface give the served interface,
    // IHErrorReporter the handler's own reporter.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (object == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, m_served)) {
            *object = static_cast<Interface*>(this);
            return S_OK;
        }
        if (IsEqualIID(iid, IID_IHErrorReporter)) {
            *object = static_cast<IHErrorReporter*>(m_reporter.get());
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

private:
    IID m_served;
    std::unique_ptr<CErrorReporterImpl> m_reporter;
};
