// What bitmap, icon and animation files share: the system's 16-colour
// palette, row padding and the BITMAPINFOHEADER of an uncompressed bitmap.
#pragma once

#include "tools/rcgen/byte_writer.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace rcgen {

struct Rgb {
    std::uint8_t red, green, blue;
};

// The system's 16 colours in the order a 4-bit bitmap's indexes name them:
// the dark ones, light grey, dark grey, then the bright ones.
inline constexpr std::array<Rgb, 16> kSystemPalette = {{
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0}, {0, 0, 128},   {128, 0, 128},
    {0, 128, 128},   {192, 192, 192}, {128, 128, 128}, {255, 0, 0}, {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
}};

// Bytes of one row of a device-independent bitmap: padded to four.
constexpr std::size_t DibStride(std::int32_t width, int bitsPerPixel) {
    return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32) * 4;
}

constexpr std::uint32_t kInfoHeaderSize = 40;

// A BITMAPINFOHEADER for uncompressed rows from the bottom.
void WriteInfoHeader(ByteWriter& out, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t coloursUsed);

// The first count colours of the system palette as RGBQUADs; two colours
// are black and white, as in a monochrome bitmap.
void WritePalette(ByteWriter& out, std::size_t count);

}  // namespace rcgen
