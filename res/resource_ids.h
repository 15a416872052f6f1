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

// The plug-in's menu and its debug toolbar (whose bitmap has the same id),
// and their commands; the string of each command is its prompt and tip.
inline constexpr UINT kUiMenu = 3088;
inline constexpr UINT kDebugToolbar = 205;
inline constexpr UINT kCmdMemoryResource = 32772;
inline constexpr UINT kCmdSystemSetup = 32773;
inline constexpr UINT kCmdEmulatorHelp = 32778;
inline constexpr UINT kCmdEmulatorSetting = 32869;
inline constexpr UINT kCmdStartStopSetting = 32870;

// Strings.
inline constexpr UINT kTooManyCharacters = 62090;  // "Please enter no more than %d characters."
inline constexpr UINT kPowerOnPrompt = 62091;      // "Power on the target board and press <Enter> Key."
inline constexpr UINT kEmulatorNotConnected = 62105;  // "The emulator is not connected.\n..."

}  // namespace res_id
