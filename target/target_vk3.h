// The plug-in's single target object: CTarget (the host interfaces), then
// CTargetComponentBase (attach and detach, the workspace-client part with the
// session load and save, the session-modified flag, the settings-file cache,
// the further objects and the teardown order), then CTargetVk3 (the
// family's registration and handler factories and the start-up device
// selection object).
#pragma once

#include "frame/target.h"
#include "frame/wsclient.h"
#include "config/settings_files.h"

#include <atomic>
#include <memory>
#include <string>
#include <vector>

class CBreakConditionSet;
class CDllResource;
class CMotFile;
class CHostProfileAccessor;
class CEventEngineBase;
class CHostEvent;
class CTargetEventVk3;
class CTargetHandler;
class CViewColumnBase;

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

    // IHTarget: the base initialisation (handlers, connect, their open), then
    // the further objects' open in their order; any failure tears everything
    // down again and is answered.
    HRESULT STDMETHODCALLTYPE Initialise(BSTR targetName) override;
    // Lets an open connecting dialog close again, then Uninitialise and,
    // when that succeeds, Initialise with the kept target name.
    HRESULT STDMETHODCALLTYPE Reconnect() override;

    // IHComponent
    // The periodic-status and run-state events show the stop cause in the
    // host's status bar (the run-state one also on its error output); the
    // setting-items event refreshes the setting items; the register-refresh
    // event reads the registers again. Any other event is ignored.
    HRESULT STDMETHODCALLTYPE OnHostEvent(const GUID* eventId) override;
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
    // The host opens a session: its options are read back; a session the
    // plug-in did not save is saved at once. Answers 0.
    HRESULT STDMETHODCALLTYPE OnLoadSession(BSTR first, BSTR second, BSTR third, BSTR fourth) override;
    // The session load followed by a write of the setting items. Answers 0.
    HRESULT STDMETHODCALLTYPE OnLoadSessionDefaults(BSTR first, BSTR second, BSTR third, BSTR fourth) override;
    // The host saves the session: its options and "IS_SAVED". Answers 0.
    HRESULT STDMETHODCALLTYPE OnSaveSession(BSTR first, BSTR second, BSTR third) override;

    // The base's seven handlers, then the further objects; 0x80040201 when
    // a required further object is missing.
    HRESULT CreateHandlers() override;
    // Closes and deletes everything in the fixed order; answers 0.
    HRESULT DestroyHandlers() override;
    // Runs the modal "Connecting" dialog, whose connect thread runs
    // ConnectProc; the connect's result: 1 connected, 0 not.
    DWORD Connect() override;
    // Restores what the session changed in target memory (the XIN entries,
    // the cold-start area) unless the flash is being programmed or the
    // emulator powers the target.
    void Disconnect() override;
    // The connect thread: the session file's path kept, the driver chosen,
    // the session objects made (those of an earlier connect are kept), the
    // boot sequence; the restart message after a lost link; a failure asks
    // for the start-up selection's dialog next time ("HIDE_DIALOG" "0").
    // The result goes to the dialog, which is closed; the thread ends.
    UINT ConnectProc() override;
    // The emulator driver (connect thread): the saved choice while it is
    // still there, the only driver with its only interface and channel, or
    // the user's choice in "Driver Details". 1 a driver is ready, 0 not.
    virtual DWORD SelectEmulatorDriver();

    // The further objects' factories; each makes its object over the host
    // service provider, or answers null.
    virtual CTargetHandler* CreateCommandListHandler();
    virtual CTargetHandler* CreateTextRequestServer();
    virtual CTargetHandler* CreateRunningMemoryServer();
    virtual CTargetHandler* CreateStatusTiming();
    virtual CTargetStatus* CreateStatusBreakPage();
    virtual CTargetStatus* CreateStatusDevicePage();
    virtual CTargetHandler* CreateTraceHandler();
    virtual CEventEngineBase* CreateEventEngine();
    virtual CTargetEventVk3* CreateEventHandler();
    virtual CBreakConditionSet* CreateBreakConditionSet();
    virtual CViewColumnBase* CreateEventColumns();
    virtual CTargetHandler* CreateSupportMarkerServer();
    virtual void DeleteCommandListHandler(CTargetHandler* object);
    virtual void DeleteTextRequestServer(CTargetHandler* object);
    virtual void DeleteRunningMemoryServer(CTargetHandler* object);
    virtual void DeleteStatusTiming(CTargetHandler* object);
    virtual void DeleteStatusBreakPage(CTargetStatus* object);
    virtual void DeleteStatusDevicePage(CTargetStatus* object);
    virtual void DeleteTraceHandler(CTargetHandler* object);
    virtual void DeleteEventHandler(CTargetEventVk3* object);
    virtual void DeleteEventColumns(CViewColumnBase* object);
    virtual void DeleteSupportMarkerServer(CTargetHandler* object);
    virtual void DeleteEventEngine(CEventEngineBase* object);

    CTargetComponentBase& SetModified(DWORD modified);
    // Hands the host the event and waits (a bounded time) for the event
    // object the host names for it.
    void RaiseHostEvent(const CHostEvent& event);
    DWORD IsModified() const { return m_sessionModified; }
    // The run state the host's queries read, as a count of holders: a go
    // thread holds it for its run, a breakpoint listing for its time; it
    // reads 1 while any holder is left.
    void HoldRunState() { ++m_runHolders; }
    void ReleaseRunState() { --m_runHolders; }
    DWORD IsRunning() const { return m_runHolders != 0 ? 1 : 0; }

    // The selected driver's name (empty when none is selected).
    void SetDriverName(const char* name) { m_driverName = name != nullptr ? name : ""; }
    const std::string& GetDriverName() const { return m_driverName; }
    // The session settings file's path as the last connect found it (empty
    // without a session).
    const std::string& GetConnectSessionIniPath() const { return m_sessionIniPath; }
    // The flash-write program's reader while the boot sequence reads it.
    void SetWriterReader(std::unique_ptr<CMotFile> reader);
    CMotFile* GetWriterReader() const { return m_writerReader.get(); }

    const CLSID& GetComponentClassId() const { return m_componentClassId; }
    CSettingsFileCache& GetSettingsCache() { return m_settingsCache; }
    HINSTANCE GetModuleInstance() const { return m_moduleInstance; }
    const CDllResource* GetResourceDll() const { return m_resourceDll.get(); }

    CTargetEventVk3* GetEventHandler() const { return m_eventHandler; }
    CBreakConditionSet* GetBreakConditionSet() const { return m_breakConditionSet; }
    CViewColumnBase* GetEventColumns() const { return m_eventColumns; }
    CEventEngineBase* GetEventEngine() const { return m_eventEngine; }

    // The setting items the session save writes when it names none.
    static const std::vector<std::string>& DefaultSettingItems();
    // The setting items read from the workspace (a temporary store).
    void RunItemHelperRefresh();
    // The setting items written to the workspace: the given ones, or the
    // five defaults.
    void RunItemHelperUpdate(const std::vector<std::string>* items);

protected:
    // The device's trace function ("TRACE" 1) makes the trace handler and
    // the event columns required.
    static bool TraceRequired();

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

    HRESULT IsRunningResult() const { return IsRunning(); }
    // The further objects' open, in order, while each before succeeded.
    HRESULT OpenFurtherObjects();
    // The configuration handler's and the event handler's session load;
    // 0x80040216 when either fails.
    HRESULT LoadSessionObjects(CHostProfileAccessor& accessor);
    HRESULT SaveSessionObjects(CHostProfileAccessor& accessor);
    void DestroyFurtherObjects();
    void ReleaseSessionObjects();
    void ShowStopCause(bool reportToHost);

    CLSID m_componentClassId;
    std::atomic<DWORD> m_sessionModified{0};
    std::atomic<DWORD> m_runHolders{0};
    std::string m_driverName;
    std::string m_sessionIniPath;
    std::unique_ptr<CMotFile> m_writerReader;
    CTargetHandler* m_commandList = nullptr;
    CTargetHandler* m_textRequestServer = nullptr;
    CTargetHandler* m_runningMemoryServer = nullptr;
    CTargetHandler* m_statusTiming = nullptr;
    CTargetStatus* m_statusBreakPage = nullptr;
    CTargetStatus* m_statusDevicePage = nullptr;
    CTargetHandler* m_traceHandler = nullptr;
    CEventEngineBase* m_eventEngine = nullptr;
    CTargetEventVk3* m_eventHandler = nullptr;
    CBreakConditionSet* m_breakConditionSet = nullptr;
    CViewColumnBase* m_eventColumns = nullptr;
    CTargetHandler* m_supportMarkerServer = nullptr;
    CSettingsFileCache m_settingsCache;
    HINSTANCE m_moduleInstance = nullptr;
    std::unique_ptr<CDllResource> m_resourceDll;
    CWorkSpaceExtra m_workSpaceExtra{*this};
};

class CTargetVk3 : public CTargetComponentBase {
public:
    // The configuration handler's type code.
    static constexpr DWORD kTypeCode = 200;

    // Makes the start-up device selection object when there is none.
    CTargetVk3();
    // Deletes it.
    ~CTargetVk3() override;

    // IHRegistryClient: registers the target with the host under the library
    // name of the plug-in's .CNF file.
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry* registry) override;

    // The family's handlers. The configuration handler exists only when the
    // .CNF names the library, the start-up selection chose a device whose CPU
    // type is the family's, and the host opened the target under the
    // library's name.
    CTargetCfg* CreateCfgHandler() override;
    CTargetBreak* CreateBreakHandler() override;
    // Null without a chosen device or for a configuration type code outside
    // 200 to 203.
    CTargetExec* CreateExecHandler() override;
    CTargetIO* CreateIOHandler() override;
    CTargetMemory* CreateMemoryHandler() override;
    CTargetMemoryMap* CreateMemoryMapHandler() override;
    CTargetStatus* CreateStatusHandler() override;

private:
    bool m_ownsDeviceSelection = false;
};

// The process-wide texts that registration reads from the plug-in's .CNF.
extern char g_libraryName[128];
extern char g_familyName[20];
extern char g_libraryName2[128];
extern char g_familyName2[20];

// The single target object.
CTargetVk3* GetTarget();
// Marks the host's session modified: a change it should save.
void MarkSessionModified();
