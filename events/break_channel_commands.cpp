#include "events/break_channel_commands.h"

#include "frame/target_exec.h"
#include "link/driver_list.h"
#include "link/emu_response.h"
#include "link/ule_drv_interface.h"
#include "monitor/monitor_engine.h"
#include "target/memory_lock.h"
#include "target/target_vk3.h"

void SendChannelCommand(const std::string& command) {
    LockMemoryAccess(TRUE);
    if (g_monitorEngine != nullptr) {
        g_monitorEngine->ExecuteBreakConditionCommand(command);
        EmuReplyPtr record;
        if (g_emuResponse != nullptr) {
            static_cast<void>(g_emuResponse->CheckError(record));  // it shows an error itself
        }
        if (record != nullptr && g_currentDriver != nullptr) {
            g_currentDriver->FreeReply(std::move(record));
        }
    }
    LockMemoryAccess(FALSE);
}

bool IsTargetRunning() {
    const CTargetVk3* target = GetTarget();
    const CTargetExec* exec = target != nullptr ? target->GetExecHandler() : nullptr;
    return exec != nullptr && exec->IsRunning() == 1;
}
