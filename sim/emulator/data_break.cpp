#include "sim/emulator/data_break.h"

namespace simemu {
namespace {

constexpr std::uint8_t kEnable = 0x01;
constexpr std::uint8_t kCompareData = 0x04;
constexpr std::uint8_t kReads = 0x40;
constexpr std::uint8_t kWrites = 0x80;

std::uint32_t ReadRegister(const TargetMemory& memory, std::uint32_t at, std::uint32_t width) {
    std::uint32_t value = 0;
    for (std::uint32_t i = 0; i < width; ++i) {
        value |= static_cast<std::uint32_t>(memory.Read(at + i)) << (8 * i);
    }
    return value;
}

}  // namespace

void DataBreakWatch::OnDataAccess(std::uint32_t address, std::uint8_t value, bool write) {
    matched_ = matched_ || Matches(address, value, write);
    next_.OnDataAccess(address, value, write);
}

bool DataBreakWatch::Matches(std::uint32_t address, std::uint8_t value, bool write) const {
    const Device& device = memory_.device();
    if (device.dataBreakControl == 0) {
        return false;
    }
    const std::uint8_t control = memory_.Read(device.dataBreakControl);
    if ((control & kEnable) == 0 || (control & (write ? kWrites : kReads)) == 0) {
        return false;
    }
    const std::uint32_t ignored = (std::uint32_t{1} << (4 * ((control >> 4) & 3))) - 1;
    const std::uint32_t widthMask = (std::uint32_t{1} << (8 * device.dataBreakWidth)) - 1;
    const std::uint32_t target = ReadRegister(memory_, device.dataBreakAddress, device.dataBreakWidth);
    if (((address ^ target) & widthMask & ~ignored) != 0) {
        return false;
    }
    return (control & kCompareData) == 0 || value == memory_.Read(device.dataBreakData);
}

}  // namespace simemu
