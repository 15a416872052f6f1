#include "platform/files.h"

namespace {

constexpr std::int64_t kSecondsFrom1601To1970 = 11'644'473'600;
constexpr std::uint64_t kTicksPerSecond = 10'000'000;

}  // namespace

namespace platform {

FILETIME UnixSecondsToFileTime(std::int64_t seconds, std::uint32_t nanoseconds) {
    const std::uint64_t ticks =
        static_cast<std::uint64_t>(seconds + kSecondsFrom1601To1970) * kTicksPerSecond + nanoseconds / 100u;
    FILETIME time;
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return time;
}

std::int64_t FileTimeToUnixSeconds(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
}

}  // namespace platform
