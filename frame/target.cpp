#include "frame/target.h"

#include "frame/dlg_connection.h"
#include "frame/target_break.h"
#include "frame/target_exec.h"
#include "frame/target_memory.h"
#include "frame/target_status.h"

#include "platform/bstr.h"

CTarget::~CTarget() {
    AwaitConnectThread();
}

HRESULT CTarget::Initialise(BSTR targetName) {
    m_targetName = platform::BstrToAnsi(targetName).c_str();
    HRESULT result = CreateHandlers();
    if (SUCCEEDED(result)) {
        m_connected = Connect();
        result = m_connected != 0 ? m_cfgHandler->OnTargetOpen() : E_FAIL;
    }
    if (SUCCEEDED(result)) {
        result = m_memoryHandler->OnTargetOpen();
    }
    if (SUCCEEDED(result)) {
        result = m_memoryMapHandler->OnTargetOpen();
    }
    if (SUCCEEDED(result)) {
        result = m_execHandler->OnTargetOpen();
    }
    if (FAILED(result)) {
        Uninitialise();
    }
    return result;
}

HRESULT CTarget::Uninitialise() {
    if (m_connected != 0) {
        Disconnect();
        m_connected = 0;
    }
    return DestroyHandlers();
}

HRESULT CTarget::GetDescription(BSTR* description) {
    if (m_cfgHandler == nullptr) {
        return E_FAIL;
    }
    return m_cfgHandler->GetDescription(description);
}

HRESULT CTarget::SetParameters(DWORD first, DWORD_PTR second) {
    m_firstParameter = first;
    m_secondParameter = second;
    if (m_execHandler != nullptr) {
        m_execHandler->SetOption(second);
    }
    return S_OK;
}

HRESULT CTarget::CreateHandlers() {
    m_cfgHandler = CreateCfgHandler();
    m_breakHandler = CreateBreakHandler();
    m_ioHandler = CreateIOHandler();
    m_memoryHandler = CreateMemoryHandler();
    m_memoryMapHandler = CreateMemoryMapHandler();
    m_execHandler = CreateExecHandler();
    m_statusHandler = CreateStatusHandler();
    if (m_memoryHandler != nullptr) {
        m_memoryHandler->SetMemoryMap(m_memoryMapHandler);
    }
    if (m_ioHandler != nullptr) {
        IHTIO* io = nullptr;
        HRESULT result = m_ioHandler->QueryInterface(IID_IHTIO, reinterpret_cast<void**>(&io));
        if (SUCCEEDED(result)) {
            result = m_host != nullptr ? m_host->RegisterServer(IID_IHTIO, io) : E_FAIL;
        }
        if (FAILED(result)) {
            DeleteIOHandler(m_ioHandler);
            m_ioHandler = nullptr;
            return result;
        }
    }
    const bool complete = m_cfgHandler != nullptr && m_execHandler != nullptr && m_memoryHandler != nullptr &&
                          m_memoryMapHandler != nullptr;
    return complete ? S_OK : E_FAIL;
}

HRESULT CTarget::DestroyHandlers() {
    if (m_ioHandler != nullptr && m_host != nullptr) {
        IHTIO* io = nullptr;
        if (SUCCEEDED(m_ioHandler->QueryInterface(IID_IHTIO, reinterpret_cast<void**>(&io)))) {
            m_host->UnregisterServer(IID_IHTIO, io);
        }
    }
    if (m_statusHandler != nullptr) {
        DeleteStatusHandler(m_statusHandler);  // a status page is not closed
        m_statusHandler = nullptr;
    }
    if (m_execHandler != nullptr) {
        m_execHandler->OnTargetClose();
        DeleteExecHandler(m_execHandler);
        m_execHandler = nullptr;
    }
    if (m_memoryMapHandler != nullptr) {
        if (m_memoryHandler != nullptr) {
            m_memoryHandler->SetMemoryMap(nullptr);
        }
        m_memoryMapHandler->OnTargetClose();
        DeleteMemoryMapHandler(m_memoryMapHandler);
        m_memoryMapHandler = nullptr;
    }
    if (m_memoryHandler != nullptr) {
        m_memoryHandler->OnTargetClose();
        DeleteMemoryHandler(m_memoryHandler);
        m_memoryHandler = nullptr;
    }
    if (m_ioHandler != nullptr) {
        m_ioHandler->OnTargetClose();
        DeleteIOHandler(m_ioHandler);
        m_ioHandler = nullptr;
    }
    if (m_breakHandler != nullptr) {
        m_breakHandler->OnTargetClose();
        DeleteBreakHandler(m_breakHandler);
        m_breakHandler = nullptr;
    }
    if (m_cfgHandler != nullptr) {
        m_cfgHandler->OnTargetClose();
        DeleteCfgHandler(m_cfgHandler);
        m_cfgHandler = nullptr;
    }
    return S_OK;
}

void CTarget::DeleteCfgHandler(CTargetCfg* handler) {
    delete handler;
}

void CTarget::DeleteBreakHandler(CTargetBreak* handler) {
    delete handler;
}

void CTarget::DeleteExecHandler(CTargetExec* handler) {
    delete handler;
}

void CTarget::DeleteIOHandler(CTargetIO* handler) {
    delete handler;
}

void CTarget::DeleteMemoryHandler(CTargetMemory* handler) {
    delete handler;
}

void CTarget::DeleteMemoryMapHandler(CTargetMemoryMap* handler) {
    delete handler;
}

void CTarget::DeleteStatusHandler(CTargetStatus* handler) {
    delete handler;
}

HRESULT CTarget::OnHostEvent(const GUID*) {
    return S_OK;
}

HRESULT CTarget::Attach(IHostServiceProvider* host, WORD flag) {
    if (flag == 0) {
        return S_OK;
    }
    if (host == nullptr) {
        return E_FAIL;  // nothing to attach to
    }
    m_host = host;
    // The results are not checked: a host without a service leaves it null.
    m_host->QueryService(IID_IHErrorCodeTable, reinterpret_cast<void**>(&m_errorCodeTable));
    m_host->QueryService(IID_IHDebugSession, reinterpret_cast<void**>(&m_debugSession));
    return S_OK;
}

HRESULT CTarget::Detach(WORD flag) {
    if (flag != 0) {
        m_host = nullptr;
        m_errorCodeTable = nullptr;
        m_debugSession = nullptr;
    }
    return S_OK;
}

HRESULT CTarget::GetErrorText(HRESULT code, BSTR* text) {
    if (m_errorCodeTable == nullptr) {
        return E_FAIL;  // not attached, or the host offers no error-code table
    }
    return m_errorCodeTable->GetErrorText(code, text);
}

UINT CTarget::ConnectProc() {
    if (m_connectionWindow != nullptr) {
        ::SendMessageA(m_connectionWindow, WM_CLOSE, 0, 0);
    }
    AfxEndThread(0);
}

void CTarget::StartConnectThread(CDlgConnection* dialog) {
    AwaitConnectThread();  // a previous connect's thread has ended
    m_connectionDialog = dialog;
    m_connectionWindow = dialog->GetSafeHwnd();
    const auto body = [](LPVOID target) -> UINT { return static_cast<CTarget*>(target)->ConnectProc(); };
    // Started held back, so that the thread object is ours to wait on before
    // the thread can run (and end).
    CWinThread* thread = AfxBeginThread(body, this, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr) {
        // Without a thread nothing would ever close the dialog: it ends at
        // once with no connection.
        dialog->EnableCancel(0);
        dialog->EndDialog(IDCANCEL);
        return;
    }
    thread->m_bAutoDelete = FALSE;
    m_connectThread.reset(thread);
    thread->ResumeThread();
}

void CTarget::AwaitConnectThread() {
    if (m_connectThread != nullptr) {
        ::WaitForSingleObject(m_connectThread->m_hThread, INFINITE);
        m_connectThread.reset();
    }
}

void CTarget::ForgetConnectionDialog(const CDlgConnection* dialog) {
    if (m_connectionDialog == dialog) {
        m_connectionDialog = nullptr;
        m_connectionWindow = nullptr;
    }
}
