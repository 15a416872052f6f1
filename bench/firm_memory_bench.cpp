// Reading and writing 1 MiB of target memory the way the plug-in does it:
// CFirmCommand in pieces of 128 (reads) and 64 (writes) bytes, through the
// link facade, the adapter channel and the driver lock, to the simulated
// emulator's driver module, which answers without any link delay. What is
// measured is the plug-in's own cost plus the model's; the emulator's USB
// full-speed link carries about 1.5 MB/s of payload.
#include "bench/sim_link.h"
#include "link/emulator_link.h"
#include "link/firm_command.h"
#include "link/link_results.h"
#include "link/ule_drv_interface.h"
#include "config/device_data.h"
#include "config/target_config.h"

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

struct Session {
    std::unique_ptr<CUleDrvInterface> driver;
    std::string error;
};

// The driver module loaded through the plug-in's own binding, the emulator
// at "firmware running" and the link open.
Session& Connected() {
    static Session session = [] {
        Session s;
        s.error = bench_support::ConnectSimulatedEmulator("device=VK32D64;protocol=2", s.driver);
        if (s.error.empty()) {
            bench_support::UseLargeDevice();
        }
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
