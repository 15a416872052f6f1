#include "link/link_state.h"

std::atomic<BYTE> g_linkStopByte{0};
std::atomic<BYTE> g_linkRunning{0};
std::atomic<BYTE> g_linkHold{0};
std::atomic<BYTE> g_linkBreakFlag{0};
std::atomic<WORD> g_targetSuspendRequest{0};
std::atomic<WORD> g_breakStatusFlag{0};
std::atomic<BYTE> g_adapterStatusLatch{0};
std::atomic<DWORD> g_runTickMark{0};
std::atomic<DWORD> g_runTicksTotal{0};
std::atomic<DWORD> g_cardDriverFlag{0};

void RecomputeLinkRunning() {
    g_linkRunning = (g_targetSuspendRequest == 0 && g_linkHold == 0) ? 1 : 0;
}

std::atomic<DWORD> g_idUnlocked{0};
AdapterVersionRecord g_adapterVersionWords{};
std::array<char, 9> g_mcuVersionInfo{};
UserResetBytes g_userResetBytes;
