// 1 MiB of target memory read and written as the host asks for it: 32
// calls of 32 KiB through the memory handler's IHTMemoryServer2 operations,
// the monitor engine, CFirmCommand, the link and the simulated emulator's
// real driver module, which answers without any link delay. The goal is
// 50 times the 1.5 MB/s that the emulator's USB link carries, 75 MB/s, so
// that the plug-in never is what the user waits for.
#include "link/emulator_link.h"
#include "link/ule_drv_interface.h"
#include "monitor/monitor_engine.h"
#include "startup/device_data.h"
#include "target/target_config.h"
#include "target/target_memory_vk3.h"

#include "platform/module.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace {

constexpr DWORD kMegabyte = 1 << 20;
constexpr DWORD kPerCall = 32768;
constexpr DWORD kCalls = kMegabyte / kPerCall;
constexpr DWORD kRamTop = 0x400;
// 50 times the link's 1.5 MB/s.
constexpr double kGoalBytesPerSecond = 75e6;

std::string ProgramFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string folder = path;
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

// The 1 MB device, whose RAM holds a whole 32 KiB call.
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
    std::unique_ptr<CTargetMemoryVk3> memory;
    std::string error;
};

// The driver module bound by the plug-in, the firmware running, the link
// open, a monitor engine and a memory handler without a host.
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
        g_monitorEngine = std::make_unique<CMonitorEngine>();
        s.memory = std::make_unique<CTargetMemoryVk3>(nullptr);
        return s;
    }();
    return session;
}

void Report(benchmark::State& state) {
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * kMegabyte);
    // The rate as a multiple of the goal: 1 or more meets it.
    state.counters["of_goal"] = benchmark::Counter(static_cast<double>(state.iterations()) * kMegabyte /
                                                       kGoalBytesPerSecond,
                                                   benchmark::Counter::kIsRate);
    state.counters["us_per_call"] = benchmark::Counter(static_cast<double>(state.iterations()) * kCalls * 1e-6,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_HostReadsOneMegabyte(benchmark::State& state) {
    Session& session = Connected();
    if (!session.error.empty()) {
        state.SkipWithError(session.error.c_str());
        return;
    }
    std::vector<BYTE> buffer(kPerCall);
    for (auto _ : state) {
        for (DWORD call = 0; call < kCalls; ++call) {
            if (session.memory->ReadMemory(kRamTop, kRamTop + kPerCall - 1, 1, buffer.data()) != S_OK) {
                state.SkipWithError("a read failed");
                return;
            }
        }
        benchmark::DoNotOptimize(buffer.data());
    }
    Report(state);
}

void BM_HostWritesOneMegabyte(benchmark::State& state) {
    Session& session = Connected();
    if (!session.error.empty()) {
        state.SkipWithError(session.error.c_str());
        return;
    }
    std::vector<BYTE> buffer(kPerCall);
    for (DWORD i = 0; i < kPerCall; ++i) {
        buffer[i] = static_cast<BYTE>(i);
    }
    for (auto _ : state) {
        for (DWORD call = 0; call < kCalls; ++call) {
            if (session.memory->WriteMemory(kRamTop, kRamTop + kPerCall - 1, 1, buffer.data()) != S_OK) {
                state.SkipWithError("a write failed");
                return;
            }
        }
    }
    Report(state);
}

BENCHMARK(BM_HostReadsOneMegabyte)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HostWritesOneMegabyte)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
