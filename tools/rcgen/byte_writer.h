// Little-endian fields appended to a byte buffer: the layouts of bitmap,
// icon and animation files are written field by field.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace rcgen {

class ByteWriter {
public:
    void U8(std::uint8_t value) { bytes_.push_back(value); }
    void U16(std::uint16_t value) {
        U8(static_cast<std::uint8_t>(value));
        U8(static_cast<std::uint8_t>(value >> 8));
    }
    void U32(std::uint32_t value) {
        U16(static_cast<std::uint16_t>(value));
        U16(static_cast<std::uint16_t>(value >> 16));
    }
    void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
    // Four characters of a file's chunk and type names ("RIFF", "avih").
    void FourCc(std::string_view code) {
        for (const char c : code.substr(0, 4)) {
            U8(static_cast<std::uint8_t>(c));
        }
    }
    void Append(const std::vector<std::uint8_t>& more) { bytes_.insert(bytes_.end(), more.begin(), more.end()); }

    // Writes a 32-bit value over four bytes already written at offset (a
    // chunk's size, known once its contents are written).
    void PatchU32(std::size_t offset, std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_[offset++] = static_cast<std::uint8_t>(value >> shift);
        }
    }

    std::size_t Size() const { return bytes_.size(); }
    const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace rcgen
