// 1 MiB of target memory read and written as the host asks for it: 32
// calls of 32 KiB through the memory handler's IHTMemoryServer2 operations,
// the monitor engine, CFirmCommand, the link and the simulated emulator's
// real driver module, which answers without any link delay. The goal is
// 50 times the 1.5 MB/s that the emulator's USB link carries, 75 MB/s, so
// that the plug-in never is what the user waits for.
#include "bench/sim_link.h"
#include "link/emulator_link.h"
#include "link/ule_drv_interface.h"
#include "monitor/monitor_engine.h"
#include "config/device_data.h"
#include "config/target_config.h"
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
        s.error = bench_support::ConnectSimulatedEmulator("device=VK32D64;protocol=2", s.driver);
        if (!s.error.empty()) {
            return s;
        }
        bench_support::UseLargeDevice();
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
