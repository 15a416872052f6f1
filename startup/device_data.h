// The device data: process-wide values that describe the selected
// microcontroller, named after the keys of the device description file that
// fill them ("POWERSUPPLY", "FLASHBLOCK", ...). The device-file reader writes
// them before a connection; the link and the start-up code read them. They
// start with the values the device description gives keys that are absent.
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
extern DWORD g_swtiSupported;   // "SWTI" of the firmware information file: the event function
extern DWORD g_emuSel;          // the connect mode (connect_mode::...)

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

struct DeviceValues {
    // Flash block table ("TOP TABLE%d", "END TABLE%d", 0xFFFFFFFF where
    // missing) and its count "FLASHBLOCK".
    std::array<DWORD, kFlashTableSize> flashBlockTop{};
    std::array<DWORD, kFlashTableSize> flashBlockEnd{};
    DWORD flashBlockCount = 0;
    // Erase table ("ERASE TABLE%d") and its count "ERASEBLOCK".
    std::array<DWORD, kFlashTableSize> eraseTable{};
    DWORD eraseBlockCount = 0;
    DWORD firmBlockNo = 0;       // "FIRMBLOCKNO": the flash block that holds the firmware
    DWORD powerSupply = 0;       // "POWERSUPPLY": 1 when the emulator can power the target
    DWORD powerSupplyDisable5V = 0;  // "POWERSUPPLY DISABLE 5V": 1 when 5 V must not be chosen
    DWORD lockBit = 0;           // "LOCKBIT": 1 turns the lock protection on before erasing
    DWORD adpTsum = 0;           // "ADPTSUM": the adapter program's checksum address
    DWORD mcuId = 0;             // "MCU ID": the last byte of the open word
    DWORD flproTop = 0x400;      // "FLPRO TOP": the flash writer's RAM address
    // "SET ADDR1".."SET ADDR7": five vector addresses, the ID-code address
    // and the reset-vector address.
    std::array<DWORD, 7> setAddr{0xFFE4, 0xFFE8, 0xFFEC, 0xFFF4, 0xFFF8, 0xFFDF, 0xFFFC};
    // "VECT1".."VECT5": each vector's four bytes in memory order.
    std::array<std::array<BYTE, 4>, kVectorCount> vectors{};
    // "FIRM RESET ADDR", "FIRM JUMP ADDR": least significant byte first.
    std::array<BYTE, 4> firmResetAddr{};
    std::array<BYTE, 4> firmJumpAddr{};
    DWORD firmDefaultTopAddr = 0;  // "FIRM DEFAULT TOP ADDR": where the firmware image is linked
    DWORD firmRamSet = 0;          // "FIRM RAM SET": image offsets of values patched into the firmware
    DWORD writeRamSet = 0;         // "WRITE RAM SET"
    DWORD wdtInfoSet = 0;          // "WDT INFO SET"
    std::array<InterruptRegisterPatch, kWorkRamEntries> interruptPatches{};
    DWORD interruptPatchCount = 0;
    std::string firmName = "frm_kq14.sys";  // "FIRM NAME": the firmware image
    std::string flibName = "WTR_KQ14.mot";  // "FLIB NAME": the flash-writer program

    // What the firmware command layer reads.
    DWORD maxAddr = 0xFFFF;      // "MAX ADDR": the device's top address
    std::string cpuType = "Vk31X";  // "CPU TYPE"
    std::string deviceName;      // "DEVICE NAME": its first characters choose the break-register groups
    DWORD traceFunction = 0;     // "TRACE": 1 when the device has the trace function
    DWORD hwBreak = 0;           // "HWBREAK": the hardware break type
    DWORD addressBreakCount = 0; // "ADDRBREAK": the address-break channels
    // "AIER%d" ("%8x %x": the enable register and the channel's bit) and
    // "RMAD%d" (the address register) of the address-match break channels.
    std::array<BreakEnableRegister, kBreakChannelRegisters> aier{};
    std::array<DWORD, kBreakChannelRegisters> rmad{};
    DWORD regAbrc = 0;           // "REG ABRC": break control register
    DWORD regBar = 0;            // "REG BAR": break address register
    DWORD regBdr = 0;            // "REG BDR": break data register
    // The two special registers the flash write-back and refresh set while
    // they run ("PRCR ADDR"/"PRCR SET DATA", "CM0 ADDR"/"CM0 SET DATA").
    std::array<SpecialRegister, 2> specialRegisters{};
    // The initial register addresses (at most five) that a write may reach
    // while the connection is being made, and the one address that takes a
    // 55-byte write then with protocol type 3.
    std::array<DWORD, kInitialRegisterCount> initialRegisters{};
    DWORD initialRegisterCount = 0;
    DWORD connectBlockAddress = 0;
    // "FIRM LINKED BLOCK INF" ("%d %d"): when the flag is 1 the firmware
    // block and this block are written back together.
    DWORD firmLinkedFlag = 0;
    DWORD firmLinkedBlock = 0;

    // What the monitor's initialisation and version check read.
    WORD chipId = 0x0092;          // "CHIP ID": its low byte is the firmware's expected version value
    std::string firmId = "Q3vKQ14V1.00";  // "FIRM ID": its first 12 characters are the expected version text
    DWORD reginiStack = 0x500;     // "REGINI STACK": the initial stack pointer (ISP)
    BYTE reginiCcr = 0;            // "REGINI CCR": the initial flag register (FLG)

    // "USE XIN WHILE DOWNLOAD": 1 writes the XIN entries (in table order)
    // around a download and at disconnect.
    DWORD useXinWhileDownload = 0;
    std::array<XinEntry, kXinEntryCount> xin{};
    DWORD xinCount = 0;
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
