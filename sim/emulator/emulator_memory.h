// The emulator's own memory, the space of the Q5t memory entries: the boot
// area with the identity and version blocks, the adapter-program flash, the
// emulator's RAM (load area, staging buffer, status mailbox) and the target
// power switch.
#pragma once

#include "sim/emulator/byte_order.h"

#include <cstdint>
#include <vector>

namespace simemu {

namespace emulator_map {
inline constexpr std::uint32_t kIdentity = 0x1000;         // "Q3vEMULATOR", 16 bytes
inline constexpr std::uint32_t kBootVersion = 0x1010;      // 16 bytes
inline constexpr std::uint32_t kAdapterTop = 0x10000;      // the adapter program's flash
inline constexpr std::uint32_t kAdapterIdentity = 0x11000;
inline constexpr std::uint32_t kAdapterVersion = 0x11010;
inline constexpr std::uint32_t kAdapterChecksum = 0x3FFFC;  // 32-bit sum of 0x10000-0x3FFFB
inline constexpr std::uint32_t kAdapterEnd = 0x3FFFF;
inline constexpr std::uint32_t kRamTop = 0x40000;
inline constexpr std::uint32_t kLoadEnd = 0x57FFF;         // write-monitor programs load below
inline constexpr std::uint32_t kStaging = 0x58000;         // callers stage downloads here
inline constexpr std::uint32_t kMailbox = 0x5FFF0;         // two-character status of entries 23-27
inline constexpr std::uint32_t kRamEnd = 0x5FFFF;
inline constexpr std::uint32_t kPowerEnable = 0xFFFE14;    // bit 0: supply switched through
inline constexpr std::uint32_t kPowerSense = 0xFFFE15;     // bit 0: sense cleared once switched
inline constexpr std::uint32_t kPowerVoltage = 0xFFFF00;   // bit 0: 3.3 V, bit 1: 5.0 V
}  // namespace emulator_map

enum class EmulatorAccess { Done, OutOfRange, WriteProtected };

class EmulatorMemory {
public:
    EmulatorMemory();

    EmulatorAccess Read(std::uint32_t address, std::uint8_t& value) const;
    // Stores reach RAM and the power switch; the flash areas change only
    // through the adapter-program entries (or Poke).
    EmulatorAccess Write(std::uint32_t address, std::uint8_t value);
    void Poke(std::uint32_t address, std::uint8_t value);
    std::uint8_t At(std::uint32_t address) const;

    // The 32-bit sum of the adapter program, as the checksum word keeps it.
    std::uint32_t AdapterSum() const;
    bool AdapterChecksumGood() const;
    void EraseAdapterArea();
    // True when the emulator supplies the target with one of its voltages.
    bool SupplyOn() const { return (power_[2] & 0x03) != 0; }

private:
    std::uint8_t* Locate(std::uint32_t address);
    const std::uint8_t* Locate(std::uint32_t address) const;

    std::vector<std::uint8_t> flash_;  // boot area and adapter program, 0 to kAdapterEnd
    std::vector<std::uint8_t> ram_;
    std::uint8_t power_[3] = {0, 0, 0};
};

// The adapter program the model's emulator holds when it leaves the
// factory: the bytes of 0x10000 to 0x3FFFF ("ADPFiles\Q3vdp.mot" holds the
// same ones). Built once.
const Bytes& FactoryAdapterProgram();

}  // namespace simemu
