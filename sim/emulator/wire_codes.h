// The emulator's wire vocabulary: status bytes, command codes, firmware
// request bytes, status words, stop words and the layout of the replies.
#pragma once

#include <cstddef>
#include <cstdint>

namespace simemu {

// Every frame ends with this byte; a pad byte stands before it where a
// frame's count would otherwise be odd.
inline constexpr std::uint8_t kFrameEnd = 0x81;
inline constexpr std::uint8_t kPad = 0xA5;
// Marks a firmware request or reply ('Z').
inline constexpr std::uint8_t kFirmwareMarker = 0x5A;
// Longest transfer the driver accepts: a 2,048-byte bulk data block and its
// framing fit with room to spare.
inline constexpr std::size_t kMaxTransfer = 4096;

// Status bytes of the adapter's one-byte status replies (00 02 s 81).
namespace status_byte {
inline constexpr std::uint8_t kAcknowledge = 0x06;          // the command was carried out
inline constexpr std::uint8_t kNegativeAcknowledge = 0x15;  // refused or malformed
inline constexpr std::uint8_t kSumCheckError = 0x91;        // a block's sum did not match
inline constexpr std::uint8_t kFlashEraseError = 0xA1;      // a block did not erase
inline constexpr std::uint8_t kFlashWriteError = 0xA3;      // flash refused to program
}  // namespace status_byte

// The adapter's own command codes (the byte after the count).
namespace adapter_code {
inline constexpr std::uint8_t kBoot = 0x42;             // 'B': open a write that boots on its end (type 0)
inline constexpr std::uint8_t kWrite = 0x57;            // 'W': open a flash write
inline constexpr std::uint8_t kEndWrite = 0x11;         // close the flash write
inline constexpr std::uint8_t kStartFirmware = 0x46;    // 'F': start the firmware
inline constexpr std::uint8_t kReadRecord = 0x52;       // 'R': read a page or half page
inline constexpr std::uint8_t kErase = 0x45;            // 'E': erase the block holding an address
inline constexpr std::uint8_t kAcknowledge = 0x06;      // the host accepts a raw block
inline constexpr std::uint8_t kNegativeAcknowledge = 0x15;  // the host rejects a raw block
inline constexpr std::uint8_t kEraseUnlock = 0xEF;      // type 0: erase all and unlock
inline constexpr std::uint8_t kResetUnlock = 0xDE;      // type 0: reset, then the ID echo unlocks
inline constexpr std::uint8_t kCheckUnlock = 0xAA;      // type 0: erase all and unlock for programming
}  // namespace adapter_code

// A program record has no code byte: its count (0x0086) names it.
inline constexpr std::uint16_t kProgramRecordCount = 0x0086;
inline constexpr std::size_t kProgramRecordData = 128;

// Opcodes of the target's boot program, relayed by the adapter.
namespace boot_op {
inline constexpr std::uint8_t kReadStatus = 0x70;
inline constexpr std::uint8_t kClearStatus = 0x50;
inline constexpr std::uint8_t kCheckIdCode = 0xF5;
inline constexpr std::uint8_t kReadVersion = 0xFB;
inline constexpr std::uint8_t kSetAddress = 0x29;
inline constexpr std::uint8_t kReadPage = 0xFF;
inline constexpr std::uint8_t kProgramPage = 0x41;
inline constexpr std::uint8_t kEraseBlock = 0x20;
inline constexpr std::uint8_t kEraseAll = 0xA7;
inline constexpr std::uint8_t kConfirm = 0xD0;          // second byte of erase and lock commands
inline constexpr std::uint8_t kReadLockBit = 0x71;
inline constexpr std::uint8_t kProgramLockBit = 0x77;
inline constexpr std::uint8_t kDisableLockBits = 0x7A;
inline constexpr std::uint8_t kEnableLockBits = 0x75;
inline constexpr std::uint8_t kBulkData = 0xFA;         // the flash writer, with its 8-bit sum
inline constexpr std::uint8_t kFirmwareCheck = 0x72;    // answers its argument byte
inline constexpr std::uint8_t kBaudFirst = 0xB0;
inline constexpr std::uint8_t kBaudLast = 0xB8;
}  // namespace boot_op

// Bits of the boot program's status register (first and second byte).
namespace status_register {
inline constexpr std::uint8_t kReady = 0x80;
inline constexpr std::uint8_t kEraseError = 0x20;
inline constexpr std::uint8_t kProgramError = 0x10;
inline constexpr std::uint8_t kIdVerified = 0x0C;  // second byte: both bits set once the ID code matched
}  // namespace status_register

// Lock-bit byte answered by the lock-bit read.
inline constexpr std::uint8_t kLockBitUnlocked = 0x40;

// Firmware command bytes (byte 3 of a 'Z' frame).
namespace firm_cmd {
inline constexpr std::uint8_t kVersion = 0x01;
inline constexpr std::uint8_t kResync = 0x0F;
inline constexpr std::uint8_t kReadMemory = 0x11;
inline constexpr std::uint8_t kWriteMemory = 0x12;
inline constexpr std::uint8_t kFlashStep = 0x13;
inline constexpr std::uint8_t kGo = 0x21;
inline constexpr std::uint8_t kRunState = 0x22;
inline constexpr std::uint8_t kFramePacket = 0x23;  // '#': initial register settings
inline constexpr std::uint8_t kReadRegisters = 0x31;
inline constexpr std::uint8_t kWriteRegisters = 0x32;
inline constexpr std::uint8_t kReset = 0x41;
inline constexpr std::uint8_t kEventFirst = 0x50;   // 'P'
inline constexpr std::uint8_t kEventLast = 0x56;    // 'V'
}  // namespace firm_cmd

// Two-letter status and stop words of the firmware, as numbers whose high
// byte is the first letter; they travel low byte first.
namespace word {
inline constexpr std::uint16_t kNoSuchRequest = 0x5052;    // "PR": unknown or malformed request
inline constexpr std::uint16_t kOutsideArea = 0x5045;      // "PE": address beyond the target's top
inline constexpr std::uint16_t kTargetReset = 0x5253;      // "RS": the target CPU was reset
inline constexpr std::uint16_t kVerifyError = 0x4254;      // "BT": a written byte did not read back
inline constexpr std::uint16_t kFlashGoOn = 0x0001;        // flash write-back step accepted
inline constexpr std::uint16_t kStopChannel = 0x4248;      // "BH": an armed break channel matched
inline constexpr std::uint16_t kStopBreakInstruction = 0x4249;  // "BI": the break instruction byte
inline constexpr std::uint16_t kStopBreakKey = 0x424B;     // "BK": the emulator's break
inline constexpr std::uint16_t kStopStep = 0x4253;         // "BS": a single step ended
inline constexpr std::uint16_t kStopIllegal = 0x494C;      // "IL": an opcode the target does not know
inline constexpr std::uint16_t kStopEvent = 0x4556;        // "EV": the event combination matched
inline constexpr std::uint16_t kStopTraceFull = 0x5446;    // "TF": the trace buffer filled up
}  // namespace word

// Two-character statuses of the adapter-program entry points, left in the
// status mailbox ("\0\0" is success).
namespace adapter_status {
inline constexpr char kSum[] = "SM";       // a checksum did not match
inline constexpr char kProtocol[] = "PE";  // a step out of order
inline constexpr char kErase[] = "ER";     // the adapter flash did not erase
inline constexpr char kWrite[] = "WT";     // the adapter flash did not program
}  // namespace adapter_status

// Memory access codes of the firmware's memory requests: the unit character
// in the high byte, a blank in the low byte.
namespace access {
inline constexpr std::uint16_t kByte = 0x4220;     // 'B'
inline constexpr std::uint16_t kWord = 0x5720;     // 'W'
inline constexpr std::uint16_t kAddress = 0x4120;  // 'A': 3 bytes
inline constexpr std::uint16_t kLong = 0x4C20;     // 'L'
inline constexpr std::uint16_t kDouble = 0x4420;   // 'D': 8 bytes
inline constexpr std::uint16_t kFill3 = 0x3320;    // '3': 3-byte fill units, as they stand
}  // namespace access

// The 20-byte answer to the run-state request, which the run-state monitor
// keeps as the emulator's status block.
struct StopBlockLayout {
    static constexpr std::size_t kWord = 6;        // stop word, low byte first
    static constexpr std::size_t kPc = 8;          // 24 bits, low byte first
    static constexpr std::size_t kStatus = 12;     // bit 0: the program stopped by itself
    static constexpr std::size_t kChannels = 14;   // bit n: break channel n matched
    static constexpr std::size_t kFlags = 16;      // FLG, low byte first
    static constexpr std::size_t kTrailer = 18;
    static constexpr std::size_t kSize = 20;
};
static_assert(StopBlockLayout::kTrailer + 2 == StopBlockLayout::kSize);

// The register file on the wire: fourteen 16-bit, two 24-bit, four 16-bit.
inline constexpr std::size_t kRegisterCount = 20;
inline constexpr std::size_t kRegisterFileBytes = 14 * 2 + 2 * 3 + 4 * 2;
static_assert(kRegisterFileBytes == 42);
// The resynchronisation request: its first word is no count.
inline constexpr std::uint8_t kResyncRequest[16] = {0xA5, 0xF0, 0x5A, 0x0F, 0x00, 0x00, 0x00, 0x10,
                                                    0x01, 0x00, 0x00, 0x00, 0xA5, 0xF0, 0x5A, 0x0F};

}  // namespace simemu
