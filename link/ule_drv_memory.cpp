#include "link/ule_drv_memory.h"

#include "link/driver_lock.h"
#include "link/link_results.h"
#include "link/ule_driver_dll.h"
#include "config/settings_files.h"

#include "platform/clock.h"
#include "platform/ui.h"

namespace {

// A pending read gets this many whole seconds before it is given up.
constexpr std::int64_t kPendingLimitSeconds = 30;

}  // namespace

DWORD CUleDrvMemory::PolledRead(ReadEntry entry, const char* timeoutMessage, WORD channel, BYTE* buffer,
                                DWORD address, BYTE count) {
    CDriverLockGuard hold;
    if (m_binding == nullptr) {
        return driver_result::kPending;
    }
    DWORD result = (m_binding->*entry)(channel, buffer, address, count);
    if (result != driver_result::kPending) {
        return result;
    }
    // The pending operation owns the driver until it completes, so the lock
    // stays held; the loop yields the processor between polls.
    const std::int64_t start = ClockTime(nullptr);
    while (true) {
        result = m_binding->Poll();
        if (result != driver_result::kPending) {
            return result;
        }
        if (ClockTime(nullptr) - start > kPendingLimitSeconds) {
            ShowTargetError(timeoutMessage, MB_ICONEXCLAMATION);
            return driver_result::kPending;
        }
        Sleep(1);
    }
}

DWORD CUleDrvMemory::ReadUleMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return PolledRead(&CUleDriverDll::ReadMemory, "Driver timeout reading memory", channel, buffer, address, count);
}

DWORD CUleDrvMemory::ReadQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return PolledRead(&CUleDriverDll::ReadQ5tMemory, "Driver timeout reading Q3v memory", channel, buffer, address,
                      count);
}

DWORD CUleDrvMemory::WriteUleMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->WriteMemory(channel, buffer, address, count) : driver_result::kPending;
}

DWORD CUleDrvMemory::XPdiTransmit(WORD count, BYTE* buffer, WORD reserved, BYTE flag) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->XPdiTransmit(count, buffer, reserved, flag) : driver_result::kPending;
}

DWORD CUleDrvMemory::SciReceive(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->SciReceive(reserved, buffer, reserved2, flag) : driver_result::kPending;
}

DWORD CUleDrvMemory::AudTraceRead(DWORD first, DWORD second, WORD third, BYTE fourth) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->AudTraceRead(first, second, third, fourth) : driver_result::kPending;
}

DWORD CUleDrvMemory::WriteQ5tMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE flag) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->WriteQ5tMemory(channel, buffer, address, count, flag)
                                : driver_result::kPending;
}

DWORD CUleDrvMemory::AdapterSumCheck(DWORD value) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->SumCheck(value) : driver_result::kPending;
}

DWORD CUleDrvMemory::MonpOpen(DWORD value) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->MonpOpen(value) : driver_result::kPending;
}

DWORD CUleDrvMemory::MonpProgDownload(WORD length, DWORD startAddress, WORD sum) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->ProgDownload(length, startAddress, sum) : driver_result::kPending;
}

DWORD CUleDrvMemory::PreEraseWrite_Erase(BYTE mode, DWORD value) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->PreEraseWrite_Erase(mode, value) : driver_result::kPending;
}

DWORD CUleDrvMemory::AdapterProgramDownload(DWORD address, DWORD stagingAddress, WORD sum) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->AdapterProgramDownload(address, stagingAddress, sum)
                                : driver_result::kPending;
}

DWORD CUleDrvMemory::SetTimeout(DWORD value) {
    CDriverLockGuard hold;
    return m_binding != nullptr ? m_binding->SetTimeout(value) : driver_result::kPending;
}
