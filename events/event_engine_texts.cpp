// The event engine's texts for the event list, and the address range of an
// event (which the trace list shows too).
#include "events/event_engine.h"

#include <cstdio>

namespace {

constexpr LONG kCombineA = 4;
constexpr LONG kCombineAOrB = 5;
constexpr LONG kCombineAAndB = 6;
constexpr LONG kCombineBThenA = 7;
constexpr LONG kStopAtFull = 2;
constexpr LONG kDataTrace = 2;

std::string Hex(const char* format, unsigned value) {
    char text[16];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

// The bits an event with maskBits ignored bits compares.
DWORD AddressMask(LONG maskBits) {
    const unsigned bits = static_cast<unsigned>(maskBits) & 0x1F;
    return 0xFFFF0000u | ((0xFFFFu >> bits) << bits);
}

}  // namespace

std::string CEventEngine::AddressText(DWORD address) const {
    char text[16];
    std::snprintf(text, sizeof(text), "%0*X", m_addressDigits, static_cast<unsigned>(address));
    return text;
}

void CEventEngine::GetEventAddressRange(LONG id, DWORD* low, DWORD* high) {
    const std::optional<CEventDescriptor> event = GetEvent(id);
    if (!event.has_value()) {
        return;
    }
    if (event->maskBits == 0) {
        *low = *high = event->address;
        return;
    }
    const DWORD mask = AddressMask(event->maskBits);
    *low = event->address & mask;
    *high = event->address | ~mask;
}

void CEventEngine::FormatCondition(LONG id, std::string& condition, std::string& access) {
    condition.clear();
    access.clear();
    const std::optional<CEventDescriptor> event = GetEvent(id);
    if (!event.has_value()) {
        return;
    }
    std::string address;
    if (event->maskBits == 0) {
        address = "(addr)==0x" + AddressText(event->address);
    } else {
        DWORD low = 0;
        DWORD high = 0;
        GetEventAddressRange(id, &low, &high);
        address = "0x" + AddressText(low) + "<=(addr)<=0x" + AddressText(high);
    }
    if (event->kind == 0 && event->dataMask != 0) {
        const bool byte = event->accessSize == 1;
        const char* format = byte ? "%02X" : "%04X";
        std::string data;
        if (event->dataMask == 0xFFFF) {
            data = "(data)==0x" + Hex(format, event->data);
        } else {
            const unsigned mask = byte ? event->dataMask & 0xFFu : event->dataMask;
            data = "(data&&0x" + Hex(format, mask) + ")==0x" + Hex(format, event->data);
        }
        condition = address + " &&&& " + data;
    } else {
        condition = address;
    }
    access = event->accessType == 0 ? "R/W" : event->accessType == 1 ? "READ" : "WRITE";
}

std::string CEventEngine::FormatCombination(LONG value) {
    switch (value) {
    case kCombineA:
        return "A";
    case kCombineAOrB:
        return "A or B";
    case kCombineAAndB:
        return "A and B";
    case kCombineBThenA:
        return "B -> A";
    default:
        return {};
    }
}

std::string CEventEngine::FormatBreakCondition() {
    const LONG combination = GetBreakCombination();
    const LONG breakAtFull = GetTraceSettings().breakAtFull;
    const std::string events = FormatCombination(combination);
    if (breakAtFull == 0) {
        return events.empty() ? std::string() : "Event [" + events + "]";
    }
    return events.empty() ? std::string("Trace Full Break") : "Event [" + events + "] with Trace Full Break";
}

std::string CEventEngine::FormatTraceCondition() {
    const EventTraceSettings trace = GetTraceSettings();
    const std::string from = trace.start == 0 ? std::string("Go") : FormatCombination(trace.start);
    const std::string to = trace.stop == 0            ? std::string("Break")
                           : trace.stop == kStopAtFull ? std::string("Trace FULL")
                                                       : FormatCombination(trace.stop);
    std::string text = "from [" + from + "] to [" + to + "]";
    if (trace.type == kDataTrace) {
        text = std::string("Pick up [") + (trace.pickUp == 0 ? "A" : "A or B") + "] " + text;
    }
    return text;
}
