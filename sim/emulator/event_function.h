// The firmware's event function: the event commands 'P' to 'V', which set
// the address-interrupt channels, events A and B with their break
// combination, and the execution trace; and the watch over the executing
// program that these settings ask for.
#pragma once

#include "sim/emulator/byte_order.h"
#include "sim/emulator/cpu.h"
#include "sim/emulator/faults.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

namespace simemu {

class EventFunction : public ExecutionObserver {
public:
    // Answers an event command frame ('P' to 'V'), already known to be a
    // well-framed 'Z' request: its reply frame, status word high byte first.
    // The event faults answer it with their status, or cut its data.
    Bytes Handle(const std::uint8_t* frame, std::size_t length, Faults& faults);

    // Settings back to their power-on state.
    void Reset();
    // A go starts: the events forget what they saw, the trace starts over
    // (with the size the last 'T' gave; 'T' alone keeps what was recorded).
    void OnGo();
    // True when an enabled address interrupt holds this address.
    bool AddressInterruptAt(std::uint32_t address) const;
    // The stop word an event or a full trace asks for, once.
    std::optional<std::uint16_t> TakeStop();

    void OnDataAccess(std::uint32_t address, std::uint8_t value, bool write) override;
    void OnBranch(std::uint32_t from, std::uint32_t to) override;

private:
    struct AddressInterrupt {
        std::uint32_t space = 0;
        std::uint32_t enableRegister = 0;
        std::uint32_t address = 0;
        bool enabled = false;
    };
    struct Event {
        bool set = false;
        std::uint8_t kind = 1;        // 0: address and data, 1: address only
        std::uint8_t accessType = 0;  // 0 read or write, 1 read, 2 write
        std::uint32_t address = 0;
        std::uint32_t maskBits = 0;
        std::uint16_t data = 0;
        std::uint16_t dataMask = 0;
        bool Matches(std::uint32_t address, std::uint8_t value, bool write) const;
    };
    struct TraceEntry {
        std::uint8_t type = 0;
        std::uint32_t value = 0;  // 24 bits
    };

    std::uint16_t SetAddressInterrupt(const std::uint8_t* payload);
    std::uint16_t SetEvent(const std::uint8_t* payload);
    std::uint16_t SetTrace(const std::uint8_t* payload);
    Bytes Answer(std::uint8_t command, const std::uint8_t* payload);
    // Whether a combination value (4 A, 5 A or B, 6 A and B, 7 B then A) holds.
    bool Combination(std::uint32_t value) const;
    void Record(std::uint8_t type, std::uint32_t value);

    std::vector<AddressInterrupt> interrupts_;
    std::array<Event, 2> events_{};  // A, B
    bool sawA_ = false;
    bool sawB_ = false;
    bool sawBThenA_ = false;
    std::uint32_t breakCombination_ = 0;
    // Trace settings ('T') and the buffer.
    std::uint32_t traceStart_ = 0;
    std::uint32_t traceStop_ = 0;
    std::uint32_t traceType_ = 0;
    std::uint32_t tracePickUp_ = 0;
    bool traceBreakAtFull_ = false;
    bool traceConfigured_ = false;
    bool traceActive_ = false;
    std::size_t traceSize_ = 64;
    std::vector<TraceEntry> trace_ = std::vector<TraceEntry>(64);
    std::size_t tracePointer_ = 0;
    bool traceWrapped_ = false;
    std::optional<std::uint16_t> stop_;
};

}  // namespace simemu
