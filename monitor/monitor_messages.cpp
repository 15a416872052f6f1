#include "monitor/monitor_messages.h"

#include "link/monitor_data.h"
#include "monitor/monitor_object.h"
#include "monitor/monitor_output.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

std::array<char, kMonitorAddressTextSize> g_monitorAddressText{'0', '0', '0', '0', '0', '0', '0', '0'};

namespace {

struct StatusMessage {
    WORD status;
    WORD code;
};

constexpr WORD kStatusVerify = 0x4254;  // "BT"

constexpr StatusMessage kStatusTable[] = {
    {0x5045, monitor_message::kInvalidAddress},          // "PE"
    {kStatusVerify, monitor_message::kSetPointNotRam},   // "BT"
    {0x4D4F, monitor_message::kNone},                    // "MO"
    {0x4149, monitor_message::kCannotUseMode},           // "AI"
    {0x5346, monitor_message::kCommunicationTimeout},    // "SF"
    {0x4E55, monitor_message::kConnectorDisconnected},   // "NU"
    {0x5445, monitor_message::kTlbError},                // "TE"
};

// Messages 1 to 54 by number; entry 0 is never chosen.
constexpr std::string_view kMessages[] = {
    "*",
    " *** 01:Internal error(nn)",
    " *** 02:HOST I/O error(nn)",
    " *** 03:Parallel I/O error(nn)",
    " *** 04:EXT I/O error(nn)",
    " *** 05:Communication timeout error",
    " *** 06:Connector disconnected",
    " *** 07:FD unformatted",
    " *** 08:File not found",
    " *** 09:Invalid file name",
    " *** 10:Invalid file",
    " *** 11:Not same size",
    " *** 12:Not same format",
    " *** 13:File too large max",
    " *** 14:Overlay command not found",
    " *** 15:Syntax error",
    " *** 16:Invalid command",
    " *** 17:Invalid data",
    " *** 18:Invalid address",
    " *** 19:Data overflow",
    " *** 20:Symbol not found",
    " *** 21:Invalid symbol",
    " *** 22:Invalid condition",
    " *** 23:Double definition",
    " *** 24:Symbol in use",
    " *** 25:Invalid asm mnemonic",
    " *** 26:Invalid asm operand",
    " *** 27:Too many symbols",
    " *** 28:Too many points",
    " *** 29:Set point not ram",
    " *** 30:Illegal instruction address",
    " *** 31:Verify error",
    " *** 32:Not found",
    " *** 33:Invalid sp address",
    " *** 34:Internal I/O area",
    " *** 35:Label table overflow",
    " *** 36:Monitor rom area",
    " *** 37:JTAG control area",
    " *** 38:Monitor command area",
    " *** 39:Set point not break",
    " *** 40:Set condition not bc1",
    " *** 41:Trace condition in use",
    " *** 42:Can not use this mode",
    " *** 43:Associative write fault",
    " *** 44:Invalid alignment",
    " *** 45:Buffer empty",
    " *** 46:Can not set A=",
    " *** 47:Break point is deleted A=",
    " *** 48:No trace information",
    " *** 49:Command unusable in breakcondition release mode",
    " *** 50:Duplicate hi break point",
    " *** 51:Tlb error EXPEVT=",
    " *** 52:Can not set fill trace(interrupt on)",
    " *** 53:Can not set (full trace on)",
    " *** 54:Emulator area",
};

// Codes 0x5000 + 0x100 * i.
constexpr std::string_view kSecondMessages[] = {
    " *** 80:Odd address",
    " *** 81:Invalid operand size",
    " *** 82:Invalid absolute address",
    " *** 83:Internal I/O area",
    " *** 84:Dummy error",
    " *** 85:Invalid file data",
    " *** 86:Monitor command area",
    " *** 87:Emulator area",
    " *** 88:Dummy error",
    " *** 89:Dummy error",
    " *** 90:Dummy error",
};

constexpr std::int16_t kFirstLow = 0x0100;
constexpr std::int16_t kFirstHigh = 0x3600;
constexpr std::int16_t kSecondLow = 0x5000;
constexpr std::int16_t kSecondHigh = 0x5A00;
// The field a message goes out in: its text, zero-terminated, zeros after.
constexpr std::size_t kMessageField = 60;

bool InRange(WORD code) {
    const auto value = static_cast<std::int16_t>(code);
    return (value >= kFirstLow && value <= kFirstHigh) || (value >= kSecondLow && value <= kSecondHigh);
}

}  // namespace

WORD MapMonitorStatus(WORD status, DWORD verifyHasNoMessage) {
    const auto* found = std::find_if(std::begin(kStatusTable), std::end(kStatusTable),
                                     [&](const StatusMessage& entry) { return entry.status == status; });
    if (found == std::end(kStatusTable) || (status == kStatusVerify && verifyHasNoMessage != 0)) {
        return monitor_message::kNone;
    }
    return found->code;
}

std::string_view MonitorMessageText(WORD code) {
    if (!InRange(code)) {
        return {};
    }
    if (code < static_cast<WORD>(kSecondLow)) {
        return kMessages[code >> 8];
    }
    return kSecondMessages[(code - static_cast<WORD>(kSecondLow)) >> 8];
}

void FormatMonitorError(WORD code) {
    if (!InRange(code)) {
        return;
    }
    std::array<char, kMessageField> field{};
    const std::string_view text = MonitorMessageText(code);
    std::copy(text.begin(), text.end(), field.begin());
    const WORD group = code & 0xFF00;
    if (group == monitor_message::kCannotSet || group == monitor_message::kBreakPointDeleted) {
        std::copy(g_monitorAddressText.begin(), g_monitorAddressText.end(), field.begin() + text.size());
    }
    AppendMonitorOutput(field.data(), static_cast<WORD>(field.size()));
    g_monitorReplyState = kMonitorReplyPending;
}

void SetMonitorAddressText(DWORD address) {
    CMonitorObject::FormatHex(address, g_monitorAddressText.data(), kMonitorAddressTextSize);
}
