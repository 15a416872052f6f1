// The link's 16-bit result words, the adapter's status bytes and the driver
// result codes the plug-in interprets, in one place.
#pragma once

#include <cstdint>

namespace link_result {

inline constexpr std::uint16_t kOk = 0;                   // success
inline constexpr std::uint16_t kTimeout = 0x5346;         // "SF": driver failure or time-out; the link counts as lost
inline constexpr std::uint16_t kNotConnected = 0x4E55;    // "NU": connector disconnected, or its check refused
inline constexpr std::uint16_t kAborted = 0xFFFF;         // aborted, general failure, or not offered for the protocol type
inline constexpr std::uint16_t kCheckFailed = 254;        // a readiness, echo or ID check failed, or a prompt was cancelled
inline constexpr std::uint16_t kPowerCancelled = 0xFF;    // the user cancelled the power prompt or dialog
inline constexpr std::uint16_t kNak = 21;                 // the adapter's negative acknowledge
inline constexpr std::uint16_t kFrequencyError = 131;     // status 0x83
inline constexpr std::uint16_t kBootCodeError = 133;      // status 0x85
inline constexpr std::uint16_t kSumCheckError = 145;      // status 0x91
inline constexpr std::uint16_t kEraseError = 161;         // status 0xA1
inline constexpr std::uint16_t kWriteError = 163;         // status 0xA3
inline constexpr std::uint16_t kBreakIn = 0x4249;         // "BI": internal run-state answer, stopped by a break
inline constexpr std::uint16_t kRunStateOk = 0x4F4B;      // "OK": internal run-state answer
inline constexpr std::uint16_t kNoSuchRequest = 0x5052;   // "PR": no such firmware request
inline constexpr std::uint16_t kOutsideArea = 0x5045;     // "PE": address outside the effective areas
inline constexpr std::uint16_t kTargetReset = 0x5253;     // "RS": the firmware reports a target reset
inline constexpr std::uint16_t kNoTargetPower = 0x4E50;   // "NP": the target has no power (after a CPU reset)

// The adapter refused the exchange: a negative acknowledge or an error status.
inline constexpr bool IsAdapterRefusal(std::uint16_t word) {
    return word == kNak || word == kFrequencyError || word == kBootCodeError || word == kSumCheckError ||
           word == kEraseError || word == kWriteError;
}

}  // namespace link_result

// The adapter's one-byte status replies (00 02 s 81) and its commands.
namespace adapter_status {

inline constexpr std::uint8_t kAck = 0x06;             // acknowledge
inline constexpr std::uint8_t kNak = 0x15;             // negative acknowledge
inline constexpr std::uint8_t kFrequencyError = 0x83;  // frequency error
inline constexpr std::uint8_t kBootCodeError = 0x85;   // boot code error
inline constexpr std::uint8_t kSumCheckError = 0x91;   // sum check error
inline constexpr std::uint8_t kEraseError = 0xA1;      // flash erase error
inline constexpr std::uint8_t kWriteError = 0xA3;      // flash write error

}  // namespace adapter_status

// Driver result codes with a meaning to the plug-in; every other value is the
// driver's own failure, described by ULE_DLLError.
namespace driver_result {

inline constexpr std::uint32_t kOk = 0;                  // success
inline constexpr std::uint32_t kPending = 3;             // poll ULE_Poll; also a transfer without binding or a poll time-out
inline constexpr std::uint32_t kNotBound = 5;            // the entry point is not bound (answered by the binding)
inline constexpr std::uint32_t kAlreadyInitialised = 11; // from ULE_Initialise: counts as success

}  // namespace driver_result
