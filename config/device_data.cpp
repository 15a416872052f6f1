#include "config/device_data.h"

DWORD g_protocolType = 0;
DWORD g_swtiSupported = 0;
DWORD g_emuSel = connect_mode::kEraseAndConnect;
DWORD g_registerListSelector = 0;
std::array<DeviceArea, kDeviceAreaCount> g_deviceAreas{};
DeviceValues g_deviceValues;
PowerSupplySettings g_powerSupplySettings;
WatchdogSettings g_watchdogSettings;
