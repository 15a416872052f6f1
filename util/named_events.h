// Events with names of their own: the prefix followed by a three-digit
// number, the first number whose name no event holds yet.
#pragma once

#include "platform/afx.h"
#include "platform/sync.h"

// Tries 000 to 999; a name that opens an existing event is taken, and so is
// one that CreateEventA reports as existing. Without attributes the handle is
// inheritable. The new event's handle and name, or null after 1,000 names.
HANDLE CreateUniqueNamedEvent(LPCSTR prefix, CString& name, BOOL manualReset, BOOL initialState,
                              LPSECURITY_ATTRIBUTES attributes);
// The same from the counter (0x7FFFFFFF or negative starts at 0), a
// manual-reset event not signalled; the counter moves on after every name
// tried and wraps to 0 at 0x7FFFFFFF. At most 1,000 names.
HANDLE CreateNextNamedEvent(LPCSTR prefix, CString& name, LONG& counter);
// Closes the event; a failure goes to the debugger output with the name
// ("unknown event" without one) and the system's text for it.
void CloseNamedEvent(HANDLE event, LPCSTR name);
