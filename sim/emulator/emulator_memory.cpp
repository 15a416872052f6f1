#include "sim/emulator/emulator_memory.h"

#include <algorithm>
#include <cstring>
#include <numeric>

namespace simemu {

namespace {

constexpr char kIdentityText[16] = "Q3vEMULATOR";
constexpr char kBootVersionText[16] = "Q3vBOOT V1.00";
constexpr char kAdapterVersionText[16] = "Q3vADP V1.00";

void Put(std::vector<std::uint8_t>& bytes, std::uint32_t offset, const char (&text)[16]) {
    std::memcpy(bytes.data() + offset, text, sizeof(text));
}

Bytes BuildAdapterProgram() {
    using namespace emulator_map;
    Bytes program(kAdapterEnd - kAdapterTop + 1, 0xFF);
    // A little code at the start, then the identity and version blocks.
    for (std::uint32_t i = 0; i < 0x100; ++i) {
        program[i] = static_cast<std::uint8_t>((i * 7 + 3) & 0x7F);
    }
    Put(program, kAdapterIdentity - kAdapterTop, kIdentityText);
    Put(program, kAdapterVersion - kAdapterTop, kAdapterVersionText);
    const auto checksum = program.begin() + (kAdapterChecksum - kAdapterTop);
    const std::uint32_t sum = std::accumulate(program.begin(), checksum, std::uint32_t{0});
    for (std::uint32_t i = 0; i < 4; ++i) {
        checksum[i] = static_cast<std::uint8_t>(sum >> (8 * i));
    }
    return program;
}

}  // namespace

const Bytes& FactoryAdapterProgram() {
    static const Bytes program = BuildAdapterProgram();
    return program;
}

EmulatorMemory::EmulatorMemory()
    : flash_(emulator_map::kAdapterEnd + 1, 0xFF), ram_(emulator_map::kRamEnd - emulator_map::kRamTop + 1, 0) {
    Put(flash_, emulator_map::kIdentity, kIdentityText);
    Put(flash_, emulator_map::kBootVersion, kBootVersionText);
    const Bytes& program = FactoryAdapterProgram();
    std::copy(program.begin(), program.end(), flash_.begin() + emulator_map::kAdapterTop);
}

std::uint8_t* EmulatorMemory::Locate(std::uint32_t address) {
    return const_cast<std::uint8_t*>(static_cast<const EmulatorMemory*>(this)->Locate(address));
}

const std::uint8_t* EmulatorMemory::Locate(std::uint32_t address) const {
    using namespace emulator_map;
    if (address <= kAdapterEnd) {
        return &flash_[address];
    }
    if (address >= kRamTop && address <= kRamEnd) {
        return &ram_[address - kRamTop];
    }
    switch (address) {
    case kPowerEnable:
        return &power_[0];
    case kPowerSense:
        return &power_[1];
    case kPowerVoltage:
        return &power_[2];
    default:
        return nullptr;
    }
}

EmulatorAccess EmulatorMemory::Read(std::uint32_t address, std::uint8_t& value) const {
    const std::uint8_t* byte = Locate(address);
    if (byte == nullptr) {
        return EmulatorAccess::OutOfRange;
    }
    value = *byte;
    return EmulatorAccess::Done;
}

EmulatorAccess EmulatorMemory::Write(std::uint32_t address, std::uint8_t value) {
    std::uint8_t* byte = Locate(address);
    if (byte == nullptr) {
        return EmulatorAccess::OutOfRange;
    }
    if (address <= emulator_map::kAdapterEnd) {
        return EmulatorAccess::WriteProtected;
    }
    *byte = value;
    return EmulatorAccess::Done;
}

void EmulatorMemory::Poke(std::uint32_t address, std::uint8_t value) {
    if (std::uint8_t* byte = Locate(address)) {
        *byte = value;
    }
}

std::uint8_t EmulatorMemory::At(std::uint32_t address) const {
    const std::uint8_t* byte = Locate(address);
    return byte != nullptr ? *byte : std::uint8_t{0xFF};
}

std::uint32_t EmulatorMemory::AdapterSum() const {
    return std::accumulate(flash_.begin() + emulator_map::kAdapterTop, flash_.begin() + emulator_map::kAdapterChecksum,
                           std::uint32_t{0});
}

bool EmulatorMemory::AdapterChecksumGood() const {
    std::uint32_t kept = 0;
    for (std::uint32_t i = 0; i < 4; ++i) {
        kept |= static_cast<std::uint32_t>(flash_[emulator_map::kAdapterChecksum + i]) << (8 * i);
    }
    return kept == AdapterSum();
}

void EmulatorMemory::EraseAdapterArea() {
    std::fill(flash_.begin() + emulator_map::kAdapterTop, flash_.end(), std::uint8_t{0xFF});
}

}  // namespace simemu
