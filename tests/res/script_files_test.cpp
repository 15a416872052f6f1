// The files a resource script names: bitmaps with the table's own pixels,
// icons of the table's size, and an animation of the table's frame count
// that the system's animation control can play.
#include "tests/res/riff_chunks.h"
#include "tools/rcgen/animation_file.h"
#include "tools/rcgen/dib.h"
#include "tools/rcgen/image_files.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t At32(const Bytes& bytes, std::size_t offset) {
    return riff::Word32(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), offset);
}

std::uint16_t At16(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | bytes.at(offset + 1) << 8);
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count) {
    return {bytes.begin() + static_cast<std::ptrdiff_t>(offset),
            bytes.begin() + static_cast<std::ptrdiff_t>(offset + count)};
}

TEST(ScriptFiles, A4BitBitmapKeepsItsPixelsRowsFromTheBottomInTheSystemColours) {
    // 5 by 3 pixels: 4 bytes a row in the table (16-bit aligned) and in the
    // file (32-bit aligned); every row differs, and the last one is short.
    const BYTE bits[] = {0x01, 0x23, 0x40, 0x00, 0x56, 0x78, 0x90, 0x00, 0xAB};
    const Bytes file = rcgen::BitmapFile({600, 5, 3, 4, bits});
    constexpr std::size_t kBits = 14 + 40 + 16 * 4;
    ASSERT_EQ(file.size(), kBits + 3 * 4);
    EXPECT_EQ(Slice(file, 0, 2), Bytes({'B', 'M'}));
    EXPECT_EQ(At32(file, 2), file.size());
    EXPECT_EQ(At32(file, 10), kBits);
    EXPECT_EQ(At32(file, 18), 5u);   // width
    EXPECT_EQ(At32(file, 22), 3u);   // height: rows from the bottom
    EXPECT_EQ(At16(file, 28), 4u);   // bits per pixel
    EXPECT_EQ(At32(file, 46), 16u);  // colours
    // The palette (blue, green, red, 0): the tables' light grey face and dark grey.
    EXPECT_EQ(Slice(file, 54 + 7 * 4, 8), Bytes({192, 192, 192, 0, 128, 128, 128, 0}));
    EXPECT_EQ(Slice(file, 54 + 12 * 4, 4), Bytes({255, 0, 0, 0}));  // blue
    EXPECT_EQ(Slice(file, kBits, 12), Bytes({0xAB, 0, 0, 0, 0x56, 0x78, 0x90, 0x00, 0x01, 0x23, 0x40, 0x00}));
}

TEST(ScriptFiles, A1BitBitmapIsBlackAndWhiteWithItsRowsPaddedToFourBytes) {
    // 10 by 2 pixels: 2 bytes a row in the table, 4 in the file.
    const BYTE bits[] = {0b10110011, 0b01000000, 0b01001100, 0b10000000};
    const Bytes file = rcgen::BitmapFile({601, 10, 2, 1, bits});
    constexpr std::size_t kBits = 14 + 40 + 2 * 4;
    ASSERT_EQ(file.size(), kBits + 2 * 4);
    EXPECT_EQ(Slice(file, 54, 8), Bytes({0, 0, 0, 0, 255, 255, 255, 0}));
    EXPECT_EQ(Slice(file, kBits, 8), Bytes({0b01001100, 0b10000000, 0, 0, 0b10110011, 0b01000000, 0, 0}));
}

TEST(ScriptFiles, AnIconIsOne32BitImageOfItsSizeOpaqueInTheMiddleOnly) {
    for (const int size : {16, 32, 256}) {
        SCOPED_TRACE(size);
        const Bytes file = rcgen::IconFile({700, size, size});
        const auto side = static_cast<std::size_t>(size);
        const std::size_t maskStride = ((side + 31) / 32) * 4;
        EXPECT_EQ(Slice(file, 0, 6), Bytes({0, 0, 1, 0, 1, 0}));  // an icon of one image
        EXPECT_EQ(file[6], size % 256);                           // 256 is written as 0
        EXPECT_EQ(file[7], size % 256);
        EXPECT_EQ(At16(file, 12), 32u);
        const std::uint32_t imageSize = At32(file, 14);
        const std::uint32_t offset = At32(file, 18);
        ASSERT_EQ(offset + imageSize, file.size());
        EXPECT_EQ(At32(file, offset + 4), side);
        EXPECT_EQ(At32(file, offset + 8), 2 * side);  // the colour rows and the mask's
        EXPECT_EQ(imageSize, 40 + side * side * 4 + maskStride * side);
        const std::size_t colours = offset + 40;
        const std::size_t mask = colours + side * side * 4;
        const auto alpha = [&](std::size_t x, std::size_t y) { return file[colours + (y * side + x) * 4 + 3]; };
        const auto masked = [&](std::size_t x, std::size_t y) { return (file[mask + y * maskStride + x / 8] >> (7 - x % 8) & 1) != 0; };
        EXPECT_EQ(alpha(0, 0), 0);  // a corner
        EXPECT_TRUE(masked(0, 0));
        EXPECT_EQ(alpha(side / 2, side / 2), 255);  // the middle
        EXPECT_FALSE(masked(side / 2, side / 2));
    }
}

TEST(ScriptFiles, AnAnimationHasTheTablesFramesEachIndexedAndMoving) {
    for (const UINT frames : {1u, 16u}) {
        SCOPED_TRACE(frames);
        const Bytes file = rcgen::AnimationFile({6006, frames});
        const std::string_view bytes(reinterpret_cast<const char*>(file.data()), file.size());
        const std::vector<riff::Chunk> top = riff::Chunks(bytes);
        ASSERT_EQ(top.size(), 1u);
        EXPECT_EQ(top[0].data.size() + 8, file.size()) << "the RIFF size covers the whole file";
        const auto clip = riff::List(top, "AVI ");
        ASSERT_TRUE(clip.has_value());
        const std::vector<riff::Chunk> parts = riff::Chunks(*clip);
        const auto headers = riff::List(parts, "hdrl");
        const auto movie = riff::List(parts, "movi");
        const auto index = riff::Find(parts, "idx1");
        ASSERT_TRUE(headers && movie && index);
        const auto mainHeader = riff::Find(riff::Chunks(*headers), "avih");
        const auto streams = riff::List(riff::Chunks(*headers), "strl");
        ASSERT_TRUE(mainHeader && streams);
        const auto streamHeader = riff::Find(riff::Chunks(*streams), "strh");
        const auto format = riff::Find(riff::Chunks(*streams), "strf");
        ASSERT_TRUE(streamHeader && format);
        EXPECT_EQ(riff::Word32(*mainHeader, 16), frames);
        EXPECT_EQ(streamHeader->substr(0, 8), "vidsDIB ");
        EXPECT_EQ(riff::Word32(*streamHeader, 32), frames);
        const std::uint32_t width = riff::Word32(*format, 4);
        const std::uint32_t height = riff::Word32(*format, 8);
        EXPECT_EQ(width, riff::Word32(*mainHeader, 32));
        EXPECT_EQ(riff::Word32(*format, 16), 0u) << "uncompressed";
        const std::vector<riff::Chunk> pictures = riff::Chunks(*movie);
        ASSERT_EQ(pictures.size(), frames);
        ASSERT_EQ(index->size(), 16 * frames);
        // Each index entry points at its frame's chunk, counted from the
        // movie list's type.
        const std::size_t moviType = static_cast<std::size_t>(movie->data() - bytes.data()) - 4;
        std::set<std::string_view> seen;
        for (std::uint32_t frame = 0; frame < frames; ++frame) {
            EXPECT_EQ(pictures[frame].id, "00db");
            EXPECT_EQ(pictures[frame].data.size(), width * height);
            EXPECT_EQ(index->substr(16 * frame, 4), "00db");
            const std::uint32_t offset = riff::Word32(*index, 16 * frame + 8);
            EXPECT_EQ(bytes.data() + moviType + offset + 8, pictures[frame].data.data());
            EXPECT_EQ(riff::Word32(*index, 16 * frame + 12), width * height);
            seen.insert(pictures[frame].data);
        }
        EXPECT_EQ(seen.size(), frames) << "every frame differs from the others";
    }
}

}  // namespace
