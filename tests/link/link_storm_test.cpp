// The storm as a test: CI runs it with a fixed seed for a few thousand
// iterations; by hand it runs with any seed and count (docs/storm.md):
//
//     Q3V_STORM_SEED=0x1234 Q3V_STORM_ITERATIONS=20000 ./link_tests --gtest_filter='LinkStorm.*'
//
// A failing iteration is named with its seed, and the line to replay it.
#include "tests/link/link_storm.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace linktest {
namespace {

TEST_F(LinkStorm, RandomOperationsUnderRandomFaultsEndInAnErrorOrDoWhatTheySay) {
    const StormSettings& settings = Settings();
    testing_support::StormWatchdog watchdog(settings.seed);
    for (std::uint32_t iteration = 0; iteration < settings.iterations; ++iteration) {
        watchdog.Progress(iteration);
        if (!Iterate(iteration)) {
            ADD_FAILURE() << Describe() << ": " << Failure() << "\nReplay with Q3V_STORM_SEED="
                          << SeedText(settings.seed) << " Q3V_STORM_ITERATIONS=" << iteration + 1
                          << " Q3V_STORM_VERBOSE=1 link_tests --gtest_filter='LinkStorm.*'";
            return;
        }
    }
    std::printf("storm seed %s: %u iterations, %u operations answered a failure, %u monitor restarts, %u fresh "
                "boots\n",
                SeedText(settings.seed).c_str(), static_cast<unsigned>(settings.iterations),
                static_cast<unsigned>(FailuresAnswered()), static_cast<unsigned>(Restarts()),
                static_cast<unsigned>(Boots()));
}

}  // namespace
}  // namespace linktest
