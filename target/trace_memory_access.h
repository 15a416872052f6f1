// The trace providers' and the instruction text's memory access: the
// monitor's chunked reads and writes under the host-access guard, so no
// memory request of the host runs in between. The blocks are a few bytes (at
// most 64).
#pragma once

#include "monitor/trace_memory.h"

class CMonitorTraceMemory : public CTraceMemoryAccess {
public:
    bool Read(DWORD address, DWORD length, DWORD unitSize, BYTE* buffer) override;
    bool Write(DWORD address, DWORD length, const BYTE* bytes) override;
};
