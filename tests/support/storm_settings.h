// What a storm (random operations under random emulator faults) is asked to
// do, and the watch that names an iteration stuck in real time. The link
// storm and the host storm read the same variables: Q3V_STORM_SEED,
// Q3V_STORM_ITERATIONS and Q3V_STORM_VERBOSE (docs/storm.md).
#pragma once

#include "platform/wintypes.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <utility>

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

// The storms' generator: one per iteration, seeded with IterationSeed.
using StormRng = std::mt19937_64;

// A draw in [0, bound): one call on the generator; 0, and no call, when
// bound is 0.
std::uint32_t Below(StormRng& rng, std::uint32_t bound);

// One of the entries drawn by its weight (one call on the generator); the
// first entry should the weights leave the pick unplaced.
template <typename T, std::size_t N>
T DrawWeighted(StormRng& rng, const std::pair<T, std::uint32_t> (&weights)[N]) {
    std::uint32_t total = 0;
    for (const auto& [value, weight] : weights) {
        total += weight;
    }
    std::uint32_t pick = Below(rng, total);
    for (const auto& [value, weight] : weights) {
        if (pick < weight) {
            return value;
        }
        pick -= weight;
    }
    return weights[0].first;
}

// The short name of an emulator fault kind (Q3V_SIM_FAULT_...), as a storm's
// report and replay line print it.
const char* FaultName(DWORD kind);

// A value as "0x..." in hexadecimal capitals.
std::string HexText(DWORD value);

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
