// What the firmware command layer's flash write-back asks of the start-up
// subsystem: the protected-register list's warnings and check, and the
// monitor access that a write-back and a CPU reset open around their work.
//
// The warnings come from the process's protected-register list (empty until
// a device description file is read). The monitor access is installed by
// the start-up objects when they exist; until then it opens at once.
#pragma once

#include "platform/wintypes.h"

#include <functional>

struct FlashServices {
    // OpenMonitorAccess (nonzero when it cannot be opened) and
    // CloseMonitorAccess.
    std::function<DWORD()> openMonitorAccess;
    std::function<void()> closeMonitorAccess;
};

// Installs the operations (an empty set removes them).
void SetFlashServices(FlashServices services);

// WarnRegisterChanged: forces the protected bits into the flash mirror and
// warns for each protected register whose value the debugger changed.
void WarnProtectedRegisters();
// CProtectedRegisterList::CheckValues: after a "Flash Write".
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
