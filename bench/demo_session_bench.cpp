// The demo's debug session through the whole stack: the simulated host's
// session object, the plug-in module and the simulated emulator's module,
// with no link delay and on the virtual clock, so that the fixed pauses of
// the run sequences cost no wall time. Timed: IHTExec::StepIn (goal: at
// least 2,000 steps a second), a go with its halt, a go from a breakpoint
// to it again, and a 256-byte memory read of RAM (flash reads come from the
// plug-in's mirror). Each reports the emulator frames one operation costs,
// from the frame log: on a real link every round trip costs about a
// millisecond.
#include "sim/host/console.h"
#include "sim/host/debug_session.h"
#include "sim/host/sim_host.h"

#include "platform/afx_app.h"
#include "platform/clock.h"
#include "platform/module.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// The benchmark's program stands for the host: its main window is the
// parent of the plug-in's windows.
CWinApp theApp("Kestrune");

using FrameCount = DWORD(WINAPI*)(void);
using GetFrame = DWORD(WINAPI*)(DWORD, void*, BYTE*, DWORD);

// The frame log's record of one frame (as the control API lays it out).
struct FrameInfo {
    DWORD direction;
    DWORD length;
    DWORD ticks;
    DWORD sequence;
};

// One connected session with the demo program loaded and reset, shared by
// every benchmark of the run.
struct Demo {
    Demo() {
        module = LoadLibraryA((simhost::ProgramFolder() + "Q3vSimEmu.dll").c_str());
        frameCount = platform::GetProcAddressAs<FrameCount>(module, "Q3vSimGetFrameCount");
        getFrame = platform::GetProcAddressAs<GetFrame>(module, "Q3vSimGetFrame");
        if (frameCount == nullptr || getFrame == nullptr || !host.Load() || host.RegisterLibrary() != S_OK ||
            host.AttachComponents() != S_OK || !session.OpenSession(simhost::DefaultSeedFile()) ||
            !session.Connect() || !session.Load(simhost::ProgramFolder() + "Vk3Demo.mot") || !session.Reset()) {
            std::fprintf(stderr, "the demo session did not start\n");
            std::abort();
        }
    }
    // The running number of the latest frame in the log.
    DWORD Sequence() const {
        const DWORD count = frameCount();
        FrameInfo info{};
        BYTE byte = 0;
        return count == 0 || getFrame(count - 1, &info, &byte, 1) != 0 ? 0 : info.sequence;
    }

    platform::VirtualClock clock;
    HMODULE module = nullptr;
    FrameCount frameCount = nullptr;
    GetFrame getFrame = nullptr;
    simhost::SimHost host;
    simhost::DebugSession session{host, nullptr};
};

Demo& TheDemo() {
    static Demo* demo = new Demo;  // the plug-in's threads may outlive the benchmarks
    return *demo;
}

// Runs the operation once per iteration and reports the frames each cost.
template <typename Operation>
void Measure(benchmark::State& state, Operation operation) {
    Demo& demo = TheDemo();
    const DWORD before = demo.Sequence();
    for (auto _ : state) {
        if (!operation(demo.session)) {
            state.SkipWithError("the operation failed");
            break;
        }
    }
    state.counters["frames_per_operation"] =
        static_cast<double>(demo.Sequence() - before) / static_cast<double>(state.iterations());
    state.counters["per_second"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                                       benchmark::Counter::kIsRate);
}

void BM_StepIn(benchmark::State& state) {
    Measure(state, [](simhost::DebugSession& session) { return session.Step(simhost::StepKind::In); });
}
BENCHMARK(BM_StepIn)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_GoAndHalt(benchmark::State& state) {
    Measure(state, [](simhost::DebugSession& session) { return session.Go() && session.Halt(); });
}
BENCHMARK(BM_GoAndHalt)->Unit(benchmark::kMicrosecond)->UseRealTime();

// A go from a breakpoint in flash round the demo's loop to it again: the
// step off it, its break byte in the chip during the run, out of the mirror
// at the stop.
void BM_GoFromABreakpointToIt(benchmark::State& state) {
    simhost::DebugSession& session = TheDemo().session;
    constexpr DWORD kBreakpoint = 0xC010;
    if (!session.AddBreak(kBreakpoint) || !session.Go()) {
        state.SkipWithError("the breakpoint did not stop the program");
        return;
    }
    Measure(state, [](simhost::DebugSession& demo) { return demo.Go() && demo.Register(14) == kBreakpoint; });
    static_cast<void>(session.RemoveBreak(session.Breaks().size()));
}
BENCHMARK(BM_GoFromABreakpointToIt)->Unit(benchmark::kMicrosecond)->UseRealTime();

void BM_Read256Bytes(benchmark::State& state) {
    Measure(state, [](simhost::DebugSession& session) { return session.ReadMemory(0x0400, 256).has_value(); });
}
BENCHMARK(BM_Read256Bytes)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
