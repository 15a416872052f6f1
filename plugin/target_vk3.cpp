#include "target/target_vk3.h"

#include "frame/dlg_connection.h"
#include "frame/error_codes.h"
#include "frame/host_event.h"
#include "frame/host_event_wait.h"
#include "frame/target_handler.h"
#include "events/target_event_vk3.h"
#include "events/view_column_base.h"
#include "frame/target_exec.h"
#include "link/emulator_link.h"
#include "config/device_data.h"
#include "startup/device_selection.h"
#include "link/mot_file.h"
#include "config/host_window.h"
#include "config/settings_files.h"
#include "config/module_folder.h"
#include "target/target_objects.h"
#include "util/dll_resource.h"
#include "frame/target_access.h"

#include "platform/afx_app.h"
#include "platform/bstr.h"
#include "platform/module.h"
#include "platform/sysinfo.h"
#include "platform/ui.h"

#include <iterator>
#include <utility>

char g_libraryName[128] = "Vk3 Q3v SYSTEM";
char g_familyName[20] = "Vk31X";
char g_libraryName2[128] = "";
char g_familyName2[20] = "";

namespace {

constexpr char kResourceModuleName[] = "Q3vVk3ExtRes.dll";
constexpr char kTargetSection[] = "Q3v KTR4 TARGET";
constexpr char kFamilyText[] = "Vk31X";
// What the registration passes after the interface ids; its meaning is the host's.
constexpr DWORD kRegistrationKind = 4;

// The ids the target registers with: the UI component's class id, four host
// ids of one series and eight further host ids.
const IID kRegistrationIds[] = {
    CLSID_Q3vVk3UiComponent, IID_IHTargetSeries1, IID_IHTargetSeries2, IID_IHTargetSeries3,
    IID_IHTargetSeries4,     IID_IHTExec,         IID_IHTExec2,        IID_IHTMemoryServer2,
    IID_IHTMemoryServer3,    IID_IHTMemoryServer4, IID_IHTIO,          IID_IHStatusClient,
    IID_IHTPCBreakClient,
};
static_assert(std::size(kRegistrationIds) == 13);

CTargetVk3 g_target;

}  // namespace

CTargetVk3* GetTarget() {
    return &g_target;
}

void MarkSessionModified() {
    GetTarget()->SetModified(1);
}

IHostServiceProvider* GetTargetHost() {
    return GetTarget()->GetHost();
}

WORD GetTargetDenormalFlag() {
    const CTargetCfg* handler = GetTarget()->GetCfgHandler();
    return handler != nullptr ? handler->GetDenormalFlag() : 0;
}

void SetTargetDriverName(const char* name) {
    GetTarget()->SetDriverName(name);
}

CSettingsFileCache& GetTargetSettingsCache() {
    return GetTarget()->GetSettingsCache();
}

CTargetComponentBase::CTargetComponentBase(const CLSID& componentClassId) : m_componentClassId(componentClassId) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    g_isWin9x = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

CTargetComponentBase::~CTargetComponentBase() = default;

void CTargetComponentBase::SetWriterReader(std::unique_ptr<CMotFile> reader) {
    m_writerReader = std::move(reader);
}

HRESULT CTargetComponentBase::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHRegistryClient)) {
        *object = static_cast<IHRegistryClient*>(this);
    } else if (IsEqualIID(iid, IID_IHTarget) || IsEqualIID(iid, m_componentClassId)) {
        *object = static_cast<IHTarget*>(this);
    } else if (IsEqualIID(iid, IID_IHComponent)) {
        *object = static_cast<IHComponent*>(this);
    } else if (IsEqualIID(iid, IID_IHWorkSpaceClient) || IsEqualIID(iid, IID_IHWorkSpaceClient2)) {
        *object = static_cast<IHWorkSpaceClient2*>(this);
    } else if (IsEqualIID(iid, IID_IHWorkSpaceClientExtra)) {
        *object = static_cast<IHWorkSpaceClientExtra*>(&m_workSpaceExtra);
    }
    return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT CTargetComponentBase::Initialise(BSTR targetName) {
    m_driverName.clear();
    // The base tears everything down itself when it fails.
    HRESULT result = CTarget::Initialise(targetName);
    if (FAILED(result)) {
        return result;
    }
    result = OpenFurtherObjects();
    SetModified(0);
    if (FAILED(result)) {
        // Connected and open so far: the disconnect runs before the teardown.
        static_cast<void>(Uninitialise());  // it answers 0; the open's failure is what the host hears
    }
    return result;
}

HRESULT CTargetComponentBase::OpenFurtherObjects() {
    HRESULT result = S_OK;
    const auto open = [&result](CTargetHandler* handler) {
        if (SUCCEEDED(result) && handler != nullptr) {
            result = handler->OnTargetOpen();
        }
    };
    open(m_commandList);
    open(m_textRequestServer);
    open(m_runningMemoryServer);
    open(m_statusTiming);
    open(m_traceHandler);
    if (SUCCEEDED(result) && g_emuSel != connect_mode::kProgramFlash && m_eventEngine != nullptr) {
        result = m_eventEngine->Attach(g_emulatorLink);
    }
    open(m_eventHandler);
    if (SUCCEEDED(result) && m_eventColumns != nullptr) {
        result = m_eventColumns->Create();
    }
    open(m_supportMarkerServer);
    return result;
}

HRESULT CTargetComponentBase::Reconnect() {
    if (CDlgConnection* dialog = GetConnectionDialog()) {
        dialog->EnableCancel(dialog->GetConnectResult());
    }
    HRESULT result = Uninitialise();
    if (SUCCEEDED(result)) {
        const platform::Bstr name(m_targetName.Str());
        result = Initialise(name.Get());
    }
    return result;
}

HRESULT CTargetComponentBase::OnHostEvent(const GUID* eventId) {
    if (eventId == nullptr) {
        return S_OK;
    }
    if (IsEqualGUID(*eventId, EVENT_PeriodicStatus)) {
        ShowStopCause(false);
    } else if (IsEqualGUID(*eventId, EVENT_RunState)) {
        ShowStopCause(true);
    } else if (IsEqualGUID(*eventId, EVENT_SettingItems)) {
        RunItemHelperRefresh();
    } else if (IsEqualGUID(*eventId, EVENT_RegisterRefresh)) {
        if (auto* reports = dynamic_cast<CRunControlReports*>(m_execHandler)) {
            reports->RefreshRegisterList();
        }
    }
    return S_OK;
}

void CTargetComponentBase::ShowStopCause(bool reportToHost) {
    auto* reports = dynamic_cast<CRunControlReports*>(m_execHandler);
    if (reports == nullptr) {
        return;
    }
    const CString text = reports->GetStopCauseText();
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        SetStatusBarText(text);
    }
    if (reportToHost && m_host != nullptr) {
        const platform::Bstr wide(text.Str());
        m_host->ReportErrorText(wide.Get());
    }
}

HRESULT CTargetComponentBase::Attach(IHostServiceProvider* host, WORD flag) {
    if (flag != 0) {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        m_moduleInstance = AfxGetInstanceHandle();
        char modulePath[MAX_PATH] = {};
        if (GetModuleFileNameA(m_moduleInstance, modulePath, MAX_PATH) == 0) {
            ShowTargetError(
                "Cannot obtain module. File name missing.\nPlease read User Guide to create/install a new version.",
                MB_ICONSTOP);
            ShowTargetError("Application will now exit.", MB_OK);
            return E_FAIL;
        }
        CString message;
        m_resourceDll.reset(LoadResourceDll((GetModuleDirectory() + kResourceModuleName).c_str(), message));
        if (!m_resourceDll) {
            ShowTargetError(message, MB_OK);
            return E_FAIL;
        }
    }
    const HRESULT result = CTarget::Attach(host, flag);
    if (SUCCEEDED(result) && flag != 0) {
        m_host->RegisterClient(IID_IHWorkSpaceClient, static_cast<IHWorkSpaceClient2*>(this));
        m_host->RegisterClient(IID_IHWorkSpaceClient2, static_cast<IHWorkSpaceClient2*>(this));
    }
    return FAILED(result) ? result : S_OK;
}

HRESULT CTargetComponentBase::Detach(WORD flag) {
    if (flag != 0) {
        if (m_host != nullptr) {
            m_host->UnregisterClient(IID_IHWorkSpaceClient, static_cast<IHWorkSpaceClient2*>(this));
            m_host->UnregisterClient(IID_IHWorkSpaceClient2, static_cast<IHWorkSpaceClient2*>(this));
        }
        if (m_resourceDll) {
            // The plug-in's own resources serve again before the module goes.
            AfxGetStaticModuleState()->m_hCurrentResourceHandle = AfxGetStaticModuleState()->m_hCurrentInstanceHandle;
            m_resourceDll.reset();
        }
    }
    return CTarget::Detach(flag);
}

HRESULT CTargetComponentBase::GetErrorText(HRESULT code, BSTR* text) {
    return QueryHostErrorText(m_host, code, text);
}

HRESULT CTargetComponentBase::GetModified(BSTR, BSTR, BSTR, DWORD* modified) {
    if (modified != nullptr) {
        *modified = m_sessionModified;
    }
    return S_OK;
}

void CTargetComponentBase::RaiseHostEvent(const CHostEvent& event) {
    if (m_host == nullptr) {
        return;
    }
    platform::Bstr name;
    if (SUCCEEDED(m_host->GetEventName(event.GetNotice(), name.Out()))) {
        WaitForNamedHostEvent(name.Get());
    }
}

CTargetComponentBase& CTargetComponentBase::SetModified(DWORD modified) {
    m_sessionModified = modified;
    return *this;
}

CTargetVk3::CTargetVk3() : CTargetComponentBase(CLSID_Q3vVk3Target) {
    if (g_deviceSelection == nullptr) {
        g_deviceSelection = new CDeviceSelection;
        m_ownsDeviceSelection = true;
    }
}

CTargetVk3::~CTargetVk3() {
    // Only the object this target made: a second target object (a test's)
    // leaves the first one's selection in place.
    if (m_ownsDeviceSelection) {
        delete g_deviceSelection;
        g_deviceSelection = nullptr;
    }
}

HRESULT CTargetVk3::Register(IHComponentRegistry* registry) {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    BuildCnfPath();
    ReadProfileString(kTargetSection, "LIBRARY NAME", "", g_libraryName, sizeof(g_libraryName), g_cnfPath);
    ReadProfileString(kTargetSection, "FAMILY NAME", "", g_familyName, sizeof(g_familyName), g_cnfPath);
    ReadProfileString(kTargetSection, "LIBRARY NAME2", "", g_libraryName2, sizeof(g_libraryName2), g_cnfPath);
    ReadProfileString(kTargetSection, "FAMILY NAME2", "", g_familyName2, sizeof(g_familyName2), g_cnfPath);
    if (registry != nullptr) {
        platform::Bstr library(g_libraryName);
        platform::Bstr family(kFamilyText);
        registry->RegisterComponent(library.Get(), family.Get(), static_cast<DWORD>(std::size(kRegistrationIds)),
                                    kRegistrationIds, kRegistrationKind, &GetComponentClassId());
    }
    return S_OK;
}
