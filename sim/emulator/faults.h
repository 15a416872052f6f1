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
    BareAcknowledge = 13,
    Delay = 14,
    FlashStuck = 15,
    BreakStop = 16,
    Initialise = 17,
    NoBreak = 18,
    EventStatus = 19,
    EventShortReply = 20,
};

class Faults {
public:
    void Clear() { *this = Faults{}; }

    // Counted faults: true (and one fewer left) when one is armed.
    bool TakeReceiveTimeout() { return Take(receiveTimeouts_); }
    bool TakeErase() { return Take(erases_); }
    bool TakeProgram() { return Take(programs_); }
    // A verified write that fails: the byte offset it fails at, counted
    // from 1 (that byte stored inverted, as a cell that does not take its
    // value), or 0 for a failing verify read at the write's first address.
    std::optional<std::uint32_t> TakeVerify();
    bool TakeTargetReset() { return Take(targetResets_); }
    // A request answered with the bare acknowledge and not carried out: any
    // request, or only one whose first byte after the count is the code the
    // fault was armed with.
    bool TakeBareAcknowledge(std::uint8_t code);
    // An erase or program that never finishes: the flash stays busy.
    bool TakeFlashStuck() { return Take(flashStuck_); }
    // A driver initialisation that finds the USB link gone.
    bool TakeInitialise() { return Take(initialises_); }
    // The stop word a break pulse finds the program already stopped with.
    std::optional<std::uint16_t> TakeBreakStop();
    // A break pulse that stops nothing: the target does not answer it.
    bool TakeNoBreak() { return Take(noBreaks_); }
    // The status word the next event command ('P' to 'V') is answered with,
    // unread.
    std::optional<std::uint16_t> TakeEventStatus();
    // How many data bytes the next event reply keeps, in a well-framed
    // reply (its count word and trailer fit what is kept).
    std::optional<std::uint32_t> TakeEventShortReply();
    // How long the next reply is held back, in milliseconds.
    std::optional<std::uint32_t> TakeDelay();
    // The status byte that replaces the next reply unread (a negative
    // acknowledge is status 0x15).
    std::optional<std::uint8_t> TakeStatusReply();
    // Cuts or corrupts a reply about to be delivered.
    void ApplyToReply(Bytes& reply);

    void ArmReceiveTimeouts(std::uint32_t count) { receiveTimeouts_ = count; }
    void ArmStatusReplies(std::uint8_t status, std::uint32_t count);
    void ArmErases(std::uint32_t count) { erases_ = count; }
    void ArmPrograms(std::uint32_t count) { programs_ = count; }
    void ArmVerifies(std::uint32_t failingByte, std::uint32_t count);
    void ArmTargetResets(std::uint32_t count) { targetResets_ = count; }
    void ArmShortReplies(std::uint32_t keep, std::uint32_t count);
    void ArmCorruptReplies(std::uint32_t offset, std::uint32_t count);
    void ArmBareAcknowledges(std::uint8_t code, std::uint32_t count);
    void ArmDelays(std::uint32_t milliseconds, std::uint32_t count);
    void ArmFlashStuck(std::uint32_t count) { flashStuck_ = count; }
    void ArmInitialises(std::uint32_t count) { initialises_ = count; }
    void ArmBreakStops(std::uint16_t stopWord, std::uint32_t count);
    void ArmNoBreaks(std::uint32_t count) { noBreaks_ = count; }
    void ArmEventStatus(std::uint16_t status, std::uint32_t count);
    void ArmEventShortReplies(std::uint32_t keep, std::uint32_t count);

    bool linkLost = false;

private:
    static bool Take(std::uint32_t& counter);

    std::uint32_t receiveTimeouts_ = 0;
    std::uint32_t statusReplies_ = 0;
    std::uint8_t status_ = 0;
    std::uint32_t erases_ = 0;
    std::uint32_t programs_ = 0;
    std::uint32_t verifies_ = 0;
    std::uint32_t verifyFailingByte_ = 0;
    std::uint32_t targetResets_ = 0;
    std::uint32_t shortReplies_ = 0;
    std::uint32_t shortKeep_ = 0;
    std::uint32_t corruptReplies_ = 0;
    std::uint32_t corruptOffset_ = 0;
    std::uint32_t bareAcknowledges_ = 0;
    std::uint8_t bareAcknowledgeCode_ = 0;
    std::uint32_t delays_ = 0;
    std::uint32_t delayMilliseconds_ = 0;
    std::uint32_t flashStuck_ = 0;
    std::uint32_t initialises_ = 0;
    std::uint32_t breakStops_ = 0;
    std::uint16_t breakStopWord_ = 0;
    std::uint32_t noBreaks_ = 0;
    std::uint32_t eventStatuses_ = 0;
    std::uint16_t eventStatus_ = 0;
    std::uint32_t eventShortReplies_ = 0;
    std::uint32_t eventShortKeep_ = 0;
};

}  // namespace simemu
