// CHostAccessGuard: holds the memory lock for one scope of host-visible
// activity (the go thread's emulator accesses, the reset and the steps), so
// that no memory request of the host runs between their steps. It takes the
// lock only while the target has a memory handler, and keeps a process-wide
// count of the guards that hold it.
#pragma once

#include "platform/wintypes.h"

class CTargetMemory;

class CHostAccessGuard {
public:
    // Holds nothing until SetHeld(1).
    CHostAccessGuard() = default;
    // Releases.
    ~CHostAccessGuard();
    CHostAccessGuard(const CHostAccessGuard&) = delete;
    CHostAccessGuard& operator=(const CHostAccessGuard&) = delete;

    // 1 acquires (once: a held guard stays held), any other value releases.
    void SetHeld(DWORD flag);
    DWORD IsHeld() const { return m_held; }
    // The guards that hold the lock now.
    static DWORD GetNestingCount();

private:
    void Acquire();
    void Release();

    CTargetMemory* m_handler = nullptr;  // the target's memory handler while held
    DWORD m_held = 0;
};
