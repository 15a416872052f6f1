// The target's connect: the "Connecting" dialog and the connect thread's
// procedure, which chooses the driver, makes the session objects and runs
// the boot sequence.
#include "target/target_vk3.h"

#include "link/emulator_link.h"
#include "monitor/halt_control.h"
#include "monitor/monitor_control.h"
#include "monitor/monitor_engine.h"
#include "monitor/run_state_monitor.h"
#include "startup/boot_sequence.h"
#include "startup/connection_progress_dlg.h"
#include "config/device_data.h"
#include "config/host_window.h"
#include "config/session_settings.h"
#include "config/target_config.h"

#include <memory>
#include <new>
#include <utility>

namespace {

// Makes the object when it is missing and keeps it when its start answers
// 0; an object that cannot start is dropped, so the next connect makes it
// afresh. True when the object is there.
template <typename Object, typename Start>
bool MakeSessionObject(std::unique_ptr<Object>& object, Start start) {
    if (object != nullptr) {
        return true;
    }
    std::unique_ptr<Object> made(new (std::nothrow) Object);
    if (made == nullptr || start(*made) != 0) {
        return false;
    }
    object = std::move(made);
    return true;
}

// The session objects in their order, stopping at the first that fails.
bool MakeSessionObjects() {
    return MakeSessionObject(g_targetConfig, [](CTargetConfig& config) { return config.Create(); }) &&
           MakeSessionObject(g_monitorControl, [](CMonitorControl&) { return 0; }) &&
           MakeSessionObject(g_monitorEngine, [](CMonitorEngine& engine) { return engine.Open(); }) &&
           MakeSessionObject(g_runStateMonitor, [](CRunStateMonitor& monitor) { return monitor.Reset(); }) &&
           MakeSessionObject(g_haltControl, [](CHaltControl& halt) { return halt.Clear(); });
}

}  // namespace

DWORD CTargetComponentBase::Connect() {
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    DWORD result = 0;
    {
        CDlgConnectionProgress dialog(this);
        SetOpenConnectionDialog(&dialog);
        dialog.DoModal();
        SetOpenConnectionDialog(nullptr);
        result = dialog.GetConnectResult();
    }
    return result;
}

UINT CTargetComponentBase::ConnectProc() {
    {
        AFX_MANAGE_STATE(AfxGetStaticModuleState());
        m_sessionIniPath = GetSessionIniPath().value_or("");
        DWORD result = SelectEmulatorDriver();
        SetConnectAnimation(result != 0);
        if (result != 0 && !MakeSessionObjects()) {
            result = 0;
        }
        if (result != 0) {
            result = (g_swtiSupported == 1 ? RunSwtiBootSequence() : RunBootSequence()) == 1 ? 1 : 0;
        }
        if (g_emulatorLink != nullptr && g_emulatorLink->HasTimedOut()) {
            ShowCommunicationTimeoutRestart();
        }
        if (result == 0) {
            static_cast<void>(SessionIniWriteString("EMULATOR_SETTING", "HIDE_DIALOG", "0"));  // none: nothing to ask
        }
        if (CDlgConnection* dialog = GetConnectionDialog()) {
            dialog->EnableCancel(result);
        }
    }
    return CTarget::ConnectProc();  // closes the dialog and ends the thread
}
