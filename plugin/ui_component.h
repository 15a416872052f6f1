// The UI component: the second component of the plug-in's component table. It
// registers with the host under "Target Configuration"; when attached it makes
// the plug-in's container window (CWSClientVk3) over the UI registration
// manager, whose creation puts the plug-in's menu and toolbar into the host;
// detaching destroys the window, which withdraws them.
#pragma once

#include "frame/host_component_base.h"

class CUiComponentVk3 : public CHostComponentBase {
public:
    CUiComponentVk3() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

    // IHRegistryClient
    HRESULT STDMETHODCALLTYPE Register(IHComponentRegistry* registry) override;
    // IHComponent
    HRESULT STDMETHODCALLTYPE OnHostEvent(const GUID* eventId) override;
    // IHErrorReporter: the UI component has no texts of its own.
    HRESULT STDMETHODCALLTYPE GetErrorText(HRESULT code, BSTR* text) override;

    BOOL CreateWindowObject() override;
};

// The plug-in's single UI component.
CUiComponentVk3* GetUiComponent();
