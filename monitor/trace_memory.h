// How the trace providers and the trace row formatter reach target memory:
// the few bytes of the branch-trace registers and of an instruction. The
// target gives the access (over the monitor's memory routines, under the
// host-access guard); without one nothing is read.
#pragma once

#include "platform/wintypes.h"

class CTraceMemoryAccess {
public:
    virtual ~CTraceMemoryAccess() = default;
    // length bytes from address in units of unitSize (1 or 2 bytes, each
    // unit in memory order); false when the read failed.
    virtual bool Read(DWORD address, DWORD length, DWORD unitSize, BYTE* buffer) = 0;
    // length bytes to address in byte units; false when the write failed.
    virtual bool Write(DWORD address, DWORD length, const BYTE* bytes) = 0;
};
