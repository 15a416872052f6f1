// CCmdListHandler: the target's handler that owns the console commands. Its
// open makes the commands every device has, its close deletes every command,
// the first list's from its head, then the second's. The first list holds
// the commands built on CCmdEmulator; the second is kept for the
// break-condition commands of the firmware's event function, which are
// plain CCmd commands. A command that cannot be made leaves no entry.
#pragma once

#include "console/cmd_emulator.h"
#include "frame/target_handler.h"

#include <memory>
#include <new>
#include <vector>

class CCmdListHandler : public CTargetHandler {
public:
    explicit CCmdListHandler(IHostServiceProvider* host) : CTargetHandler(host) {}
    ~CCmdListHandler() override = default;

    // Makes the break-condition commands of the firmware's kind (those of
    // the event function into the second list, the others into the first),
    // then "refresh", "device_type", "go_option", "step_interrupt",
    // "breakcondition_mode" and "status" into the first list; answers 0.
    HRESULT OnTargetOpen() override;
    // Deletes the commands; answers 0.
    HRESULT OnTargetClose() override;

    std::size_t CommandCount() const { return m_commands.size() + m_eventCommands.size(); }

protected:
    // Makes a command over the handler's host into the first list; the
    // command, or null when it could not be made.
    template <typename Command>
    Command* AppendCommand() {
        return Append<Command>(m_commands);
    }
    // The same into the second list.
    template <typename Command>
    Command* AppendEventCommand() {
        return Append<Command>(m_eventCommands);
    }

    std::vector<std::unique_ptr<CCmdEmulator>> m_commands;
    std::vector<std::unique_ptr<CCmd>> m_eventCommands;

private:
    template <typename Command, typename List>
    Command* Append(List& list) {
        try {
            auto command = std::make_unique<Command>(m_host);
            Command* made = command.get();
            list.push_back(std::move(command));
            return made;
        } catch (const std::bad_alloc&) {
            return nullptr;  // nothing of it stays: the list holds live commands only
        }
    }
};
