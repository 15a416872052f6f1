// The host's breakpoint list, as the break manager asks it to add, enable and
// remove the PC breaks whose action is Stop. The host answers each request by
// calling the target's IHTPCBreakClient back with the same values.
#pragma once

#include "platform/host/interfaces.h"

struct IHBreakpointService : IUnknown {
    HOST_PLACEHOLDER(3);
    HOST_PLACEHOLDER(4);
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    // 7: negative when refused; word is the host's own, not read.
    HOST_METHOD(AddBreakpoint)(DWORD address, GUID ownerId, BSTR text, DWORD* word) = 0;
    HOST_PLACEHOLDER(8);
    // 9: negative when it failed.
    HOST_METHOD(EnableBreakpoint)(DWORD id, WORD flag) = 0;
    // 10: the result is not read.
    HOST_METHOD(RemoveBreakpoint)(DWORD id) = 0;
};
