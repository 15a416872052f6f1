#include "startup/device_selection.h"

int g_deviceIndex = -1;
CDeviceSelection* g_deviceSelection = nullptr;
char g_deviceSection[20] = "";

int CDeviceSelection::LoadStartupDeviceSelection(int) {
    return -1;
}

std::string CDeviceSelection::GetDeviceName(int) const {
    return {};
}
