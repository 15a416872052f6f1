// What the break manager tells the event handler when the host enables or
// disables PC breaks. The event handler, which keeps the host's break list,
// lies above the breaks and defines these; without one they do nothing.
#pragma once

#include "platform/wintypes.h"

// Every PC break's enable flag.
void NotifyAllPcBreaksEnable(WORD enable);

// The enable flag of the PC break at position in the manager's PC list.
void NotifyPcBreakEnable(DWORD position, WORD enable);
