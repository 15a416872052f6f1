#include "frame/target_exec.h"

#include "frame/host_event_wait.h"

#include "platform/bstr.h"
#include "platform/resources.h"
#include "platform/windows_ui.h"

namespace {

// The thread message that tells the handler's thread the run state changed.
constexpr UINT kRunStateMessage = WM_USER + 1;

}  // namespace

CTargetExec::CTargetExec(const UINT* statusTexts, DWORD statusTextCount, IHostServiceProvider* host)
    : CTargetHandler(host),
      m_creatingThread(AfxGetThread()),
      m_creatingThreadId(GetCurrentThreadId()),
      m_statusTexts(statusTexts),
      m_statusTextCount(statusTextCount) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTExec, static_cast<IHTExec*>(this));
    }
}

CTargetExec::~CTargetExec() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHTExec, static_cast<IHTExec*>(this));
    }
}

HRESULT CTargetExec::OnTargetOpen() {
    m_running = 0;
    m_requestCode = 0;
    return CTargetHandler::OnTargetOpen();
}

HRESULT CTargetExec::OnTargetClose() {
    m_running = 0;
    return CTargetHandler::OnTargetClose();
}

HRESULT CTargetExec::SetOption(DWORD_PTR value) {
    m_option = value;
    UpdateState();
    return S_OK;
}

void CTargetExec::AnnounceRunStart() {
    if (m_host == nullptr) {
        return;
    }
    const HostEventNotice notice{EVENT_GoStarted, nullptr};
    platform::Bstr name;
    if (m_host->GetEventName(&notice, name.Out()) == S_OK) {
        WaitForNamedHostEvent(name.Get());
    }
}

HRESULT CTargetExec::StartExecution(DWORD requestCode) {
    m_running = 1;
    m_requestCode = requestCode;
    const HRESULT result = StartTarget() ? S_OK : E_FAIL;
    if (result == S_OK) {
        AnnounceRunStart();
    }
    return result;
}

void CTargetExec::OnExecutionResult(HRESULT result) {
    if (FAILED(result)) {
        m_running = 0;
        m_requestCode = 0;
    }
}

HRESULT CTargetExec::PostExecRequest() {
    UpdateState();
    // A thread that has ended takes no message; the notice is then dropped.
    static_cast<void>(PostThreadMessageA(m_creatingThreadId, kRunStateMessage, 0,
                                         static_cast<LPARAM>(GetNotifyValue())));
    return S_OK;
}

HRESULT CTargetExec::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTExec)) {
        *object = static_cast<IHTExec*>(this);
    } else if (IsEqualIID(iid, IID_Q3vRunControlObject)) {
        *object = this;
    }
    return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT CTargetExec::QueryIdleA() {
    return m_running == 1 ? E_FAIL : S_OK;
}

HRESULT CTargetExec::QueryIdleB() {
    return QueryIdleA();
}

HRESULT CTargetExec::GetStatusText(BSTR* text) {
    const WORD index = m_statusIndex;
    if (index >= m_statusTextCount || text == nullptr) {
        return E_FAIL;
    }
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const std::string loaded = platform::LoadResourceString(AfxGetResourceHandle(), m_statusTexts[index]).value_or("");
    try {
        *text = platform::AllocBstr(loaded);
    } catch (const platform::ComError& error) {
        return error.Error();
    }
    return S_OK;
}

CTargetExec2::CTargetExec2(const UINT* statusTexts, DWORD statusTextCount, IHostServiceProvider* host)
    : CTargetExec(statusTexts, statusTextCount, host) {
    if (m_host != nullptr) {
        m_host->RegisterServer(IID_IHTExec2, static_cast<IHTExec2*>(this));
    }
}

CTargetExec2::~CTargetExec2() {
    if (m_host != nullptr) {
        m_host->UnregisterServer(IID_IHTExec2, static_cast<IHTExec2*>(this));
    }
}

HRESULT CTargetExec2::OnTargetOpen() {
    m_running2 = 0;
    m_requestCode2 = 0;
    return CTargetExec::OnTargetOpen();
}

HRESULT CTargetExec2::OnTargetClose() {
    m_running2 = 0;
    return CTargetExec::OnTargetClose();
}

HRESULT CTargetExec2::SetOption(DWORD_PTR value) {
    m_option2 = value;
    UpdateState();
    return S_OK;
}

void CTargetExec2::OnExecutionResult(HRESULT result) {
    if (FAILED(result)) {
        m_running2 = 0;
        m_requestCode2 = 0;
    }
}

HRESULT CTargetExec2::SignalHostEvent(DWORD requestCode) {
    m_running2 = 1;
    m_requestCode2 = requestCode;
    const HRESULT result = StartTarget() ? S_OK : E_FAIL;
    if (result == S_OK) {
        AnnounceRunStart();
    }
    return result;
}

HRESULT CTargetExec2::PostExecRequest() {
    UpdateState();
    if (m_host == nullptr) {
        return S_OK;
    }
    IHostEventService* events = nullptr;
    if (m_host->QueryInterface(IID_IHostEventService, reinterpret_cast<void**>(&events)) == S_OK &&
        events != nullptr) {
        platform::Bstr name;
        if (events->RaiseEvent(&EVENT_RunState, GetNotifyValue(), name.Out()) == S_OK) {
            WaitForNamedHostEvent(name.Get());
        }
    }
    return S_OK;
}

HRESULT CTargetExec2::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHTExec) || IsEqualIID(iid, IID_IHTExec2)) {
        *object = static_cast<IHTExec2*>(this);
    } else if (IsEqualIID(iid, IID_Q3vRunControlObject2)) {
        *object = this;
    }
    return *object != nullptr ? S_OK : E_NOINTERFACE;
}
