// The host storm as a test: CI runs it with a fixed seed in every leg; by
// hand it runs with any seed and count (docs/storm.md):
//
//     Q3V_STORM_SEED=0x1234 Q3V_STORM_ITERATIONS=2000 ./road_tests --gtest_filter='HostStorm.*'
//
// A failing iteration is named with its seed, and the line to replay it.
#include "tests/road/host_storm.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>

namespace roadtest {
namespace {

TEST_F(HostStorm, RandomHostOperationsUnderRandomFaultsEndInAReportedErrorOrDoWhatTheySay) {
    const testing_support::StormSettings& settings = Settings();
    testing_support::StormWatchdog watchdog(settings.seed);
    const auto started = std::chrono::steady_clock::now();
    for (std::uint32_t iteration = 0; iteration < settings.iterations; ++iteration) {
        watchdog.Progress(iteration);
        if (!Iterate(iteration)) {
            ADD_FAILURE() << Describe() << "\n" << Failure() << "\nReplay with Q3V_STORM_SEED="
                          << testing_support::SeedText(settings.seed) << " Q3V_STORM_ITERATIONS=" << iteration + 1
                          << " Q3V_STORM_VERBOSE=1 road_tests --gtest_filter='HostStorm.*'";
            return;
        }
    }
    const auto seconds =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count() / 1000.0;
    std::printf("host storm seed %s: %u iterations in %.1f s, %u failures reported, %u reconnects\n",
                testing_support::SeedText(settings.seed).c_str(), static_cast<unsigned>(settings.iterations), seconds,
                static_cast<unsigned>(FailuresReported()), static_cast<unsigned>(Reconnects()));
}

}  // namespace
}  // namespace roadtest
