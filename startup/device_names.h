// The device-name table: the devices of the current device description file
// ("CPU NAME" of its group section, names separated by blanks), the device
// index into it, and the loading of one device's data by its index.
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <vector>

// The table holds at most 200 names of at most 19 characters: names past the
// 200th are left out, longer ones cut.
inline constexpr std::size_t kDeviceNameCapacity = 200;
inline constexpr std::size_t kDeviceNameLength = 19;

// Fills the table from a device list text: a run of blanks separates two
// names, a line end ends the list.
void SetDeviceNames(const std::string& list);
const std::vector<std::string>& GetDeviceNames();
// The index of the first entry equal to name (exactly), or -1.
int FindDeviceName(const std::string& name);

// The group's device description file beside the plug-in ("%s%s.cnf" of the
// module folder and the group): when it exists it becomes the current device
// file (g_cnfPath) and its "CPU NAME" list the table; 1. Otherwise nothing
// changes; 0.
BOOL FindDeviceConfigFile(const std::string& group);

// Reads the device of the table's entry index from the current device file:
// its name becomes the current section (g_deviceSection), the device
// selection reads the section, and the flash code's working block tables
// take the device's. 0, reading nothing, without a device selection object
// or for an index outside the table.
BOOL LoadDeviceConfig(int index);
