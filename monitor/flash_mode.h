// The flash synchronisation mode the run-state monitor applies at every stop,
// set by the Configuration sheet and the session load: 0 "Disable", 1 "PC to
// flash memory", 2 "Flash memory to PC", 3 "PC to flash memory, Flash memory
// to PC".
#pragma once

#include "platform/wintypes.h"

#include <atomic>

// Read by the go thread's stops, written on the host's UI thread.
extern std::atomic<DWORD> g_flashMode;
