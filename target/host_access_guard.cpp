#include "target/host_access_guard.h"

#include "target/memory_lock.h"
#include "target/target_vk3.h"

#include <atomic>

namespace {

// Changed only by a thread that holds the memory lock; read by anyone.
std::atomic<DWORD> g_nestingCount{0};

}  // namespace

CHostAccessGuard::~CHostAccessGuard() {
    Release();
}

void CHostAccessGuard::SetHeld(DWORD flag) {
    if (flag == 1) {
        Acquire();
    } else {
        Release();
    }
}

DWORD CHostAccessGuard::GetNestingCount() {
    return g_nestingCount;
}

void CHostAccessGuard::Acquire() {
    if (m_held != 0) {
        return;
    }
    CTargetMemory* handler = GetTarget()->GetMemoryHandler();
    if (handler == nullptr) {
        return;
    }
    LockMemoryAccess(TRUE);
    ++g_nestingCount;
    m_handler = handler;
    m_held = 1;
}

void CHostAccessGuard::Release() {
    if (m_handler == nullptr) {
        return;
    }
    if (g_nestingCount >= 1) {
        --g_nestingCount;
    }
    LockMemoryAccess(FALSE);
    m_handler = nullptr;
    m_held = 0;
}
