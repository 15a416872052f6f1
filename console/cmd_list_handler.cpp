#include "console/cmd_list_handler.h"

#include "console/break_condition_set_command.h"
#include "console/query_commands.h"
#include "console/setting_commands.h"
#include "console/swti_break_condition_commands.h"
#include "config/device_data.h"

HRESULT CCmdListHandler::OnTargetOpen() {
    if (g_swtiSupported != 1) {
        AppendCommand<CCmdBreakConditionClear>();
        AppendCommand<CCmdBreakConditionDisplay>();
        AppendCommand<CCmdBreakConditionEnable>();
        AppendCommand<CCmdBreakConditionSet>();
    } else {
        AppendEventCommand<CCmdSwtiBreakConditionDisplay>();
        AppendEventCommand<CCmdSwtiBreakConditionClear>();
        AppendEventCommand<CCmdSwtiBreakConditionEnable>();
        AppendEventCommand<CCmdSwtiBreakConditionSet>();
    }
    AppendCommand<CCmdRefresh>();
    AppendCommand<CCmdDeviceType>();
    AppendCommand<CCmdGoOption>();
    AppendCommand<CCmdStepInterrupt>();
    AppendCommand<CCmdBreakConditionMode>();
    AppendCommand<CCmdStatus>();
    return S_OK;
}

HRESULT CCmdListHandler::OnTargetClose() {
    while (!m_commands.empty()) {
        m_commands.erase(m_commands.begin());
    }
    while (!m_eventCommands.empty()) {
        m_eventCommands.erase(m_eventCommands.begin());
    }
    return S_OK;
}
