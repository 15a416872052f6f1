#include "plugin/setup_commands.h"

#include "frame/target.h"
#include "frame/target_exec.h"
#include "frame/target_memory.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "target/target_objects.h"

namespace {

constexpr DWORD kRunning = 1;

bool IsBusyOrRunning(const CTarget& target) {
    const CTargetMemory* memory = target.GetMemoryHandler();
    const CTargetExec* exec = target.GetExecHandler();
    const bool busy = memory != nullptr && memory->GetDownloadValue() != 0;
    const bool running = exec != nullptr && exec->IsRunning() == kRunning;
    return busy || running;
}

}  // namespace

bool IsSetupCommandEnabled(const CTarget& target, UINT command) {
    switch (command) {
    case res_id::kCmdSystemSetup:
    case res_id::kCmdEmulatorSetting:
        return !IsBusyOrRunning(target);
    case res_id::kCmdStartStopSetting:
        return g_deviceValues.supportStartStopFunc != 0 && !IsBusyOrRunning(target);
    default:
        return false;
    }
}

void RunSetupCommand(const CTarget& target, UINT command) {
    auto* runs = dynamic_cast<CSetupSheetRuns*>(target.GetMemoryMapHandler());
    if (runs == nullptr) {
        return;
    }
    switch (command) {
    case res_id::kCmdSystemSetup:
        runs->RunConfigurationSheet();
        break;
    case res_id::kCmdEmulatorSetting:
        runs->RunEmulatorSettingSheet();
        break;
    case res_id::kCmdStartStopSetting:
        runs->RunStartStopDialog();
        break;
    default:
        break;
    }
}
