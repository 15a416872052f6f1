#include "target/cold_start.h"

#include "link/firm_buffers.h"
#include "link/firm_codes.h"
#include "link/firm_command.h"
#include "config/device_data.h"
#include "config/settings_files.h"
#include "util/scan_values.h"

#include <algorithm>

namespace {

constexpr int kInfoTextSize = 256;

struct ColdStartArea {
    DWORD enable = 1;
    DWORD start = 0x332;
    DWORD end = 0x335;
};

ColdStartArea ReadColdStartArea() {
    ColdStartArea area;
    char text[kInfoTextSize] = "";
    ReadProfileString(g_deviceSection, "COLD START INF", "", text, sizeof(text), g_cnfPath);
    if (text[0] != '\0') {
        ScanValues(text, " %x %8x %8x", &area.enable, &area.start, &area.end);
    }
    return area;
}

}  // namespace

DWORD ApplyColdStartInfo() {
    if (g_emuSel == connect_mode::kProgramFlash) {
        return 1;
    }
    const ColdStartArea area = ReadColdStartArea();
    if (area.enable == 0 || area.end < area.start || area.end - area.start >= kFirmWriteDataSize) {
        return 1;
    }
    const DWORD length = area.end - area.start + 1;
    // The area is cleared: what the shared write buffer last held is no
    // part of it.
    std::fill_n(g_firmWriteData.begin(), length, BYTE{0});
    CFirmCommand command;
    // A failed write leaves the area as it was; the disconnect goes on.
    static_cast<void>(command.WriteMemory(access_code::kByte, area.start, length, 0));
    return 1;
}
