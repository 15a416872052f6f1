#include "platform/files.h"

#include "platform/paths.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>

namespace {

std::uint32_t ReadLittleEndian(const unsigned char* bytes, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = count; i > 0; --i) {
        value = (value << 8) | bytes[i - 1];
    }
    return value;
}

// The kind of a Windows image that starts with "MZ": a PE image (32 or 64
// bits by its optional header), a 16-bit Windows image, or DOS.
std::optional<DWORD> WindowsImageType(std::ifstream& file) {
    unsigned char header[64] = {};
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(header), sizeof(header))) {
        return SCS_DOS_BINARY;
    }
    const std::uint32_t next = ReadLittleEndian(header + 0x3C, 4);
    unsigned char signature[26] = {};
    file.seekg(next);
    if (!file.read(reinterpret_cast<char*>(signature), sizeof(signature))) {
        return SCS_DOS_BINARY;
    }
    if (std::memcmp(signature, "PE\0\0", 4) == 0) {
        const std::uint32_t magic = ReadLittleEndian(signature + 24, 2);
        return magic == 0x20B ? SCS_64BIT_BINARY : SCS_32BIT_BINARY;
    }
    if (std::memcmp(signature, "NE", 2) == 0) {
        return SCS_WOW_BINARY;
    }
    return SCS_DOS_BINARY;
}

}  // namespace

BOOL GetBinaryTypeA(LPCSTR fileName, LPDWORD type) {
    const auto native = fileName != nullptr ? platform::ToNativePath(fileName) : std::nullopt;
    const DWORD attributes = fileName != nullptr ? GetFileAttributesA(fileName) : INVALID_FILE_ATTRIBUTES;
    if (!native || attributes == INVALID_FILE_ATTRIBUTES) {
        return FALSE;  // the last error says why
    }
    std::ifstream file(*native, std::ios::binary);
    std::array<unsigned char, 5> magic = {};
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || !file ||
        !file.read(reinterpret_cast<char*>(magic.data()), magic.size())) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return FALSE;
    }
    std::optional<DWORD> kind;
    if (magic[0] == 'M' && magic[1] == 'Z') {
        kind = WindowsImageType(file);
    } else if (std::memcmp(magic.data(), "\x7F" "ELF", 4) == 0) {
        kind = magic[4] == 2 ? SCS_64BIT_BINARY : SCS_32BIT_BINARY;
    }
    if (!kind) {
        SetLastError(ERROR_BAD_EXE_FORMAT);
        return FALSE;
    }
    if (type != nullptr) {
        *type = *kind;
    }
    return TRUE;
}
