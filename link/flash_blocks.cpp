#include "link/flash_blocks.h"

#include <algorithm>

FlashBlockState g_flashBlocks;
std::atomic<DWORD> g_flashJobActive{0};
std::atomic<DWORD> g_flashWritten{0};

bool MirrorAheadOfChip() {
    return !g_flashBlocks.chipBytes.empty() ||
           std::any_of(g_flashBlocks.dirty.begin(), g_flashBlocks.dirty.end(), [](BYTE dirty) { return dirty != 0; });
}
