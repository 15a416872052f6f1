#include "plugin/component_manager.h"

#include "hostui/host_ui_manager.h"

#include <cstring>

CComponentApp* g_componentApp = nullptr;

HRESULT CComponentManager::RegisterComponents(IHComponentRegistry* registry) {
    HRESULT result = S_OK;
    for (const ComponentTableEntry* entry = table_; entry->clsid != nullptr; ++entry) {
        IHRegistryClient* client = nullptr;
        if (entry->component->QueryInterface(IID_IHRegistryClient, reinterpret_cast<void**>(&client)) == S_OK) {
            client->Register(registry);  // a component's own registration failure is not ours to report
        } else {
            result = E_NOINTERFACE;
        }
    }
    return result;
}

HRESULT CComponentManager::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    for (const ComponentTableEntry* entry = table_; entry->clsid != nullptr && *object == nullptr; ++entry) {
        if (entry->component->QueryInterface(iid, object) == S_OK) {
            return S_OK;
        }
    }
    // A component that failed but left a pointer ends the search; the pointer
    // goes back unchanged.
    return E_NOINTERFACE;
}

CComponentApp::CComponentApp(const ComponentTableEntry* table) : m_componentManager(table) {
    g_componentApp = this;
}

CComponentApp::~CComponentApp() {
    g_componentApp = nullptr;
    delete m_uiManager;
    m_uiManager = nullptr;
}

BOOL CComponentApp::InitInstance() {
    // The help path is the module's own path with the help extension; cut it
    // behind its last backslash, so that it names the plug-in's folder, through
    // which every data file beside the plug-in is found.
    if (m_pszHelpFilePath != nullptr) {
        if (char* separator = std::strrchr(m_pszHelpFilePath, '\\'); separator != nullptr) {
            separator[1] = '\0';
        }
    }
    return CWinApp::InitInstance();
}

int CComponentApp::ExitInstance() {
    delete m_uiManager;
    m_uiManager = nullptr;
    return CWinApp::ExitInstance();
}

CHostUiManager* CComponentApp::GetUiManager(IHostServiceProvider* host) {
    if (host != nullptr && m_uiManager == nullptr) {
        m_uiManager = new CHostUiManager(host);
    }
    return m_uiManager;
}
