// Two of the target's smaller handlers: the support-marker server, whose one
// operation does nothing, and the text-request server, which refuses every
// request with 0x80042001.
#pragma once

#include "target/served_handler.h"

#include "platform/host/handler_interfaces.h"

class CSupportMarkerServer : public CServedHandler<IHTSupportMarker> {
public:
    explicit CSupportMarkerServer(IHostServiceProvider* host)
        : CServedHandler(host, IID_IHTSupportMarker) {}

    HRESULT STDMETHODCALLTYPE Mark() override { return S_OK; }
};

class CTextRequestServer : public CServedHandler<IHTTextRequest> {
public:
    // The target always makes it with mode 0.
    CTextRequestServer(IHostServiceProvider* host, DWORD mode)
        : CServedHandler(host, IID_IHTTextRequest), m_mode(mode) {}

    HRESULT STDMETHODCALLTYPE RequestText(BSTR) override { return TE_NOT_AVAILABLE; }
    HRESULT STDMETHODCALLTYPE RequestPair(DWORD, DWORD) override { return TE_NOT_AVAILABLE; }
    HRESULT STDMETHODCALLTYPE RequestValue(DWORD) override { return TE_NOT_AVAILABLE; }
    HRESULT STDMETHODCALLTYPE RequestRange(DWORD, DWORD) override { return TE_NOT_AVAILABLE; }

    DWORD GetMode() const { return m_mode; }

private:
    DWORD m_mode;
};
