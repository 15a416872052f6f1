// What the firmware command layer's flash write-back and CPU reset ask of the
// start-up subsystem: the protected-register list's warnings and check, and
// the monitor access that they open around their work.
//
// The warnings come from the process's protected-register list (empty until
// a device description file is read).
#pragma once

#include "platform/wintypes.h"

// WarnRegisterChanged: forces the protected bits into the flash mirror and
// warns for each protected register whose value the debugger changed.
void WarnProtectedRegisters();
// CProtectedRegisterList::CheckValues: after a "Flash Write".
void CheckProtectedRegisters();

// The monitor access: opening it, and closing it once open, puts the
// firmware request and reply buffers back to their start (a firmware command
// made and dropped). The flag stays set after a close. One instance serves
// the process (g_monitorAccess: the run variants and the CPU reset); the
// flash write-back makes one of its own.
class CMonitorAccess {
public:
    CMonitorAccess() = default;
    CMonitorAccess(const CMonitorAccess&) = delete;
    CMonitorAccess& operator=(const CMonitorAccess&) = delete;

    // 0.
    DWORD OpenMonitorAccess();
    // 0.
    DWORD CloseMonitorAccess();
    bool IsOpen() const { return m_open != 0; }

private:
    DWORD m_open = 0;
};

extern CMonitorAccess g_monitorAccess;
