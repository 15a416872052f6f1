// The dialogs the emulator link opens while it brings the target up: the ID
// Code dialog of the unlock and the Power Supply dialog of the power-up, each
// modal over the host's main window.
#pragma once

#include "config/device_data.h"

#include <array>

// Asks for the ID code; true on OK with the code in the channel's two ID-code
// words (bytes 1 to 3 in the first, 4 to 7 in the second, high to low).
bool PromptIdCodeDialog(std::array<DWORD, 2>& idCode);

// Shows the power settings; true on OK with the user's settings stored back.
bool PromptPowerSupplyDialog(PowerSupplySettings& settings);
