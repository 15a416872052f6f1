// The monitor's messages: the firmware status words that reach the user
// mapped to message codes, and the message texts by code (" *** NN:...").
// A message code carries its number's table index in the high byte: codes
// 0x0100 to 0x3600 are messages 1 to 54, codes 0x5000 to 0x5A00 messages 80
// to 90.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <string_view>

namespace monitor_message {
inline constexpr WORD kNone = 0xFFFF;               // no message: the mapping's -1
inline constexpr WORD kCommunicationTimeout = 0x0500;
inline constexpr WORD kConnectorDisconnected = 0x0600;
inline constexpr WORD kInvalidData = 0x1100;
inline constexpr WORD kInvalidAddress = 0x1200;
inline constexpr WORD kTooManyPoints = 0x1C00;
inline constexpr WORD kSetPointNotRam = 0x1D00;
inline constexpr WORD kVerifyError = 0x1F00;
inline constexpr WORD kCannotUseMode = 0x2A00;
inline constexpr WORD kCannotSet = 0x2E00;          // " *** 46:Can not set A=" and the address text
inline constexpr WORD kBreakPointDeleted = 0x2F00;  // " *** 47:Break point is deleted A=" and the address text
inline constexpr WORD kTlbError = 0x3300;
inline constexpr WORD kMonitorCommandArea = 0x2600;  // " *** 38:Monitor command area"
inline constexpr WORD kEmulatorArea = 0x3600;
inline constexpr WORD kInternalIoArea = 0x5300;
inline constexpr WORD kMonitorArea = 0x5600;         // " *** 86:Monitor command area"
inline constexpr WORD kReservedArea = 0x5700;        // " *** 87:Emulator area"
}  // namespace monitor_message

// The message code of a firmware status word, or monitor_message::kNone
// when the status has no message: not in the table, "MO", or "BT" when
// verifyHasNoMessage is set.
[[nodiscard]] WORD MapMonitorStatus(WORD status, DWORD verifyHasNoMessage);

// The message text of a code (empty for a code outside both ranges).
std::string_view MonitorMessageText(WORD code);

// Appends the message of a code as a 60-byte field and marks the reply
// pending; a code outside both ranges appends nothing and leaves the reply
// state alone.
void FormatMonitorError(WORD code);

// The address that messages 46 and 47 name: 8 upper-case hexadecimal
// digits, filled by the breakpoint routines before they raise them.
inline constexpr std::size_t kMonitorAddressTextSize = 8;
extern std::array<char, kMonitorAddressTextSize> g_monitorAddressText;
void SetMonitorAddressText(DWORD address);
