// What the pauses of a program cost on the real clock.
#pragma once

#include <cstdint>

namespace platform {

// The sum of every Sleep on the real clock, over all threads, since the
// process began: what a program's fixed pauses cost in wall time.
std::uint64_t RealSleptMilliseconds();

}  // namespace platform
