// The event engine's records: the settings of one hardware event (A or B),
// and one entry of the execution trace as the engine decoded it.
#pragma once

#include "platform/wintypes.h"

#include <array>

// One event; a value type, copied whole.
struct CEventDescriptor {
    LONG id = 0;           // 0 event A, 1 event B
    LONG kind = 1;         // 0 address and data, 1 address only
    LONG accessSize = 1;   // 0 not given, 1 byte, 2 word
    LONG accessType = 2;   // 0 read or write, 1 read, 2 write
    DWORD address = 0;     // its low mask bits already cleared
    WORD data = 0;
    LONG maskBits = 0;     // low address bits ignored, 0..15
    WORD dataMask = 0;     // 0 no data condition, 0xFFFF equal, else the bits compared
    // The address as the user typed it (a number or an expression).
    std::array<char, 256> name{};
};

// One entry of the trace, oldest first in the engine's list.
struct CEventTraceRecord {
    BYTE type = 0;          // as received
    DWORD value = 0;        // a branch's address, or an access's data
    LONG kind = 0;          // 1 branch, 0 data access
    LONG branchSide = 0;    // branch: 1 "BRANCH" (source), 0 "DESTINATION"
    LONG direction = 0;     // access: 1 read, 2 write
    LONG size = 0;          // access: 1 byte, 2 word
    LONG code = 0;          // access: 0 event A, 1 event B, -1 both
};
