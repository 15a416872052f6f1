#include "console/cmd_list_handler.h"

#include "console/query_commands.h"
#include "console/setting_commands.h"

HRESULT CCmdListHandler::OnTargetOpen() {
    // The break-condition commands of the device's set come first, when
    // they are built.
    AppendCommand<CCmdRefresh>();
    AppendCommand<CCmdDeviceType>();
    AppendCommand<CCmdGoOption>();
    AppendCommand<CCmdStepInterrupt>();
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
