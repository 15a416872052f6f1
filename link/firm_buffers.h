// The shared buffers of the firmware command layer: every firmware request
// is built into the request buffer and answered into the reply buffer, so one
// request is in flight at a time (the callers serialise by construction); the
// write-data buffer is where callers put the bytes a memory write sends.
#pragma once

#include "platform/wintypes.h"

#include <array>

inline constexpr std::size_t kFirmBufferSize = 1024;
extern std::array<BYTE, kFirmBufferSize> g_firmRequestBuffer;
extern std::array<BYTE, kFirmBufferSize> g_firmReplyBuffer;

// The most a memory read or write handles in one call.
inline constexpr std::size_t kFirmWriteDataSize = 32768;
extern std::array<BYTE, kFirmWriteDataSize> g_firmWriteData;
