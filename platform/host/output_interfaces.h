// The host's output window, where the plug-in echoes a change as the console
// line that would make it.
#pragma once

#include "platform/host/ids.h"
#include "platform/host/service_table.h"

// 3: S_OK when the output takes a line now. 4: posts one line (no line
// terminator).
#define Q3V_TABLE_IHOutputWindow(SLOT, GAP) \
    SLOT(3, IsReady)                        \
    SLOT(4, PostLine, Text)

HOST_TABLE_INTERFACE(IHOutputWindow, Q3V_TABLE_IHOutputWindow);
