// The simulated host: loads the plug-in module through the platform layer,
// registers and attaches its components, offers the host services they call,
// and records every call it receives so that tests can assert order and
// arguments.
#pragma once

#include "platform/host/interfaces.h"
#include "sim/host/break_condition_services.h"
#include "sim/host/breakpoint_service.h"
#include "sim/host/expression_evaluator.h"
#include "sim/host/host_events.h"
#include "sim/host/call_log.h"
#include "sim/host/command_services.h"
#include "sim/host/debug_services.h"
#include "sim/host/label_services.h"
#include "sim/host/output_window.h"
#include "sim/host/run_control_services.h"
#include "sim/host/session_services.h"
#include "sim/host/setting_services.h"
#include "sim/host/ui_registry.h"
#include "sim/host/view_column_services.h"
#include "sim/host/workspace_services.h"

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace simhost {

// The text form of a GUID, and the name of the ids the host knows.
std::string GuidText(const GUID& id);
std::string IdName(const GUID& id);

// What a component registered with the host's registry.
struct ComponentRegistration {
    std::string name;          // library name, or the component's name
    std::string family;        // empty for a plain component registration
    std::vector<IID> ids;      // the interface ids a target offers
    DWORD kindOrCategory = 0;  // the number the call passed
    CLSID clsid{};
    bool isTarget = false;
};

class ComponentRegistry : public IHComponentRegistry {
public:
    explicit ComponentRegistry(CallLog& log) : log_(log) {}
    virtual ~ComponentRegistry() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE RegisterComponent(BSTR libraryName, BSTR familyName, DWORD idCount, const IID* ids,
                                                DWORD kind, const CLSID* clsid) override;
    HRESULT STDMETHODCALLTYPE Placeholder4() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder7() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Register(BSTR name, DWORD category, const CLSID* clsid) override;

    std::vector<ComponentRegistration> Registrations() const;

private:
    CallLog& log_;
    mutable std::mutex mutex_;
    std::vector<ComponentRegistration> registrations_;
};

// What the host's error-code table answers for a code it has no text for.
inline constexpr char kUnknownErrorText[] = "Unknown Error";

// The host's error-code table service: the texts of the codes registered at
// run time and of the system's error codes, kUnknownErrorText for the rest.
class HostErrorCodeTable : public IHErrorCodeTable {
public:
    virtual ~HostErrorCodeTable() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;
    HRESULT STDMETHODCALLTYPE RegisterError(BSTR text, HRESULT* code) override;
    HRESULT STDMETHODCALLTYPE Placeholder5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE UnregisterError(HRESULT code) override;

private:
    std::mutex mutex_;
    std::map<HRESULT, std::string> registered_;
    std::uint16_t next_ = 0x7000;  // the host's own range, apart from the plug-in's
};

// One registration of a client or server interface with the host.
struct InterfaceRegistration {
    IID iid{};
    IUnknown* object = nullptr;
    bool server = false;
};

class HostServiceProvider : public IHostServiceProvider {
public:
    explicit HostServiceProvider(CallLog& log);
    virtual ~HostServiceProvider() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }
    HRESULT STDMETHODCALLTYPE GetEventName(const HostEventNotice* notice, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE PostEvent(const HostEventNotice* notice) override;
    HRESULT STDMETHODCALLTYPE Placeholder5() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Placeholder6() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE ReportErrorText(BSTR text) override;
    HRESULT STDMETHODCALLTYPE Placeholder8() override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryService(REFIID iid, void** service) override;
    HRESULT STDMETHODCALLTYPE RegisterClient(REFIID iid, IUnknown* client) override;
    HRESULT STDMETHODCALLTYPE RegisterServer(REFIID iid, IUnknown* server) override;
    HRESULT STDMETHODCALLTYPE UnregisterClient(REFIID iid, IUnknown* client) override;
    HRESULT STDMETHODCALLTYPE UnregisterServer(REFIID iid, IUnknown* server) override;
    HRESULT STDMETHODCALLTYPE AdviseEventReceiver(IHEventReceiver* receiver) override;
    HRESULT STDMETHODCALLTYPE UnadviseEventReceiver(IHEventReceiver* receiver) override;

    // Offers (or, with null, withdraws) a service under an interface id.
    void OfferService(const IID& iid, IUnknown* service);
    // The name of the event object the host gives for a host event (none:
    // the host knows no object for it).
    void NameEvent(const GUID& eventId, std::string name);
    // How often the target has asked for the name of that event.
    std::size_t EventNameQueries(const GUID& eventId) const;
    // Changes the workspace that the workspace services answer about.
    template <typename Change>
    void ChangeWorkspace(Change change) {
        std::lock_guard lock(workspaceMutex_);
        change(workspace_);
    }
    // The registrations that are still in place, in the order they were made.
    std::vector<InterfaceRegistration> Registrations() const;
    std::vector<std::string> ReportedErrors() const;
    // Where each text the target reports goes as it arrives (null: only
    // kept).
    void SetErrorTextPrinter(std::function<void(const std::string&)> printer);
    // The event receivers advised and not yet withdrawn, in order.
    std::vector<IHEventReceiver*> EventReceivers() const;
    ExpressionEvaluator& Evaluator() { return evaluator_; }
    // The UI registration interfaces 1 to 4.
    HostUiRegistry& UiRegistry() { return uiRegistry_; }
    HostEventService& Events() { return events_; }
    NameLookup& Names() { return names_; }
    HostLabelSelection& Labels() { return labels_; }
    HostOutputWindow& Output() { return output_; }
    // The command window's syntax texts and the output of running commands.
    HostCommandSyntax& CommandSyntax() { return commandSyntax_; }
    HostCommandOutput& CommandOutput() { return commandOutput_; }
    // Offers the data manager over the storage's file (null: the data
    // manager keeps no texts). The host has a data manager while it has a
    // storage or a session.
    void UseDataStore(WorkspaceStorage* storage);
    // The session the data manager tells of: its folder (a Windows path
    // without the closing backslash) and name; an empty folder closes it.
    void OpenSession(std::string folder, std::string name);
    HostRoundingSettings& Rounding() { return rounding_; }
    HostSessionNameText& SessionNameText() { return sessionNameText_; }
    HostDeviceDescription& DeviceDescription() { return deviceDescription_; }
    HostBreakpointService& Breakpoints() { return breakpoints_; }
    HostRegisters& Registers() { return registers_; }
    HostStopPositions& StopPositions() { return stopPositions_; }
    HostSettingTexts& SettingTexts() { return settingTexts_; }
    HostExecution& Execution() { return execution_; }
    HostDisassembler& Disassembler() { return disassembler_; }
    HostAddressRange& AddressRange() { return addressRange_; }
    HostSourcePosition& SourcePositions() { return sourcePositions_; }
    HostAddressLookup& AddressLookup() { return addressLookup_; }
    HostSymbolService& Symbols() { return symbols_; }
    // The column services of the source views, of the disassembly view and
    // of the event columns; the line lookup over the source positions' table;
    // the store of column values.
    HostViewColumnService& SourceColumns() { return sourceColumns_; }
    HostViewColumnService& AsmColumns() { return asmColumns_; }
    HostViewColumnService& EventColumns() { return eventColumns_; }
    HostSettingsStore& ColumnSettings() { return columnSettings_; }
    // Announces a host event to every registered event receiver, in
    // registration order, then to the advised ones; answers how many were
    // told.
    std::size_t RaiseHostEvent(const GUID& eventId);

private:
    HRESULT Register(const IID& iid, IUnknown* object, bool server);
    // The target's PC-break client while it is registered.
    IHTPCBreakClient* PcBreakClient() const;
    // The range the target's memory-range server tells, while one is registered.
    std::optional<std::pair<DWORD, DWORD>> TargetAddressRange() const;
    void RefreshDataManager();
    HRESULT Unregister(const IID& iid, IUnknown* object, bool server);

    CallLog& log_;
    mutable std::mutex mutex_;
    HostErrorCodeTable errorCodeTable_;
    HostUiRegistry uiRegistry_{log_};
    ExpressionEvaluator evaluator_{log_};
    HostEventService events_{log_};
    NameLookup names_{log_};
    std::mutex workspaceMutex_;
    WorkspaceState workspace_;
    HostWorkspaceInfo workspaceInfo_{log_, workspaceMutex_, workspace_};
    HostPlaceholderSettings placeholderSettings_{log_, workspaceMutex_, workspace_};
    HostSessionInfo sessionInfo_{log_, workspaceMutex_, workspace_};
    HostLabelSelection labels_{log_};
    HostOutputWindow output_{log_};
    HostCommandSyntax commandSyntax_{log_};
    HostCommandOutput commandOutput_{log_};
    HostRoundingSettings rounding_{log_};
    HostSessionNameText sessionNameText_{log_};
    HostDeviceDescription deviceDescription_{log_};
    HostBreakpointService breakpoints_{log_, [this] { return PcBreakClient(); }};
    HostRegisters registers_{log_};
    HostStopPositions stopPositions_{log_};
    HostWorkspaceNames workspaceNames_{log_, workspaceMutex_, workspace_};
    HostSettingTexts settingTexts_{log_};
    HostExecution execution_{log_};
    HostDisassembler disassembler_{log_};
    HostAddressRange addressRange_{log_, [this] { return TargetAddressRange(); }};
    HostSourcePosition sourcePositions_{log_};
    HostAddressLookup addressLookup_{log_, sourcePositions_};
    HostSymbolService symbols_{log_};
    // The host's own glyphs (breakpoint and position marks) take the first
    // images of the source and disassembly views; the event columns' service
    // keeps its images apart.
    HostViewColumnService sourceColumns_{log_, "SourceColumns", 4};
    HostViewColumnService asmColumns_{log_, "AsmColumns", 4};
    HostViewColumnService eventColumns_{log_, "EventColumns", 0};
    HostLineLookup lineLookup_{log_, [this] { return sourcePositions_.Lines(); }};
    HostSettingsStore columnSettings_{log_};
    WorkspaceStorage* dataStore_ = nullptr;
    std::unique_ptr<HostDataManager> dataManager_;
    std::map<std::string, IUnknown*> services_;  // by GUID text
    std::map<std::string, std::string> eventNames_;  // by GUID text
    std::map<std::string, std::size_t> eventNameQueries_;  // by GUID text
    std::vector<InterfaceRegistration> registrations_;
    std::vector<std::string> reportedErrors_;
    std::function<void(const std::string&)> errorTextPrinter_;
    std::vector<IHEventReceiver*> eventReceivers_;
};

// A component of the plug-in as the host sees it after registration.
struct AttachedComponent {
    CLSID clsid{};
    std::string name;
    IHComponent* component = nullptr;
    HRESULT attachResult = E_FAIL;
};


class SimHost {
public:
    // The plug-in module by Windows path; empty means "Q3vVk3.dll" beside the
    // host program.
    explicit SimHost(std::string pluginPath = {});
    ~SimHost();
    SimHost(const SimHost&) = delete;
    SimHost& operator=(const SimHost&) = delete;

    // Loads the module and binds its two exports; false (and an error text)
    // when the module or an export is missing.
    bool Load();
    const std::string& LoadError() const { return loadError_; }
    HMODULE Module() const { return module_; }

    // LibraryRegister with the host's registry.
    HRESULT RegisterLibrary();
    // The module's QueryInterface export.
    HRESULT QueryPluginInterface(const IID& iid, void** object);
    // Attaches every registered component (by its class id) with the host's
    // service provider and the flag 1; answers the first failure, else S_OK.
    HRESULT AttachComponents();
    // Detaches the attached components in reverse order; an owner id of the
    // UI registration still out is a host error then.
    HRESULT DetachComponents();
    // The host opens, opens with its defaults, or saves its session: every
    // registered IHWorkSpaceClient2 client is told, in registration order.
    void LoadSession(const std::string& first, const std::string& second, const std::string& third,
                     const std::string& fourth);
    void LoadSessionDefaults(const std::string& first, const std::string& second, const std::string& third,
                             const std::string& fourth);
    void SaveSession(const std::string& first, const std::string& second, const std::string& third);
    // The host starts a target session: IHTarget::Initialise of the
    // registered target with the library name it registered under; the
    // target's answer (E_FAIL without a registered target).
    HRESULT StartTargetSession();
    // The host ends it: IHTarget::Uninitialise.
    HRESULT EndTargetSession();
    // The host hands the target its register array (IHTarget::SetParameters).
    HRESULT GiveRegisterArray();
    // Detaches what is attached and unloads the module.
    void Unload();

    CallLog& Log() { return log_; }
    ComponentRegistry& Registry() { return registry_; }
    HostServiceProvider& Services() { return services_; }
    const std::vector<AttachedComponent>& Components() const { return components_; }

private:
    std::string pluginPath_;
    std::string loadError_;
    HMODULE module_ = nullptr;
    LibraryRegisterFunction libraryRegister_ = nullptr;
    LibraryQueryInterfaceFunction queryInterface_ = nullptr;
    std::unique_ptr<HostMainWindow> frame_;  // the host's main window while the module is loaded
    CallLog log_;
    ComponentRegistry registry_{log_};
    HostServiceProvider services_{log_};
    std::vector<AttachedComponent> components_;
};

// The folder of the host program, as a Windows path with a trailing backslash.
std::string ProgramFolder();

}  // namespace simhost
