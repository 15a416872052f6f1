#include "sim/emulator/frame_log.h"

#include <algorithm>
#include <cstdio>

namespace simemu {

void FrameLog::Add(FrameDirection direction, std::uint32_t ticks, const std::uint8_t* bytes, std::size_t length) {
    if (frames_.size() == kCapacity) {
        frames_.pop_front();
    }
    LoggedFrame frame;
    frame.direction = direction;
    frame.ticks = ticks;
    frame.sequence = nextSequence_++;
    if (bytes != nullptr) {
        frame.bytes.assign(bytes, bytes + length);
    }
    frames_.push_back(std::move(frame));
}

void FrameLog::Clear() {
    frames_.clear();
}

const LoggedFrame* FrameLog::At(std::size_t index) const {
    return index < frames_.size() ? &frames_[index] : nullptr;
}

std::string FrameLog::Format(std::size_t last) const {
    const std::size_t first = frames_.size() - std::min(last, frames_.size());
    std::string text;
    for (std::size_t i = first; i < frames_.size(); ++i) {
        const LoggedFrame& frame = frames_[i];
        switch (frame.direction) {
        case FrameDirection::In:
            text += "->";
            break;
        case FrameDirection::Out:
            text += "<-";
            break;
        case FrameDirection::Timeout:
            text += "<- (receive timed out)";
            break;
        }
        char hex[4];
        for (std::uint8_t byte : frame.bytes) {
            std::snprintf(hex, sizeof(hex), " %02X", byte);
            text += hex;
        }
        text += '\n';
    }
    return text;
}

}  // namespace simemu
