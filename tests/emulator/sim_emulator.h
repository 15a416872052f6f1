// The simulated emulator module as its tests see it: loaded from the bin
// folder with LoadLibraryA, every entry point and control function bound by
// name with GetProcAddress, as the plug-in binds them.
#pragma once

#include "sim/emulator/driver_entry_points.h"
#include "sim/emulator/sim_emulator_control.h"

#include "platform/clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace emutest {

using Bytes = std::vector<std::uint8_t>;

struct DriverEntries {
    ULE_IdentifyFn identify = nullptr;
    ULE_InitialiseFn initialise = nullptr;
    ULE_SelectFn select = nullptr;
    ULE_TerminateFn terminate = nullptr;
    ULE_TestConfigurationFn testConfiguration = nullptr;
    ULE_ConfigurationDialogFn configurationDialog = nullptr;
    ULE_GetConfigurationFn getConfiguration = nullptr;
    ULE_SetDriverConfigurationFn setDriverConfiguration = nullptr;
    ULE_SetControllerConfigurationFn setControllerConfiguration = nullptr;
    ULE_WriteMemoryFn writeMemory = nullptr;
    ULE_ReadMemoryFn readMemory = nullptr;
    X_PDI_TXFn transmit = nullptr;
    H_SCI_RXFn receive = nullptr;
    AUD_TraceReadFn traceRead = nullptr;
    ULE_PollFn poll = nullptr;
    ULE_DLLErrorFn dllError = nullptr;
    LibraryTypeFn libraryType = nullptr;
    LibraryNameFn libraryName = nullptr;
    LibraryVersionFn libraryVersion = nullptr;
    Set_TimeoutFn setTimeout = nullptr;
    Q5t_WriteMemoryFn writeQ5t = nullptr;
    Q5t_ReadMemoryFn readQ5t = nullptr;
    SumCheckFn sumCheck = nullptr;
    MonpOpenFn monpOpen = nullptr;
    ProgDownloadFn progDownload = nullptr;
    PreEraseWrite_EraseFn preEraseWrite = nullptr;
    AdapterProgramDownloadFn adapterProgramDownload = nullptr;
};

struct ControlEntries {
    DWORD(WINAPI* reset)(void) = nullptr;
    DWORD(WINAPI* configure)(const char*) = nullptr;
    DWORD(WINAPI* getConfiguration)(char*, DWORD) = nullptr;
    DWORD(WINAPI* setIdCode)(const BYTE*) = nullptr;
    DWORD(WINAPI* readTarget)(DWORD, BYTE*, DWORD) = nullptr;
    DWORD(WINAPI* writeTarget)(DWORD, const BYTE*, DWORD) = nullptr;
    DWORD(WINAPI* readEmulator)(DWORD, BYTE*, DWORD) = nullptr;
    DWORD(WINAPI* writeEmulator)(DWORD, const BYTE*, DWORD) = nullptr;
    DWORD(WINAPI* getRegisters)(DWORD*) = nullptr;
    DWORD(WINAPI* setRegisters)(const DWORD*) = nullptr;
    DWORD(WINAPI* getStatus)(Q3vSimStatus*) = nullptr;
    DWORD(WINAPI* installFirmware)(void) = nullptr;
    DWORD(WINAPI* injectFault)(DWORD, DWORD, DWORD) = nullptr;
    DWORD(WINAPI* injectFaultAfter)(DWORD, DWORD, DWORD, DWORD) = nullptr;
    DWORD(WINAPI* injectFaultAfterDriverCalls)(DWORD, DWORD, DWORD, DWORD) = nullptr;
    DWORD(WINAPI* clearFaults)(void) = nullptr;
    DWORD(WINAPI* getFrameCount)(void) = nullptr;
    DWORD(WINAPI* getFrame)(DWORD, Q3vSimFrameInfo*, BYTE*, DWORD) = nullptr;
    DWORD(WINAPI* clearFrames)(void) = nullptr;
    DWORD(WINAPI* formatFrames)(DWORD, char*, DWORD) = nullptr;
};

// A loaded copy of the module with its entry points bound.
struct SimModule {
    HMODULE module = nullptr;
    DriverEntries driver;
    ControlEntries control;
    std::string error;  // what failed to load or bind
};
// The module beside the test program, shared by every test of the program.
SimModule& Module();
// Loads the module at a Windows path and binds its entry points; the caller
// frees it. A copy in another folder is a module, and an emulator, of its own.
SimModule LoadSimModule(const std::string& path);

// A received reply: the driver's result and the bytes the reply's own count
// names (empty on failure).
struct Reply {
    DWORD result = 0;
    Bytes bytes;
};

// Each test starts from a factory-fresh emulator with the demo device, an
// initialised driver session and a virtual clock; a failing test prints the
// last frames of the wire.
class EmulatorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const DriverEntries& Driver() const { return Module().driver; }
    const ControlEntries& Control() const { return Module().control; }

    void Configure(const std::string& text);
    DWORD Send(Bytes frame);
    Reply Receive();
    // Sends a frame and receives its reply; the reply's bytes, empty when
    // either step failed.
    Bytes Transact(const Bytes& frame);
    Q3vSimStatus Status();
    Bytes ReadTarget(std::uint32_t address, std::size_t count);
    void WriteTarget(std::uint32_t address, const Bytes& data);
    // Adapter registers: one whole register (4 bytes), with channel 4.
    Bytes ReadRegister(std::uint32_t address);
    DWORD WriteRegister(std::uint32_t address, const Bytes& bytes);
    // Brings the model to "firmware running" through the control back door.
    void StartFirmware();
    std::vector<std::uint32_t> Registers();

    platform::VirtualClock clock_;
};

// Frame builders, each written from the wire formats.
// A relayed boot-mode command: count, command length, response length,
// command bytes, a pad where the count would be odd, 0x81.
Bytes Relayed(const Bytes& command, std::uint16_t responseLength);
// An adapter command: count, code, arguments, pad where needed, 0x81.
Bytes AdapterCommand(std::uint8_t code, const Bytes& arguments = {});
// A firmware request: L, 0x5A, command, L, payload, A5 81 (L = 6 + payload).
Bytes FirmwareRequest(std::uint8_t command, const Bytes& payload = {});
Bytes ReadMemoryRequest(std::uint32_t address, std::uint16_t count, std::uint16_t access);
Bytes WriteMemoryRequest(std::uint32_t address, std::uint16_t access, const Bytes& data, bool verify);
Bytes GoRequest(std::uint8_t mode, const Bytes& addresses = Bytes(8, 0xFF));
// A program record: 00 86, address low byte first, 128 bytes, sum, 0x81.
Bytes ProgramRecord(std::uint32_t address, const Bytes& data);
// The bulk data frame of the flash writer (relayed command 0xFA).
Bytes BulkData(const Bytes& data);
// A register-file write request from twenty values.
Bytes WriteRegistersRequest(const std::vector<std::uint32_t>& values);

// The data bytes of a Motorola S-record file beside the test program (a
// name relative to that folder, backslashes allowed), by address.
std::map<std::uint32_t, std::uint8_t> LoadSRecords(const std::string& fileName);
// The bytes from address for count bytes; 0xFF where the image has none.
Bytes Slice(const std::map<std::uint32_t, std::uint8_t>& image, std::uint32_t address, std::size_t count);
// A data file beside the test program as a native path.
std::string DataFilePath(const std::string& fileName);

Bytes Hex(const std::string& text);
std::string HexText(const Bytes& bytes);
std::uint16_t LittleEndian16(const Bytes& bytes, std::size_t offset);
std::uint32_t LittleEndian24(const Bytes& bytes, std::size_t offset);

}  // namespace emutest
