#include "platform/afx_app.h"

#include "platform/afx_wnd.h"

#include "platform/module.h"
#include "platform/profile.h"
#include "platform/resources.h"

#include <cstring>
#include <map>
#include <mutex>
#include <vector>

namespace {

// The program's module state; its handles are filled on first use.
AFX_MODULE_STATE& AppState() {
    static AFX_MODULE_STATE state = [] {
        AFX_MODULE_STATE initial;
        initial.m_hCurrentInstanceHandle = GetModuleHandleA(nullptr);
        initial.m_hCurrentResourceHandle = initial.m_hCurrentInstanceHandle;
        return initial;
    }();
    return state;
}

thread_local AFX_MODULE_STATE* currentState = nullptr;

// The states of the modules attached through their DllMain, by module handle.
struct AttachedModules {
    std::mutex mutex;
    std::map<HINSTANCE, AFX_MODULE_STATE*> states;
};

AttachedModules& Attached() {
    static AttachedModules* modules = new AttachedModules;  // threads still running at exit use it
    return *modules;
}

std::string ModuleTitle(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/:");
    std::string leaf = slash == std::string::npos ? path : path.substr(slash + 1);
    const std::size_t dot = leaf.rfind('.');
    return dot == std::string::npos ? leaf : leaf.substr(0, dot);
}

}  // namespace

AFX_MODULE_STATE* AfxGetModuleState() {
    return currentState != nullptr ? currentState : &AppState();
}

AFX_MODULE_STATE* AfxGetAppModuleState() {
    return &AppState();
}

AFX_MAINTAIN_STATE2::AFX_MAINTAIN_STATE2(AFX_MODULE_STATE* newState)
    : previous_(currentState), activation_(newState != nullptr ? newState->m_hActCtx : nullptr) {
    currentState = newState;
}

AFX_MAINTAIN_STATE2::~AFX_MAINTAIN_STATE2() {
    currentState = previous_;
}

HINSTANCE AfxGetInstanceHandle() {
    return AfxGetModuleState()->m_hCurrentInstanceHandle;
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetModuleState()->m_hCurrentResourceHandle;
}

void AfxSetResourceHandle(HINSTANCE resources) {
    AfxGetModuleState()->m_hCurrentResourceHandle = resources;
}

HINSTANCE AfxFindResourceHandle(LPCSTR name, LPCSTR type) {
    const HINSTANCE current = AfxGetResourceHandle();
    if (FindResourceA(current, name, type) != nullptr) {
        return current;
    }
    const HINSTANCE application = AfxGetAppModuleState()->m_hCurrentResourceHandle;
    if (application != current && FindResourceA(application, name, type) != nullptr) {
        return application;
    }
    return current;
}

namespace {

bool HoldsString(HINSTANCE module, UINT id) {
    char first[2];
    return LoadStringA(module, id, first, sizeof(first)) > 0;
}

}  // namespace

HINSTANCE AfxFindStringResourceHandle(UINT id) {
    const HINSTANCE current = AfxGetResourceHandle();
    if (HoldsString(current, id)) {
        return current;
    }
    const HINSTANCE application = AfxGetAppModuleState()->m_hCurrentResourceHandle;
    return HoldsString(application, id) ? application : current;
}

CWinApp* AfxGetApp() {
    return AfxGetModuleState()->m_pCurrentWinApp;
}

LPCSTR AfxGetAppName() {
    return AfxGetModuleState()->m_lpszCurrentAppName;
}

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

CWinApp::CWinApp(LPCSTR appName, AFX_MODULE_STATE* moduleState) : moduleState_(moduleState) {
    if (appName != nullptr) {
        appName_ = appName;
        m_pszAppName = appName_.c_str();
    }
    moduleState_->m_pCurrentWinApp = this;
    if (moduleState_->m_hCurrentInstanceHandle != nullptr) {
        // A program's application object: its module is already known.
        AfxModuleAttach(moduleState_, moduleState_->m_hCurrentInstanceHandle);
    }
}

CWinApp::~CWinApp() {
    if (moduleState_->m_pCurrentWinApp == this) {
        moduleState_->m_pCurrentWinApp = nullptr;
        moduleState_->m_lpszCurrentAppName = nullptr;
    }
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::WinHelp(DWORD_PTR data, UINT command) {
    CWnd* main = m_pMainWnd != nullptr ? m_pMainWnd : AfxGetMainWnd();
    ::WinHelpA(main != nullptr ? main->GetSafeHwnd() : nullptr, m_pszHelpFilePath, command, data);
}

CString CWinApp::GetProfileString(LPCSTR section, LPCSTR entry, LPCSTR defaultValue) {
    if (m_pszProfileName == nullptr || section == nullptr || entry == nullptr) {
        return defaultValue != nullptr ? defaultValue : "";
    }
    // A value may be of any length: read until it fits with room to spare.
    std::vector<char> buffer(256);
    for (;;) {
        const DWORD length = ::GetPrivateProfileStringA(section, entry, defaultValue != nullptr ? defaultValue : "",
                                                        buffer.data(), static_cast<DWORD>(buffer.size()),
                                                        m_pszProfileName);
        if (length + 1 < buffer.size()) {
            return CString(buffer.data());
        }
        buffer.resize(buffer.size() * 2);
    }
}

BOOL CWinApp::WriteProfileString(LPCSTR section, LPCSTR entry, LPCSTR value) {
    if (m_pszProfileName == nullptr || section == nullptr) {
        return FALSE;
    }
    return ::WritePrivateProfileStringA(section, entry, value, m_pszProfileName);
}

BOOL AfxModuleAttach(AFX_MODULE_STATE* state, HINSTANCE module) {
    if (state != AfxGetAppModuleState()) {
        std::lock_guard lock(Attached().mutex);
        Attached().states[module] = state;
    }
    state->m_hCurrentInstanceHandle = module;
    if (state->m_hCurrentResourceHandle == nullptr) {
        state->m_hCurrentResourceHandle = module;
    }
    if (state != AfxGetAppModuleState() && state->m_hActCtx == nullptr) {
        state->m_hActCtx = platform::MakeModuleActivationContext(module);
    }
    CWinApp* app = state->m_pCurrentWinApp;
    if (app == nullptr || app->m_hInstance == module) {
        return TRUE;
    }
    char path[MAX_PATH] = {};
    GetModuleFileNameA(module, path, MAX_PATH);
    const std::string modulePath = path;
    app->m_hInstance = module;
    if (app->appName_.empty()) {
        app->appName_ = ModuleTitle(modulePath);
    }
    app->m_pszAppName = app->appName_.c_str();
    state->m_lpszCurrentAppName = app->m_pszAppName;
    const std::size_t dot = modulePath.rfind('.');
    const std::size_t slash = modulePath.find_last_of("\\/");
    const std::string stem =
        dot != std::string::npos && (slash == std::string::npos || dot > slash) ? modulePath.substr(0, dot) : modulePath;
    app->helpFilePath_ = stem + ".HLP";
    app->m_pszHelpFilePath = app->helpFilePath_.data();
    app->profileName_ = stem + ".INI";
    app->m_pszProfileName = app->profileName_.c_str();
    if (state == AfxGetAppModuleState()) {
        return TRUE;  // a program runs its own initialisation
    }
    AFX_MANAGE_STATE(state);
    return app->InitInstance();
}

void AfxModuleDetach(AFX_MODULE_STATE* state) {
    if (CWinApp* app = state->m_pCurrentWinApp; app != nullptr) {
        AFX_MANAGE_STATE(state);
        app->ExitInstance();
    }
    platform::ReleaseModuleActivationContext(state->m_hActCtx);
    state->m_hActCtx = nullptr;
    std::lock_guard lock(Attached().mutex);
    Attached().states.erase(state->m_hCurrentInstanceHandle);
}

AFX_MODULE_STATE* AfxFindModuleState(HINSTANCE module) {
    std::lock_guard lock(Attached().mutex);
    const auto found = Attached().states.find(module);
    return found != Attached().states.end() ? found->second : nullptr;
}
