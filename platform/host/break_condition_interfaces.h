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

// The host's knowledge of an address: the lookup gives an item for it, and
// the item answers, through its source-location interface (by the item's
// QueryInterface), the function and the source line the address lies in.
struct IHAddressLookup : IUnknown {
    // 3: the item of an address; 0 with the item, else no item.
    HOST_METHOD(LookupAddress)(DWORD address, IUnknown** item) = 0;
};

struct IHSourceLocation : IUnknown {
    HOST_PLACEHOLDER(3);
    HOST_METHOD(GetFunctionName)(DWORD address, BSTR* name) = 0;             // 4
    HOST_METHOD(GetFileLine)(DWORD address, BSTR* file, DWORD* line) = 0;    // 5: the file as a full path
};

// The record the symbol service fills: the name of the symbol an address
// belongs to.
struct HostSymbolRecord {
    BSTR name = nullptr;  // out, the caller's to free
    DWORD address = 0;    // in
};

// The host's symbol table.
struct IHSymbolService : IUnknown {
    HOST_PLACEHOLDER(3); HOST_PLACEHOLDER(4); HOST_PLACEHOLDER(5); HOST_PLACEHOLDER(6); HOST_PLACEHOLDER(7);
    HOST_PLACEHOLDER(8);
    HOST_METHOD(GetSymbolName)(HostSymbolRecord* record) = 0;  // 9
};
