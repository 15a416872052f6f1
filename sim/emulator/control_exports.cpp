// The control API of the module (sim_emulator_control.h), exported by plain
// name for tests, benchmarks and the simulated host.
#include "sim/emulator/emulator_model.h"
#include "sim/emulator/sim_emulator_control.h"

#include "platform/export.h"

#include <algorithm>
#include <iterator>
#include <cstring>
#include <string>

static_assert(sizeof(Q3vSimStatus) == 10 * sizeof(DWORD));
static_assert(sizeof(Q3vSimFrameInfo) == 4 * sizeof(DWORD));

namespace {

DWORD CopyText(const std::string& text, char* buffer, DWORD size) {
    if (buffer != nullptr && size > 0) {
        const std::size_t copied = std::min<std::size_t>(text.size(), size - 1);
        std::memcpy(buffer, text.data(), copied);
        buffer[copied] = '\0';
    }
    return static_cast<DWORD>(text.size());
}

}  // namespace

Q3V_EXPORT DWORD WINAPI Q3vSimReset(void) {
    simemu::TheModel().Reset();
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimConfigure(const char* text) {
    return simemu::TheModel().Configure(text);
}

Q3V_EXPORT DWORD WINAPI Q3vSimGetConfiguration(char* text, DWORD size) {
    return CopyText(simemu::TheModel().CurrentConfiguration(), text, size);
}

Q3V_EXPORT DWORD WINAPI Q3vSimSetIdCode(const BYTE* code) {
    if (code == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    simemu::TheModel().SetIdCode(code);
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimReadTarget(DWORD address, BYTE* buffer, DWORD count) {
    if (buffer == nullptr && count != 0) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    simemu::TheModel().ReadTarget(address, buffer, count);
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimWriteTarget(DWORD address, const BYTE* data, DWORD count) {
    if (data == nullptr && count != 0) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    simemu::TheModel().WriteTarget(address, data, count);
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimReadEmulator(DWORD address, BYTE* buffer, DWORD count) {
    if (buffer == nullptr && count != 0) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    return simemu::TheModel().ReadEmulator(address, buffer, count);
}

Q3V_EXPORT DWORD WINAPI Q3vSimWriteEmulator(DWORD address, const BYTE* data, DWORD count) {
    if (data == nullptr && count != 0) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    return simemu::TheModel().WriteEmulator(address, data, count);
}

Q3V_EXPORT DWORD WINAPI Q3vSimGetRegisters(DWORD* values) {
    if (values == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    std::uint32_t registers[simemu::reg::kCount];
    simemu::TheModel().GetRegisters(registers);
    std::copy(std::begin(registers), std::end(registers), values);
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimSetRegisters(const DWORD* values) {
    if (values == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    std::uint32_t registers[simemu::reg::kCount];
    std::copy(values, values + simemu::reg::kCount, registers);
    simemu::TheModel().SetRegisters(registers);
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimGetStatus(Q3vSimStatus* status) {
    if (status == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    *status = simemu::TheModel().Status();
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimInstallFirmware(void) {
    simemu::TheModel().InstallFirmware();
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimInjectFault(DWORD fault, DWORD value, DWORD count) {
    return simemu::TheModel().InjectFault(fault, value, count);
}

Q3V_EXPORT DWORD WINAPI Q3vSimInjectFaultAfter(DWORD calls, DWORD fault, DWORD value, DWORD count) {
    return simemu::TheModel().InjectFaultAfter(calls, fault, value, count);
}

Q3V_EXPORT DWORD WINAPI Q3vSimInjectFaultAfterDriverCalls(DWORD calls, DWORD fault, DWORD value, DWORD count) {
    return simemu::TheModel().InjectFaultAfterDriverCalls(calls, fault, value, count);
}

Q3V_EXPORT DWORD WINAPI Q3vSimClearFaults(void) {
    simemu::TheModel().ClearFaults();
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimGetFrameCount(void) {
    return simemu::TheModel().FrameCount();
}

Q3V_EXPORT DWORD WINAPI Q3vSimGetFrame(DWORD index, Q3vSimFrameInfo* info, BYTE* bytes, DWORD size) {
    return simemu::TheModel().GetFrame(index, info, bytes, size);
}

Q3V_EXPORT DWORD WINAPI Q3vSimClearFrames(void) {
    simemu::TheModel().ClearFrames();
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q3vSimFormatFrames(DWORD last, char* text, DWORD size) {
    return CopyText(simemu::TheModel().FormatFrames(last), text, size);
}
