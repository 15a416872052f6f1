// The device-file readers over arbitrary bytes: the input is read as the
// body of a device section of a device description file, as the body of a
// firmware information file's section and as a device list. Every count
// stays inside its table, every text inside its field, and nothing reads or
// writes past a buffer.
#include "config/device_data.h"
#include "startup/device_file.h"
#include "startup/device_names.h"
#include "startup/firmware_info_file.h"
#include "startup/protected_registers.h"
#include "target/target_vk3.h"

#include "platform/paths.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace {

void Check(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// The run's own folder for the two files, removed when the run ends.
class FuzzFolder {
public:
    FuzzFolder()
        : m_path(std::filesystem::temp_directory_path() /
                 ("q3v_device_files_fuzz_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(m_path);
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }

private:
    std::filesystem::path m_path;
};

const std::filesystem::path& Folder() {
    static const FuzzFolder folder;
    return folder.Path();
}

std::string Write(const char* name, const std::string& bytes) {
    const std::filesystem::path path = Folder() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return platform::ToWindowsPath(path.string());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    GetTarget()->GetSettingsCache().Clear();
    g_deviceValues = DeviceValues{};
    g_deviceAreas = {};
    g_protocolType = 0;
    g_swtiSupported = 0;

    // The section headers come first, so that the input's lines are keys.
    ReadDeviceDescription(Write("DEV.cnf", "[VK31D16]\n" + bytes), "VK31D16");
    GetTarget()->GetSettingsCache().Clear();
    ReadFirmwareInfoFileAt(Write("DEV.fif", "[FirmInf]\n" + bytes));
    GetTarget()->GetSettingsCache().Clear();
    SetDeviceNames(bytes);

    const DeviceValues& device = g_deviceValues;
    Check(device.flashBlockCount <= kFlashTableSize);
    Check(device.eraseBlockCount <= kFlashTableSize);
    Check(device.firmBlockNo < kFlashTableSize);
    Check(device.addressBreakCount <= kBreakChannelRegisters);
    Check(device.xinCount <= kXinEntryCount);
    for (std::size_t i = 0; i < device.xinCount; ++i) {
        Check(device.xin[i].byteCount >= 1 && device.xin[i].byteCount <= 4);
    }
    Check(device.interruptPatchCount <= kWorkRamEntries);
    Check(device.initialRegisterCount <= kInitialRegisterCount);
    Check(device.idCodeLength <= kDeviceIdCodeBytes);
    Check(device.cpuType.size() <= device_text::kCpuType);
    Check(device.firmName.size() <= device_text::kFirmName);
    Check(device.firmId.size() <= device_text::kFirmId);
    Check(device.deviceName.size() <= device_text::kDeviceName);
    Check(device.flibName.size() <= device_text::kFlibName);
    Check(device.adpName.size() <= device_text::kAdpName);
    Check(g_swtiSupported <= 1);
    Check(GetDeviceNames().size() <= kDeviceNameCapacity);
    for (const std::string& name : GetDeviceNames()) {
        Check(!name.empty() && name.size() <= kDeviceNameLength);
    }
    Check(g_protectedRegisters.GetCount() == g_protectedRegisters.Entries().size());
    return 0;
}
