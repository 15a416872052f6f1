#include "link/flash_blocks.h"

FlashBlockState g_flashBlocks;
std::atomic<DWORD> g_flashJobActive{0};
std::atomic<DWORD> g_flashWritten{0};
