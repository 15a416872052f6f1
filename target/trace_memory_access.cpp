#include "target/trace_memory_access.h"

#include "link/firm_buffers.h"
#include "link/firm_codes.h"
#include "link/firm_command.h"
#include "target/host_access_guard.h"

#include <algorithm>

namespace {

// Larger blocks than the trace ever reads are refused.
constexpr DWORD kLargestAccess = 64;
constexpr WORD kOk = 0;

}  // namespace

bool CMonitorTraceMemory::Read(DWORD address, DWORD length, DWORD unitSize, BYTE* buffer) {
    if (buffer == nullptr || length == 0 || length > kLargestAccess) {
        return false;
    }
    CHostAccessGuard guard;
    guard.SetHeld(1);
    const DWORD access = unitSize == 2 ? access_code::kWord : access_code::kByte;
    return CFirmCommand().ReadMemory(access, address, length, buffer) == kOk;
}

bool CMonitorTraceMemory::Write(DWORD address, DWORD length, const BYTE* bytes) {
    if (bytes == nullptr || length == 0 || length > kLargestAccess) {
        return false;
    }
    CHostAccessGuard guard;
    guard.SetHeld(1);
    std::copy_n(bytes, length, g_firmWriteData.begin());
    return CFirmCommand().WriteMemory(access_code::kByte, address, length, 0) == kOk;
}
