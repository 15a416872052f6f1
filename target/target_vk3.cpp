#include "target/target_vk3.h"

#include "frame/error_codes.h"
#include "frame/host_event.h"
#include "frame/host_event_wait.h"
#include "target/settings_files.h"
#include "target/target_app.h"
#include "util/dll_resource.h"

#include "platform/afx_app.h"
#include "platform/bstr.h"
#include "platform/module.h"
#include "platform/sysinfo.h"
#include "platform/ui.h"

#include <iterator>

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

CTargetComponentBase::CTargetComponentBase(const CLSID& componentClassId) : m_componentClassId(componentClassId) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    g_isWin9x = GetVersionExA(&version) && version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS ? 1 : 0;
}

CTargetComponentBase::~CTargetComponentBase() = default;

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

CTargetVk3::CTargetVk3() : CTargetComponentBase(CLSID_Q3vVk3Target) {}

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
