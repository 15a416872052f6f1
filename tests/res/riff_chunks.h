// The chunks of a RIFF file (an .avi clip): a four-character id, a 32-bit
// little-endian size, the data padded to an even length. A list's data
// starts with its type ("hdrl", "movi").
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace riff {

struct Chunk {
    std::string_view id;
    std::string_view data;
};

// The 32-bit little-endian value at offset, 0 past the end.
inline std::uint32_t Word32(std::string_view data, std::size_t offset) {
    if (offset + 4 > data.size()) {
        return 0;
    }
    std::uint32_t value = 0;
    for (int byte = 3; byte >= 0; --byte) {
        value = value << 8 | static_cast<unsigned char>(data[offset + static_cast<std::size_t>(byte)]);
    }
    return value;
}

// The chunks one after the other; a chunk whose size runs past the end ends
// the list.
inline std::vector<Chunk> Chunks(std::string_view bytes) {
    std::vector<Chunk> chunks;
    std::size_t at = 0;
    while (at + 8 <= bytes.size()) {
        const std::uint32_t size = Word32(bytes, at + 4);
        if (size > bytes.size() - at - 8) {
            break;
        }
        chunks.push_back({bytes.substr(at, 4), bytes.substr(at + 8, size)});
        at += 8 + size + (size & 1);
    }
    return chunks;
}

// The contents, after the type, of the list (or RIFF file) of that type.
inline std::optional<std::string_view> List(const std::vector<Chunk>& chunks, std::string_view type) {
    for (const Chunk& chunk : chunks) {
        if ((chunk.id == "LIST" || chunk.id == "RIFF") && chunk.data.substr(0, 4) == type) {
            return chunk.data.substr(4);
        }
    }
    return std::nullopt;
}

// The data of the first chunk with that id.
inline std::optional<std::string_view> Find(const std::vector<Chunk>& chunks, std::string_view id) {
    for (const Chunk& chunk : chunks) {
        if (chunk.id == id) {
            return chunk.data;
        }
    }
    return std::nullopt;
}

}  // namespace riff
