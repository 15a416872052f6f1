// CCmdListHandler: the target's handler that owns the console commands. They
// live from the target's open to its close: the close removes and deletes
// every command of its two lists (the emulator commands, and the
// break-condition commands of the firmware's event function). The commands
// themselves come with the console subsystem; until then its open makes none.
#pragma once

#include "frame/cmd.h"
#include "frame/target_handler.h"

#include <memory>
#include <vector>

class CCmdListHandler : public CTargetHandler {
public:
    explicit CCmdListHandler(IHostServiceProvider* host) : CTargetHandler(host) {}
    // The lists are emptied by OnTargetClose; what is left goes here.
    ~CCmdListHandler() override = default;

    // Deletes the commands, the first list's from its head, then the
    // second's.
    HRESULT OnTargetClose() override;

    void AppendCommand(std::unique_ptr<CCmd> command) { m_commands.push_back(std::move(command)); }
    std::size_t CommandCount() const { return m_commands.size() + m_eventCommands.size(); }

private:
    std::vector<std::unique_ptr<CCmd>> m_commands;
    std::vector<std::unique_ptr<CCmd>> m_eventCommands;
};
