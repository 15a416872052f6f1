// The host's name lookup: the host fills a collector object with the name
// and value pairs that match a query.
#pragma once

#include "platform/host/interfaces.h"

// The collector the plug-in hands to the host (no IUnknown: a plain callback).
struct IHNameValueCollector {
    HOST_METHOD(GetQueryName)(BSTR* name) = 0;
    HOST_METHOD(GetQueryId)(DWORD* id) = 0;
    HOST_METHOD(AddResult)(BSTR name, DWORD value) = 0;
    HOST_METHOD(AddResult2)(BSTR name, DWORD value) = 0;

protected:
    ~IHNameValueCollector() = default;
};

struct IHNameLookup : IUnknown {
    HOST_PLACEHOLDER(3);
    HOST_PLACEHOLDER(4);
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    HOST_METHOD(LookupNames)(IHNameValueCollector* collector) = 0;  // 7
};
