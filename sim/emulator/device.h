// The built-in devices of the simulated Vk3 family: memory map, flash blocks,
// vector and ID-code addresses, the emulator firmware's place, and the
// address-match break registers. The demo device's description file beside
// the plug-in describes the same chip.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace simemu {

struct AddressRange {
    std::uint32_t top = 0;
    std::uint32_t end = 0;  // inclusive
    bool Contains(std::uint32_t address) const { return address >= top && address <= end; }
    std::uint32_t Size() const { return end - top + 1; }
};

struct Device {
    std::string_view name;
    std::uint32_t defaultProtocol = 1;
    std::uint32_t addressMask = 0xFFFFF;  // what the program counter keeps
    std::uint32_t topAddress = 0xFFFF;    // highest address the firmware serves
    AddressRange sfr;                     // internal I/O registers
    AddressRange ram;                     // user RAM and the firmware's work RAM
    AddressRange firmwareRam;             // the firmware's work RAM, inside ram
    std::array<AddressRange, 16> flashBlocks{};
    std::size_t flashBlockCount = 0;
    std::uint32_t vectorTop = 0;          // the fixed vector table runs from here to the top
    std::uint32_t resetVector = 0;
    std::uint32_t idCodeAddress = 0;
    AddressRange firmwareArea;            // where the emulator firmware is programmed
    // Address-match break channels: one enable register with bit n for
    // channel n, and a 3-byte address register per channel.
    std::uint32_t breakEnableRegister = 0;
    std::uint32_t breakAddressRegister = 0;
    std::uint32_t breakAddressStride = 4;
    std::uint32_t breakChannels = 0;
    // The hardware break type 1 (VK31D16): channels 2 and 3 with their own
    // enable register (bit 0 channel 2, bit 1 channel 3; 0: the device has
    // none) and address registers of breakAddressWidth2 bytes, and the data
    // break's control (ABRC), address (BAR) and data (BDR) registers of
    // dataBreakWidth bytes.
    std::uint32_t breakEnableRegister2 = 0;
    std::uint32_t breakAddressRegister2 = 0;
    std::uint32_t breakAddressWidth2 = 2;
    std::uint32_t dataBreakControl = 0;
    std::uint32_t dataBreakAddress = 0;
    std::uint32_t dataBreakData = 0;
    std::uint32_t dataBreakWidth = 2;
    // The branch trace: a control register (bit 1 records) and four
    // registers of traceBranchSize bytes each from traceBranchRegister on,
    // the newest first.
    std::uint32_t traceControlRegister = 0;
    std::uint32_t traceBranchRegister = 0;
    std::uint32_t traceBranchSize = 3;
    std::string_view bootVersion;         // eight characters, answered by the version command
};

// The devices by name (compared without regard to case); null when unknown.
const Device* FindDevice(std::string_view name);
// The demo device: the one the data files beside the plug-in describe.
const Device& DemoDevice();

// The seven ID-code bytes lie spread over the vector table (protocol types
// 0 to 3) or one after another (type 4).
std::array<std::uint32_t, 7> IdCodeAddresses(const Device& device, std::uint32_t protocolType);

}  // namespace simemu
