#include "events/break_channel_apply.h"

#include "link/link_state.h"
#include "monitor/halt_control.h"
#include "target/memory_lock.h"

void WithTargetSuspended(const std::function<void()>& work) {
    LockMemoryAccess(TRUE);
    if (g_haltControl == nullptr) {
        work();
    } else {
        g_targetSuspendRequest = 1;
        g_haltControl->SuspendTargetForAccess();
        work();
        g_haltControl->ResumeTargetAfterAccess();
        g_targetSuspendRequest = 0;
    }
    LockMemoryAccess(FALSE);
}
