// The target's memory: I/O registers, RAM and flash blocks of the device's
// map. Plain stores reach only registers and RAM; flash changes only through
// erase (to 0xFF) and program, which refuses bytes that are not erased, as
// real flash does. Addresses outside the map read 0xFF and ignore stores.
#pragma once

#include "sim/emulator/byte_order.h"
#include "sim/emulator/device.h"

#include <cstdint>
#include <vector>

namespace simemu {

enum class FlashResult { Done, NoBlock, Locked, NotErased, Failed };

class TargetMemory {
public:
    explicit TargetMemory(const Device& device);

    const Device& device() const { return *device_; }

    // Power-on contents of registers and RAM: zero, or with the canary each
    // RAM byte its address plus one (low 8 bits), so a store that touches a
    // neighbouring byte shows at once. Flash keeps its contents.
    void ClearVolatile(bool canary);
    // The I/O registers back to their reset values (zero), as a CPU reset
    // leaves them; RAM keeps its contents.
    void ResetRegisters();

    std::uint8_t Read(std::uint32_t address) const;
    // A plain store: true when the byte lies in registers or RAM.
    bool Write(std::uint32_t address, std::uint8_t value);

    // Index of the flash block holding the address, -1 when none.
    int BlockIndex(std::uint32_t address) const;
    FlashResult EraseBlockAt(std::uint32_t address);
    // Programs bytes at address; 0xFF bytes are left alone. Every byte must
    // lie in one unlocked block and be erased where it gets a value.
    FlashResult Program(std::uint32_t address, const std::uint8_t* bytes, std::size_t count);
    // Lock bits: 1 = unlocked (after erase), 0 = locked.
    bool IsLocked(int block) const { return locked_[static_cast<std::size_t>(block)]; }
    void Lock(int block) { locked_[static_cast<std::size_t>(block)] = true; }
    // While protection is off, locked blocks can be erased and programmed.
    void SetLockProtection(bool on) { lockProtection_ = on; }

    // The branch trace: while the control register's bit 1 is set, the
    // source address of every taken branch goes into the first branch
    // register, the older ones moving down a register. After a reset the
    // branch registers hold all ones (empty).
    void RecordBranch(std::uint32_t from);

    // A store that reaches flash too (the test back door).
    void Poke(std::uint32_t address, std::uint8_t value);
    void EraseAll();

private:
    void ClearBranchTrace();
    std::uint8_t* Locate(std::uint32_t address);
    const std::uint8_t* Locate(std::uint32_t address) const;

    const Device* device_;
    std::vector<std::uint8_t> sfr_;
    std::vector<std::uint8_t> ram_;
    std::vector<std::vector<std::uint8_t>> flash_;
    std::vector<bool> locked_;
    bool lockProtection_ = true;
};

}  // namespace simemu
