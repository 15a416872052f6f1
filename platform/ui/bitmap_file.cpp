// LoadImageA: bitmaps and icons from resources, and bitmaps from .bmp files.
#include "platform/crt.h"
#include "platform/ui/gdi_table.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

namespace {

std::uint32_t Little32(const BYTE* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

std::uint16_t Little16(const BYTE* bytes) {
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::vector<BYTE> ReadWholeFile(LPCSTR path) {
    std::vector<BYTE> bytes;
    const std::unique_ptr<FILE, int (*)(FILE*)> file(_fsopen(path, "rb", _SH_DENYNO), &std::fclose);
    if (file == nullptr) {
        return bytes;
    }
    BYTE chunk[4096];
    std::size_t count = 0;
    while ((count = std::fread(chunk, 1, sizeof(chunk), file.get())) > 0) {
        bytes.insert(bytes.end(), chunk, chunk + count);
    }
    return bytes;
}

// An uncompressed Windows bitmap file (BITMAPFILEHEADER, BITMAPINFOHEADER,
// palette, rows from the bottom padded to four bytes) as a bitmap; null when
// the file is missing or not such a bitmap.
HBITMAP BitmapFromFile(LPCSTR path) {
    const std::vector<BYTE> file = ReadWholeFile(path);
    if (file.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return nullptr;
    }
    constexpr std::size_t kFileHeader = 14;
    constexpr std::size_t kInfoHeader = 40;
    if (file.size() < kFileHeader + kInfoHeader || file[0] != 'B' || file[1] != 'M') {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const BYTE* info = file.data() + kFileHeader;
    const std::uint32_t offset = Little32(file.data() + 10);
    const auto width = static_cast<std::int32_t>(Little32(info + 4));
    const auto height = static_cast<std::int32_t>(Little32(info + 8));
    const std::uint16_t bits = Little16(info + 14);
    const std::uint32_t compression = Little32(info + 16);
    const bool topDown = height < 0;
    const int rows = topDown ? -height : height;
    if (width <= 0 || rows == 0 || compression != 0 || (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const std::size_t fileStride = ((static_cast<std::size_t>(width) * bits + 31) / 32) * 4;
    if (offset > file.size() || file.size() - offset < fileStride * static_cast<std::size_t>(rows)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const HBITMAP bitmap = CreateBitmap(width, rows, 1, bits, nullptr);
    std::lock_guard lock(platform::ui::GdiMutex());
    platform::ui::Bitmap* created = platform::ui::FindGdiObject<platform::ui::Bitmap>(bitmap);
    const auto stride = static_cast<std::size_t>(created->WidthBytes());
    const std::size_t copied = std::min(stride, fileStride);
    for (int row = 0; row < rows; ++row) {
        const int fileRow = topDown ? row : rows - 1 - row;
        std::memcpy(created->bits.data() + static_cast<std::size_t>(row) * stride,
                    file.data() + offset + static_cast<std::size_t>(fileRow) * fileStride, copied);
    }
    return bitmap;
}

}  // namespace

HANDLE LoadImageA(HINSTANCE module, LPCSTR name, UINT type, int width, int height, UINT flags) {
    if (type == IMAGE_BITMAP) {
        return (flags & LR_LOADFROMFILE) != 0 ? BitmapFromFile(name) : LoadBitmapA(module, name);
    }
    if (type == IMAGE_ICON && (flags & LR_LOADFROMFILE) == 0) {
        const HICON icon = LoadIconA(module, name);
        if (icon != nullptr && width > 0 && height > 0) {
            std::lock_guard lock(platform::ui::GdiMutex());
            platform::ui::Icon* found = platform::ui::FindGdiObject<platform::ui::Icon>(icon);
            found->width = width;
            found->height = height;
        }
        return icon;
    }
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
}
