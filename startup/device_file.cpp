#include "startup/device_file.h"

#include "config/device_data.h"
#include "startup/firmware_info_file.h"
#include "startup/protected_registers.h"
#include "config/settings_files.h"
#include "util/scan_values.h"

#include "platform/crt.h"
#include "platform/files.h"

#include <algorithm>
#include <cstdio>

bool FileExists(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

namespace {

// A file another program holds without sharing it cannot be loaded: read as
// missing, it shows no message for each of its keys.
bool CanBeRead(const std::string& path) {
    FILE* stream = _fsopen(path.c_str(), "r", _SH_DENYNO);
    if (stream == nullptr) {
        return false;
    }
    std::fclose(stream);
    return true;
}

}  // namespace

CDeviceFileKeys::CDeviceFileKeys(std::string path, std::string section)
    : m_path(std::move(path)), m_section(std::move(section)), m_exists(FileExists(m_path) && CanBeRead(m_path)) {}

std::string CDeviceFileKeys::Text(const std::string& key, int size) const {
    if (!m_exists || size <= 0) {
        return {};
    }
    std::string text(static_cast<std::size_t>(size), '\0');
    const int length =
        ReadProfileString(m_section.c_str(), key.c_str(), "", text.data(), size, m_path.c_str());
    text.resize(static_cast<std::size_t>(std::clamp(length, 0, size - 1)));
    return text;
}

int CDeviceFileKeys::Integer(const std::string& key, int defaultValue) const {
    return m_exists ? ReadProfileInt(m_section.c_str(), key.c_str(), defaultValue, m_path.c_str()) : defaultValue;
}

int CDeviceFileKeys::Hexadecimal(const std::string& key, int defaultValue) const {
    return m_exists ? ReadProfileValue(m_section.c_str(), key.c_str(), defaultValue, m_path.c_str()) : defaultValue;
}

namespace {

constexpr int kXinTextSize = 256;

// A key name with a number in it ("TOP TABLE%d").
std::string Numbered(const char* format, std::size_t number) {
    char key[48];
    std::snprintf(key, sizeof(key), format, static_cast<unsigned>(number));
    return key;
}

// Scans a present key; an absent one changes nothing.
template <typename... Destinations>
void Scan(const CDeviceFileKeys& keys, const std::string& key, const char* format, Destinations... destinations) {
    const std::string text = keys.Text(key);
    if (!text.empty()) {
        static_cast<void>(ScanValues(text.c_str(), format, destinations...));  // what does not scan is kept
    }
}

// Scans the key, or the default text when it is absent.
template <typename... Destinations>
void ScanOr(const CDeviceFileKeys& keys, const std::string& key, const char* format, const char* defaultText,
            Destinations... destinations) {
    std::string text = keys.Text(key);
    if (text.empty()) {
        text = defaultText;
    }
    static_cast<void>(ScanValues(text.c_str(), format, destinations...));  // what does not scan is kept
}

// A text field: the key's text cut to the field, or the default when absent.
void ReadText(const CDeviceFileKeys& keys, const char* key, std::size_t width, std::string& field,
              const char* defaultText = nullptr) {
    std::string text = keys.Text(key);
    if (text.empty()) {
        if (defaultText == nullptr) {
            return;
        }
        text = defaultText;
    }
    field = text.substr(0, width);
}

// A one-byte field: the low 8 bits of the number; the neighbours stay.
void ReadByte(const CDeviceFileKeys& keys, const std::string& key, const char* format, BYTE& field) {
    DWORD value = field;
    Scan(keys, key, format, &value);
    field = static_cast<BYTE>(value);
}

// A count read into a table: one beyond the table is cut to its size.
void ReadCount(const CDeviceFileKeys& keys, const char* key, DWORD& field, std::size_t tableSize) {
    Scan(keys, key, "%8x", &field);
    field = std::min<DWORD>(field, static_cast<DWORD>(tableSize));
}

DWORD BigEndian(const BYTE* bytes, std::size_t count) {
    DWORD value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value = (value << 8) | bytes[i];
    }
    return value;
}

void PutBigEndian(DWORD value, BYTE* bytes, std::size_t count) {
    for (std::size_t i = count; i-- > 0;) {
        bytes[i] = static_cast<BYTE>(value);
        value >>= 8;
    }
}

DWORD LittleEndian(const std::array<BYTE, 4>& bytes) {
    return static_cast<DWORD>(bytes[0]) | static_cast<DWORD>(bytes[1]) << 8 | static_cast<DWORD>(bytes[2]) << 16 |
           static_cast<DWORD>(bytes[3]) << 24;
}

std::array<BYTE, 4> LittleEndianBytes(DWORD value) {
    return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
            static_cast<BYTE>(value >> 24)};
}

// Scans a hexadecimal number of the first length characters of text into the
// big-endian bytes; bytes of a text that does not scan stay.
void ScanIdCodeGroup(const std::string& text, std::size_t length, BYTE* bytes, std::size_t count) {
    DWORD value = BigEndian(bytes, count);
    if (ScanValues(text.substr(0, length).c_str(), "%x", &value) == 1) {
        PutBigEndian(value, bytes, count);
    }
}

// "ID CODE": twenty digits give ten bytes with protocol types 1 to 4 (digits
// 1-4, 5-12 and 13-20 each read as one big-endian number), eight digits four
// bytes with type 0.
void ReadIdCode(const CDeviceFileKeys& keys, DeviceValues& device) {
    const std::string text = keys.Text("ID CODE");
    if (g_protocolType != 0) {
        device.idCodeLength = kDeviceIdCodeBytes;
        if (!text.empty()) {
            // Each group is the low 32 bits of a longer prefix's number.
            ScanIdCodeGroup(text, text.size(), device.idCode.data() + 6, 4);
            ScanIdCodeGroup(text, 12, device.idCode.data() + 2, 4);
            ScanIdCodeGroup(text, 4, device.idCode.data(), 2);
        }
        return;
    }
    device.idCodeLength = 4;
    if (!text.empty()) {
        DWORD value = BigEndian(device.idCode.data(), 4);
        if (ScanValues(text.c_str(), "%8x", &value) == 1) {
            PutBigEndian(value, device.idCode.data(), 4);
        }
    }
}

void ReadNames(const CDeviceFileKeys& keys, DeviceValues& device) {
    ReadText(keys, "CPU TYPE", device_text::kCpuType, device.cpuType);
    DWORD chipId = device.chipId;
    Scan(keys, "CHIP ID", "%x", &chipId);
    device.chipId = static_cast<WORD>(chipId);
    Scan(keys, "CHIP ID ADDRESS", "%lx", &device.chipIdAddress);
    Scan(keys, "PROTOCOL TYPE", "%8x", &g_protocolType);
    ReadIdCode(keys, device);
    ReadText(keys, "FIRM NAME", device_text::kFirmName, device.firmName, "frm_kq14.sys");
    ReadText(keys, "FIRM ID", device_text::kFirmId, device.firmId);
    Scan(keys, "FIRM ID ADDRESS", "%lx", &device.firmIdAddress);
    if (const std::string endian = keys.Text("ENDIAN"); !endian.empty()) {
        device.endian = endian[0];
    }
    ReadText(keys, "DEVICE NAME", device_text::kDeviceName, device.deviceName);
    ReadText(keys, "FLIB NAME", device_text::kFlibName, device.flibName, "WTR_KQ14.mot");
    ReadText(keys, "IO NAME", device_text::kIoName, device.ioName, "Vk314");
    ReadText(keys, "MONPMAIN NAME", device_text::kAdapterFileName, device.monpMainName, "MonpMain.mot");
    ReadText(keys, "MONPERASE NAME", device_text::kAdapterFileName, device.monpEraseName, "AdpErase.mot");
    ReadText(keys, "MONPWRITE NAME", device_text::kAdapterFileName, device.monpWriteName, "AdpWrite.mot");
    ReadText(keys, "ADP NAME", device_text::kAdpName, device.adpName, "Q3vdp.mot");
}

void ReadFlashBlocks(const CDeviceFileKeys& keys, DeviceValues& device) {
    for (std::size_t i = 0; i < kFlashTableSize; ++i) {
        for (auto [format, table] : {std::pair{"TOP TABLE%u", &device.flashBlockTop},
                                     std::pair{"END TABLE%u", &device.flashBlockEnd}}) {
            const std::string key = Numbered(format, i);
            if (keys.Text(key).empty()) {
                (*table)[i] = 0xFFFFFFFF;
            } else {
                Scan(keys, key, "%8x", &(*table)[i]);
            }
        }
    }
}

void ReadVectors(const CDeviceFileKeys& keys, DeviceValues& device) {
    Scan(keys, "FLPRO TOP", "%8x", &device.flproTop);
    Scan(keys, "REGINI STACK", "%8x", &device.reginiStack);
    ReadByte(keys, "REGINI CCR", "%2x", device.reginiCcr);
    for (std::size_t i = 0; i < kVectorCount; ++i) {
        // The text's digit pairs are the bytes in memory order.
        DWORD value = BigEndian(device.vectors[i].data(), 4);
        Scan(keys, Numbered("VECT%u", i + 1), "%x", &value);
        PutBigEndian(value, device.vectors[i].data(), 4);
    }
    for (std::size_t i = 0; i < device.setAddr.size(); ++i) {
        Scan(keys, Numbered("SET ADDR%u", i + 1), "%lx", &device.setAddr[i]);
    }
    Scan(keys, "MAX ADDR", "%8x", &device.maxAddr);
    for (auto [key, field] : {std::pair{"FIRM RESET ADDR", &device.firmResetAddr},
                              std::pair{"FIRM JUMP ADDR", &device.firmJumpAddr}}) {
        DWORD value = LittleEndian(*field);
        Scan(keys, key, "%x", &value);
        *field = LittleEndianBytes(value);
    }
}

void ReadAreas(const CDeviceFileKeys& keys) {
    static constexpr const char* kNames[kDeviceAreaCount] = {"BSC1", "BSC2", "ASE1", "ASE2", "IIO1",
                                                             "IIO2", "FIRM", "FIR2", "FIR3", "FLAS",
                                                             "DATF", "ADP0", "ADP1", "ADPV"};
    for (std::size_t i = 0; i < kDeviceAreaCount; ++i) {
        const std::string key = std::string(kNames[i]) + " INF";
        DeviceArea& area = g_deviceAreas[i];
        if (i == kAreaFir3 && keys.Text(key).empty()) {
            area = DeviceArea{};
            continue;
        }
        Scan(keys, key, "%x %8x %8x", &area.enable, &area.top, &area.end);
    }
}

void ReadRegisters(const CDeviceFileKeys& keys, DeviceValues& device) {
    Scan(keys, "ADPTSUM", "%8x", &device.adpTsum);
    Scan(keys, "FIRM RAM SET", "%8x", &device.firmRamSet);
    Scan(keys, "WRITE RAM SET", "%8x", &device.writeRamSet);
    Scan(keys, "WDT INFO SET", "%8x", &device.wdtInfoSet);
    for (std::size_t i = 0; i < kDmaChannels; ++i) {
        Scan(keys, Numbered("DMA%u CON", i), "%8x", &device.dmaControl[i]);
    }
    for (std::size_t i = 0; i < kDmaChannels; ++i) {
        ReadByte(keys, Numbered("DMA%u SETBIT DATA", i), "%8x", device.dmaSetBit[i]);
    }
    for (std::size_t i = 0; i < kDmaChannels; ++i) {
        ReadByte(keys, Numbered("DMA%u DISABLE DATA", i), "%8x", device.dmaDisable[i]);
    }
    // The registers a write may reach while connecting: the DMA control
    // registers up to the first that is 0.
    device.initialRegisterCount = 0;
    for (const DWORD address : device.dmaControl) {
        if (address == 0) {
            break;
        }
        device.initialRegisters[device.initialRegisterCount++] = address;
    }
    Scan(keys, "PRCR ADDR", "%8x", &device.specialRegisters[0].address);
    Scan(keys, "PRCR SET DATA", "%8x", &device.specialRegisters[0].setValue);
    Scan(keys, "CM0 ADDR", "%8x", &device.specialRegisters[1].address);
    Scan(keys, "CM0 SET DATA", "%8x", &device.specialRegisters[1].setValue);
}

void ReadEraseAndFirmwarePlacement(const CDeviceFileKeys& keys, DeviceValues& device) {
    ReadCount(keys, "FLASHBLOCK", device.flashBlockCount, kFlashTableSize);
    if (keys.Text("ERASEBLOCK").empty()) {
        device.eraseBlockCount = 0;
    }
    ReadCount(keys, "ERASEBLOCK", device.eraseBlockCount, kFlashTableSize);
    for (std::size_t i = 0; i < kFlashTableSize; ++i) {
        const std::string key = Numbered("ERASE TABLE%u", i);
        if (keys.Text(key).empty()) {
            device.eraseTable[i] = 0;
        } else {
            Scan(keys, key, "%8x", &device.eraseTable[i]);
        }
    }
    Scan(keys, "FIRM SELECT", "%8x", &device.firmSelect);
    device.firmDataflashSelect =
        static_cast<DWORD>(keys.Integer("FIRM DATAFLASH SELECT", static_cast<int>(device.firmDataflashSelect)));
    // A block number the tables do not hold keeps the one in force.
    DWORD firmBlockNo = device.firmBlockNo;
    Scan(keys, "FIRMBLOCKNO", "%8x", &firmBlockNo);
    if (firmBlockNo < kFlashTableSize) {
        device.firmBlockNo = firmBlockNo;
    }
    device.firmRomSelect = static_cast<DWORD>(keys.Integer("FIRM ROM SELECT", static_cast<int>(device.firmRomSelect)));
    const bool family = device.cpuType.compare(0, 3, "Vk3") == 0;
    device.firmRamSelect = static_cast<DWORD>(keys.Integer("FIRM RAM SELECT", family ? 0 : 1));
}

void ReadBreakAndTrace(const CDeviceFileKeys& keys, DeviceValues& device) {
    Scan(keys, "HWBREAK", "%8x", &device.hwBreak);
    ReadCount(keys, "ADDRBREAK", device.addressBreakCount, kBreakChannelRegisters);
    for (std::size_t i = 0; i < kBreakChannelRegisters; ++i) {
        DWORD mask = device.aier[i].mask;
        Scan(keys, Numbered("AIER%u", i), "%8x %x", &device.aier[i].address, &mask);
        device.aier[i].mask = static_cast<BYTE>(mask);
    }
    for (std::size_t i = 0; i < kBreakChannelRegisters; ++i) {
        Scan(keys, Numbered("RMAD%u", i), "%8x", &device.rmad[i]);
    }
    Scan(keys, "REG ABRC", "%8x", &device.regAbrc);
    Scan(keys, "REG BAR", "%8x", &device.regBar);
    Scan(keys, "REG BDR", "%8x", &device.regBdr);
    Scan(keys, "TRACE", "%8x", &device.traceFunction);
    Scan(keys, "TRACE BUFSIZE", "%8x", &device.traceBufSize);
    Scan(keys, "TRCBR DEFAULT", "%8x", &device.trcbrDefault);
    Scan(keys, "REG TRC", "%8x", &device.regTrc);
    for (std::size_t i = 0; i < kTraceBreakRegisters; ++i) {
        Scan(keys, Numbered("REG TRCBR%u", i), "%8x", &device.regTrcbr[i]);
    }
}

void ReadWorkRam(const CDeviceFileKeys& keys, DeviceValues& device) {
    std::size_t count = 0;
    for (; count < kWorkRamEntries; ++count) {
        const std::string key = Numbered("WORK RAM SET %u", count);
        if (keys.Text(key).empty()) {
            break;
        }
        InterruptRegisterPatch& patch = device.interruptPatches[count];
        Scan(keys, key, "%x %x", &patch.imageOffset, &patch.sourceOffset);
    }
    device.interruptPatchCount = static_cast<DWORD>(count);
}

void ReadStartStopFunctions(const CDeviceFileKeys& keys, DeviceValues& device) {
    ScanOr(keys, "SUPPORT START STOP FUNC", "%d", "0", &device.supportStartStopFunc);
    for (auto [key, field] : {std::pair{"START FUNC VECT", &device.startFuncVect},
                              std::pair{"STOP FUNC VECT", &device.stopFuncVect}}) {
        if (keys.Text(key).empty()) {
            device.supportStartStopFunc = 0;
        } else {
            Scan(keys, key, "%lx", field);
        }
    }
}

// "SET XIN INFO%d": address, value and byte count. The list ends at the
// first absent key, and at an entry whose count is not 1 to 4.
void ReadXin(const CDeviceFileKeys& keys, DeviceValues& device) {
    ScanOr(keys, "USE XIN WHILE DOWNLOAD", "%ld", "0", &device.useXinWhileDownload);
    std::size_t count = 0;
    for (; count < kXinEntryCount; ++count) {
        const std::string text = keys.Text(Numbered("SET XIN INFO%u", count), kXinTextSize);
        if (text.empty()) {
            break;
        }
        XinEntry& entry = device.xin[count];
        DWORD address = entry.address;
        DWORD value = LittleEndian(entry.data);
        DWORD byteCount = entry.byteCount;
        static_cast<void>(ScanValues(text.c_str(), "%lx %lx %d", &address, &value, &byteCount));  // kept as it was
        if (byteCount < 1 || byteCount > entry.data.size()) {
            break;
        }
        entry.address = address;
        entry.byteCount = byteCount;
        entry.data = {};
        const std::array<BYTE, 4> bytes = LittleEndianBytes(value);
        std::copy_n(bytes.begin(), byteCount, entry.data.begin());
    }
    device.xinCount = static_cast<DWORD>(count);
}

void ReadSecondProgramArea(const CDeviceFileKeys& keys, DeviceValues& device) {
    ScanOr(keys, "PRG2 INF", "%x %8x %8x", "0 00000 00000", &device.prg2.enable, &device.prg2.top, &device.prg2.end);
    ScanOr(keys, "PRG2 PROTECT REG", "%x", "0000A", &device.prg2ProtectReg);
    ScanOr(keys, "PRG2 PROTECT BIT", "%x", "40", &device.prg2ProtectBit);
    ScanOr(keys, "PRG2 REG", "%x", "00010", &device.prg2Reg);
    ScanOr(keys, "PRG2 BIT", "%x", "01", &device.prg2Bit);
    ScanOr(keys, "FIRM LINKED BLOCK INF", "%d %d", "0 0", &device.firmLinkedFlag, &device.firmLinkedBlock);
}

// "MCU ID", or without it the open word's byte for the firmware and the
// protocol type.
void ReadMcuId(const CDeviceFileKeys& keys, DeviceValues& device) {
    if (!keys.Text("MCU ID").empty()) {
        Scan(keys, "MCU ID", "%x", &device.mcuId);
        return;
    }
    if (g_swtiSupported == 1) {
        device.mcuId = 11;
        return;
    }
    switch (g_protocolType) {
    case 0:
        device.mcuId = 1;
        break;
    case 1:
        device.mcuId = 2;
        break;
    case 2:
    case 3:
        device.mcuId = 4;
        break;
    case 4:
        device.mcuId = 8;
        break;
    default:
        break;
    }
}

}  // namespace

void ReadDeviceDescription(const std::string& path, const std::string& section) {
    const CDeviceFileKeys keys(path, section);
    DeviceValues& device = g_deviceValues;
    ReadNames(keys, device);
    ReadFlashBlocks(keys, device);
    ReadVectors(keys, device);
    ReadAreas(keys);
    ReadRegisters(keys, device);
    ReadEraseAndFirmwarePlacement(keys, device);
    ReadBreakAndTrace(keys, device);
    Scan(keys, "POWERSUPPLY", "%8x", &device.powerSupply);
    Scan(keys, "LOCKBIT", "%8x", &device.lockBit);
    Scan(keys, "INTR REG START ADDR", "%8x", &device.connectBlockAddress);
    Scan(keys, "INTR REG END ADDR", "%8x", &device.intrRegEndAddr);
    ReadWorkRam(keys, device);
    ReadStartStopFunctions(keys, device);
    ReadXin(keys, device);
    ReadSecondProgramArea(keys, device);
    if (keys.FileFound()) {
        g_protectedRegisters.Load(section.c_str(), path.c_str());
    } else {
        g_protectedRegisters = CProtectedRegisterList{};
    }
    // The firmware information file's offsets count from this device's
    // firmware area, so its base is set before that file is read.
    device.firmwareBase = g_deviceAreas[kAreaAse1].top;
    ReadFirmwareInfoFile(device.firmName);
    ReadMcuId(keys, device);
    device.firmwareBase = g_deviceAreas[kAreaAse1].top;
    ScanOr(keys, "POWERSUPPLY DISABLE 5V", "%d", "0", &device.powerSupplyDisable5V);
    ScanOr(keys, "WDT START BIT", "%x  %8x  %1x", "0 FFFFF 0", &device.wdtStartBit.enable,
           &device.wdtStartBit.address, &device.wdtStartBit.bit);
}
