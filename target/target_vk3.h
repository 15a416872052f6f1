// The plug-in's single target object: CTarget (the host interfaces), then
// CTargetComponentBase (attach and detach, the workspace-client part, the
// session-modified flag, the settings-file cache), then CTargetVk3 (the
// family's registration).
#pragma once

#include "frame/target.h"
#include "frame/wsclient.h"
#include "target/settings_files.h"

#include <atomic>
#include <memory>
#include <string>

class CDllResource;
class CHostEvent;

class CTargetComponentBase : public CTarget, public CWSClient2 {
public:
    explicit CTargetComponentBase(const CLSID& componentClassId);
    ~CTargetComponentBase() override;

    // IUnknown: the registry-client, component and target parts and the two
    // workspace-client tables. The error-reporter table is not handed out
    // here; the host asks the handlers for their own reporters.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // IHComponent
    HRESULT STDMETHODCALLTYPE Attach(IHostServiceProvider* host, WORD flag) override;
    HRESULT STDMETHODCALLTYPE Detach(WORD flag) override;

    // IHErrorReporter: the text of the host's error-code table service.
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;

    // Workspace-client overrides: the run-state queries answer 1 while a run
    // is going on; the modified query reports the session-modified flag.
    HRESULT STDMETHODCALLTYPE QueryBusyOnWorkspaceClose() override { return IsRunningResult(); }
    HRESULT STDMETHODCALLTYPE QueryBusyOnProjectChange() override { return IsRunningResult(); }
    HRESULT STDMETHODCALLTYPE QueryBusyOnSessionSave(BSTR, BSTR, BSTR, DWORD) override { return IsRunningResult(); }
    HRESULT STDMETHODCALLTYPE QueryBusyOnSessionLoad(BSTR, BSTR, BSTR, DWORD) override { return IsRunningResult(); }
    HRESULT STDMETHODCALLTYPE GetModified(BSTR, BSTR, BSTR, DWORD* modified) override;

    CTargetComponentBase& SetModified(DWORD modified);
    // Hands the host the event and waits (a bounded time) for the event
    // object the host names for it.
    void RaiseHostEvent(const CHostEvent& event);
    DWORD IsModified() const { return m_sessionModified; }
    void SetRunning(DWORD running) { m_running = running; }
    DWORD IsRunning() const { return m_running; }

    // The selected driver's name (empty when none is selected).
    void SetDriverName(const char* name) { m_driverName = name != nullptr ? name : ""; }
    const std::string& GetDriverName() const { return m_driverName; }

    const CLSID& GetComponentClassId() const { return m_componentClassId; }
    CSettingsFileCache& GetSettingsCache() { return m_settingsCache; }
    HINSTANCE GetModuleInstance() const { return m_moduleInstance; }
    const CDllResource* GetResourceDll() const { return m_resourceDll.get(); }

private:
    // The second interface of the workspace-client part.
    class CWorkSpaceExtra : public IHWorkSpaceClientExtra {
    public:
        explicit CWorkSpaceExtra(CTargetComponentBase& owner) : m_owner(owner) {}
        HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
            return m_owner.QueryInterface(iid, object);
        }
        ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
        ULONG STDMETHODCALLTYPE Release() override { return 0; }
        HRESULT STDMETHODCALLTYPE OnWorkspaceIdle() override { return S_OK; }

    private:
        CTargetComponentBase& m_owner;
    };

    HRESULT IsRunningResult() const { return m_running != 0 ? 1 : 0; }

    CLSID m_componentClassId;
    std::atomic<DWORD> m_sessionModified{0};
    std::atomic<DWORD> m_running{0};
    CSettingsFileCache m_settingsCache;
    std::string m_driverName;
    HINSTANCE m_moduleInstance = nullptr;
    std::unique_ptr<CDllResource> m_resourceDll;
    CWorkSpaceExtra m_workSpaceExtra{*this};
};

class CTargetVk3 : public CTargetComponentBase {
public:
    CTargetVk3();

    // IHRegistryClient: registers the target with the host under the library
    // name of the plug-in's .CNF file.
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry* registry) override;
};

// The process-wide texts that registration reads from the plug-in's .CNF.
extern char g_libraryName[128];
extern char g_familyName[20];
extern char g_libraryName2[128];
extern char g_familyName2[20];

// The single target object.
CTargetVk3* GetTarget();
