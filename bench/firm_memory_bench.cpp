// Reading and writing 1 MiB of target memory the way the plug-in does it:
// CFirmCommand in pieces of 128 (reads) and 64 (writes) bytes, through the
// link facade, the adapter channel and the driver lock, to the simulated
// emulator's driver module, which answers without any link delay. What is
// measured is the plug-in's own cost plus the model's; the emulator's USB
// full-speed link carries about 1.5 MB/s of payload.
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/ule_drv_interface.h"
#include "startup/device_data.h"
#include "target/target_config.h"

#include "platform/module.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kMegabyte = 1 << 20;
constexpr DWORD kPerCall = 32768;
constexpr DWORD kRamTop = 0x400;
constexpr double kReadPiece = 128;
constexpr double kWritePiece = 64;

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The device data of the 1 MB device, whose RAM holds a whole 32 KiB call.
void UseLargeDevice() {
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

struct Session {
    std::unique_ptr<CUleDrvInterface> driver;
    std::string error;
};

// The driver module loaded through the plug-in's own binding, the emulator
// at "firmware running" and the link open.
Session& Connected() {
    static Session session = [] {
        Session s;
        const std::string path = ProgramFolder() + "Q3vSimEmu.dll";
        HMODULE control = LoadLibraryA(path.c_str());
        auto reset = platform::GetProcAddressAs<DWORD(WINAPI*)(void)>(control, "Q3vSimReset");
        auto configure = platform::GetProcAddressAs<DWORD(WINAPI*)(const char*)>(control, "Q3vSimConfigure");
        auto install = platform::GetProcAddressAs<DWORD(WINAPI*)(void)>(control, "Q3vSimInstallFirmware");
        CUleDrvFactory factory;
        s.driver.reset(factory.CreateInterface(path.c_str()));
        const char* const* channels = nullptr;
        if (reset == nullptr || configure == nullptr || install == nullptr || s.driver == nullptr ||
            s.driver->Initialise("SIMUSB", &channels) != 0 || s.driver->Select(0) != 0 ||
            configure("device=VK32D64;protocol=2") != 0 || reset() != 0 || install() != 0 ||
            g_emulatorLink == nullptr) {
            s.error = "the simulated emulator module did not come up";
            return s;
        }
        g_targetConfig = std::make_unique<CTargetConfig>();
        UseLargeDevice();
        g_emulatorLink->SetOpen(1);
        return s;
    }();
    return session;
}

void Report(benchmark::State& state, double pieceSize) {
    const double requests = kMegabyte / pieceSize;
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kMegabyte);
    state.counters["requests"] = requests;
    state.counters["time_per_request"] = benchmark::Counter(static_cast<double>(state.iterations()) * requests,
                                                            benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ReadOneMegabyte(benchmark::State& state) {
    if (!Connected().error.empty()) {
        state.SkipWithError(Connected().error.c_str());
        return;
    }
    std::vector<BYTE> buffer(kPerCall);
    for (auto _ : state) {
        for (DWORD done = 0; done < kMegabyte; done += kPerCall) {
            if (CFirmCommand().ReadMemory(access_code::kByte, kRamTop, kPerCall, buffer.data()) != 0) {
                state.SkipWithError("a read failed");
                return;
            }
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    Report(state, kReadPiece);
}

void BM_WriteOneMegabyte(benchmark::State& state) {
    if (!Connected().error.empty()) {
        state.SkipWithError(Connected().error.c_str());
        return;
    }
    for (DWORD i = 0; i < kPerCall; ++i) {
        g_firmWriteData[i] = static_cast<BYTE>(i);
    }
    for (auto _ : state) {
        for (DWORD done = 0; done < kMegabyte; done += kPerCall) {
            if (CFirmCommand().WriteMemory(access_code::kByte, kRamTop, kPerCall, 0) != 0) {
                state.SkipWithError("a write failed");
                return;
            }
        }
    }
    Report(state, kWritePiece);
}

BENCHMARK(BM_ReadOneMegabyte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteOneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
