// The simulated emulator behind the driver entry points: the USB session,
// the adapter's control registers, its own memory and adapter program, the
// frame channel to the target with its receive time-out, pending results,
// faults and the frame log. One instance per process; every operation holds
// its lock, so the entry points may be called from any thread.
#pragma once

#include "sim/emulator/adapter_program.h"
#include "sim/emulator/emulator_memory.h"
#include "sim/emulator/faults.h"
#include "sim/emulator/frame_log.h"
#include "sim/emulator/settings.h"
#include "sim/emulator/sim_emulator_control.h"
#include "sim/emulator/target.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace simemu {

class EmulatorModel {
public:
    // The adapter's control registers: 0x400000 + 4n for n = 0 to 10.
    static constexpr std::uint32_t kRegisterBase = 0x400000;
    static constexpr std::size_t kRegisterBytes = 11 * 4;
    // The driver's interfaces: the USB one, and with the setting
    // "interfaces=2" a second one that reaches the same emulator.
    static constexpr char kInterfaceName[] = "SIMUSB";
    static constexpr char kSecondInterfaceName[] = "SIMLAN";

    EmulatorModel();

    // Driver entries.
    // The interface names, separated by ", ".
    const char* InterfaceList();
    // Initialises the session on the interface and hands out its channel
    // names, a null-terminated list.
    std::uint32_t Initialise(const char* interfaceName, const char* const** channels);
    std::uint32_t Select(std::uint32_t index);
    std::uint32_t Terminate();
    std::uint32_t TestConfiguration();
    const char* ConfigurationText();
    std::uint32_t SetDriverConfiguration(const char* text);
    std::uint32_t SetControllerConfiguration(const char* text);
    std::uint32_t WriteRegisters(std::uint16_t channel, const std::uint8_t* buffer, std::uint32_t address,
                                 std::uint8_t count);
    std::uint32_t ReadRegisters(std::uint16_t channel, std::uint8_t* buffer, std::uint32_t address,
                                std::uint8_t count);
    std::uint32_t Transmit(std::uint16_t count, const std::uint8_t* buffer);
    std::uint32_t Receive(std::uint8_t* buffer);
    std::uint32_t Poll();
    void SetTimeout(std::uint32_t seconds) { timeoutSeconds_ = seconds; }
    std::uint32_t WriteEmulatorMemory(std::uint16_t channel, const std::uint8_t* buffer, std::uint32_t address,
                                      std::uint8_t count);
    std::uint32_t ReadEmulatorMemory(std::uint16_t channel, std::uint8_t* buffer, std::uint32_t address,
                                     std::uint8_t count);
    std::uint32_t SumCheck();
    std::uint32_t MonitorOpen();
    std::uint32_t ProgramDownload(std::uint32_t length, std::uint32_t start, std::uint32_t sum);
    std::uint32_t PreEraseWrite(std::uint32_t mode);
    std::uint32_t AdapterProgramDownload(std::uint32_t address, std::uint32_t staging, std::uint32_t sum);

    // Control API.
    void Reset();
    std::uint32_t Configure(const char* text);
    std::string CurrentConfiguration();
    void SetIdCode(const std::uint8_t* code);
    void ReadTarget(std::uint32_t address, std::uint8_t* buffer, std::uint32_t count);
    void WriteTarget(std::uint32_t address, const std::uint8_t* data, std::uint32_t count);
    std::uint32_t ReadEmulator(std::uint32_t address, std::uint8_t* buffer, std::uint32_t count);
    std::uint32_t WriteEmulator(std::uint32_t address, const std::uint8_t* data, std::uint32_t count);
    void GetRegisters(std::uint32_t* values);
    void SetRegisters(const std::uint32_t* values);
    Q3vSimStatus Status();
    void InstallFirmware();
    std::uint32_t InjectFault(std::uint32_t fault, std::uint32_t value, std::uint32_t count);
    // Arms the fault once that many more frame calls (transmits and
    // receives) have begun, so it can strike in the middle of an operation.
    std::uint32_t InjectFaultAfter(std::uint32_t calls, std::uint32_t fault, std::uint32_t value,
                                   std::uint32_t count);
    // The same, counting every data-moving driver call: frames, adapter
    // registers and the emulator's memory.
    std::uint32_t InjectFaultAfterDriverCalls(std::uint32_t calls, std::uint32_t fault, std::uint32_t value,
                                              std::uint32_t count);
    void ClearFaults();
    std::uint32_t FrameCount();
    std::uint32_t GetFrame(std::uint32_t index, Q3vSimFrameInfo* info, std::uint8_t* bytes, std::uint32_t size);
    void ClearFrames();
    std::string FormatFrames(std::uint32_t last);

private:
    // Runs an adapter program operation, under the lock, when the session is
    // open; gives the session's result.
    template <typename Operation>
    std::uint32_t AdapterProgramCall(Operation operation);
    // Applies a configuration text under the lock, or gives
    // Q3V_SIM_BAD_CONFIGURATION; no text at all gives missing at once. A
    // call that pends answers its result through the pending polls.
    std::uint32_t ApplyText(const char* text, std::uint32_t missing, bool pends);

    // Under the lock.
    std::uint32_t SessionResultLocked() const;
    std::uint32_t CompleteLocked(std::uint32_t result);
    std::uint32_t ApplyLocked(const Configuration& configuration);
    void ProgramIdCodeLocked(const std::uint8_t* code);
    std::uint32_t InjectFaultLocked(std::uint32_t fault, std::uint32_t value, std::uint32_t count);
    // Which calls a deferred fault counts.
    enum class CallKind { Frame, Other };
    std::uint32_t DeferFaultLocked(bool framesOnly, std::uint32_t calls, std::uint32_t fault, std::uint32_t value,
                                   std::uint32_t count);
    // One more driver call: arms the deferred faults whose time has come.
    void CountCallLocked(CallKind kind);
    // The start of a data-moving driver call: counts it and gives the
    // session's result.
    std::uint32_t BeginCallLocked(CallKind kind);
    // The same for a register access, which it checks too, giving the offset
    // and length of its bytes in the register file.
    std::uint32_t BeginRegisterCallLocked(std::uint16_t channel, const void* buffer, std::uint32_t address,
                                          std::uint8_t count, std::size_t& first, std::size_t& bytes);
    // The same for an access to the emulator's own memory (channel 1).
    std::uint32_t BeginEmulatorMemoryCallLocked(std::uint16_t channel, const void* buffer, std::uint8_t count);
    std::uint32_t ReadEmulatorLocked(std::uint32_t address, std::uint8_t* buffer, std::uint32_t count);
    // A factory-fresh target for the current device, powered as the
    // settings say.
    void NewTargetLocked();
    void UpdatePowerLocked();
    void RunTargetLocked();
    std::uint8_t RegisterByteLocked(std::size_t offset) const;
    void RegistersWrittenLocked(std::size_t first, std::size_t last, std::uint8_t oldBreakByte);
    bool TargetPoweredLocked() const;
    // A write to 0x400020 that would leave the CPU reset of protocol types
    // 2 to 4 in it while the target runs another type.
    bool ResetCodeRefusedLocked(const std::uint8_t* buffer, std::size_t first, std::size_t bytes) const;
    bool DisconnectedLocked() const { return !settings_.connected || connectorFault_; }

    std::mutex mutex_;
    Settings settings_;
    std::string configurationText_;
    bool initialised_ = false;
    bool selected_ = false;
    std::atomic<std::uint32_t> timeoutSeconds_{20};
    std::array<std::uint8_t, kRegisterBytes> registers_{};
    EmulatorMemory emulatorMemory_;
    AdapterProgram adapterProgram_;
    std::unique_ptr<Target> target_;
    bool powered_ = false;
    bool boardSupplyFailed_ = false;
    bool connectorFault_ = false;
    Faults faults_;
    struct DeferredFault {
        bool framesOnly;  // counts frame calls only, or every data-moving call
        std::uint32_t callsLeft;
        std::uint32_t fault;
        std::uint32_t value;
        std::uint32_t count;
    };
    std::vector<DeferredFault> deferredFaults_;
    FrameLog log_;
    std::optional<Bytes> reply_;
    std::uint32_t pendingLeft_ = 0;
    std::uint32_t pendingResult_ = 0;
};

// The model of this process.
EmulatorModel& TheModel();

}  // namespace simemu
