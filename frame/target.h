// CTarget: the base of the plug-in's target object. It implements the host
// interfaces through which the host drives a debugging target (IHTarget,
// IHRegistryClient, IHComponent, IHErrorReporter), keeps the host service
// provider and the host services it asks for at attach, owns the seven
// handler objects and fixes the order in which they are created, opened,
// closed and deleted. The derived target supplies the handlers, the connect
// and disconnect procedures, the registration and the IUnknown operations.
//
// Connecting: the derived target's Connect runs a dialog derived from
// CDlgConnection modally; its initialisation starts the connect thread
// (StartConnectThread), which runs the derived ConnectProc. That does the
// connecting, hands its result to the dialog's EnableCancel and calls the base
// ConnectProc, which closes the dialog and ends the thread; Connect then reads
// the result from the dialog.
#pragma once

#include "platform/afx.h"
#include "platform/host/target_interfaces.h"

#include <memory>

class CDlgConnection;
class CTargetCfg;
class CTargetBreak;
class CTargetExec;
class CTargetIO;
class CTargetMemory;
class CTargetMemoryMap;
class CTargetStatus;

class CTarget : public IHTarget, public IHRegistryClient, public IHComponent, public IHErrorReporter {
public:
    CTarget() = default;
    // Awaits a connect thread still running: the target outlives its thread,
    // even when the module unloads with the target.
    virtual ~CTarget();
    CTarget(const CTarget&) = delete;
    CTarget& operator=(const CTarget&) = delete;

    // IHTarget
    HRESULT STDMETHODCALLTYPE Initialise(BSTR targetName) override;
    HRESULT STDMETHODCALLTYPE Uninitialise() override;
    HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) override;
    HRESULT STDMETHODCALLTYPE SetParameters(DWORD first, DWORD_PTR second) override;
    HRESULT STDMETHODCALLTYPE Reconnect() override { return S_OK; }

    // Creates the handlers (configuration, break, I/O, memory, memory map, run
    // control, status, in that order) and registers the I/O handler; E_FAIL
    // unless the configuration, run-control, memory and memory-map handlers
    // exist.
    virtual HRESULT CreateHandlers();
    // The handler factories: the derived target supplies the handlers it has.
    virtual CTargetCfg* CreateCfgHandler() { return nullptr; }
    virtual CTargetBreak* CreateBreakHandler() { return nullptr; }
    virtual CTargetExec* CreateExecHandler() { return nullptr; }
    virtual CTargetIO* CreateIOHandler() { return nullptr; }
    virtual CTargetMemory* CreateMemoryHandler() { return nullptr; }
    virtual CTargetMemoryMap* CreateMemoryMapHandler() { return nullptr; }
    virtual CTargetStatus* CreateStatusHandler() { return nullptr; }
    // Withdraws the I/O handler and closes and deletes the handlers in the
    // fixed order; S_OK.
    virtual HRESULT DestroyHandlers();
    virtual void DeleteCfgHandler(CTargetCfg* handler);
    virtual void DeleteBreakHandler(CTargetBreak* handler);
    virtual void DeleteExecHandler(CTargetExec* handler);
    virtual void DeleteIOHandler(CTargetIO* handler);
    virtual void DeleteMemoryHandler(CTargetMemory* handler);
    virtual void DeleteMemoryMapHandler(CTargetMemoryMap* handler);
    virtual void DeleteStatusHandler(CTargetStatus* handler);
    // Non-zero when the target is connected.
    virtual DWORD Connect() { return 0; }
    virtual void Disconnect() {}
    // The connect thread's body. The base closes the connecting dialog (a
    // WM_CLOSE sent across threads: it returns once the dialog's thread has
    // handled it) and ends the calling thread with exit code 0.
    virtual UINT ConnectProc();

    // Keeps the dialog and starts the connect thread, which runs ConnectProc
    // and exits with its result. Called by the dialog's initialisation.
    void StartConnectThread(CDlgConnection* dialog);
    // Returns once the connect thread, if one was started, has ended: after
    // that no code of the target runs on it. The connecting dialog calls it
    // as it goes, so a connect never outlives its dialog. It must not be
    // called on the connect thread itself.
    void AwaitConnectThread();
    // Called by the connecting dialog as it goes: the target no longer
    // reaches it.
    void ForgetConnectionDialog(const CDlgConnection* dialog);

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
    const CString& GetTargetName() const { return m_targetName; }
    CTargetCfg* GetCfgHandler() const { return m_cfgHandler; }
    CTargetBreak* GetBreakHandler() const { return m_breakHandler; }
    CTargetExec* GetExecHandler() const { return m_execHandler; }
    CTargetIO* GetIOHandler() const { return m_ioHandler; }
    CTargetMemory* GetMemoryHandler() const { return m_memoryHandler; }
    CTargetMemoryMap* GetMemoryMapHandler() const { return m_memoryMapHandler; }
    CTargetStatus* GetStatusHandler() const { return m_statusHandler; }
    DWORD IsConnected() const { return m_connected; }
    DWORD GetFirstParameter() const { return m_firstParameter; }
    DWORD_PTR GetSecondParameter() const { return m_secondParameter; }
    // The connecting dialog while it exists; null before and after.
    CDlgConnection* GetConnectionDialog() const { return m_connectionDialog; }

protected:
    CString m_targetName;
    IHostServiceProvider* m_host = nullptr;        // kept from Attach, not reference-counted
    IHErrorCodeTable* m_errorCodeTable = nullptr;  // the host's error-text service
    IUnknown* m_debugSession = nullptr;            // the further host service, for the derived target
    CTargetCfg* m_cfgHandler = nullptr;
    CTargetBreak* m_breakHandler = nullptr;
    CTargetExec* m_execHandler = nullptr;
    CTargetIO* m_ioHandler = nullptr;
    CTargetMemory* m_memoryHandler = nullptr;
    CTargetMemoryMap* m_memoryMapHandler = nullptr;
    CTargetStatus* m_statusHandler = nullptr;
    DWORD m_connected = 0;
    DWORD m_firstParameter = 0;
    DWORD_PTR m_secondParameter = 0;
    CDlgConnection* m_connectionDialog = nullptr;  // not owned

private:
    // The connecting dialog's window, taken when the thread starts: the
    // dialog may end (the person closes it once the result is in) and its
    // object go before the thread sends its close, and a window handle, never
    // reused, then finds nothing.
    HWND m_connectionWindow = nullptr;
    // The connect thread, kept (not deleting itself) until its end is
    // awaited.
    std::unique_ptr<CWinThread> m_connectThread;
};
