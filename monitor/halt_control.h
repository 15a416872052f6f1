// CHaltControl: stops a running target for the length of one access (a
// memory piece, a break-condition update) and lets it run on afterwards.
// It tells its own stop from a real break that happened meanwhile: after a
// real break it keeps the emulator's status block for the run-state monitor
// and does not restart the program; a target it finds stopped already it
// holds (g_haltHeld) until the next start of execution.
//
// A caller sets g_targetSuspendRequest to 1, calls SuspendTargetForAccess,
// does its access unless the link's break-in byte is then set, calls
// ResumeTargetAfterAccess and clears the request.
//
// One instance, g_haltControl, made and cleared by the connect procedure
// and deleted at disconnect.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <memory>

// The emulator's 20-byte status block of a stop that halt control met.
struct SavedStatusBlock {
    std::array<BYTE, 20> bytes{};
    WORD valid = 0;  // 1 while the block holds a stop not yet reported
};
extern SavedStatusBlock g_savedStatusBlock;

class CHaltControl {
public:
    // Forgets that an access stopped the target: 0.
    [[nodiscard]] DWORD Clear();
    // Stops a running target when an access is requested.
    void SuspendTargetForAccess();
    // Lets the target run on when this access stopped it.
    void ResumeTargetAfterAccess();
    // The plain go (run mode 72) that resumes the program.
    void RestartAfterAccess();
    // 1 between a suspend that sent the break pulse and the resume.
    // Read by the go thread's stop check while an access of the host's
    // thread holds the target.
    DWORD StoppedForAccess() const { return m_stoppedForAccess; }

private:
    BYTE m_savedBreakIn = 0;     // the link's break-in byte when the access began
    BYTE m_savedBreakFlag = 0;   // the link's break flag then
    std::atomic<DWORD> m_stoppedForAccess{0};  // 1 when the suspend sent the break pulse
};

extern std::unique_ptr<CHaltControl> g_haltControl;
