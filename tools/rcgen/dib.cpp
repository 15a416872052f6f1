#include "tools/rcgen/dib.h"

namespace rcgen {

void WriteInfoHeader(ByteWriter& out, std::int32_t width, std::int32_t height, std::uint16_t bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t coloursUsed) {
    out.U32(kInfoHeaderSize);
    out.I32(width);
    out.I32(height);
    out.U16(1);  // planes
    out.U16(bitsPerPixel);
    out.U32(0);  // BI_RGB
    out.U32(imageSize);
    out.I32(0);  // pixels per metre, either way
    out.I32(0);
    out.U32(coloursUsed);
    out.U32(0);  // all colours important
}

void WritePalette(ByteWriter& out, std::size_t count) {
    for (std::size_t index = 0; index < count; ++index) {
        const Rgb colour = count == 2 ? kSystemPalette[index == 0 ? 0 : 15] : kSystemPalette[index];
        out.U8(colour.blue);
        out.U8(colour.green);
        out.U8(colour.red);
        out.U8(0);
    }
}

}  // namespace rcgen
