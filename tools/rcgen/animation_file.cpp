#include "tools/rcgen/animation_file.h"

#include "tools/rcgen/byte_writer.h"
#include "tools/rcgen/dib.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace rcgen {
namespace {

constexpr std::int32_t kWidth = 96;
constexpr std::int32_t kHeight = 32;
constexpr std::size_t kStride = DibStride(kWidth, 8);
constexpr std::uint32_t kFrameBytes = static_cast<std::uint32_t>(kStride * kHeight);
constexpr std::uint32_t kFramesPerSecond = 10;
constexpr std::uint32_t kHasIndex = 0x10;  // AVIF_HASINDEX
constexpr std::uint32_t kKeyFrame = 0x10;  // AVIIF_KEYFRAME

// Palette indexes (the system's colours).
constexpr std::uint8_t kBlack = 0, kDarkBlue = 4, kFace = 7, kDarkGrey = 8, kRed = 9, kGreen = 10;

// One frame's pixels, rows from the top.
class Frame {
public:
    Frame() : pixels_(kFrameBytes, kFace) {}

    void Fill(int left, int top, int right, int bottom, std::uint8_t colour) {
        for (int y = top; y <= bottom; ++y) {
            for (int x = left; x <= right; ++x) {
                pixels_[static_cast<std::size_t>(y) * kStride + static_cast<std::size_t>(x)] = colour;
            }
        }
    }

    // The rows from the bottom, as the file holds them.
    std::vector<std::uint8_t> FileRows() const {
        std::vector<std::uint8_t> rows;
        rows.reserve(pixels_.size());
        for (std::int32_t y = kHeight - 1; y >= 0; --y) {
            const auto row = pixels_.begin() + static_cast<std::ptrdiff_t>(static_cast<std::size_t>(y) * kStride);
            rows.insert(rows.end(), row, row + static_cast<std::ptrdiff_t>(kStride));
        }
        return rows;
    }

private:
    std::vector<std::uint8_t> pixels_;
};

// The computer (a screen on its stand) at the left, the emulator (a box
// with a green lamp) at the right, the cable between them, and the dot at
// its place for the frame.
Frame DrawFrame(std::uint32_t frame, std::uint32_t frames) {
    Frame picture;
    picture.Fill(4, 6, 27, 21, kDarkGrey);
    picture.Fill(6, 8, 25, 19, kDarkBlue);
    picture.Fill(12, 22, 19, 25, kDarkGrey);
    picture.Fill(68, 10, 91, 21, kDarkGrey);
    picture.Fill(86, 12, 88, 13, kGreen);
    picture.Fill(28, 16, 67, 16, kBlack);
    constexpr int kStart = 29, kEnd = 63;
    const int x = kStart + (frames > 1 ? static_cast<int>(frame * (kEnd - kStart) / (frames - 1)) : 0);
    picture.Fill(x, 14, x + 3, 18, kRed);
    return picture;
}

// A chunk's header with its size to come; EndChunk writes the size.
std::size_t BeginChunk(ByteWriter& out, std::string_view id) {
    out.FourCc(id);
    const std::size_t sizeAt = out.Size();
    out.U32(0);
    return sizeAt;
}

std::size_t BeginList(ByteWriter& out, std::string_view list, std::string_view type) {
    const std::size_t sizeAt = BeginChunk(out, list);
    out.FourCc(type);
    return sizeAt;
}

void EndChunk(ByteWriter& out, std::size_t sizeAt) {
    out.PatchU32(sizeAt, static_cast<std::uint32_t>(out.Size() - sizeAt - 4));
}

}  // namespace

std::vector<std::uint8_t> AnimationFile(const platform::AnimationResource& animation) {
    const std::uint32_t frames = animation.frames;
    if (frames == 0) {
        throw std::invalid_argument("animation " + std::to_string(animation.id) + " has no frames");
    }
    constexpr std::uint32_t kColours = 16;
    ByteWriter out;
    const std::size_t riff = BeginList(out, "RIFF", "AVI ");
    const std::size_t headers = BeginList(out, "LIST", "hdrl");

    const std::size_t mainHeader = BeginChunk(out, "avih");
    out.U32(1000000 / kFramesPerSecond);  // microseconds a frame
    out.U32(kFrameBytes * kFramesPerSecond);
    out.U32(0);  // no padding granularity
    out.U32(kHasIndex);
    out.U32(frames);
    out.U32(0);  // initial frames
    out.U32(1);  // streams
    out.U32(kFrameBytes);
    out.I32(kWidth);
    out.I32(kHeight);
    for (int reserved = 0; reserved < 4; ++reserved) {
        out.U32(0);
    }
    EndChunk(out, mainHeader);

    const std::size_t streamList = BeginList(out, "LIST", "strl");
    const std::size_t streamHeader = BeginChunk(out, "strh");
    out.FourCc("vids");
    out.FourCc("DIB ");  // uncompressed
    out.U32(0);          // flags
    out.U16(0);          // priority
    out.U16(0);          // language
    out.U32(0);          // initial frames
    out.U32(1);          // scale: the rate is in frames a second
    out.U32(kFramesPerSecond);
    out.U32(0);  // start
    out.U32(frames);
    out.U32(kFrameBytes);
    out.U32(0xFFFFFFFF);  // the default quality
    out.U32(0);           // sample size: frames vary
    out.U16(0);           // the frame's rectangle
    out.U16(0);
    out.U16(static_cast<std::uint16_t>(kWidth));
    out.U16(static_cast<std::uint16_t>(kHeight));
    EndChunk(out, streamHeader);
    const std::size_t format = BeginChunk(out, "strf");
    WriteInfoHeader(out, kWidth, kHeight, 8, kFrameBytes, kColours);
    WritePalette(out, kColours);
    EndChunk(out, format);
    EndChunk(out, streamList);
    EndChunk(out, headers);

    const std::size_t movie = BeginList(out, "LIST", "movi");
    const std::size_t movieStart = movie + 4;  // the index counts from the list's type
    std::vector<std::uint32_t> offsets;
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        offsets.push_back(static_cast<std::uint32_t>(out.Size() - movieStart));
        const std::size_t chunk = BeginChunk(out, "00db");
        out.Append(DrawFrame(frame, frames).FileRows());
        EndChunk(out, chunk);
    }
    EndChunk(out, movie);

    const std::size_t index = BeginChunk(out, "idx1");
    for (const std::uint32_t offset : offsets) {
        out.FourCc("00db");
        out.U32(kKeyFrame);
        out.U32(offset);
        out.U32(kFrameBytes);
    }
    EndChunk(out, index);
    EndChunk(out, riff);
    return out.Bytes();
}

}  // namespace rcgen
