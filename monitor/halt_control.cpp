#include "monitor/halt_control.h"

#include "link/emulator_link.h"
#include "link/firm_buffers.h"
#include "link/firm_command.h"
#include "link/firm_state.h"
#include "link/link_state.h"
#include "link/monitor_run_state.h"

#include <algorithm>

SavedStatusBlock g_savedStatusBlock;
std::unique_ptr<CHaltControl> g_haltControl;

namespace {

constexpr WORD kRequestBits = 0xF;
constexpr WORD kStopped = 1;

void SaveStatusBlock() {
    std::copy_n(g_firmReplyBuffer.begin(), g_savedStatusBlock.bytes.size(), g_savedStatusBlock.bytes.begin());
    g_savedStatusBlock.valid = 1;
}

}  // namespace

DWORD CHaltControl::Clear() {
    m_stoppedForAccess = 0;
    return 0;
}

void CHaltControl::SuspendTargetForAccess() {
    g_breakStatusFlag = 0;
    if ((g_targetSuspendRequest & kRequestBits) == 0) {
        return;
    }
    g_targetSuspendRequest = 0;
    CEmulatorLink* link = g_emulatorLink;
    if (g_haltHeld == 0 && link != nullptr) {
        const WORD stopped = link->TestAdapterStatusFlag();
        m_savedBreakIn = g_linkStopByte;
        m_savedBreakFlag = g_linkBreakFlag;
        if (stopped != kStopped) {
            m_stoppedForAccess = 1;
            // A failed pulse shows in the access that follows.
            static_cast<void>(link->BreakTarget());
            link->AccumulateElapsedTicks();
            if (g_breakStatusFlag != 0) {
                SaveStatusBlock();
            }
        } else {
            g_haltHeld = 1;
            if (g_savedStatusBlock.valid == 0) {
                // A failed query leaves the reply buffer as it was: the
                // block is what the run-state monitor can have.
                static_cast<void>(link->QueryRunState(0));
                SaveStatusBlock();
            }
        }
    }
    if (g_breakStatusFlag == 0) {
        g_targetSuspendRequest = 1;
    }
    g_linkStopByte = 0;
    g_linkBreakFlag = 0;
}

void CHaltControl::ResumeTargetAfterAccess() {
    if (g_targetSuspendRequest != 0 && g_haltHeld == 0) {
        RestartAfterAccess();
        g_linkStopByte = m_savedBreakIn;
        g_linkBreakFlag = m_savedBreakFlag;
    }
    m_savedBreakIn = 0;
    m_savedBreakFlag = 0;
    m_stoppedForAccess = 0;
}

void CHaltControl::RestartAfterAccess() {
    g_runMode = run_mode::kGo;
    // A go that fails leaves the target stopped; the run-state monitor
    // reports it at its next poll.
    static_cast<void>(CFirmCommand().Go());
}
