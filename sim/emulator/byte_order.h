// Byte-order helpers of the emulator model: frame lengths travel high byte
// first, payload fields low byte first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace simemu {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t ReadBigEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>((bytes[0] << 8) | bytes[1]);
}

inline std::uint16_t ReadLittleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

inline std::uint32_t ReadLittleEndian24(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16);
}

inline std::uint32_t ReadLittleEndian32(const std::uint8_t* bytes) {
    return ReadLittleEndian24(bytes) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

inline void AppendBigEndian16(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value >> 8));
    out.push_back(static_cast<std::uint8_t>(value));
}

inline void AppendLittleEndian(Bytes& out, std::uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

inline void WriteBigEndian16(std::uint8_t* bytes, std::uint32_t value) {
    bytes[0] = static_cast<std::uint8_t>(value >> 8);
    bytes[1] = static_cast<std::uint8_t>(value);
}

inline void WriteLittleEndian(std::uint8_t* bytes, std::uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

}  // namespace simemu
