// The Vk3 target behind the emulator's connector: its memory, the mode it
// runs in (off, boot program, emulator firmware, user code without a
// firmware), and the routing of each frame to the boot program, the flash
// writer or the firmware.
#pragma once

#include "sim/emulator/adapter_commands.h"
#include "sim/emulator/boot_program.h"
#include "sim/emulator/firmware.h"
#include "sim/emulator/target_memory.h"

#include <cstdint>
#include <optional>

namespace simemu {

enum class McuMode : std::uint32_t { Off = 0, Boot = 1, Firmware = 2, UserCode = 3 };

class Target {
public:
    Target(const Device& device, std::uint32_t protocolType);

    const Device& device() const { return memory_.device(); }
    std::uint32_t protocolType() const { return protocolType_; }
    void SetProtocolType(std::uint32_t protocolType) { protocolType_ = protocolType; }
    // Status reads that see a relayed erase or page program still busy.
    void SetFlashBusyPolls(std::uint32_t polls) { flashBusyPolls_ = polls; }
    McuMode mode() const { return mode_; }
    TargetMemory& memory() { return memory_; }
    Firmware& firmware() { return firmware_; }
    const BootState& boot() const { return boot_; }

    void PowerOff();
    // Power comes on: RAM loses its contents and the boot program runs.
    void PowerOn(bool canary);
    void ResetIntoBoot();
    // A reset into run mode: the target starts from its reset vector; a
    // program the reset ends reports "RS".
    void ResetIntoRun();

    // Answers a frame that reached the target; no value when nothing
    // answers (a target without a listening program).
    std::optional<Bytes> HandleFrame(const std::uint8_t* frame, std::size_t length, Faults& faults,
                                     std::uint32_t idLockout);
    // Lets a running user program run for one budget of instructions.
    void Run();
    // The adapter's status flag: the user program is not running.
    bool ProgramStopped() const;
    // The emulator's break line.
    void BreakKey() { firmware_.BreakKey(memory_, protocolType_); }
    // A running program stops by itself with the stop word.
    void StopByItself(std::uint16_t stopWord) { firmware_.StopByItself(stopWord, memory_, protocolType_); }
    // Programs the built-in firmware and its reset vector, then starts it.
    void InstallFirmware();

private:
    std::optional<Bytes> HandleInBoot(const std::uint8_t* frame, std::size_t length, Faults& faults,
                                      std::uint32_t idLockout);
    std::optional<Bytes> HandleInWriter(const std::uint8_t* frame, std::size_t length, Faults& faults);
    void StartAt(std::uint32_t address);
    void Apply(const AdapterOutcome& outcome);
    std::uint32_t ResetVector() const;

    TargetMemory memory_;
    std::uint32_t protocolType_;
    McuMode mode_ = McuMode::Off;
    std::uint32_t flashBusyPolls_ = 0;
    BootState boot_;
    WriterState writer_;
    Firmware firmware_;
};

}  // namespace simemu
