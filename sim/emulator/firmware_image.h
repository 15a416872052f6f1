// The layout of the model's emulator firmware image: a header at the
// firmware area's top with the version text and value, and entry markers
// that the model recognises when the target starts at an address. The image
// "frm_kq14.sys" beside the plug-in has this layout.
#pragma once

#include "sim/emulator/byte_order.h"
#include "sim/emulator/target_memory.h"

#include <cstdint>
#include <optional>
#include <string>

namespace simemu {

namespace firmware_image {
inline constexpr char kMagic[8] = {'Q', '3', 'v', 'F', 'I', 'R', 'M', '\0'};
inline constexpr std::size_t kVersionText = 0x08;   // 12 characters
inline constexpr std::size_t kVersionTextLength = 12;
inline constexpr std::size_t kVersionValue = 0x14;  // 16 bits, low byte first
inline constexpr std::uint32_t kResetEntry = 0x20;  // offsets from the image's top
inline constexpr std::uint32_t kJumpEntry = 0x24;
inline constexpr std::uint32_t kVectorHandlers = 0x40;  // five 4-byte handler entries
inline constexpr std::size_t kSize = 0x400;
// An entry: a no-operation, the marker, its kind and its offset.
inline constexpr std::uint8_t kEntryMarker = 0x5A;
inline constexpr std::uint8_t kResetKind = 'R';
inline constexpr std::uint8_t kJumpKind = 'J';
inline constexpr std::uint8_t kVectorKind = 'V';
inline constexpr char kVersion[] = "Q3vKQ14V1.00";
inline constexpr std::uint16_t kVersionNumber = 0x0092;
}  // namespace firmware_image

struct FirmwareIdentity {
    std::string versionText;  // 12 characters
    std::uint16_t versionValue = 0;
};

// The firmware whose reset or jump entry lies at address, when the flash
// holds one there and its header where the entry says.
std::optional<FirmwareIdentity> FindFirmwareEntry(const TargetMemory& memory, std::uint32_t address);

// The built-in image (kSize bytes) as it lies at the firmware area's top.
Bytes BuildFirmwareImage();

}  // namespace simemu
