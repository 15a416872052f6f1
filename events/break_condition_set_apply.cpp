// The set's apply while the program runs, and its list rows.
#include "events/break_channel_apply.h"
#include "events/break_channel_commands.h"
#include "config/break_channels.h"
#include "events/break_condition_rules.h"
#include "events/break_condition_set.h"
#include "events/target_event_vk3.h"
#include "link/firm_command.h"
#include "target/memory_lock.h"
#include "config/target_config.h"
#include "target/target_vk3.h"

namespace {

constexpr char kNoCondition[] = "None";

}  // namespace

DWORD CBreakConditionSet::ApplyWhileRunning() {
    if (GetBreakModeValues().mode != 0) {
        return 1;
    }
    LockMemoryAccess(TRUE);
    if (IsTargetRunning() && g_protocolType != 4) {
        WithTargetSuspended([] {
            CopyWorkingChannels(DeviceChannelCount(), kAppliedRecordBytes);
            // Protocol types 0 and 1 carry the applied channels into the chip
            // with the next go; the others are programmed now.
            if (g_protocolType > 1) {
                CFirmCommand command;
                static_cast<void>(command.ProgramBreakRegisters());  // a failed write shows at the next stop
            }
        });
    }
    LockMemoryAccess(FALSE);
    return 1;
}

void CBreakConditionSet::BuildEventRows(DWORD n, const EventRow** row) {
    const bool sequential = GetBreakModeValues().mode == 2;
    if (n < kChannels && break_rules::ChannelExists(static_cast<int>(n))) {
        m_row.conditionText = m_displayText[n];
        m_row.kindText = n == 0 || !sequential ? "Break" : "Sequential break";
        // A channel without an address shows none rather than the last row's.
        DWORD address = 0;
        m_row.address = m_sheets[n]->GetAddress(&address) ? address : 0;
    } else {
        // A channel the device does not keep holds no condition: its row
        // never shows the row before it.
        m_row = EventRow{0, kNoCondition, "Break"};
    }
    if (CTargetVk3* target = GetTarget(); target != nullptr && target->GetEventHandler() != nullptr) {
        target->GetEventHandler()->SetRowWords(m_rowWord1, m_rowWord2);
    }
    *row = &m_row;
}
