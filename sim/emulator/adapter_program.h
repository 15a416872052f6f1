// The adapter-program entries (SumCheck, MonpOpen, ProgDownload,
// PreEraseWrite_Erase, AdapterProgramDownload): the checksum of the adapter
// program and the rewrite sequence of its write monitor. Each entry leaves a
// two-character status in the mailbox of the emulator's memory: two zero
// bytes for success, "SM" a checksum, "PE" a step out of order or a bad
// address, "ER" an erase, "WT" a write failure.
#pragma once

#include "sim/emulator/emulator_memory.h"
#include "sim/emulator/faults.h"

#include <cstdint>

namespace simemu {

class AdapterProgram {
public:
    // The blocks of an adapter-program download are this long.
    static constexpr std::uint32_t kBlock = 1024;
    // The closing call of the download gives this address.
    static constexpr std::uint32_t kEndOfDownload = 0xFFFFFFFF;

    void SumCheck(EmulatorMemory& memory) const;
    void MonitorOpen(EmulatorMemory& memory);
    void ProgramDownload(EmulatorMemory& memory, std::uint32_t length, std::uint32_t start, std::uint32_t sum);
    void PreEraseWriteErase(EmulatorMemory& memory, std::uint32_t mode, Faults& faults);
    void BlockDownload(EmulatorMemory& memory, std::uint32_t address, std::uint32_t staging, std::uint32_t sum,
                       Faults& faults);

private:
    // The steps of a rewrite, in the order the write monitor takes them.
    enum class Stage {
        Normal,
        MonitorOpen,
        MainLoaded,
        PreErase,
        EraseLoaded,
        Erased,
        PreWrite,
        WriteLoaded,
    };

    Stage stage_ = Stage::Normal;
};

}  // namespace simemu
