// The base of every handler object the target owns, and the configuration
// handler base.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

class CTargetHandler : public CObject {
public:
    explicit CTargetHandler(IHostServiceProvider* host) : m_host(host) {}
    ~CTargetHandler() override { m_host = nullptr; }
    CTargetHandler(const CTargetHandler&) = delete;
    CTargetHandler& operator=(const CTargetHandler&) = delete;

    // After each successful connect, and before the handler is deleted.
    virtual HRESULT OnTargetOpen() { return S_OK; }
    virtual HRESULT OnTargetClose() { return S_OK; }

    IHostServiceProvider* GetHost() const { return m_host; }

protected:
    IHostServiceProvider* m_host;
};

class CTargetCfg : public CTargetHandler {
public:
    // The description reads the system name, the kind and the version text,
    // one per line.
    CTargetCfg(LPCSTR systemName, LPCSTR kind, LPCSTR version, LPCSTR secondName, IHostServiceProvider* host);
    ~CTargetCfg() override;

    virtual HRESULT GetDescription(BSTR* description);
    // Non-zero when floating-point values the plug-in prints without the
    // host have their denormals flushed to a signed zero first. The family's
    // handler answers its rounding setting; the base has none.
    virtual WORD GetDenormalFlag() const { return 0; }

    const CString& GetSystemName() const { return m_systemName; }
    const CString& GetSecondName() const { return m_secondName; }

protected:
    CString m_systemName;
    BSTR m_description = nullptr;
    CString m_empty;
    CString m_secondName;
};
