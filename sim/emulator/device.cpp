#include "sim/emulator/device.h"

#include <cctype>

namespace simemu {

namespace {

// 64 KB: program flash at the top of the space, data flash in the middle.
constexpr Device kVk31D16{
    .name = "VK31D16",
    .defaultProtocol = 1,
    .addressMask = 0xFFFFF,
    .topAddress = 0xFFFF,
    .sfr = {0x0000, 0x02FF},
    .ram = {0x0400, 0x0BFF},
    .firmwareRam = {0x0A00, 0x0BFF},
    .flashBlocks = {{{0xC000, 0xDFFF}, {0xE000, 0xEFFF}, {0xF000, 0xFFFF}, {0x2400, 0x27FF}, {0x2800, 0x2BFF}}},
    .flashBlockCount = 5,
    .vectorTop = 0xFFDC,
    .resetVector = 0xFFFC,
    .idCodeAddress = 0xFFDF,
    .firmwareArea = {0xF000, 0xFF7F},
    .breakEnableRegister = 0x0009,
    .breakAddressRegister = 0x0010,
    .breakAddressStride = 4,
    .breakChannels = 2,
    .breakEnableRegister2 = 0x000A,
    .breakAddressRegister2 = 0x0018,
    .breakAddressWidth2 = 2,
    .dataBreakControl = 0x01AC,
    .dataBreakAddress = 0x01A8,
    .dataBreakData = 0x01AA,
    .dataBreakWidth = 2,
    .traceControlRegister = 0x01B8,
    .traceBranchRegister = 0x01A0,
    .traceBranchSize = 2,
    .bootVersion = "VK3B1.00",
};

// 1 MB: program flash in the top 64 KB.
constexpr Device kVk32D64{
    .name = "VK32D64",
    .defaultProtocol = 2,
    .addressMask = 0xFFFFF,
    .topAddress = 0xFFFFF,
    .sfr = {0x0000, 0x03FF},
    .ram = {0x0400, 0x13FFF},
    .firmwareRam = {0x13C00, 0x13FFF},
    .flashBlocks = {{{0xF0000, 0xF7FFF},
                     {0xF8000, 0xFBFFF},
                     {0xFC000, 0xFDFFF},
                     {0xFE000, 0xFEFFF},
                     {0xFF000, 0xFFFFF},
                     {0x14000, 0x147FF},
                     {0x14800, 0x14FFF}}},
    .flashBlockCount = 7,
    .vectorTop = 0xFFFDC,
    .resetVector = 0xFFFFC,
    .idCodeAddress = 0xFFFDF,
    .firmwareArea = {0xFF000, 0xFFEFF},
    .breakEnableRegister = 0x0009,
    .breakAddressRegister = 0x0010,
    .breakAddressStride = 4,
    .breakChannels = 8,
    .traceControlRegister = 0x03B8,
    .traceBranchRegister = 0x03A0,
    .traceBranchSize = 3,
    .bootVersion = "VK3B2.00",
};

// 1 MB with 944 KiB of program flash between the RAM and the top, in blocks
// of at most 64 KiB, the firmware in the small top block: the device a
// download of close to a mebibyte is measured on.
constexpr Device kVk32F96{
    .name = "VK32F96",
    .defaultProtocol = 2,
    .addressMask = 0xFFFFF,
    .topAddress = 0xFFFFF,
    .sfr = {0x0000, 0x03FF},
    .ram = {0x0400, 0x13FFF},
    .firmwareRam = {0x13C00, 0x13FFF},
    .flashBlocks = {{{0x14000, 0x1FFFF},
                     {0x20000, 0x2FFFF},
                     {0x30000, 0x3FFFF},
                     {0x40000, 0x4FFFF},
                     {0x50000, 0x5FFFF},
                     {0x60000, 0x6FFFF},
                     {0x70000, 0x7FFFF},
                     {0x80000, 0x8FFFF},
                     {0x90000, 0x9FFFF},
                     {0xA0000, 0xAFFFF},
                     {0xB0000, 0xBFFFF},
                     {0xC0000, 0xCFFFF},
                     {0xD0000, 0xDFFFF},
                     {0xE0000, 0xEFFFF},
                     {0xF0000, 0xFEFFF},
                     {0xFF000, 0xFFFFF}}},
    .flashBlockCount = 16,
    .vectorTop = 0xFFFDC,
    .resetVector = 0xFFFFC,
    .idCodeAddress = 0xFFFDF,
    .firmwareArea = {0xFF000, 0xFFEFF},
    .breakEnableRegister = 0x0009,
    .breakAddressRegister = 0x0010,
    .breakAddressStride = 4,
    .breakChannels = 8,
    .traceControlRegister = 0x03B8,
    .traceBranchRegister = 0x03A0,
    .traceBranchSize = 3,
    .bootVersion = "VK3B2.00",
};

// 16 MB: program flash at the very top.
constexpr Device kVk33D64{
    .name = "VK33D64",
    .defaultProtocol = 3,
    .addressMask = 0xFFFFFF,
    .topAddress = 0xFFFFFF,
    .sfr = {0x0000, 0x03FF},
    .ram = {0x0400, 0x2BFF},
    .firmwareRam = {0x2A00, 0x2BFF},
    .flashBlocks = {{{0xFF0000, 0xFF7FFF}, {0xFF8000, 0xFFBFFF}, {0xFFC000, 0xFFFFFF}}},
    .flashBlockCount = 3,
    .vectorTop = 0xFFFFDC,
    .resetVector = 0xFFFFFC,
    .idCodeAddress = 0xFFFFDF,
    .firmwareArea = {0xFFF000, 0xFFFEFF},
    .breakEnableRegister = 0x0009,
    .breakAddressRegister = 0x0010,
    .breakAddressStride = 4,
    .breakChannels = 8,
    .traceControlRegister = 0x03B8,
    .traceBranchRegister = 0x03A0,
    .traceBranchSize = 3,
    .bootVersion = "VK3B3.00",
};

constexpr const Device* kDevices[] = {&kVk31D16, &kVk32D64, &kVk32F96, &kVk33D64};

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

const Device* FindDevice(std::string_view name) {
    for (const Device* device : kDevices) {
        if (SameName(device->name, name)) {
            return device;
        }
    }
    return nullptr;
}

const Device& DemoDevice() {
    return kVk31D16;
}

std::array<std::uint32_t, 7> IdCodeAddresses(const Device& device, std::uint32_t protocolType) {
    static constexpr std::uint32_t kSpread[7] = {0, 4, 12, 16, 20, 24, 28};
    std::array<std::uint32_t, 7> addresses{};
    for (std::size_t i = 0; i < addresses.size(); ++i) {
        addresses[i] = device.idCodeAddress + (protocolType == 4 ? static_cast<std::uint32_t>(i) : kSpread[i]);
    }
    return addresses;
}

}  // namespace simemu
