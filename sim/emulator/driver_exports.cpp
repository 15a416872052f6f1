// The 27 emulator driver entry points, exported by their plain names with C
// linkage and the WINAPI calling convention, in the order of the driver
// interface. Each hands its arguments to the model unchanged.
#include "sim/emulator/driver_results.h"
#include "sim/emulator/emulator_model.h"

#include "platform/export.h"

namespace {

constexpr char kLibraryType[] = "Driver";
constexpr char kLibraryName[] = "Q3v Simulated Emulator";
constexpr char kLibraryVersion[] = "1.00";
DWORD AnswerText(const char** text, const char* value) {
    if (text == nullptr) {
        return Q3V_SIM_INVALID_PARAMETER;
    }
    *text = value;
    return Q3V_SIM_OK;
}

}  // namespace

Q3V_EXPORT const char* WINAPI ULE_Identify(void) {
    return simemu::TheModel().InterfaceList();
}

Q3V_EXPORT DWORD WINAPI ULE_Initialise(const char* interfaceName, const char* const** channels) {
    return simemu::TheModel().Initialise(interfaceName, channels);
}

Q3V_EXPORT DWORD WINAPI ULE_Select(DWORD index) {
    return simemu::TheModel().Select(index);
}

Q3V_EXPORT DWORD WINAPI ULE_Terminate(void) {
    return simemu::TheModel().Terminate();
}

Q3V_EXPORT DWORD WINAPI ULE_TestConfiguration(void) {
    return simemu::TheModel().TestConfiguration();
}

// Headless: the model has no dialog and answers its configuration text.
Q3V_EXPORT const char* WINAPI ULE_ConfigurationDialog(DWORD, const char*) {
    return simemu::TheModel().ConfigurationText();
}

Q3V_EXPORT const char* WINAPI ULE_GetConfiguration(void) {
    return simemu::TheModel().ConfigurationText();
}

Q3V_EXPORT DWORD WINAPI ULE_SetDriverConfiguration(const char* configuration) {
    return simemu::TheModel().SetDriverConfiguration(configuration);
}

Q3V_EXPORT DWORD WINAPI ULE_SetControllerConfiguration(const char* configuration) {
    return simemu::TheModel().SetControllerConfiguration(configuration);
}

Q3V_EXPORT DWORD WINAPI ULE_WriteMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return simemu::TheModel().WriteRegisters(channel, buffer, address, count);
}

Q3V_EXPORT DWORD WINAPI ULE_ReadMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return simemu::TheModel().ReadRegisters(channel, buffer, address, count);
}

Q3V_EXPORT DWORD WINAPI X_PDI_TX(WORD count, BYTE* buffer, WORD, BYTE) {
    return simemu::TheModel().Transmit(count, buffer);
}

Q3V_EXPORT DWORD WINAPI H_SCI_RX(WORD, BYTE* buffer, WORD, BYTE) {
    return simemu::TheModel().Receive(buffer);
}

// The emulator has no trace memory of its own.
Q3V_EXPORT DWORD WINAPI AUD_TraceRead(DWORD, DWORD, WORD, BYTE) {
    return Q3V_SIM_NOT_SUPPORTED;
}

Q3V_EXPORT DWORD WINAPI ULE_Poll(void) {
    return simemu::TheModel().Poll();
}

Q3V_EXPORT const char* WINAPI ULE_DLLError(DWORD code) {
    return simemu::DriverErrorText(code);
}

Q3V_EXPORT DWORD WINAPI LibraryType(const char** text) {
    return AnswerText(text, kLibraryType);
}

Q3V_EXPORT DWORD WINAPI LibraryName(const char** text) {
    return AnswerText(text, kLibraryName);
}

Q3V_EXPORT DWORD WINAPI LibraryVersion(const char** text) {
    return AnswerText(text, kLibraryVersion);
}

Q3V_EXPORT DWORD WINAPI Set_Timeout(DWORD value) {
    simemu::TheModel().SetTimeout(value);
    return Q3V_SIM_OK;
}

Q3V_EXPORT DWORD WINAPI Q5t_WriteMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE) {
    return simemu::TheModel().WriteEmulatorMemory(channel, buffer, address, count);
}

Q3V_EXPORT DWORD WINAPI Q5t_ReadMemory(WORD channel, BYTE* buffer, DWORD address, BYTE count) {
    return simemu::TheModel().ReadEmulatorMemory(channel, buffer, address, count);
}

Q3V_EXPORT DWORD WINAPI SumCheck(DWORD) {
    return simemu::TheModel().SumCheck();
}

Q3V_EXPORT DWORD WINAPI MonpOpen(DWORD) {
    return simemu::TheModel().MonitorOpen();
}

Q3V_EXPORT DWORD WINAPI ProgDownload(WORD length, DWORD startAddress, WORD sum) {
    return simemu::TheModel().ProgramDownload(length, startAddress, sum);
}

Q3V_EXPORT DWORD WINAPI PreEraseWrite_Erase(BYTE mode, DWORD) {
    return simemu::TheModel().PreEraseWrite(mode);
}

Q3V_EXPORT DWORD WINAPI AdapterProgramDownload(DWORD address, DWORD stagingAddress, WORD sum) {
    return simemu::TheModel().AdapterProgramDownload(address, stagingAddress, sum);
}
