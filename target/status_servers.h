// The two small servers the target registers beside its status pages: the
// status period the host polls the status with, and memory reads while the
// program runs (the host's live memory views).
#pragma once

#include "frame/error_codes.h"
#include "frame/target_handler.h"

#include "platform/host/status_interfaces.h"

#include <memory>

class CStatusTiming : public CTargetHandler, public IHStatusTiming {
public:
    // Registers the server with the host for its lifetime.
    explicit CStatusTiming(IHostServiceProvider* host);
    ~CStatusTiming() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // Always 0.
    HRESULT STDMETHODCALLTYPE GetTimingFlag(WORD* flag) override;
    // The target configuration's status period.
    HRESULT STDMETHODCALLTYPE GetStatusTime(DWORD* period) override;
    // "STATUS TIME MIN" (10) and "STATUS TIME MAX" (10000) of the plug-in's
    // own device file, read at the process's first request and kept.
    HRESULT STDMETHODCALLTYPE GetStatusTimeRange(DWORD* minimum, DWORD* maximum) override;

private:
    std::unique_ptr<CErrorReporterImpl> m_reporter;
};

class CRunningMemoryServer : public CTargetHandler, public IHTRunningMemory {
public:
    // Registers the server with the host for its lifetime.
    explicit CRunningMemoryServer(IHostServiceProvider* host);
    ~CRunningMemoryServer() override;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // ok = 1 unless the range wraps past the top of the address space
    // (then 0 and the memory handler's bad-range code).
    HRESULT STDMETHODCALLTYPE CheckRange(DWORD start, DWORD length, DWORD* ok) override;
    // Reads through the memory handler only while the program runs and no
    // host memory operation is in progress; otherwise S_OK with the buffer
    // left alone. A wrapping range is refused as CheckRange refuses it.
    HRESULT STDMETHODCALLTYPE ReadWhileRunning(DWORD start, DWORD length, BYTE* buffer) override;

private:
    std::unique_ptr<CErrorReporterImpl> m_reporter;
};
