#include "tests/support/storm_settings.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace testing_support {

namespace {

constexpr std::chrono::seconds kStuck{300};

// By fault kind; kind 0 is no fault.
const char* const kFaultNames[] = {"",        "timeout", "linklost",  "connector",  "nak",     "status", "erase",
                                   "program", "reset",   "short",     "corrupt",    "verify",  "power",  "ack",
                                   "delay",   "stuck",   "breakstop", "initialise", "nobreak"};

}  // namespace

StormSettings StormSettings::FromEnvironment(std::uint64_t seed, std::uint32_t iterations) {
    StormSettings settings{seed, iterations, false};
    if (const char* text = std::getenv("Q3V_STORM_SEED"); text != nullptr && text[0] != '\0') {
        settings.seed = std::strtoull(text, nullptr, 0);
    }
    if (const char* text = std::getenv("Q3V_STORM_ITERATIONS"); text != nullptr && text[0] != '\0') {
        settings.iterations = static_cast<std::uint32_t>(std::strtoul(text, nullptr, 0));
    }
    if (const char* text = std::getenv("Q3V_STORM_VERBOSE"); text != nullptr) {
        settings.verbose = text[0] != '\0' && text[0] != '0';
    }
    return settings;
}

std::string SeedText(std::uint64_t seed) {
    char text[24];
    std::snprintf(text, sizeof(text), "0x%llX", static_cast<unsigned long long>(seed));
    return text;
}

std::uint64_t IterationSeed(std::uint64_t seed, std::uint32_t iteration) {
    std::uint64_t z = seed + 0x9E3779B97F4A7C15ull * (std::uint64_t{iteration} + 1);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

std::uint32_t Below(StormRng& rng, std::uint32_t bound) {
    return bound == 0 ? 0 : static_cast<std::uint32_t>(rng() % bound);
}

const char* FaultName(DWORD kind) {
    return kind < std::size(kFaultNames) ? kFaultNames[kind] : "?";
}

std::string HexText(DWORD value) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%X", static_cast<unsigned>(value));
    return text;
}

StormWatchdog::StormWatchdog(std::uint64_t seed) : m_seed(seed), m_thread([this] { Watch(); }) {}

StormWatchdog::~StormWatchdog() {
    {
        std::lock_guard lock(m_mutex);
        m_done = true;
    }
    m_wake.notify_all();
    m_thread.join();
}

void StormWatchdog::Watch() {
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

}  // namespace testing_support
