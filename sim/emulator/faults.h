// Faults that tests inject into the model: each armed fault changes the next
// matching exchanges (a count of them), or holds until it is cleared.
#pragma once

#include "sim/emulator/byte_order.h"

#include <cstdint>
#include <optional>

namespace simemu {

enum class Fault : std::uint32_t {
    ReceiveTimeout = 1,
    LinkLost = 2,
    Connector = 3,
    NegativeAcknowledge = 4,
    StatusReply = 5,
    Erase = 6,
    Program = 7,
    TargetReset = 8,
    ShortReply = 9,
    CorruptReply = 10,
    Verify = 11,
    TargetPower = 12,
};

class Faults {
public:
    void Clear() { *this = Faults{}; }

    // Counted faults: true (and one fewer left) when one is armed.
    bool TakeReceiveTimeout() { return Take(receiveTimeouts_); }
    bool TakeErase() { return Take(erases_); }
    bool TakeProgram() { return Take(programs_); }
    bool TakeVerify() { return Take(verifies_); }
    bool TakeTargetReset() { return Take(targetResets_); }
    // The status byte that replaces the next reply unread (a negative
    // acknowledge is status 0x15).
    std::optional<std::uint8_t> TakeStatusReply();
    // Cuts or corrupts a reply about to be delivered.
    void ApplyToReply(Bytes& reply);

    void ArmReceiveTimeouts(std::uint32_t count) { receiveTimeouts_ = count; }
    void ArmStatusReplies(std::uint8_t status, std::uint32_t count);
    void ArmErases(std::uint32_t count) { erases_ = count; }
    void ArmPrograms(std::uint32_t count) { programs_ = count; }
    void ArmVerifies(std::uint32_t count) { verifies_ = count; }
    void ArmTargetResets(std::uint32_t count) { targetResets_ = count; }
    void ArmShortReplies(std::uint32_t keep, std::uint32_t count);
    void ArmCorruptReplies(std::uint32_t offset, std::uint32_t count);

    bool linkLost = false;

private:
    static bool Take(std::uint32_t& counter);

    std::uint32_t receiveTimeouts_ = 0;
    std::uint32_t statusReplies_ = 0;
    std::uint8_t status_ = 0;
    std::uint32_t erases_ = 0;
    std::uint32_t programs_ = 0;
    std::uint32_t verifies_ = 0;
    std::uint32_t targetResets_ = 0;
    std::uint32_t shortReplies_ = 0;
    std::uint32_t shortKeep_ = 0;
    std::uint32_t corruptReplies_ = 0;
    std::uint32_t corruptOffset_ = 0;
};

}  // namespace simemu
