#include "sim/emulator/firmware_image.h"

#include <cstring>

namespace simemu {

std::optional<FirmwareIdentity> FindFirmwareEntry(const TargetMemory& memory, std::uint32_t address) {
    using namespace firmware_image;
    const std::uint32_t mask = memory.device().addressMask;
    auto at = [&](std::uint32_t offset) { return memory.Read((address + offset) & mask); };
    if (at(0) != 0x04 || at(1) != kEntryMarker || (at(2) != kResetKind && at(2) != kJumpKind)) {
        return std::nullopt;
    }
    const std::uint32_t top = (address - at(3)) & mask;
    for (std::size_t i = 0; i < sizeof(kMagic); ++i) {
        if (memory.Read((top + static_cast<std::uint32_t>(i)) & mask) != static_cast<std::uint8_t>(kMagic[i])) {
            return std::nullopt;
        }
    }
    FirmwareIdentity identity;
    for (std::size_t i = 0; i < kVersionTextLength; ++i) {
        identity.versionText += static_cast<char>(memory.Read((top + kVersionText + i) & mask));
    }
    identity.versionValue = static_cast<std::uint16_t>(memory.Read((top + kVersionValue) & mask) |
                                                       (memory.Read((top + kVersionValue + 1) & mask) << 8));
    return identity;
}

Bytes BuildFirmwareImage() {
    using namespace firmware_image;
    Bytes image(kSize);
    // Filler that reads like code: no-operations with a counting byte, never
    // all 0xFF, so every record of the image is programmed.
    for (std::size_t i = 0; i < image.size(); ++i) {
        image[i] = (i % 2 == 0) ? 0x04 : static_cast<std::uint8_t>(i / 2);
    }
    std::memcpy(image.data(), kMagic, sizeof(kMagic));
    std::memcpy(image.data() + kVersionText, kVersion, kVersionTextLength);
    image[kVersionValue] = static_cast<std::uint8_t>(kVersionNumber);
    image[kVersionValue + 1] = static_cast<std::uint8_t>(kVersionNumber >> 8);
    for (std::size_t i = kVersionValue + 2; i < kResetEntry; ++i) {
        image[i] = 0xFF;
    }
    auto entry = [&](std::uint32_t offset, std::uint8_t kind) {
        image[offset] = 0x04;
        image[offset + 1] = kEntryMarker;
        image[offset + 2] = kind;
        image[offset + 3] = static_cast<std::uint8_t>(offset);
    };
    entry(kResetEntry, kResetKind);
    entry(kJumpEntry, kJumpKind);
    for (std::uint32_t n = 0; n < 5; ++n) {
        entry(kVectorHandlers + 4 * n, kVectorKind);
    }
    return image;
}

}  // namespace simemu
