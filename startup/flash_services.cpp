#include "startup/flash_services.h"

#include "startup/protected_registers.h"
#include "util/service_slot.h"

#include <utility>

namespace {

ServiceSlot<FlashServices> g_services;

FlashServices Current() {
    return g_services.Get();
}

}  // namespace

void SetFlashServices(FlashServices services) {
    g_services.Set(std::move(services));
}

void WarnProtectedRegisters() {
    g_protectedRegisters.WarnRegisterChanged();
}

void CheckProtectedRegisters() {
    g_protectedRegisters.CheckValues();
}

CMonitorAccess::~CMonitorAccess() {
    CloseMonitorAccess();
}

DWORD CMonitorAccess::OpenMonitorAccess() {
    const FlashServices services = Current();
    const DWORD result = services.openMonitorAccess ? services.openMonitorAccess() : 0;
    m_open = result == 0;
    return result;
}

void CMonitorAccess::CloseMonitorAccess() {
    if (!m_open) {
        return;
    }
    m_open = false;
    if (const FlashServices services = Current(); services.closeMonitorAccess) {
        services.closeMonitorAccess();
    }
}
