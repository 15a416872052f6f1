// Bitmap files for tests: a small well-formed one, and ways to spoil it.
#pragma once

#include <cstdint>
#include <string>

namespace test_bitmaps {

// A 2 x 2 bitmap of 24 bits per pixel with the usual 40-byte header.
inline std::string SmallBitmap() {
    const auto little = [](std::uint32_t value, int bytes) {
        std::string out;
        for (int i = 0; i < bytes; ++i) {
            out += static_cast<char>((value >> (8 * i)) & 0xFF);
        }
        return out;
    };
    const std::uint32_t rowBytes = 8;  // 2 pixels * 3 bytes, padded to 4
    const std::uint32_t pixels = 14 + 40;
    std::string file = "BM" + little(pixels + 2 * rowBytes, 4) + little(0, 4) + little(pixels, 4);
    file += little(40, 4) + little(2, 4) + little(2, 4) + little(1, 2) + little(24, 2) + little(0, 4) +
            little(2 * rowBytes, 4) + little(2835, 4) + little(2835, 4) + little(0, 4) + little(0, 4);
    file += std::string(2 * rowBytes, '\x7F');
    return file;
}

}  // namespace test_bitmaps
