#include "console/cmd_list_handler.h"

HRESULT CCmdListHandler::OnTargetClose() {
    for (auto* list : {&m_commands, &m_eventCommands}) {
        for (auto& command : *list) {
            command.reset();
        }
        list->clear();
    }
    return CTargetHandler::OnTargetClose();
}
