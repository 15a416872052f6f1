// Waiting in a test for another thread to do its part.
#pragma once

#include <chrono>
#include <thread>

namespace testing_support {

// Yields while the condition holds, for at most a minute of wall time: the
// wait ends as soon as the other thread has done its part, yet it outlasts a
// machine so loaded that a count of turns would run out first. The caller's
// next check reports a wait that timed out.
template <typename Condition>
void YieldWhile(Condition condition) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (condition() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::yield();
    }
}

}  // namespace testing_support
