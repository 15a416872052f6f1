#include "startup/device_data.h"

DWORD g_protocolType = 0;
DWORD g_swtiSupported = 0;
DWORD g_emuSel = connect_mode::kEraseAndConnect;
std::array<DeviceArea, kDeviceAreaCount> g_deviceAreas{};
DeviceValues g_deviceValues;
PowerSupplySettings g_powerSupplySettings;
WatchdogSettings g_watchdogSettings;
