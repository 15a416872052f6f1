// The shared request and reply buffers of the firmware command layer: every
// firmware request is built into the one and answered into the other, so one
// request is in flight at a time (the callers serialise by construction).
#pragma once

#include "platform/wintypes.h"

#include <array>

inline constexpr std::size_t kFirmBufferSize = 1024;
extern std::array<BYTE, kFirmBufferSize> g_firmRequestBuffer;
extern std::array<BYTE, kFirmBufferSize> g_firmReplyBuffer;
