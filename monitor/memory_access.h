// The monitor's chunked memory access: a target range read or written in
// pieces of at most 32,768 bytes, each one firmware memory request, with a
// running target suspended around the piece when the device cannot be
// reached while it runs (halt control). Reads stop their pieces at the
// bounds of the BSC1 area; writes go segment by segment over the device's
// reserved areas and leave the emulator's own areas ("FM") alone.
#pragma once

#include "platform/wintypes.h"

// Status words of the memory operations.
namespace memory_status {
inline constexpr WORD kDone = 0;
inline constexpr WORD kBrokeIn = 0x4249;   // "BI": the target broke in during a suspended access
inline constexpr WORD kVerify = 0x4254;    // "BT": a written unit did not read back
inline constexpr WORD kReserved = 0x5700;  // message 87: the range reaches a reserved area
inline constexpr WORD kFailed = 0xFFFF;
}  // namespace memory_status

// The most one piece moves.
inline constexpr DWORD kMemoryPieceSize = 32768;

// The firmware access code of a unit size: 1 0x4220, 2 0x5720, 3 0x3320,
// 4 0x4C20, 8 0x4420; 0, 5, 6 and 7 give 0; 9 and more 0x4220.
DWORD AccessCodeForUnit(DWORD unitSize);
// A unit size other than 1, 2, 3, 4 or 8 becomes 1 when the length is not
// 0; always 0.
WORD NormaliseUnitSize(DWORD length, DWORD& unitSize);

// Reads length bytes from start into destination. On a failure the failing
// piece's start goes to failingAddress and the pieces after it are not
// read; with report set a failure's monitor message is appended to the
// monitor output.
WORD ReadTargetMemoryChunked(DWORD start, DWORD length, BYTE* destination, DWORD* failingAddress, bool report,
                             DWORD unitSize);
// Writes length bytes from source at start. On a failure the failing address
// (the first unit that did not read back for "BT", else the piece's start)
// goes to failingAddress and the failure's message is appended. A "BT" that
// names a unit outside the piece written is a failure of the piece (kFailed,
// at its start).
WORD WriteTargetMemoryChunked(DWORD start, DWORD length, const BYTE* source, DWORD* failingAddress, DWORD verify,
                              DWORD unitSize);

// Appends one memory-test line ("FAILED AT ..." with the address, the value
// written and the value read, each also as characters) for unit size 1, 2
// or 4 (larger units report their low four bytes), without a terminator.
void ReportMemoryTestFailure(DWORD address, DWORD written, DWORD read, DWORD unitSize);

// Sets the current breakpoint kind from the target configuration's halt
// option: 0 none, 1 "P", any other "V".
void SelectBreakKindFromOption();
