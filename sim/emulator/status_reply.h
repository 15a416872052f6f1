// The adapter's reply frames: one-byte status replies and data replies,
// each a big-endian count, the bytes, a pad where the count would be odd,
// and the closing byte.
#pragma once

#include "sim/emulator/byte_order.h"
#include "sim/emulator/wire_codes.h"

#include <algorithm>
#include <cstdint>

namespace simemu {

inline Bytes DataReply(const std::uint8_t* data, std::size_t count) {
    const bool pad = (count + 1) % 2 != 0;
    const std::size_t length = count + 1 + (pad ? 1 : 0);
    Bytes reply(2 + length, kPad);
    WriteBigEndian16(reply.data(), static_cast<std::uint32_t>(length));
    std::copy_n(data, count, reply.begin() + 2);
    reply.back() = kFrameEnd;
    return reply;
}

inline Bytes StatusByteReply(std::uint8_t status) {
    return DataReply(&status, 1);
}

inline Bytes Acknowledge() {
    return StatusByteReply(status_byte::kAcknowledge);
}

inline Bytes NegativeAcknowledge() {
    return StatusByteReply(status_byte::kNegativeAcknowledge);
}

}  // namespace simemu
