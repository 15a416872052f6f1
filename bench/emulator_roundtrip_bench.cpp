// Round trips through the simulated emulator's entry points: a 128-byte
// memory read request to the transmit entry and its reply from the receive
// entry, as the plug-in's memory reads will make them. The model answers
// without any link delay, so this is the cost of the driver module itself.
#include "sim/emulator/driver_entry_points.h"
#include "sim/emulator/sim_emulator_control.h"

#include "platform/module.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

struct Emulator {
    X_PDI_TXFn transmit = nullptr;
    H_SCI_RXFn receive = nullptr;
    bool ready = false;
};

template <typename Function>
Function Bind(HMODULE module, const char* name) {
    return platform::GetProcAddressAs<Function>(module, name);
}

// Loads the module beside the benchmark and brings it to "firmware running".
Emulator& Loaded() {
    static Emulator emulator = [] {
        Emulator e;
        char path[MAX_PATH] = {};
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string folder = path;
        folder = folder.substr(0, folder.find_last_of('\\') + 1);
        HMODULE module = LoadLibraryA((folder + "Q3vSimEmu.dll").c_str());
        if (module == nullptr) {
            return e;
        }
        auto reset = Bind<DWORD(WINAPI*)(void)>(module, "Q3vSimReset");
        auto install = Bind<DWORD(WINAPI*)(void)>(module, "Q3vSimInstallFirmware");
        auto initialise = Bind<ULE_InitialiseFn>(module, "ULE_Initialise");
        auto select = Bind<ULE_SelectFn>(module, "ULE_Select");
        e.transmit = Bind<X_PDI_TXFn>(module, "X_PDI_TX");
        e.receive = Bind<H_SCI_RXFn>(module, "H_SCI_RX");
        const char* const* channels = nullptr;
        e.ready = reset && install && initialise && select && e.transmit && e.receive && reset() == Q3V_SIM_OK &&
                  initialise("SIMUSB", &channels) == Q3V_SIM_OK && select(0) == Q3V_SIM_OK && install() == Q3V_SIM_OK;
        return e;
    }();
    return emulator;
}

void RoundTrips(benchmark::State& state, bool programRunning) {
    Emulator& emulator = Loaded();
    if (!emulator.ready) {
        state.SkipWithError("the simulated emulator module did not load");
        return;
    }
    if (programRunning) {
        // A program that loops on itself (JMP.B to its own address) in RAM.
        std::vector<BYTE> write = {0x00, 0x12, 0x5A, 0x12, 0x00, 0x12, 0x00, 0x05, 0x00, 0x00, 0x20,
                                   0x42, 0x02, 0x00, 0x00, 0x00, 0xFE, 0xFF, 0xA5, 0x81};
        std::vector<BYTE> registers(50, 0);
        const BYTE header[] = {0x00, 0x30, 0x5A, 0x32, 0x00, 0x30};
        std::copy(std::begin(header), std::end(header), registers.begin());
        registers[34] = 0x00;  // PC = 0x0500
        registers[35] = 0x05;
        registers[48] = 0xA5;
        registers[49] = 0x81;
        std::vector<BYTE> go = {0x00, 0x0E, 0x5A, 0x21, 0x00, 0x0E, 0x00, 0xFF,
                                0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x81};
        std::vector<BYTE> reply(64);
        emulator.transmit(static_cast<WORD>(write.size()), write.data(), 0, 1);
        emulator.receive(0, reply.data(), 0, 1);
        emulator.transmit(static_cast<WORD>(registers.size()), registers.data(), 0, 1);
        emulator.receive(0, reply.data(), 0, 1);
        emulator.transmit(static_cast<WORD>(go.size()), go.data(), 0, 1);
    }
    // Read 128 bytes at 0x0400 in byte units.
    std::vector<BYTE> request = {0x00, 0x0E, 0x5A, 0x11, 0x00, 0x0E, 0x00, 0x04,
                                 0x00, 0x00, 0x80, 0x00, 0x20, 0x42, 0xA5, 0x81};
    std::vector<BYTE> reply(1024);
    for (auto _ : state) {
        if (emulator.transmit(static_cast<WORD>(request.size()), request.data(), 0, 1) != Q3V_SIM_OK ||
            emulator.receive(0, reply.data(), 0, 1) != Q3V_SIM_OK) {
            state.SkipWithError("a round trip failed");
            break;
        }
        benchmark::DoNotOptimize(reply.data());
    }
    state.counters["round_trips_per_second"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 128);
}

void BM_Read128StoppedTarget(benchmark::State& state) {
    RoundTrips(state, false);
}

// Each driver call also runs the user program for one instruction budget.
void BM_Read128RunningTarget(benchmark::State& state) {
    RoundTrips(state, true);
}

BENCHMARK(BM_Read128StoppedTarget);
BENCHMARK(BM_Read128RunningTarget);

}  // namespace

BENCHMARK_MAIN();
