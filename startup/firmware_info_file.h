// The firmware information file beside each firmware image (its name with
// ".fif" for ".sys", section "FirmInf"): what that firmware build needs and
// offers. Its values replace the device description file's; vectors and
// entry addresses are offsets from the firmware base (the ASE1 area's top).
#pragma once

#include <string>

// The file's path: the folder followed by the firmware name, with every
// ".sys" of the name (not of its folders) turned into ".fif".
std::string FirmwareInfoFilePath(const std::string& folder, const std::string& firmName);

// Reads the file that belongs to the firmware image firmName (beside the
// plug-in) into the device data; a missing file changes nothing.
void ReadFirmwareInfoFile(const std::string& firmName);
// The same for the file at path.
void ReadFirmwareInfoFileAt(const std::string& path);
