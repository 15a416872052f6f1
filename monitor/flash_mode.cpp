#include "monitor/flash_mode.h"

std::atomic<DWORD> g_flashMode{0};
