#include "link/flash_services.h"

#include "link/firm_command.h"
#include "startup/protected_registers.h"

CMonitorAccess g_monitorAccess;

namespace {

// A firmware command points the request and reply at the shared buffers
// from their start as it is made.
void ReinitialiseFirmwareBuffers() {
    const CFirmCommand command;
    static_cast<void>(command);
}

}  // namespace

void WarnProtectedRegisters() {
    g_protectedRegisters.WarnRegisterChanged();
}

void CheckProtectedRegisters() {
    g_protectedRegisters.CheckValues();
}

DWORD CMonitorAccess::OpenMonitorAccess() {
    m_open = 1;
    ReinitialiseFirmwareBuffers();
    return 0;
}

DWORD CMonitorAccess::CloseMonitorAccess() {
    if (m_open != 0) {
        ReinitialiseFirmwareBuffers();
    }
    return 0;
}
