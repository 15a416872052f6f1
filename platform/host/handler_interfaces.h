// The host interfaces served by the target's smaller handlers. Their
// operations beyond those named here are supplied by the handlers of later
// subsystems; until then those slots answer E_NOTIMPL.
#pragma once

#include "platform/host/interfaces.h"

#include <cstddef>

// One break as the break list describes it to the host. The texts belong to
// the describing side and stay valid until its next description.
struct BreakItemInfo {
    DWORD index;      // the break's position within its kind
    DWORD reserved1;
    DWORD reserved2;
    DWORD period;     // cycle breaks
    WORD enabled;     // 1 enabled, 0 not
    WORD reserved3;
    DWORD address;    // 0 for register breaks
    BSTR kindId;      // "BP", "BA", ...
    BSTR extraText;   // register breaks: an empty text
    BSTR actionText;
};
#if defined(_WIN32) && !defined(_WIN64)
static_assert(sizeof(BreakItemInfo) == 36, "the host reads the record by byte offset");
static_assert(offsetof(BreakItemInfo, address) == 20 && offsetof(BreakItemInfo, actionText) == 32);
#endif

// The break list of the PC-break handler: the breaks of every kind under one
// global index. Every operation answers 0 for success and 10 for failure.
struct IHTBreakServer : IUnknown {
    HOST_METHOD(QueryItem)(DWORD value) = 0;                           // 3
    // 4: the break at previous + 1 (-1 before the first).
    HOST_METHOD(GetNextItem)(LONG previous, BreakItemInfo** item) = 0;
    HOST_METHOD(EnableItem)(LONG index, WORD flag) = 0;                // 5: -1 all
    HOST_METHOD(RemoveItem)(LONG index) = 0;                           // 6: -1 all
    // 7: closes the file of that break's file action (-1 every open file).
    HOST_METHOD(ReleaseItemFiles)(LONG index) = 0;
};

// The event conditions' list, served by the event handler.
struct IHTBreakListServer : IUnknown {
    HOST_PLACEHOLDER(3);
    HOST_PLACEHOLDER(4);
    HOST_PLACEHOLDER(5);
    HOST_PLACEHOLDER(6);
    HOST_PLACEHOLDER(7);
    HOST_PLACEHOLDER(8);
    HOST_PLACEHOLDER(9);
    HOST_PLACEHOLDER(10);
    HOST_PLACEHOLDER(11);
};

// Marks the target as one the host supports; one operation without arguments.
struct IHTSupportMarker : IUnknown {
    HOST_METHOD(Mark)() = 0;  // 3
};

// Text requests of the host; the target refuses them all.
struct IHTTextRequest : IUnknown {
    HOST_METHOD(RequestText)(BSTR text) = 0;             // 3
    HOST_METHOD(RequestPair)(DWORD first, DWORD second) = 0;  // 4
    HOST_METHOD(RequestValue)(DWORD value) = 0;          // 5
    HOST_METHOD(RequestRange)(DWORD first, DWORD second) = 0;  // 6
};
