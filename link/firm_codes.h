// The firmware requests' codes and the byte helpers of their frames.
//
// A request code is 0x5aCCLLLL: the marker 0x5A, the command byte CC and the
// frame length L, the offset of the trailer A5 81 (the frame is L + 2 bytes).
// A frame is L (high byte first), 0x5A, CC, L again, the payload (every
// multi-byte field low byte first) and the trailer.
#pragma once

#include "link/channel_frames.h"

#include "platform/wintypes.h"

#include <cstddef>

namespace firm_code {

inline constexpr DWORD kReadVersion = 0x5a010006;     // reply: version text and value
inline constexpr DWORD kReadMemory = 0x5a11000e;      // address, count (at most 128), access code
inline constexpr DWORD kWriteMemory = 0x5a120010;     // address, access code, count, verify, data
inline constexpr DWORD kFlashStep = 0x5a130006;       // the flash write-back step: status 1 to go on
inline constexpr DWORD kGo = 0x5a21000e;              // no reply
inline constexpr DWORD kReadRegisters = 0x5a310006;   // reply: the register file
inline constexpr DWORD kWriteRegisters = 0x5a320030;  // the register file
inline constexpr DWORD kReset = 0x5a410006;           // CPU reset
// Codes of the table that no transport carries.
inline constexpr DWORD kLegacyMirrorCopy = 0x0b000018;
inline constexpr DWORD kLegacyTableWrite = 0x0c000014;
inline constexpr DWORD kUnsupported08 = 0x08000010;

inline constexpr BYTE kMarker = 0x5A;
// The trailer is the channel's pad and closing byte.
using channel_frame::kClose;
using channel_frame::kPad;

constexpr WORD FrameLength(DWORD code) {
    return static_cast<WORD>(code);
}

}  // namespace firm_code

// The unit in which the firmware accesses memory: the unit character in the
// high byte and a blank in the low byte, sent low byte first.
namespace access_code {

inline constexpr DWORD kByte = 0x4220;     // 'B', 1 byte
inline constexpr DWORD kWord = 0x5720;     // 'W', 2 bytes
inline constexpr DWORD kAddress = 0x4120;  // 'A', 3 bytes
inline constexpr DWORD kLong = 0x4C20;     // 'L', 4 bytes
inline constexpr DWORD kDouble = 0x4420;   // 'D', 8 bytes
inline constexpr DWORD kFill3 = 0x3320;    // '3', 3 bytes: the fill write's 3-byte unit

// The unit's size in bytes; 1 for any other code.
constexpr std::size_t UnitSize(DWORD code) {
    switch (code) {
    case kWord:
        return 2;
    case kAddress:
    case kFill3:
        return 3;
    case kLong:
        return 4;
    case kDouble:
        return 8;
    default:
        return 1;
    }
}

// On the wire the firmware carries the units of 'W', 'A', 'L' and 'D' most
// significant byte first (a trailing part of a unit as it stands); target
// memory holds them least significant byte first.
constexpr bool TravelsReversed(DWORD code) {
    return code == kWord || code == kAddress || code == kLong || code == kDouble;
}

}  // namespace access_code

// Run modes of a go.
namespace run_mode {
inline constexpr DWORD kGo = 72;        // 'H': plain go
inline constexpr DWORD kStep = 76;      // 'L': single step
inline constexpr DWORD kStepOver = 80;  // 'P': step over
inline constexpr DWORD kRangeStep = 84;      // 'T': a step while the PC stays in a range
inline constexpr DWORD kRangeStepOver = 88;  // 'X': a step over while the PC stays in a range
}  // namespace run_mode

// Byte helpers: frame lengths go high byte first, payload fields low byte
// first.
inline void PutWord16(BYTE* destination, DWORD value, bool highFirst) {
    destination[highFirst ? 0 : 1] = static_cast<BYTE>(value >> 8);
    destination[highFirst ? 1 : 0] = static_cast<BYTE>(value);
}

inline void PutWord24(BYTE* destination, DWORD value, bool highFirst) {
    for (int i = 0; i < 3; ++i) {
        destination[highFirst ? 2 - i : i] = static_cast<BYTE>(value >> (8 * i));
    }
}

inline void PutWord32LowFirst(BYTE* destination, DWORD value) {
    for (int i = 0; i < 4; ++i) {
        destination[i] = static_cast<BYTE>(value >> (8 * i));
    }
}

inline void GetWord16(WORD* value, const BYTE* source, bool highFirst) {
    *value = highFirst ? static_cast<WORD>((source[0] << 8) | source[1])
                       : static_cast<WORD>(source[0] | (source[1] << 8));
}

inline void GetWord24(DWORD* value, const BYTE* source, bool highFirst) {
    *value = highFirst ? (DWORD{source[0]} << 16) | (DWORD{source[1]} << 8) | source[2]
                       : DWORD{source[0]} | (DWORD{source[1]} << 8) | (DWORD{source[2]} << 16);
}

inline DWORD GetWord32LowFirst(const BYTE* source) {
    return DWORD{source[0]} | (DWORD{source[1]} << 8) | (DWORD{source[2]} << 16) | (DWORD{source[3]} << 24);
}
