// The extended search: Horspool's search over target bytes that a reader
// supplies one at a time, comparing the pattern from its last byte down;
// the memory handler's reader takes them from the three blocks of 2,048
// bytes it read last, and reads a new block where none holds the byte.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>
#include <functional>

// The search's answer when the pattern is not there.
inline constexpr HRESULT kSearchNotFound = static_cast<HRESULT>(0x80042021);
// The extended search's answer when a block could not be read: the search
// found nothing out, and its caller reports the read.
inline constexpr HRESULT kSearchUnread = E_FAIL;

// Reads the byte at an address; false ends the search.
using SearchByteReader = std::function<bool(std::uint64_t address, BYTE* value)>;

struct SearchOutcome {
    bool found = false;
    DWORD address = 0;
    bool stopped = false;  // the reader ended the search
};

// The first place in [start, end] where the pattern's length bytes lie.
SearchOutcome HorspoolSearch(DWORD start, DWORD end, const BYTE* pattern, DWORD length,
                             const SearchByteReader& readByte);

// Reads count bytes of the target from first into bytes; false when no
// reply came.
using SearchBlockReader = std::function<bool(DWORD first, DWORD count, BYTE* bytes)>;

// The block size and the blocks kept.
inline constexpr DWORD kSearchBlockSize = 2048;
inline constexpr std::size_t kSearchBlocksKept = 3;

// The extended search of [start, end] for the pattern: the range checked
// (kRangeRefused), then Horspool's search over the target's bytes, read in
// blocks through readBlock. S_OK with the found address, kSearchNotFound
// when the pattern is not there, kSearchUnread when a block could not be
// read.
HRESULT SearchMemoryInBlocks(DWORD start, DWORD end, const BYTE* pattern, DWORD length,
                             const SearchBlockReader& readBlock, DWORD* found);
