// The emulator adapter's 32-bit control registers at 0x400000 + 4n, each
// four bytes in memory order (byte 0 first), and the bits the link uses.
#pragma once

#include "platform/wintypes.h"

namespace adapter_register {

inline constexpr DWORD kBase = 0x400000;
inline constexpr DWORD kControl = 0x400000;      // byte 0 bit 2: power-up (type 0); bits 4-6, byte 1 bits 0-5: baud
inline constexpr DWORD kHandshake = 0x400004;    // byte 1 bit 4: handshake input; bit 5: handshake output
inline constexpr DWORD kStatus = 0x400008;       // see the bits below
inline constexpr DWORD kSpareControl = 0x40000C; // the adapter control byte the monitor restart rewrites
inline constexpr DWORD kOpenWord = 0x40001C;     // 00 01 00 x, written when the link opens
inline constexpr DWORD kReset = 0x400020;        // value high byte, low byte, 0, 0
inline constexpr DWORD kDivider = 0x400024;      // 0, divider, 0, 0
inline constexpr DWORD kResetRelease = 0x400028; // 00 01 00 00

// 0x400000 byte 0
inline constexpr BYTE kPowerUpBit = 0x04;
// 0x400004 byte 1
inline constexpr BYTE kHandshakeIn = 0x10;
inline constexpr BYTE kHandshakeOut = 0x20;
// 0x400008 byte 0
inline constexpr BYTE kBannerBit = 0x08;
inline constexpr BYTE kBreakPulse = 0x10;
inline constexpr BYTE kStatusFlag = 0x20;  // the target is not running
// 0x400008 byte 1
inline constexpr BYTE kTargetPower = 0x01;
inline constexpr BYTE kDisconnected = 0x10;
inline constexpr BYTE kControlFlag = 0x80;

constexpr DWORD Register(DWORD index) {
    return kBase + 4 * index;
}

}  // namespace adapter_register

// The emulator's own memory (the Q5t space) as the link uses it: the target
// power switch.
namespace emulator_memory {

inline constexpr DWORD kPowerEnable = 0xFFFE14;   // bit 0: supply switched through
inline constexpr DWORD kPowerSense = 0xFFFE15;    // bit 0: cleared once switched
inline constexpr DWORD kPowerVoltage = 0xFFFF00;  // bit 0: 3.3 V, bit 1: 5.0 V

}  // namespace emulator_memory
