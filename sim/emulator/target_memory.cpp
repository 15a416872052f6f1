#include "sim/emulator/target_memory.h"

#include <algorithm>

namespace simemu {

TargetMemory::TargetMemory(const Device& device)
    : device_(&device),
      sfr_(device.sfr.Size(), 0),
      ram_(device.ram.Size(), 0),
      locked_(device.flashBlockCount, false) {
    for (std::size_t i = 0; i < device.flashBlockCount; ++i) {
        flash_.emplace_back(device.flashBlocks[i].Size(), std::uint8_t{0xFF});
    }
    ClearBranchTrace();
}

void TargetMemory::ClearVolatile(bool canary) {
    ResetRegisters();
    if (!canary) {
        std::fill(ram_.begin(), ram_.end(), std::uint8_t{0});
        return;
    }
    for (std::size_t i = 0; i < ram_.size(); ++i) {
        ram_[i] = static_cast<std::uint8_t>(device_->ram.top + i + 1);
    }
}

void TargetMemory::ResetRegisters() {
    std::fill(sfr_.begin(), sfr_.end(), std::uint8_t{0});
    lockProtection_ = true;
    ClearBranchTrace();
}

namespace {

constexpr std::uint32_t kBranchRegisters = 4;
constexpr std::uint8_t kTraceRecording = 0x02;

}  // namespace

void TargetMemory::ClearBranchTrace() {
    const std::uint32_t size = device_->traceBranchSize;
    if (device_->traceControlRegister == 0) {
        return;
    }
    for (std::uint32_t i = 0; i < kBranchRegisters * size; ++i) {
        Write(device_->traceBranchRegister + i, 0xFF);
    }
}

void TargetMemory::RecordBranch(std::uint32_t from) {
    if (device_->traceControlRegister == 0 || (Read(device_->traceControlRegister) & kTraceRecording) == 0) {
        return;
    }
    const std::uint32_t size = device_->traceBranchSize;
    const std::uint32_t first = device_->traceBranchRegister;
    for (std::uint32_t i = (kBranchRegisters - 1) * size; i-- > 0;) {
        Write(first + size + i, Read(first + i));
    }
    // Two-byte registers keep the high byte first, three-byte ones the low.
    for (std::uint32_t i = 0; i < size; ++i) {
        const std::uint32_t shift = size == 2 ? 8 * (size - 1 - i) : 8 * i;
        Write(first + i, static_cast<std::uint8_t>(from >> shift));
    }
}

int TargetMemory::BlockIndex(std::uint32_t address) const {
    for (std::size_t i = 0; i < device_->flashBlockCount; ++i) {
        if (device_->flashBlocks[i].Contains(address)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::uint8_t* TargetMemory::Locate(std::uint32_t address) {
    return const_cast<std::uint8_t*>(static_cast<const TargetMemory*>(this)->Locate(address));
}

const std::uint8_t* TargetMemory::Locate(std::uint32_t address) const {
    if (device_->sfr.Contains(address)) {
        return &sfr_[address - device_->sfr.top];
    }
    if (device_->ram.Contains(address)) {
        return &ram_[address - device_->ram.top];
    }
    const int block = BlockIndex(address);
    if (block >= 0) {
        const auto index = static_cast<std::size_t>(block);
        return &flash_[index][address - device_->flashBlocks[index].top];
    }
    return nullptr;
}

std::uint8_t TargetMemory::Read(std::uint32_t address) const {
    const std::uint8_t* byte = Locate(address);
    return byte != nullptr ? *byte : std::uint8_t{0xFF};
}

bool TargetMemory::Write(std::uint32_t address, std::uint8_t value) {
    if (device_->sfr.Contains(address)) {
        sfr_[address - device_->sfr.top] = value;
        return true;
    }
    if (device_->ram.Contains(address)) {
        ram_[address - device_->ram.top] = value;
        return true;
    }
    return false;
}

FlashResult TargetMemory::EraseBlockAt(std::uint32_t address) {
    const int block = BlockIndex(address);
    if (block < 0) {
        return FlashResult::NoBlock;
    }
    const auto index = static_cast<std::size_t>(block);
    if (locked_[index] && lockProtection_) {
        return FlashResult::Locked;
    }
    std::fill(flash_[index].begin(), flash_[index].end(), std::uint8_t{0xFF});
    locked_[index] = false;
    return FlashResult::Done;
}

FlashResult TargetMemory::Program(std::uint32_t address, const std::uint8_t* bytes, std::size_t count) {
    if (count == 0) {
        return FlashResult::Done;
    }
    const int block = BlockIndex(address);
    const auto last = static_cast<std::uint32_t>(address + count - 1);
    if (block < 0 || last < address || BlockIndex(last) != block) {
        return FlashResult::NoBlock;
    }
    const auto index = static_cast<std::size_t>(block);
    if (locked_[index] && lockProtection_) {
        return FlashResult::Locked;
    }
    std::uint8_t* target = Locate(address);
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != 0xFF && target[i] != 0xFF) {
            return FlashResult::NotErased;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (bytes[i] != 0xFF) {
            target[i] = bytes[i];
        }
    }
    return FlashResult::Done;
}

void TargetMemory::Poke(std::uint32_t address, std::uint8_t value) {
    if (std::uint8_t* byte = Locate(address)) {
        *byte = value;
    }
}

void TargetMemory::EraseAll() {
    for (auto& block : flash_) {
        std::fill(block.begin(), block.end(), std::uint8_t{0xFF});
    }
    std::fill(locked_.begin(), locked_.end(), false);
}

}  // namespace simemu
