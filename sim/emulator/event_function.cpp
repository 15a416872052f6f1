#include "sim/emulator/event_function.h"

#include "sim/emulator/wire_codes.h"

#include <algorithm>

namespace simemu {

namespace {

// Event A and event B are told apart by the number of their DBC register
// in the firmware's register map.
constexpr std::uint8_t kEventARegister = 0x10;
constexpr std::uint8_t kEventBRegister = 0x18;
// At most this many address-interrupt channels.
constexpr std::size_t kInterruptChannels = 8;
// Trace record types: branch source and destination, data read and write
// (byte size, code 0).
constexpr std::uint8_t kTraceBranch = 0x00;
constexpr std::uint8_t kTraceDestination = 0x01;
constexpr std::uint8_t kTraceDataByte = 0x14;
constexpr std::uint8_t kTraceWrite = 0x01;
// Combination values.
constexpr std::uint32_t kCombineA = 4;
constexpr std::uint32_t kCombineAOrB = 5;
constexpr std::uint32_t kCombineAAndB = 6;
constexpr std::uint32_t kCombineBThenA = 7;
constexpr std::uint32_t kTraceStopAtFull = 2;

struct CommandShape {
    std::size_t length;
    bool padded;  // 0xA5 before the closing 0x81
};

// Request length and trailer of 'P' to 'V'.
constexpr CommandShape kShapes[] = {{16, true}, {26, true}, {26, false}, {10, false},
                                    {18, true}, {8, false}, {10, true}};

Bytes Reply(std::uint8_t command, std::uint16_t status, const Bytes& data = {}) {
    const std::size_t length = 8 + data.size() + 2;
    Bytes reply;
    AppendBigEndian16(reply, static_cast<std::uint32_t>(length - 2));
    reply.push_back(kFirmwareMarker);
    reply.push_back(command);
    AppendBigEndian16(reply, static_cast<std::uint32_t>(length - 2));
    AppendBigEndian16(reply, status);
    reply.insert(reply.end(), data.begin(), data.end());
    reply.push_back(kPad);
    reply.push_back(kFrameEnd);
    return reply;
}

}  // namespace

bool EventFunction::Event::Matches(std::uint32_t accessAddress, std::uint8_t value, bool write) const {
    if (!set || (accessType == 1 && write) || (accessType == 2 && !write)) {
        return false;
    }
    const std::uint32_t mask = maskBits >= 32 ? 0xFFFFFFFFu : ((1u << maskBits) - 1);
    if ((accessAddress | mask) != (address | mask)) {
        return false;
    }
    if (kind == 0 && dataMask != 0) {
        return (value & dataMask) == (data & dataMask & 0xFF);
    }
    return true;
}

void EventFunction::Reset() {
    *this = EventFunction{};
}

Bytes EventFunction::Handle(const std::uint8_t* frame, std::size_t length, Faults& faults) {
    const std::uint8_t command = frame[3];
    const CommandShape& shape = kShapes[command - firm_cmd::kEventFirst];
    if (length != shape.length || (shape.padded && frame[length - 2] != kPad)) {
        return Reply(command, word::kNoSuchRequest);
    }
    if (const auto status = faults.TakeEventStatus()) {
        return Reply(command, *status);
    }
    Bytes reply = Answer(command, frame + 6);
    if (const auto keep = faults.TakeEventShortReply()) {
        // The status word stays; of the data only keep bytes remain.
        Bytes data(reply.begin() + 8, reply.end() - 2);
        data.resize(std::min<std::size_t>(*keep, data.size()));
        reply = Reply(command, static_cast<std::uint16_t>((reply[6] << 8) | reply[7]), data);
    }
    return reply;
}

Bytes EventFunction::Answer(std::uint8_t command, const std::uint8_t* payload) {
    switch (command) {
    case 0x50:  // 'P': where the DCR registers lie; the model keeps its event
                // registers apart from memory and needs no DCR to reach them
        return Reply(command, 0);
    case 0x51:  // 'Q'
        return Reply(command, SetAddressInterrupt(payload));
    case 0x52:  // 'R'
        return Reply(command, SetEvent(payload));
    case 0x53:  // 'S': the break combination
        if (payload[2] != 0) {
            return Reply(command, word::kNoSuchRequest);
        }
        breakCombination_ = payload[1];
        return Reply(command, 0);
    case 0x54:  // 'T'
        return Reply(command, SetTrace(payload));
    case 0x55: {  // 'U': wrapped flag and pointer
        Bytes data{static_cast<std::uint8_t>(traceWrapped_ ? 0x80 : 0x00), static_cast<std::uint8_t>(tracePointer_)};
        return Reply(command, 0, data);
    }
    default: {  // 'V': the whole buffer, type then 24-bit value high byte first
        Bytes data;
        for (std::size_t i = 0; i < trace_.size(); ++i) {
            data.push_back(trace_[i].type);
            data.push_back(static_cast<std::uint8_t>(trace_[i].value >> 16));
            data.push_back(static_cast<std::uint8_t>(trace_[i].value >> 8));
            data.push_back(static_cast<std::uint8_t>(trace_[i].value));
        }
        return Reply(command, 0, data);
    }
    }
}

std::uint16_t EventFunction::SetAddressInterrupt(const std::uint8_t* payload) {
    const std::uint32_t space = payload[0];
    const std::uint32_t address = payload[5] | (payload[6] << 8) | (static_cast<std::uint32_t>(payload[11]) << 16) |
                                  (static_cast<std::uint32_t>(payload[12]) << 24);
    const std::uint32_t enableRegister = ReadLittleEndian32(payload + 13);
    const std::uint8_t enable = payload[17];
    if (enable > 1) {
        return word::kNoSuchRequest;
    }
    auto channel = std::find_if(interrupts_.begin(), interrupts_.end(), [&](const AddressInterrupt& existing) {
        return existing.space == space && existing.enableRegister == enableRegister;
    });
    if (channel == interrupts_.end()) {
        if (interrupts_.size() == kInterruptChannels) {
            return word::kNoSuchRequest;
        }
        channel = interrupts_.insert(interrupts_.end(), AddressInterrupt{space, enableRegister, 0, false});
    }
    channel->address = address;
    channel->enabled = enable == 1;
    return 0;
}

std::uint16_t EventFunction::SetEvent(const std::uint8_t* payload) {
    // Six register writes of three bytes each: register number, value.
    auto value = [&](std::size_t i) { return ReadLittleEndian16(payload + 1 + 3 * i + 1); };
    auto number = [&](std::size_t i) { return payload[1 + 3 * i]; };
    const std::uint8_t dbc = number(0);
    if (dbc != kEventARegister && dbc != kEventBRegister) {
        return word::kNoSuchRequest;
    }
    Event& event = events_[dbc == kEventARegister ? 0 : 1];
    event.set = true;
    event.kind = payload[0];
    event.accessType = static_cast<std::uint8_t>((value(0) >> 6) & 0x03);
    // A write to register number 0 reaches no register: event B has no
    // data registers.
    const auto write = [&](std::size_t i, auto apply) {
        if (number(i) != 0) {
            apply(value(i));
        }
    };
    write(1, [&](std::uint16_t v) { event.address = (event.address & 0xFFFF0000u) | v; });
    write(2, [&](std::uint16_t v) { event.address = (event.address & 0xFFFFu) | (static_cast<std::uint32_t>(v) << 16); });
    write(3, [&](std::uint16_t v) { event.maskBits = v; });
    write(4, [&](std::uint16_t v) { event.data = v; });
    write(5, [&](std::uint16_t v) { event.dataMask = v; });
    return 0;
}

std::uint16_t EventFunction::SetTrace(const std::uint8_t* payload) {
    const std::uint16_t control = ReadLittleEndian16(payload + 1);
    traceStart_ = (control >> 12) & 0x0F;
    traceStop_ = (control >> 8) & 0x0F;
    traceType_ = (control >> 5) & 0x03;
    tracePickUp_ = (control >> 4) & 0x01;
    traceBreakAtFull_ = (control & 0x01) == 0;
    // The size takes effect at the next go: what was recorded stays
    // readable after the settings change.
    traceSize_ = payload[3];
    traceConfigured_ = true;
    return 0;
}

void EventFunction::OnGo() {
    sawA_ = sawB_ = sawBThenA_ = false;
    stop_.reset();
    if (traceConfigured_) {
        trace_.assign(traceSize_, TraceEntry{});
        tracePointer_ = 0;
        traceWrapped_ = false;
        traceActive_ = traceStart_ == 0;
    }
}

bool EventFunction::AddressInterruptAt(std::uint32_t address) const {
    return std::any_of(interrupts_.begin(), interrupts_.end(), [&](const AddressInterrupt& channel) {
        return channel.enabled && channel.address == address;
    });
}

std::optional<std::uint16_t> EventFunction::TakeStop() {
    auto stop = stop_;
    stop_.reset();
    return stop;
}

bool EventFunction::Combination(std::uint32_t value) const {
    switch (value) {
    case kCombineA:
        return sawA_;
    case kCombineAOrB:
        return sawA_ || sawB_;
    case kCombineAAndB:
        return sawA_ && sawB_;
    case kCombineBThenA:
        return sawBThenA_;
    default:
        return false;
    }
}

void EventFunction::OnDataAccess(std::uint32_t address, std::uint8_t value, bool write) {
    const bool a = events_[0].Matches(address, value, write);
    const bool b = events_[1].Matches(address, value, write);
    sawBThenA_ = sawBThenA_ || (a && sawB_);
    sawA_ = sawA_ || a;
    sawB_ = sawB_ || b;
    if (traceConfigured_ && !traceActive_ && traceStart_ != 0 && Combination(traceStart_)) {
        traceActive_ = true;
    }
    if (traceActive_ && traceType_ != 0 && (a || (tracePickUp_ == 1 && b))) {
        Record(static_cast<std::uint8_t>(kTraceDataByte | (write ? kTraceWrite : 0)),
               (static_cast<std::uint32_t>(value) << 8) | (address & 0xFF));
    }
    if (traceActive_ && traceStop_ >= kCombineA && Combination(traceStop_)) {
        traceActive_ = false;
    }
    if (breakCombination_ != 0 && Combination(breakCombination_) && !stop_) {
        stop_ = word::kStopEvent;
    }
}

void EventFunction::OnBranch(std::uint32_t from, std::uint32_t to) {
    if (traceActive_ && traceType_ == 0) {
        Record(kTraceBranch, from & 0xFFFFFF);
        Record(kTraceDestination, to & 0xFFFFFF);
    }
}

void EventFunction::Record(std::uint8_t type, std::uint32_t value) {
    if (!traceActive_ || trace_.empty()) {
        return;
    }
    trace_[tracePointer_] = TraceEntry{type, value & 0xFFFFFF};
    if (++tracePointer_ == trace_.size()) {
        tracePointer_ = 0;
        traceWrapped_ = true;
        if (traceStop_ == kTraceStopAtFull) {
            traceActive_ = false;
        }
        if (traceBreakAtFull_ && !stop_) {
            stop_ = word::kStopTraceFull;
        }
    }
}

}  // namespace simemu
