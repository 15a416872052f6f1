// The driver lock: one process-wide re-entrant lock that serialises every
// data-moving call into the emulator driver module. Callers that also take
// the target's memory lock take it first.
#pragma once

// Holds the driver lock for its scope. Re-entrant: a sequence that must not
// be split (set the receive time-out, receive, set it back) holds it around
// transfer operations, which take it again.
class CDriverLockGuard {
public:
    CDriverLockGuard();
    ~CDriverLockGuard();
    CDriverLockGuard(const CDriverLockGuard&) = delete;
    CDriverLockGuard& operator=(const CDriverLockGuard&) = delete;
};
