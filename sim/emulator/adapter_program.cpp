#include "sim/emulator/adapter_program.h"

#include "sim/emulator/wire_codes.h"

namespace simemu {

namespace {

void Report(EmulatorMemory& memory, const char* status) {
    memory.Poke(emulator_map::kMailbox, static_cast<std::uint8_t>(status[0]));
    memory.Poke(emulator_map::kMailbox + 1, static_cast<std::uint8_t>(status[1]));
}

void ReportSuccess(EmulatorMemory& memory) {
    memory.Poke(emulator_map::kMailbox, 0);
    memory.Poke(emulator_map::kMailbox + 1, 0);
}

bool InRam(std::uint32_t address, std::uint32_t length, std::uint32_t end) {
    return length > 0 && address >= emulator_map::kRamTop && address <= end && end - address >= length - 1;
}

// The sum of a download block plus its two's complement sum byte is zero.
bool SumMatches(const EmulatorMemory& memory, std::uint32_t address, std::uint32_t length, std::uint32_t sum) {
    std::uint8_t total = static_cast<std::uint8_t>(sum);
    for (std::uint32_t i = 0; i < length; ++i) {
        total = static_cast<std::uint8_t>(total + memory.At(address + i));
    }
    return total == 0;
}

}  // namespace

void AdapterProgram::SumCheck(EmulatorMemory& memory) const {
    if (memory.AdapterChecksumGood()) {
        ReportSuccess(memory);
    } else {
        Report(memory, adapter_status::kSum);
    }
}

void AdapterProgram::MonitorOpen(EmulatorMemory& memory) {
    stage_ = Stage::MonitorOpen;
    ReportSuccess(memory);
}

void AdapterProgram::ProgramDownload(EmulatorMemory& memory, std::uint32_t length, std::uint32_t start,
                                     std::uint32_t sum) {
    // Three write-monitor programs load in turn: the main program, the erase
    // program, the write program.
    Stage next = Stage::Normal;
    switch (stage_) {
    case Stage::MonitorOpen:
        next = Stage::MainLoaded;
        break;
    case Stage::PreErase:
        next = Stage::EraseLoaded;
        break;
    case Stage::PreWrite:
        next = Stage::WriteLoaded;
        break;
    default:
        Report(memory, adapter_status::kProtocol);
        return;
    }
    if (!InRam(start, length, emulator_map::kLoadEnd) ||
        !InRam(emulator_map::kStaging, length, emulator_map::kMailbox - 1)) {
        Report(memory, adapter_status::kProtocol);
        return;
    }
    if (!SumMatches(memory, emulator_map::kStaging, length, sum)) {
        Report(memory, adapter_status::kSum);
        return;
    }
    for (std::uint32_t i = 0; i < length; ++i) {
        memory.Poke(start + i, memory.At(emulator_map::kStaging + i));
    }
    stage_ = next;
    ReportSuccess(memory);
}

void AdapterProgram::PreEraseWriteErase(EmulatorMemory& memory, std::uint32_t mode, Faults& faults) {
    if (mode == 1 && (stage_ == Stage::MainLoaded || stage_ == Stage::Erased)) {
        stage_ = stage_ == Stage::MainLoaded ? Stage::PreErase : Stage::PreWrite;
        ReportSuccess(memory);
        return;
    }
    if (mode == 0 && stage_ == Stage::EraseLoaded) {
        if (faults.TakeErase()) {
            Report(memory, adapter_status::kErase);
            return;
        }
        memory.EraseAdapterArea();
        stage_ = Stage::Erased;
        ReportSuccess(memory);
        return;
    }
    Report(memory, adapter_status::kProtocol);
}

void AdapterProgram::BlockDownload(EmulatorMemory& memory, std::uint32_t address, std::uint32_t staging,
                                   std::uint32_t sum, Faults& faults) {
    if (stage_ != Stage::WriteLoaded) {
        Report(memory, adapter_status::kProtocol);
        return;
    }
    if (address == kEndOfDownload) {
        stage_ = Stage::Normal;
        if (memory.AdapterChecksumGood()) {
            ReportSuccess(memory);
        } else {
            Report(memory, adapter_status::kSum);
        }
        return;
    }
    if (address % kBlock != 0 || address > emulator_map::kAdapterEnd || !InRam(staging, kBlock, emulator_map::kRamEnd)) {
        Report(memory, adapter_status::kProtocol);
        return;
    }
    if (!SumMatches(memory, staging, kBlock, sum)) {
        Report(memory, adapter_status::kSum);
        return;
    }
    for (std::uint32_t i = 0; i < kBlock; ++i) {
        const std::uint8_t value = memory.At(staging + i);
        if (value != 0xFF && memory.At(address + i) != 0xFF) {
            Report(memory, adapter_status::kWrite);
            return;
        }
    }
    if (faults.TakeProgram()) {
        Report(memory, adapter_status::kWrite);
        return;
    }
    for (std::uint32_t i = 0; i < kBlock; ++i) {
        const std::uint8_t value = memory.At(staging + i);
        if (value != 0xFF) {
            memory.Poke(address + i, value);
        }
    }
    ReportSuccess(memory);
}

}  // namespace simemu
