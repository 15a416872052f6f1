#include "platform/shell.h"

#include "platform/paths.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <vector>

namespace platform {
namespace {

std::uint32_t Little(const std::vector<unsigned char>& bytes, std::size_t at, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = (value << 8) | bytes[at + i - 1];
    }
    return value;
}

}  // namespace

// The same rule in both builds (the system's loader takes such a file): the
// file header (14 bytes) and the size of a known information header (the old
// core header of 12 bytes, or one of 40 to 124) are what a bitmap file needs;
// whatever follows is taken as it is.
bool IsLoadableBitmapFile(const char* path) {
    const auto native = path != nullptr ? ToNativePath(path) : std::nullopt;
    if (!native) {
        return false;
    }
    std::ifstream in(*native, std::ios::binary);
    const std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    constexpr std::size_t kFileHeader = 14;
    if (bytes.size() < kFileHeader + 4 || bytes[0] != 'B' || bytes[1] != 'M') {
        return false;
    }
    const std::uint32_t headerSize = Little(bytes, kFileHeader, 4);
    return headerSize == 12 || (headerSize >= 40 && headerSize <= 124);
}

}  // namespace platform
