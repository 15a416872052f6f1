#include "console/cmd_list_handler_vk3.h"

#include "console/breakpoint_commands.h"
#include "console/breakpoint_display.h"

HRESULT CCmdListHandlerVk3::OnTargetOpen() {
    static_cast<void>(CCmdListHandler::OnTargetOpen());  // it answers 0
    AppendCommand<CCmdBreakpoint>();
    AppendCommand<CCmdBreakpointClear>();
    m_display = AppendCommand<CCmdBreakpointDisplay>();
    AppendCommand<CCmdBreakpointEnable>();
    for (const auto& command : m_commands) {
        command->DefineArguments();
    }
    return S_OK;
}

HRESULT CCmdListHandlerVk3::OnTargetClose() {
    // A listing works on the command and on the target's handlers: it ends
    // before either goes.
    if (m_display != nullptr) {
        m_display->JoinListings();
        m_display = nullptr;
    }
    for (const auto& command : m_commands) {
        command->DeleteArguments();
    }
    return CCmdListHandler::OnTargetClose();
}
