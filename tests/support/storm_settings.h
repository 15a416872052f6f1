// What a storm (random operations under random emulator faults) is asked to
// do, and the watch that names an iteration stuck in real time. The link
// storm and the host storm read the same variables: Q3V_STORM_SEED,
// Q3V_STORM_ITERATIONS and Q3V_STORM_VERBOSE (docs/storm.md).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

struct StormSettings {
    std::uint64_t seed = 0;
    std::uint32_t iterations = 0;
    bool verbose = false;

    // The environment's settings; without them the given run (CI's).
    static StormSettings FromEnvironment(std::uint64_t seed, std::uint32_t iterations);
};

// The seed as the settings take it back ("0x...").
std::string SeedText(std::uint64_t seed);

// The generator's seed of one iteration: iteration n of a seed draws the
// same whatever ran before it, so a failure replays on its own.
std::uint64_t IterationSeed(std::uint64_t seed, std::uint32_t iteration);

// Names the iteration when one runs for minutes of real time, which no
// iteration on the virtual clock should: a loop that never ends would
// otherwise leave only a killed process. It waits on real time but holds
// nothing up.
class StormWatchdog {
public:
    explicit StormWatchdog(std::uint64_t seed);
    ~StormWatchdog();
    StormWatchdog(const StormWatchdog&) = delete;
    StormWatchdog& operator=(const StormWatchdog&) = delete;

    void Progress(std::uint32_t iteration) { m_iteration = iteration; }

private:
    void Watch();

    const std::uint64_t m_seed;
    std::atomic<std::uint32_t> m_iteration{0};
    std::mutex m_mutex;
    std::condition_variable m_wake;
    bool m_done = false;
    std::thread m_thread;
};

}  // namespace testing_support
