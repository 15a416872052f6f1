// The host services that the break-condition channels ask for, in the host's
// slot order (IUnknown is slots 0 to 2): the range of addresses a condition
// may hold, and the source position of an address for the channel's row text.
#pragma once

#include "platform/host/interfaces.h"

// The lowest and highest valid target address, as the host sees them.
struct IHAddressRange : IUnknown {
    HOST_METHOD(GetRange)(DWORD* low, DWORD* high) = 0;  // 3: the result is not read
};

// The host's line table.
struct IHSourcePosition : IUnknown {
    HOST_PLACEHOLDER(3);
    // 4: the source file (a full path) and its line for an address; 0 when
    // the address maps to a source line.
    HOST_METHOD(GetSourcePosition)(DWORD address, BSTR* file, DWORD* line) = 0;
};
