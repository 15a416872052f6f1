// The extended search's matcher: Horspool's search over target bytes that
// a reader supplies one at a time (the memory handler reads them in cached
// blocks), comparing the pattern from its last byte down.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>
#include <functional>
#include <optional>

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
