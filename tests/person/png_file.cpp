#include "tests/person/png_file.h"

#ifdef _WIN32

#include <array>
#include <fstream>
#include <set>

namespace persontest {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0xFFFFFFFFu) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> entries{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k) {
                c = (c & 1u) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            }
            entries[n] = c;
        }
        return entries;
    }();
    for (std::size_t i = 0; i < size; ++i) {
        crc = table[(crc ^ data[i]) & 0xFFu] ^ (crc >> 8);
    }
    return crc;
}

std::uint32_t Adler32(const Bytes& data) {
    std::uint32_t a = 1;
    std::uint32_t b = 0;
    for (const std::uint8_t byte : data) {
        a = (a + byte) % 65521u;
        b = (b + a) % 65521u;
    }
    return (b << 16) | a;
}

void PutBig32(Bytes& out, std::uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8) {
        out.push_back(static_cast<std::uint8_t>(value >> shift));
    }
}

void PutChunk(Bytes& out, const char* type, const Bytes& data) {
    PutBig32(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    PutBig32(out, Crc32(out.data() + start, out.size() - start) ^ 0xFFFFFFFFu);
}

// A zlib stream of stored (uncompressed) deflate blocks.
Bytes Stored(const Bytes& raw) {
    constexpr std::size_t kBlock = 65535;
    Bytes out = {0x78, 0x01};
    std::size_t at = 0;
    do {
        const std::size_t size = std::min(kBlock, raw.size() - at);
        const bool last = at + size == raw.size();
        out.push_back(last ? 1 : 0);
        out.push_back(static_cast<std::uint8_t>(size));
        out.push_back(static_cast<std::uint8_t>(size >> 8));
        out.push_back(static_cast<std::uint8_t>(~size));
        out.push_back(static_cast<std::uint8_t>(~size >> 8));
        out.insert(out.end(), raw.begin() + static_cast<std::ptrdiff_t>(at),
                   raw.begin() + static_cast<std::ptrdiff_t>(at + size));
        at += size;
    } while (at < raw.size());
    PutBig32(out, Adler32(raw));
    return out;
}

}  // namespace

Picture CaptureWindow(HWND window) {
    RECT rect{};
    if (::GetWindowRect(window, &rect) == FALSE || rect.right <= rect.left || rect.bottom <= rect.top) {
        return {};
    }
    Picture picture;
    picture.width = rect.right - rect.left;
    picture.height = rect.bottom - rect.top;
    const HDC screen = ::GetDC(nullptr);
    const HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof(format.bmiHeader);
    format.bmiHeader.biWidth = picture.width;
    format.bmiHeader.biHeight = -picture.height;  // top-down
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const HBITMAP bitmap = ::CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap != nullptr) {
        const HGDIOBJ previous = ::SelectObject(memory, bitmap);
        ::BitBlt(memory, 0, 0, picture.width, picture.height, screen, rect.left, rect.top, SRCCOPY);
        ::GdiFlush();
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        picture.pixels.assign(pixels, pixels + static_cast<std::size_t>(picture.width) * picture.height);
        for (std::uint32_t& pixel : picture.pixels) {
            pixel &= 0x00FFFFFFu;
        }
        ::SelectObject(memory, previous);
        ::DeleteObject(bitmap);
    }
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return bitmap != nullptr ? picture : Picture{};
}

std::string BlankReason(const Picture& picture) {
    const auto colours = [&picture](int left, int top, int right, int bottom) {
        std::set<std::uint32_t> seen;
        for (int y = top; y < bottom; ++y) {
            for (int x = left; x < right; ++x) {
                seen.insert(picture.pixels[static_cast<std::size_t>(y) * picture.width + x]);
            }
        }
        return seen.size();
    };
    if (picture.width == 0 || colours(0, 0, picture.width, picture.height) < 2) {
        return "is of one colour";
    }
    // Inside the frame and the caption: the dialog's own controls.
    const int inset = std::min(picture.width, picture.height) / 8;
    if (colours(inset, inset + 24 < picture.height ? inset + 24 : inset, picture.width - inset,
                picture.height - inset) < 2) {
        return "shows nothing inside its frame";
    }
    return {};
}

bool WritePng(const Picture& picture, const std::string& path) {
    Bytes header;
    PutBig32(header, static_cast<std::uint32_t>(picture.width));
    PutBig32(header, static_cast<std::uint32_t>(picture.height));
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8 bits, RGB, deflate, no filter, no interlace
    Bytes raw;
    raw.reserve(static_cast<std::size_t>(picture.height) * (1 + 3 * static_cast<std::size_t>(picture.width)));
    for (int y = 0; y < picture.height; ++y) {
        raw.push_back(0);  // the row's filter: none
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t pixel = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            raw.push_back(static_cast<std::uint8_t>(pixel >> 16));
            raw.push_back(static_cast<std::uint8_t>(pixel >> 8));
            raw.push_back(static_cast<std::uint8_t>(pixel));
        }
    }
    Bytes file = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    PutChunk(file, "IHDR", header);
    PutChunk(file, "IDAT", Stored(raw));
    PutChunk(file, "IEND", {});
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    return static_cast<bool>(out);
}

}  // namespace persontest

#endif  // _WIN32
