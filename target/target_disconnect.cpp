// The target's disconnect: what the session changed in target memory for the
// emulator's sake is put back before the link goes.
#include "target/target_vk3.h"

#include "frame/target_memory.h"
#include "config/device_data.h"
#include "target/cold_start.h"
#include "target/monitor_objects.h"
#include "target/target_exec_vk3.h"

#include <algorithm>
#include <array>

namespace {

// An entry's byte count as the access size, within the entry's four bytes.
DWORD UnitSize(const XinEntry& entry) {
    return std::clamp<DWORD>(entry.byteCount, 1, 4);
}

// Writes size bytes as one unit of that size.
void WriteEntry(DWORD address, const BYTE* data, DWORD size) {
    // A failed write leaves the unit as it was; the disconnect goes on.
    static_cast<void>(MonitorWriteMemory(address, data, size, static_cast<WORD>(size), 0));
}

}  // namespace

void CTargetComponentBase::Disconnect() {
    // The go thread stops waiting for the program first: the program's bytes
    // go back with nobody else at the target.
    if (auto* exec = dynamic_cast<CTargetExecVk3*>(GetExecHandler())) {
        exec->EndRunThread();
    }
    RestoreProgramBytes();
    if (g_emuSel == connect_mode::kProgramFlash || g_powerSupplySettings.powerFromEmulator != 0) {
        return;
    }
    if (g_deviceValues.useXinWhileDownload != 1) {
        static_cast<void>(ApplyColdStartInfo());  // it answers 1
        return;
    }
    const DeviceValues& device = g_deviceValues;
    const std::size_t count = std::min<std::size_t>(device.xinCount, kXinEntryCount);
    // The bytes entry 1 overwrites are read first and written back last;
    // without a second entry there is nothing to keep, and a unit that was
    // not read (refused, or the link lost) is not written back.
    std::array<BYTE, 4> kept{};
    bool restore = false;
    if (count >= 2 && m_memoryHandler != nullptr) {
        const XinEntry& second = device.xin[1];
        restore = m_memoryHandler->ReadMemory(second.address, second.address + UnitSize(second) - 1, 1,
                                              kept.data()) == S_OK;
    }
    for (std::size_t i = 0; i < count; ++i) {
        WriteEntry(device.xin[i].address, device.xin[i].data.data(), UnitSize(device.xin[i]));
    }
    static_cast<void>(ApplyColdStartInfo());  // it answers 1
    if (count >= 1) {
        WriteEntry(device.xin[0].address, device.xin[0].data.data(), UnitSize(device.xin[0]));
    }
    if (restore) {
        WriteEntry(device.xin[1].address, kept.data(), UnitSize(device.xin[1]));
    }
}
