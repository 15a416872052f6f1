// The device data: process-wide values that describe the selected
// microcontroller, named after the keys of the device description file that
// fill them ("POWERSUPPLY", "FLASHBLOCK", ...). The device-file reader
// (ReadDeviceConfigFile) and the firmware information reader write them
// before a connection; the link, the monitor and the start-up code read them.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstdint>
#include <string>

// The connect mode (g_emuSel).
namespace connect_mode {
inline constexpr DWORD kEraseAndConnect = 0;
inline constexpr DWORD kKeepFlashAndConnect = 1;
inline constexpr DWORD kProgramFlash = 2;
inline constexpr DWORD kCpuRewriteMode = 3;
}  // namespace connect_mode

extern DWORD g_protocolType;    // "PROTOCOL TYPE", 0 to 4: frame forms and flash commands
// The program counter's address space: 24 bits with protocol type 3, 20
// bits with the others.
inline DWORD PcAddressMask() {
    return g_protocolType == 3 ? 0xFFFFFF : 0xFFFFF;
}
extern DWORD g_swtiSupported;   // "SWTI" of the firmware information file: the event function
extern DWORD g_emuSel;          // the connect mode (connect_mode::...)
// The Configuration sheet's register-list selector (its device entry): a
// change to a nonzero value zeroes the device's register list.
extern DWORD g_registerListSelector;

// The chosen device's section name in the device description file (at most
// 19 characters): the current section of every device lookup. The start-up
// device selection sets it.
extern char g_deviceSection[20];

// One device area: enable flag, top and end (inclusive).
struct DeviceArea {
    DWORD enable = 0;
    DWORD top = 0;
    DWORD end = 0;

    bool Contains(DWORD address) const { return top <= address && address <= end; }
};

// The areas in the order of the device data.
enum DeviceAreaIndex : std::size_t {
    kAreaBsc1, kAreaBsc2, kAreaAse1, kAreaAse2, kAreaIio1, kAreaIio2, kAreaFirm,
    kAreaFir2, kAreaFir3, kAreaFlas, kAreaDatf, kAreaAdp0, kAreaAdp1, kAreaAdpv,
    kDeviceAreaCount
};
extern std::array<DeviceArea, kDeviceAreaCount> g_deviceAreas;

inline constexpr std::size_t kFlashTableSize = 22;
inline constexpr std::size_t kVectorCount = 5;
inline constexpr std::size_t kWorkRamEntries = 12;
inline constexpr std::size_t kBreakChannelRegisters = 8;
inline constexpr std::size_t kInitialRegisterCount = 5;

// An address-match break channel's enable register and its bit mask.
struct BreakEnableRegister {
    DWORD address = 0;
    DWORD mask = 0;
};

// A special register and the value written to it while flash is written.
struct SpecialRegister {
    DWORD address = 0;
    DWORD setValue = 0;
};

// A byte copied into the firmware image from the record read back before a
// protocol type 1 download ("WORK RAM SET %d": image offset, source offset).
struct InterruptRegisterPatch {
    DWORD imageOffset = 0;
    DWORD sourceOffset = 0;
};

// One "SET XIN INFO%d" entry: an address and the low byteCount (1 to 4)
// bytes of a value, least significant first.
struct XinEntry {
    DWORD address = 0;
    std::array<BYTE, 4> data{};
    DWORD byteCount = 0;
};
inline constexpr std::size_t kXinEntryCount = 15;

// Text fields hold at most these many characters.
namespace device_text {
inline constexpr std::size_t kCpuType = 9;
inline constexpr std::size_t kFirmName = 31;
inline constexpr std::size_t kFirmId = 33;
inline constexpr std::size_t kDeviceName = 16;
inline constexpr std::size_t kFlibName = 48;
inline constexpr std::size_t kIoName = 15;
inline constexpr std::size_t kAdapterFileName = 255;
inline constexpr std::size_t kAdpName = 256;
}  // namespace device_text

inline constexpr std::size_t kDeviceIdCodeBytes = 10;
inline constexpr std::size_t kDmaChannels = 5;
inline constexpr std::size_t kTraceBreakRegisters = 4;

// An enable flag with an address range ("PRG2 INF").
struct EnabledRange {
    DWORD enable = 0;
    DWORD top = 0;
    DWORD end = 0;
};

// "WDT START BIT": enable, register address and bit.
struct WatchdogStartBit {
    DWORD enable = 0;
    DWORD address = 0xFFFFF;
    DWORD bit = 0;
};

// A block table whose entries past the first are unused (0xFFFFFFFF).
constexpr std::array<DWORD, kFlashTableSize> UnusedBlocksBut(DWORD first) {
    std::array<DWORD, kFlashTableSize> table{};
    table.fill(0xFFFFFFFF);
    table[0] = first;
    return table;
}

// The device values keep what the last read gave them: a key the device
// description file lacks leaves its value as it was, unless the reader's rule
// for that key says otherwise. The start values are those a read of a file
// without any key would not change; the texts, ID code, chip id and vectors
// start as the demo device's.
struct DeviceValues {
    std::string cpuType = "Vk31X";  // "CPU TYPE"
    // "CHIP ID": its low byte is the firmware's expected version value.
    WORD chipId = 0x0092;
    DWORD chipIdAddress = 0;     // "CHIP ID ADDRESS"
    // "ID CODE": idCodeLength bytes (10 with protocol types 1 to 4, 4 with
    // type 0) in the order of the text's digit pairs.
    std::array<BYTE, kDeviceIdCodeBytes> idCode{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    DWORD idCodeLength = kDeviceIdCodeBytes;
    std::string firmName = "frm_kq14.sys";  // "FIRM NAME": the firmware image
    // "FIRM ID": its first 12 characters are the expected version text.
    std::string firmId = "Q3vKQ14V1.00";
    DWORD firmIdAddress = 0;     // "FIRM ID ADDRESS"
    char endian = 'L';           // "ENDIAN"
    // "DEVICE NAME": its first characters choose the break-register groups.
    std::string deviceName = "VK31D16";
    std::string flibName = "WTR_KQ14.mot";  // "FLIB NAME": the flash-writer program
    std::string ioName = "Vk314";            // "IO NAME"
    std::string monpMainName = "MonpMain.mot";    // "MONPMAIN NAME"
    std::string monpEraseName = "AdpErase.mot";   // "MONPERASE NAME"
    std::string monpWriteName = "AdpWrite.mot";   // "MONPWRITE NAME"
    std::string adpName = "Q3vdp.mot";            // "ADP NAME"

    // Flash block table ("TOP TABLE%d", "END TABLE%d", 0xFFFFFFFF where
    // missing) and its count "FLASHBLOCK". Before any file is read it holds
    // block 0 from 0xC000 to 0xFFFF.
    std::array<DWORD, kFlashTableSize> flashBlockTop = UnusedBlocksBut(0xC000);
    std::array<DWORD, kFlashTableSize> flashBlockEnd = UnusedBlocksBut(0xFFFF);
    DWORD flashBlockCount = 0;
    DWORD flproTop = 0x400;      // "FLPRO TOP": the flash writer's RAM address
    DWORD reginiStack = 0x500;   // "REGINI STACK": the initial stack pointer (ISP)
    BYTE reginiCcr = 0;          // "REGINI CCR": the initial flag register (FLG)
    // "VECT1".."VECT5": each vector's four bytes in memory order.
    std::array<std::array<BYTE, 4>, kVectorCount> vectors{{{0x40, 0xF0, 0, 0},
                                                           {0x44, 0xF0, 0, 0},
                                                           {0x48, 0xF0, 0, 0},
                                                           {0x4C, 0xF0, 0, 0},
                                                           {0x50, 0xF0, 0, 0}}};
    // "SET ADDR1".."SET ADDR7": five vector addresses, the ID-code address
    // and the reset-vector address.
    std::array<DWORD, 7> setAddr{0xFFE4, 0xFFE8, 0xFFEC, 0xFFF4, 0xFFF8, 0xFFDF, 0xFFFC};
    DWORD maxAddr = 0;           // "MAX ADDR": the device's top address
    // "FIRM RESET ADDR", "FIRM JUMP ADDR": least significant byte first.
    std::array<BYTE, 4> firmResetAddr{0x20, 0xF0, 0, 0};
    std::array<BYTE, 4> firmJumpAddr{0x24, 0xF0, 0, 0};
    DWORD adpTsum = 0;           // "ADPTSUM": the adapter program's checksum address
    DWORD firmRamSet = 0;        // "FIRM RAM SET": image offsets of values patched into the firmware
    DWORD writeRamSet = 0;       // "WRITE RAM SET"
    DWORD wdtInfoSet = 0;        // "WDT INFO SET"
    // "DMA%d CON" and their "SETBIT DATA" and "DISABLE DATA" bytes.
    std::array<DWORD, kDmaChannels> dmaControl{};
    std::array<BYTE, kDmaChannels> dmaSetBit{0x08, 0x08, 0, 0, 0};
    std::array<BYTE, kDmaChannels> dmaDisable{};
    // The initial register addresses that a write may reach while the
    // connection is being made: the "DMA%d CON" addresses up to the first 0.
    std::array<DWORD, kInitialRegisterCount> initialRegisters{};
    DWORD initialRegisterCount = 0;
    // The two special registers the flash write-back and refresh set while
    // they run ("PRCR ADDR"/"PRCR SET DATA", "CM0 ADDR"/"CM0 SET DATA").
    std::array<SpecialRegister, 2> specialRegisters{};
    // Erase table ("ERASE TABLE%d") and its count "ERASEBLOCK".
    std::array<DWORD, kFlashTableSize> eraseTable{};
    DWORD eraseBlockCount = 0;
    DWORD firmSelect = 0;        // "FIRM SELECT": 1 lets the user place the firmware
    DWORD firmDataflashSelect = 1;  // "FIRM DATAFLASH SELECT": the firmware may sit in data flash
    DWORD firmBlockNo = 0;       // "FIRMBLOCKNO": the flash block that holds the firmware
    DWORD firmRomSelect = 1;     // "FIRM ROM SELECT"
    DWORD firmRamSelect = 0;     // "FIRM RAM SELECT"
    DWORD hwBreak = 0;           // "HWBREAK": the hardware break type
    DWORD addressBreakCount = 0; // "ADDRBREAK": the address-break channels (at most 8)
    // "AIER%d" ("%8x %x": the enable register and the channel's bit) and
    // "RMAD%d" (the address register) of the address-match break channels.
    std::array<BreakEnableRegister, kBreakChannelRegisters> aier{
        {{0, 0x01}, {0, 0x02}, {0, 0x04}, {0, 0x08}, {0, 0x10}, {0, 0x20}, {0, 0x40}, {0, 0x80}}};
    std::array<DWORD, kBreakChannelRegisters> rmad{9, 9, 9, 9, 9, 9, 9, 9};
    DWORD regAbrc = 0x1AC;       // "REG ABRC": break control register
    DWORD regBar = 0x1A8;        // "REG BAR": break address register
    DWORD regBdr = 0x1AA;        // "REG BDR": break data register
    DWORD traceFunction = 0;     // "TRACE": 1 when the device has the trace function
    DWORD traceBufSize = 0;      // "TRACE BUFSIZE"
    DWORD trcbrDefault = 0;      // "TRCBR DEFAULT"
    DWORD regTrc = 0x1B8;        // "REG TRC"
    std::array<DWORD, kTraceBreakRegisters> regTrcbr{0x1A0, 0x1A2, 0x1A4, 0x1A6};  // "REG TRCBR%d"
    DWORD powerSupply = 0;       // "POWERSUPPLY": 1 when the emulator can power the target
    DWORD lockBit = 0;           // "LOCKBIT": 1 turns the lock protection on before erasing
    // "INTR REG START ADDR": the one address that takes a 55-byte write while
    // the connection is made with protocol type 3.
    DWORD connectBlockAddress = 0;
    DWORD intrRegEndAddr = 0;    // "INTR REG END ADDR"
    // The work-RAM table ("WORK RAM SET %d": image offset, source offset):
    // bytes copied into the firmware image before a protocol type 1 download.
    std::array<InterruptRegisterPatch, kWorkRamEntries> interruptPatches{};
    DWORD interruptPatchCount = 0;
    DWORD supportStartStopFunc = 0;  // "SUPPORT START STOP FUNC"
    DWORD startFuncVect = 0;     // "START FUNC VECT"
    DWORD stopFuncVect = 0;      // "STOP FUNC VECT"
    // "USE XIN WHILE DOWNLOAD": 1 writes the XIN entries (in table order)
    // around a download and at disconnect.
    DWORD useXinWhileDownload = 0;
    std::array<XinEntry, kXinEntryCount> xin{};
    DWORD xinCount = 0;
    EnabledRange prg2{};         // "PRG2 INF"
    DWORD prg2ProtectReg = 0x0000A;  // "PRG2 PROTECT REG"
    DWORD prg2ProtectBit = 0x40;     // "PRG2 PROTECT BIT"
    DWORD prg2Reg = 0x00010;         // "PRG2 REG"
    DWORD prg2Bit = 0x01;            // "PRG2 BIT"
    // "FIRM LINKED BLOCK INF" ("%d %d"): when the flag is 1 the firmware
    // block and this block are written back together.
    DWORD firmLinkedFlag = 0;
    DWORD firmLinkedBlock = 0;
    DWORD mcuId = 0;             // "MCU ID": the last byte of the open word
    DWORD powerSupplyDisable5V = 0;  // "POWERSUPPLY DISABLE 5V": 1 when 5 V must not be chosen
    WatchdogStartBit wdtStartBit{};

    // The firmware information file's values.
    DWORD firmDefaultTopAddr = 0;  // "FIRM DEFAULT TOP ADDR": where the firmware image is linked
    DWORD wdtCheckBoxShown = 0;    // "WdtCheckBoxHide" is not 1
    DWORD resetContinueSupported = 0;  // "SUPPORT RESET CONTINUE"
    DWORD userResetValue = 0;      // "USER RESET SET"
    // The firmware base: the ASE1 area's top, which the firmware information
    // file's offsets are counted from.
    DWORD firmwareBase = 0;
    // The vectors' and the reset and jump addresses' offsets from the
    // firmware base, which move them with the firmware.
    std::array<DWORD, kVectorCount> vectorOffsets{};
    DWORD firmResetOffset = 0;
    DWORD firmJumpOffset = 0;
};
extern DeviceValues g_deviceValues;

// The three power settings (start-up selection and the Power Supply dialog).
struct PowerSupplySettings {
    DWORD powerFromEmulator = 0;
    DWORD voltage33 = 0;
    DWORD voltage50 = 0;

    // The voltage selection of the power switch: 0 for 3.3 V, 1 for 5.0 V.
    DWORD VoltageSelection() const { return voltage50 != 0 ? 1 : 0; }
};
extern PowerSupplySettings g_powerSupplySettings;

// The firmware location settings' watchdog option and byte.
struct WatchdogSettings {
    DWORD option = 0;
    BYTE value = 0;
};
extern WatchdogSettings g_watchdogSettings;
