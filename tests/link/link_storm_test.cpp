// The storm as a test: CI runs it with a fixed seed for a few thousand
// iterations; by hand it runs with any seed and count (docs/storm.md):
//
//     Q3V_STORM_SEED=0x1234 Q3V_STORM_ITERATIONS=20000 ./link_tests --gtest_filter='LinkStorm.*'
//
// A failing iteration is named with its seed, and the line to replay it.
#include "tests/link/link_storm.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <thread>

namespace linktest {
namespace {

// Names the iteration when one runs for minutes of real time, which no
// iteration on the virtual clock should: a loop that never ends would
// otherwise leave only a killed process. It waits on real time but holds
// nothing up.
class Watchdog {
public:
    explicit Watchdog(std::uint64_t seed) : m_seed(seed), m_thread([this] { Watch(); }) {}
    ~Watchdog() {
        {
            std::lock_guard lock(m_mutex);
            m_done = true;
        }
        m_wake.notify_all();
        m_thread.join();
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    void Progress(std::uint32_t iteration) { m_iteration = iteration; }

private:
    static constexpr std::chrono::seconds kStuck{300};

    void Watch() {
        std::unique_lock lock(m_mutex);
        std::uint32_t seen = m_iteration;
        while (!m_wake.wait_for(lock, kStuck, [this] { return m_done; })) {
            if (m_iteration == seen) {
                std::fprintf(stderr, "storm seed %s: iteration %u has not ended in %lld s\n", SeedText(m_seed).c_str(),
                             static_cast<unsigned>(seen), static_cast<long long>(kStuck.count()));
                std::abort();
            }
            seen = m_iteration;
        }
    }

    const std::uint64_t m_seed;
    std::atomic<std::uint32_t> m_iteration{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

TEST_F(LinkStorm, RandomOperationsUnderRandomFaultsEndInAnErrorOrDoWhatTheySay) {
    const StormSettings& settings = Settings();
    Watchdog watchdog(settings.seed);
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
