#include "target/trace_memory_access.h"

#include "monitor/memory_access.h"
#include "target/host_access_guard.h"

namespace {

// Larger blocks than the trace ever reads are refused.
constexpr DWORD kLargestAccess = 64;
constexpr WORD kOk = 0;
constexpr DWORD kNoVerify = 0;

}  // namespace

bool CMonitorTraceMemory::Read(DWORD address, DWORD length, DWORD unitSize, BYTE* buffer) {
    if (buffer == nullptr || length == 0 || length > kLargestAccess) {
        return false;
    }
    CHostAccessGuard guard;
    guard.SetHeld(1);
    DWORD failing = 0;
    return ReadTargetMemoryChunked(address, length, buffer, &failing, false, unitSize) == kOk;
}

bool CMonitorTraceMemory::Write(DWORD address, DWORD length, const BYTE* bytes) {
    if (bytes == nullptr || length == 0 || length > kLargestAccess) {
        return false;
    }
    CHostAccessGuard guard;
    guard.SetHeld(1);
    DWORD failing = 0;
    return WriteTargetMemoryChunked(address, length, bytes, &failing, kNoVerify, 1) == kOk;
}
