#include "startup/firmware_info_file.h"

#include "config/device_data.h"
#include "startup/device_file.h"
#include "config/module_folder.h"
#include "util/scan_values.h"

#include <cstdio>

namespace {

constexpr char kSection[] = "FirmInf";

std::string Numbered(const char* format, std::size_t number) {
    char key[32];
    std::snprintf(key, sizeof(key), format, static_cast<unsigned>(number));
    return key;
}

// A present key's offset from the firmware base, as the address's four
// bytes, least significant first.
void ReadOffset(const CDeviceFileKeys& keys, const std::string& key, std::array<BYTE, 4>& bytes) {
    const std::string text = keys.Text(key);
    DWORD offset = 0;
    if (text.empty() || ScanValues(text.c_str(), "%lx", &offset) != 1) {
        return;
    }
    const DWORD address = g_deviceValues.firmwareBase + offset;
    bytes = {static_cast<BYTE>(address), static_cast<BYTE>(address >> 8), static_cast<BYTE>(address >> 16),
             static_cast<BYTE>(address >> 24)};
}

void ReadHex(const CDeviceFileKeys& keys, const char* key, const char* format, DWORD& field) {
    if (const std::string text = keys.Text(key); !text.empty()) {
        static_cast<void>(ScanValues(text.c_str(), format, &field));  // what does not scan is kept
    }
}

// The offsets the firmware location moves the vectors by, from the values in
// force whether or not the file gave them.
void ComputeOffsets(DeviceValues& device) {
    const DWORD base = device.firmwareBase;
    for (std::size_t i = 0; i < kVectorCount; ++i) {
        const auto& bytes = device.vectors[i];
        const DWORD address = static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
                              static_cast<DWORD>(bytes[2]) << 16;
        device.vectorOffsets[i] = address - base;
    }
    const auto whole = [](const std::array<BYTE, 4>& bytes) {
        return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 |
               static_cast<DWORD>(bytes[2]) << 16 | static_cast<DWORD>(bytes[3]) << 24;
    };
    device.firmResetOffset = whole(device.firmResetAddr) - base;
    device.firmJumpOffset = whole(device.firmJumpAddr) - base;
}

void ReadWorkRam(const CDeviceFileKeys& keys, DeviceValues& device) {
    device.interruptPatchCount = 0;
    for (std::size_t i = 0; i < kWorkRamEntries; ++i) {
        const std::string text = keys.Text(Numbered("WORK RAM SET %u", i));
        if (text.empty()) {
            return;
        }
        InterruptRegisterPatch& patch = device.interruptPatches[i];
        static_cast<void>(ScanValues(text.c_str(), "%x %x", &patch.imageOffset, &patch.sourceOffset));
        device.interruptPatchCount = static_cast<DWORD>(i + 1);
    }
}

void ReadDefaultTop(const CDeviceFileKeys& keys, DeviceValues& device) {
    if (!keys.Text("FIRM DEFAULT TOP ADDR").empty()) {
        ReadHex(keys, "FIRM DEFAULT TOP ADDR", "%lx", device.firmDefaultTopAddr);
        return;
    }
    switch (g_protocolType) {
    case 0:
    case 1:
        device.firmDefaultTopAddr = 0xC000;
        break;
    case 2:
        device.firmDefaultTopAddr = 0xFF000;
        break;
    case 3:
        device.firmDefaultTopAddr = 0xFF0000;
        break;
    case 4:
        device.firmDefaultTopAddr = 0x8000;
        break;
    default:
        break;
    }
}

}  // namespace

std::string FirmwareInfoFilePath(const std::string& folder, const std::string& firmName) {
    static constexpr char kImage[] = ".sys";
    static constexpr char kInfo[] = ".fif";
    const std::size_t separator = firmName.find_last_of("\\/:");
    const std::size_t nameStart = separator == std::string::npos ? 0 : separator + 1;
    std::string path = folder + firmName;
    for (std::size_t at = path.find(kImage, folder.size() + nameStart); at != std::string::npos;
         at = path.find(kImage, at + 4)) {
        path.replace(at, 4, kInfo);
    }
    return path;
}

void ReadFirmwareInfoFile(const std::string& firmName) {
    ReadFirmwareInfoFileAt(FirmwareInfoFilePath(GetModuleDirectory(), firmName));
}

void ReadFirmwareInfoFileAt(const std::string& path) {
    const CDeviceFileKeys keys(path, kSection);
    if (!keys.FileFound()) {
        return;
    }
    DeviceValues& device = g_deviceValues;
    if (const std::string firmId = keys.Text("FIRM ID"); !firmId.empty()) {
        device.firmId = firmId.substr(0, device_text::kFirmId);
    }
    for (std::size_t i = 0; i < kVectorCount; ++i) {
        ReadOffset(keys, Numbered("VECT%u", i + 1), device.vectors[i]);
    }
    ReadOffset(keys, "FIRM RESET ADDR", device.firmResetAddr);
    ReadOffset(keys, "FIRM JUMP ADDR", device.firmJumpAddr);
    std::string support = keys.Text("SUPPORT START STOP FUNC");
    static_cast<void>(ScanValues(support.empty() ? "0" : support.c_str(), "%d", &device.supportStartStopFunc));
    ReadHex(keys, "START FUNC VECT", "%lx", device.startFuncVect);
    ReadHex(keys, "STOP FUNC VECT", "%lx", device.stopFuncVect);
    ComputeOffsets(device);
    ReadWorkRam(keys, device);
    ReadHex(keys, "FIRM RAM SET", "%8x", device.firmRamSet);
    ReadHex(keys, "WRITE RAM SET", "%8x", device.writeRamSet);
    ReadHex(keys, "WDT INFO SET", "%8x", device.wdtInfoSet);
    ReadDefaultTop(keys, device);
    const int hideDefault = g_protocolType == 2 || g_protocolType == 3 ? 0 : 1;
    device.wdtCheckBoxShown = keys.Integer("WdtCheckBoxHide", hideDefault) != 1 ? 1 : 0;
    g_swtiSupported = keys.Integer("SWTI", 0) != 0 ? 1 : 0;
    device.resetContinueSupported = keys.Integer("SUPPORT RESET CONTINUE", 0) != 0 ? 1 : 0;
    device.userResetValue = static_cast<DWORD>(keys.Hexadecimal("USER RESET SET", 0));
}
