// The C run time's Windows-only functions that take Windows paths.
#pragma once

#include "platform/wintypes.h"

#include <cstdio>

#ifdef _WIN32
#include <share.h>
#else

#define _SH_DENYRW 0x10
#define _SH_DENYWR 0x20
#define _SH_DENYRD 0x30
#define _SH_DENYNO 0x40

// Opens a file by Windows path. Modes as fopen's; a mode without 'b' is text
// mode, in which reading turns each CR LF into a single LF, as the Windows run
// time does. Sharing is not enforced (every file is shared here).
FILE* _fsopen(const char* fileName, const char* mode, int shareFlag);

#endif
