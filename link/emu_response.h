// CEmuResponse: the emulator's run status word (1 the target is stopped, 2 it
// is running), kept by the reply decoder. One instance, g_emuResponse, made by
// the driver interface and freed by its cleanup.
#pragma once

#include "platform/wintypes.h"

#include <atomic>

class CEmuResponse {
public:
    static constexpr WORD kStopped = 1;
    static constexpr WORD kRunning = 2;

    WORD RunStatus() const { return m_runStatus; }
    void SetRunStatus(WORD status) { m_runStatus = status; }

private:
    std::atomic<WORD> m_runStatus{kStopped};
};

extern CEmuResponse* g_emuResponse;
