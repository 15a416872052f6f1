// The target configuration's runs of the setting sheets and the new
// break-mode settings' notices: they reach the link, the monitor control and
// the target object, above the configuration record (config/target_config.h).
#include "config/target_config.h"

#include "config/device_data.h"
#include "config/setting_sheets.h"
#include "frame/host_event.h"
#include "link/driver_list.h"
#include "link/emulator_link.h"
#include "monitor/monitor_control.h"
#include "target/monitor_objects.h"
#include "target/target_vk3.h"

#include "platform/host/ids.h"

namespace {

// The host hears of a new break-condition mode: the event is raised and
// posted to it.
void NotifyBreakConditionChanged() {
    CTargetComponentBase* target = GetTarget();
    const CHostEvent event(EVENT_BreakConditionChanged);
    target->RaiseHostEvent(event);
    if (IHostServiceProvider* host = target->GetHost()) {
        static_cast<void>(host->PostEvent(event.GetNotice()));  // the host's answer changes nothing here
    }
}

}  // namespace

DWORD CTargetConfig::RunConfigurationSheet() {
    const SettingSheets sheets = GetSettingSheets();
    if (!sheets.configurationSheet) {
        return 0;
    }
    const BreakModeValues before = m_breakMode.Values();
    const DWORD selector = g_registerListSelector;
    CBreakModeStore breakMode;
    m_breakMode.Copy(breakMode);
    CStepOptionStore stepOption;
    m_stepOption.Copy(stepOption);
    const ConfigurationSheetOutcome outcome = sheets.configurationSheet(breakMode, stepOption);
    if (outcome.driverListChanged) {
        if (g_driverList != nullptr) {
            static_cast<void>(g_driverList->SaveSelection());  // the list reports its own failures
        }
        return 0;
    }
    if (outcome.result != IDOK) {
        return 0;
    }
    const BreakModeValues after = breakMode.Values();
    if (breakMode.Differs(m_breakMode) != 0) {
        SetBreakModeSettings(after.mode, after.value2, after.value3, after.value4, after.value5);
        if (after.value2 != before.value2 && g_emulatorLink != nullptr) {
            g_emulatorLink->SetAdapterBaudRate(after.value2);
        }
        if (after.value4 != before.value4 && g_emulatorLink != nullptr) {
            g_emulatorLink->SetAdapterControlFlag(after.value4);
        }
    }
    if (stepOption.Differs(m_stepOption) != 0) {
        SetStepInterruptMode(stepOption.Value());
    }
    MarkSessionModified();
    if (g_registerListSelector != selector && g_registerListSelector != 0) {
        static_cast<void>(ZeroInitRegisterList());  // the registers' new values show at the next read
    }
    if (after.mode != before.mode) {
        NotifyBreakConditionChanged();
    }
    return 0;
}

DWORD CTargetConfig::RunEmulatorSettingSheet() {
    if (const SettingSheets sheets = GetSettingSheets(); sheets.emulatorSettingSheet) {
        sheets.emulatorSettingSheet();
    }
    return 0;
}

DWORD CTargetConfig::RunStartStopDialog() {
    if (const SettingSheets sheets = GetSettingSheets(); sheets.startStopDialog) {
        sheets.startStopDialog();
    }
    return 0;
}

WORD SetBreakModeAndNotify(DWORD mode, DWORD value2, DWORD value3, DWORD value4) {
    SetBreakModeSettings(mode, value2, value3, value4, 0);
    return MonitorSetAdapterBaudRate(value2);
}

const char* GetTargetSystemName() {
    // Registration reads it from the plug-in's own device file.
    return g_libraryName;
}
