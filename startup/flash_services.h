// What the firmware command layer's flash write-back asks of the start-up
// subsystem: the protected-register list's warnings and check, and the
// monitor access that a write-back and a CPU reset open around their work.
//
// The start-up subsystem installs these when its objects exist; until then
// there is no list to warn from and the monitor access opens at once.
#pragma once

#include "platform/wintypes.h"

#include <functional>

struct FlashServices {
    // WarnRegisterChanged: a warning for each protected register whose value
    // the debugger changed.
    std::function<void()> warnProtectedRegisters;
    // CProtectedRegisterList::CheckValues: after a "Flash Write".
    std::function<void()> checkProtectedRegisters;
    // OpenMonitorAccess (nonzero when it cannot be opened) and
    // CloseMonitorAccess.
    std::function<DWORD()> openMonitorAccess;
    std::function<void()> closeMonitorAccess;
};

// Installs the operations (an empty set removes them).
void SetFlashServices(FlashServices services);

void WarnProtectedRegisters();
void CheckProtectedRegisters();

// The monitor access for one scope: opened by OpenMonitorAccess, closed when
// the object goes (only when it was opened).
class CMonitorAccess {
public:
    CMonitorAccess() = default;
    ~CMonitorAccess();
    CMonitorAccess(const CMonitorAccess&) = delete;
    CMonitorAccess& operator=(const CMonitorAccess&) = delete;

    // Nonzero when the access cannot be opened.
    DWORD OpenMonitorAccess();
    void CloseMonitorAccess();

private:
    bool m_open = false;
};
