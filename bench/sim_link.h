// The simulated emulator as the plug-in's link sees it, for the benchmarks
// that measure the plug-in's own memory and download paths without a host:
// the driver module bound through the plug-in's binding, the emulator at
// "firmware running" and the link open.
#pragma once

#include "link/emulator_link.h"
#include "link/ule_drv_interface.h"
#include "config/device_data.h"
#include "config/target_config.h"

#include "platform/module.h"

#include <memory>
#include <string>

namespace bench_support {

inline std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The driver module beside the program, for its control functions.
inline HMODULE SimulatedEmulator() {
    return LoadLibraryA((ProgramFolder() + "Q3vSimEmu.dll").c_str());
}

// Brings the emulator up with the configuration given ("device=…;protocol=…")
// and opens the link, with a target configuration of defaults; the driver
// binding goes to driver. An empty text, or what did not come up.
inline std::string ConnectSimulatedEmulator(const char* configuration, std::unique_ptr<CUleDrvInterface>& driver) {
    HMODULE control = SimulatedEmulator();
    auto reset = platform::GetProcAddressAs<DWORD(WINAPI*)(void)>(control, "Q3vSimReset");
    auto configure = platform::GetProcAddressAs<DWORD(WINAPI*)(const char*)>(control, "Q3vSimConfigure");
    auto install = platform::GetProcAddressAs<DWORD(WINAPI*)(void)>(control, "Q3vSimInstallFirmware");
    CUleDrvFactory factory;
    driver.reset(factory.CreateInterface((ProgramFolder() + "Q3vSimEmu.dll").c_str()));
    const char* const* channels = nullptr;
    if (reset == nullptr || configure == nullptr || install == nullptr || driver == nullptr ||
        driver->Initialise("SIMUSB", &channels) != 0 || driver->Select(0) != 0 || configure(configuration) != 0 ||
        reset() != 0 || install() != 0 || g_emulatorLink == nullptr) {
        return "the simulated emulator module did not come up";
    }
    g_targetConfig = std::make_unique<CTargetConfig>();
    g_emulatorLink->SetOpen(1);
    return {};
}

// The 1 MB device's memory map, whose RAM holds a whole 32 KiB call.
inline void UseLargeDevice() {
    g_protocolType = 2;
    g_emuSel = connect_mode::kEraseAndConnect;
    g_deviceAreas = {};
    g_deviceAreas[kAreaIio1] = {1, 0x00000, 0x003FF};
    g_deviceAreas[kAreaFir2] = {1, 0x00400, 0x13BFF};
    g_deviceAreas[kAreaFirm] = {1, 0x13C00, 0x13FFF};
    g_deviceAreas[kAreaAse1] = {1, 0xFF000, 0xFFEFF};
    g_deviceAreas[kAreaFlas] = {1, 0x14000, 0xFFFFF};
    g_deviceValues.maxAddr = 0xFFFFF;
}

}  // namespace bench_support
