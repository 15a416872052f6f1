#include "tools/rcgen/image_files.h"

#include "tools/rcgen/byte_writer.h"
#include "tools/rcgen/dib.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace rcgen {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;

bool HasFileForm(WORD bitsPerPixel) {
    return bitsPerPixel == 1 || bitsPerPixel == 4 || bitsPerPixel == 24 || bitsPerPixel == 32;
}

}  // namespace

std::vector<std::uint8_t> BitmapFile(const platform::BitmapResource& bitmap) {
    const std::string name = "bitmap " + std::to_string(bitmap.id);
    if (!HasFileForm(bitmap.bitsPerPixel)) {
        throw std::invalid_argument(name + ": " + std::to_string(bitmap.bitsPerPixel) +
                                    " bits per pixel have no bitmap file here (1, 4, 24 or 32)");
    }
    if (bitmap.width <= 0 || bitmap.height <= 0) {
        throw std::invalid_argument(name + " has no pixels");
    }
    const int depth = bitmap.bitsPerPixel;
    // The table's rows are 16-bit aligned from the top; the file's are
    // 32-bit aligned from the bottom.
    const std::size_t tableStride = ((static_cast<std::size_t>(bitmap.width) * depth + 15) / 16) * 2;
    const std::size_t fileStride = DibStride(bitmap.width, depth);
    const auto rows = static_cast<std::size_t>(bitmap.height);
    const std::size_t colours = depth <= 8 ? std::size_t{1} << depth : 0;
    const auto imageSize = static_cast<std::uint32_t>(fileStride * rows);
    const auto bitsOffset = static_cast<std::uint32_t>(kFileHeaderSize + kInfoHeaderSize + colours * 4);

    ByteWriter out;
    out.FourCc("BM");
    out.U32(bitsOffset + imageSize);
    out.U32(0);  // two reserved words
    out.U32(bitsOffset);
    WriteInfoHeader(out, bitmap.width, bitmap.height, bitmap.bitsPerPixel, imageSize,
                    static_cast<std::uint32_t>(colours));
    WritePalette(out, colours);
    std::vector<std::uint8_t> bits(imageSize, 0);
    for (std::size_t row = 0; row < rows; ++row) {
        const std::size_t from = row * tableStride;
        if (from >= bitmap.bits.size()) {
            break;
        }
        const std::size_t count = std::min({tableStride, fileStride, bitmap.bits.size() - from});
        std::copy_n(bitmap.bits.begin() + static_cast<std::ptrdiff_t>(from), count,
                    bits.begin() + static_cast<std::ptrdiff_t>((rows - 1 - row) * fileStride));
    }
    out.Append(bits);
    return out.Bytes();
}

std::vector<std::uint8_t> IconFile(const platform::IconResource& icon) {
    if (icon.width < 1 || icon.width > 256 || icon.height < 1 || icon.height > 256) {
        throw std::invalid_argument("icon " + std::to_string(icon.id) + ": " + std::to_string(icon.width) + " by " +
                                    std::to_string(icon.height) + " pixels (1 to 256 a side)");
    }
    const int width = icon.width;
    const int height = icon.height;
    const std::size_t colourStride = DibStride(width, 32);  // four bytes a pixel: never padded
    const std::size_t maskStride = DibStride(width, 1);
    const auto imageSize = static_cast<std::uint32_t>((colourStride + maskStride) * static_cast<std::size_t>(height));
    constexpr std::uint32_t kDirectorySize = 6 + 16;

    ByteWriter out;
    out.U16(0);  // reserved
    out.U16(1);  // an icon
    out.U16(1);  // one image
    out.U8(static_cast<std::uint8_t>(width));  // 256 is written as 0
    out.U8(static_cast<std::uint8_t>(height));
    out.U8(0);  // no palette
    out.U8(0);
    out.U16(1);   // planes
    out.U16(32);  // bits per pixel
    out.U32(kInfoHeaderSize + imageSize);
    out.U32(kDirectorySize);
    // The image's height counts the colour rows and the mask's.
    WriteInfoHeader(out, width, 2 * height, 32, imageSize, 0);

    // Twice the distance from the centre, squared, against twice the radius.
    const int diameter = std::min(width, height);
    const auto inside = [&](int x, int y, int radius2) {
        const int dx = 2 * x + 1 - width;
        const int dy = 2 * y + 1 - height;
        return dx * dx + dy * dy <= radius2 * radius2;
    };
    const int outer = diameter;
    const int ring = diameter * 3 / 4;
    const int core = diameter / 2;
    std::vector<std::uint8_t> mask(maskStride * static_cast<std::size_t>(height), 0);
    for (int fileRow = 0; fileRow < height; ++fileRow) {
        const int y = height - 1 - fileRow;
        for (int x = 0; x < width; ++x) {
            Rgb colour{0, 0, 0};
            std::uint8_t alpha = 255;
            if (!inside(x, y, outer)) {
                alpha = 0;
                mask[static_cast<std::size_t>(fileRow) * maskStride + static_cast<std::size_t>(x) / 8] |=
                    static_cast<std::uint8_t>(0x80 >> (x % 8));
            } else if (inside(x, y, ring) && !inside(x, y, core)) {
                colour = kSystemPalette[15];  // the white ring
            } else {
                colour = kSystemPalette[12];  // blue
            }
            out.U8(alpha == 0 ? 0 : colour.blue);
            out.U8(alpha == 0 ? 0 : colour.green);
            out.U8(alpha == 0 ? 0 : colour.red);
            out.U8(alpha);
        }
    }
    out.Append(mask);
    return out.Bytes();
}

}  // namespace rcgen
