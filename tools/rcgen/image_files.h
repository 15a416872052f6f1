// The files a resource script names for a table's bitmaps and icons.
#pragma once

#include "platform/resources.h"

#include <cstdint>
#include <vector>

namespace rcgen {

// A .bmp file of the bitmap's own bits: 1 bit per pixel in black and white,
// 4 in the system's 16 colours, or 24 and 32 without a palette. Throws
// std::invalid_argument for another depth or an empty size. Bits the table
// leaves out are 0, as the layer's LoadBitmapA reads them.
std::vector<std::uint8_t> BitmapFile(const platform::BitmapResource& bitmap);

// A .ico file with one 32-bit image of the icon's size (1 to 256 pixels a
// side): a blue disc with a white ring, transparent around it. Throws
// std::invalid_argument for a size outside that.
std::vector<std::uint8_t> IconFile(const platform::IconResource& icon);

}  // namespace rcgen
