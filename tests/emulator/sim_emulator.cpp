#include "tests/emulator/sim_emulator.h"

#include "platform/module.h"
#include "platform/paths.h"
#include "tests/support/temp_folder.h"

#include <algorithm>
#include <cstdio>
#include <fstream>

namespace emutest {

namespace {

template <typename Function>
void Bind(HMODULE module, const char* name, Function& function, std::string& error) {
    function = platform::GetProcAddressAs<Function>(module, name);
    if (function == nullptr) {
        error.append(" missing ").append(name);
    }
}

}  // namespace

SimModule LoadSimModule(const std::string& path) {
    SimModule sim;
    sim.module = LoadLibraryA(path.c_str());
    if (sim.module == nullptr) {
        sim.error = "cannot load " + path;
        return sim;
    }
    HMODULE m = sim.module;
    DriverEntries& d = sim.driver;
    std::string& e = sim.error;
    Bind(m, "ULE_Identify", d.identify, e);
    Bind(m, "ULE_Initialise", d.initialise, e);
    Bind(m, "ULE_Select", d.select, e);
    Bind(m, "ULE_Terminate", d.terminate, e);
    Bind(m, "ULE_TestConfiguration", d.testConfiguration, e);
    Bind(m, "ULE_ConfigurationDialog", d.configurationDialog, e);
    Bind(m, "ULE_GetConfiguration", d.getConfiguration, e);
    Bind(m, "ULE_SetDriverConfiguration", d.setDriverConfiguration, e);
    Bind(m, "ULE_SetControllerConfiguration", d.setControllerConfiguration, e);
    Bind(m, "ULE_WriteMemory", d.writeMemory, e);
    Bind(m, "ULE_ReadMemory", d.readMemory, e);
    Bind(m, "X_PDI_TX", d.transmit, e);
    Bind(m, "H_SCI_RX", d.receive, e);
    Bind(m, "AUD_TraceRead", d.traceRead, e);
    Bind(m, "ULE_Poll", d.poll, e);
    Bind(m, "ULE_DLLError", d.dllError, e);
    Bind(m, "LibraryType", d.libraryType, e);
    Bind(m, "LibraryName", d.libraryName, e);
    Bind(m, "LibraryVersion", d.libraryVersion, e);
    Bind(m, "Set_Timeout", d.setTimeout, e);
    Bind(m, "Q5t_WriteMemory", d.writeQ5t, e);
    Bind(m, "Q5t_ReadMemory", d.readQ5t, e);
    Bind(m, "SumCheck", d.sumCheck, e);
    Bind(m, "MonpOpen", d.monpOpen, e);
    Bind(m, "ProgDownload", d.progDownload, e);
    Bind(m, "PreEraseWrite_Erase", d.preEraseWrite, e);
    Bind(m, "AdapterProgramDownload", d.adapterProgramDownload, e);
    ControlEntries& c = sim.control;
    Bind(m, "Q3vSimReset", c.reset, e);
    Bind(m, "Q3vSimConfigure", c.configure, e);
    Bind(m, "Q3vSimGetConfiguration", c.getConfiguration, e);
    Bind(m, "Q3vSimSetIdCode", c.setIdCode, e);
    Bind(m, "Q3vSimReadTarget", c.readTarget, e);
    Bind(m, "Q3vSimWriteTarget", c.writeTarget, e);
    Bind(m, "Q3vSimReadEmulator", c.readEmulator, e);
    Bind(m, "Q3vSimWriteEmulator", c.writeEmulator, e);
    Bind(m, "Q3vSimGetRegisters", c.getRegisters, e);
    Bind(m, "Q3vSimSetRegisters", c.setRegisters, e);
    Bind(m, "Q3vSimGetStatus", c.getStatus, e);
    Bind(m, "Q3vSimInstallFirmware", c.installFirmware, e);
    Bind(m, "Q3vSimInjectFault", c.injectFault, e);
    Bind(m, "Q3vSimInjectFaultAfter", c.injectFaultAfter, e);
    Bind(m, "Q3vSimInjectFaultAfterDriverCalls", c.injectFaultAfterDriverCalls, e);
    Bind(m, "Q3vSimClearFaults", c.clearFaults, e);
    Bind(m, "Q3vSimGetFrameCount", c.getFrameCount, e);
    Bind(m, "Q3vSimGetFrame", c.getFrame, e);
    Bind(m, "Q3vSimClearFrames", c.clearFrames, e);
    Bind(m, "Q3vSimFormatFrames", c.formatFrames, e);
    return sim;
}

namespace {

void AppendPadded(Bytes& frame) {
    // Every count is even: a pad stands before the closing byte otherwise.
    if ((frame.size() - 2 + 1) % 2 != 0) {
        frame.push_back(0xA5);
    }
    frame.push_back(0x81);
    const std::size_t count = frame.size() - 2;
    frame[0] = static_cast<std::uint8_t>(count >> 8);
    frame[1] = static_cast<std::uint8_t>(count);
}

void PutLittleEndian(Bytes& bytes, std::uint32_t value, std::size_t width) {
    for (std::size_t i = 0; i < width; ++i) {
        bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    }
}

}  // namespace

SimModule& Module() {
    static SimModule module = LoadSimModule(testing_support::ProgramFolder() + "Q3vSimEmu.dll");
    return module;
}

void EmulatorTest::SetUp() {
    ASSERT_TRUE(Module().error.empty()) << Module().error;
    ASSERT_EQ(Control().reset(), Q3V_SIM_OK);
    Configure("device=VK31D16;protocol=1;board=powered;connector=connected;canary=0;pending=0;steps=1000;lockout=3;flashbusy=0");
    Control().clearFrames();
    Driver().terminate();
    const char* const* channels = nullptr;
    ASSERT_EQ(Driver().initialise("SIMUSB", &channels), Q3V_SIM_OK);
    ASSERT_EQ(Driver().select(0), Q3V_SIM_OK);
    Driver().setTimeout(20);
}

void EmulatorTest::TearDown() {
    if (HasFailure() && Module().error.empty()) {
        char text[8192];
        Control().formatFrames(24, text, sizeof(text));
        std::printf("Last frames on the wire:\n%s", text);
    }
}

void EmulatorTest::Configure(const std::string& text) {
    ASSERT_EQ(Control().configure(text.c_str()), Q3V_SIM_OK) << text;
}

DWORD EmulatorTest::Send(Bytes frame) {
    return Driver().transmit(static_cast<WORD>(frame.size()), frame.data(), 0, 1);
}

Reply EmulatorTest::Receive() {
    Bytes buffer(8192, 0);
    Reply reply;
    reply.result = Driver().receive(0, buffer.data(), 0, 1);
    if (reply.result == Q3V_SIM_OK) {
        const std::size_t length = 2 + ((buffer[0] << 8) | buffer[1]);
        reply.bytes.assign(buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(std::min(length, buffer.size())));
    }
    return reply;
}

Bytes EmulatorTest::Transact(const Bytes& frame) {
    if (Send(frame) != Q3V_SIM_OK) {
        return {};
    }
    return Receive().bytes;
}

Q3vSimStatus EmulatorTest::Status() {
    Q3vSimStatus status{};
    Control().getStatus(&status);
    return status;
}

Bytes EmulatorTest::ReadTarget(std::uint32_t address, std::size_t count) {
    Bytes bytes(count);
    Control().readTarget(address, bytes.data(), static_cast<DWORD>(count));
    return bytes;
}

void EmulatorTest::WriteTarget(std::uint32_t address, const Bytes& data) {
    Control().writeTarget(address, data.data(), static_cast<DWORD>(data.size()));
}

Bytes EmulatorTest::ReadRegister(std::uint32_t address) {
    Bytes bytes(4, 0);
    EXPECT_EQ(Driver().readMemory(4, bytes.data(), address, 4), Q3V_SIM_OK);
    return bytes;
}

DWORD EmulatorTest::WriteRegister(std::uint32_t address, const Bytes& bytes) {
    Bytes copy = bytes;
    return Driver().writeMemory(4, copy.data(), address, static_cast<BYTE>(copy.size()));
}

void EmulatorTest::StartFirmware() {
    ASSERT_EQ(Control().installFirmware(), Q3V_SIM_OK);
    ASSERT_EQ(Status().mcuState, Q3V_SIM_MCU_FIRMWARE);
}

std::vector<std::uint32_t> EmulatorTest::Registers() {
    std::vector<DWORD> values(20);
    Control().getRegisters(values.data());
    return {values.begin(), values.end()};
}

Bytes Relayed(const Bytes& command, std::uint16_t responseLength) {
    Bytes frame{0, 0};
    frame.push_back(static_cast<std::uint8_t>(command.size() >> 8));
    frame.push_back(static_cast<std::uint8_t>(command.size()));
    frame.push_back(static_cast<std::uint8_t>(responseLength >> 8));
    frame.push_back(static_cast<std::uint8_t>(responseLength));
    frame.insert(frame.end(), command.begin(), command.end());
    AppendPadded(frame);
    return frame;
}

Bytes AdapterCommand(std::uint8_t code, const Bytes& arguments) {
    Bytes frame{0, 0, code};
    frame.insert(frame.end(), arguments.begin(), arguments.end());
    AppendPadded(frame);
    return frame;
}

Bytes FirmwareRequest(std::uint8_t command, const Bytes& payload) {
    const std::size_t length = 6 + payload.size();
    Bytes frame{static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length), 0x5A, command,
                static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length)};
    frame.insert(frame.end(), payload.begin(), payload.end());
    frame.push_back(0xA5);
    frame.push_back(0x81);
    return frame;
}

Bytes ReadMemoryRequest(std::uint32_t address, std::uint16_t count, std::uint16_t access) {
    Bytes payload;
    PutLittleEndian(payload, address, 4);
    PutLittleEndian(payload, count, 2);
    PutLittleEndian(payload, access, 2);
    return FirmwareRequest(0x11, payload);
}

Bytes WriteMemoryRequest(std::uint32_t address, std::uint16_t access, const Bytes& data, bool verify) {
    Bytes payload;
    PutLittleEndian(payload, address, 4);
    PutLittleEndian(payload, access, 2);
    PutLittleEndian(payload, static_cast<std::uint32_t>(data.size()), 2);
    PutLittleEndian(payload, verify ? 1 : 0, 2);
    payload.insert(payload.end(), data.begin(), data.end());
    if (data.size() % 2 != 0) {
        payload.push_back(0);  // odd counts are padded to an even length
    }
    return FirmwareRequest(0x12, payload);
}

Bytes GoRequest(std::uint8_t mode, const Bytes& addresses) {
    Bytes frame{0x00, 0x0E, 0x5A, 0x21, 0x00, 0x0E, mode};
    frame.insert(frame.end(), addresses.begin(), addresses.end());
    frame.push_back(0x81);
    return frame;
}

Bytes ProgramRecord(std::uint32_t address, const Bytes& data) {
    Bytes frame{0x00, 0x86};
    PutLittleEndian(frame, address, 4);
    frame.insert(frame.end(), data.begin(), data.end());
    std::uint8_t sum = 0;
    for (std::size_t i = 2; i < frame.size(); ++i) {
        sum = static_cast<std::uint8_t>(sum + frame[i]);
    }
    frame.push_back(sum);
    frame.push_back(0x81);
    return frame;
}

Bytes BulkData(const Bytes& data) {
    Bytes command{0xFA, static_cast<std::uint8_t>(data.size()), static_cast<std::uint8_t>(data.size() >> 8)};
    std::uint8_t sum = 0;
    for (std::uint8_t byte : data) {
        sum = static_cast<std::uint8_t>(sum + byte);
    }
    command.push_back(sum);
    command.insert(command.end(), data.begin(), data.end());
    return Relayed(command, 0);
}

Bytes WriteRegistersRequest(const std::vector<std::uint32_t>& values) {
    static constexpr std::size_t kWidths[20] = {2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 2, 2, 2, 2};
    Bytes payload;
    for (std::size_t i = 0; i < 20; ++i) {
        PutLittleEndian(payload, values[i], kWidths[i]);
    }
    return FirmwareRequest(0x32, payload);
}

std::string DataFilePath(const std::string& fileName) {
    return platform::ToNativePath(testing_support::ProgramFolder() + fileName).value_or(fileName);
}

std::map<std::uint32_t, std::uint8_t> LoadSRecords(const std::string& fileName) {
    std::map<std::uint32_t, std::uint8_t> image;
    std::ifstream in(DataFilePath(fileName));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.size() < 4 || line[0] != 'S') {
            continue;
        }
        const int type = line[1] - '0';
        const std::size_t addressBytes = type == 1 ? 2 : type == 2 ? 3 : type == 3 ? 4 : 0;
        if (addressBytes == 0) {
            continue;
        }
        const Bytes record = Hex(line.substr(2));
        std::uint32_t address = 0;
        for (std::size_t i = 0; i < addressBytes; ++i) {
            address = (address << 8) | record.at(1 + i);
        }
        for (std::size_t i = 1 + addressBytes; i + 1 < record.size(); ++i) {
            image[address++] = record[i];
        }
    }
    return image;
}

Bytes Slice(const std::map<std::uint32_t, std::uint8_t>& image, std::uint32_t address, std::size_t count) {
    Bytes bytes(count, 0xFF);
    for (std::size_t i = 0; i < count; ++i) {
        if (const auto found = image.find(address + static_cast<std::uint32_t>(i)); found != image.end()) {
            bytes[i] = found->second;
        }
    }
    return bytes;
}

Bytes Hex(const std::string& text) {
    Bytes bytes;
    std::string digits;
    for (char c : text) {
        if (c != ' ') {
            digits += c;
        }
    }
    for (std::size_t i = 0; i + 1 < digits.size(); i += 2) {
        bytes.push_back(static_cast<std::uint8_t>(std::stoul(digits.substr(i, 2), nullptr, 16)));
    }
    return bytes;
}

std::string HexText(const Bytes& bytes) {
    std::string text;
    char hex[4];
    for (std::uint8_t byte : bytes) {
        std::snprintf(hex, sizeof(hex), text.empty() ? "%02X" : " %02X", byte);
        text += hex;
    }
    return text;
}

std::uint16_t LittleEndian16(const Bytes& bytes, std::size_t offset) {
    return static_cast<std::uint16_t>(bytes.at(offset) | (bytes.at(offset + 1) << 8));
}

std::uint32_t LittleEndian24(const Bytes& bytes, std::size_t offset) {
    return bytes.at(offset) | (bytes.at(offset + 1) << 8) | (static_cast<std::uint32_t>(bytes.at(offset + 2)) << 16);
}

}  // namespace emutest
