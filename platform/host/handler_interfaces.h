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

// One row of the event handler's lists as the host reads it. The texts
// belong to the handler and stay valid until its next row.
struct CEventItemInfo {
    DWORD number;        // the row's 1-based number
    BSTR kindText;       // "Breakpoint", "Break condition", ...
    BSTR text3;          // empty
    DWORD state;         // 1 enabled, 2 disabled
    DWORD kindCode;      // 6 a PC break, 0 a break-condition channel
    DWORD value;         // the address
    BSTR text7;          // empty
    LONG number8;        // -1
    BSTR conditionText;
    BSTR actionText;     // "Break", "Sequential break"
};

// The host's break lists, served by the event handler: list 0 the PC
// breakpoints, list 1 the break-condition channels. Indices are 0-based; -1
// means every item. The host calls GetListKinds first, which names the lists.
struct IHTBreakListServer : IUnknown {
    HOST_METHOD(EditItem)(LONG list, LONG index) = 0;                            // 3
    HOST_METHOD(GetItemText)(LONG list, LONG index, CEventItemInfo** row) = 0;   // 4: null row: none there
    HOST_METHOD(EnableItem)(LONG list, LONG index, WORD flag) = 0;               // 5
    HOST_METHOD(RemoveItem)(LONG list, LONG index) = 0;                          // 6
    HOST_METHOD(ListOperation7)(DWORD first, DWORD second) = 0;                  // 7: no effect
    HOST_METHOD(ListOperation8)(LONG list, DWORD value) = 0;                     // 8: no effect
    // 9: the operations the host may offer for the item (bit set, 64 always).
    HOST_METHOD(GetItemState)(LONG list, LONG index, DWORD* state) = 0;
    HOST_METHOD(ListOperation10)(LONG list, DWORD first, DWORD second, WORD* out) = 0;  // 10: no effect
    // 11: the lists' names, tab-separated, in list order.
    HOST_METHOD(GetListKinds)(BSTR* header) = 0;
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
