// The family's part numbers that some settings treat apart: the devices that
// do not offer keep-flash connection and the two devices whose firmware sits
// in fixed data-flash blocks.
#pragma once

#include <algorithm>
#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 12> kNoKeepFlashDevices{
    "VK31A04", "VK31A06", "VK31A08", "VK31A12", "VK31B04", "VK31B06",
    "VK31B08", "VK31B12", "VK31C04", "VK31C06", "VK31C08", "VK31C12"};

// Their firmware goes to 0x2000 (block A) or 0x2800 (block B).
inline constexpr std::array<std::string_view, 2> kFixedBlockDevices{"VK31E08", "VK31E12"};
inline constexpr unsigned kFixedBlockAddresses[2] = {0x2000, 0x2800};

template <std::size_t N>
bool IsListedDevice(const std::array<std::string_view, N>& list, std::string_view name) {
    return std::find(list.begin(), list.end(), name) != list.end();
}
