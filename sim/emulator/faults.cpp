#include "sim/emulator/faults.h"

namespace simemu {

bool Faults::Take(std::uint32_t& counter) {
    if (counter == 0) {
        return false;
    }
    --counter;
    return true;
}

std::optional<std::uint8_t> Faults::TakeStatusReply() {
    if (!Take(statusReplies_)) {
        return std::nullopt;
    }
    return status_;
}

void Faults::ArmStatusReplies(std::uint8_t status, std::uint32_t count) {
    status_ = status;
    statusReplies_ = count;
}

void Faults::ArmShortReplies(std::uint32_t keep, std::uint32_t count) {
    shortKeep_ = keep;
    shortReplies_ = count;
}

void Faults::ArmCorruptReplies(std::uint32_t offset, std::uint32_t count) {
    corruptOffset_ = offset;
    corruptReplies_ = count;
}

bool Faults::TakeBareAcknowledge(std::uint8_t code) {
    if (bareAcknowledgeCode_ != 0 && code != bareAcknowledgeCode_) {
        return false;
    }
    return Take(bareAcknowledges_);
}

void Faults::ArmBareAcknowledges(std::uint8_t code, std::uint32_t count) {
    bareAcknowledgeCode_ = code;
    bareAcknowledges_ = count;
}

std::optional<std::uint32_t> Faults::TakeDelay() {
    if (!Take(delays_)) {
        return std::nullopt;
    }
    return delayMilliseconds_;
}

void Faults::ArmDelays(std::uint32_t milliseconds, std::uint32_t count) {
    delayMilliseconds_ = milliseconds;
    delays_ = count;
}

std::optional<std::uint16_t> Faults::TakeBreakStop() {
    if (!Take(breakStops_)) {
        return std::nullopt;
    }
    return breakStopWord_;
}

void Faults::ArmBreakStops(std::uint16_t stopWord, std::uint32_t count) {
    breakStopWord_ = stopWord;
    breakStops_ = count;
}

std::optional<std::uint16_t> Faults::TakeEventStatus() {
    if (!Take(eventStatuses_)) {
        return std::nullopt;
    }
    return eventStatus_;
}

void Faults::ArmEventStatus(std::uint16_t status, std::uint32_t count) {
    eventStatus_ = status;
    eventStatuses_ = count;
}

std::optional<std::uint32_t> Faults::TakeEventShortReply() {
    if (!Take(eventShortReplies_)) {
        return std::nullopt;
    }
    return eventShortKeep_;
}

void Faults::ArmEventShortReplies(std::uint32_t keep, std::uint32_t count) {
    eventShortKeep_ = keep;
    eventShortReplies_ = count;
}

void Faults::ApplyToReply(Bytes& reply) {
    if (Take(shortReplies_) && shortKeep_ < reply.size()) {
        reply.resize(shortKeep_);
    }
    if (Take(corruptReplies_) && corruptOffset_ < reply.size()) {
        reply[corruptOffset_] = static_cast<std::uint8_t>(~reply[corruptOffset_]);
    }
}

std::optional<std::uint32_t> Faults::TakeVerify() {
    if (!Take(verifies_)) {
        return std::nullopt;
    }
    return verifyFailingByte_;
}

void Faults::ArmVerifies(std::uint32_t failingByte, std::uint32_t count) {
    verifyFailingByte_ = failingByte;
    verifies_ = count;
}

}  // namespace simemu
