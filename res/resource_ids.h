// The ids of the plug-in's own dialog templates, their controls and the
// string-table entries the code names.
#pragma once

#include "platform/wintypes.h"

namespace res_id {

// The emulator link's dialogs.
inline constexpr UINT kPowerSupplyDialog = 280;
inline constexpr UINT kDownloadProgressDialog = 284;
inline constexpr UINT kIdCodeDialog = 296;

// Their controls.
inline constexpr int kIdCodeHex = 1003;
inline constexpr int kIdCodeAscii = 1004;
inline constexpr int kIdCodeText = 1034;
inline constexpr int kPowerFromEmulator = 1227;
inline constexpr int kVoltage33 = 1228;
inline constexpr int kVoltage50 = 1229;
inline constexpr int kVoltageGroup = 1234;
inline constexpr int kDownloadProgress = 1236;

// Strings.
inline constexpr UINT kTooManyCharacters = 62090;  // "Please enter no more than %d characters."
inline constexpr UINT kPowerOnPrompt = 62091;      // "Power on the target board and press <Enter> Key."
inline constexpr UINT kEmulatorNotConnected = 62105;  // "The emulator is not connected.\n..."

}  // namespace res_id
