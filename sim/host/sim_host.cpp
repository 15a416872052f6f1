#include "sim/host/sim_host.h"

#include "platform/bstr.h"
#include "platform/host/target_interfaces.h"
#include "platform/host/wrapped_interfaces.h"
#include "platform/module.h"
#include "sim/host/query_answer.h"
#include "sim/host/system_error_texts.h"
#include "sim/host/workspace_storage.h"

#include <algorithm>
#include <cstdio>

namespace simhost {

std::string GuidText(const GUID& id) {
    char text[40];
    std::snprintf(text, sizeof(text), "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(id.Data1), id.Data2, id.Data3, id.Data4[0], id.Data4[1], id.Data4[2],
                  id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

std::string IdName(const GUID& id) {
    struct Named {
        const GUID* id;
        const char* name;
    };
    static const Named kNames[] = {
        {&IID_IUnknown, "IUnknown"},
        {&IID_IHRegistryClient, "IHRegistryClient"},
        {&IID_IHComponent, "IHComponent"},
        {&IID_IHErrorReporter, "IHErrorReporter"},
        {&IID_IHTarget, "IHTarget"},
        {&IID_IHWorkSpaceClient, "IHWorkSpaceClient"},
        {&IID_IHWorkSpaceClient2, "IHWorkSpaceClient2"},
        {&IID_IHWorkSpaceClientExtra, "IHWorkSpaceClientExtra"},
        {&IID_IHostServiceProvider, "IHostServiceProvider"},
        {&IID_IHComponentRegistry, "IHComponentRegistry"},
        {&IID_IHErrorCodeTable, "IHErrorCodeTable"},
        {&IID_IHDebugSession, "IHDebugSession"},
        {&IID_IHHostObject, "IHHostObject"},
        {&IID_IHUiService, "IHUiService"},
        {&IID_IHWorkSpaceInfo, "IHWorkSpaceInfo"},
        {&IID_IHPlaceholderSettings, "IHPlaceholderSettings"},
        {&IID_IHSessionInfo, "IHSessionInfo"},
        {&IID_IHDataManager, "IHDataManager"},
        {&IID_IHLabelSelection, "IHLabelSelection"},
        {&IID_IHUiRegistration, "IHUiRegistration"},
        {&IID_IHUiRegistration2, "IHUiRegistration2"},
        {&IID_IHUiRegistration3, "IHUiRegistration3"},
        {&IID_IHUiRegistration4, "IHUiRegistration4"},
        {&IID_IHContainerService1, "IHContainerService1"},
        {&IID_IHContainerService5, "IHContainerService5"},
        {&IID_IHContainerService6, "IHContainerService6"},
        {&IID_IHServiceFCompanion1, "IHServiceFCompanion1"},
        {&IID_IHTargetSeries1, "IHTargetSeries1"},
        {&IID_IHTargetSeries2, "IHTargetSeries2"},
        {&IID_IHTargetSeries3, "IHTargetSeries3"},
        {&IID_IHTargetSeries4, "IHTargetSeries4"},
        {&IID_IHTExec, "IHTExec"},
        {&IID_IHTExec2, "IHTExec2"},
        {&IID_IHTMemoryServer2, "IHTMemoryServer2"},
        {&IID_IHTMemoryServer3, "IHTMemoryServer3"},
        {&IID_IHTMemoryServer4, "IHTMemoryServer4"},
        {&IID_IHTIO, "IHTIO"},
        {&IID_IHStatusClient, "IHStatusClient"},
        {&IID_IHTPCBreakClient, "IHTPCBreakClient"},
        {&IID_IHRegisterService, "IHRegisterService"},
        {&IID_IHStopPosition, "IHStopPosition"},
        {&IID_IHOutputWindow, "IHOutputWindow"},
        {&IID_IHServiceB, "IHServiceB"},
        {&IID_IHServiceD, "IHServiceD"},
        {&IID_IHServiceDSub, "IHServiceDSub"},
        {&IID_IHServiceEClient, "IHServiceEClient"},
        {&IID_IHServiceFCompanion2, "IHServiceFCompanion2"},
        {&IID_IHServiceFCompanion3, "IHServiceFCompanion3"},
        {&IID_IHServiceGFirst, "IHServiceGFirst"},
        {&IID_IHServiceGSecond, "IHServiceGSecond"},
        {&IID_IHServiceH, "IHServiceH"},
        {&IID_IHServiceI, "IHServiceI"},
        {&IID_IHServiceIItem, "IHServiceIItem"},
        {&IID_IHServiceJ, "IHServiceJ"},
        {&IID_IHWorkspaceStorage, "IHWorkspaceStorage"},
        {&IID_IHRoundingSettings, "IHRoundingSettings"},
        {&IID_IHSessionNameText, "IHSessionNameText"},
        {&IID_IHBuildSettings, "IHBuildSettings"},
        {&IID_IHDeviceDescription, "IHDeviceDescription"},
        {&IID_IHTBreakServer, "IHTBreakServer"},
        {&IID_IHTBreakListServer, "IHTBreakListServer"},
        {&IID_IHTSupportMarker, "IHTSupportMarker"},
        {&IID_IHTTextRequest, "IHTTextRequest"},
        {&IID_IHTTraceList, "IHTTraceList"},
        {&IID_IHStatusTiming, "IHStatusTiming"},
        {&IID_IHTRunningMemory, "IHTRunningMemory"},
        {&IID_IHExecutionService, "IHExecutionService"},
        {&IID_IHDisassembler, "IHDisassembler"},
        {&IID_IHWorkspaceNames, "IHWorkspaceNames"},
        {&IID_IHSettingText, "IHSettingText"},
        {&IID_IHEventReceiver, "IHEventReceiver"},
        {&EVENT_StatusPageUpdate, "status-page update"},
        {&GUID_Q3vStatusEventsPage, "Events page"},
        {&GUID_Q3vStatusMemoryPage, "Memory page"},
        {&GUID_Q3vStatusPlatformPage, "Platform page"},
        {&EVENT_ViewsRefresh, "views refresh"},
        {&EVENT_MemoryLayoutChanged, "memory layout changed"},
        {&EVENT_TraceClear, "trace clear"},
        {&EVENT_BreakConditionChanged, "break-condition changed"},
        {&IID_IHBreakpointService, "IHBreakpointService"},
        {&IID_IHAddressRange, "IHAddressRange"},
        {&IID_IHSourcePosition, "IHSourcePosition"},
        {&IID_IHAddressLookup, "IHAddressLookup"},
        {&IID_IHSymbolService, "IHSymbolService"},
        {&IID_IHViewColumn, "IHViewColumn"},
        {&IID_IHViewColumnService, "IHViewColumnService"},
        {&IID_IHViewColumnRegistry, "IHViewColumnRegistry"},
        {&IID_IHViewColumnRefresh, "IHViewColumnRefresh"},
        {&IID_IHSourceColumnService, "IHSourceColumnService"},
        {&IID_IHAsmColumnService, "IHAsmColumnService"},
        {&IID_IHEventColumnService, "IHEventColumnService"},
        {&IID_IHLookupService, "IHLookupService"},
        {&IID_IHSettingsStore, "IHSettingsStore"},
        {&EVENT_BreakChanged, "break changed"},
        {&EVENT_CloseAllFiles, "close all files"},
        {&IID_IHCmdSyntax, "IHCmdSyntax"},
        {&IID_IHCmdOutput, "IHCmdOutput"},
        {&CLSID_Q3vVk3Target, "target component"},
        {&CLSID_Q3vVk3UiComponent, "UI component"},
    };
    for (const Named& named : kNames) {
        if (*named.id == id) {
            return named.name;
        }
    }
    return GuidText(id);
}

HRESULT ComponentRegistry::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHComponentRegistry*>(this), iid, IID_IHComponentRegistry, object);
}

HRESULT ComponentRegistry::RegisterComponent(BSTR libraryName, BSTR familyName, DWORD idCount, const IID* ids,
                                             DWORD kind, const CLSID* clsid) {
    ComponentRegistration registration;
    registration.isTarget = true;
    registration.name = platform::BstrToAnsi(libraryName);
    registration.family = platform::BstrToAnsi(familyName);
    if (ids != nullptr) {
        registration.ids.assign(ids, ids + idCount);
    }
    registration.kindOrCategory = kind;
    if (clsid == nullptr) {
        log_.Add("RegisterComponent", "refused: no class id");
        return E_INVALIDARG;
    }
    registration.clsid = *clsid;
    log_.Add("RegisterComponent", registration.name + "|" + registration.family + "|" + std::to_string(idCount) +
                                      "|" + std::to_string(kind) + "|" + GuidText(*clsid));
    std::lock_guard lock(mutex_);
    registrations_.push_back(std::move(registration));
    return S_OK;
}

HRESULT ComponentRegistry::Register(BSTR name, DWORD category, const CLSID* clsid) {
    if (clsid == nullptr) {
        log_.Add("Register", "refused: no class id");
        return E_INVALIDARG;
    }
    ComponentRegistration registration;
    registration.name = platform::BstrToAnsi(name);
    registration.kindOrCategory = category;
    registration.clsid = *clsid;
    log_.Add("Register", registration.name + "|" + std::to_string(category) + "|" + GuidText(*clsid));
    std::lock_guard lock(mutex_);
    registrations_.push_back(std::move(registration));
    return S_OK;
}

std::vector<ComponentRegistration> ComponentRegistry::Registrations() const {
    std::lock_guard lock(mutex_);
    return registrations_;
}

HRESULT HostErrorCodeTable::QueryInterface(REFIID iid, void** object) {
    return AnswerQuery(static_cast<IHErrorCodeTable*>(this), iid, IID_IHErrorCodeTable, object);
}

HRESULT HostErrorCodeTable::GetErrorText(HRESULT code, BSTR* text) {
    if (text == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    const auto found = registered_.find(code);
    const char* const known = FindSystemErrorText(code);
    *text = platform::AllocBstr(found != registered_.end() ? found->second
                                : known != nullptr        ? known
                                                          : kUnknownErrorText);
    return S_OK;
}

HRESULT HostErrorCodeTable::RegisterError(BSTR text, HRESULT* code) {
    if (code == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    const HRESULT assigned = static_cast<HRESULT>(0x80040000u | next_++);
    registered_[assigned] = platform::BstrToAnsi(text);
    *code = assigned;
    return S_OK;
}

HRESULT HostErrorCodeTable::UnregisterError(HRESULT code) {
    std::lock_guard lock(mutex_);
    return registered_.erase(code) != 0 ? S_OK : E_FAIL;
}

HostServiceProvider::HostServiceProvider(CallLog& log) : log_(log) {
    for (const IID* ui : {&IID_IHUiRegistration, &IID_IHUiRegistration2, &IID_IHUiRegistration3,
                          &IID_IHUiRegistration4}) {
        OfferService(*ui, static_cast<IHUiRegistration4*>(&uiRegistry_));
    }
    OfferService(IID_IHErrorCodeTable, &errorCodeTable_);
    OfferService(IID_IHExpressionEvaluator, static_cast<IHExpressionEvaluator*>(&evaluator_));
    OfferService(IID_IHNameLookup, &names_);
    OfferService(IID_IHWorkSpaceInfo, &workspaceInfo_);
    OfferService(IID_IHPlaceholderSettings, &placeholderSettings_);
    OfferService(IID_IHSessionInfo, &sessionInfo_);
    OfferService(IID_IHLabelSelection, &labels_);
    OfferService(IID_IHOutputWindow, &output_);
    OfferService(IID_IHRoundingSettings, &rounding_);
    OfferService(IID_IHSessionNameText, &sessionNameText_);
    OfferService(IID_IHBuildSettings, static_cast<IHBuildSettings*>(&deviceDescription_));
    OfferService(IID_IHDeviceDescription, static_cast<IHDeviceDescription*>(&deviceDescription_));
    OfferService(IID_IHRegisterService, &registers_);
    OfferService(IID_IHStopPosition, &stopPositions_);
    OfferService(IID_IHWorkspaceNames, &workspaceNames_);
    OfferService(IID_IHSettingText, &settingTexts_);
    OfferService(IID_IHExecutionService, &execution_);
    OfferService(IID_IHDisassembler, &disassembler_);
    OfferService(IID_IHBreakpointService, &breakpoints_);
    OfferService(IID_IHCmdSyntax, &commandSyntax_);
    OfferService(IID_IHCmdOutput, &commandOutput_);
    OfferService(IID_IHAddressRange, &addressRange_);
    OfferService(IID_IHSourcePosition, &sourcePositions_);
    OfferService(IID_IHAddressLookup, &addressLookup_);
    OfferService(IID_IHSymbolService, &symbols_);
    OfferService(IID_IHSourceColumnService, static_cast<IHViewColumnService*>(&sourceColumns_));
    OfferService(IID_IHAsmColumnService, static_cast<IHViewColumnService*>(&asmColumns_));
    OfferService(IID_IHEventColumnService, static_cast<IHViewColumnService*>(&eventColumns_));
    OfferService(IID_IHLookupService, &lineLookup_);
    OfferService(IID_IHSettingsStore, &columnSettings_);
    NameEvent(EVENT_BreakChanged, HandledEventName());
    // The console's refresh asks for the views refresh and waits for it: the
    // host has refreshed them by the time it looks.
    NameEvent(EVENT_ViewsRefresh, HandledEventName());
}

IHTPCBreakClient* HostServiceProvider::PcBreakClient() const {
    std::lock_guard lock(mutex_);
    for (const InterfaceRegistration& registration : registrations_) {
        if (registration.server && registration.iid == IID_IHTPCBreakClient) {
            return static_cast<IHTPCBreakClient*>(registration.object);
        }
    }
    return nullptr;
}

std::optional<std::pair<DWORD, DWORD>> HostServiceProvider::TargetAddressRange() const {
    IHTMemoryRange* range = nullptr;
    {
        std::lock_guard lock(mutex_);
        for (const InterfaceRegistration& registration : registrations_) {
            if (registration.server && registration.iid == IID_IHTMemoryRange) {
                range = static_cast<IHTMemoryRange*>(registration.object);
            }
        }
    }
    DWORD low = 0;
    DWORD high = 0;
    if (range == nullptr || FAILED(range->GetAddressRange(&low, &high))) {
        return std::nullopt;
    }
    return std::pair<DWORD, DWORD>{low, high};
}

std::size_t HostServiceProvider::RaiseHostEvent(const GUID& eventId) {
    log_.Add("RaiseHostEvent", IdName(eventId));
    std::vector<IHEventReceiver*> receivers;
    for (const InterfaceRegistration& registration : Registrations()) {
        if (!registration.server && registration.iid == IID_IHEventReceiver) {
            receivers.push_back(static_cast<IHEventReceiver*>(registration.object));
        }
    }
    const std::vector<IHEventReceiver*> advised = EventReceivers();
    receivers.insert(receivers.end(), advised.begin(), advised.end());
    for (IHEventReceiver* receiver : receivers) {
        receiver->OnEvent(&eventId);
    }
    return receivers.size();
}

void HostServiceProvider::UseDataStore(WorkspaceStorage* storage) {
    {
        std::lock_guard lock(mutex_);
        dataStore_ = storage;
    }
    RefreshDataManager();
}

void HostServiceProvider::OpenSession(std::string folder, std::string name) {
    ChangeWorkspace([&](WorkspaceState& state) {
        state.sessionFolder = std::move(folder);
        state.sessionName = std::move(name);
    });
    RefreshDataManager();
}

void HostServiceProvider::RefreshDataManager() {
    bool session = false;
    {
        std::lock_guard lock(workspaceMutex_);
        session = !workspace_.sessionFolder.empty();
    }
    OfferService(IID_IHDataManager, nullptr);
    std::lock_guard lock(mutex_);
    dataManager_ = dataStore_ != nullptr || session
                       ? std::make_unique<HostDataManager>(log_, workspaceMutex_, workspace_, dataStore_)
                       : nullptr;
    if (dataManager_ != nullptr) {
        services_[GuidText(IID_IHDataManager)] = dataManager_.get();
    }
}

HRESULT HostServiceProvider::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    log_.Add("QueryInterface", IdName(iid));
    if (iid == IID_IUnknown || iid == IID_IHostServiceProvider || iid == IID_IHHostObject) {
        *object = static_cast<IHostServiceProvider*>(this);
        return S_OK;
    }
    if (iid == IID_IHostEventService) {
        *object = static_cast<IHostEventService*>(&events_);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

HRESULT HostServiceProvider::GetEventName(const HostEventNotice* notice, BSTR* name) {
    if (notice == nullptr || name == nullptr) {
        return E_POINTER;
    }
    log_.Add("GetEventName", IdName(notice->id));
    *name = nullptr;
    std::lock_guard lock(mutex_);
    ++eventNameQueries_[GuidText(notice->id)];
    const auto found = eventNames_.find(GuidText(notice->id));
    if (found == eventNames_.end()) {
        return E_FAIL;
    }
    *name = platform::AllocBstr(found->second);
    return S_OK;
}

void HostServiceProvider::NameEvent(const GUID& eventId, std::string name) {
    std::lock_guard lock(mutex_);
    eventNames_[GuidText(eventId)] = std::move(name);
}

std::size_t HostServiceProvider::EventNameQueries(const GUID& eventId) const {
    std::lock_guard lock(mutex_);
    const auto found = eventNameQueries_.find(GuidText(eventId));
    return found != eventNameQueries_.end() ? found->second : 0;
}

HRESULT HostServiceProvider::PostEvent(const HostEventNotice* notice) {
    if (notice == nullptr) {
        return E_POINTER;
    }
    std::string detail = IdName(notice->id);
    // A status page's update names the page.
    if (notice->id == EVENT_StatusPageUpdate && notice->argument != nullptr) {
        detail += "|" + IdName(*static_cast<const GUID*>(notice->argument));
    }
    log_.Add("PostEvent", detail);
    // The advised receivers hear of it; the host does not wait for them.
    for (IHEventReceiver* receiver : EventReceivers()) {
        receiver->OnEvent(&notice->id);
    }
    return S_OK;
}

HRESULT HostServiceProvider::ReportErrorText(BSTR text) {
    const std::string message = platform::BstrToAnsi(text);
    log_.Add("ReportErrorText", message);
    std::function<void(const std::string&)> printer;
    {
        std::lock_guard lock(mutex_);
        reportedErrors_.push_back(message);
        printer = errorTextPrinter_;
    }
    if (printer) {
        printer(message);
    }
    return S_OK;
}

void HostServiceProvider::SetErrorTextPrinter(std::function<void(const std::string&)> printer) {
    std::lock_guard lock(mutex_);
    errorTextPrinter_ = std::move(printer);
}

HRESULT HostServiceProvider::QueryService(REFIID iid, void** service) {
    if (service == nullptr) {
        return E_POINTER;
    }
    log_.Add("QueryService", IdName(iid));
    std::lock_guard lock(mutex_);
    const auto found = services_.find(GuidText(iid));
    if (found == services_.end()) {
        return E_NOINTERFACE;  // the out pointer stays as the caller left it
    }
    *service = found->second;
    return S_OK;
}

void HostServiceProvider::OfferService(const IID& iid, IUnknown* service) {
    std::lock_guard lock(mutex_);
    if (service == nullptr) {
        services_.erase(GuidText(iid));
    } else {
        services_[GuidText(iid)] = service;
    }
}

HRESULT HostServiceProvider::Register(const IID& iid, IUnknown* object, bool server) {
    log_.Add(server ? "RegisterServer" : "RegisterClient", IdName(iid));
    if (object == nullptr) {
        return E_INVALIDARG;
    }
    std::lock_guard lock(mutex_);
    registrations_.push_back({iid, object, server});
    return S_OK;
}

HRESULT HostServiceProvider::Unregister(const IID& iid, IUnknown* object, bool server) {
    log_.Add(server ? "UnregisterServer" : "UnregisterClient", IdName(iid));
    std::lock_guard lock(mutex_);
    const auto found = std::find_if(registrations_.begin(), registrations_.end(), [&](const auto& entry) {
        return entry.iid == iid && entry.object == object && entry.server == server;
    });
    if (found == registrations_.end()) {
        return E_FAIL;
    }
    registrations_.erase(found);
    return S_OK;
}

HRESULT HostServiceProvider::RegisterClient(REFIID iid, IUnknown* client) {
    return Register(iid, client, false);
}

HRESULT HostServiceProvider::RegisterServer(REFIID iid, IUnknown* server) {
    return Register(iid, server, true);
}

HRESULT HostServiceProvider::UnregisterClient(REFIID iid, IUnknown* client) {
    return Unregister(iid, client, false);
}

HRESULT HostServiceProvider::UnregisterServer(REFIID iid, IUnknown* server) {
    return Unregister(iid, server, true);
}

HRESULT HostServiceProvider::AdviseEventReceiver(IHEventReceiver* receiver) {
    log_.Add("AdviseEventReceiver");
    if (receiver == nullptr) {
        return E_POINTER;
    }
    std::lock_guard lock(mutex_);
    eventReceivers_.push_back(receiver);
    return S_OK;
}

HRESULT HostServiceProvider::UnadviseEventReceiver(IHEventReceiver* receiver) {
    log_.Add("UnadviseEventReceiver");
    std::lock_guard lock(mutex_);
    const auto found = std::find(eventReceivers_.begin(), eventReceivers_.end(), receiver);
    if (found == eventReceivers_.end()) {
        return E_FAIL;
    }
    eventReceivers_.erase(found);
    return S_OK;
}

std::vector<IHEventReceiver*> HostServiceProvider::EventReceivers() const {
    std::lock_guard lock(mutex_);
    return eventReceivers_;
}

std::vector<InterfaceRegistration> HostServiceProvider::Registrations() const {
    std::lock_guard lock(mutex_);
    return registrations_;
}

std::vector<std::string> HostServiceProvider::ReportedErrors() const {
    std::lock_guard lock(mutex_);
    return reportedErrors_;
}

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder = path;
    const std::size_t separator = folder.find_last_of('\\');
    return separator == std::string::npos ? std::string() : folder.substr(0, separator + 1);
}

SimHost::SimHost(std::string pluginPath) : pluginPath_(std::move(pluginPath)) {
    if (pluginPath_.empty()) {
        pluginPath_ = ProgramFolder() + "Q3vVk3.dll";
    }
}

SimHost::~SimHost() {
    Unload();
}

bool SimHost::Load() {
    if (module_ != nullptr) {
        return true;
    }
    if (frame_ == nullptr) {
        frame_ = std::make_unique<HostMainWindow>();
    }
    module_ = LoadLibraryA(pluginPath_.c_str());
    if (module_ == nullptr) {
        loadError_ = "cannot load " + pluginPath_;
        return false;
    }
    libraryRegister_ = platform::GetProcAddressAs<LibraryRegisterFunction>(module_, "LibraryRegister");
    queryInterface_ = platform::GetProcAddressAs<LibraryQueryInterfaceFunction>(module_, "QueryInterface");
    if (libraryRegister_ == nullptr || queryInterface_ == nullptr) {
        loadError_ = pluginPath_ + " lacks the export " +
                     std::string(libraryRegister_ == nullptr ? "LibraryRegister" : "QueryInterface");
        FreeLibrary(module_);
        module_ = nullptr;
        libraryRegister_ = nullptr;
        queryInterface_ = nullptr;
        return false;
    }
    log_.Add("Load", pluginPath_);
    return true;
}

HRESULT SimHost::RegisterLibrary() {
    if (libraryRegister_ == nullptr) {
        return E_FAIL;
    }
    return libraryRegister_(&registry_);
}

HRESULT SimHost::QueryPluginInterface(const IID& iid, void** object) {
    if (queryInterface_ == nullptr) {
        return E_FAIL;
    }
    return queryInterface_(iid, object);
}

HRESULT SimHost::AttachComponents() {
    HRESULT firstFailure = S_OK;
    for (const ComponentRegistration& registration : registry_.Registrations()) {
        AttachedComponent attached;
        attached.clsid = registration.clsid;
        attached.name = registration.name;
        IUnknown* unknown = nullptr;
        if (QueryPluginInterface(registration.clsid, reinterpret_cast<void**>(&unknown)) == S_OK &&
            unknown != nullptr &&
            unknown->QueryInterface(IID_IHComponent, reinterpret_cast<void**>(&attached.component)) == S_OK) {
            attached.attachResult = attached.component->Attach(&services_, 1);
        }
        log_.Add("Attach", registration.name + "|" + std::to_string(attached.attachResult));
        if (FAILED(attached.attachResult) && SUCCEEDED(firstFailure)) {
            firstFailure = attached.attachResult;
        }
        components_.push_back(attached);
    }
    return firstFailure;
}

HRESULT SimHost::DetachComponents() {
    HRESULT firstFailure = S_OK;
    for (auto it = components_.rbegin(); it != components_.rend(); ++it) {
        if (it->component == nullptr || FAILED(it->attachResult)) {
            continue;
        }
        const HRESULT result = it->component->Detach(1);
        log_.Add("Detach", it->name + "|" + std::to_string(result));
        if (FAILED(result) && SUCCEEDED(firstFailure)) {
            firstFailure = result;
        }
    }
    services_.UiRegistry().CheckOwnerIdsReturned();
    components_.clear();
    return firstFailure;
}

namespace {

// The session clients registered with the host, in registration order.
std::vector<IHWorkSpaceClient2*> SessionClients(const HostServiceProvider& services) {
    std::vector<IHWorkSpaceClient2*> clients;
    for (const InterfaceRegistration& registration : services.Registrations()) {
        if (!registration.server && registration.iid == IID_IHWorkSpaceClient2) {
            clients.push_back(static_cast<IHWorkSpaceClient2*>(registration.object));
        }
    }
    return clients;
}

}  // namespace

void SimHost::LoadSession(const std::string& first, const std::string& second, const std::string& third,
                          const std::string& fourth) {
    log_.Add("LoadSession", first + "|" + second + "|" + third + "|" + fourth);
    for (IHWorkSpaceClient2* client : SessionClients(services_)) {
        platform::Bstr a(first), b(second), c(third), d(fourth);
        client->OnLoadSession(a.Get(), b.Get(), c.Get(), d.Get());
    }
}

void SimHost::LoadSessionDefaults(const std::string& first, const std::string& second, const std::string& third,
                                  const std::string& fourth) {
    log_.Add("LoadSessionDefaults", first + "|" + second + "|" + third + "|" + fourth);
    for (IHWorkSpaceClient2* client : SessionClients(services_)) {
        platform::Bstr a(first), b(second), c(third), d(fourth);
        client->OnLoadSessionDefaults(a.Get(), b.Get(), c.Get(), d.Get());
    }
}

void SimHost::SaveSession(const std::string& first, const std::string& second, const std::string& third) {
    log_.Add("SaveSession", first + "|" + second + "|" + third);
    for (IHWorkSpaceClient2* client : SessionClients(services_)) {
        platform::Bstr a(first), b(second), c(third);
        client->OnSaveSession(a.Get(), b.Get(), c.Get());
    }
}

namespace {

IHTarget* RegisteredTarget(SimHost& host, std::string* name) {
    for (const ComponentRegistration& registration : host.Registry().Registrations()) {
        IHTarget* target = nullptr;
        if (registration.isTarget &&
            host.QueryPluginInterface(IID_IHTarget, reinterpret_cast<void**>(&target)) == S_OK) {
            if (name != nullptr) {
                *name = registration.name;
            }
            return target;
        }
    }
    return nullptr;
}

}  // namespace

HRESULT SimHost::StartTargetSession() {
    std::string name;
    IHTarget* target = RegisteredTarget(*this, &name);
    const platform::Bstr wide(name.c_str());
    const HRESULT result = target != nullptr ? target->Initialise(wide.Get()) : E_FAIL;
    log_.Add("StartTargetSession", name + "|" + std::to_string(result));
    if (SUCCEEDED(result)) {
        services_.Breakpoints().HandOverToTarget();
    }
    return result;
}

HRESULT SimHost::EndTargetSession() {
    IHTarget* target = RegisteredTarget(*this, nullptr);
    const HRESULT result = target != nullptr ? target->Uninitialise() : E_FAIL;
    log_.Add("EndTargetSession", std::to_string(result));
    return result;
}

HRESULT SimHost::GiveRegisterArray() {
    IHTarget* target = RegisteredTarget(*this, nullptr);
    return target != nullptr
               ? target->SetParameters(0, reinterpret_cast<DWORD_PTR>(services_.Registers().Array()))
               : E_FAIL;
}

void SimHost::Unload() {
    if (module_ == nullptr) {
        return;
    }
    DetachComponents();
    frame_.reset();
    FreeLibrary(module_);
    module_ = nullptr;
    libraryRegister_ = nullptr;
    queryInterface_ = nullptr;
    log_.Add("Unload", pluginPath_);
}

}  // namespace simhost
