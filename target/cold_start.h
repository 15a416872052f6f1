// The cold-start information: the device's "COLD START INF" area ("%x %8x
// %8x": enable, start, end; 1, 0x332, 0x335 when absent), cleared in target
// memory when the target disconnects, so the user program starts cold.
#pragma once

#include "platform/wintypes.h"

// Writes zeros over the area unless the connect mode programs the flash (2),
// the area is disabled, runs backwards or is longer than one memory write
// (32,768 bytes). Answers 1.
DWORD ApplyColdStartInfo();
