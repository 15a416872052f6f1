// The flash mirror: the image of the target's flash memory, one byte per
// target address below 1 MiB, 0xFF where erased. The firmware download reads
// the firmware image into it and the flash programming loops program from it.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>

inline constexpr std::size_t kFlashMirrorSize = 0x100000;
extern std::array<BYTE, kFlashMirrorSize> g_flashMirror;

// True when [address, address + count) lies inside the mirror.
constexpr bool InFlashMirror(DWORD address, std::size_t count) {
    return address < kFlashMirrorSize && count <= kFlashMirrorSize - address;
}
