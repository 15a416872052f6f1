// CDeviceSelection: the start-up choice of microcontroller group, device and
// connect mode, made when the host creates the target's configuration
// handler. The target object makes it when it is built and deletes it when it
// goes (g_deviceSelection).
//
// The selection from the session, the device files and the Emulator Setting
// sheet comes with the device data; until then nothing is ever chosen.
#pragma once

#include <string>

class CDeviceSelection {
public:
    virtual ~CDeviceSelection() = default;

    // Settles group, device and connect mode; 0 when a device was chosen
    // (g_deviceIndex), -1 when none was.
    virtual int LoadStartupDeviceSelection(int listSelector);
    // The device-name table's entry (a device section name of at most 19
    // characters); empty for an index outside the table.
    virtual std::string GetDeviceName(int index) const;
};

// The chosen device's index in the device-name table, -1 when none.
extern int g_deviceIndex;

extern CDeviceSelection* g_deviceSelection;

// The chosen device's section name in the device description file (at most
// 19 characters), kept by the configuration handler's creation.
extern char g_deviceSection[20];
