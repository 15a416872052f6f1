// The run-control handler bases: CTargetExec implements the host's IHTExec,
// CTargetExec2 adds IHTExec2. They register their interfaces with the host
// while they exist, answer the idle and status-text queries, keep the running
// state and announce the start of a run through the host's go-started event.
// The run, step, stop and reset operations themselves are the derived
// handler's.
#pragma once

#include "frame/target_handler.h"

#include "platform/host/target_interfaces.h"

#include <atomic>

class CTargetExec : public CTargetHandler, public IHTExec {
public:
    // statusTexts: string-resource ids, one per status index (not owned).
    CTargetExec(const UINT* statusTexts, DWORD statusTextCount, IHostServiceProvider* host);
    ~CTargetExec() override;

    HRESULT OnTargetOpen() override;
    HRESULT OnTargetClose() override;
    // The host's option value: the address of its register array.
    virtual HRESULT SetOption(DWORD_PTR value);
    virtual DWORD GetNotifyValue() = 0;
    virtual BOOL StartTarget() { return TRUE; }
    virtual BOOL UpdateState() { return TRUE; }
    // Marks the request running and, when the target starts, waits for the
    // host to take the go-started event.
    virtual HRESULT StartExecution(DWORD requestCode);
    virtual void OnExecutionResult(HRESULT result);
    // Tells the thread that made the handler (the host's UI thread) that the
    // run state changed: the thread message WM_USER+1 with the notify value.
    virtual HRESULT PostExecRequest();

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    // IHTExec: the idle queries and the status text; the rest is the derived
    // handler's.
    HRESULT STDMETHODCALLTYPE QueryIdleA() override;
    HRESULT STDMETHODCALLTYPE QueryIdleB() override;
    HRESULT STDMETHODCALLTYPE QueryIdleEx() override { return E_FAIL; }
    HRESULT STDMETHODCALLTYPE GetStatusText(BSTR* text) override;

    DWORD IsRunning() const { return m_running; }
    DWORD GetRequestCode() const { return m_requestCode; }
    DWORD_PTR GetOption() const { return m_option; }
    void SetStatusIndex(WORD index) { m_statusIndex = index; }
    CWinThread* GetCreatingThread() const { return m_creatingThread; }

protected:
    // The wait for the go-started event, shared by both starts.
    void AnnounceRunStart();

    CWinThread* m_creatingThread;
    // The id its thread messages go to.
    DWORD m_creatingThreadId;
    std::atomic<WORD> m_statusIndex{0};
    DWORD_PTR m_option = 0;
    std::atomic<DWORD> m_running{0};
    std::atomic<DWORD> m_requestCode{0};
    const UINT* m_statusTexts;
    DWORD m_statusTextCount;
};

class CTargetExec2 : public CTargetExec, public IHTExec2 {
public:
    CTargetExec2(const UINT* statusTexts, DWORD statusTextCount, IHostServiceProvider* host);
    ~CTargetExec2() override;

    HRESULT OnTargetOpen() override;
    HRESULT OnTargetClose() override;
    HRESULT SetOption(DWORD_PTR value) override;
    void OnExecutionResult(HRESULT result) override;
    // The start of a run on the IHTExec2 side (the second set of fields).
    virtual HRESULT SignalHostEvent(DWORD requestCode);
    // Tells the host the run state changed through its event service and
    // waits for it to be handled.
    HRESULT PostExecRequest() override;

    // Both interface parts answer through the IHTExec2 part.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE QueryIdleA() override { return CTargetExec::QueryIdleA(); }
    HRESULT STDMETHODCALLTYPE QueryIdleB() override { return CTargetExec::QueryIdleB(); }
    HRESULT STDMETHODCALLTYPE QueryIdleEx() override { return CTargetExec::QueryIdleEx(); }
    HRESULT STDMETHODCALLTYPE GetStatusText(BSTR* text) override { return CTargetExec::GetStatusText(text); }

    DWORD IsRunning2() const { return m_running2; }
    DWORD GetRequestCode2() const { return m_requestCode2; }
    DWORD_PTR GetOption2() const { return m_option2; }

protected:
    // The IHTExec2 side's own state: its option value, running flag and request.
    DWORD_PTR m_option2 = 0;
    std::atomic<DWORD> m_running2{0};
    std::atomic<DWORD> m_requestCode2{0};
};
