// CWSClientVk3: the UI component's container window. Its creation registers
// the plug-in's menu, the window, the resource instance and the "Debug"
// toolbar under its first owner id; it receives the menu and toolbar commands
// and opens the target configuration's sheets and the emulator help.
//
// It also carries the default workspace client, which nothing registers with
// the host.
#pragma once

#include "frame/wsclient.h"
#include "hostui/instance_data_container_wnd.h"

class CWSClientVk3 : public CInstanceDataContainerWnd, public CWSClient {
public:
    CWSClientVk3(IHostServiceProvider* host, CHostUiManager* manager) : CInstanceDataContainerWnd(host, manager) {}

    // IUnknown of the workspace client.
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 0; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnSystemSetup();
    afx_msg void OnEmulatorSetting();
    afx_msg void OnStartStopSetting();
    afx_msg void OnEmulatorHelp();
    // The three Setup commands: enabled unless the target is busy or
    // running, the Start/Stop Function Setting item only for a device with
    // start/stop functions (IsSetupCommandEnabled).
    afx_msg void OnUpdateSetupCommand(CCmdUI* command);
    afx_msg void OnUpdateEmulatorHelp(CCmdUI* command);

    DECLARE_MESSAGE_MAP()
};
