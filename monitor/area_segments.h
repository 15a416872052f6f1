// A target range cut into consecutive segments at the device's reserved
// areas: the emulator's areas (ASE1, except when the connect mode only
// programs the flash; ASE2; FIRM) as kind "FM", the internal I/O areas
// (IIO1, IIO2) as "IO", the data flash (DATF) as "EE", and what lies
// between them as kind 0. At most nine segments, then an end entry whose
// start is the first address the list did not reach (end + 1 when it
// covers the whole range). That address does not fit 32 bits after a range
// that ends at the top of the address space, where it reads 0: a walker
// goes on from its last segment's end + 1, counted in 64 bits.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>

namespace area_kind {
inline constexpr WORD kPlain = 0;
inline constexpr WORD kFlash = 0x464D;     // "FM"
inline constexpr WORD kIo = 0x494F;        // "IO"
inline constexpr WORD kDataFlash = 0x4545; // "EE"
inline constexpr WORD kMonitor = 0x4D4F;   // "MO": the monitor's own area
inline constexpr WORD kControl = 0x4354;   // "CT"
inline constexpr WORD kEnd = 0xFFFF;
}  // namespace area_kind

struct AreaSegment {
    WORD kind = area_kind::kEnd;
    DWORD start = 0;
    DWORD end = 0;
};

inline constexpr std::size_t kMaxAreaSegments = 9;
using AreaSegments = std::array<AreaSegment, kMaxAreaSegments + 1>;

// The segments of [start, end] (none when start > end).
AreaSegments SplitIntoAreaSegments(DWORD start, DWORD end);
