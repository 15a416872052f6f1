#include "platform/com.h"

#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

// A BSTR points at its characters; the 32-bit byte length sits just before
// them, as on Windows, so code that reads the prefix finds it. The characters
// end with a NUL character (after a NUL byte when the byte length is odd) that
// the length leaves out.
namespace {

constexpr std::size_t kPrefixSize = sizeof(std::uint32_t);

std::size_t TerminatorSize(std::size_t byteLength) {
    return sizeof(OLECHAR) + byteLength % 2;
}

// A new BSTR with byteLength bytes copied from bytes, or zeroed when bytes is null.
BSTR Allocate(const void* bytes, std::size_t byteLength) {
    if (byteLength > std::numeric_limits<std::uint32_t>::max() - kPrefixSize - TerminatorSize(byteLength)) {
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefixSize + byteLength + TerminatorSize(byteLength)));
    if (block == nullptr) {
        return nullptr;
    }
    const auto prefix = static_cast<std::uint32_t>(byteLength);
    std::memcpy(block, &prefix, kPrefixSize);
    unsigned char* text = block + kPrefixSize;
    if (bytes != nullptr) {
        std::memcpy(text, bytes, byteLength);
    } else {
        std::memset(text, 0, byteLength);
    }
    std::memset(text + byteLength, 0, TerminatorSize(byteLength));
    return reinterpret_cast<BSTR>(text);
}

unsigned char* BlockOf(BSTR text) {
    return reinterpret_cast<unsigned char*>(text) - kPrefixSize;
}

}  // namespace

BSTR SysAllocString(const OLECHAR* text) {
    if (text == nullptr) {
        return nullptr;
    }
    return Allocate(text, std::char_traits<OLECHAR>::length(text) * sizeof(OLECHAR));
}

BSTR SysAllocStringLen(const OLECHAR* text, UINT length) {
    return Allocate(text, std::size_t{length} * sizeof(OLECHAR));
}

BSTR SysAllocStringByteLen(LPCSTR bytes, UINT length) {
    return Allocate(bytes, length);
}

void SysFreeString(BSTR text) {
    if (text != nullptr) {
        std::free(BlockOf(text));
    }
}

UINT SysStringByteLen(BSTR text) {
    if (text == nullptr) {
        return 0;
    }
    std::uint32_t prefix = 0;
    std::memcpy(&prefix, BlockOf(text), kPrefixSize);
    return prefix;
}

UINT SysStringLen(BSTR text) {
    return SysStringByteLen(text) / sizeof(OLECHAR);
}
