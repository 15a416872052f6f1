#include "startup/device_names.h"

#include "link/flash_blocks.h"
#include "startup/device_file.h"
#include "startup/device_selection.h"
#include "config/settings_files.h"
#include "config/module_folder.h"

#include <cstring>

namespace {

constexpr char kGroupSection[] = "Q3v KTR4 TARGET";
constexpr int kDeviceListSize = 2048;

std::vector<std::string> g_deviceNames;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

void SetDeviceNames(const std::string& list) {
    g_deviceNames.clear();
    std::size_t position = 0;
    while (position < list.size() && g_deviceNames.size() < kDeviceNameCapacity) {
        while (position < list.size() && IsBlank(list[position])) {
            ++position;
        }
        const std::size_t start = position;
        while (position < list.size() && !IsBlank(list[position]) && list[position] != '\n' &&
               list[position] != '\r') {
            ++position;
        }
        if (position > start) {
            g_deviceNames.push_back(list.substr(start, std::min(position - start, kDeviceNameLength)));
        }
        if (position < list.size() && !IsBlank(list[position])) {
            break;  // a line end
        }
    }
}

const std::vector<std::string>& GetDeviceNames() {
    return g_deviceNames;
}

int FindDeviceName(const std::string& name) {
    for (std::size_t i = 0; i < g_deviceNames.size(); ++i) {
        if (g_deviceNames[i] == name) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

BOOL FindDeviceConfigFile(const std::string& group) {
    const std::string path = GetModuleDirectory() + group + ".cnf";
    if (path.size() >= sizeof(g_cnfPath) || !FileExists(path)) {
        return FALSE;
    }
    std::memcpy(g_cnfPath, path.c_str(), path.size() + 1);
    char list[kDeviceListSize] = "";
    ReadProfileString(kGroupSection, "CPU NAME", "", list, sizeof(list), g_cnfPath);
    SetDeviceNames(list);
    return TRUE;
}

BOOL LoadDeviceConfig(int index) {
    if (g_deviceSelection == nullptr || index < 0 || static_cast<std::size_t>(index) >= g_deviceNames.size()) {
        return FALSE;
    }
    const std::string& name = g_deviceNames[static_cast<std::size_t>(index)];
    std::memcpy(g_deviceSection, name.c_str(), name.size() + 1);
    g_deviceSelection->ReadDeviceConfigFile();
    g_flashBlocks.top = g_deviceValues.flashBlockTop;
    g_flashBlocks.end = g_deviceValues.flashBlockEnd;
    return TRUE;
}
