// The flash blocks of the flash mirror: the working copy of the device's
// block tables, taken when the mirror is reset, and one dirty and one loaded
// flag per block. A dirty block differs in the mirror from the chip and is
// erased and programmed by the next write-back.
#pragma once

#include "config/device_data.h"

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <map>

// Room for the flags of 24 blocks; with protocol type 1 block 15's flag
// counts even when the device has fewer blocks.
inline constexpr std::size_t kFlashFlagCount = 24;
inline constexpr DWORD kExtraBlock = 15;
static_assert(kFlashTableSize <= kFlashFlagCount, "every block of the tables has its flags");

struct FlashBlockState {
    std::array<DWORD, kFlashTableSize> top{};
    std::array<DWORD, kFlashTableSize> end{};
    DWORD count = 0;  // never more than the tables hold
    std::array<BYTE, kFlashFlagCount> dirty{};
    std::array<BYTE, kFlashFlagCount> loaded{};
    DWORD mirrorState = 0;       // 1 after a reset, else what the run-state monitor set
    DWORD secondMirrorWord = 0;  // cleared by a reset
    // Bytes put back into the mirror alone (CFirmCommand::PutBackByte): by
    // address, the byte the chip still holds there. A write of that byte
    // settles one without a write-back; the next write-back programs the
    // blocks of the others. Cleared with the dirty flags.
    std::map<DWORD, BYTE> chipBytes;
};

extern FlashBlockState g_flashBlocks;
// The mirror holds flash bytes the chip lacks: a dirty block, or a byte put
// back into the mirror alone.
bool MirrorAheadOfChip();
// 1 while a write-back job runs: the memory handler then answers reads with
// 0xFF without touching the emulator.
extern std::atomic<DWORD> g_flashJobActive;
// 1 once a write-back has succeeded.
extern std::atomic<DWORD> g_flashWritten;
