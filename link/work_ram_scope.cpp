#include "link/work_ram_scope.h"

#include "link/firm_command.h"
#include "link/link_results.h"

CWorkRamScope::~CWorkRamScope() {
    if (m_saved) {
        // The job's first failure is its answer; a restore that fails too
        // (on a lost link, at once) adds nothing to it.
        static_cast<void>(m_command.RestoreWorkRam());
    }
}

WORD CWorkRamScope::Save() {
    const WORD saved = m_command.SaveWorkRam();
    m_saved = saved == link_result::kOk;
    return saved;
}

WORD CWorkRamScope::Restore() {
    if (!m_saved) {
        return link_result::kOk;
    }
    m_saved = false;
    return m_command.RestoreWorkRam();
}
