// The memory lock: one re-entrant lock for the process, held by every memory
// operation of the memory handler and, through LockMemoryAccess, by the
// host-access guard and the break-condition code. It is always taken before
// the driver lock.
#pragma once

#include "platform/wintypes.h"

// Enters the memory lock when enter is non-zero, else leaves it; answers 1.
// Callers pair the calls on one thread.
int LockMemoryAccess(BOOL enter);
