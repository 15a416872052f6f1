#include "link/firm_buffers.h"

std::array<BYTE, kFirmBufferSize> g_firmRequestBuffer{};
std::array<BYTE, kFirmBufferSize> g_firmReplyBuffer{};
std::array<BYTE, kFirmWriteDataSize> g_firmWriteData{};
