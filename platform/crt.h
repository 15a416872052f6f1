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

// Opens a file by Windows path, as the Windows run time does. Modes as
// fopen's; a mode without 'b' is text mode, in which reading turns each CR LF
// into a single LF and ends at a Ctrl-Z, writing turns each LF into CR LF, and
// fseek and ftell count the file's own bytes. The sharing flag is enforced
// among the files this process opens with _fsopen: an open that a current
// one does not share (or that does not share a current one's access) fails
// with EACCES. A folder fails with EACCES, a bad mode with EINVAL, a bad
// sharing flag without an error number.
FILE* _fsopen(const char* fileName, const char* mode, int shareFlag);

#endif
