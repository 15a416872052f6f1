// The history of the wire: every frame handed to the transmit entry, every
// reply delivered by the receive entry and every receive that timed out, so a
// failing test can print the last frames.
#pragma once

#include "sim/emulator/byte_order.h"

#include <cstdint>
#include <deque>
#include <string>

namespace simemu {

enum class FrameDirection : std::uint32_t { In = 0, Out = 1, Timeout = 2 };

struct LoggedFrame {
    FrameDirection direction = FrameDirection::In;
    std::uint32_t ticks = 0;
    std::uint32_t sequence = 0;
    Bytes bytes;
};

class FrameLog {
public:
    // Older frames are dropped beyond this many, so a long session costs
    // bounded memory.
    static constexpr std::size_t kCapacity = 4096;

    void Add(FrameDirection direction, std::uint32_t ticks, const std::uint8_t* bytes, std::size_t length);
    void Clear();
    std::size_t Count() const { return frames_.size(); }
    const LoggedFrame* At(std::size_t index) const;
    // The last frames, oldest first, one line each: an arrow for the
    // direction and the bytes in hexadecimal.
    std::string Format(std::size_t last) const;

private:
    std::deque<LoggedFrame> frames_;
    std::uint32_t nextSequence_ = 0;
};

}  // namespace simemu
