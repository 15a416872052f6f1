// Waiting for a host event: the host names an event object that it signals
// once it has handled the notice; the plug-in waits for it a bounded time.
#pragma once

#include "platform/com.h"

// How long the plug-in waits for the host to handle an event.
inline constexpr DWORD kHostEventWaitMilliseconds = 1000;

// Opens the named event (full access), waits for it at most the given time
// and closes it. Answers false when no event of that name can be opened; the
// outcome of the wait itself is not reported.
bool WaitForNamedHostEvent(BSTR name, DWORD milliseconds = kHostEventWaitMilliseconds);
