// The link-state bytes: process-wide words shared by the adapter channel, the
// monitor engine, the run-state monitor and the target's run control. The
// connect, go and UI threads write them without a lock, so each is atomic.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <atomic>
#include <cstddef>

// The value of g_linkStopByte while a stop is requested or a connection step
// was cancelled by the user.
inline constexpr BYTE kLinkStopRequested = 0x80;

extern std::atomic<BYTE> g_linkStopByte;        // kLinkStopRequested or 0
extern std::atomic<BYTE> g_linkRunning;         // 1 while the target is taken to be running
extern std::atomic<BYTE> g_linkHold;            // non-zero keeps g_linkRunning at 0 (monitor engine)
extern std::atomic<BYTE> g_linkBreakFlag;       // non-zero turns a failed monitor request into a break-in
extern std::atomic<WORD> g_targetSuspendRequest;  // the monitor engine's suspend request
extern std::atomic<WORD> g_breakStatusFlag;     // set by BreakTarget; read by the halt control
extern std::atomic<BYTE> g_adapterStatusLatch;  // the adapter status bit last latched
extern std::atomic<DWORD> g_runTickMark;        // tick count at the last go request
extern std::atomic<DWORD> g_runTicksTotal;      // ticks spent running so far
extern std::atomic<DWORD> g_cardDriverFlag;     // 1 for the sibling emulator's PCI card driver

// g_linkRunning as a monitor request leaves: running unless a suspend is
// requested or the monitor holds the link.
void RecomputeLinkRunning();

// What the channel learns while it opens the link and unlocks the target.
extern std::atomic<DWORD> g_idUnlocked;  // 1 once UnlockWithIdCode has finished its unlock
// Adapter-program version information: four 32-bit words (16 bytes, the
// first byte the low byte of the first word; 0xFF there means not known).
using AdapterVersionRecord = std::array<BYTE, 16>;
extern AdapterVersionRecord g_adapterVersionWords;
// The microcontroller boot program's eight version bytes and a zero.
extern std::array<char, 9> g_mcuVersionInfo;
// The user reset vector, low byte first, 0xFF where not filled: the session
// settings ("USER_DATA" "RESET") and the download fill three bytes for
// protocol types 1 to 3 and two for type 4; the monitor's initialisation
// reads all four from the target for protocol type 0 and takes its start
// address from them.
struct UserResetBytes {
    std::array<BYTE, 4> bytes{0xFF, 0xFF, 0xFF, 0xFF};
    std::size_t count = 0;
};
extern UserResetBytes g_userResetBytes;
