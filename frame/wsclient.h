// Default workspace clients: every notification is accepted and does nothing,
// so that a client overrides only the few it cares about. Registering a client
// with the host is the deriving class's business.
#pragma once

#include "platform/host/interfaces.h"

// The IHWorkSpaceClient notifications, shared by both default clients.
template <typename Interface>
class CWSClientDefaults : public Interface {
public:
    HRESULT STDMETHODCALLTYPE OnWorkspaceCreated(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnWorkspaceOpened(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnWorkspaceClosed(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnWorkspaceSaved(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProjectAdded(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProjectRemoved(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnProjectActivated(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryBusyOnWorkspaceClose() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnConfigurationChanged(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryBusyOnProjectChange() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnBuildStarted(DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryWorkspaceData(DWORD, DWORD* result) override {
        if (result != nullptr) {
            *result = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE OnFileAdded(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFileRemoved(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFileRenamed(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderAdded(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderRemoved(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnFolderRenamed(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnBuildEnded(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDownloadStarted(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDownloadEnded(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDebugSessionChanged(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnOptionChanged(DWORD, DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnToolAdded(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnToolRemoved(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnToolChanged(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDependencyAdded(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnDependencyRemoved(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnViewOpened(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnViewClosed(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSettingChanged(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSettingRemoved(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnItemRenamed(DWORD, DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnItemMoved(DWORD, DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSelectionChanged(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnPropertyChanged(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnCustomNotify(DWORD, DWORD, DWORD, DWORD) override { return S_OK; }
};

// The default IHWorkSpaceClient. The IUnknown operations are the deriving
// class's.
class CWSClient : public CWSClientDefaults<IHWorkSpaceClient> {
public:
    virtual ~CWSClient() = default;
};

// The default IHWorkSpaceClient2 (the notifications above and the session
// extension). It does not derive from CWSClient.
class CWSClient2 : public CWSClientDefaults<IHWorkSpaceClient2> {
public:
    virtual ~CWSClient2() = default;

    HRESULT STDMETHODCALLTYPE OnSessionCreated(BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryBusyOnSessionSave(BSTR, BSTR, BSTR, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE QueryBusyOnSessionLoad(BSTR, BSTR, BSTR, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSessionRenamed(BSTR, BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLoadSession(BSTR, BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnLoadSessionDefaults(BSTR, BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSessionRemoved(BSTR, BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSessionCopied(BSTR, BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE OnSaveSession(BSTR, BSTR, BSTR) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GetModified(BSTR, BSTR, BSTR, DWORD* modified) override {
        if (modified != nullptr) {
            *modified = 0;
        }
        return S_OK;
    }
};
