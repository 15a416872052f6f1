#include "util/host_session_data.h"

#include "platform/bstr.h"
#include "platform/host/label_interfaces.h"

namespace {

// The two services with the session's three scope texts, or nothing.
struct SessionScope {
    IHDataManager* data = nullptr;
    platform::Bstr workspace;
    platform::Bstr project;
    platform::Bstr configuration;
};

bool OpenScope(IHostServiceProvider* host, SessionScope& scope) {
    if (host == nullptr) {
        return false;
    }
    IHSessionInfo* session = nullptr;
    if (FAILED(host->QueryService(IID_IHSessionInfo, reinterpret_cast<void**>(&session))) || session == nullptr ||
        FAILED(host->QueryService(IID_IHDataManager, reinterpret_cast<void**>(&scope.data))) ||
        scope.data == nullptr) {
        return false;
    }
    // The data manager takes the names as they come, answered or not.
    static_cast<void>(session->GetWorkspaceName(scope.workspace.Out()));
    static_cast<void>(session->GetProjectName(scope.project.Out()));
    static_cast<void>(session->GetConfigurationName(scope.configuration.Out()));
    return true;
}

}  // namespace

BOOL ReadHostSessionText(IHostServiceProvider* host, LPCSTR key, CString& text) {
    SessionScope scope;
    if (!OpenScope(host, scope)) {
        return FALSE;
    }
    const platform::Bstr name(key);
    platform::Bstr value;
    if (scope.data->ReadText(scope.workspace.Get(), scope.project.Get(), scope.configuration.Get(), name.Get(),
                             value.Out()) != S_OK) {
        return FALSE;
    }
    text = value.Ansi();
    return TRUE;
}

BOOL StoreHostSessionText(IHostServiceProvider* host, LPCSTR key, LPCSTR text) {
    SessionScope scope;
    if (!OpenScope(host, scope)) {
        return FALSE;
    }
    const platform::Bstr name(key);
    const platform::Bstr value(text != nullptr ? text : "");
    return scope.data->StoreText(scope.workspace.Get(), scope.project.Get(), scope.configuration.Get(), name.Get(),
                                 value.Get()) == S_OK;
}
