// The work RAM that the flash writer overwrites during a write-back: the
// user's RAM from the writer's address and the firmware's RAM. The scope
// keeps them (CFirmCommand::SaveWorkRam) before the flash is handed over and
// writes them back (CFirmCommand::RestoreWorkRam) on every way out once the
// save succeeded.
#pragma once

#include "platform/wintypes.h"

class CFirmCommand;

class CWorkRamScope {
public:
    explicit CWorkRamScope(CFirmCommand& command) : m_command(command) {}
    // Writes back what was saved and is not back yet. The job that ends here
    // answers its own first failure, so the restore's result is dropped.
    ~CWorkRamScope();
    CWorkRamScope(const CWorkRamScope&) = delete;
    CWorkRamScope& operator=(const CWorkRamScope&) = delete;

    // Keeps the windows; nothing is restored unless this succeeded.
    [[nodiscard]] WORD Save();
    // Writes the windows back at the end of a job that went well: then the
    // restore's result is the job's answer.
    [[nodiscard]] WORD Restore();

private:
    CFirmCommand& m_command;
    bool m_saved = false;
};
