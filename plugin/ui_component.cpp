#include "plugin/ui_component.h"

#include "plugin/component_manager.h"
#include "plugin/wsclient_vk3.h"

#include "platform/afx_app.h"
#include "platform/bstr.h"

namespace {

constexpr char kRegistrationName[] = "Target Configuration";
// The category the UI component registers under; its meaning is the host's.
constexpr DWORD kRegistrationCategory = 2;

CUiComponentVk3 g_uiComponent;

}  // namespace

CUiComponentVk3* GetUiComponent() {
    return &g_uiComponent;
}

HRESULT CUiComponentVk3::QueryInterface(REFIID iid, void** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IHRegistryClient)) {
        *object = static_cast<IHRegistryClient*>(this);
    } else if (IsEqualIID(iid, IID_IHComponent) || IsEqualIID(iid, CLSID_Q3vVk3UiComponent)) {
        *object = static_cast<IHComponent*>(this);
    }
    return *object != nullptr ? S_OK : E_NOINTERFACE;
}

HRESULT CUiComponentVk3::Register(IHComponentRegistry* registry) {
    if (registry != nullptr) {
        platform::Bstr name(kRegistrationName);
        registry->Register(name.Get(), kRegistrationCategory, &CLSID_Q3vVk3UiComponent);
    }
    return S_OK;
}

HRESULT CUiComponentVk3::OnHostEvent(const GUID*) {
    return S_OK;
}

HRESULT CUiComponentVk3::GetErrorText(HRESULT, BSTR* text) {
    if (text != nullptr) {
        *text = nullptr;
    }
    return S_OK;
}

BOOL CUiComponentVk3::CreateWindowObject() {
    DestroyWindowObject();  // a second attach replaces the window of the first
    CHostUiManager* manager = nullptr;
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        // The manager is made on first use and lives as long as the application.
        manager = g_componentApp != nullptr ? g_componentApp->GetUiManager(m_host) : nullptr;
    }
    auto* window = new CWSClientVk3(m_host, manager);
    m_windowObject = window;
    // A window that could not be made stays kept and goes at detach.
    return window->CreateUnderAppModuleState();
}
