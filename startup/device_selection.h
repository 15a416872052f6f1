// CDeviceSelection: the start-up choice of microcontroller group, device and
// connect mode, made when the host creates the target's configuration
// handler, from the session's settings file, the device description files
// and, when anything is missing or the user holds Ctrl, the Emulator Setting
// sheet. A new session first takes what the host's own device description
// gives. The target object makes it when it is built and deletes it when it
// goes (g_deviceSelection).
#pragma once

#include <string>

struct DeviceSelectionRecord;

class CDeviceSelection {
public:
    // The first selection object installs the setting sheets the target
    // configuration runs, and removes them when it goes.
    CDeviceSelection();
    virtual ~CDeviceSelection();
    CDeviceSelection(const CDeviceSelection&) = delete;
    CDeviceSelection& operator=(const CDeviceSelection&) = delete;

    // Settles group, device and connect mode; 0 when a device was chosen
    // (g_deviceIndex), -1 when the user cancelled the sheet or the saved
    // firmware location does not fit. The list selector names the device
    // list the plug-in's own device file gives: 0 "CPU NAME", 1 "CPU NAME_L".
    virtual int LoadStartupDeviceSelection(int listSelector);
    // The device-name table's entry (a device section name of at most 19
    // characters); empty for an index outside the table.
    virtual std::string GetDeviceName(int index) const;
    // Reads the current section (g_deviceSection) of the current device file
    // (g_cnfPath) into the device data.
    void ReadDeviceConfigFile();
};

// The chosen device's index in the device-name table, -1 when none.
extern int g_deviceIndex;

extern CDeviceSelection* g_deviceSelection;

// Writes a new session's choice from the host's description: group, device,
// the advanced firmware location and its placement (by address, or by
// data-flash block).
void SaveEmulatorSelection(const DeviceSelectionRecord& record);

// Whether the power supply choice is kept in the session: "POWER_SUPPLY"
// "SAVE_POWER_SETTING" of the plug-in's own settings file is "ENABLE" in any
// letter case.
bool IsPowerSettingSaved();
